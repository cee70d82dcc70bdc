// Recovery file names, notes and steps.
#include "document/Recovery.h"

#include <algorithm>

namespace {

constexpr std::wstring_view kPrefix = L"chart-";
constexpr std::wstring_view kNoteHeader = L"Cuadrix recovery 1";

constexpr std::pair<RecoveryPart, std::wstring_view> kExtensions[] = {
    {RecoveryPart::Copy, L".qdrx"},
    {RecoveryPart::Note, L".txt"},
    {RecoveryPart::Lock, L".lock"},
};

std::wstring Hex(uint64_t value) {
    std::wstring text;
    do {
        text.insert(text.begin(), L"0123456789abcdef"[value & 15]);
        value >>= 4;
    } while (value != 0);
    return text;
}

bool IsHex(std::wstring_view text) {
    return !text.empty() && text.size() <= 16 && std::all_of(text.begin(), text.end(), [](wchar_t c) {
        return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f');
    });
}

} // namespace

std::wstring RecoveryBaseName(uint32_t processId, uint64_t startTime) {
    return std::wstring(kPrefix) + Hex(processId) + L"-" + Hex(startTime);
}

std::wstring RecoveryFileName(std::wstring_view base, RecoveryPart part) {
    for (auto [p, extension] : kExtensions)
        if (p == part) return std::wstring(base) + std::wstring(extension);
    return std::wstring(base);
}

std::optional<std::pair<std::wstring, RecoveryPart>> ParseRecoveryFileName(std::wstring_view fileName) {
    for (auto [part, extension] : kExtensions) {
        if (fileName.size() <= extension.size() || !fileName.ends_with(extension)) continue;
        std::wstring_view base = fileName.substr(0, fileName.size() - extension.size());
        if (!base.starts_with(kPrefix)) return std::nullopt;
        std::wstring_view ids = base.substr(kPrefix.size());
        size_t dash = ids.find(L'-');
        if (dash == std::wstring_view::npos || !IsHex(ids.substr(0, dash)) || !IsHex(ids.substr(dash + 1)))
            return std::nullopt;
        return std::pair{std::wstring(base), part};
    }
    return std::nullopt;
}

std::vector<std::wstring> RecoveryBases(const std::vector<std::wstring>& fileNames) {
    std::vector<std::wstring> bases;
    for (const std::wstring& name : fileNames)
        if (auto parsed = ParseRecoveryFileName(name)) bases.push_back(parsed->first);
    std::sort(bases.begin(), bases.end());
    bases.erase(std::unique(bases.begin(), bases.end()), bases.end());
    return bases;
}

std::wstring FormatRecoveryNote(const RecoveryNote& note) {
    return std::wstring(kNoteHeader) + L"\n" + std::to_wstring(note.savedAt) + L"\n" + note.chartPath + L"\n";
}

std::optional<RecoveryNote> ParseRecoveryNote(std::wstring_view text) {
    // Three lines, each ended by a line feed: the header, the time in decimal and the path.
    auto takeLine = [&text]() -> std::optional<std::wstring_view> {
        size_t end = text.find(L'\n');
        if (end == std::wstring_view::npos) return std::nullopt;
        std::wstring_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        return line;
    };
    auto header = takeLine();
    auto time = takeLine();
    auto path = takeLine();
    if (!header || *header != kNoteHeader || !time || !path || !text.empty()) return std::nullopt;
    if (time->empty() || time->size() > 19) return std::nullopt;
    RecoveryNote note;
    for (wchar_t c : *time) {
        if (c < L'0' || c > L'9') return std::nullopt;
        note.savedAt = note.savedAt * 10 + uint64_t(c - L'0');
    }
    note.chartPath = std::wstring(*path);
    return note;
}

RecoveryStep NextRecoveryStep(bool modified, uint32_t changeCount, const RecoveryState& state) {
    if (modified)
        return state.copyOnDisk && state.copiedChange == changeCount ? RecoveryStep::None
                                                                     : RecoveryStep::Write;
    return state.copyOnDisk ? RecoveryStep::Remove : RecoveryStep::None;
}
