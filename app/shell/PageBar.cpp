// The page bar's tabs and the pages' menu items.
#include "app/shell/PageBar.h"

#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "app/state/ItemState.h"
#include "render/Dpi.h"
#include "ui/DialogTemplate.h"

#include <commctrl.h>

#include <algorithm>

namespace {

std::wstring PageText(const App& app, int item) {
    return Tr(app, MessageTable::Pages, item);
}

HWND PageBar(const App& app) {
    return app.shell.mainWindow ? GetDlgItem(app.shell.mainWindow, kPageBarId) : nullptr;
}

} // namespace

void CreatePageBar(HWND window) {
    HWND bar = CreateChild(window, WC_TABCONTROLW, L"",
                           WS_CHILD | WS_CLIPSIBLINGS | TCS_BOTTOM | TCS_FOCUSNEVER, 0, 0, 0, 0, kPageBarId);
    SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

bool PageBarVisible(const App& app) {
    return app.doc.tablePresent && PageCount(app.chart) > 1;
}

bool UpdatePageBar(App& app) {
    HWND bar = PageBar(app);
    if (!bar) return false;
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
    InvalidateRect(bar, nullptr, TRUE);
    return wasVisible != visible;
}

int PageBarTabAt(HWND bar, POINT screen) {
    TCHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(bar, &hit.pt);
    return static_cast<int>(SendMessageW(bar, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

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

void AppendPagesMenu(const App& app, HMENU bar) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), PageText(app, 1).c_str());
    FillPagesMenu(app, menu);
}

void ApplyPagesMenuStates(const App& app, HMENU menu) {
    for (int id : kPageCommands) {
        const bool disabled = ItemState(app, id) == kItemDisabled;
        EnableMenuItem(menu, UINT(id), MF_BYCOMMAND | (disabled ? MF_GRAYED : MF_ENABLED));
    }
}
