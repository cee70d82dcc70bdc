// Which person of the list a chart box stands for, kept behind the terminator of the box's text:
// readers of the work file stop at the terminator, so the file stays what the format defines, and
// the tag travels wherever the record goes (undo, recovery copies, chart books).
#pragma once

#include "document/CellRecord.h"

#include <string>
#include <string_view>
#include <vector>

struct ChartLayout;
struct Document;
struct PeopleList;

enum class TagKind : char16_t {
    Person = 1,    // the box of a person of the list
    Reference = 2, // a copy of a person's box heading a page of their team
    Connector = 3, // a connector the chart drew (not one drawn by hand)
};

struct PersonTag {
    TagKind kind = TagKind::Person;
    bool byId = false;      // the key is the list's id; otherwise it is the person's name
    std::u16string key;     // the person's id or name
    std::u16string manager; // the manager's key; empty for a top person
    // How the box text starts: the name, a blank and the title (as the list had them).
    int nameLength = 0, titleLength = 0;
};

// Longest key or manager key a tag keeps; a longer one leaves the box untagged.
constexpr size_t kLongestTagKey = 80;

// Writes the tag at the end of the text field; false (and the cell untouched) when the text leaves
// no room behind its terminator or a key is too long.
bool WritePersonTag(CellRecord& cell, const PersonTag& tag);
// The tag of the cell, when one is there whole: false for a cell never tagged, for a tag the text
// has grown over since, or for any bytes that merely look like one.
bool ReadPersonTag(const CellRecord& cell, PersonTag& tag);
// Takes the tag away, the text staying as it is.
void ClearPersonTag(CellRecord& cell);

// Tags the boxes and connectors of a chart just written from `layout`: box b stands for person
// personOfText[b.person] of the list (-1: none), a reference when referenceOfText says so.
void TagChartBoxes(Document& doc, const ChartLayout& layout, const PeopleList& list,
                   const std::vector<int>& managerOf, const std::vector<int>& personOfText,
                   const std::vector<char>& referenceOfText);

struct CheckedList;
struct SplitPage;
// The same for the one table of a whole list, and for one page of a chart split into pages.
void TagListChart(Document& doc, const ChartLayout& layout, const CheckedList& checked);
void TagPageBoxes(Document& doc, const SplitPage& page, const CheckedList& checked);
