// The work-file association in the registry: the start-up query and the registration.
#include "app/state/Association.h"

#include "app/state/Settings.h"

#include <shlobj.h>

namespace {

constexpr size_t kRegistryTextLimit = 1023;

std::wstring Join(const std::wstring& path, const std::wstring& subKey) {
    return path.empty() ? subKey : path + L"\\" + subKey;
}

// The default value of root\path as text; REG_EXPAND_SZ is returned unexpanded. Empty when the key
// or the value is missing or not text.
bool ReadDefaultValue(HKEY root, const std::wstring& path, std::wstring& value) {
    value.clear();
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = 0;
    LONG status = RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
            ERROR_SUCCESS) {
            buffer.resize(size / sizeof(wchar_t));
            while (!buffer.empty() && buffer.back() == L'\0')
                buffer.pop_back();
            value = buffer;
        }
    }
    RegCloseKey(key);
    return true;
}

// The default value of the first place whose key exists and holds a non-empty one.
std::wstring LookUp(const std::vector<ClassesPlace>& places, const std::wstring& subKey) {
    for (const ClassesPlace& place : places) {
        std::wstring value;
        if (ReadDefaultValue(place.root, Join(place.path, subKey), value) && !value.empty()) return value;
    }
    return {};
}

std::wstring ExpandEnvironment(const std::wstring& text) {
    DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::wstring expanded(size, L'\0');
    size = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), size);
    if (size == 0 || size > expanded.size()) return text;
    expanded.resize(size - 1);
    return expanded;
}

} // namespace

AssociationPlaces DefaultAssociationPlaces() {
    return {{{HKEY_CURRENT_USER, L"Software\\Classes"}, {HKEY_CLASSES_ROOT, L""}},
            {HKEY_CURRENT_USER, L"Software\\Classes"},
            ProgramPath()};
}

std::wstring QueryOpenCommand(const std::wstring& extension, const AssociationPlaces& places) {
    std::wstring fileType = LookUp(places.lookIn, extension);
    if (fileType.empty()) return {};
    std::wstring command = LookUp(places.lookIn, fileType + L"\\shell\\open\\command");
    if (command.empty()) return {};
    return ExpandEnvironment(command);
}

std::wstring DoubledBackslashes(const std::wstring& path) {
    std::wstring doubled;
    for (wchar_t c : path) {
        doubled += c;
        if (c == L'\\') doubled += c;
    }
    return doubled;
}

void RegisterFileType(const std::wstring& extension, int iconIndex, const AssociationPlaces& places) {
    const ClassesPlace& at = places.registerIn;
    std::wstring fileType = extension + L"-files";
    std::wstring program = DoubledBackslashes(places.programPath);
    SetRegistryValue(at.root, Join(at.path, L"." + extension), L"", fileType);
    SetRegistryValue(at.root, Join(at.path, fileType + L"\\DefaultIcon"), L"",
                     program + L"," + std::to_wstring(iconIndex));
    // Quoted, so that a program under "C:\Program Files" cannot be taken for C:\Program.exe.
    SetRegistryValue(at.root, Join(at.path, fileType + L"\\Shell\\Open\\Command"), L"",
                     L"\"" + program + L"\" %1");
    // Tell the shell, so that work files show their icon without a new logon.
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

int SetRegistryValue(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                     const std::wstring& value) {
    if (valueName.size() > kRegistryTextLimit || value.size() > kRegistryTextLimit) return 0;
    if (!root) root = HKEY_CURRENT_USER;
    size_t first = keyPath.find_first_not_of(L'\\');
    size_t last = keyPath.find_last_not_of(L'\\');
    std::wstring path =
        first == std::wstring::npos ? std::wstring() : keyPath.substr(first, last - first + 1);
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 0;
    LONG status = RegSetValueExW(key, valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? 1 : 0;
}
