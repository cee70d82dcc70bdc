// Undo history of structural edits: up to 50 snapshots of the table's cells.
#pragma once

#include <cstdint>

struct UndoHistory {
    int16_t undoLevel = 0; // slot the next snapshot fills
    int32_t undoReady = 1; // 1 idle, 2 while an undo runs
};
