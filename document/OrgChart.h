// An organisation chart built from a list of people: a tidy tree laid out on whole cells, made of
// the same merged chart boxes and edge connectors that hand editing makes.
#pragma once

#include "document/Document.h"
#include "document/PeopleList.h"

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
    // Size of the chart in cells; when it does not fit, that of the most compact chart tried.
    int chartColumns = 0, chartRows = 0;
    std::vector<ListRole> undecided;
};

// The text of a person's box: the name, then the job title.
std::u16string BoxText(const Person& person);

// Lays out the people (texts[i] is the text of person i, managerOf[i] the index of the manager
// or -1) on the largest cells that hold the chart: the "New" presets with 10-point text, then
// smaller cells and text down to 8 pixels and 7 points.
ChartLayout LayOutChart(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                        const BoxTextMeasure& measure);

// Replaces the table by a fresh one of the layout's size holding the chart.
void WriteChart(Document& doc, const ChartLayout& layout, const std::vector<std::u16string>& texts);

enum class BuildResult {
    Built,
    FaultyList, // faults holds the faulty lines; nothing changed
    EmptyList,  // no person in the list; nothing changed
    TooLarge,   // people and the chart's size in cells are set; nothing changed
    Undecided,  // undecided holds the roles no column was found for; nothing changed
};

struct BuildOutcome {
    BuildResult result = BuildResult::EmptyList;
    std::vector<FaultyLine> faults;
    int people = 0;
    int chartColumns = 0, chartRows = 0;
    std::vector<ListRole> undecided;
};

// The whole command on the document: reads the list file's bytes, finds its columns (or takes
// those asked for) and checks it, lays the chart out
// and, when it fits, replaces the table by it. The undo history then holds the table from before
// (if there was one), so one Undo takes the chart back.
BuildOutcome BuildChartFromList(Document& doc, std::string_view bytes, const AnsiDecoder& ansi,
                                const BoxTextMeasure& measure, const ListColumns& columns = {});
