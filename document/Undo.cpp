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

} // namespace

void PushUndo(Document& doc) {
    UndoHistory& undo = doc.undo;
    const UndoSnapshot* base =
        undo.sharingBase < undo.undoStack.size() ? &undo.undoStack[undo.sharingBase] : nullptr;
    UndoSnapshot snapshot = TakeSnapshot(doc, base);

    // Snapshots at or above the level can no longer be restored: Undo only reads below it.
    if (undo.undoStack.size() > size_t(undo.undoLevel)) undo.undoStack.resize(undo.undoLevel);
    if (undo.undoLevel >= kUndoDepth) {
        // A full history keeps the most recent snapshots, so the next Undo still goes back one edit.
        undo.undoStack.erase(undo.undoStack.begin());
        undo.undoLevel = kUndoDepth - 1;
    }
    undo.undoStack.push_back(std::move(snapshot));
    undo.sharingBase = undo.undoStack.size() - 1;
    ++undo.undoLevel;
}

void PushTableUndo(Document& doc) {
    PushUndo(doc);
    UndoSnapshot& snapshot = doc.undo.undoStack.back();
    snapshot.restoresTable = true;
    snapshot.cellWidth = doc.cellWidth;
    snapshot.cellHeight = doc.cellHeight;
    snapshot.separation = doc.separation;
    snapshot.lineThickness = doc.lineThickness;
    snapshot.lineColor = doc.lineColor;
    snapshot.paperColor = doc.paperColor;
}

void PopUndo(Document& doc) {
    UndoHistory& undo = doc.undo;
    if (undo.undoReady != 1) return;
    // Without a snapshot there is nothing to go back to; the table stays as it is.
    if (undo.undoStack.empty()) return;
    undo.undoReady = 2;
    if (undo.undoLevel > 0) --undo.undoLevel;
    const UndoSnapshot& snapshot = undo.undoStack[undo.undoLevel];
    if (snapshot.restoresTable) {
        // The table had another size: it comes back whole, and the slots outside it are empty
        // as after a new table.
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
    // The snapshot's own rectangle: a table of another shape cannot exist while it is held,
    // because a new table or a read empties the history.
    int columns = std::min<int>(snapshot.columns, std::clamp<int16_t>(doc.tableColumns, 0, kGridSize));
    int rows = std::min<int>(snapshot.rows, std::clamp<int16_t>(doc.tableRows, 0, kGridSize));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            doc.cellGrid(c, r) = *snapshot.cells[size_t(r) * snapshot.columns + c];
    undo.sharingBase = undo.undoLevel;
    undo.undoReady = 1;
}

void ResetUndoHistory(Document& doc) {
    doc.undo.undoStack.clear();
    doc.undo.undoStack.shrink_to_fit();
    doc.undo.undoLevel = 0;
    doc.undo.sharingBase = 0;
}

bool UndoAvailable(const Document& doc) {
    return !doc.undo.undoStack.empty();
}
