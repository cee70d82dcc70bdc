// Tables for the work-file tests: a filled table with varied content, and record bytes.
#pragma once

#include "document/WorkFileFormat.h"

#include <string>
#include <vector>

// A table of columns x rows cells of cellSize pixels in which every cell differs from the others.
inline void FillTable(Document& doc, int columns, int rows, int cellSize) {
    doc.tableColumns = static_cast<int16_t>(columns);
    doc.tableRows = static_cast<int16_t>(rows);
    doc.cellWidth = doc.cellHeight = static_cast<int16_t>(cellSize);
    doc.separation = 3;
    doc.lineThickness = 2;
    doc.lineColor = 0x00112233;
    doc.paperColor = 0x00F0E0D0;
    doc.tablePresent = true;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            CellRecord& cell = doc.cellGrid(column, row);
            cell.left = column * cellSize + 2;
            cell.top = row * cellSize + 2;
            cell.right = (column + 1) * cellSize + 2;
            cell.bottom = (row + 1) * cellSize + 2;
            cell.column = static_cast<int16_t>(column);
            cell.row = static_cast<int16_t>(row);
            cell.backColor = (column + row) % 5 == 0 ? kNoColor : 0x00FFFFFF - column;
            cell.fontColor = row * 1000 + column;
            // A long name first, then a short one: the tail of the long one stays behind the NUL.
            AssignField(cell.fontName, "Times New Roman Extra Long Face");
            AssignField(cell.fontName, column % 2 ? "Arial" : "Times New Roman");
            cell.fontSize = static_cast<int16_t>(8 + column % 20);
            cell.bold = column % 2;
            cell.italic = row % 2;
            cell.underline = (column + row) % 2;
            cell.strikeout = column % 3 == 0;
            cell.leading = row % 3 == 0;
            AssignField(cell.imageSpec, "C:\\pictures\\p" + std::to_string(column) + ".jpg|16777215");
            AssignField(cell.iconPath, row % 4 ? "" : "C:\\icons\\i" + std::to_string(row) + ".ico");
            std::u16string text =
                u"Caf\u00e9 \u20ac " + std::u16string(static_cast<size_t>(column % 7), u'x');
            AssignField(cell.text, text);
            cell.alignment = static_cast<int16_t>(kAlignLeft + (column + row) % 6);
            cell.tableColumns = doc.tableColumns;
            cell.tableRows = doc.tableRows;
            cell.lineThickness = static_cast<int16_t>(doc.lineThickness);
            cell.lineColor = doc.lineColor;
            cell.covered = column % 9 == 1 ? 1 : 0;
            cell.cancelled = row % 11 == 5;
            cell.cellWidth = doc.cellWidth;
            cell.cellHeight = doc.cellHeight;
            cell.separation = doc.separation;
            cell.paperColor = doc.paperColor;
            cell.numberFormatType = static_cast<int16_t>(1 + column % 7);
            cell.numberFormatAllowed = row % 2;
            if (column == 3) AssignField(cell.reserved11, "keep");
            cell.marked = (column * row) % 2;
            cell.isBox = column % 4 != 0;
            cell.vLineOn = column == 2;
            cell.hLineOn = row == 2;
            cell.vLineX1 = cell.left + 5;
            cell.vLineY1 = cell.top;
            cell.vLineX2 = cell.left + 5;
            cell.vLineY2 = cell.bottom;
            cell.hLineX1 = cell.left;
            cell.hLineY1 = cell.top + 5;
            cell.hLineX2 = cell.right;
            cell.hLineY2 = -cell.top;
        }
}

inline std::vector<uint8_t> RecordBytes(const CellRecord& cell) {
    std::vector<uint8_t> bytes(kRecordSize);
    EncodeCellRecord(cell, bytes.data());
    return bytes;
}

// Every slot of the grid, inside the table or not, as bytes.
inline std::vector<uint8_t> GridBytes(const Document& doc) {
    std::vector<uint8_t> bytes;
    for (const CellRecord& cell : doc.cellGrid.slots)
        AppendCellRecord(bytes, cell);
    return bytes;
}

// A previous-format record is the current one without the 274 bytes of the icon path.
inline std::vector<uint8_t> ToPreviousFormat(const std::vector<uint8_t>& current) {
    std::vector<uint8_t> previous;
    for (size_t at = 0; at < current.size(); at += kRecordSize) {
        previous.insert(previous.end(), current.begin() + at, current.begin() + at + 424);
        previous.insert(previous.end(), current.begin() + at + 698, current.begin() + at + kRecordSize);
    }
    return previous;
}
