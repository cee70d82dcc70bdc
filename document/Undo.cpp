// Taking and restoring undo snapshots of the table's cells.
#include "document/Undo.h"

#include "document/Document.h"

#include <algorithm>
#include <cstring>

namespace {

bool SameRecord(const CellRecord& a, const CellRecord& b) {
    return std::memcmp(&a, &b, sizeof(CellRecord)) == 0;
}

UndoSnapshot TakeSnapshot(const Document& doc, const UndoSnapshot* base) {
    UndoSnapshot snapshot;
    snapshot.columns = std::clamp<int16_t>(doc.tableColumns, 0, kGridSize);
    snapshot.rows = std::clamp<int16_t>(doc.tableRows, 0, kGridSize);
    snapshot.cellWidth = doc.cellWidth;
    snapshot.cellHeight = doc.cellHeight;
    snapshot.separation = doc.separation;
    snapshot.lineThickness = doc.lineThickness;
    snapshot.lineColor = doc.lineColor;
    snapshot.paperColor = doc.paperColor;
    size_t count = size_t(snapshot.columns) * size_t(snapshot.rows);
    snapshot.cells.resize(count);
    bool sameShape = base && base->columns == snapshot.columns && base->rows == snapshot.rows;

    // Unchanged cells share the base snapshot's records; the changed ones are copied into one
    // block, which lives as long as any snapshot still uses one of its records.
    std::vector<uint32_t> changed;
    size_t i = 0;
    for (int r = 0; r < snapshot.rows; ++r) {
        for (int c = 0; c < snapshot.columns; ++c, ++i) {
            if (sameShape && SameRecord(*base->cells[i], doc.cellGrid(c, r)))
                snapshot.cells[i] = base->cells[i];
            else
                changed.push_back(uint32_t(i));
        }
    }
    if (changed.empty()) return snapshot;
    std::shared_ptr<CellRecord[]> block(new CellRecord[changed.size()]);
    for (size_t k = 0; k < changed.size(); ++k) {
        size_t index = changed[k];
        block[k] = doc.cellGrid(int(index % snapshot.columns), int(index / snapshot.columns));
        snapshot.cells[index] = std::shared_ptr<const CellRecord>(block, &block[k]);
    }
    return snapshot;
}

void RestoreSnapshot(Document& doc, const UndoSnapshot& snapshot) {
    if (snapshot.columns != doc.tableColumns || snapshot.rows != doc.tableRows ||
        snapshot.cellWidth != doc.cellWidth || snapshot.cellHeight != doc.cellHeight) {
        // A table of another size (the one a built chart replaced, or the chart itself): it comes
        // back whole with its values, and the slots outside it are empty as after a new table.
        std::memset(static_cast<void*>(doc.cellGrid.slots.data()), 0,
                    doc.cellGrid.slots.size() * sizeof(CellRecord));
        doc.tableColumns = snapshot.columns;
        doc.tableRows = snapshot.rows;
        doc.cellWidth = snapshot.cellWidth;
        doc.cellHeight = snapshot.cellHeight;
        doc.separation = snapshot.separation;
        doc.lineThickness = snapshot.lineThickness;
        doc.lineColor = snapshot.lineColor;
        doc.paperColor = snapshot.paperColor;
    }
    // The snapshot's own rectangle.
    int columns = std::min<int>(snapshot.columns, std::clamp<int16_t>(doc.tableColumns, 0, kGridSize));
    int rows = std::min<int>(snapshot.rows, std::clamp<int16_t>(doc.tableRows, 0, kGridSize));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            doc.cellGrid(c, r) = *snapshot.cells[size_t(r) * snapshot.columns + c];
    doc.undo.sharingBase = snapshot;
}

void PushSnapshot(Document& doc) {
    UndoHistory& undo = doc.undo;
    UndoSnapshot snapshot = TakeSnapshot(doc, &undo.sharingBase);

    // Snapshots at or above the level can no longer be restored: Undo only reads below it.
    if (undo.undoStack.size() > size_t(undo.undoLevel)) undo.undoStack.resize(undo.undoLevel);
    if (undo.undoLevel >= kUndoDepth) {
        // A full history keeps the most recent snapshots, so the next Undo still goes back one edit.
        undo.undoStack.erase(undo.undoStack.begin());
        undo.undoLevel = kUndoDepth - 1;
    }
    undo.sharingBase = snapshot;
    undo.undoStack.push_back(std::move(snapshot));
    ++undo.undoLevel;
}

// An undo or redo changes the cells like an edit, but keeps the redo states.
void NoteHistoryStep(Document& doc) {
    doc.modified = true;
    ++doc.changeCount;
}

} // namespace

void NoteEdit(Document& doc) {
    NoteHistoryStep(doc);
    doc.undo.redoStack.clear();
}

void PushUndo(Document& doc) {
    // A new edit follows: what was undone can no longer come back.
    doc.undo.redoStack.clear();
    PushSnapshot(doc);
}

void PopUndo(Document& doc) {
    UndoHistory& undo = doc.undo;
    if (undo.undoReady != 1) return;
    // Without a snapshot there is nothing to go back to; the table stays as it is.
    if (undo.undoStack.empty()) return;
    undo.undoReady = 2;
    if (undo.undoLevel > 0) {
        --undo.undoLevel;
        // The redo state shares its unchanged cells with the state last written or restored.
        undo.redoStack.push_back(TakeSnapshot(doc, &undo.sharingBase));
        if (undo.redoStack.size() > size_t(kUndoDepth)) undo.redoStack.erase(undo.redoStack.begin());
    }
    RestoreSnapshot(doc, undo.undoStack[undo.undoLevel]);
    NoteHistoryStep(doc);
    undo.undoReady = 1;
}

bool PopRedo(Document& doc) {
    UndoHistory& undo = doc.undo;
    if (undo.undoReady != 1 || undo.redoStack.empty()) return false;
    undo.undoReady = 2;
    PushSnapshot(doc);
    UndoSnapshot state = std::move(undo.redoStack.back());
    undo.redoStack.pop_back();
    RestoreSnapshot(doc, state);
    NoteHistoryStep(doc);
    undo.undoReady = 1;
    return true;
}

void ResetUndoHistory(Document& doc) {
    doc.undo.undoStack.clear();
    doc.undo.undoStack.shrink_to_fit();
    doc.undo.redoStack.clear();
    doc.undo.redoStack.shrink_to_fit();
    doc.undo.undoLevel = 0;
    doc.undo.sharingBase = UndoSnapshot{};
}

bool UndoAvailable(const Document& doc) {
    return !doc.undo.undoStack.empty();
}

bool RedoAvailable(const Document& doc) {
    return !doc.undo.redoStack.empty();
}
