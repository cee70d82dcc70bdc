// The places of the main window's controls for its size and DPI, and its first place on screen.
#include "app/shell/MainLayout.h"

#include "app/shell/PageBar.h"
#include "app/shell/StatusBar.h"
#include "app/shell/Toolbar.h"
#include "app/state/App.h"
#include "app/state/WindowPlacement.h"
#include "ui/DialogTemplate.h"
#include "interaction/CanvasView.h"
#include "interaction/Redraw.h"
#include "render/Dpi.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// The specified places at 96 DPI: canvas at (22, 22) and 1122 x 936 in a client area of
// 1155 x 990 less one row of menu bar.
constexpr int kCanvasLeft = 22;
constexpr int kCanvasTop = 22;
constexpr int kCanvasWidth = 1122;
constexpr int kCanvasHeight = 936;
constexpr int kRulerThickness96 = 21;

RECT Box(int x, int y, int w, int h) {
    return RECT{x, y, x + std::max(w, 0), y + std::max(h, 0)};
}

void Move(HWND window, int id, const RECT& r) {
    if (HWND child = GetDlgItem(window, id))
        SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

int PageBarHeight(int dpi) {
    return ScaleForDpi(24, dpi);
}

MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int dpi, int menuRow, bool pages,
                             int toolbarHeight, int statusHeight) {
    auto s = [dpi](int length) { return ScaleForDpi(length, dpi); };
    const int band = std::max(toolbarHeight, 0);
    const int left = s(kCanvasLeft), top = s(kCanvasTop) + band;
    const int rightMargin = s(kMainClientWidth - kCanvasLeft - kCanvasWidth);
    const int bottomMargin = std::max(s(kMainClientHeight - kCanvasTop - kCanvasHeight) - menuRow, s(8));
    const int status = std::max(statusHeight, 0);
    const int width = std::max(clientWidth - left - rightMargin, 1);
    const int pageBar = pages ? PageBarHeight(dpi) : 0;
    const int height = std::max(clientHeight - top - bottomMargin - pageBar - status, 1);
    const int thickness = s(kRulerThickness96);
    MainLayout layout{};
    layout.canvas = Box(left, top, width, height);
    layout.horizontalRuler = Box(left, band + s(1), width + 1, thickness);
    layout.verticalRuler = Box(s(1), top, thickness, height + 1);
    layout.button = Box(0, band, s(22), s(22));
    layout.verticalBar = Box(left + width, top, rightMargin, height);
    layout.horizontalBar = Box(left, top + height, width, bottomMargin);
    layout.pageBar = Box(left, top + height + bottomMargin, width, pageBar);
    layout.toolbar = Box(0, 0, clientWidth, band);
    layout.statusBar = Box(0, top + height + bottomMargin + pageBar, clientWidth, status);
    return layout;
}

void CreateScrollBars(HWND window) {
    CreateChild(window, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 0, 0,
                kVerticalScrollBarId);
    CreateChild(window, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 0, 0,
                kHorizontalScrollBarId);
}

void LayoutMainWindow(App& app, HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) return; // minimised
    const int dpi = WindowDpi(window);
    app.render.screenDpi = dpi;
    FitToolbarToDpi(window);
    const MainLayout layout =
        ComputeMainLayout(client.right, client.bottom, dpi, SystemMetricForDpi(SM_CYMENU, dpi),
                          PageBarVisible(app), ToolbarHeight(window), StatusBarHeight(window));
    Move(window, kToolbarId, layout.toolbar);
    PlaceStatusBar(window, layout.statusBar);
    Move(window, kCanvasId, layout.canvas);
    Move(window, kHorizontalRulerId, layout.horizontalRuler);
    Move(window, kVerticalRulerId, layout.verticalRuler);
    Move(window, kRulerButtonId, layout.button);
    Move(window, kVerticalScrollBarId, layout.verticalBar);
    Move(window, kHorizontalScrollBarId, layout.horizontalBar);
    Move(window, kPageBarId, layout.pageBar);
    OnCanvasResized(app);
    UpdatePageBar(app); // its font follows the DPI
}

void PlaceMainWindow(HWND window, const std::wstring& iniPath) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (std::optional<KeptPlacement> kept = ReadWindowPlacement(iniPath)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        placement.rcNormalPosition = kept->normal;
        // A place on a screen that is no longer there is not restored; one kept from a larger
        // screen shrinks and moves into the work area of the screen that shows it.
        if (HMONITOR monitor = MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONULL)) {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            GetMonitorInfoW(monitor, &info);
            placement.rcNormalPosition =
                FitKeptPlace(placement.rcNormalPosition, info.rcMonitor, info.rcWork);
            placement.showCmd = kept->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
            SetWindowPlacement(window, &placement);
            return;
        }
    }
    const int dpi = WindowDpi(window);
    RECT outer{0, 0, ScaleForDpi(kMainClientWidth, dpi), ScaleForDpi(kMainClientHeight, dpi)};
    AdjustWindowRectForDpi(outer, style, false, exStyle, dpi);
    const RECT work = WorkAreaOf(window);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    if (w <= work.right - work.left && h <= work.bottom - work.top) {
        SetWindowPos(window, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CenterInWorkArea(window);
    } else {
        SetWindowPos(window, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void LimitMainWindowSize(HWND window, MINMAXINFO& limits) {
    const int dpi = WindowDpi(window);
    limits.ptMinTrackSize.x = ScaleForDpi(480, dpi);
    limits.ptMinTrackSize.y = ScaleForDpi(360, dpi);
}
