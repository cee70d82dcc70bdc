// Undo history of structural edits: up to 50 snapshots of the table's cells. Snapshots share the
// records of cells that did not change since the previous snapshot, so fifty of them cost little
// more than one table.
#pragma once

#include "document/CellRecord.h"

#include <cstdint>
#include <memory>
#include <vector>

struct Document;

constexpr int kUndoDepth = 50; // snapshots held; once full, the oldest is dropped

// The cells of the table (rows outer, columns inner) at the moment of a snapshot. Records are
// immutable once taken and shared with neighbouring snapshots.
struct UndoSnapshot {
    int16_t columns = 0;
    int16_t rows = 0;
    std::vector<std::shared_ptr<const CellRecord>> cells;
    // A snapshot taken before the whole table was replaced also brings back the table's values.
    bool restoresTable = false;
    int16_t cellWidth = 0, cellHeight = 0, separation = 0;
    int32_t lineThickness = 0, lineColor = 0, paperColor = 0;
};

struct UndoHistory {
    // Slot the next snapshot fills. Undo steps it back and restores that slot; at 0 it restores
    // the oldest snapshot again. With a full history it is 50, so Undo restores the latest.
    int16_t undoLevel = 0;
    int32_t undoReady = 1; // 1 idle, 2 while an undo runs
    std::vector<UndoSnapshot> undoStack;
    // The snapshot last written or restored: the cells it holds are reused by the next snapshot
    // wherever they did not change.
    size_t sharingBase = 0;
};

// Takes a snapshot of the table's cells before a structural edit.
void PushUndo(Document& doc);
// Takes a snapshot that also holds the table's size and values, before an edit that replaces the
// table with one of another size.
void PushTableUndo(Document& doc);
// "Undo": restores the cells of the table from the snapshot below the current level.
void PopUndo(Document& doc);
// Forgets every snapshot (a new table or a read replaces the document).
void ResetUndoHistory(Document& doc);
// A snapshot has been taken since the last new table or read: "Undo" is enabled.
bool UndoAvailable(const Document& doc);
