// The cut export commands over the renderer's cut picture.
#include "app/CutExports.h"

#include "app/App.h"
#include "interaction/Redraw.h"
#include "render/Export.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"
#include "ui/PictureMessages.h"

namespace {

bool ExportCutTo(App& app, const std::wstring& path, CutFormat format) {
    if (path.empty()) return false;
    bool written = WriteCutPicture(app.render, app.doc, app.shell.characterSet,
                                   static_cast<COLORREF>(app.shell.favouriteBackground), path, format);
    ReportPictureProblems(app.render.pictureCache, nullptr);
    // The screen shows the table with its guide cells again, whatever became of the file.
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

bool ExportCutBitmapTo(App& app, const std::wstring& path) {
    return ExportCutTo(app, path, CutFormat::Bitmap);
}

bool ExportCutJpegTo(App& app, const std::wstring& path) {
    return ExportCutTo(app, path, CutFormat::Encoder);
}

void ExportCutBitmap(App& app) {
    std::wstring path = BitmapDialog(app.shell, app.shell.mainWindow, L"");
    if (!path.empty()) ExportCutBitmapTo(app, path);
}

void ExportCutJpeg(App& app) {
    std::wstring path = JpegDialog(app.shell, app.shell.mainWindow, L"");
    if (!path.empty()) ExportCutJpegTo(app, path);
}
