// The export to PDF: the chart's pages drawn as the printer receives them, each recorded drawing
// written as a page of one PDF document, and the dialog that chooses paper and pages.
#include "app/commands/PdfExport.h"

#include "app/commands/About.h"
#include "app/state/App.h"
#include "app/commands/ConversionCommand.h"
#include "document/WorkFile.h"
#include "interaction/DialogParts.h"
#include "render/CutChart.h"
#include "render/MetafilePdf.h"
#include "render/PdfBook.h"
#include "render/PictureFiles.h"
#include "ui/DialogTemplate.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"
#include "ui/PictureMessages.h"

#include <new>

namespace {

constexpr DWORD kPdfDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
// Laid out in 96-DPI pixels; FitDialogToScreen scales it to the screen.
constexpr int kWidth = 400, kHeight = 232;
constexpr PdfPaper kPapers[] = {PdfPaper::A4, PdfPaper::Letter, PdfPaper::A3, PdfPaper::Chart};

std::u16string U16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

// The chart's name: its file's name without the folder and extension, or "Untitled".
std::wstring ChartTitle(const App& app, const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return name.empty() ? Tr(app, MessageTable::UnsavedChanges, 1) : name;
}

// A page's outline entry: its name; without one, the chart's title for a chart of one page, the
// page's number otherwise.
std::u16string PageTitle(const App& app, int index, const std::wstring& title) {
    const std::wstring& name = app.chart.pages[size_t(index)].name;
    if (!name.empty()) return U16(name);
    return U16(PageCount(app.chart) == 1 ? title : std::to_wstring(index + 1));
}

std::wstring PagesText(const App& app) {
    std::wstring text = Tr(app, MessageTable::PdfExport, 18);
    if (size_t at = text.find(L"%1"); at != std::wstring::npos)
        text.replace(at, 2, std::to_wstring(PageCount(app.chart)));
    return text;
}

struct PdfDialogRun {
    App& app;
    PdfExportChoice& choice;
    FontHandle font;
};

PdfDialogRun* RunOf(HWND dialog) {
    return reinterpret_cast<PdfDialogRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void EnableRange(HWND dialog) {
    const bool range = IsDlgButtonChecked(dialog, kPdfRangeId) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, kPdfFromId), range);
    EnableWindow(GetDlgItem(dialog, kPdfToId), range);
}

void OnInitDialog(PdfDialogRun& run, HWND dialog) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&run));
    SetClientSize(dialog, kWidth, kHeight);
    App& app = run.app;
    auto text = [&](int item) { return Tr(app, MessageTable::PdfExport, item); };
    CreateChild(dialog, L"STATIC", text(3), WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 16, 96, 20, -1);
    HWND paper = CreateChild(dialog, L"COMBOBOX", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 112, 12, 276,
                             200, kPdfPaperId);
    for (int item = 4; item <= 7; ++item)
        SendMessageW(paper, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text(item).c_str()));
    for (size_t i = 0; i < std::size(kPapers); ++i)
        if (kPapers[i] == run.choice.paper) SendMessageW(paper, CB_SETCURSEL, i, 0);

    CreateChild(dialog, L"BUTTON", text(8), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 12, 48, 376, 132, -1);
    const bool pages = PageCount(app.chart) > 1;
    CreateChild(dialog, L"BUTTON", text(9),
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 28, 72, 344, 22,
                kPdfAllPagesId);
    HWND shown = CreateChild(dialog, L"BUTTON", text(10), WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 28, 100,
                             344, 22, kPdfShownPageId);
    HWND range = CreateChild(dialog, L"BUTTON", text(11), WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 28, 132,
                             132, 22, kPdfRangeId);
    CreateChild(dialog, L"EDIT", L"1",
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_NUMBER | ES_AUTOHSCROLL, 164, 131, 56, 24,
                kPdfFromId, WS_EX_CLIENTEDGE);
    CreateChild(dialog, L"STATIC", text(12), WS_CHILD | WS_VISIBLE | SS_CENTER, 224, 135, 40, 20, -1);
    CreateChild(dialog, L"EDIT", std::to_wstring(PageCount(app.chart)),
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 268, 131, 56, 24, kPdfToId,
                WS_EX_CLIENTEDGE);
    CheckDlgButton(dialog, kPdfAllPagesId, BST_CHECKED);
    EnableWindow(shown, pages);
    EnableWindow(range, pages);
    EnableRange(dialog);

    CreateChild(dialog, L"BUTTON", text(13), WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
                188, 194, 96, 28, IDOK);
    CreateChild(dialog, L"BUTTON", text(14), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 292, 194, 96,
                28, IDCANCEL);
    run.font = CreateControlFont(L"MS Sans Serif", 8, false);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(run.font.Get()), FALSE);
    FitDialogToScreen(dialog, kWidth, kHeight, 0);
    SetFocus(GetDlgItem(dialog, IDOK));
}

