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

// The rectangle a picture of the chart shows: its ink and a cell around it, or the table cut.
RECT ChartFrame(RenderState& render, const Document& doc, const CutChartLook& look, ChartCut cut) {
    if (cut == ChartCut::Extent) {
        RECT frame = ChartInkExtent(render, doc, look);
        if (!IsRectEmpty(&frame)) {
            InflateRect(&frame, std::max<int>(doc.cellWidth, 1), std::max<int>(doc.cellHeight, 1));
            return frame;
        }
    }
    // The table cut's size is known only once the table is drawn: measured without drawing.
    MeasureExportTable(render, doc, look);
    const ExportGeometry geometry = ExportGeometryFor(doc.lineThickness);
    return RECT{0, 0, render.drawnRight + geometry.extra, render.drawnBottom + geometry.extra};
}

// The export drawing of the frame as pixels, clipped as the cut exports are to what the table
// picture holds; the rest shows the background.
Picture DrawFramePicture(RenderState& render, const Document& doc, const CutChartLook& look,
                         const RECT& frame) {
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return {};
    Picture picture(width, height);
    if (!picture) return {};
    FillSolid(picture.Dc(), RECT{0, 0, width, height}, look.background & 0xFFFFFF);
    const RECT area = PictureArea(render);
    const int saved = SaveDC(picture.Dc());
    IntersectClipRect(picture.Dc(), area.left - frame.left, area.top - frame.top, area.right - frame.left,
                      area.bottom - frame.top);
    DrawExportTable(render, doc, look, picture.Dc(), frame.left, frame.top);
    RestoreDC(picture.Dc(), saved);
    return picture;
}

// The same drawing recorded as an enhanced metafile of the frame's size.
EnhMetafile RecordFrame(RenderState& render, const Document& doc, const CutChartLook& look,
                        const RECT& frame) {
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
    ClearToBackground(render.tablePicture, look.background);
    DrawExportTable(render, doc, look, render.tablePicture.Dc());

    const ExportGeometry geometry = ExportGeometryFor(doc.lineThickness);
    const int width = render.drawnRight + geometry.extra;
    const int height = render.drawnBottom + geometry.extra;
    if (width <= 0 || height <= 0) return {};
    Picture cut(width, height);
    if (!cut) return {};
    // A table from a work file may reach beyond the table picture: the part that was not drawn
    // shows the background rather than whatever the new picture held.
    FillSolid(cut.Dc(), RECT{0, 0, width, height}, look.background & 0xFFFFFF);
    BitBlt(cut.Dc(), 0, 0, width, height, render.tablePicture.Dc(), 0, 0, SRCCOPY);
    return cut;
}

EnhMetafile RecordCutMetafile(RenderState& render, const Document& doc, const CutChartLook& look, int width,
                              int height) {
    return RecordFrame(render, doc, look, RECT{0, 0, width, height});
}

RECT ChartInkExtent(RenderState& render, const Document& doc, const CutChartLook& look) {
    RECT ink{};
    if (!HasTable(doc)) return ink;
    const std::vector<RECT> extents = MeasureExportTable(render, doc, look);
    for (const RECT& extent : extents)
        if (!IsRectEmpty(&extent)) UnionRect(&ink, &ink, &extent);
    const RECT area = PictureArea(render);
    IntersectRect(&ink, &ink, &area);
    return ink;
}

CutChart DrawCutChart(RenderState& render, const Document& doc, const CutChartLook& look, ChartCut cut) {
    if (cut == ChartCut::Extent) {
        if (!HasTable(doc)) return {};
        const RECT frame = ChartFrame(render, doc, look, cut);
        CutChart chart;
        chart.picture = DrawFramePicture(render, doc, look, frame);
        if (!chart.picture) return {};
        chart.width = chart.picture.Width();
        chart.height = chart.picture.Height();
        chart.metafile = RecordFrame(render, doc, look, frame);
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
