// The "Build from list…" command: file, build, and the table shown or the refusal told.
#include "app/BuildFromList.h"

#include "app/App.h"
#include "app/ChartFile.h"
#include "app/ChartPages.h"
#include "app/ColumnDialog.h"
#include "app/ColumnMemory.h"
#include "app/Settings.h"
#include "app/Commands.h"
#include "document/ChartSplit.h"
#include "render/AnsiText.h"
#include "render/BoxTextMeasureGdi.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

#include <initializer_list>

namespace {

constexpr DWORD kLargestList = 64u << 20; // far beyond any table's worth of people

// The text with %1, %2, ... replaced by the values in order.
std::wstring Fill(std::wstring text, std::initializer_list<std::wstring> values) {
    int n = 1;
    for (const std::wstring& value : values) {
        std::wstring mark = L"%" + std::to_wstring(n++);
        for (size_t at = text.find(mark); at != std::wstring::npos; at = text.find(mark, at + value.size()))
            text.replace(at, mark.size(), value);
    }
    return text;
}

std::wstring WideText(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kLargestList;
    if (ok) {
        bytes.resize(size_t(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

std::u16string FromAnsi(std::string_view bytes) {
    std::wstring wide = AnsiToWide(bytes);
    return std::u16string(wide.begin(), wide.end());
}

int FaultItem(ListFault fault) {
    switch (fault) {
    case ListFault::MissingName:
        return 3;
    case ListFault::UnknownManager:
        return 4;
    case ListFault::ManagerCycle:
        return 6;
    case ListFault::DuplicateId:
        return 7;
    case ListFault::DuplicateName:
        return 8;
    }
    return 3;
}

std::wstring ReadColumnChoice(const std::wstring& key) {
    wchar_t value[64] = L"";
    GetPrivateProfileStringW(kColumnMemorySection, key.c_str(), L"", value, 64, SettingsPath().c_str());
    return value;
}

} // namespace

std::wstring ListRoleName(const ShellState& shell, ListRole role) {
    return Tr(shell, MessageTable::ChartFromList, 14 + int(role));
}

std::wstring BuildRefusalText(const ShellState& shell, const BuildOutcome& outcome, size_t shown) {
    switch (outcome.result) {
    case BuildResult::Built:
        return {};
    case BuildResult::Undecided: {
        std::wstring roles;
        for (ListRole role : outcome.undecided)
            roles += (roles.empty() ? L"" : L", ") + ListRoleName(shell, role);
        return Fill(Tr(shell, MessageTable::ChartFromList, 13), {roles});
    }
    case BuildResult::EmptyList:
        return Tr(shell, MessageTable::ChartFromList, 11);
    case BuildResult::BookTooLarge:
        return Tr(shell, MessageTable::Pages, 20);
    case BuildResult::TooLarge:
        return Fill(Tr(shell, MessageTable::ChartFromList, 10),
                    {std::to_wstring(outcome.people), std::to_wstring(outcome.chartColumns),
                     std::to_wstring(outcome.chartRows)});
    case BuildResult::FaultyList:
        break;
    }
    std::wstring text = Tr(shell, MessageTable::ChartFromList, 2);
    for (size_t i = 0; i < outcome.faults.size() && i < shown; ++i) {
        const FaultyLine& f = outcome.faults[i];
        text += L"\r\n" + Fill(Tr(shell, MessageTable::ChartFromList, FaultItem(f.fault)),
                               {std::to_wstring(f.line), WideText(f.detail)});
    }
    if (outcome.faults.size() > shown)
        text += L"\r\n" + Fill(Tr(shell, MessageTable::ChartFromList, 9),
                               {std::to_wstring(outcome.faults.size() - shown)});
    return text;
}

bool BuildChartFromListFile(App& app, const std::wstring& path, BuildOutcome& outcome,
                            const ListColumns& columns, bool pages, std::vector<uint8_t>* book) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    const BoxTextMeasure measure = MakeGdiBoxTextMeasure(app.shell.characterSet);
    outcome = BuildChartFromList(app.doc, bytes, FromAnsi, measure, columns);
    if (outcome.result == BuildResult::TooLarge && pages) {
        const BuildOutcome paged =
            book ? BuildChartBookFromList(*book, bytes, FromAnsi, measure, columns)
                 : BuildChartPagesFromList(app.chart, app.doc, bytes, FromAnsi, measure, columns);
        // Refused even in pages: the size told stays the one table it would need, unless the pages
        // were there and only a book could not hold them.
        if (paged.result == BuildResult::Built || paged.result == BuildResult::BookTooLarge) outcome = paged;
    }
    return true;
}

void BuildFromListCommand(App& app) {
    HWND owner = app.shell.mainWindow;
    std::wstring path = PeopleListDialog(app.shell, owner);
    if (path.empty()) return;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        ShowMessageBox(owner, Tr(app, MessageTable::ChartFromList, 12) + L"\r\n" + path,
                       Tr(app, MessageTable::Caption), MB_OK);
        return;
    }
    // The columns found, or those chosen before for a list with this header, shown for a check.
    CheckedList checked = ReadCheckedList(DecodeListText(bytes, FromAnsi));
    std::wstring key;
    ListColumns kept;
    if (checked.columns.headerRow >= 0) {
        key = ColumnMemoryKey(checked.table.rows[size_t(checked.columns.headerRow)]);
        if (ParseColumnChoice(ReadColumnChoice(key), checked.columns.columns, kept))
            ChooseColumns(checked, kept);
    }
    if (!checked.list.people.empty()) {
        if (!ChooseListColumns(app, owner, checked, &kept)) return;
        if (!key.empty())
            WritePrivateProfileStringW(kColumnMemorySection, key.c_str(),
                                       FormatColumnChoice(checked.columns, kept).c_str(),
                                       SettingsPath().c_str());
    }
    ListColumns chosen;
    chosen.at = checked.columns.at;
    chosen.headcount = kept.headcount;
    chosen.colourBy = kept.colourBy;
    chosen.departmentColumn = kept.departmentColumn;
    const std::wstring level = Tr(app, MessageTable::ChartLooks, 6);
    chosen.levelWord.assign(level.begin(), level.end());
    // Boxes are sized with the font they will be drawn in, in the character set of the drawing.
    const BoxTextMeasure measure = MakeGdiBoxTextMeasure(app.shell.characterSet);
    BuildOutcome outcome = BuildChartFromList(app.doc, bytes, FromAnsi, measure, chosen);
    if (outcome.result == BuildResult::TooLarge) {
        // Too large for one table: the chart becomes a new book of pages, which replaces every page
        // there was, so unrecorded changes get the save question first.
        if (!SettleUnsavedChanges(app)) return;
        const BuildOutcome paged =
            BuildChartPagesFromList(app.chart, app.doc, bytes, FromAnsi, measure, chosen);
        if (paged.result == BuildResult::Built) {
            app.shell.chartPath.clear();
            ShowReadChart(app);
            return;
        }
        if (paged.result == BuildResult::BookTooLarge) outcome = paged;
        // Not even pages hold it: the size told is the one table it would need.
    }
    if (outcome.result != BuildResult::Built) {
        ShowMessageBox(owner, BuildRefusalText(app.shell, outcome), Tr(app, MessageTable::Caption), MB_OK);
        return;
    }
    // A built chart is a new chart: recording it asks where, never over the file shown before.
    app.shell.chartPath.clear();
    ShowTableSequence(app);
    UpdateChartTitle(app);
}