// Reads the dialog into the choice; false (and the user told why) for a range that is none.
bool ReadChoice(PdfDialogRun& run, HWND dialog) {
    const LRESULT paper = SendDlgItemMessageW(dialog, kPdfPaperId, CB_GETCURSEL, 0, 0);
    if (paper >= 0 && size_t(paper) < std::size(kPapers)) run.choice.paper = kPapers[paper];
    const int count = PageCount(run.app.chart);
    run.choice.first = 0;
    run.choice.last = count - 1;
    if (IsDlgButtonChecked(dialog, kPdfShownPageId) == BST_CHECKED) {
        run.choice.first = run.choice.last = run.app.chart.shown;
    } else if (IsDlgButtonChecked(dialog, kPdfRangeId) == BST_CHECKED) {
        const std::u16string range = WindowTextU16(GetDlgItem(dialog, kPdfFromId)) + u"-" +
                                     WindowTextU16(GetDlgItem(dialog, kPdfToId));
        if (!ParsePageRange(range, count, run.choice.first, run.choice.last)) {
            ShowMessageBox(dialog, PagesText(run.app), Tr(run.app, MessageTable::Caption),
                           MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    return true;
}

INT_PTR CALLBACK PdfDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        OnInitDialog(*reinterpret_cast<PdfDialogRun*>(lParam), dialog);
        return FALSE; // the focus is set
    }
    PdfDialogRun* run = RunOf(dialog);
    if (!run || message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (id == kPdfAllPagesId || id == kPdfShownPageId || id == kPdfRangeId) {
        EnableRange(dialog);
    } else if (id == IDOK) {
        if (ReadChoice(*run, dialog)) EndDialog(dialog, IDOK);
    } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    }
    return TRUE;
}

} // namespace

PdfPaper RegionPaper() {
    wchar_t size[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IPAPERSIZE, size, 8) > 0 &&
        (wcscmp(size, L"1") == 0 || wcscmp(size, L"5") == 0))
        return PdfPaper::Letter;
    return PdfPaper::A4;
}

