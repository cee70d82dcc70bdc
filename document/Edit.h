// The document commands of the Edit, Table and Organization chart menus, each as the menu runs
// it: check the selection, take the undo snapshot, change the cells, end the selection. The
// shell shows the message of a refusal and redraws the table.
#pragma once

#include "document/CopyFlags.h"
#include "document/Document.h"

enum class EditOutcome {
    Done,
    CopyNeedsOneCell,       // "To copy cell : " / "Select cell ..."
    PasteNeedsCell,         // "To paste cell : " / "Select cell ..."
    ClearNeedsCell,         // "To clear cell : " / "Select cell ..."
    CancelNeedsOneCell,     // "To override cell : " / "Select cell ..."
    HorizontalMergeRefused, // the horizontal merge message
    VerticalMergeRefused,   // the vertical merge message
    NothingCopied,          // no copy, or one outside this table: the paste message, "Copy a cell first ..."
};

EditOutcome CopyCellCommand(Document& doc);
EditOutcome PasteCellCommand(Document& doc, const CopyFlags& flags);
// "Paste cell" from a cell copied elsewhere (another page); nothing copied when `source` is null.
EditOutcome PasteCopiedCellCommand(Document& doc, const CopyFlags& flags, const CellRecord* source);
EditOutcome ClearCellCommand(Document& doc);
EditOutcome CancelCellCommand(Document& doc);
EditOutcome MergeHorizontalCommand(Document& doc);
EditOutcome MergeVerticalCommand(Document& doc);
void CreateTableCommand(Document& doc);
void CreateLineCommand(Document& doc);
void SelectAllCommand(Document& doc);
void UndoCommand(Document& doc);
void RedoCommand(Document& doc);
