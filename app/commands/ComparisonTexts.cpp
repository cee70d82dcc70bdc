// The texts of an update from a list: the kinds of change, the comparison's summary and its CSV file.
#include "app/commands/ComparisonTexts.h"

#include "document/WorkFile.h"

#include <initializer_list>

namespace {

std::u16string U16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

std::wstring Fill(std::wstring text, std::initializer_list<std::wstring> values) {
    int n = 1;
    for (const std::wstring& value : values) {
        const std::wstring mark = L"%" + std::to_wstring(n++);
        if (size_t at = text.find(mark); at != std::wstring::npos) text.replace(at, mark.size(), value);
    }
    return text;
}

} // namespace

std::array<std::u16string, kChangeKinds> ChangeKindNames(const ShellState& shell) {
    std::array<std::u16string, kChangeKinds> names;
    for (int k = 0; k < kChangeKinds; ++k)
        names[size_t(k)] = U16(Tr(shell, MessageTable::ListUpdate, 13 + k));
    return names;
}

std::array<std::u16string, 6> ComparisonHeader(const ShellState& shell) {
    std::array<std::u16string, 6> header;
    for (int k = 0; k < 6; ++k)
        header[size_t(k)] = U16(Tr(shell, MessageTable::ListUpdate, 21 + k));
    return header;
}

std::wstring ComparisonSummary(const ShellState& shell, const Comparison& c) {
    auto n = [&](ChangeKind kind) { return std::to_wstring(c.Count(kind)); };
    std::wstring text = Fill(Tr(shell, MessageTable::ListUpdate, 3),
                             {n(ChangeKind::Joined), n(ChangeKind::Left), n(ChangeKind::Moved),
                              n(ChangeKind::NameOrTitle), std::to_wstring(c.unchanged)});
    if (c.Count(ChangeKind::Unsure) > 0)
        text += L"\r\n" + Fill(Tr(shell, MessageTable::ListUpdate, 4), {n(ChangeKind::Unsure)});
    if (c.Count(ChangeKind::Aside) + c.Count(ChangeKind::NotKept) > 0)
        text += L"\r\n" + Fill(Tr(shell, MessageTable::ListUpdate, 5),
                               {std::to_wstring(c.Count(ChangeKind::Aside) + c.Count(ChangeKind::NotKept))});
    return text;
}

bool WriteComparisonFile(const ShellState& shell, const Comparison& comparison, const std::wstring& path) {
    // The list separator of the user's settings: a spreadsheet opening the file splits by it.
    wchar_t separator[8] = L",";
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, 8) < 2 || separator[0] == 0)
        separator[0] = L',';
    const std::string csv =
        ComparisonCsv(comparison, ChangeKindNames(shell), ComparisonHeader(shell), char16_t(separator[0]));
    return WriteWholeFile(std::span(reinterpret_cast<const uint8_t*>(csv.data()), csv.size()), path).Done();
}
