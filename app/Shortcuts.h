// The shortcut keys of menu commands. The main window runs a dialog loop, which translates no
// accelerators; a message filter of the loop's thread translates them for the main window while
// the canvas (or the window itself) has the focus.
#pragma once

#include <windows.h>

void InstallShortcuts(HWND mainWindow);
// Ends the translation for the window (when it is the one the keys go to).
void RemoveShortcuts(HWND mainWindow);