bool WriteChartPdf(App& app, const std::wstring& path, PdfPaper paper, int first, int last,
                   const std::wstring& title) {
    const int count = PageCount(app.chart);
    if (first < 0 || last >= count || first > last) return false;
    const int shown = app.chart.shown;
    const CutChartLook look{app.shell.characterSet, static_cast<COLORREF>(app.shell.favouriteBackground)};
    std::string bytes;
    try {
        PdfBook book;
        bool drawn = true;
        for (int i = first; i <= last && drawn; ++i) {
            if (count > 1) ShowPage(app.chart, app.doc, i);
            if (!app.doc.tablePresent || app.doc.tableColumns <= 0 || app.doc.tableRows <= 0) {
                // A page without a table is an empty sheet, so the pages keep their numbers.
                book.AddPage("", PdfSheetFor(210, 297, paper == PdfPaper::Chart ? PdfPaper::A4 : paper), {},
                             i, PageTitle(app, i, title));
                continue;
            }
            // The cell pictures' files are listed while the page is drawn, so JPEG files go in whole.
            std::vector<DrawnPictureFile> files;
            app.render.drawnPictureFiles = &files;
            const CutChart chart = DrawCutChart(app.render, app.doc, look, ChartCut::Extent);
            app.render.drawnPictureFiles = nullptr;
            drawn = chart.metafile &&
                    AddMetafilePage(book, chart.metafile.Get(), PdfSheetFor(chart.width, chart.height, paper),
                                    i, PageTitle(app, i, title), chart.corner, &files);
        }
        if (drawn) bytes = book.Finish(U16(title), U16(VersionLine().empty() ? L"Cuadrix" : VersionLine()));
    } catch (const std::bad_alloc&) {
        app.render.drawnPictureFiles = nullptr;
        bytes.clear(); // a chart too large to hold in memory is simply not written
    }
    if (count > 1) ShowPage(app.chart, app.doc, shown);
    if (bytes.empty()) return false;
    return ReplaceFileWith(path, [&](const std::wstring& temporary) {
        return WriteWholeFile(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                              temporary)
            .Done();
    });
}

bool ChoosePdfExport(App& app, PdfExportChoice& choice) {
    PdfDialogRun run{app, choice, {}};
    std::vector<WORD> tmpl =
        BuildDialogTemplate(kPdfDialogStyle, 0, 100, 100, Tr(app, MessageTable::PdfExport, 2));
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                   app.shell.mainWindow, PdfDialogProc,
                                   reinterpret_cast<LPARAM>(&run)) == IDOK;
}

bool ExportPdfTo(App& app, const std::wstring& path, const PdfExportChoice& choice) {
    if (path.empty()) return false;
    const bool written = WriteChartPdf(app, path, choice.paper, choice.first, choice.last,
                                       ChartTitle(app, app.shell.chartPath));
    ReportPictureProblems(app.render.pictureCache, nullptr);
    const std::wstring text = written ? Tr(app, MessageTable::PdfExport, 17)
                                      : Tr(app, MessageTable::ExportNotWritten) + L"\r\n" + path;
    ShowMessageBox(app.shell.mainWindow, text, Tr(app, MessageTable::Caption), MB_OK);
    return written;
}

Outcome ExportPdf(App& app) {
    if (!app.doc.tablePresent) return {};
    PdfExportChoice choice;
    choice.paper = RegionPaper();
    if (!ChoosePdfExport(app, choice)) return {};
    // The chart's own name is suggested for the document.
    const std::wstring suggestion =
        app.shell.chartPath.empty() ? L"" : ChartTitle(app, app.shell.chartPath) + L".pdf";
    const std::wstring path = PdfDialog(app.shell, app.shell.mainWindow, suggestion);
    if (path.empty()) return {};
    ExportPdfTo(app, path, choice);
    return kShownWholeTable; // the pictures held the pages drawn for the document meanwhile
}

int RunPdfConversion(App& app, const ConversionCommand& command, const std::wstring& source,
                     const std::wstring& target, std::wstring& failure) {
    PdfPaper paper = RegionPaper();
    if (!command.paper.empty() && !ParsePdfPaper(U16(command.paper), paper)) {
        failure = Tr(app, MessageTable::PdfExport, 19) + L" " + command.paper;
        return kConversionUsage;
    }
    int first = 0, last = PageCount(app.chart) - 1;
    if (!command.pages.empty() && !ParsePageRange(U16(command.pages), PageCount(app.chart), first, last)) {
        failure = PagesText(app) + L" " + command.pages;
        return kConversionUsage;
    }
    if (!WriteChartPdf(app, target, paper, first, last, ChartTitle(app, source))) {
        failure = Tr(app, MessageTable::ExportNotWritten) + L" " + target;
        return kConversionNotWritten;
    }
    return kConversionDone;
}
