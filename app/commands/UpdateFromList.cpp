// The "Update from list…" command: the list, its columns, the comparison, and the update written
// in the chart's place or the reasons it was not, told in the current language.
#include "app/commands/UpdateFromList.h"

#include "app/state/App.h"
#include "app/commands/BuildFromList.h"
#include "app/commands/ChartDetails.h"
#include "app/commands/PageCommands.h"
#include "app/commands/ColumnDialog.h"
#include "app/commands/ColumnMemory.h"
#include "app/commands/ComparisonDialog.h"
#include "app/commands/ListTexts.h"
#include "app/state/ItemState.h"
#include "app/state/Settings.h"
#include "document/WorkFile.h"
#include "render/AnsiText.h"
#include "render/BoxTextMeasureGdi.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

namespace {

// The columns of the list as "Build from list…" has them confirmed: those remembered for a list
// with this header, shown in the column dialog; false when the user cancelled.
bool ConfirmColumns(App& app, HWND owner, std::string_view bytes, ListColumns& chosen) {
    CheckedList checked = ReadCheckedList(DecodeListText(bytes, ListTextFromAnsi));
    std::wstring key;
    ListColumns kept;
    if (checked.columns.headerRow >= 0) {
        key = ColumnMemoryKey(checked.table.rows[size_t(checked.columns.headerRow)]);
        wchar_t value[64] = L"";
        GetPrivateProfileStringW(kColumnMemorySection, key.c_str(), L"", value, 64, SettingsPath().c_str());
        if (ParseColumnChoice(value, checked.columns.columns, kept)) ChooseColumns(checked, kept);
    }
    if (!checked.list.people.empty()) {
        if (!ChooseListColumns(app, owner, checked, &kept)) return false;
        if (!key.empty())
            WritePrivateProfileStringW(kColumnMemorySection, key.c_str(),
                                       FormatColumnChoice(checked.columns, kept).c_str(),
                                       SettingsPath().c_str());
    }
    chosen.at = checked.columns.at;
    chosen.headcount = kept.headcount;
    chosen.colourBy = kept.colourBy;
    chosen.departmentColumn = kept.departmentColumn;
    const std::wstring level = Tr(app, MessageTable::ChartLooks, 6);
    chosen.levelWord.assign(level.begin(), level.end());
    return true;
}

} // namespace

bool PrepareListUpdate(App& app, std::string_view bytes, const ListColumns& columns, ListUpdate& update,
                       BuildOutcome& outcome, bool chartRead) {
    if (!ReadListForChart(bytes, ListTextFromAnsi, columns, update.read, outcome)) return false;
    if (!chartRead) update.old = ReadOldChart(app.chart, app.doc);
    update.boxOfPerson = MatchPeople(update.old, update.read.checked);
    update.comparison = CompareChart(update.old, update.boxOfPerson, update.read.checked);
    // Boxes are sized with the font they will be drawn in, as "Build from list…" sizes them.
    const BoxTextMeasure measure = MakeGdiBoxTextMeasure(app.shell.characterSet);
    update.plan = PlanChartUpdate(update.old, update.read, measure);
    outcome = update.plan.build;
    if (outcome.result != BuildResult::Built) return false;
    NotePiecePlacements(update.comparison, update.old, update.plan);
    return true;
}

void ApplyListUpdate(App& app, ListUpdate& update) {
    // A chart of pages, before or after, has no undo snapshot of its own: a copy of it is kept.
    const bool replaces = update.plan.pages.size() > 1 || PageCount(app.chart) > 1;
    std::vector<uint8_t> before;
    if (replaces) before = EncodeChartAsBook(app.chart, app.doc);
    ApplyChartUpdate(app.chart, app.doc, update.old, update.boxOfPerson, update.read, update.plan);
    app.chartBeforeUpdate = std::move(before);
    app.changeAfterUpdate = ChartChangeCount(app.chart, app.doc);
    app.pathOfUpdate = app.shell.chartPath;
}

std::optional<Outcome> UndoListUpdate(App& app) {
    if (!CanUndoListUpdate(app)) return std::nullopt;
    std::vector<uint8_t> before = std::move(app.chartBeforeUpdate);
    app.chartBeforeUpdate.clear();
    if (LoadChartBook(app.chart, app.doc, before) != ChartBookLoad::Accepted) return std::nullopt;
    // The chart from before the update is not the one recorded, whatever it was then.
    app.chart.pagesChanged = true;
    return ShowReadChart(app);
}

Outcome UpdateFromListCommand(App& app) {
    HWND owner = app.shell.mainWindow;
    if (!app.doc.tablePresent) return {};
    const std::wstring path = PeopleListDialog(app.shell, owner, Tr(app, MessageTable::ListUpdate, 1));
    if (path.empty()) return {};
    std::string bytes;
    if (!ReadListFile(path, bytes)) {
        ShowMessageBox(owner, Tr(app, MessageTable::ChartFromList, 12) + L"\r\n" + path,
                       Tr(app, MessageTable::Caption), MB_OK);
        return {};
    }
    ListColumns chosen;
    if (!ConfirmColumns(app, owner, bytes, chosen)) return {};
    AddChartDetails(app, chosen);
    auto update = std::make_unique<ListUpdate>();
    BuildOutcome outcome;
    if (!PrepareListUpdate(app, bytes, chosen, *update, outcome)) {
        ShowMessageBox(owner, BuildRefusalText(app.shell, outcome), Tr(app, MessageTable::Caption), MB_OK);
        return {};
    }
    if (!ShowComparisonDialog(app, owner, update->comparison)) return {};
    ApplyListUpdate(app, *update);
    if (update->plan.pagesReplaced) return ShowReadChart(app);
    // The updated table is shown anew from its top-left corner.
    app.doc.tablePresent = true;
    app.canvas.viewOffsetX = 0;
    app.canvas.viewOffsetY = 0;
    return kShownTable;
}
