// One-cell content edits as undo steps.
#include "document/CellEdit.h"

#include "document/Undo.h"

#include <cstring>

bool ReplaceCellRecord(Document& doc, int column, int row, const CellRecord& edited) {
    if (!InGrid(column, row)) return false;
    CellRecord& cell = doc.cellGrid(column, row);
    // Bytes behind a text's terminator are part of the record, so "unchanged" means every byte.
    if (std::memcmp(&cell, &edited, sizeof(CellRecord)) == 0) return false;
    PushUndo(doc);
    cell = edited;
    NoteEdit(doc);
    return true;
}
