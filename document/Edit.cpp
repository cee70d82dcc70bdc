// Document commands: selection checks, undo snapshots and the end of the selection run.
#include "document/Edit.h"

#include "document/Clipboard.h"
#include "document/Merge.h"
#include "document/Selection.h"
#include "document/Structure.h"
#include "document/Undo.h"

namespace {

// Every edit command ends the selection run, whether it did its work or not.
EditOutcome EndSelection(Document& doc, EditOutcome outcome) {
    ClearSelection(doc);
    DeselectAll(doc);
    return outcome;
}

} // namespace

EditOutcome CopyCellCommand(Document& doc) {
    if (doc.selectionCount != 1) return EndSelection(doc, EditOutcome::CopyNeedsOneCell);
    // Only the place is remembered: a paste reads whatever that cell holds by then.
    doc.copySourceColumn = doc.selectionColumn;
    doc.copySourceRow = doc.selectionRow;
    doc.cellCopied = true;
    return EndSelection(doc, EditOutcome::Done);
}

EditOutcome PasteCellCommand(Document& doc, const CopyFlags& flags) {
    if (!SelectionOnBoxes(doc)) return EndSelection(doc, EditOutcome::PasteNeedsCell);
    // A cell copied in a larger table may lie outside this one: there is nothing to read there.
    if (!doc.cellCopied || !InTable(doc, doc.copySourceColumn, doc.copySourceRow))
        return EndSelection(doc, EditOutcome::NothingCopied);
    PushUndo(doc);
    doc.selectAllOn = 0;
    PasteIntoSelected(doc, flags, doc.copySourceColumn, doc.copySourceRow);
    NoteEdit(doc);
    return EndSelection(doc, EditOutcome::Done);
}

EditOutcome PasteCopiedCellCommand(Document& doc, const CopyFlags& flags, const CellRecord* source) {
    if (!SelectionOnBoxes(doc)) return EndSelection(doc, EditOutcome::PasteNeedsCell);
    if (!source) return EndSelection(doc, EditOutcome::NothingCopied);
    PushUndo(doc);
    doc.selectAllOn = 0;
    PasteRecordIntoSelected(doc, flags, *source);
    NoteEdit(doc);
    return EndSelection(doc, EditOutcome::Done);
}

EditOutcome ClearCellCommand(Document& doc) {
    if (!SelectionOnBoxes(doc)) return EndSelection(doc, EditOutcome::ClearNeedsCell);
    PushUndo(doc);
    doc.selectAllOn = 0;
    ClearSelectedCells(doc);
    NoteEdit(doc);
    return EndSelection(doc, EditOutcome::Done);
}

EditOutcome CancelCellCommand(Document& doc) {
    if (doc.selectionCount != 1 || !SelectionOnBoxes(doc))
        return EndSelection(doc, EditOutcome::CancelNeedsOneCell);
    PushUndo(doc);
    doc.cellGrid(doc.selectionColumn, doc.selectionRow).cancelled = 1;
    NoteEdit(doc);
    return EndSelection(doc, EditOutcome::Done);
}

// An edit that changes nothing takes no undo step: an Undo after it goes back to the last change
// the user can see, never to the same state again.
EditOutcome MergeHorizontalCommand(Document& doc) {
    if (!CanMergeHorizontal(doc)) return EndSelection(doc, EditOutcome::HorizontalMergeRefused);
    PushUndo(doc);
    MergeHorizontal(doc);
    NoteEdit(doc);
    return EndSelection(doc, EditOutcome::Done);
}

EditOutcome MergeVerticalCommand(Document& doc) {
    if (!CanMergeVertical(doc)) return EndSelection(doc, EditOutcome::VerticalMergeRefused);
    PushUndo(doc);
    MergeVertical(doc);
    NoteEdit(doc);
    return EndSelection(doc, EditOutcome::Done);
}

void CreateTableCommand(Document& doc) {
    if (MarkedCellCount(doc) == 0) return;
    PushUndo(doc);
    CreateChartBoxes(doc);
    NoteEdit(doc);
}

void CreateLineCommand(Document& doc) {
    if (!ConnectorMarked(doc)) {
        // Nothing is drawn: the marks go, as clicking them again would take them, without a step.
        if (MarkedCellCount(doc) == 0) return;
        CreateConnector(doc);
        NoteEdit(doc);
        return;
    }
    PushUndo(doc);
    CreateConnector(doc);
    NoteEdit(doc);
}

void SelectAllCommand(Document& doc) {
    doc.selectAllOn = 1 - doc.selectAllOn;
    if (doc.selectAllOn == 1) {
        SelectAllBoxes(doc);
    } else {
        ClearSelection(doc);
        DeselectAll(doc);
    }
}

void UndoCommand(Document& doc) {
    PopUndo(doc);
}

void RedoCommand(Document& doc) {
    PopRedo(doc);
}
