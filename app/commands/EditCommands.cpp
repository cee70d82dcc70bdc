// The edits of the page shown: the document operations run, a refused one told.
#include "app/commands/EditCommands.h"

#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "document/Structure.h"
#include "interaction/Redraw.h"
#include "ui/MessageBox.h"

namespace {

Outcome EditCommand(App& app, EditOutcome outcome) {
    ShowEditMessage(app, outcome);
    return kShownCells;
}

// Undoing or redoing a chart built from a list brings back a table of another size, of other
// counts with the same cell size too (the 32-pixel grids of both orientations): the rulers and the
// whole table are drawn again whenever what the rulers show of the table changed.
Outcome UndoRedoCommand(App& app, void (*step)(Document&)) {
    const RulerFrame before = RulerFrameOf(app.doc);
    step(app.doc);
    if (RulerFrameOf(app.doc) != before) return kShownCells | kShownWholeTable | kShownRulers;
    return kShownCells;
}

} // namespace

std::optional<Outcome> RunEditCommand(App& app, int commandId) {
    switch (commandId) {
    case kCmdCreateTable:
        CreateTableCommand(app.doc);
        return Outcome(kShownCells);
    case kCmdCreateLine:
        CreateLineCommand(app.doc);
        return Outcome(kShownCells);
    case kCmdSelectAll:
        SelectAllCommand(app.doc);
        return Outcome(kShownWholeTable);
    case kCmdClearCell:
        return EditCommand(app, ClearCellCommand(app.doc));
    case kCmdPasteCell:
        return EditCommand(app, PasteCellCommand(app.doc, app.shell.copyFlags));
    case kCmdCopyCell:
        return EditCommand(app, CopyCellCommand(app.doc));
    case kCmdCancelCell:
        return EditCommand(app, CancelCellCommand(app.doc));
    case kCmdMergeHorizontal:
        return EditCommand(app, MergeHorizontalCommand(app.doc));
    case kCmdMergeVertical:
        return EditCommand(app, MergeVerticalCommand(app.doc));
    case kCmdUndo:
        return UndoRedoCommand(app, UndoCommand);
    case kCmdRedo:
        return UndoRedoCommand(app, RedoCommand);
    default:
        return std::nullopt;
    }
}

void ShowEditMessage(App& app, EditOutcome outcome) {
    const std::wstring selectCell = Tr(app, MessageTable::ClearCell, 2);
    std::wstring text;
    switch (outcome) {
    case EditOutcome::Done:
        return;
    case EditOutcome::NothingCopied:
        text = Tr(app, MessageTable::PasteCell) + L"\r\n" + Tr(app, MessageTable::NothingToPaste);
        break;
    case EditOutcome::CopyNeedsOneCell:
        text = Tr(app, MessageTable::CopyCell) + L"\r\n" + selectCell;
        break;
    case EditOutcome::PasteNeedsCell:
        text = Tr(app, MessageTable::PasteCell) + L"\r\n" + selectCell;
        break;
    case EditOutcome::ClearNeedsCell:
        text = Tr(app, MessageTable::ClearCell, 1) + L"\r\n" + selectCell;
        break;
    case EditOutcome::CancelNeedsOneCell:
        text = Tr(app, MessageTable::OverrideCell) + L"\r\n" + selectCell;
        break;
    case EditOutcome::HorizontalMergeRefused:
        text = Tr(app, MessageTable::HorizontalMergeRefused, 1) + L"\r\n" +
               Tr(app, MessageTable::HorizontalMergeRefused, 2);
        break;
    case EditOutcome::VerticalMergeRefused:
        // The second line is shared with the horizontal refusal.
        text = Tr(app, MessageTable::VerticalMergeRefused) + L"\r\n" +
               Tr(app, MessageTable::HorizontalMergeRefused, 2);
        break;
    }
    ShowMessageBox(app.shell.mainWindow, text, Tr(app, MessageTable::Caption), MB_OK);
}
