// "New" presets, the fresh guide grid, "Create table" and "Create line".
#include "document/Structure.h"

#include "document/Undo.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Landscape presets fill about 1100 x 770 pixels of the table picture, portrait ones 770 x 1100.
constexpr NewPreset kNewPresets[] = {
    {3302, 16, 65, 46}, {3309, 24, 44, 31}, {3303, 32, 33, 23}, {3304, 64, 17, 12},
    {3305, 16, 46, 65}, {3310, 24, 31, 44}, {3306, 32, 23, 33}, {3307, 64, 12, 17},
};

} // namespace

const NewPreset* FindNewPreset(int commandId) {
    for (const NewPreset& preset : kNewPresets)
        if (preset.commandId == commandId) return &preset;
    return nullptr;
}

void SetPresetTableValues(Document& doc, const NewPreset& preset) {
    doc.cellWidth = preset.cellSize;
    doc.cellHeight = preset.cellSize;
    doc.separation = 1;
    doc.lineThickness = 1;
    doc.tableRows = preset.rows;
    doc.tableColumns = preset.columns;
    doc.lineColor = kGuideGridColor;
    doc.paperColor = kWhite;
}

void BuildNewTable(Document& doc, int16_t columns, int16_t rows, int32_t originX, int32_t originY,
                   int32_t gridColor) {
    // Zeroed in place: a second grid beside the first would double the peak memory.
    std::memset(static_cast<void*>(doc.cellGrid.slots.data()), 0,
                doc.cellGrid.slots.size() * sizeof(CellRecord));
    ResetUndoHistory(doc);
    int usedColumns = std::clamp<int>(columns, 0, kGridSize);
    int usedRows = std::clamp<int>(rows, 0, kGridSize);
    for (int r = 0; r < usedRows; ++r) {
        for (int c = 0; c < usedColumns; ++c) {
            CellRecord& cell = doc.cellGrid(c, r);
            cell.left = c * doc.cellWidth + originX;
            cell.top = r * doc.cellHeight + originY;
            cell.right = (c + 1) * doc.cellWidth + originX;
            cell.bottom = (r + 1) * doc.cellHeight + originY;
            cell.column = int16_t(c);
            cell.row = int16_t(r);
            cell.cellWidth = doc.cellWidth;
            cell.cellHeight = doc.cellHeight;
            cell.backColor = kWhite;
            cell.fontColor = 0;
            AssignField(cell.fontName, kDefaultFontName);
            cell.fontSize = kDefaultFontSize;
            cell.alignment = kAlignLeft;
            cell.tableColumns = columns;
            cell.tableRows = rows;
            cell.lineThickness = int16_t(doc.lineThickness);
            cell.lineColor = gridColor;
            cell.separation = doc.separation;
            cell.paperColor = doc.paperColor;
            cell.numberFormatType = kDefaultNumberFormatType;
        }
    }
}

void ApplyNewPreset(Document& doc, const NewPreset& preset) {
    doc.tablePresent = true;
    SetPresetTableValues(doc, preset);
    BuildNewTable(doc, doc.tableColumns, doc.tableRows, kNewTableOrigin, kNewTableOrigin, kGuideGridColor);
    doc.modified = false;
}

void CreateChartBoxes(Document& doc) {
    for (int r = 0; r < doc.tableRows && r < kGridSize; ++r) {
        for (int c = 0; c < doc.tableColumns && c < kGridSize; ++c) {
            CellRecord& cell = doc.cellGrid(c, r);
            if (cell.marked == 1) {
                cell.marked = 0;
                cell.isBox = 1;
            }
        }
    }
}

namespace {

// The grid places of the first two marked cells of the table (rows outer, columns inner) and how
// many cells are marked.
struct Marks {
    int firstColumn = 0, firstRow = 0, secondColumn = 0, secondRow = 0;
    int count = 0;
};

Marks FindMarks(const Document& doc) {
    const int rows = std::clamp<int>(doc.tableRows, 0, kGridSize);
    const int columns = std::clamp<int>(doc.tableColumns, 0, kGridSize);
    Marks marks;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if (doc.cellGrid(c, r).marked != 1) continue;
            ++marks.count;
            if (marks.count == 1) marks.firstColumn = c, marks.firstRow = r;
            if (marks.count == 2) marks.secondColumn = c, marks.secondRow = r;
        }
    return marks;
}

} // namespace

int MarkedCellCount(const Document& doc) {
    return FindMarks(doc).count;
}

bool ConnectorMarked(const Document& doc) {
    const Marks marks = FindMarks(doc);
    if (marks.count != 2) return false;
    const CellRecord& a = doc.cellGrid(marks.firstColumn, marks.firstRow);
    const CellRecord& b = doc.cellGrid(marks.secondColumn, marks.secondRow);
    return a.row == b.row || a.column == b.column;
}

void CreateConnector(Document& doc) {
    int rows = std::clamp<int>(doc.tableRows, 0, kGridSize);
    int columns = std::clamp<int>(doc.tableColumns, 0, kGridSize);
    const Marks marks = FindMarks(doc);
    if (marks.count == 2) {
        CellRecord& a = doc.cellGrid(marks.firstColumn, marks.firstRow);
        const CellRecord& b = doc.cellGrid(marks.secondColumn, marks.secondRow);
        int32_t dx = std::abs(a.column - b.column) + 1;
        int32_t dy = std::abs(a.row - b.row) + 1;
        // The line runs along the top edge (horizontal) or the left edge (vertical) of the
        // stretch of cells; the drawing adds the separation gaps before each cell.
        if (b.row == a.row) {
            a.hLineX1 = a.left;
            a.hLineY1 = a.top - 1;
            a.hLineX2 = a.left + dx * (a.cellWidth + doc.separation);
            a.hLineY2 = a.top - 1;
            a.hLineOn = 1;
        } else if (b.column == a.column) {
            a.vLineX1 = a.left - 1;
            a.vLineY1 = a.top;
            a.vLineX2 = a.left - 1;
            a.vLineY2 = a.top + dy * (a.cellHeight + doc.separation);
            a.vLineOn = 1;
        }
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            doc.cellGrid(c, r).marked = 0;
}
