// Small builders shared by the document tests: a fresh preset table with chosen chart boxes.
#pragma once

#include "document/Selection.h"
#include "document/Structure.h"

#include <memory>
#include <utility>
#include <vector>

// Documents are large (a 101 x 101 grid); tests keep them on the heap.
inline std::unique_ptr<Document> NewTable(int commandId) {
    auto doc = std::make_unique<Document>();
    ApplyNewPreset(*doc, *FindNewPreset(commandId));
    return doc;
}

inline void MakeBoxes(Document& doc, const std::vector<std::pair<int, int>>& cells) {
    for (auto [c, r] : cells)
        doc.cellGrid(c, r).isBox = 1;
}

// Clicks of the cell selector, in order.
inline void Click(Document& doc, const std::vector<std::pair<int, int>>& cells) {
    for (auto [c, r] : cells)
        CellSelectorClick(doc, c, r);
}

inline std::vector<std::pair<int, int>> SelectedCells(const Document& doc) {
    std::vector<std::pair<int, int>> cells;
    for (int r = 0; r < kGridSize; ++r)
        for (int c = 0; c < kGridSize; ++c)
            if (doc.cellGrid(c, r).selected) cells.emplace_back(c, r);
    return cells;
}

constexpr int kHorizontal16 = 3302;
constexpr int kHorizontal24 = 3309;
constexpr int kHorizontal64 = 3304;
