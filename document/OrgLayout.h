// The chart layout: people placed as boxes and connectors on whole cells, each team taking the
// shape (a row, several rows, a stack beside a line, one report below) that lets the chart fit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What the layout needs to know of the box font, which only the drawing side can measure.
struct BoxTextMeasure {
    // Lines the cell text layout gives `text` in a box whose text area is `width` pixels wide,
    // with the box font at `points` points; kUnfitLines when a word or a line is wider than that.
    std::function<int(std::u16string_view text, int width, int points)> lineCount;
    // Height of one line of the box font at `points` points, in pixels.
    std::function<int(int points)> lineHeight;
    // Lines as the drawing breaks them, by the font's reported advances, which the drawn glyphs may
    // reach a little past; none: lineCount.
    std::function<int(std::u16string_view text, int width, int points)> breakingLineCount;
};

constexpr int kUnfitLines = 101;

struct ChartBox {
    int person = 0; // index into the list
    int column = 0, row = 0, columns = 1, rows = 1;
};

// A connector along cell edges: a vertical one on the left edge of `column` from the top edge of
// `row` down `length` cells; a horizontal one on the top edge of `row` from the left edge of
// `column` right `length` cells.
struct ChartLine {
    bool vertical = false;
    int column = 0, row = 0, length = 0;
};

struct ChartLayout {
    bool fits = false;
    int16_t cellSize = 0, columns = 0, rows = 0, points = 0; // the table it was laid out for
    std::vector<ChartBox> boxes;
    std::vector<ChartLine> lines;
    // Size of the chart in cells; when it does not fit, that of the most compact chart at the
    // smallest cells and text.
    int chartColumns = 0, chartRows = 0;
};

struct LayoutCache;

struct LayoutOptions {
    // nameLength[i]: how many characters of texts[i] are the person's name (the rest, after a
    // blank, is the job title). Given, boxes are made wide enough to keep the name on a line of
    // its own where the grid allows; empty, texts are taken as they are.
    std::vector<int> nameLength;
    // The smallest cells and text the layout may go down to.
    int smallestCell = 8, smallestPoints = 7;
    // When set, the only cell and text size tried: the pages of a book take one scale.
    int onlyCell = 0, onlyPoints = 0;
    // What earlier layouts of the same build found, kept for the later ones (the pages of a split
    // lay the same people out many times): the texts' needs, and the grid and box shape the last
    // team went in with, tried first on the next. None: each layout starts afresh.
    LayoutCache* cache = nullptr;
};

// Most people a table of 101 x 101 cells can hold at all: boxes of two by two cells one cell apart.
// Lists of more people are refused without measuring any text.
constexpr int kMostPeopleOnATable = 102 * 102 / 9;

// Lays out the people of `team` alone (indices into texts and managerOf; a person whose manager
// is not in the team stands at the top, several top people side by side) on the largest cells
// and text that hold them in one table: the largest text they go in with, 10 points down to the
// options' smallest (a size is tried only when they went in with the one below it), and with it
// the "New" presets first, then smaller cells over the whole table. `fits` tells whether
// it went in; boxes name people by their index in texts. This is the whole layout: a chart is the
// team of everyone, and one team of a larger organisation can be tried on a page of its own.
ChartLayout LayOutTeam(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                       const std::vector<int>& team, const BoxTextMeasure& measure,
                       const LayoutOptions& options = {});

// Whether LayOutTeam would fit the team in, told without laying it out: it tries the smallest text
// alone, on each cell size, which asks the least room of any.
bool TeamFitsATable(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                    const std::vector<int>& team, const BoxTextMeasure& measure,
                    const LayoutOptions& options = {});
