// "Export to PDF…" as the user works it: the dialog's paper reaches the document, the file dialog
// names it, the user is told; a cancelled dialog asks for no file and writes nothing.
#include "PictureTestFiles.h"
#include "WinTestSupport.h"
#include "app/state/App.h"
#include "app/commands/PdfExport.h"
#include "document/Structure.h"
#include "render/PdfObjects.h"
#include "render/Renderer.h"
#include "ui/FileDialogs.h"

#include <gtest/gtest.h>

TEST(PdfExport, TheDialogsPaperAndTheChosenFileMakeTheDocument) {
    App app;
    TempFolder folder;
    CreatePictures(app.render);
    app.shell.languageIndex = 5;
    Document& doc = app.doc;
    doc.cellWidth = 100;
    doc.cellHeight = 50;
    doc.tableColumns = 2;
    doc.tableRows = 1;
    doc.tablePresent = true;
    BuildNewTable(doc, 2, 1, 2, 2, RGB(128, 128, 128));
    doc.cellGrid(0, 0).isBox = 1;

    const std::wstring chosen = folder.Path(L"chart.pdf");
    int fileDialogs = 0;
    SetFileDialogSeam([&](OPENFILENAMEW& request, bool save) {
        ++fileDialogs;
        EXPECT_TRUE(save);
        lstrcpynW(request.lpstrFile, chosen.c_str(), static_cast<int>(request.nMaxFile));
        return true;
    });
    MessageBoxRecorder boxes;
    {
        DialogAnswerer cancel([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
        ExportPdf(app);
    }
    EXPECT_EQ(0, fileDialogs);
    EXPECT_TRUE(ReadBytes(chosen).empty());
    {
        DialogAnswerer answer([](HWND dialog) {
            SendDlgItemMessageW(dialog, kPdfPaperId, CB_SETCURSEL, 2, 0); // A3
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        ExportPdf(app);
    }
    SetFileDialogSeam({});
    EXPECT_EQ(1, fileDialogs);
    const std::vector<uint8_t> bytes = ReadBytes(chosen);
    const std::string pdf(bytes.begin(), bytes.end());
    EXPECT_EQ(0u, pdf.rfind("%PDF-1.7", 0));
    // The chart is wider than tall: an A3 sheet turned on its side, 420 x 297 mm.
    EXPECT_NE(std::string::npos, pdf.find("/MediaBox[0 0 " + PdfNumber(420 * 72 / 25.4) + " " +
                                          PdfNumber(297 * 72 / 25.4) + "]"))
        << pdf.substr(0, 600);
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(L"Exported to PDF ..", boxes.Shown()[0].text);
}
