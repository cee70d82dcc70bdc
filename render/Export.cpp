// The cut exports to BMP and through the GDI+ encoders.
#include "render/Export.h"

#include "app/App.h"
#include "app/FileDialogs.h"
#include "app/MessageBox.h"
#include "render/PictureGeometry.h"
#include "render/Redraw.h"
#include "render/Renderer.h"

#include <new>

namespace {

enum class CutFormat { Bitmap, Encoder };

bool ExportCutTo(App& app, const std::wstring& path, CutFormat format) {
    if (path.empty()) return false;
    bool written = false;
    try {
        Picture cut = DrawCutPicture(app);
        if (cut)
            written = format == CutFormat::Bitmap ? SaveBmpFile(cut, path) : SavePictureFile(cut, path) == 0;
    } catch (const std::bad_alloc&) {
        written = false; // a picture too large to hold in memory is simply not written
    }
    // The screen shows the table with its guide cells again, whatever became of the file.
    app.render.exportMode = 0;
    RedrawCanvas(app);

    std::wstring text;
    if (written)
        text = Tr(app, format == CutFormat::Bitmap ? MessageTable::CutBitmapExported
                                                   : MessageTable::CutJpegExported);
    else
        text = Tr(app, MessageTable::ExportNotWritten) + L"\r\n" + path;
    ShowMessageBox(app.shell.mainWindow, text, Tr(app, MessageTable::Caption), MB_OK);
    return written;
}

} // namespace

Picture DrawCutPicture(App& app) {
    RenderState& render = app.render;
    const Document& doc = app.doc;
    if (doc.tableColumns <= 0 || doc.tableRows <= 0) return {}; // no cell gives the cut its extent
    // A thickness outside 1..5 (only a work file can bring one) takes the nearest row of the table.
    ExportGeometry geometry = ExportGeometryFor(doc.lineThickness);

    render.exportMode = 1;
    ForgetDrawnTable(render); // the cut is drawn on the table picture
    ClearToBackground(render.tablePicture, static_cast<COLORREF>(app.shell.favouriteBackground));
    DrawTable(render, doc, app.shell.characterSet, render.tablePicture.Dc(), doc.tableColumns, doc.tableRows,
              geometry.offset, geometry.offset, static_cast<COLORREF>(doc.lineColor));
    render.exportMode = 0;

    int width = render.drawnRight + geometry.extra;
    int height = render.drawnBottom + geometry.extra;
    if (width <= 0 || height <= 0 || !render.tablePicture) return {};
    Picture cut(width, height);
    if (!cut) return {};
    // A table from a work file may reach beyond the table picture: the part that was not drawn
    // shows the background rather than whatever the new picture held.
    FillSolid(cut.Dc(), RECT{0, 0, width, height}, static_cast<COLORREF>(app.shell.favouriteBackground));
    BitBlt(cut.Dc(), 0, 0, width, height, render.tablePicture.Dc(), 0, 0, SRCCOPY);
    return cut;
}

bool ExportCutBitmapTo(App& app, const std::wstring& path) {
    return ExportCutTo(app, path, CutFormat::Bitmap);
}

bool ExportCutJpegTo(App& app, const std::wstring& path) {
    return ExportCutTo(app, path, CutFormat::Encoder);
}

void ExportCutBitmap(App& app) {
    std::wstring path = BitmapDialog(app, app.shell.mainWindow, L"");
    if (!path.empty()) ExportCutBitmapTo(app, path);
}

void ExportCutJpeg(App& app) {
    std::wstring path = JpegDialog(app, app.shell.mainWindow, L"");
    if (!path.empty()) ExportCutJpegTo(app, path);
}
