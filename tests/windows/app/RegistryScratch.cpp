// Scratch registry keys for the association tests.
#include "RegistryScratch.h"

#include <atomic>

namespace {

int CountBelow(HKEY key) {
    DWORD subKeys = 0, values = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    int total = static_cast<int>(subKeys + values);
    for (DWORD i = 0; i < subKeys; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            total += CountBelow(child);
            RegCloseKey(child);
        }
    }
    return total;
}

} // namespace

RegistryScratch::RegistryScratch() {
    static std::atomic<int> counter{0};
    base_ = L"Software\\CuadrixTests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
}

RegistryScratch::~RegistryScratch() {
    RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, base_.c_str());
}

AssociationPlaces RegistryScratch::Places(const std::wstring& programPath) const {
    return {{{HKEY_CURRENT_USER, UserPath()}, {HKEY_CURRENT_USER, MachinePath()}},
            {HKEY_CURRENT_USER, UserPath()},
            programPath};
}

std::wstring RegistryScratch::DefaultValue(const std::wstring& relativePath) const {
    wchar_t buffer[2048] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, (base_ + L"\\" + relativePath).c_str(), nullptr, RRF_RT_REG_SZ,
                     nullptr, buffer, &size) != ERROR_SUCCESS)
        return {};
    return buffer;
}

int RegistryScratch::Entries() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    int total = CountBelow(key);
    RegCloseKey(key);
    return total;
}
