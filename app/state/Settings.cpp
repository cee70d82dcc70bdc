// The settings file through the ANSI private-profile functions, so that names and values are the
// single bytes the file has always held (the key "Tama\xF1o" among them).
#include "app/state/Settings.h"

#include "app/state/SettingsKeys.h"

#include <windows.h>

#include <vector>

namespace {

// Converts to the ANSI code page; false when a character has no exact equivalent there.
bool ToAnsiExactly(const std::wstring& text, std::string& out) {
    out.clear();
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return false;
    out.resize(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()), out.data(),
                        size, nullptr, &usedDefault);
    return !usedDefault;
}

std::wstring ShortPath(const std::wstring& path) {
    DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring result(size, L'\0');
    size = GetShortPathNameW(path.c_str(), result.data(), size);
    if (size == 0 || size >= result.size()) return {};
    result.resize(size);
    return result;
}

// A stored value is read as at most 259 characters.
constexpr int kValueBufferSize = 260;

} // namespace

std::string AnsiFilePath(const std::wstring& path) {
    std::string ansi;
    if (ToAnsiExactly(path, ansi)) return ansi;
    // The folder exists (it holds the program); its short form is plain ASCII on volumes that keep
    // short names. The file name itself is ours and always converts.
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    std::wstring folder = ShortPath(path.substr(0, slash + 1));
    std::string ansiFolder, ansiName;
    if (folder.empty() || !ToAnsiExactly(folder, ansiFolder) ||
        !ToAnsiExactly(path.substr(slash + 1), ansiName))
        return {};
    if (ansiFolder.back() != '\\' && ansiFolder.back() != '/') ansiFolder += '\\';
    return ansiFolder + ansiName;
}

void Settings(ShellState& shell, std::string_view mode, const std::wstring& iniPath) {
    if (mode != "get" && mode != "save") return;
    std::string file = AnsiFilePath(iniPath);
    if (mode == "get") {
        LoadSettings(shell, [&](const SettingsKey& key) {
            std::string section(key.section), name(key.name), fallback(key.defaultText);
            if (file.empty()) return fallback;
            char buffer[kValueBufferSize] = {};
            GetPrivateProfileStringA(section.c_str(), name.c_str(), fallback.c_str(), buffer,
                                     kValueBufferSize, file.c_str());
            return std::string(buffer);
        });
        return;
    }
    if (file.empty()) return;
    StoreSettings(shell, [&](const SettingsKey& key, const std::string& value) {
        std::string section(key.section), name(key.name);
        return WritePrivateProfileStringA(section.c_str(), name.c_str(), value.c_str(), file.c_str()) !=
               FALSE;
    });
}

std::wstring SettingsPath() {
    return ProgramFolder() + L"Cuadrix.ini";
}
