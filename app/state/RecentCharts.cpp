// The recent charts list.
#include "app/state/RecentCharts.h"

#include <algorithm>

namespace {

wchar_t Folded(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](wchar_t x, wchar_t y) { return Folded(x) == Folded(y); });
}

} // namespace

std::vector<std::wstring> WithRecentChart(const std::vector<std::wstring>& list, const std::wstring& path) {
    std::vector<std::wstring> result = WithoutRecentChart(list, path);
    if (path.empty()) return result;
    result.insert(result.begin(), path);
    if (result.size() > size_t(kRecentChartCount)) result.resize(kRecentChartCount);
    return result;
}

std::vector<std::wstring> WithoutRecentChart(const std::vector<std::wstring>& list,
                                             const std::wstring& path) {
    std::vector<std::wstring> result;
    for (const std::wstring& kept : list)
        if (!kept.empty() && !SamePath(kept, path)) result.push_back(kept);
    return result;
}

std::wstring RecentChartItemText(int index, const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    std::wstring text = L"&" + std::to_wstring(index + 1) + L" ";
    for (wchar_t c : name) {
        if (c == L'&') text += L'&';
        text += c;
    }
    return text;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring EscapedPath(const std::wstring& path) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring kept;
    for (wchar_t c : path) {
        if (c >= 0x20 && c < 0x7F && c != L'%') {
            kept += c;
            continue;
        }
        kept += L"%u";
        for (int shift = 12; shift >= 0; shift -= 4)
            kept += kDigits[(static_cast<unsigned>(c) >> shift) & 0xF];
    }
    return kept;
}

std::wstring UnescapedPath(const std::wstring& kept) {
    auto digit = [](wchar_t c) {
        if (c >= L'0' && c <= L'9') return c - L'0';
        if (c >= L'A' && c <= L'F') return c - L'A' + 10;
        if (c >= L'a' && c <= L'f') return c - L'a' + 10;
        return -1;
    };
    std::wstring path;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (kept[i] == L'%' && i + 5 < kept.size() && kept[i + 1] == L'u') {
            int value = 0;
            bool valid = true;
            for (size_t k = i + 2; k < i + 6; ++k) {
                const int d = digit(kept[k]);
                valid = valid && d >= 0;
                value = value * 16 + (d < 0 ? 0 : d);
            }
            if (valid) {
                path += static_cast<wchar_t>(value);
                i += 5;
                continue;
            }
        }
        path += kept[i];
    }
    return path;
}
