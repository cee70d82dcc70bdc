// The selection run of chart boxes and the cell selector's clicks: marking guide cells and
// building runs of boxes along one row or one column for the merges and the edit commands.
#pragma once

#include "document/Document.h"

// Empties the selection run (count, first cell, both direction flags).
void ClearSelection(Document& doc);
// Clears `selected` on every cell of the table.
void DeselectAll(Document& doc);
// True when the run stands on selected chart boxes of the current table. A run kept from an
// earlier table (after "New" or a read) may name guide cells or lie outside this one.
bool SelectionOnBoxes(const Document& doc);
// Default content of a box: colours, font, style flags, texts, alignment and number format.
// Geometry, indices, table copies, roles, marks and connectors are left alone.
void ResetCellContent(CellRecord& cell);

// Adds the clicked cell to the run. Returns 1 when it extends the run (the first cell, or the
// next cell in the run's direction with the same merge shape as its predecessor), else 0.
int ContinueSelection(Document& doc, int column, int row);

// Left click of the cell selector at a grid position: flips the mark of a position that is not a
// chart box (anywhere on the grid) and, inside the table, takes the cell into the run, ends the
// run, or deselects a selected cell. A position off the grid touches nothing. Returns true when
// the table must be redrawn.
bool CellSelectorClick(Document& doc, int column, int row);
