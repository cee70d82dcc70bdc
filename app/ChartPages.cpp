// The page bar, the "Pages" popup and the flows of the page commands. The chart's pages are
// parked in App::chart; the page shown is the document every other command works on.
#include "app/ChartPages.h"

#include "app/App.h"
#include "app/ChartFile.h"
#include "app/CommandIds.h"
#include "app/Commands.h"
#include "app/MainLayout.h"
#include "app/Menu.h"
#include "document/Structure.h"
#include "interaction/CanvasView.h"
#include "interaction/Redraw.h"
#include "render/Dpi.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"
#include "app/UpdateFromList.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kNameEditId = 101;
constexpr int kNameLabelId = 102;

std::wstring PageText(const App& app, int item) {
    return Tr(app, MessageTable::Pages, item);
}

std::wstring WithName(std::wstring text, const std::wstring& name) {
    size_t at = text.find(L"%1");
    if (at != std::wstring::npos) text.replace(at, 2, name);
    return text;
}

std::wstring NumberedPageName(const App& app, int number) {
    return WithName(PageText(app, 7), std::to_wstring(number));
}

HWND PageBar(const App& app) {
    return app.shell.mainWindow ? GetDlgItem(app.shell.mainWindow, kPageBarId) : nullptr;
}

// The zoom and scroll of the page shown go with it.
void KeepView(App& app) {
    ChartPage& page = app.chart.pages[size_t(app.chart.shown)];
    page.zoomPercent = app.render.zoomPercent;
    page.viewX = app.canvas.viewOffsetX;
    page.viewY = app.canvas.viewOffsetY;
}

void TakeView(App& app) {
    const ChartPage& page = app.chart.pages[size_t(app.chart.shown)];
    app.render.zoomPercent = page.zoomPercent ? page.zoomPercent : app.canvas.defaultZoom;
    app.canvas.viewOffsetX = page.zoomPercent ? page.viewX : 0;
    app.canvas.viewOffsetY = page.zoomPercent ? page.viewY : 0;
}

// Everything on screen follows the page now shown.
void PageShown(App& app) {
    TakeView(app);
    ShowTableSequence(app);
    OnCanvasResized(app);
    UpdatePageBar(app);
    ApplyMenuStates(app);
    UpdateChartTitle(app);
}

void NextPage(App& app, int step) {
    const int count = PageCount(app.chart);
    if (count < 2) return;
    ShowChartPage(app, (app.chart.shown + step + count) % count);
}

void NewPage(App& app, const NewPreset& preset) {
    KeepView(app);
    AddPage(app.chart, app.doc, NumberedPageName(app, PageCount(app.chart) + 1));
    ShowNewTable(app, preset);
    app.chart.pages[size_t(app.chart.shown)].zoomPercent = 0;
    UpdatePageBar(app);
    UpdateChartTitle(app);
}

void DeletePage(App& app) {
    if (PageCount(app.chart) < 2) return;
    const std::wstring question = WithName(PageText(app, 8), app.chart.pages[size_t(app.chart.shown)].name);
    if (ShowMessageBox(app.shell.mainWindow, question, Tr(app, MessageTable::Caption), MB_YESNO) != IDYES)
        return;
    DeleteShownPage(app.chart, app.doc);
    PageShown(app);
}

void MovePage(App& app, int step) {
    MoveShownPage(app.chart, step);
    UpdatePageBar(app);
    UpdateChartTitle(app);
}

// The page-name dialog: a label, an edit box and OK / Cancel, laid out in dialog units so that it
// scales with its font on every screen.
struct NameDialogRun {
    const App& app;
    std::wstring name;
};

void PlaceControl(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style, RECT units, int id,
                  DWORD exStyle = 0) {
    MapDialogRect(dialog, &units);
    HWND control = CreateChild(dialog, kind, text, WS_CHILD | WS_VISIBLE | style, units.left, units.top,
                               units.right - units.left, units.bottom - units.top, id, exStyle);
    SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
}

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto& run = *reinterpret_cast<NameDialogRun*>(lParam);
        PlaceControl(dialog, L"STATIC", PageText(run.app, 9), 0, {7, 7, 193, 17}, kNameLabelId);
        PlaceControl(dialog, L"EDIT", run.name, WS_TABSTOP | ES_AUTOHSCROLL | WS_BORDER, {7, 19, 193, 33},
                     kNameEditId, WS_EX_CLIENTEDGE);
        PlaceControl(dialog, L"BUTTON", Tr(run.app, MessageTable::FileNameDialog, 3),
                     WS_TABSTOP | BS_DEFPUSHBUTTON, {89, 41, 139, 55}, IDOK);
        PlaceControl(dialog, L"BUTTON", Tr(run.app, MessageTable::FileNameDialog, 4), WS_TABSTOP,
                     {143, 41, 193, 55}, IDCANCEL);
        SendDlgItemMessageW(dialog, kNameEditId, EM_SETLIMITTEXT, 120, 0);
        SendDlgItemMessageW(dialog, kNameEditId, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, kNameEditId));
        return FALSE;
    }
    auto* run = reinterpret_cast<NameDialogRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_COMMAND && run && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        wchar_t text[128] = L"";
        GetDlgItemTextW(dialog, kNameEditId, text, 128);
        run->name = text;
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void RenameShownPage(App& app) {
    NameDialogRun run{app, app.chart.pages[size_t(app.chart.shown)].name};
    std::vector<WORD> tmpl =
        BuildDialogTemplate(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                            200, 62, PageText(app, 3));
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                app.shell.mainWindow, NameDialogProc, reinterpret_cast<LPARAM>(&run)) != IDOK)
        return;
    // Blanks around the name mean nothing; an empty name keeps the old one.
    const size_t first = run.name.find_first_not_of(L' ');
    if (first == std::wstring::npos) return;
    run.name = run.name.substr(first, run.name.find_last_not_of(L' ') - first + 1);
    RenamePage(app.chart, app.chart.shown, run.name);
    UpdatePageBar(app);
    UpdateChartTitle(app);
}

