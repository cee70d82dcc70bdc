// Program-wide shell state: language, character set, favourite background, ruler style, copy
// configurator, mouse modes, folders and paths, and the main window's handles.
#pragma once

#include "document/CopyFlags.h"
#include "ui/Messages.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

struct ShellState {
    int32_t languageIndex = 1; // 1 Spanish, 2 Portuguese, 3 French, 4 German, 5 English, 6 Italian
    int16_t characterSet = 0;
    std::array<int32_t, 14> characterSetFlags{};
    int32_t favouriteBackground = 0xFFFFFF;
    int32_t rulerStyle = 1;
    CopyFlags copyFlags{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    std::wstring programFolder; // ends with a backslash
    std::wstring dialogFolder;
    std::wstring workFilePath; // the path last chosen in a work-file dialog
    std::wstring chartPath;    // the file the chart was read from or recorded to; empty for a new chart
    std::wstring commandLine;  // the process command line, program name first; empty in tests
    std::vector<std::wstring> recentCharts; // charts last read or recorded, the latest first
    int32_t lastNewPreset = 0;              // the command of the last "New" preset used; 0 before any
    int32_t leftMouseMode = 1;
    int32_t rightMouseMode = 1;
    bool aboutOpen = false;
    bool mainWindowEnded = false;
#ifdef _WIN32
    HWND mainWindow = nullptr;
    HMENU menuBar = nullptr;
    HWND savedFocus = nullptr;
    ULONG_PTR gdiplusToken = 0;
#endif
};

// Text of the current language.
inline std::wstring Tr(const ShellState& shell, MessageTable table, int item = 0) {
    return Wide(MessageText(shell.languageIndex, table, item));
}

#ifdef _WIN32
// Ends the main window (its modal run returns).
inline void EndMainWindow(ShellState& shell) {
    shell.mainWindowEnded = true;
    if (shell.mainWindow) EndDialog(shell.mainWindow, 0);
}
#endif
