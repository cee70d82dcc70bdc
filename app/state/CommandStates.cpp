// Menu item states as a function of the shell state and the document.
#include "app/state/CommandStates.h"

#include "app/state/CommandIds.h"
#include "document/Chart.h"
#include "document/Document.h"
#include "document/Undo.h"
#include "ui/Shell.h"

#include <algorithm>
#include <vector>

namespace {

template <size_t N> int IndexIn(const std::array<int, N>& ids, int commandId) {
    auto it = std::find(ids.begin(), ids.end(), commandId);
    return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}

int Checked(bool on) {
    return on ? kItemChecked : kItemEnabled;
}
int Enabled(bool on) {
    return on ? kItemEnabled : kItemDisabled;
}

} // namespace

int CopyFieldOfCommand(int commandId) {
    return IndexIn(kCopyFieldCommands, commandId);
}

int CommandState(const ShellState& shell, const Document& doc, int commandId) {
    if (commandId >= kCmdFirstCharacterSet && commandId <= kCmdLastCharacterSet)
        return Checked(shell.characterSetFlags[commandId - kCmdFirstCharacterSet] != 0);
    if (int field = CopyFieldOfCommand(commandId); field >= 0) return Checked(shell.copyFlags[field] != 0);
    if (int mode = IndexIn(kLeftModeCommands, commandId); mode >= 0)
        return Checked(shell.leftMouseMode == mode + 1);
    if (int mode = IndexIn(kRightModeCommands, commandId); mode >= 0)
        return Checked(shell.rightMouseMode == mode + 1);
    if (commandId >= kCmdFirstLanguage && commandId <= kCmdLastLanguage)
        return Checked(shell.languageIndex == commandId - kCmdFirstLanguage + 1);
    if (IndexIn(kTableCommands, commandId) >= 0) return Enabled(doc.tablePresent);
    if (commandId == kCmdUndo) return Enabled(doc.tablePresent && UndoAvailable(doc));
    if (commandId == kCmdRedo) return Enabled(doc.tablePresent && RedoAvailable(doc));
    if (commandId == kCmdRecordToChartFile) return Enabled(doc.tablePresent);
    // The chart's extent needs a table to measure.
    if (commandId == kCmdZoomWholeChart) return Enabled(doc.tablePresent);
    if (commandId == kCmdPasteCell) return Enabled(doc.tablePresent && doc.cellCopied);
    return kItemEnabled;
}

bool CommandAllowed(const ShellState& shell, const Document& doc, int commandId) {
    return CommandState(shell, doc, commandId) != kItemDisabled;
}

int CommandState(const ShellState& shell, const Chart& chart, const Document& doc, int commandId) {
    const bool table = doc.tablePresent;
    const int count = PageCount(chart), shown = chart.shown;
    // A chart of more pages than a book holds could never be recorded.
    if (commandId >= kCmdFirstNewPage && commandId < kCmdFirstNewPage + 8)
        return Enabled(table && count < int(kBookPageLimit));
    if (commandId == kCmdRenamePage) return Enabled(table);
    switch (commandId) {
    case kCmdDeletePage:
    case kCmdNextPage:
    case kCmdPreviousPage:
        return Enabled(table && count > 1);
    case kCmdMovePageLeft:
        return Enabled(table && shown > 0);
    case kCmdMovePageRight:
        return Enabled(table && shown + 1 < count);
    case kCmdUndo:
        if (CanRestoreRemovedPage(chart, doc) || CanRestoreReplacedChart(chart, doc)) return kItemEnabled;
        break;
    case kCmdPasteCell: {
        // A cell copied on another page is read from there.
        const int from = chart.copyPage;
        if (!table || from < 0 || from == shown || from >= count) break;
        const ChartPage& page = chart.pages[size_t(from)];
        return Enabled(page.parked && page.parked->cellCopied);
    }
    default:
        break;
    }
    return CommandState(shell, doc, commandId);
}

bool CommandAllowed(const ShellState& shell, const Chart& chart, const Document& doc, int commandId) {
    return CommandState(shell, chart, doc, commandId) != kItemDisabled;
}

void DeriveCharacterSetFlags(ShellState& shell) {
    for (size_t i = 0; i < kCharacterSetCodes.size(); ++i)
        shell.characterSetFlags[i] = kCharacterSetCodes[i] == shell.characterSet ? 1 : 0;
}

std::span<const int> GovernedCommands() {
    static const std::vector<int> ids = [] {
        std::vector<int> all;
        for (int id = kCmdFirstCharacterSet; id <= kCmdLastCharacterSet; ++id)
            all.push_back(id);
        for (int id = kCmdFirstLanguage; id <= kCmdLastLanguage; ++id)
            all.push_back(id);
        all.insert(all.end(), kCopyFieldCommands.begin(), kCopyFieldCommands.end());
        all.insert(all.end(), kLeftModeCommands.begin(), kLeftModeCommands.end());
        all.insert(all.end(), kRightModeCommands.begin(), kRightModeCommands.end());
        all.insert(all.end(), kTableCommands.begin(), kTableCommands.end());
        all.push_back(kCmdUndo);
        all.push_back(kCmdRedo);
        all.push_back(kCmdPasteCell);
        all.push_back(kCmdZoomWholeChart);
        all.insert(all.end(), kPageCommands.begin(), kPageCommands.end());
        return all;
    }();
    return ids;
}
