// Finding a box by part of its text over every page of a chart, in reading order: page by page,
// rows from the top, cells from the left. Parked pages are searched through the texts taken
// when they were parked, so no page is unpacked for a search.
#pragma once

#include "document/Document.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Chart;

// A box's text as the search compares it: Latin letters in lower case without their accents,
// line breaks and runs of blanks made one space.
std::u16string FoldForFind(std::u16string_view text);

// A box with a text, at its own cell, and that text folded.
struct FindSpot {
    int16_t column = 0;
    int16_t row = 0;
    std::u16string text;
};

// The boxes with a text in the grid's first `rows` rows, in reading order.
std::vector<FindSpot> GridFindSpots(const CellGrid& grid, int rows);

struct ChartPlace {
    int page = 0;
    // -1 (with row -1): before the page's first cell going forwards, after its last backwards
    int column = -1;
    int row = -1;
};

// The next box (the one before, `backwards`) after `from` whose text holds `what`, going on
// from the last page to the first (and the other way); false when no box holds it or `what`
// is empty.
bool FindInChart(const Chart& chart, const Document& shown, std::u16string_view what, const ChartPlace& from,
                 bool backwards, ChartPlace& found);
