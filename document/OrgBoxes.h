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

// What one text needs at one size: the smallest text-area widths, in pixels, that give it k lines
// (index k - 1, INT_MAX when none does), and, when it starts with a name, the widths between which
// the name stands alone on the first line (from the name's own width to that of the name and the
// next word).
struct TextNeeds {
    std::array<int, kMaxLines> lines{};
    int nameAlone = INT_MAX, nameShared = 0;
    int restOnOneLine = INT_MAX; // the text after the name on one line
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
// packs the stacks tightest, rows need three between levels, the lines of stacked teams indent;
// then boxes no wider than their text needs when a name of its own would not fit; then boxes of
// odd widths too, whose connectors from above meet them half a cell beside the middle; last, the
// two top levels' boxes as low as their text allows.
struct Gaps {
    int columns = 1, rows = 1;
    int nameRoom = 2; // columns a box may widen by to put the name on a line of its own
    bool even = true; // widths of an even count of columns only
    // Levels from the top whose boxes take the fewest rows their text goes in: the heads of the
    // organisation stand above rows of their teams, where a box's height costs a whole band.
    int flatLevels = 0;
};
constexpr Gaps kBoxGaps[] = {{1, 1, 2, true}, {1, 3, 2, true},  {3, 1, 2, true},
                             {1, 1, 0, true}, {1, 1, 0, false}, {1, 1, 2, true, 2}};

// Box sizes on a grid of `cellSize` cells for people at the given depths: one height for all
// boxes of a level, the one that gives the level the least area with its gaps, and each box the
// narrowest width its text takes in that height (an even count of columns where `gaps` asks, so that
// a connector can meet the middle of the top edge), a little wider when that puts the name on a line of its
// own. False when a word is wider than `maxColumns`.
bool SizeBoxes(const std::vector<int>& depth, const std::vector<TextNeeds>& needs, int cellSize,
               int lineHeight, Gaps gaps, int maxColumns, std::vector<int>& boxW, std::vector<int>& boxH);
