// Horizontal and vertical merges of the selection run.
#include "document/Merge.h"

#include "document/Selection.h"

bool CanMergeHorizontal(const Document& doc) {
    // A run left over from an earlier table may name guide cells or reach past the current one;
    // only the selected boxes of this table are ever merged.
    return doc.selectionHorizontal == 1 && doc.selectionCount > 1 && SelectionOnBoxes(doc);
}

bool CanMergeVertical(const Document& doc) {
    return doc.selectionVertical == 1 && doc.selectionCount > 1 && SelectionOnBoxes(doc);
}

bool MergeHorizontal(Document& doc) {
    int r = doc.selectionRow;
    int c0 = doc.selectionColumn;
    int n = doc.selectionCount;
    if (!CanMergeHorizontal(doc)) return false;
    for (int c = c0; c < c0 + n; ++c)
        doc.cellGrid(c, r).selected = 0;
    for (int c = c0 + 1; c < c0 + n; ++c)
        doc.cellGrid(c, r).covered = 1;
    CellRecord& anchor = doc.cellGrid(c0, r);
    anchor.right = doc.cellGrid(c0 + n - 1, r).right;
    ResetCellContent(anchor);
    return true;
}

bool MergeVertical(Document& doc) {
    int c = doc.selectionColumn;
    int r0 = doc.selectionRow;
    int n = doc.selectionCount;
    if (!CanMergeVertical(doc)) return false;
    for (int r = r0; r < r0 + n; ++r)
        doc.cellGrid(c, r).selected = 0;
    for (int r = r0 + 1; r < r0 + n; ++r)
        doc.cellGrid(c, r).covered = 2;
    CellRecord& anchor = doc.cellGrid(c, r0);
    anchor.bottom = doc.cellGrid(c, r0 + n - 1).bottom;
    ResetCellContent(anchor);
    return true;
}