// The items of the "Pages" popup, also shown by the page bar's right-click menu.
void FillPagesMenu(const App& app, HMENU menu) {
    HMENU fresh = CreatePopupMenu();
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(fresh), PageText(app, 2).c_str());
    HMENU horizontal = CreatePopupMenu(), vertical = CreatePopupMenu();
    AppendMenuW(fresh, MF_POPUP, reinterpret_cast<UINT_PTR>(horizontal),
                Tr(app, MessageTable::PageOrientation, 1).c_str());
    AppendMenuW(fresh, MF_POPUP, reinterpret_cast<UINT_PTR>(vertical),
                Tr(app, MessageTable::PageOrientation, 5).c_str());
    // The "New" presets in the order of Operations > New: cell sizes 16, 24, 32, 64.
    constexpr int sizeTexts[] = {2, 6, 3, 4};
    for (int i = 0; i < 4; ++i) {
        AppendMenuW(horizontal, MF_STRING, kCmdFirstNewPage + i,
                    Tr(app, MessageTable::PageOrientation, sizeTexts[i]).c_str());
        AppendMenuW(vertical, MF_STRING, kCmdFirstNewPage + 4 + i,
                    Tr(app, MessageTable::PageOrientation, sizeTexts[i]).c_str());
    }
    AppendMenuW(menu, MF_STRING, kCmdRenamePage, PageText(app, 3).c_str());
    AppendMenuW(menu, MF_STRING, kCmdDeletePage, PageText(app, 4).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kCmdMovePageLeft, PageText(app, 5).c_str());
    AppendMenuW(menu, MF_STRING, kCmdMovePageRight, PageText(app, 6).c_str());
}

void ApplyPagesMenuStates(const App& app, HMENU menu) {
    for (int id : kPageCommands)
        EnableMenuItem(menu, UINT(id),
                       MF_BYCOMMAND | (PageCommandState(app, id) == kItemDisabled ? MF_GRAYED : MF_ENABLED));
}

const NewPreset* PageNewPreset(int commandId) {
    if (commandId < kCmdFirstNewPage || commandId >= kCmdFirstNewPage + 8) return nullptr;
    constexpr int presets[] = {kCmdNewHorizontal16, kCmdNewHorizontal24, kCmdNewHorizontal32,
                               kCmdNewHorizontal64, kCmdNewVertical16,   kCmdNewVertical24,
                               kCmdNewVertical32,   kCmdNewVertical64};
    return FindNewPreset(presets[commandId - kCmdFirstNewPage]);
}

} // namespace

