// The running program's own path, asked of the system at any length.
#include "ui/ProgramPaths.h"

#include <windows.h>

#include <vector>

std::wstring ProgramPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2); // cut short: the path is longer than the buffer
    }
}

std::wstring ProgramFolder() {
    std::wstring path = ProgramPath();
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    return path.substr(0, slash) + L"\\";
}
