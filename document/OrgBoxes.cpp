// Chart boxes sized to their texts.
#include "document/OrgBoxes.h"

#include <algorithm>
#include <cstdint>

namespace {

// The narrowest width that gives the text `lines` lines by the measure's lines as drawn, or as the
// drawing breaks them.
int NarrowestForLines(std::u16string_view text, int lines, int below, int points,
                      const BoxTextMeasure& measure, bool breaking = false) {
    const auto& count = breaking && measure.breakingLineCount ? measure.breakingLineCount : measure.lineCount;
    int lo = 1, hi = below;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (count(text, mid, points) <= lines)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo > kWidestTextArea ? INT_MAX : lo;
}

// The narrowest text area that gives a text `lines` lines without breaking its name.
int WidthFor(const TextNeeds& t, int lines) {
    const int width = t.lines[size_t(lines - 1)];
    return width == INT_MAX ? width : std::max(width, t.nameAlone);
}

// Columns of a box whose text goes into `lines` lines with its name alone on the first line, at
// least two: the fewest whose text area holds it, an even count where asked and the drawing still
// breaks the line after the name there (a connector then meets the middle of the top edge), else
// the odd one. 0 when no count of columns does.
int NamedColumns(const TextNeeds& t, int lines, int pitch, bool even) {
    const int width = WidthFor(t, lines);
    if (width > kWidestTextArea) return 0;
    const int columns = std::max(2, (width + kBoxTextMargin + pitch - 1) / pitch);
    auto nameAlone = [&](int c) { return int64_t(c) * pitch - kBoxBreakMargin < t.nameShared; };
    if (even && nameAlone(columns + columns % 2)) return columns + columns % 2;
    return nameAlone(columns) ? columns : 0;
}

// NamedColumns in `lines` lines, or where no count of columns keeps the name alone in them, in the
// fewest more that do; `lines` becomes those. Where no width keeps the name alone at all (a short
// name before a title word wider than the name and the next word together: "Hao Chen" and
// "Administrative"), the name shares its line with that word rather than the chart being refused:
// the narrowest box that holds the text in `lines` or the fewest more, the name still whole.
int NamedColumnsFrom(const TextNeeds& t, int& lines, int pitch, bool even) {
    for (int k = lines; k <= kMaxLines; ++k)
        if (const int columns = NamedColumns(t, k, pitch, even)) {
            lines = k;
            return columns;
        }
    // Only where no box of any cells could: even the narrowest text area breaks after the word.
    const int narrowest = WidthFor(t, kMaxLines);
    if (narrowest > kWidestTextArea || narrowest + kBoxTextMargin - kBoxBreakMargin < t.nameShared) return 0;
    for (int k = lines; k <= kMaxLines; ++k) {
        const int width = WidthFor(t, k);
        if (width > kWidestTextArea) continue;
        const int columns = std::max(2, (width + kBoxTextMargin + pitch - 1) / pitch);
        lines = k;
        return even ? columns + columns % 2 : columns;
    }
    return 0;
}

// Lines a text of those `widths` takes in a box of `columns` columns `margin` pixels narrower than
// its span.
int LinesIn(const std::array<int, kMaxLines>& widths, int columns, int pitch, int margin) {
    const int width = columns * pitch - margin;
    for (int k = 1; k <= kMaxLines; ++k)
        if (widths[size_t(k - 1)] <= width) return k;
    return kMaxLines;
}

int FewestRows(int lines, int lineHeight, int pitch) {
    return std::max(2, (lines * lineHeight + 4 + pitch - 1) / pitch);
}

std::array<int, kMaxLines> LineWidths(std::u16string_view text, int points, const BoxTextMeasure& measure,
                                      bool breaking = false) {
    std::array<int, kMaxLines> lines{};
    int high = kWidestTextArea + 1;
    for (int k = 1; k <= kMaxLines; ++k) {
        // Fewer lines need at least as much width: search below the width found for k - 1 lines.
        int w = NarrowestForLines(text, k, high, points, measure, breaking);
        lines[size_t(k - 1)] = w;
        if (w != INT_MAX) high = std::min(high, w);
    }
    return lines;
}

} // namespace

