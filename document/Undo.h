// Undo history of structural edits: up to 50 snapshots of the table's cells, and the states that
// "Redo" brings back. Snapshots share the records of cells that did not change since the previous
// snapshot, so fifty of them (and fifty redo states) cost little more than one table.
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
    // The table values at the time: a chart built from a list replaces the table by one of
    // another size, and undoing or redoing across it brings that size back.
    int16_t cellWidth = 0, cellHeight = 0, separation = 0;
    int32_t lineThickness = 0, lineColor = 0, paperColor = 0;
};

struct UndoHistory {
    // Slot the next snapshot fills. Undo steps it back and restores that slot; at 0 it restores
    // the oldest snapshot again. With a full history it is 50, so Undo restores the latest.
    int16_t undoLevel = 0;
    int32_t undoReady = 1; // 1 idle, 2 while an undo runs
    std::vector<UndoSnapshot> undoStack;
    // States undone, the latest last: "Redo" restores the back one. Any new edit empties it.
    std::vector<UndoSnapshot> redoStack;
    // The snapshot last written or restored: the cells it holds are reused by the next snapshot
    // wherever they did not change.
    UndoSnapshot sharingBase;
};

// Every edit of the cells or the table values calls this: the chart has unrecorded changes, and
// the undone states can no longer come back.
void NoteEdit(Document& doc);
// Takes a snapshot of the table's cells before a structural edit.
void PushUndo(Document& doc);
// "Undo": restores the cells of the table from the snapshot below the current level; the state it
// leaves becomes the next "Redo". At level 0 it restores the oldest snapshot again, with no redo.
void PopUndo(Document& doc);
// "Redo": takes a snapshot as an edit would (without forgetting the other redo states) and
// restores the state the last "Undo" left. Returns false when there is nothing to redo.
bool PopRedo(Document& doc);
// Forgets every snapshot (a new table or a read replaces the document).
void ResetUndoHistory(Document& doc);
// A snapshot has been taken since the last new table or read: "Undo" is enabled.
bool UndoAvailable(const Document& doc);
bool RedoAvailable(const Document& doc);
