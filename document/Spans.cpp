// Span counting over the table, in one backward sweep that reads each cell's `covered` once.
#include "document/Spans.h"

#include <algorithm>

void CountSpans(const Document& doc, int columns, int rows, Spans& spans) {
    columns = std::clamp(columns, 0, kGridSize);
    rows = std::clamp(rows, 0, kGridSize);

    // Walking rows from the bottom and columns from the right visits, for every cell, its right
    // neighbour and the cell below before the cell itself: one counter per row for horizontal
    // merges and one per column for vertical merges give both counts in a single pass.
    std::array<int16_t, kGridSize> below{};
    for (int r = rows - 1; r >= 0; --r) {
        const CellRecord* line = &doc.cellGrid(0, r);
        int16_t* spanColumns = &spans.spanColumns[r * kGridSize];
        int16_t* spanRows = &spans.spanRows[r * kGridSize];
        int16_t right = 0;
        for (int c = columns - 1; c >= 0; --c) {
            int32_t covered = line[c].covered;
            if (covered == 0) {
                spanColumns[c] = right;
                spanRows[c] = below[c];
                right = 0;
                below[c] = 0;
            } else {
                spanColumns[c] = 0;
                spanRows[c] = 0;
                right = covered == 1 ? int16_t(right + 1) : int16_t(0);
                below[c] = covered == 2 ? int16_t(below[c] + 1) : int16_t(0);
            }
        }
    }
}
