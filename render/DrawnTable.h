// What the table picture shows, kept so that an edit redraws only the part of the picture it can
// change: the values the table was drawn with, a copy of every drawn cell, and each cell's drawn
// extent and laid-out text.
#pragma once

#include "document/Document.h"
#include "document/Spans.h"
#include "render/FontCache.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A text broken into lines, with every line's width: kept between redraws so that a text met
// again with the same width and font is neither broken nor measured again. Whoever keeps it
// clears `valid` when the font changes.
struct LaidOutLines {
    struct Line {
        uint16_t start = 0;
        uint16_t length = 0;
        int width = 0;
        int16_t inkLeft = 0;  // the ink reaches this far left of the line's origin
        int16_t inkRight = 0; // and this far right of its width
    };

    bool valid = false;
    int breakWidth = 0;
    std::u16string text;
    std::vector<Line> lines; // up to the last non-empty line
    int widest = 0;
};

// The laid-out text of one cell, kept with the font it was measured in.
struct CellLayout {
    FontKey font;
    LaidOutLines lines;
};

// Index of a cell in the per-cell vectors: row by row, like the grid.
inline size_t CellIndex(int column, int row) {
    return static_cast<size_t>(row) * kGridSize + static_cast<size_t>(column);
}

struct DrawnTable {
    bool valid = false; // false: the picture shows something else, the next redraw is whole
    // The values every cell is drawn with.
    int16_t columns = 0;
    int16_t rows = 0;
    int16_t separation = 0;
    int32_t lineThickness = 0;
    int32_t lineColor = 0;
    int32_t paperColor = 0;
    int16_t characterSet = 0;
    // Indexed by CellIndex; only the table's cells are meaningful.
    std::vector<CellRecord> cells;
    std::unique_ptr<Spans> spans;
    std::vector<RECT> extents;
    std::vector<CellLayout> layouts;
};
