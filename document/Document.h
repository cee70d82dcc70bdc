// The document: the fixed 101 x 101 grid of cell records, the table values, the selection run,
// the copy source and the undo history. One program-wide instance; tests make their own.
#pragma once

#include "document/CellRecord.h"
#include "document/Undo.h"

#include <cstdint>
#include <vector>

constexpr int kGridSize = 101; // largest table: 101 x 101 cells

// Slots are indexed (column, row); stored row by row so that the usual walk (rows outer,
// columns inner) runs through memory in order.
struct CellGrid {
    std::vector<CellRecord> slots = std::vector<CellRecord>(kGridSize * kGridSize);

    CellRecord& operator()(int column, int row) { return slots[row * kGridSize + column]; }
    const CellRecord& operator()(int column, int row) const { return slots[row * kGridSize + column]; }
};

inline bool InGrid(int column, int row) {
    return column >= 0 && column < kGridSize && row >= 0 && row < kGridSize;
}

struct Document {
    CellGrid cellGrid;

    // Table values.
    int16_t tableColumns = 0;
    int16_t tableRows = 0;
    int16_t cellWidth = 0;
    int16_t cellHeight = 0;
    int16_t separation = 0;
    int32_t lineThickness = 1;
    int32_t lineColor = 0;
    int32_t paperColor = kWhite;
    bool tablePresent = false;

    // Selection run built by the cell selector.
    int16_t selectionCount = 0;
    int16_t selectionColumn = 0;
    int16_t selectionRow = 0;
    int32_t selectionHorizontal = 0;
    int32_t selectionVertical = 0;
    int16_t referenceSpanColumns = 0;
    int16_t referenceSpanRows = 0;

    // Cell clipboard: only the coordinates are remembered; the cell is read when pasting.
    int16_t copySourceColumn = 0;
    int16_t copySourceRow = 0;
    bool cellCopied = false;
    int32_t selectAllOn = 0;

    UndoHistory undo;

    // Unrecorded changes: set by every edit (NoteEdit, Undo, Redo); cleared when the chart is
    // recorded, replaced by "New" or a read, or restored from a recovery copy.
    bool modified = false;
    // Counts edits, so that a recovery copy can tell whether it is behind the document.
    uint32_t changeCount = 0;
};

inline bool InTable(const Document& doc, int column, int row) {
    return column >= 0 && column < doc.tableColumns && row >= 0 && row < doc.tableRows;
}
