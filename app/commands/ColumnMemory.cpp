// Keys and values of the remembered column choices.
#include "app/commands/ColumnMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>

std::wstring ColumnMemoryKey(const ListRow& header) {
    // FNV-1a over the header's texts with a separator no text holds, so "a,bc" and "ab,c" differ.
    uint32_t hash = 2166136261u;
    auto add = [&hash](uint32_t unit) {
        hash ^= unit;
        hash *= 16777619u;
    };
    for (const std::u16string& field : header.fields) {
        for (char16_t c : field)
            add(c);
        add(0xFFFF);
    }
    wchar_t key[16];
    std::swprintf(key, 16, L"H%08X", unsigned(hash));
    return key;
}

std::wstring FormatColumnChoice(const ColumnFinding& columns, const ListColumns& options) {
    std::wstring value;
    for (int at : columns.at)
        value += (value.empty() ? L"" : L",") + std::to_wstring(at < 0 ? 0 : at + 1);
    if (options.headcount) value += L";headcount";
    if (options.colourBy != ColourBy::Nothing)
        value += options.colourBy == ColourBy::Level ? L";colour=level" : L";colour=department";
    if (options.departmentColumn >= 0)
        value += L";department=" + std::to_wstring(options.departmentColumn + 1);
    return value;
}

bool ParseColumnChoice(std::wstring_view value, size_t columns, ListColumns& choice) {
    ListColumns parsed;
    // The options after the columns; one this program does not know is left aside.
    const size_t semicolon = std::min(value.find(L';'), value.size());
    for (size_t at = semicolon; at < value.size();) {
        const size_t next = std::min(value.find(L';', at + 1), value.size());
        const std::wstring_view option = value.substr(at + 1, next - at - 1);
        if (option == L"headcount") parsed.headcount = true;
        if (option == L"colour=level") parsed.colourBy = ColourBy::Level;
        if (option == L"colour=department") parsed.colourBy = ColourBy::Department;
        if (option.substr(0, 11) == L"department=") {
            const int n = std::wcstol(std::wstring(option.substr(11)).c_str(), nullptr, 10);
            if (n >= 1 && size_t(n) <= columns) parsed.departmentColumn = n - 1;
        }
        at = next;
    }
    value = value.substr(0, semicolon);
    size_t role = 0;
    for (size_t at = 0; at <= value.size(); ++role) {
        size_t end = std::min(value.find(L',', at), value.size());
        std::wstring_view number = value.substr(at, end - at);
        if (role >= kListRoles || number.empty() || number.size() > 4) return false;
        int n = 0;
        for (wchar_t c : number) {
            if (c < L'0' || c > L'9') return false;
            n = n * 10 + (c - L'0');
        }
        if (size_t(n) > columns) return false;
        parsed.at[role] = n == 0 ? kNoColumn : n - 1;
        at = end + 1;
    }
    if (role != kListRoles) return false;
    choice = parsed;
    return true;
}
