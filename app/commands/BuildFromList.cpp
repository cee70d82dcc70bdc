// The "Build from list…" command: file, build, and the table shown or the refusal told.
#include "app/commands/BuildFromList.h"

#include "app/commands/ChartDetails.h"
#include "app/commands/ColumnDialog.h"
#include "app/commands/ColumnMemory.h"
#include "app/commands/FileCommands.h"
#include "app/commands/ListTexts.h"
#include "app/commands/PageCommands.h"
#include "app/state/App.h"
#include "app/state/Settings.h"
#include "document/ChartSplit.h"
#include "render/AnsiText.h"
#include "render/BoxTextMeasureGdi.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

namespace {

std::wstring ReadColumnChoice(const std::wstring& key) {
    wchar_t value[64] = L"";
    GetPrivateProfileStringW(kColumnMemorySection, key.c_str(), L"", value, 64, SettingsPath().c_str());
    return value;
}

} // namespace

bool ReadListFile(const std::wstring& path, std::string& bytes) {
    constexpr DWORD kLargestList = 64u << 20; // far beyond any table's worth of people
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

std::u16string ListTextFromAnsi(std::string_view bytes) {
    std::wstring wide = AnsiToWide(bytes);
    return std::u16string(wide.begin(), wide.end());
}

bool BuildChartFromListFile(App& app, const std::wstring& path, BuildOutcome& outcome,
                            const ListColumns& columns, bool pages, std::vector<uint8_t>* book) {
    std::string bytes;
    if (!ReadListFile(path, bytes)) return false;
    const BoxTextMeasure measure = MakeGdiBoxTextMeasure(app.shell.characterSet);
    outcome = BuildChartFromList(app.doc, bytes, ListTextFromAnsi, measure, columns);
    if (outcome.result == BuildResult::TooLarge && pages) {
        const BuildOutcome paged =
            book ? BuildChartBookFromList(*book, bytes, ListTextFromAnsi, measure, columns)
                 : BuildChartPagesFromList(app.chart, app.doc, bytes, ListTextFromAnsi, measure, columns);
        // Refused even in pages: the size told stays the one table it would need, unless the pages
        // were there and only a book could not hold them.
        if (paged.result == BuildResult::Built || paged.result == BuildResult::BookTooLarge) outcome = paged;
    }
    return true;
}

Outcome BuildFromListCommand(App& app) {
    HWND owner = app.shell.mainWindow;
    std::wstring path = PeopleListDialog(app.shell, owner);
    if (path.empty()) return {};
    std::string bytes;
    if (!ReadListFile(path, bytes)) {
        ShowMessageBox(owner, Tr(app, MessageTable::ChartFromList, 12) + L"\r\n" + path,
                       Tr(app, MessageTable::Caption), MB_OK);
        return {};
    }
    // The columns found, or those chosen before for a list with this header, shown for a check.
    CheckedList checked = ReadCheckedList(DecodeListText(bytes, ListTextFromAnsi));
    std::wstring key;
    ListColumns kept;
    if (checked.columns.headerRow >= 0) {
        key = ColumnMemoryKey(checked.table.rows[size_t(checked.columns.headerRow)]);
        if (ParseColumnChoice(ReadColumnChoice(key), checked.columns.columns, kept))
            ChooseColumns(checked, kept);
    }
    if (!checked.list.people.empty()) {
        if (!ChooseListColumns(app, owner, checked, &kept)) return {};
        if (!key.empty())
            WritePrivateProfileStringW(kColumnMemorySection, key.c_str(),
                                       FormatColumnChoice(checked.columns, kept).c_str(),
                                       SettingsPath().c_str());
    }
    ListColumns chosen;
    chosen.at = checked.columns.at;
    AddChosenDetails(app, key, chosen);
    chosen.headcount = kept.headcount;
    chosen.colourBy = kept.colourBy;
    chosen.departmentColumn = kept.departmentColumn;
    const std::wstring level = Tr(app, MessageTable::ChartLooks, 6);
    chosen.levelWord.assign(level.begin(), level.end());
    // A build replaces the whole chart: a chart of pages loses every page, so unrecorded changes get
    // the save question first, and the chart is set aside for Undo to bring back whole.
    const bool settled = PageCount(app.chart) > 1;
    if (settled) {
        if (!SettleUnsavedChanges(app)) return {};
        SetChartAside(app.chart, app.doc, app.shell.chartPath);
    }
    // Boxes are sized with the font they will be drawn in, in the character set of the drawing.
    const BoxTextMeasure measure = MakeGdiBoxTextMeasure(app.shell.characterSet);
    BuildOutcome outcome = BuildChartFromList(app.doc, bytes, ListTextFromAnsi, measure, chosen);
    if (outcome.result == BuildResult::TooLarge) {
        // Too large for one table: the chart becomes a new book of pages, which replaces every page
        // there was, so unrecorded changes get the save question first.
        if (!settled && !SettleUnsavedChanges(app)) return {};
        const BuildOutcome paged =
            BuildChartPagesFromList(app.chart, app.doc, bytes, ListTextFromAnsi, measure, chosen);
        if (paged.result == BuildResult::Built) {
            app.chart.replaced.reset();
            app.shell.chartPath.clear();
            ShowPhotoReport(app, chosen, outcome);
            return ShowReadChart(app);
        }
        if (paged.result == BuildResult::BookTooLarge) outcome = paged;
        // Not even pages hold it: the size told is the one table it would need.
    }
    if (outcome.result != BuildResult::Built) {
        TakeChartBack(app.chart, app.doc);
        ShowMessageBox(owner, BuildRefusalText(app.shell, outcome), Tr(app, MessageTable::Caption), MB_OK);
        return {};
    }
    ChartBuiltOver(app.chart, app.doc);
    // A built chart is a new chart: recording it asks where, never over the file shown before.
    app.shell.chartPath.clear();
    app.doc.tablePresent = true;
    app.canvas.viewOffsetX = 0;
    app.canvas.viewOffsetY = 0;
    ShowPhotoReport(app, chosen, outcome);
    return kShownTable | kShownPages;
}
