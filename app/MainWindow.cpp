// The main window and its controls; messages are handed to the command dispatch.
#include "app/MainWindow.h"

#include "app/App.h"
#include "app/ChartFile.h"
#include "app/ChartPages.h"
#include "app/CommandIds.h"
#include "app/CommandStates.h"
#include "app/Commands.h"
#include "app/MainLayout.h"
#include "app/Menu.h"
#include "app/RecentCharts.h"
#include "app/RecentChartsMenu.h"
#include "app/StatusBar.h"
#include "app/Toolbar.h"
#include "app/Settings.h"
#include "app/Shortcuts.h"
#include "ui/MessageBox.h"
#include "app/WindowInit.h"
#include "interaction/CanvasView.h"
#include "interaction/Redraw.h"
#include "render/Dpi.h"
#include "render/ViewGeometry.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"

namespace {

constexpr wchar_t kAppProperty[] = L"Cuadrix.App";
constexpr UINT kDpiChangedMessage = 0x02E0; // WM_DPICHANGED, not in every SDK

void CreateControls(HWND window) {
    CreateChild(window, L"STATIC", L"", 0x50800100, 22, 22, 1122, 936, kCanvasId);
    // Ruler frames: border and sunken; made visible children of the main window.
    CreateChild(window, L"STATIC", L"", WS_CHILD | WS_VISIBLE | 0x00801000, 22, 1, 1123, 21,
                kHorizontalRulerId);
    CreateChild(window, L"STATIC", L"", WS_CHILD | WS_VISIBLE | 0x00801000, 1, 22, 21, 937, kVerticalRulerId);
    CreateChild(window, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 22, 22,
                kRulerButtonId);
}

void OnCreate(App& app, HWND window) {
    app.shell.mainWindow = window;
    SetPropW(window, kAppProperty, &app);
    SetClientSize(window, kMainClientWidth, kMainClientHeight);
    CenterInWorkArea(window);
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(200));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    CreateControls(window);
    CreateScrollBars(window);
    CreateToolbar(app, window);
    CreateStatusBar(window);
    CreatePageBar(app, window);
    // Attached after the size is set: the outer size stays, the client area loses the bar's height.
    BuildMenuBar(app);
    InstallCanvasHandler(app, GetDlgItem(window, kCanvasId));
    InstallRulerPainters(app, window);
    // The table is shown at the screen's scale unless the user zooms.
    app.render.screenDpi = WindowDpi(window);
    app.canvas.defaultZoom = ZoomForDpi(app.render.screenDpi);
    app.render.zoomPercent = app.canvas.defaultZoom;
    PlaceMainWindow(window, app.placementFile);

    InitialiseMainWindow(app, window);
    LayoutMainWindow(app, window);
}

// The window moved to a screen of another DPI: it takes the size the system suggests, its
// controls are laid out anew in WM_SIZE, and a view at the old screen's scale takes the new one.
void OnDpiChanged(App& app, HWND window, WPARAM wParam, const RECT& suggested) {
    const int dpi = HIWORD(wParam);
    if (app.render.zoomPercent == app.canvas.defaultZoom) app.render.zoomPercent = ZoomForDpi(dpi);
    app.canvas.defaultZoom = ZoomForDpi(dpi);
    app.render.screenDpi = dpi;
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutMainWindow(app, window);
}

void OnActivate(App& app, HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) app.shell.savedFocus = focus;
    } else if (app.shell.savedFocus) {
        SetFocus(app.shell.savedFocus);
        app.shell.savedFocus = nullptr;
    }
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    App* app = message == WM_INITDIALOG ? reinterpret_cast<App*>(lParam) : AppOf(window);
    if (!app) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        OnCreate(*app, window);
        return FALSE; // the focus has been given to the canvas
    case WM_ACTIVATE:
        OnActivate(*app, window, wParam);
        break;
    case WM_COMMAND:
        DispatchCommand(*app, LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_NOTIFY:
        if (OnToolbarTooltip(*app, reinterpret_cast<NMHDR*>(lParam))) return TRUE;
        OnPageBarNotify(*app, *reinterpret_cast<const NMHDR*>(lParam));
        break;
    case WM_INITMENUPOPUP:
        // The wheel and the keys zoom too: the check mark is brought up to date as the menu opens.
        ShowZoomChecks(*app);
        break;
    case WM_MENUSELECT:
        // A recent chart's item shows where the chart is; the parts come back as the menu closes.
        ShowStatusNote(*app, HIWORD(wParam) == 0xFFFF && !lParam
                                 ? std::wstring()
                                 : FolderOf(RecentChartPath(*app, LOWORD(wParam))));
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) LayoutMainWindow(*app, window);
        break;
    case WM_GETMINMAXINFO:
        LimitMainWindowSize(window, *reinterpret_cast<MINMAXINFO*>(lParam));
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        OnScrollBar(*app, reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        return TRUE;
    case kDpiChangedMessage:
        OnDpiChanged(*app, window, wParam, *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        // The close box asks the same question as Escape.
        AskExitQuestion(*app);
        return TRUE;
    case WM_TIMER:
        if (wParam == kRecoveryTimerId) OnRecoveryTimer(*app);
        break;
    case WM_QUERYENDSESSION:
        // Windows is ending the session: unrecorded changes get the save question, and Cancel (or
        // a failed save) keeps the session running.
        SetWindowLongPtrW(window, DWLP_MSGRESULT, SettleUnsavedChanges(*app) ? TRUE : FALSE);
        return TRUE;
    case WM_ENDSESSION:
        // The process may end without WM_DESTROY.
        if (wParam) {
            SaveWindowPlacement(window, app->placementFile);
            EndSessionRecoveryCopies(*app);
        }
        break;
    case WM_DESTROY:
        DestroyToolbarPictures(window);
        // Whichever way the program ends (Exit, the close box, Alt+F4, Escape), its place is kept.
        SaveWindowPlacement(window, app->placementFile);
        RemoveShortcuts(window);
        EndRecoveryCopies(*app);
        RemovePropW(window, kAppProperty);
        if (app->shell.mainWindow == window) {
            app->shell.mainWindow = nullptr;
            app->shell.menuBar = nullptr; // destroyed with the window
        }
        break;
    }
    return FALSE;
}

std::vector<WORD> MainTemplate() {
    return BuildDialogTemplate(kMainWindowStyle | kMainWindowFrame, kMainWindowExStyle, 100, 100, L"");
}

} // namespace

App* AppOf(HWND window) {
    while (window) {
        if (auto* app = static_cast<App*>(GetPropW(window, kAppProperty))) return app;
        window = GetParent(window);
    }
    return nullptr;
}

INT_PTR RunMainWindow(App& app) {
    std::vector<WORD> tmpl = MainTemplate();
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                   nullptr, MainDialogProc, reinterpret_cast<LPARAM>(&app));
}

HWND CreateMainWindowForTest(App& app) {
    std::vector<WORD> tmpl = MainTemplate();
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), nullptr, MainDialogProc,
                                      reinterpret_cast<LPARAM>(&app));
}
