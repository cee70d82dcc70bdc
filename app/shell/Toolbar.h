// The toolbar under the menu bar: the everyday commands as buttons with pictures for the screen's
// DPI and tooltips in the interface language. Its buttons send the menu's commands and show the
// states the menu shows.
#pragma once

#include <windows.h>

struct App;

constexpr int kToolbarId = 1042;

// Creates the toolbar as a child of the main window (placed by the main window's layout).
void CreateToolbar(App& app, HWND window);

// Gives the toolbar the pictures for its window's DPI (after a move to another screen).
void FitToolbarToDpi(HWND window);
// The window goes: the toolbar's pictures go with it.
void DestroyToolbarPictures(HWND window);

// Height of the toolbar in its window (0 when there is none).
int ToolbarHeight(HWND window);

// Enables, disables, presses and releases the buttons as the menu items of their commands are.
void ShowToolbarStates(App& app);

// The tooltip of a button (TTN_GETDISPINFOW from the toolbar's tooltips); true when it was one of ours.
bool OnToolbarTooltip(App& app, NMHDR* header);

// The size of the buttons' pictures at a DPI: 16, 24 or 32 pixels.
int ToolbarPictureSize(int dpi);
