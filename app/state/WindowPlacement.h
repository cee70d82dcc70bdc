// The main window's place as the settings file keeps it, in a section of its own after the
// settings' two sections: its normal position and size, and whether it was maximised.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

struct KeptPlacement {
    RECT normal; // in workspace coordinates, as window placements hold them
    bool maximized = false;
};

// The kept place; none without a settings file or a kept size.
std::optional<KeptPlacement> ReadWindowPlacement(const std::wstring& iniPath);

// Stores the window's placement (normal position and size, maximised or not); nothing without a
// settings file.
void SaveWindowPlacement(HWND window, const std::wstring& iniPath);

// A kept normal place, in workspace coordinates as window placements hold them, fitted into the
// work area of the monitor (screen coordinates): shrunk where it is larger, moved inside, and
// otherwise left where it was.
RECT FitKeptPlace(const RECT& kept, const RECT& monitor, const RECT& work);
