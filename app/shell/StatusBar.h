// The status bar at the bottom of the main window: the left-button mode, the cell under the
// pointer, the table's size and cell size, and the zoom. Its parts are texts of the state alone.
#pragma once

#include <windows.h>

#include <string>

struct App;

constexpr int kStatusBarId = 1043;

// Creates the status bar as a child of the main window.
void CreateStatusBar(HWND window);

// Height of the status bar in its window (0 when there is none).
int StatusBarHeight(HWND window);

// Places the bar along the bottom of the client area and divides it for the window's DPI.
void PlaceStatusBar(HWND window, const RECT& place);

// Shows the texts for the current state and the cell under the pointer.
void ShowStatus(App& app);

// Shows one text across the whole bar instead of the parts (a recent chart's folder while its item
// is highlighted); an empty text brings the parts back.
void ShowStatusNote(App& app, const std::wstring& text);
