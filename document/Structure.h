// Table structure: the "New" presets and the fresh guide grid, chart boxes made from marked
// guide cells, and connector lines between two marked cells.
#pragma once

#include "document/Document.h"

#include <cstdint>

struct NewPreset {
    int commandId;
    int16_t cellSize; // square cells, in pixels
    int16_t columns;
    int16_t rows;
};

constexpr int32_t kGuideGridColor = 0xC0C0C0;
constexpr int32_t kNewTableOrigin = 2;

// The preset of a "New" command id, or nullptr for any other id.
const NewPreset* FindNewPreset(int commandId);
// Table values of a preset: cell size, separation 1, line thickness 1, light grey lines, white paper.
void SetPresetTableValues(Document& doc, const NewPreset& preset);
// Creates the grid again, all zero, with the cells of a columns x rows guide grid whose cell
// coordinates start at (originX, originY); empties the undo history.
void BuildNewTable(Document& doc, int16_t columns, int16_t rows, int32_t originX, int32_t originY,
                   int32_t gridColor);
// The document side of a "New" command: the table is present, takes the preset's values and is
// built afresh. Pictures are cleared to the paper colour before this, which still holds the old one.
void ApplyNewPreset(Document& doc, const NewPreset& preset);

// "Create table": every marked cell of the table becomes an unmarked chart box.
void CreateChartBoxes(Document& doc);
// "Create line": with exactly two marked cells in one row or one column, the first (top-left)
// gets a connector along the stretch of cells to the second. All marks of the table are removed.
void CreateConnector(Document& doc);
// How many cells of the table are marked (marks outside it count for nothing).
int MarkedCellCount(const Document& doc);
// Whether the marks of the table make a connector: exactly two, in one row or one column.
bool ConnectorMarked(const Document& doc);
