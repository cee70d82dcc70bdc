// Edits of one cell's content made outside the menus: text properties accepted in the dialog, a
// picture or an icon set or removed. Each is one undo step, like a structural edit.
#pragma once

#include "document/Document.h"

// Puts `edited` in place of the cell at (column, row), with an undo snapshot first. A record
// identical to the cell's changes nothing and takes no snapshot. Returns whether the cell changed.
bool ReplaceCellRecord(Document& doc, int column, int row, const CellRecord& edited);
