// Box text line counts from character extents.
#include "render/BoxTextFit.h"

#include "render/LineBreaking.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>

int CountBoxLines(std::u16string_view text, const std::vector<int>& extents, int width) {
    if (extents.size() < text.size()) return kUnfitLines;
    // Pieces the rule measures are views into the text, so their extents are differences.
    auto span = [&](std::u16string_view piece) {
        size_t from = size_t(piece.data() - text.data());
        int base = from == 0 ? 0 : extents[from - 1];
        return std::pair<size_t, int>(from, base);
    };
    auto fitCount = [&](std::u16string_view piece, int w) {
        if (piece.empty()) return 0;
        auto [from, base] = span(piece);
        auto first = extents.begin() + std::ptrdiff_t(from);
        auto end = first + std::ptrdiff_t(piece.size());
        return int(std::upper_bound(first, end, base + w) - first);
    };
    TextLines lines;
    int used = BreakTextLines(text, width, fitCount, lines);
    // A word too wide is handed on to the hundredth line; a short line may still be too wide.
    for (int i = 0; i < used; ++i) {
        if (lines[size_t(i)].empty()) continue;
        auto [from, base] = span(lines[size_t(i)]);
        if (extents[from + lines[size_t(i)].size() - 1] - base > width) return kUnfitLines;
    }
    return used >= kTextLineCount ? kUnfitLines : used;
}

BoxTextMeasure MakeBoxTextMeasure(std::function<std::vector<int>(std::u16string_view, int points)> extentsOf,
                                  std::function<int(int points)> lineHeight) {
    auto known = std::make_shared<std::unordered_map<std::u16string, std::vector<int>>>();
    BoxTextMeasure measure;
    measure.lineCount = [known, extentsOf](std::u16string_view text, int width, int points) {
        std::u16string key(text);
        key.push_back(char16_t(points));
        auto it = known->find(key);
        if (it == known->end()) it = known->emplace(std::move(key), extentsOf(text, points)).first;
        return CountBoxLines(text, it->second, width);
    };
    measure.lineHeight = std::move(lineHeight);
    return measure;
}
