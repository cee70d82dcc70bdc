// How many lines a box text takes, by the cell text layout's own breaking rule, from the advance
// widths of its characters: the measure the chart builder sizes its boxes with.
#pragma once

#include "document/OrgChart.h"

#include <functional>
#include <string_view>
#include <vector>

// extents[i] is the width of the first i + 1 characters of text. Returns the lines the layout
// breaks the text into at `width` pixels, or kUnfitLines when a word or a line is wider.
int CountBoxLines(std::u16string_view text, const std::vector<int>& extents, int width);

// A measure over a function giving the extents of a text with the box font at a size (one call
// per text and size; the answers are kept) and one giving the line height at a size.
BoxTextMeasure MakeBoxTextMeasure(std::function<std::vector<int>(std::u16string_view, int points)> extentsOf,
                                  std::function<int(int points)> lineHeight);
