// The "Build from list…" command: file, build, and the table shown or the refusal told.
#include "app/BuildFromList.h"

#include "app/App.h"
#include "app/ChartFile.h"
#include "app/ChartPages.h"
#include "app/Commands.h"
#include "document/ChartSplit.h"
#include "render/AnsiText.h"
#include "render/BoxTextMeasureGdi.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

#include <initializer_list>

namespace {

constexpr size_t kFaultsShown = 10;
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
    case ListFault::OwnManager:
        return 5;
    case ListFault::ManagerCycle:
        return 6;
    case ListFault::DuplicateId:
        return 7;
    case ListFault::DuplicateName:
        return 8;
    }
    return 3;
}

} // namespace

std::wstring BuildRefusalText(const ShellState& shell, const BuildOutcome& outcome) {
    switch (outcome.result) {
    case BuildResult::Built:
        return {};
    case BuildResult::EmptyList:
        return Tr(shell, MessageTable::ChartFromList, 11);
    case BuildResult::TooLarge:
        return Fill(Tr(shell, MessageTable::ChartFromList, 10),
                    {std::to_wstring(outcome.people), std::to_wstring(outcome.chartColumns),
                     std::to_wstring(outcome.chartRows)});
    case BuildResult::FaultyList:
        break;
    }
    std::wstring text = Tr(shell, MessageTable::ChartFromList, 2);
    for (size_t i = 0; i < outcome.faults.size() && i < kFaultsShown; ++i) {
        const FaultyLine& f = outcome.faults[i];
        text += L"\r\n" + Fill(Tr(shell, MessageTable::ChartFromList, FaultItem(f.fault)),
                               {std::to_wstring(f.line), WideText(f.detail)});
    }
    if (outcome.faults.size() > kFaultsShown)
        text += L"\r\n" + Fill(Tr(shell, MessageTable::ChartFromList, 9),
                               {std::to_wstring(outcome.faults.size() - kFaultsShown)});
    return text;
}

bool BuildChartFromListFile(App& app, const std::wstring& path, BuildOutcome& outcome, bool pages) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    const BoxTextMeasure measure = MakeGdiBoxTextMeasure(app.shell.characterSet);
    outcome = BuildChartFromList(app.doc, bytes, FromAnsi, measure);
    if (outcome.result == BuildResult::TooLarge && pages) {
        const BuildOutcome paged = BuildChartPagesFromList(app.chart, app.doc, bytes, FromAnsi, measure);
        // Refused even in pages: the size told stays the one table it would need.
        if (paged.result == BuildResult::Built) outcome = paged;
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
    // Boxes are sized with the font they will be drawn in, in the character set of the drawing.
    const BoxTextMeasure measure = MakeGdiBoxTextMeasure(app.shell.characterSet);
    BuildOutcome outcome = BuildChartFromList(app.doc, bytes, FromAnsi, measure);
    if (outcome.result == BuildResult::TooLarge) {
        // Too large for one table: the chart becomes a new book of pages, which replaces every page
        // there was, so unrecorded changes get the save question first.
        if (!SettleUnsavedChanges(app)) return;
        const BuildOutcome paged = BuildChartPagesFromList(app.chart, app.doc, bytes, FromAnsi, measure);
        if (paged.result == BuildResult::Built) {
            app.shell.chartPath.clear();
            ShowReadChart(app);
            return;
        }
        // Not even pages hold it: the size told is the one table it would need.
    }
    if (outcome.result != BuildResult::Built) {
        ShowMessageBox(owner, BuildRefusalText(app.shell, outcome), Tr(app, MessageTable::Caption), MB_OK);
        return;
    }
    ShowTableSequence(app);
}
