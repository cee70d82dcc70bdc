// The main window: a dialog without parent built in code, holding the canvas, the two rulers and
// the ruler-style button, run modally until it is ended. Its procedure unpacks each message, runs
// the command or handler it names and shows the outcome (app/shell/Refresh.h).
#pragma once

#include "app/shell/MainLayout.h"
#include "interaction/Redraw.h"

#include <windows.h>

struct App;

constexpr DWORD kMainWindowStyle = 0x94C200D4;
constexpr DWORD kMainWindowExStyle = 0x00010000;
// Added to the style above: the window can be resized, maximised and closed (the close box asks
// the exit question).
constexpr DWORD kMainWindowFrame = WS_THICKFRAME | WS_MAXIMIZEBOX | WS_SYSMENU;

// Creates and runs the main window; returns when it has been ended.
INT_PTR RunMainWindow(App& app);

// Creates the main window modeless (for tests): the same window and handler, without the modal loop.
HWND CreateMainWindowForTest(App& app);

// The App a window of the program belongs to (the main window or one of its controls).
App* AppOf(HWND window);
