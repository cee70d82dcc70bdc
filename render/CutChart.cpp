// The cut chart drawn as pixels and recorded as an enhanced metafile by the same table renderer.
#include "render/CutChart.h"

#include "render/PictureGeometry.h"
#include "render/Renderer.h"

#include <algorithm>

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

void DrawExportTable(RenderState& render, const Document& doc, const CutChartLook& look, HDC target) {
    // A thickness outside 1..5 (only a work file can bring one) takes the nearest row of the table.
    const ExportGeometry geometry = ExportGeometryFor(doc.lineThickness);
    ExportModeScope exporting(render);
    DrawTable(render, doc, look.characterSet, target, doc.tableColumns, doc.tableRows, geometry.offset,
              geometry.offset, static_cast<COLORREF>(doc.lineColor));
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
    RECT frame{0, 0, MulDiv(width, horizontalMm * 100, horizontalPixels),
               MulDiv(height, verticalMm * 100, verticalPixels)};
    HDC dc = CreateEnhMetaFileW(screen.Get(), nullptr, &frame, L"Cuadrix\0Chart\0");
    if (!dc) return {};
    FillSolid(dc, RECT{0, 0, width, height}, look.background & 0xFFFFFF);
    // The pixels hold only what fits a picture of the table picture's size; the recording shows no more.
    IntersectClipRect(dc, 0, 0, std::min(width, render.tablePicture ? render.tablePicture.Width() : width),
                      std::min(height, render.tablePicture ? render.tablePicture.Height() : height));
    DrawExportTable(render, doc, look, dc);
    return EnhMetafile(CloseEnhMetaFile(dc));
}

CutChart DrawCutChart(RenderState& render, const Document& doc, const CutChartLook& look) {
    CutChart chart;
    chart.picture = DrawCutChartPicture(render, doc, look);
    if (!chart.picture) return {};
    chart.width = chart.picture.Width();
    chart.height = chart.picture.Height();
    chart.metafile = RecordCutMetafile(render, doc, look, chart.width, chart.height);
    if (!chart.metafile) return {};
    return chart;
}
