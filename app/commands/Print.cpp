// Printing the cut chart: the standard print dialog with the default printer's settings and the
// chart's orientation preselected, the recorded chart played on the printer, errors reported.
#include "app/commands/Print.h"

#include "app/state/App.h"
#include "ui/MessageBox.h"
#include "ui/PictureMessages.h"
#include "render/CutChart.h"
#include "render/PrintPage.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace {

// Owns movable global memory that the print dialog hands out (settings and printer names).
class GlobalMemory {
  public:
    GlobalMemory() = default;
    ~GlobalMemory() {
        if (handle_) GlobalFree(handle_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    HGLOBAL Get() const { return handle_; }
    // The dialog may replace the handles it was given: the owner takes the new one back.
    HGLOBAL& Slot() { return handle_; }

  private:
    HGLOBAL handle_ = nullptr;
};

// Locks global memory for the lifetime of the scope.
template <class T> class Locked {
  public:
    explicit Locked(HGLOBAL handle)
        : handle_(handle), data_(handle ? static_cast<T*>(GlobalLock(handle)) : nullptr) {}
    ~Locked() {
        if (data_) GlobalUnlock(handle_);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    T* operator->() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }
    T* Get() const { return data_; }

  private:
    HGLOBAL handle_;
    T* data_;
};

// Owns a printer drawing surface.
struct PrinterDC {
    HDC dc = nullptr;
    PrinterDC() = default;
    PrinterDC(const PrinterDC&) = delete;
    PrinterDC& operator=(const PrinterDC&) = delete;
    ~PrinterDC() {
        if (dc) DeleteDC(dc);
    }
};

// The default printer's settings and names; false when no printer is installed.
bool DefaultPrinterSettings(GlobalMemory& devMode, GlobalMemory& devNames) {
    PRINTDLGW request{};
    request.lStructSize = sizeof request;
    request.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgW(&request)) return false;
    devMode.Slot() = request.hDevMode;
    devNames.Slot() = request.hDevNames;
    return devMode.Get() && devNames.Get();
}

void SetOrientation(HGLOBAL devMode, bool landscape) {
    Locked<DEVMODEW> mode(devMode);
    if (!mode) return;
    mode->dmFields |= DM_ORIENTATION;
    mode->dmOrientation = static_cast<short>(landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
}

// The drawing surface of the printer the names and settings describe.
HDC CreatePrinterDC(HGLOBAL devMode, HGLOBAL devNames) {
    Locked<DEVNAMES> names(devNames);
    Locked<DEVMODEW> mode(devMode);
    if (!names) return nullptr;
    const auto* base = reinterpret_cast<const wchar_t*>(names.Get());
    return CreateDCW(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode.Get());
}

// What the chart is drawn with besides the document: as the cut exports draw it.
CutChartLook LookOf(const App& app) {
    return CutChartLook{app.shell.characterSet, static_cast<COLORREF>(app.shell.favouriteBackground)};
}

void ReportPrintResult(App& app, PrintResult result) {
    if (result == PrintResult::NoPrinter || result == PrintResult::Refused)
        ShowMessageBox(app.shell.mainWindow,
                       Tr(app, MessageTable::Printing, result == PrintResult::NoPrinter ? 2 : 3),
                       Tr(app, MessageTable::Caption), MB_OK | MB_ICONEXCLAMATION);
}

// Every page is drawn for the printer from its own document; the page shown comes back after.
Outcome PrintChartOfPages(App& app) {
    const int shown = app.chart.shown;
    const CutChartLook look = LookOf(app);
    auto draw = [&](int index) {
        ShowPage(app.chart, app.doc, index);
        CutChart chart = DrawCutChart(app.render, app.doc, look, ChartCut::Extent);
        return PrintedPage{std::move(chart.metafile), chart.width, chart.height};
    };
    const CutChart current = DrawCutChart(app.render, app.doc, look, ChartCut::Extent);
    const PrintResult result = PrintChartPagesTo(
        app.shell.mainWindow, true, PageCount(app.chart), shown,
        PrefersLandscape(current.width, current.height),
        PrintDocumentName(app.shell.chartPath, Tr(app, MessageTable::UnsavedChanges, 1)), draw);
    ShowPage(app.chart, app.doc, shown);
    ReportPrintResult(app, result);
    return kShownWholeTable; // the pictures held the other pages meanwhile
}

// What a print dialog that returned without a printer means: cancelled by the user, no printer
// installed, or a printer that cannot be used.
PrintResult DialogOutcome() {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return PrintResult::Cancelled;
    return error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES ? PrintResult::NoPrinter
                                                                   : PrintResult::Refused;
}

} // namespace

PrintResult PrintRecordedChart(HWND owner, bool askUser, HENHMETAFILE chart, int width, int height,
                               const std::wstring& documentName) {
    GlobalMemory devMode, devNames;
    if (!DefaultPrinterSettings(devMode, devNames)) return PrintResult::NoPrinter;
    SetOrientation(devMode.Get(), PrefersLandscape(width, height));

    PrinterDC printer;
    if (askUser) {
        PRINTDLGW request{};
        request.lStructSize = sizeof request;
        request.hwndOwner = owner;
        request.hDevMode = devMode.Get();
        request.hDevNames = devNames.Get();
        // One page, the whole chart: no page ranges, no selection; copies go to the printer.
        request.Flags =
            PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
        request.nCopies = 1;
        const BOOL chosen = PrintDlgW(&request);
        devMode.Slot() = request.hDevMode;
        devNames.Slot() = request.hDevNames;
        printer.dc = request.hDC;
        if (!chosen) return DialogOutcome();
    } else {
        printer.dc = CreatePrinterDC(devMode.Get(), devNames.Get());
    }
    if (!printer.dc) return PrintResult::Refused;
    return PrintChartPage(printer.dc, chart, documentName) ? PrintResult::Printed : PrintResult::Refused;
}

PrintResult PrintChartPagesTo(HWND owner, bool askUser, int pageCount, int currentPage, bool landscape,
                              const std::wstring& documentName, const DrawPrintedPage& draw) {
    GlobalMemory devMode, devNames;
    if (!DefaultPrinterSettings(devMode, devNames)) return PrintResult::NoPrinter;
    SetOrientation(devMode.Get(), landscape);

    PrinterDC printer;
    int first = 0, last = pageCount - 1;
    if (askUser) {
        PRINTDLGW request{};
        request.lStructSize = sizeof request;
        request.hwndOwner = owner;
        request.hDevMode = devMode.Get();
        request.hDevNames = devNames.Get();
        // The chart's pages are the document's pages; the page shown is what "Selection" prints.
        request.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE | PD_ALLPAGES;
        request.nCopies = 1;
        request.nMinPage = 1;
        request.nMaxPage = static_cast<WORD>(pageCount);
        request.nFromPage = 1;
        request.nToPage = static_cast<WORD>(pageCount);
        const BOOL chosen = PrintDlgW(&request);
        devMode.Slot() = request.hDevMode;
        devNames.Slot() = request.hDevNames;
        printer.dc = request.hDC;
        if (!chosen) return DialogOutcome();
        if (request.Flags & PD_SELECTION) {
            first = last = currentPage;
        } else if (request.Flags & PD_PAGENUMS) {
            first = std::max(1, int(request.nFromPage)) - 1;
            last = std::min(pageCount, int(request.nToPage)) - 1;
        }
    } else {
        printer.dc = CreatePrinterDC(devMode.Get(), devNames.Get());
    }
    if (!printer.dc) return PrintResult::Refused;
    std::vector<EnhMetafile> drawn;
    std::vector<HENHMETAFILE> charts;
    for (int i = first; i <= last; ++i) {
        PrintedPage page = draw(i);
        if (!page.metafile) return PrintResult::Refused;
        charts.push_back(page.metafile.Get());
        drawn.push_back(std::move(page.metafile));
    }
    return PrintChartPages(printer.dc, charts, documentName) ? PrintResult::Printed : PrintResult::Refused;
}

std::wstring PrintDocumentName(const std::wstring& chartPath, const std::wstring& untitled) {
    const size_t slash = chartPath.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? chartPath : chartPath.substr(slash + 1);
    return name.empty() ? untitled : name;
}

Outcome PrintChart(App& app) {
    if (!app.doc.tablePresent) return {};
    if (PageCount(app.chart) > 1) return PrintChartOfPages(app);
    CutChart chart = DrawCutChart(app.render, app.doc, LookOf(app), ChartCut::Extent);
    ReportPictureProblems(app.render.pictureCache, nullptr);
    if (!chart.metafile) return {};
    const PrintResult result =
        PrintRecordedChart(app.shell.mainWindow, true, chart.metafile.Get(), chart.width, chart.height,
                           PrintDocumentName(app.shell.chartPath, Tr(app, MessageTable::UnsavedChanges, 1)));
    if (result == PrintResult::NoPrinter || result == PrintResult::Refused)
        ShowMessageBox(app.shell.mainWindow,
                       Tr(app, MessageTable::Printing, result == PrintResult::NoPrinter ? 2 : 3),
                       Tr(app, MessageTable::Caption), MB_OK | MB_ICONEXCLAMATION);
    return {};
}