void CreatePageBar(App& app, HWND window) {
    HWND bar = CreateChild(window, WC_TABCONTROLW, L"",
                           WS_CHILD | WS_CLIPSIBLINGS | TCS_BOTTOM | TCS_FOCUSNEVER, 0, 0, 0, 0, kPageBarId);
    (void)app;
    SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

bool PageBarVisible(const App& app) {
    return app.doc.tablePresent && PageCount(app.chart) > 1;
}

void UpdatePageBar(App& app) {
    HWND bar = PageBar(app);
    if (!bar) return;
    const int dpi = WindowDpi(app.shell.mainWindow);
    if (app.pageBarFontDpi != dpi) {
        // The system's message font at the window's DPI, so the tabs read like the menus.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW font = metrics.lfMessageFont;
        WindowDC screen(nullptr);
        const int systemDpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
        app.pageBarFont = FontHandle(CreateFontIndirectW(&font));
        app.pageBarFontDpi = dpi;
        SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(app.pageBarFont.Get()), FALSE);
    }
    const int count = PageCount(app.chart);
    const bool visible = PageBarVisible(app);
    SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
    const int shownTabs = static_cast<int>(SendMessageW(bar, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < std::max(count, shownTabs); ++i) {
        if (i >= count) {
            SendMessageW(bar, TCM_DELETEITEM, WPARAM(count), 0);
            continue;
        }
        std::wstring name = app.chart.pages[size_t(i)].name;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = name.data();
        SendMessageW(bar, i < shownTabs ? TCM_SETITEMW : TCM_INSERTITEMW, WPARAM(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(bar, TCM_SETCURSEL, WPARAM(app.chart.shown), 0);
    SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
    // The style, not IsWindowVisible: before the main window shows, no child counts as visible.
    const bool wasVisible = (GetWindowLongPtrW(bar, GWL_STYLE) & WS_VISIBLE) != 0;
    ShowWindow(bar, visible ? SW_SHOWNA : SW_HIDE);
    if (wasVisible != visible) LayoutMainWindow(app, app.shell.mainWindow);
    InvalidateRect(bar, nullptr, TRUE);
}

void OnPageBarNotify(App& app, const NMHDR& notice) {
    if (notice.idFrom != kPageBarId) return;
    if (notice.code == TCN_SELCHANGE) {
        ShowChartPage(app, static_cast<int>(SendMessageW(notice.hwndFrom, TCM_GETCURSEL, 0, 0)));
    } else if (notice.code == NM_RCLICK) {
        // The tab under the pointer is shown first, so that the commands act on it.
        TCHITTESTINFO hit{};
        GetCursorPos(&hit.pt);
        POINT screen = hit.pt;
        ScreenToClient(notice.hwndFrom, &hit.pt);
        const int tab =
            static_cast<int>(SendMessageW(notice.hwndFrom, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (tab >= 0) ShowChartPage(app, tab);
        HMENU menu = CreatePopupMenu();
        FillPagesMenu(app, menu);
        ApplyPagesMenuStates(app, menu);
        const int id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                      app.shell.mainWindow, nullptr);
        DestroyMenu(menu);
        if (id) DispatchCommand(app, id, 0);
    }
}

void AppendPagesMenu(App& app, HMENU bar) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), PageText(app, 1).c_str());
    FillPagesMenu(app, menu);
}

int PageCommandState(const App& app, int commandId) {
    const bool table = app.doc.tablePresent;
    const int count = PageCount(app.chart), shown = app.chart.shown;
    auto enabled = [](bool on) { return on ? kItemEnabled : kItemDisabled; };
    // A chart of more pages than a book holds could never be recorded.
    if (PageNewPreset(commandId)) return enabled(table && count < int(kBookPageLimit));
    if (commandId == kCmdRenamePage) return enabled(table);
    switch (commandId) {
    case kCmdDeletePage:
    case kCmdNextPage:
    case kCmdPreviousPage:
        return enabled(table && count > 1);
    case kCmdMovePageLeft:
        return enabled(table && shown > 0);
    case kCmdMovePageRight:
        return enabled(table && shown + 1 < count);
    case kCmdUndo:
        if (CanRestoreRemovedPage(app.chart, app.doc) || CanUndoListUpdate(app)) return kItemEnabled;
        return -1;
    case kCmdPasteCell: {
        const int from = app.chart.copyPage;
        if (!table || from < 0 || from == shown || from >= count) return -1;
        return enabled(app.chart.pages[size_t(from)].parked &&
                       app.chart.pages[size_t(from)].parked->cellCopied);
    }
    default:
        return -1;
    }
}

bool RunPageCommand(App& app, int commandId) {
    if (const NewPreset* preset = PageNewPreset(commandId)) {
        NewPage(app, *preset);
        return true;
    }
    switch (commandId) {
    case kCmdRenamePage:
        RenameShownPage(app);
        return true;
    case kCmdDeletePage:
        DeletePage(app);
        return true;
    case kCmdMovePageLeft:
        MovePage(app, -1);
        return true;
    case kCmdMovePageRight:
        MovePage(app, 1);
        return true;
    case kCmdNextPage:
        NextPage(app, 1);
        return true;
    case kCmdPreviousPage:
        NextPage(app, -1);
        return true;
    case kCmdUndo:
        if (UndoListUpdate(app)) return true;
        if (!CanRestoreRemovedPage(app.chart, app.doc)) return false;
        RestoreRemovedPage(app.chart, app.doc);
        PageShown(app);
        return true;
    case kCmdPasteCell:
        if (app.chart.copyPage < 0 || app.chart.copyPage == app.chart.shown) return false;
        ShowOutcome(app, PasteCellOnChart(app.chart, app.doc, app.shell.copyFlags));
        RedrawCanvas(app);
        return true;
    case kCmdCopyCell:
        // The copy is noted for the other pages; the command itself runs as always.
        if (app.doc.selectionCount == 1) NoteCellCopied(app.chart);
        return false;
    default:
        return false;
    }
}

void ResetChartPages(App& app, const std::wstring& path) {
    std::wstring name = NumberedPageName(app, 1);
    if (!path.empty()) {
        const size_t slash = path.find_last_of(L"\\/");
        name = slash == std::wstring::npos ? path : path.substr(slash + 1);
        const size_t dot = name.find_last_of(L'.');
        if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    }
    ResetChart(app.chart, name);
    UpdatePageBar(app);
}

void ShowChartPage(App& app, int index) {
    if (index == app.chart.shown || index < 0 || index >= PageCount(app.chart)) {
        UpdatePageBar(app); // a click on the shown tab leaves the bar as it was
        return;
    }
    KeepView(app);
    ShowPage(app.chart, app.doc, index);
    PageShown(app);
}

void ShowReadChart(App& app) {
    PageShown(app);
}
