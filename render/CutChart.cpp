// The cut chart drawn as pixels and recorded as an enhanced metafile by the same table renderer.
#include "render/CutChart.h"

#include "render/PictureGeometry.h"
#include "render/Renderer.h"

#include <algorithm>
#include <vector>

namespace {

// Export mode is on only while the table is drawn for an export, whatever happens meanwhile.
class ExportModeScope {
  public:
    explicit ExportModeScope(RenderState& render) : render_(render) { render_.exportMode = 1; }
    ~ExportModeScope() { render_.exportMode = 0; }
    ExportModeScope(const ExportModeScope&) = delete;
    ExportModeScope& operator=(const ExportModeScope&) = delete;

  private:
    RenderState& render_;
};

// The pictures for documents show the chart without the editing state, whatever happens meanwhile.
class DocumentPictureScope {
  public:
    explicit DocumentPictureScope(RenderState& render) : render_(render) { render_.documentPicture = true; }
    ~DocumentPictureScope() { render_.documentPicture = false; }
    DocumentPictureScope(const DocumentPictureScope&) = delete;
    DocumentPictureScope& operator=(const DocumentPictureScope&) = delete;

  private:
    RenderState& render_;
};

bool HasTable(const Document& doc) {
    return doc.tableColumns > 0 && doc.tableRows > 0;
}

// The export drawing with the table cut's point (left, top) at the target's origin.
void DrawExportTable(RenderState& render, const Document& doc, const CutChartLook& look, HDC target,
                     int left = 0, int top = 0, const TablePass* pass = nullptr) {
    // A thickness outside 1..5 (only a work file can bring one) takes the nearest row of the table.
    const ExportGeometry geometry = ExportGeometryFor(doc.lineThickness);
    ExportModeScope exporting(render);
    DrawTable(render, doc, look.characterSet, target, doc.tableColumns, doc.tableRows, geometry.offset - left,
              geometry.offset - top, static_cast<COLORREF>(doc.lineColor), pass);
}

// Every cell's extent in the export drawing, found without drawing, on a picture of the table
// picture's size (its clip decides which text lines count).
std::vector<RECT> MeasureExportTable(RenderState& render, const Document& doc, const CutChartLook& look) {
    std::vector<RECT> extents(size_t(kGridSize) * kGridSize);
    TablePass measure;
    measure.draw = false;
    measure.extents = &extents;
    Picture own;
    if (!render.tablePicture) own = Picture(kTablePictureSize, kTablePictureSize);
    const Picture& probe = render.tablePicture ? render.tablePicture : own;
    if (!probe) return extents;
    DrawExportTable(render, doc, look, probe.Dc(), 0, 0, &measure);
    return extents;
}

// What the table picture can hold, in the table cut's coordinates: nothing beyond it is drawn.
RECT PictureArea(const RenderState& render) {
    return RECT{0, 0, render.tablePicture ? render.tablePicture.Width() : kTablePictureSize,
                render.tablePicture ? render.tablePicture.Height() : kTablePictureSize};
}

// The whole export drawing on a picture of the table picture's size over the background: what every
// cut shows a part of. Drawn on a picture of its own, so the screen's table picture is left alone.
Picture DrawWholeExport(RenderState& render, const Document& doc, const CutChartLook& look) {
    const RECT area = PictureArea(render);
    Picture whole(area.right, area.bottom);
    if (!whole) return {};
    FillSolid(whole.Dc(), area, look.background & 0xFFFFFF);
    DrawExportTable(render, doc, look, whole.Dc());
    return whole;
}

// The bounds of the pixels inside `within` that differ from the background: the extents say where
// a cell can draw, the pixels where it did (a text's lines end where their letters end).
RECT InkInside(const Picture& whole, const RECT& within, COLORREF background) {
    RECT ink{};
    const int width = within.right - within.left, height = within.bottom - within.top;
    if (!whole || width <= 0 || height <= 0) return ink;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top-down rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    BitmapHandle copy(CreateDIBSection(whole.Dc(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC dc(whole.Dc());
    if (!copy || !bits || !dc.Get()) return within; // unread: the extents stand
    ScopedSelect select(dc.Get(), copy.Get());
    BitBlt(dc.Get(), 0, 0, width, height, whole.Dc(), within.left, within.top, SRCCOPY);
    GdiFlush();
    // Rows of 0x00RRGGBB.
    const uint32_t paper =
        (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
    const auto* pixels = static_cast<const uint32_t*>(bits);
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x)
            if ((row[x] & 0xFFFFFF) != paper) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
    }
    if (right < 0) return ink;
    return RECT{within.left + left, within.top + top, within.left + right + 1, within.top + bottom + 1};
}

// The ink of the whole drawing: inside the extents the renderer records, where the pixels show it.
RECT InkOfWhole(RenderState& render, const Document& doc, const CutChartLook& look, const Picture& whole) {
    RECT bounds{};
    for (const RECT& extent : MeasureExportTable(render, doc, look))
        if (!IsRectEmpty(&extent)) UnionRect(&bounds, &bounds, &extent);
    const RECT area = PictureArea(render);
    IntersectRect(&bounds, &bounds, &area);
    return InkInside(whole, bounds, look.background & 0xFFFFFF);
}

// The frame's part of the whole drawing; the rest of the frame shows the background.
Picture CutFrame(const Picture& whole, const RECT& frame, COLORREF background) {
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (!whole || width <= 0 || height <= 0) return {};
    Picture picture(width, height);
    if (!picture) return {};
    FillSolid(picture.Dc(), RECT{0, 0, width, height}, background & 0xFFFFFF);
    RECT shown{};
    const RECT all{0, 0, whole.Width(), whole.Height()};
    IntersectRect(&shown, &frame, &all);
    BitBlt(picture.Dc(), shown.left - frame.left, shown.top - frame.top, shown.right - shown.left,
           shown.bottom - shown.top, whole.Dc(), shown.left, shown.top, SRCCOPY);
    return picture;
}

// The same drawing recorded as an enhanced metafile of the frame's size. `paintedBounds`: the
// background is recorded as a filled shape, so the recording's bounds hold the whole frame and not
// only the drawing (an opaque text call without text leaves the bounds out).
EnhMetafile RecordFrame(RenderState& render, const Document& doc, const CutChartLook& look, const RECT& frame,
                        bool paintedBounds = false) {
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (!HasTable(doc) || width <= 0 || height <= 0) return {};
    WindowDC screen(nullptr);
    if (!screen.Get()) return {};
    // The frame says how large the picture is on paper: one pixel measures what it does on the
    // screen the chart was drawn for.
    const int horizontalMm = GetDeviceCaps(screen.Get(), HORZSIZE),
              horizontalPixels = GetDeviceCaps(screen.Get(), HORZRES);
    const int verticalMm = GetDeviceCaps(screen.Get(), VERTSIZE),
              verticalPixels = GetDeviceCaps(screen.Get(), VERTRES);
    if (horizontalPixels <= 0 || verticalPixels <= 0) return {};
    RECT paper{0, 0, MulDiv(width, horizontalMm * 100, horizontalPixels),
               MulDiv(height, verticalMm * 100, verticalPixels)};
    HDC dc = CreateEnhMetaFileW(screen.Get(), nullptr, &paper, L"Cuadrix\0Chart\0");
    if (!dc) return {};
    FillSolid(dc, RECT{0, 0, width, height}, look.background & 0xFFFFFF);
    if (paintedBounds) {
        BrushHandle paper(CreateSolidBrush(look.background & 0xFFFFFF));
        ScopedSelect brush(dc, paper.Get());
        ScopedSelect pen(dc, GetStockObject(NULL_PEN));
        Rectangle(dc, 0, 0, width, height);
    }
    if (frame.left != 0 || frame.top != 0) {
        // Hatched placeholders line up with those of the pixels: the pattern starts where it
        // starts in the whole drawing.
        auto phase = [](LONG shift) { return static_cast<int>(((-shift) % 8 + 8) % 8); };
        SetBrushOrgEx(dc, phase(frame.left), phase(frame.top), nullptr);
    }
    // The pixels hold only what fits the table picture; the recording shows no more.
    const RECT area = PictureArea(render);
    IntersectClipRect(dc, std::max<int>(0, area.left - frame.left), std::max<int>(0, area.top - frame.top),
                      std::min<int>(width, area.right - frame.left),
                      std::min<int>(height, area.bottom - frame.top));
    DrawExportTable(render, doc, look, dc, frame.left, frame.top);
    return EnhMetafile(CloseEnhMetaFile(dc));
}

} // namespace

Picture DrawCutChartPicture(RenderState& render, const Document& doc, const CutChartLook& look) {
    if (!HasTable(doc) || !render.tablePicture) return {}; // no cell gives the cut its extent
    // Drawn on a picture of its own, as large as the table picture: the table picture keeps showing
    // what the canvas shows, so what it records of its cells stays true for the next update.
    Picture drawing(render.tablePicture.Width(), render.tablePicture.Height());
    if (!drawing) return {};
    ClearToBackground(drawing, look.background);
    DrawExportTable(render, doc, look, drawing.Dc());

    const ExportGeometry geometry = ExportGeometryFor(doc.lineThickness);
    const int width = render.drawnRight + geometry.extra;
    const int height = render.drawnBottom + geometry.extra;
    if (width <= 0 || height <= 0) return {};
    Picture cut(width, height);
    if (!cut) return {};
    // A table from a work file may reach beyond the drawing: the part that was not drawn shows the
    // background rather than whatever the new picture held.
    FillSolid(cut.Dc(), RECT{0, 0, width, height}, look.background & 0xFFFFFF);
    BitBlt(cut.Dc(), 0, 0, width, height, drawing.Dc(), 0, 0, SRCCOPY);
    return cut;
}

EnhMetafile RecordCutMetafile(RenderState& render, const Document& doc, const CutChartLook& look, int width,
                              int height) {
    return RecordFrame(render, doc, look, RECT{0, 0, width, height});
}

RECT ChartInkExtent(RenderState& render, const Document& doc, const CutChartLook& look) {
    if (!HasTable(doc)) return RECT{};
    DocumentPictureScope recorded(render);
    const Picture whole = DrawWholeExport(render, doc, look);
    return InkOfWhole(render, doc, look, whole);
}

CutChart DrawCutChart(RenderState& render, const Document& doc, const CutChartLook& look, ChartCut cut) {
    if (cut == ChartCut::Extent) {
        if (!HasTable(doc)) return {};
        DocumentPictureScope recorded(render);
        const Picture whole = DrawWholeExport(render, doc, look);
        RECT frame = InkOfWhole(render, doc, look, whole);
        if (IsRectEmpty(&frame)) {
            // Nothing drawn: the table cut, whose size the drawing has left.
            const ExportGeometry geometry = ExportGeometryFor(doc.lineThickness);
            frame = RECT{0, 0, render.drawnRight + geometry.extra, render.drawnBottom + geometry.extra};
        } else {
            InflateRect(&frame, std::max<int>(doc.cellWidth, 1), std::max<int>(doc.cellHeight, 1));
        }
        CutChart chart;
        chart.picture = CutFrame(whole, frame, look.background);
        if (!chart.picture) return {};
        chart.width = chart.picture.Width();
        chart.height = chart.picture.Height();
        chart.corner = POINT{frame.left, frame.top};
        chart.metafile = RecordFrame(render, doc, look, frame, true);
        if (!chart.metafile) return {};
        return chart;
    }
    CutChart chart;
    chart.picture = DrawCutChartPicture(render, doc, look);
    if (!chart.picture) return {};
    chart.width = chart.picture.Width();
    chart.height = chart.picture.Height();
    chart.metafile = RecordCutMetafile(render, doc, look, chart.width, chart.height);
    if (!chart.metafile) return {};
    return chart;
}
