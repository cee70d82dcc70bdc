// The cut exports to BMP and through the GDI+ encoders.
#include "render/Export.h"

#include "render/PictureGeometry.h"
#include "render/Renderer.h"

#include <new>

Picture DrawCutPicture(RenderState& render, const Document& doc, int characterSet, COLORREF background) {
    if (doc.tableColumns <= 0 || doc.tableRows <= 0) return {}; // no cell gives the cut its extent
    // A thickness outside 1..5 (only a work file can bring one) takes the nearest row of the table.
    ExportGeometry geometry = ExportGeometryFor(doc.lineThickness);

    render.exportMode = 1;
    ForgetDrawnTable(render); // the cut is drawn on the table picture
    ClearToBackground(render.tablePicture, background);
    DrawTable(render, doc, characterSet, render.tablePicture.Dc(), doc.tableColumns, doc.tableRows,
              geometry.offset, geometry.offset, static_cast<COLORREF>(doc.lineColor));
    render.exportMode = 0;

    int width = render.drawnRight + geometry.extra;
    int height = render.drawnBottom + geometry.extra;
    if (width <= 0 || height <= 0 || !render.tablePicture) return {};
    Picture cut(width, height);
    if (!cut) return {};
    // A table from a work file may reach beyond the table picture: the part that was not drawn
    // shows the background rather than whatever the new picture held.
    FillSolid(cut.Dc(), RECT{0, 0, width, height}, background);
    BitBlt(cut.Dc(), 0, 0, width, height, render.tablePicture.Dc(), 0, 0, SRCCOPY);
    return cut;
}

bool WriteCutPicture(RenderState& render, const Document& doc, int characterSet, COLORREF background,
                     const std::wstring& path, CutFormat format) {
    bool written = false;
    try {
        Picture cut = DrawCutPicture(render, doc, characterSet, background);
        if (cut)
            written = format == CutFormat::Bitmap ? SaveBmpFile(cut, path) : SavePictureFile(cut, path) == 0;
    } catch (const std::bad_alloc&) {
        written = false;
    }
    render.exportMode = 0;
    return written;
}
