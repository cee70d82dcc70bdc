// The main window: a dialog without parent built in code, holding the canvas, the two rulers and
// the ruler-style button, run modally until it is ended.
#pragma once

#include "interaction/Redraw.h"

#include <windows.h>

struct App;

constexpr int kMainClientWidth = 1155;
constexpr int kMainClientHeight = 990;
constexpr DWORD kMainWindowStyle = 0x94C200D4;
constexpr DWORD kMainWindowExStyle = 0x00010000;
constexpr int kRulerButtonId = 1111;

// Creates and runs the main window; returns when it has been ended.
INT_PTR RunMainWindow(App& app);

// Creates the main window modeless (for tests): the same window and handler, without the modal loop.
HWND CreateMainWindowForTest(App& app);

// The App a window of the program belongs to (the main window or one of its controls).
App* AppOf(HWND window);
