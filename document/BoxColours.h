// Boxes coloured by level or by department: a palette of light fills, each with a text colour
// that keeps a contrast of at least 4.5 : 1 on it, and a legend naming each colour, set in a
// free corner of the chart (of each page).
#pragma once

#include "document/ColumnFinder.h"
#include "document/Document.h"

#include <cstdint>
#include <string>
#include <vector>

struct ChartLayout;
struct CheckedList;

struct BoxColour {
    uint32_t fill; // 0xRRGGBB
    uint32_t text;
};

// The palette, in the order groups take it; groups past its end take it again from the start.
const std::vector<BoxColour>& BoxPalette();

// WCAG contrast ratio of two 0xRRGGBB colours, from their relative luminance (1 to 21).
double ContrastRatio(uint32_t a, uint32_t b);

// The group of each person and the groups' names, in order of first appearance down the list.
struct ChartColours {
    std::vector<int> groupOf; // per person; -1 (no colour) for someone without a department
    std::vector<std::u16string> names;
};

// Groups by level (named `levelWord` and the level's number, the top level 1) or by the values of
// the department column; empty groups when colouring by nothing or without such a column.
ChartColours GroupPeople(const CheckedList& checked, ColourBy by, int departmentColumn,
                         const std::u16string& levelWord);

// Colours the boxes of a chart just written from `layout` (box b stands for person
// personOfText[b.person]) and sets the legend of the groups on it in the first free corner
// (bottom left, bottom right, top right, top left); false when no corner had room for it.
bool ColourChartBoxes(Document& doc, const ChartLayout& layout, const std::vector<int>& personOfText,
                      const ChartColours& colours);
// The same for the one table of a whole list (box b stands for person b.person) and for a page.
struct SplitPage;
bool ColourListChart(Document& doc, const ChartLayout& layout, const ChartColours& colours);
bool ColourPageBoxes(Document& doc, const SplitPage& page, const ChartColours& colours);

// The column of a list's header that names departments ("Department", "Departamento", "Service",
// "Abteilung", "Reparto", "Área", "Division", "Unit"…), or -1.
int FindDepartmentColumn(const CheckedList& checked);
