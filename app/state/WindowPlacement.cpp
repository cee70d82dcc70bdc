// The window's place in the settings file.
#include "app/state/WindowPlacement.h"

#include <algorithm>

namespace {

// The settings section of the window's placement, after the two sections of the settings.
constexpr wchar_t kPlacementSection[] = L"Window";

int ReadNumber(const std::wstring& iniPath, const wchar_t* key, int fallback) {
    return static_cast<int>(GetPrivateProfileIntW(kPlacementSection, key, fallback, iniPath.c_str()));
}

void WriteNumber(const std::wstring& iniPath, const wchar_t* key, int value) {
    WritePrivateProfileStringW(kPlacementSection, key, std::to_wstring(value).c_str(), iniPath.c_str());
}

RECT Box(int x, int y, int w, int h) {
    return RECT{x, y, x + std::max(w, 0), y + std::max(h, 0)};
}

} // namespace

std::optional<KeptPlacement> ReadWindowPlacement(const std::wstring& iniPath) {
    if (iniPath.empty()) return std::nullopt;
    const int width = ReadNumber(iniPath, L"Width", 0), height = ReadNumber(iniPath, L"Height", 0);
    if (width <= 0 || height <= 0) return std::nullopt;
    KeptPlacement kept;
    kept.normal = Box(ReadNumber(iniPath, L"Left", 0), ReadNumber(iniPath, L"Top", 0), width, height);
    kept.maximized = ReadNumber(iniPath, L"Maximized", 0) != 0;
    return kept;
}

RECT FitKeptPlace(const RECT& kept, const RECT& monitor, const RECT& work) {
    // Workspace coordinates start at the work area's corner, where screen coordinates start at the
    // monitor's: in workspace coordinates the work area lies at the monitor's corner.
    const int areaLeft = static_cast<int>(monitor.left), areaTop = static_cast<int>(monitor.top);
    const int areaWidth = static_cast<int>(work.right - work.left);
    const int areaHeight = static_cast<int>(work.bottom - work.top);
    const int w = std::min(static_cast<int>(kept.right - kept.left), areaWidth);
    const int h = std::min(static_cast<int>(kept.bottom - kept.top), areaHeight);
    const int x = std::clamp(static_cast<int>(kept.left), areaLeft, areaLeft + areaWidth - w);
    const int y = std::clamp(static_cast<int>(kept.top), areaTop, areaTop + areaHeight - h);
    return Box(x, y, w, h);
}

void SaveWindowPlacement(HWND window, const std::wstring& iniPath) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!window || iniPath.empty() || !GetWindowPlacement(window, &placement)) return;
    // The section is written anew at the end of the file, after the settings' own sections.
    WritePrivateProfileStringW(kPlacementSection, nullptr, nullptr, iniPath.c_str());
    const RECT& r = placement.rcNormalPosition;
    WriteNumber(iniPath, L"Left", r.left);
    WriteNumber(iniPath, L"Top", r.top);
    WriteNumber(iniPath, L"Width", r.right - r.left);
    WriteNumber(iniPath, L"Height", r.bottom - r.top);
    WriteNumber(iniPath, L"Maximized", placement.showCmd == SW_SHOWMAXIMIZED || IsZoomed(window) ? 1 : 0);
}
