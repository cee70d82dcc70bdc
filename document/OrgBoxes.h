// Chart boxes sized to their texts: what a text needs at a font size, and boxes of whole cells for
// the people of an organisation, one height for each level.
#pragma once

#include "document/OrgLayout.h"

#include <array>
#include <climits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

constexpr int kMaxLines = 6;          // box texts are given at most this many lines
constexpr int kWidestTextArea = 1100; // a box text never needs more than a page's width
// Pixels of a box's width its text does not take: the box's borders, and a little room between
// them and the glyphs, whose ink may reach past their advances.
constexpr int kBoxTextMargin = 6;
// A page mark (" ► N", " ◄ M") is laid out with this number, the widest a book has (at most 999
// pages), and filled in once every page has its number.
constexpr char16_t kMarkDigits[] = u"000";
// What comes before a page number: " ► " to the page of a manager's team, " ◄ " back to the page of
// the manager's own box. The number joins its arrow with a no-break space: the drawing breaks lines
// only at spaces, so a mark never parts from its number.
constexpr char16_t kMarkToTeam[] = u" \u25BA\u00A0";
constexpr char16_t kMarkToManager[] = u" \u25C4\u00A0";
// The drawing breaks a box's lines at its span (its columns less one separation) less its outline:
// a word that fits there joins the line, whatever room the ink would like.
constexpr int kBoxBreakMargin = 2;

// What one text needs at one size: the smallest text-area widths, in pixels, that give it k lines
// (index k - 1, INT_MAX when none does), and the widths between which a name it starts with stands
// alone on the first line: from the name's own width (a name is never broken) up to, not
// including, that of the name and the next word. Without a name, nothing bounds the width.
struct TextNeeds {
    std::array<int, kMaxLines> lines{};
    int nameAlone = 0, nameShared = INT_MAX;
    // The same for the text as it may be drawn at its shortest: a page mark's number is laid out
    // at its widest (kMarkDigits) and drawn with as few as one digit.
    std::array<int, kMaxLines> shortest{};
};

// The needs of `text`, whose first `nameLength` characters are a name (0: none), at `points`.
TextNeeds MeasureText(std::u16string_view text, int nameLength, int points, const BoxTextMeasure& measure);

// What the layouts of one build keep for one another: what texts need at the sizes they were
// measured at, by text, name length and size, and where the last team that went in went in (its
// grid's cells, columns and text, and its box shape in kBoxGaps below; 0: none yet).
struct LayoutCache {
    std::unordered_map<std::u16string, TextNeeds> needs;
    int goneInCell = 0, goneInColumns = 0, goneInPoints = 0;
    size_t goneInGaps = 0;
};

// MeasureText once for each text, name length and size; later asks are answered from `measured`.
const TextNeeds& MeasureTextOnce(LayoutCache& measured, std::u16string_view text, int nameLength, int points,
                                 const BoxTextMeasure& measure);

// The room a box is sized to take with what stands beside and below it: a cell of gap each way
// packs the stacks tightest, rows need three between levels, stacks beside lines a column more;
// then boxes of odd widths too, whose connectors from above meet them half a cell beside the
// middle; last, the two top levels' boxes as low as their text allows.
struct Gaps {
    int columns = 1, rows = 1;
    bool even = true; // an even count of columns wherever the name still stands alone
    // Levels from the top whose boxes take the fewest rows their text goes in: the heads of the
    // organisation stand above rows of their teams, where a box's height costs a whole band.
    int flatLevels = 0;
};
constexpr Gaps kBoxGaps[] = {{1, 1, true}, {1, 3, true}, {3, 1, true}, {1, 1, false}, {1, 1, true, 2}};

// Whether a box of `rows` rows is much taller than the `lines` lines of its text: it would hold
// two lines more. Boxes are at least two rows tall, so cells too large for the text make
// every box too tall.
bool BoxTooTall(int rows, int pitch, int lines, int lineHeight);

// Box sizes on a grid of `cellSize` cells for people at the given depths: one height for the
// boxes of a level, the one that gives the level the least area with its gaps (lower for a box it
// would make much taller than its text), and each box the narrowest width its text takes in that
// height with the name alone on the first line as the drawing breaks it (an even count of columns
// where `gaps` asks and the name allows, so that a connector can meet the middle of the top edge).
// False when no box of the table holds a text so, or the cells are too large for the text.
bool SizeBoxes(const std::vector<int>& depth, const std::vector<TextNeeds>& needs, int cellSize,
               int lineHeight, Gaps gaps, int maxColumns, std::vector<int>& boxW, std::vector<int>& boxH);