TextNeeds MeasureText(std::u16string_view text, int nameLength, int points, const BoxTextMeasure& measure) {
    TextNeeds needs;
    needs.lines = LineWidths(text, points, measure);
    // A box is much taller than its text by the lines the drawing breaks it into, at its shortest.
    const std::u16string_view digits = kMarkDigits;
    const size_t end = text.size();
    const bool marked =
        end > digits.size() + 3 && text.substr(end - digits.size()) == digits &&
        (text[end - digits.size() - 2] == u'\u25BA' || text[end - digits.size() - 2] == u'\u25C4');
    needs.shortest =
        marked ? LineWidths(std::u16string(text.substr(0, end - digits.size() + 1)), points, measure, true)
        : measure.breakingLineCount ? LineWidths(text, points, measure, true)
                                    : needs.lines;
    if (nameLength > 0 && size_t(nameLength) + 1 < text.size()) {
        size_t next = text.find(u' ', size_t(nameLength) + 1);
        std::u16string_view withWord = text.substr(0, next == std::u16string_view::npos ? text.size() : next);
        needs.nameAlone =
            NarrowestForLines(text.substr(0, size_t(nameLength)), 1, kWidestTextArea + 1, points, measure);
        // The drawing joins the next word to the name wherever the two fit by its own measure.
        needs.nameShared = NarrowestForLines(withWord, 1, kWidestTextArea + 1, points, measure, true);
    } else if (nameLength > 0) {
        needs.nameAlone = needs.lines[0]; // a name alone: on one line
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

bool BoxTooTall(int rows, int pitch, int lines, int lineHeight) {
    return (rows * pitch - 3) / lineHeight >= lines + 2; // the span less the outline above and below
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
            const int rows = FewestRows(k, lineHeight, pitch);
            const int lines = std::min(kMaxLines, (rows * pitch - 4) / lineHeight);
            if (lines != k) continue; // the same rows hold more lines: tried with those
            int64_t cost = 0;
            for (int i : level) {
                int boxLines = lines;
                const int columns = NamedColumnsFrom(needs[size_t(i)], boxLines, pitch, gaps.even);
                if (columns == 0 || columns > maxColumns) {
                    cost = INT64_MAX;
                    break;
                }
                cost += int64_t(columns + gaps.columns) *
                        (std::max(rows, FewestRows(boxLines, lineHeight, pitch)) + gaps.rows);
            }
            if (flat && cost != INT64_MAX) cost = rows;
            if (cost < bestCost) {
                bestCost = cost;
                bestRows = rows;
            }
        }
        if (bestCost == INT64_MAX) return false;
        const int lines = std::min(kMaxLines, (bestRows * pitch - 4) / lineHeight);
        for (int i : level) {
            const TextNeeds& t = needs[size_t(i)];
            int boxLines = lines;
            const int columns = NamedColumnsFrom(t, boxLines, pitch, gaps.even);
            // A box whose text takes fewer lines than its level's keeps the level's height unless
            // that would leave it much taller than its text; one that keeps its name alone only
            // in more lines is as tall as they need.
            const int own = LinesIn(t.lines, columns, pitch, kBoxTextMargin),
                      ownRows = FewestRows(own, lineHeight, pitch);
            // Much taller than the text as drawn at its shortest (a page mark of one digit).
            const int drawn = LinesIn(t.shortest, columns, pitch, kBoxBreakMargin);
            if (BoxTooTall(ownRows, pitch, drawn, lineHeight)) return false;
            boxW[size_t(i)] = columns;
            boxH[size_t(i)] =
                BoxTooTall(bestRows, pitch, drawn, lineHeight) ? ownRows : std::max(bestRows, ownRows);
        }
    }
    return true;
}
