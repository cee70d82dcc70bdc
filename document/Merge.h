// Merging a selection run of chart boxes into one box, along a row or down a column.
#pragma once

#include "document/Document.h"

// Joins the horizontal run: the first box stretches to the last one's right edge and starts
// empty, the others become covered. Returns false, changing nothing, when the selection is not
// a horizontal run of at least two boxes inside the table.
bool MergeHorizontal(Document& doc);
// The same down a column, on the bottom edge.
bool MergeVertical(Document& doc);
// Whether the selection is a run the merge joins, so that a refused merge need change nothing.
bool CanMergeHorizontal(const Document& doc);
bool CanMergeVertical(const Document& doc);
