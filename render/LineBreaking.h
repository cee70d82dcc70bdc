// The line-breaking rule of cell texts, free of any drawing API: a text is split into at most 100
// lines given a function that tells how many leading characters fit into a width.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

constexpr int kTextLineCount = 100;

// Lines 1 to 100 are lines[0] to lines[99]; every line is a piece of the text being broken.
using TextLines = std::array<std::u16string_view, kTextLineCount>;

struct SplitPieces {
    std::u16string_view first;
    std::u16string_view second;
};

// Splits s after `fit` characters fit: all of s when it all fits; otherwise at the last space at
// or before the first character that does not fit (index 1 at the lowest), the second piece
// starting with that space; with no such space the first piece is empty and the second is s.
SplitPieces SplitAtFit(std::u16string_view s, size_t fit);

std::u16string_view WithoutLeadingSpaces(std::u16string_view s);

// Breaks the text for the given width. fitCount(text, width) returns how many leading characters
// of text fit into width pixels. Returns the number of lines up to the last non-empty one.
//
// Line 1 and line 2 come from one split of the whole text. Then each line k (2 to 99) that has
// more characters than line k - 1 is split into k and k + 1, both without leading spaces. The test
// counts characters, not pixels: a line shorter than the one above is taken to fit, and a line
// made by the first split keeps its leading space.
template <class FitCount>
int BreakTextLines(std::u16string_view text, int width, FitCount&& fitCount, TextLines& lines) {
    lines.fill({});
    // A split depends only on the piece split, so a piece met again (a word too wide for the cell
    // is handed on from line to line) is not measured again.
    std::u16string_view lastPiece;
    SplitPieces lastPieces;
    bool haveLast = false;
    auto split = [&](std::u16string_view s) {
        if (s.empty()) return SplitPieces{};
        if (haveLast && s.data() == lastPiece.data() && s.size() == lastPiece.size()) return lastPieces;
        int fit = fitCount(s, width);
        lastPiece = s;
        lastPieces = SplitAtFit(s, fit < 0 ? 0 : static_cast<size_t>(fit));
        haveLast = true;
        return lastPieces;
    };
    SplitPieces pieces = split(text);
    lines[0] = pieces.first;
    lines[1] = pieces.second;
    for (int k = 1; k < kTextLineCount - 1; ++k) {
        // Lines after k are still empty, so once a line is not split no later line can be:
        // stopping here gives the same lines as running every test.
        if (lines[k].size() <= lines[k - 1].size()) break;
        pieces = split(lines[k]);
        lines[k] = WithoutLeadingSpaces(pieces.first);
        lines[k + 1] = WithoutLeadingSpaces(pieces.second);
    }
    int used = kTextLineCount;
    while (used > 0 && lines[used - 1].empty())
        --used;
    return used;
}
