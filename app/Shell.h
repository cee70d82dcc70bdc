// Program-wide shell state: language, character set, favourite background, ruler style, copy
// configurator, mouse modes, folders and paths, and the main window's handles.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

// Copy-configurator flags in menu order (commands 1072..1079, 1080, 1081, 1082, 1110, 1083, 1084, 1085).
enum CopyField {
    kCopyBackColor,
    kCopyFontColor,
    kCopyFontName,
    kCopyFontSize,
    kCopyBold,
    kCopyItalic,
    kCopyUnderline,
    kCopyStrikeout,
    kCopyLeading,
    kCopyText,
    kCopyImage,
    kCopyIcon,
    kCopyAlignment,
    kCopyNumberFormatAllowed,
    kCopyNumberFormatType,
    kCopyFieldCount
};

using CopyFlags = std::array<int32_t, kCopyFieldCount>;

struct ShellState {
    int32_t languageIndex = 1; // 1 Spanish, 2 Portuguese, 3 French, 4 German, 5 English, 6 Italian
    int16_t characterSet = 0;
    std::array<int32_t, 14> characterSetFlags{};
    int32_t favouriteBackground = 0xFFFFFF;
    int32_t rulerStyle = 1;
    CopyFlags copyFlags{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    std::wstring programFolder; // ends with a backslash
    std::wstring dialogFolder;
    std::wstring workFilePath;
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
