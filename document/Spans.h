// Span counts of merged boxes: how many covered cells follow each free cell to the right and
// below. Shared by the selection run and the table drawing, which counts them at every redraw.
#pragma once

#include "document/Document.h"

#include <array>
#include <cstdint>

struct Spans {
    // Indexed like the grid, row by row: [row * kGridSize + column].
    std::array<int16_t, kGridSize * kGridSize> spanColumns{};
    std::array<int16_t, kGridSize * kGridSize> spanRows{};

    int16_t SpanColumns(int column, int row) const { return spanColumns[row * kGridSize + column]; }
    int16_t SpanRows(int column, int row) const { return spanRows[row * kGridSize + column]; }
};

// Fills the counts of columns 0..columns-1 and rows 0..rows-1 (clamped to the grid); a covered
// cell gets 0. Positions outside that rectangle are left as they were.
void CountSpans(const Document& doc, int columns, int rows, Spans& spans);
