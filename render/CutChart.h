// The cut chart in both forms every way out of the program uses: the pixels of the cut exports
// and the same drawing recorded as an enhanced metafile (boxes, lines and texts kept as such), so
// that files, clipboard and paper show the same chart.
#pragma once

#include "document/Document.h"
#include "render/GdiObjects.h"
#include "render/RenderState.h"

#include <windows.h>

#include <cstdint>
#include <utility>

// Owns an enhanced metafile and deletes it.
class EnhMetafile {
  public:
    EnhMetafile() = default;
    explicit EnhMetafile(HENHMETAFILE handle) : handle_(handle) {}
    ~EnhMetafile() { Reset(); }
    EnhMetafile(const EnhMetafile&) = delete;
    EnhMetafile& operator=(const EnhMetafile&) = delete;
    EnhMetafile(EnhMetafile&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    EnhMetafile& operator=(EnhMetafile&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    void Reset(HENHMETAFILE handle = nullptr) {
        if (handle_) DeleteEnhMetaFile(handle_);
        handle_ = handle;
    }
    HENHMETAFILE Release() { return std::exchange(handle_, nullptr); }
    HENHMETAFILE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    HENHMETAFILE handle_ = nullptr;
};

// What the chart is drawn with, apart from the document itself.
struct CutChartLook {
    int16_t characterSet = 0;
    COLORREF background = RGB(255, 255, 255); // the favourite background around and between boxes
};

struct CutChart {
    Picture picture;      // the cut export's pixels
    EnhMetafile metafile; // the same drawing; frame in 0.01 mm of the screen, one unit per pixel
    int width = 0;
    int height = 0;
    POINT corner{0, 0}; // the picture's top-left corner in the table cut's pixels
};

// The pixels of the cut exports: the table drawn in export mode (guide cells left out, marks and
// selections as on screen) over the background on a picture of the table picture's size and cut
// to the table's extent. Empty when the document has no table or no picture of that size can be
// made. The table picture and the view are left as they were: the screen needs no redraw.
Picture DrawCutChartPicture(RenderState& render, const Document& doc, const CutChartLook& look);

// The same drawing recorded as an enhanced metafile of width x height pixels, clipped as the
// pixels are to what the table picture can hold. The screen is the reference device.
EnhMetafile RecordCutMetafile(RenderState& render, const Document& doc, const CutChartLook& look, int width,
                              int height);

// Which part of the export drawing a picture for a document shows.
enum class ChartCut {
    Table,  // the cut exports' rectangle: from the picture's corner to the table's last cell, marks
            // and selections as on screen
    Extent, // the chart itself as recorded: every box, picture, connector and text ink, and one cell
            // around it; no mark or selection of the editing
};

// The smallest rectangle holding every pixel the chart as recorded shows unlike the background:
// found inside the extents the renderer records for the cells, in the coordinates of the table cut
// (as far as the table picture holds it); empty when the chart draws nothing.
RECT ChartInkExtent(RenderState& render, const Document& doc, const CutChartLook& look);

// Both forms; nothing (width 0) when the document has no table or the drawing could not be made.
// The extent of a chart that draws nothing is the table cut.
CutChart DrawCutChart(RenderState& render, const Document& doc, const CutChartLook& look,
                      ChartCut cut = ChartCut::Table);
