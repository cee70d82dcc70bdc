// The cell clipboard and the copy configurator: pasting chosen fields of the copied cell into the
// selected boxes, clearing boxes back to the default content, and "Select all".
#pragma once

#include "document/CopyFlags.h"
#include "document/Document.h"

// "Paste cell": every selected cell of the table takes the fields whose flag is 1 from the cell
// now at (sourceColumn, sourceRow), and in any case its line thickness and line colour.
void PasteIntoSelected(Document& doc, const CopyFlags& flags, int sourceColumn, int sourceRow);
// The same from a cell record held elsewhere (a cell copied on another page of the chart).
void PasteRecordIntoSelected(Document& doc, const CopyFlags& flags, const CellRecord& source);
// "Clear cell": every selected cell of the table gets the default content and the table's
// line thickness.
void ClearSelectedCells(Document& doc);
// "Select all": with no selection, selects every visible chart box of the table and records a
// selection of two, so that the commands that need exactly one cell refuse it.
void SelectAllBoxes(Document& doc);

// "Select all fields" and "Deselect all fields" leave the "Icon" flag as it is.
void SelectAllFields(CopyFlags& flags);
void DeselectAllFields(CopyFlags& flags);
// A field's own menu item inverts its flag.
void ToggleField(CopyFlags& flags, CopyField field);
