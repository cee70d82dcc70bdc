// An organisation chart built from a list of people: a tidy tree laid out on whole cells, made of
// the same merged chart boxes and edge connectors that hand editing makes.
#pragma once

#include "document/BoxColours.h"
#include "document/Document.h"
#include "document/OrgLayout.h"
#include "document/PeopleList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The text of a person's box: the name, then the job title.
std::u16string BoxText(const Person& person);

// Lays out everyone (texts[i] is the text of person i, managerOf[i] the index of the manager or
// -1) on the largest cells that hold the chart; see LayOutTeam.
ChartLayout LayOutChart(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                        const BoxTextMeasure& measure, const LayoutOptions& options = {});

// Replaces the table by a fresh one of the layout's size holding the chart.
void WriteChart(Document& doc, const ChartLayout& layout, const std::vector<std::u16string>& texts);

enum class BuildResult {
    Built,
    FaultyList,   // faults holds the faulty lines; nothing changed
    EmptyList,    // no person in the list; nothing changed
    TooLarge,     // people and the chart's size in cells are set; nothing changed
    BookTooLarge, // the pages pass what a chart book holds (ChartBook.h); nothing changed
    Undecided,    // undecided holds the roles no column was found for; nothing changed
};

struct BuildOutcome {
    BuildResult result = BuildResult::EmptyList;
    std::vector<FaultyLine> faults;
    int people = 0;
    int chartColumns = 0, chartRows = 0;
    std::vector<ListRole> undecided;
    int formerRows = 0; // rows of former positions left aside
    // With a photo folder: how many people got a photo, and the names of those without one and of
    // those whose photo could not be read (their boxes stay without a picture).
    int photosFound = 0;
    std::vector<std::u16string> withoutPhoto, unreadablePhoto;
};

// A list read for a chart: the people, each one's manager and the texts and name lengths of their
// boxes.
struct ListForChart {
    CheckedList checked;
    std::vector<std::u16string> texts;
    LayoutOptions options;
    ChartColours colours; // the groups the boxes are coloured by; none when they are not
};

// Reads the list file's bytes, finds its columns (or takes those asked for) and checks it. Returns
// false, with the outcome's result, people, faults or undecided roles set, when no chart can be
// laid out from it.
bool ReadListForChart(std::string_view bytes, const AnsiDecoder& ansi, const ListColumns& columns,
                      ListForChart& read, BuildOutcome& outcome);

// The whole command on the document: reads the list file's bytes, finds its columns (or takes
// those asked for) and checks it, lays the chart out
// and, when it fits, replaces the table by it. The undo history then holds the table from before
// (if there was one), so one Undo takes the chart back.
BuildOutcome BuildChartFromList(Document& doc, std::string_view bytes, const AnsiDecoder& ansi,
                                const BoxTextMeasure& measure, const ListColumns& columns = {});
