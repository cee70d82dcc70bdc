// The main window and its controls; messages are handed to the command dispatch.
#include "app/shell/MainWindow.h"

#include "app/commands/FileCommands.h"
#include "app/commands/PageCommands.h"
#include "app/shell/MainLayout.h"
#include "app/shell/Menu.h"
#include "app/shell/PageBar.h"
#include "app/shell/Refresh.h"
#include "app/shell/Shortcuts.h"
#include "app/shell/StatusBar.h"
#include "app/shell/Toolbar.h"
#include "app/state/App.h"
#include "app/state/ChartRecovery.h"
#include "app/state/RecentCharts.h"
#include "app/state/CommandStates.h"
#include "app/state/RecentChartsKept.h"
#include "app/state/Settings.h"
#include "app/state/SettingsKeys.h"
#include "app/state/WindowPlacement.h"
#include "document/Selection.h"
#include "interaction/CanvasView.h"
#include "interaction/Redraw.h"
#include "interaction/TextStyle.h"
#include "render/Renderer.h"
#include "render/Dpi.h"
#include "render/ViewGeometry.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"

#include <commctrl.h>

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

// The working state of a fresh run, once the controls and the menu bar exist; then the recovery
// offer and the chart named on the command line.
void InitialiseMainWindow(App& app, HWND window) {
    ShellState& shell = app.shell;
    // The check marks of the character sets and of the copy configurator are set below with all
    // the other item states, from these flags.
    DeriveCharacterSetFlags(shell);
    SetWindowTextW(window, Tr(app, MessageTable::Chart, 1).c_str());

    shell.programFolder = ProgramFolder();
    shell.dialogFolder = shell.programFolder;

    shell.rulerStyle = ClampRulerStyle(shell.rulerStyle);
    CreatePictures(app.render);
    RedrawRulers(app);
    SetFocus(GetDlgItem(window, kCanvasId));

    ResetTextProperties(app.textProps);
    shell.leftMouseMode = 1;
    shell.rightMouseMode = 1;
    shell.aboutOpen = false;
    app.doc.lineColor = 0;
    app.doc.lineThickness = 1;
    ClearSelection(app.doc);
    app.doc.tablePresent = false;
    app.doc.cellCopied = false;
    // Check marks from the flags and modes; the document commands disabled, as no table exists.
    ApplyOutcome(app, {});

    // Edits on the canvas show in the title; Escape with unrecorded changes asks to save them and
    // then ends the program as the exit question's Yes does.
    app.chartEdited = [&app] {
        ApplyOutcome(app, {}); // an edit on the canvas makes "Undo" available
    };
    app.viewChanged = [&app] { ShowStatus(app); };
    app.endWithChanges = [&app] {
        if (SettleUnsavedChanges(app)) EndMainWindow(app.shell);
    };
    InstallShortcuts(window);

    SetFocus(GetDlgItem(window, kCanvasId));
    // The offer of a chart left unrecorded comes first: a chart named on the command line then
    // replaces whatever is shown as "Read file" would, never one of its pages.
    ApplyOutcome(app, StartRecoveryCopies(app));
    ApplyOutcome(app, OpenCommandLineFile(app, shell.commandLine));
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
    CreatePageBar(window);
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

// WM_NOTIFY from the page bar: a click on a tab shows that page; a right click shows the tab under
// the pointer, so that the pages' commands act on it, then their menu.
void OnPageBarNotify(App& app, const NMHDR& notice) {
    if (notice.idFrom != kPageBarId) return;
    if (notice.code == TCN_SELCHANGE) {
        const int tab = static_cast<int>(SendMessageW(notice.hwndFrom, TCM_GETCURSEL, 0, 0));
        ApplyOutcome(app, ShowChartPage(app, tab));
    } else if (notice.code == NM_RCLICK) {
        POINT screen{};
        GetCursorPos(&screen);
        if (const int tab = PageBarTabAt(notice.hwndFrom, screen); tab >= 0)
            ApplyOutcome(app, ShowChartPage(app, tab));
        HMENU menu = CreatePopupMenu();
        FillPagesMenu(app, menu);
        ApplyPagesMenuStates(app, menu);
        const int id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                      app.shell.mainWindow, nullptr);
        DestroyMenu(menu);
        if (id) DispatchCommand(app, id, 0);
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
