// The main window's size and the places of its controls. The controls keep their specified
// 96-DPI places scaled to the screen's DPI; the canvas and the rulers take whatever the window
// gives beyond the specified size, and the scroll bars lie in the margins right of and below the
// canvas. The window's placement is kept in a settings section of its own.
#pragma once

#include <windows.h>

#include <string>

struct App;

// The specified client size at 96 DPI, and the ruler-style button in its corner.
constexpr int kMainClientWidth = 1155;
constexpr int kMainClientHeight = 990;
constexpr int kRulerButtonId = 1111;

// Places of the controls for a client area of the given size at a DPI; `menuRow` is the height of
// one row of the menu bar at that DPI. The toolbar takes `toolbarHeight` pixels at the top and the
// status bar `statusHeight` at the bottom; the rulers, the canvas and its scroll bars keep their
// places between them.
struct MainLayout {
    RECT canvas;
    RECT horizontalRuler;
    RECT verticalRuler;
    RECT button;
    RECT verticalBar;
    RECT horizontalBar;
    RECT pageBar; // empty without pages
    RECT toolbar;
    RECT statusBar;
};
// With `pages`, the page bar takes a row of tabs under the horizontal scroll bar and the canvas
// gives up that height.
MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int dpi, int menuRow, bool pages = false,
                             int toolbarHeight = 0, int statusHeight = 0);
// Height of the page bar's row at a DPI.
int PageBarHeight(int dpi);

// Creates the two scroll bars beside the canvas.
void CreateScrollBars(HWND window);

// Moves the controls to their places for the window's current client area and DPI and lets the
// canvas's view follow.
void LayoutMainWindow(App& app, HWND window);

// Gives the new window its first size and place: the stored placement (none without a settings
// file) when there is one and it lies on a screen; otherwise the specified client size at the screen's DPI,
// centred in the work area, or the whole work area where that size does not fit.
void PlaceMainWindow(HWND window, const std::wstring& iniPath);

// WM_GETMINMAXINFO: the smallest useful window.
void LimitMainWindowSize(HWND window, MINMAXINFO& limits);
