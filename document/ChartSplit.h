// An organisation too large for one table split into pages: the first page holds the top levels
// that fit, and each team that does not fit goes onto a page of its own, recursively, headed by a
// copy of its manager's box. The manager's own box ends with " ► N" (the team's page) and the copy
// with " ◄ M" (the page of the manager's own box).
#pragma once

#include "document/OrgChart.h"

#include <cstdint>
#include <string>
#include <vector>

struct SplitPage {
    int heading = -1;                  // the person whose copy heads the page; -1 on the first page
    std::vector<int> people;           // the people whose own box is on the page
    std::vector<std::u16string> texts; // the texts of the layout's boxes (the heading copy's first)
    ChartLayout layout;                // boxes refer to `texts`
};

struct ChartSplit {
    bool fits = false;            // false when some manager's direct reports alone fill more than a table
    std::vector<SplitPage> pages; // depth first through the organisation
};

// Splits the people (texts[i] is person i's box text, managerOf[i] the manager's index or -1).
// `options` are those of the whole chart's layout (names kept on a line of their own).
ChartSplit SplitChart(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                      const BoxTextMeasure& measure, const LayoutOptions& options = {});

struct Chart;

// "Build from list" for a list that does not fit one table: the chart is replaced by its pages,
// each named after its team's manager, the first one shown. On anything but Built (a list that
// fits one table is TooLarge's opposite: the caller builds it as one table) nothing changes.
BuildOutcome BuildChartPagesFromList(Chart& chart, Document& shown, std::string_view bytes,
                                     const AnsiDecoder& ansi, const BoxTextMeasure& measure,
                                     const ListColumns& columns = {});

// The same for "/build" to a chart book: the book's bytes, each page written into it in turn, the
// same bytes as the chart of pages recorded as a book. Both refuse with BookTooLarge pages that
// together pass what a book holds.
BuildOutcome BuildChartBookFromList(std::vector<uint8_t>& book, std::string_view bytes,
                                    const AnsiDecoder& ansi, const BoxTextMeasure& measure,
                                    const ListColumns& columns = {});
