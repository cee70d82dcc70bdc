// "Update from list": the chart read as it is (who each box stands for, how it looks, what else is
// drawn on it), the people of a newer list matched to its boxes, and the chart laid out anew from
// that list with every look, added line and hand-drawn piece carried over.
#pragma once

#include "document/Chart.h"
#include "document/OrgChart.h"
#include "document/PersonTag.h"

#include <array>
#include <span>
#include <string>
#include <vector>

// Anything drawn that stands for nobody in the list: a heading, a legend, a note, a line drawn by
// hand. Its cells, row by row.
struct OldPiece {
    int page = 0, column = 0, row = 0, columns = 1, rows = 1;
    int pitchX = 1, pitchY = 1, originX = 0, originY = 0; // the old table's cell geometry
    std::vector<CellRecord> cells;
};

// A box of the chart before the update that stands, or may stand, for a person.
struct OldBox {
    OldPiece shape;      // where it was and its cells; shape.cells[0] is its own cell
    bool tagged = false; // the chart knows the box's person
    PersonTag tag;
    std::u16string head; // the first line of its text: the name and the title
    std::u16string name, title;
    std::u16string added; // the lines added below, from the first line break on
    int newPerson = -1;   // the person of the new list it is matched to
    bool unsure = false;  // more than one person of the new list could be this box
};

struct OldChart {
    std::vector<OldBox> boxes;
    std::vector<OldPiece> pieces;
    std::vector<std::wstring> pageNames;
    std::vector<int> buildPoints; // per page: the text size the build gave its boxes
    std::vector<int> headingBox;  // per page: the box of the person whose copy heads it, or -1
    // Per page: whether some box on it knows its person, and its table (columns, rows, cell size).
    std::vector<char> pageTagged;
    std::vector<std::array<int16_t, 3>> pageTable;
    bool tagged = false; // some box knows its person
};

// Reads every page of the chart (the page shown stays shown).
OldChart ReadOldChart(Chart& chart, Document& shown);
// Reads the pages of a chart book's bytes, one at a time, none of them kept; false when the book
// or one of its pages is refused.
bool ReadOldBook(OldChart& old, std::span<const uint8_t> bytes);
// Reads one page's document as page `index` named `name`.
void ReadOldPage(OldChart& old, const Document& page, int index, const std::wstring& name);

// Matches the boxes to the people of the new list: by id where the box knows its person's id and
// the list has ids, otherwise by name, people sharing a name told apart by title and then by
// manager. A box several people could be is marked unsure and matched to nobody.
// Returns, for each person of the list, the box matched to them or -1.
std::vector<int> MatchPeople(OldChart& old, const CheckedList& list);

// The pieces that stand for nobody known without doubt: those drawn as such, then the boxes no
// person of the list was matched to where the chart does not know they left (unsure, drawn by hand).
std::vector<const OldPiece*> PiecesOf(const OldChart& old);

// What the update did to the pieces that stand for nobody.
struct PiecePlacement {
    int piece = 0;           // index into PiecesOf
    int column = 0, row = 0; // where it went
    bool inPlace = true;     // false: moved beside the chart (or left out when no room was left)
    bool kept = true;
};

// A page of the new chart as laid out: its boxes name people by their index in `texts`, whose
// person of the list personOfText tells (a reference: the copy heading a team's page).
struct PlannedPage {
    ChartLayout layout;
    std::vector<std::u16string> texts;
    std::vector<int> personOfText;
    std::vector<char> reference;
    int heading = -1;
    std::wstring name;
    std::vector<PiecePlacement> pieces; // the pieces put on this page
};

struct UpdateOutcome {
    BuildOutcome build;
    std::vector<PiecePlacement> pieces; // one for each of PiecesOf
    std::vector<PlannedPage> pages;
    bool pagesReplaced = false; // the chart became a new set of pages (no undo snapshot holds it)
};

// The new chart laid out and the pieces placed, nothing written: what the comparison tells before
// the user decides. The build result is TooLarge when not even pages hold the list.
UpdateOutcome PlanChartUpdate(const OldChart& old, const ListForChart& read, const BoxTextMeasure& measure);
// Writes a planned update (Built) in the chart's place; see UpdateChartFromList.
void ApplyChartUpdate(Chart& chart, Document& shown, const OldChart& old, const std::vector<int>& boxOfPerson,
                      const ListForChart& read, UpdateOutcome& plan);

// Lays out the list read as Build does (one table, or pages where it does not fit) and puts it in
// the chart's place with the looks of the matched boxes, team looks for those who joined, and the
// pieces that stand for nobody. A chart of one page that stays one table keeps its undo history,
// with the chart from before as the last snapshot; otherwise the chart's pages are replaced.
// Nothing changes unless the result is Built.
// The same update straight into the bytes of a chart book, page by page, the chart left alone.
std::vector<uint8_t> EncodeUpdatedBook(const OldChart& old, const std::vector<int>& boxOfPerson,
                                       const ListForChart& read, const UpdateOutcome& plan);

UpdateOutcome UpdateChartFromList(Chart& chart, Document& shown, const OldChart& old,
                                  const std::vector<int>& boxOfPerson, const ListForChart& read,
                                  const BoxTextMeasure& measure);
