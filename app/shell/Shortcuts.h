// The shortcut keys of menu commands. The main window runs a dialog loop, which translates no
// accelerators; a message filter of the loop's thread translates them while the main window or
// one of its controls has the focus.
#pragma once

#include <windows.h>

void InstallShortcuts(HWND mainWindow);
// Ends the translation for the window (when it is the one the keys go to).
void RemoveShortcuts(HWND mainWindow);
