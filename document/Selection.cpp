// Selection run and cell-selector clicks.
#include "document/Selection.h"

#include "document/Spans.h"
#include "document/Undo.h"

#include <memory>

void ClearSelection(Document& doc) {
    doc.selectionCount = 0;
    doc.selectionColumn = 0;
    doc.selectionRow = 0;
    doc.selectionHorizontal = 0;
    doc.selectionVertical = 0;
}

void DeselectAll(Document& doc) {
    for (int r = 0; r < doc.tableRows && r < kGridSize; ++r)
        for (int c = 0; c < doc.tableColumns && c < kGridSize; ++c)
            doc.cellGrid(c, r).selected = 0;
}

bool SelectionOnBoxes(const Document& doc) {
    auto onBox = [&](int c, int r) {
        if (!InTable(doc, c, r)) return false;
        const CellRecord& cell = doc.cellGrid(c, r);
        return cell.isBox == 1 && cell.selected == 1 && cell.covered == 0 && cell.cancelled == 0;
    };
    const int n = doc.selectionCount, c0 = doc.selectionColumn, r0 = doc.selectionRow;
    if (n < 1) return false;
    if (n == 1 || doc.selectionHorizontal == 1 || doc.selectionVertical == 1) {
        const int dc = doc.selectionHorizontal == 1 ? 1 : 0, dr = doc.selectionVertical == 1 ? 1 : 0;
        for (int k = 0; k < n; ++k)
            if (!onBox(c0 + k * dc, r0 + k * dr)) return false;
        return true;
    }
    // "Select all" records a count without a run: any selected box of the table will do.
    for (int r = 0; r < doc.tableRows && r < kGridSize; ++r)
        for (int c = 0; c < doc.tableColumns && c < kGridSize; ++c)
            if (onBox(c, r)) return true;
    return false;
}

void ResetCellContent(CellRecord& cell) {
    cell.backColor = kWhite;
    cell.fontColor = 0;
    AssignField(cell.fontName, kDefaultFontName);
    cell.fontSize = kDefaultFontSize;
    cell.bold = 0;
    cell.italic = 0;
    cell.underline = 0;
    cell.strikeout = 0;
    cell.leading = 0;
    AssignField(cell.text, u"");
    AssignField(cell.imageSpec, "");
    AssignField(cell.iconPath, "");
    cell.alignment = kAlignLeft;
    cell.numberFormatType = kDefaultNumberFormatType;
    cell.numberFormatAllowed = 0;
}

int ContinueSelection(Document& doc, int column, int row) {
    ++doc.selectionCount;
    if (doc.selectionCount <= 1) {
        doc.selectionColumn = int16_t(column);
        doc.selectionRow = int16_t(row);
        return doc.selectionCount;
    }
    // The second cell fixes the direction of the run.
    if (doc.selectionCount == 2 && doc.selectionHorizontal == 0 && doc.selectionVertical == 0) {
        if (column == doc.selectionColumn) {
            doc.selectionVertical = 1;
            doc.selectionHorizontal = 0;
        } else if (row == doc.selectionRow) {
            doc.selectionHorizontal = 1;
            doc.selectionVertical = 0;
        }
    }

    int result = 0;
    if (doc.selectionHorizontal == 1 && row == doc.selectionRow &&
        column == doc.selectionColumn + doc.selectionCount - 1)
        result = 1;
    if (doc.selectionVertical == 1 && column == doc.selectionColumn &&
        row == doc.selectionRow + doc.selectionCount - 1)
        result = 1;

    // The second cell also fixes the merge shape that every cell of the run must have.
    auto spans = std::make_unique<Spans>();
    CountSpans(doc, doc.tableColumns, doc.tableRows, *spans);
    bool inTable = InTable(doc, column, row);
    if (doc.selectionCount == 2) {
        doc.referenceSpanColumns = inTable ? spans->SpanColumns(column, row) : int16_t(0);
        doc.referenceSpanRows = inTable ? spans->SpanRows(column, row) : int16_t(0);
    }
    auto sameShape = [&](int c, int r) {
        return InTable(doc, c, r) && spans->SpanColumns(c, r) == doc.referenceSpanColumns &&
               spans->SpanRows(c, r) == doc.referenceSpanRows;
    };
    // A taken cell lies directly after its predecessor, so both lie in the table when result is 1.
    if (doc.selectionHorizontal == 1 &&
        !(result == 1 && sameShape(column - 1, row) && sameShape(column, row)))
        result = 0;
    if (doc.selectionVertical == 1 && !(result == 1 && sameShape(column, row - 1) && sameShape(column, row)))
        result = 0;
    return result;
}

bool CellSelectorClick(Document& doc, int column, int row) {
    if (!InGrid(column, row)) return false;
    bool redraw = false;
    CellRecord& cell = doc.cellGrid(column, row);
    if (cell.isBox == 0) {
        cell.marked = cell.marked == 0 ? 1 : 0;
        NoteEdit(doc);
        redraw = true;
    }
    if (!InTable(doc, column, row)) return redraw;

    if (cell.selected == 0) {
        if (ContinueSelection(doc, column, row) == 1 && cell.covered == 0 && cell.cancelled == 0 &&
            cell.isBox == 1) {
            cell.selected = 1;
        } else {
            ClearSelection(doc);
            DeselectAll(doc);
        }
    } else {
        // Only the clicked cell loses its mark; the run is forgotten.
        cell.selected = 0;
        ClearSelection(doc);
    }
    return true;
}
