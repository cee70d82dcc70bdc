// Chart boxes sized to their texts.
#include "document/OrgBoxes.h"

#include <algorithm>
#include <cstdint>

namespace {

int NarrowestForLines(std::u16string_view text, int lines, int below, int points,
                      const BoxTextMeasure& measure) {
    int lo = 1, hi = below;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (measure.lineCount(text, mid, points) <= lines)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo > kWidestTextArea ? INT_MAX : lo;
}

// Columns of a box whose text area is `width` pixels wide, at least two. An even count lets a
// connector meet the middle of the top edge; an odd one is met half a cell beside it.
int ColumnsFor(int width, int pitch, bool even) {
    if (width == INT_MAX) width = kWidestTextArea + 1; // wider than any table
    int columns = std::max(2, (width + kBoxTextMargin + pitch - 1) / pitch);
    return even ? columns + columns % 2 : columns;
}

// The width that puts a text's name on the first line and the rest on the second, INT_MAX when none
// does (no name, or the rest's first word would join the name).
int NameAndRest(const TextNeeds& t) {
    if (t.nameAlone == INT_MAX) return INT_MAX;
    const int width = std::max(t.nameAlone, t.restOnOneLine);
    return width < t.nameShared ? width : INT_MAX;
}

// The narrowest text area that gives a text `lines` lines without breaking its name.
int WidthFor(const TextNeeds& t, int lines) {
    const int width = t.lines[size_t(lines - 1)];
    return t.nameAlone == INT_MAX || width == INT_MAX ? width : std::max(width, t.nameAlone);
}

} // namespace

TextNeeds MeasureText(std::u16string_view text, int nameLength, int points, const BoxTextMeasure& measure) {
    TextNeeds needs;
    int high = kWidestTextArea + 1;
    for (int k = 1; k <= kMaxLines; ++k) {
        // Fewer lines need at least as much width: search below the width found for k - 1 lines.
        int w = NarrowestForLines(text, k, high, points, measure);
        needs.lines[size_t(k - 1)] = w;
        if (w != INT_MAX) high = std::min(high, w);
    }
    if (nameLength > 0 && size_t(nameLength) + 1 < text.size()) {
        size_t next = text.find(u' ', size_t(nameLength) + 1);
        std::u16string_view withWord = text.substr(0, next == std::u16string_view::npos ? text.size() : next);
        needs.nameAlone =
            NarrowestForLines(text.substr(0, size_t(nameLength)), 1, kWidestTextArea + 1, points, measure);
        needs.nameShared = NarrowestForLines(withWord, 1, kWidestTextArea + 1, points, measure);
        needs.restOnOneLine =
            NarrowestForLines(text.substr(size_t(nameLength) + 1), 1, kWidestTextArea + 1, points, measure);
    }
    return needs;
}

const TextNeeds& MeasureTextOnce(LayoutCache& measured, std::u16string_view text, int nameLength, int points,
                                 const BoxTextMeasure& measure) {
    std::u16string key(text);
    key.push_back(u'\0');
    key.push_back(char16_t(points));
    key.push_back(char16_t(nameLength & 0xFFFF));
    key.push_back(char16_t(nameLength >> 16));
    auto known = measured.needs.find(key);
    if (known == measured.needs.end())
        known = measured.needs.emplace(std::move(key), MeasureText(text, nameLength, points, measure)).first;
    return known->second;
}

bool SizeBoxes(const std::vector<int>& depth, const std::vector<TextNeeds>& needs, int cellSize,
               int lineHeight, Gaps gaps, int maxColumns, std::vector<int>& boxW, std::vector<int>& boxH) {
    const int pitch = cellSize + 1, n = int(depth.size());
    const int levels = n == 0 ? 0 : *std::max_element(depth.begin(), depth.end()) + 1;
    std::vector<std::vector<int>> ofLevel(static_cast<size_t>(levels));
    for (int i = 0; i < n; ++i)
        ofLevel[size_t(depth[size_t(i)])].push_back(i);
    boxW.assign(size_t(n), 2);
    boxH.assign(size_t(n), 2);
    for (const std::vector<int>& level : ofLevel) {
        const bool flat = &level - ofLevel.data() < gaps.flatLevels;
        int64_t bestCost = INT64_MAX;
        int bestRows = 0;
        for (int k = 1; k <= kMaxLines; ++k) {
            const int rows = std::max(2, (k * lineHeight + 4 + pitch - 1) / pitch);
            const int lines = std::min(kMaxLines, (rows * pitch - 4) / lineHeight);
            if (lines != k) continue; // the same rows hold more lines: tried with those
            int64_t cost = 0;
            for (int i : level) {
                int columns = ColumnsFor(WidthFor(needs[size_t(i)], lines), pitch, gaps.even);
                if (columns > maxColumns) {
                    cost = INT64_MAX;
                    break;
                }
                cost += int64_t(columns + gaps.columns) * (rows + gaps.rows);
            }
            if (flat && cost != INT64_MAX) {
                // Each text on one line; else, with names, each name on one line and the rest of
                // its text on the next; else the fewest rows that go in.
                const bool named =
                    gaps.nameRoom > 0 && lines == 2 && std::all_of(level.begin(), level.end(), [&](int i) {
                        return ColumnsFor(NameAndRest(needs[size_t(i)]), pitch, gaps.even) <= maxColumns;
                    });
                cost = lines == 1 ? 0 : named ? 1 : 2 + rows;
            }
            if (cost < bestCost) {
                bestCost = cost;
                bestRows = rows;
            }
        }
        if (bestCost == INT64_MAX) return false;
        const int lines = std::min(kMaxLines, (bestRows * pitch - 4) / lineHeight);
        for (int i : level) {
            const TextNeeds& t = needs[size_t(i)];
            int columns = ColumnsFor(WidthFor(t, lines), pitch, gaps.even);
            if (flat && gaps.nameRoom > 0 && lines == 2 && NameAndRest(t) != INT_MAX)
                columns = std::max(columns, ColumnsFor(NameAndRest(t), pitch, gaps.even));
            for (int wider = columns; wider <= columns + gaps.nameRoom && wider <= maxColumns;
                 wider += gaps.even ? 2 : 1) {
                int area = wider * pitch - kBoxTextMargin;
                if (area >= t.nameAlone && area < t.nameShared) {
                    columns = wider;
                    break;
                }
            }
            boxW[size_t(i)] = columns;
            boxH[size_t(i)] = bestRows;
        }
    }
    return true;
}
