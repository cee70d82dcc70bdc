// The cut export commands over the renderer's cut picture.
#include "app/commands/CutExports.h"

#include "app/state/App.h"
#include "app/commands/ChartClipboard.h"
#include "render/CutChart.h"
#include "render/Export.h"
#include "render/VectorPicture.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"
#include "ui/PictureMessages.h"

#include <new>

namespace {

bool ExportCutTo(App& app, const std::wstring& path, CutFormat format) {
    if (path.empty()) return false;
    bool written = WriteCutPicture(app.render, app.doc, app.shell.characterSet,
                                   static_cast<COLORREF>(app.shell.favouriteBackground), path, format);
    ReportPictureProblems(app.render.pictureCache, nullptr);

    std::wstring text;
    if (written)
        text = Tr(app, format == CutFormat::Bitmap ? MessageTable::CutBitmapExported
                                                   : MessageTable::CutJpegExported);
    else
        text = Tr(app, MessageTable::ExportNotWritten) + L"\r\n" + path;
    ShowMessageBox(app.shell.mainWindow, text, Tr(app, MessageTable::Caption), MB_OK);
    return written;
}

CutChartLook LookOf(const App& app) {
    return CutChartLook{app.shell.characterSet, static_cast<COLORREF>(app.shell.favouriteBackground)};
}

} // namespace

bool ExportCutBitmapTo(App& app, const std::wstring& path) {
    return ExportCutTo(app, path, CutFormat::Bitmap);
}

bool ExportCutJpegTo(App& app, const std::wstring& path) {
    return ExportCutTo(app, path, CutFormat::Encoder);
}

void ExportCutBitmap(App& app) {
    // The bitmap export and the picture prompt share one path: each suggests what either chose
    // last, and a cancelled export empties it.
    std::wstring& path = app.canvas.picturePath;
    path = BitmapDialog(app.shell, app.shell.mainWindow, path);
    if (!path.empty()) ExportCutBitmapTo(app, path);
}

void ExportCutJpeg(App& app) {
    std::wstring path = JpegDialog(app.shell, app.shell.mainWindow, L"");
    if (!path.empty()) ExportCutJpegTo(app, path);
}

bool ExportVectorPictureTo(App& app, const std::wstring& path) {
    if (path.empty()) return false;
    bool written = false;
    try {
        const CutChart chart = DrawCutChart(app.render, app.doc, LookOf(app), ChartCut::Extent);
        written = chart.metafile && SaveVectorPicture(chart, path);
    } catch (const std::bad_alloc&) {
        written = false; // a chart too large to hold in memory is simply not written
    }
    ReportPictureProblems(app.render.pictureCache, nullptr);
    const std::wstring text = written ? Tr(app, MessageTable::VectorPicture, 1)
                                      : Tr(app, MessageTable::ExportNotWritten) + L"\r\n" + path;
    ShowMessageBox(app.shell.mainWindow, text, Tr(app, MessageTable::Caption), MB_OK);
    return written;
}

void ExportVectorPicture(App& app) {
    std::wstring path = VectorDialog(app.shell, app.shell.mainWindow, L"");
    if (!path.empty()) ExportVectorPictureTo(app, path);
}

bool CopyChartAsPicture(App& app) {
    if (!app.doc.tablePresent || app.doc.tableColumns <= 0 || app.doc.tableRows <= 0) return false;
    bool copied = false;
    try {
        const CutChart chart = DrawCutChart(app.render, app.doc, LookOf(app), ChartCut::Extent);
        copied = PutCutChartOnClipboard(app.shell.mainWindow, chart);
    } catch (const std::bad_alloc&) {
        copied = false;
    }
    ReportPictureProblems(app.render.pictureCache, nullptr);
    // Otherwise the user would paste whatever the clipboard held before, none the wiser.
    if (!copied)
        ShowMessageBox(app.shell.mainWindow, Tr(app, MessageTable::VectorPicture, 7),
                       Tr(app, MessageTable::Caption), MB_OK | MB_ICONEXCLAMATION);
    return copied;
}
