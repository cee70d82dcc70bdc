// Paste, clear and select-all over the selected boxes; the copy-configurator flags.
#include "document/Clipboard.h"

#include "document/Selection.h"

namespace {

template <typename Visit> void ForEachSelected(Document& doc, Visit visit) {
    for (int r = 0; r < doc.tableRows && r < kGridSize; ++r)
        for (int c = 0; c < doc.tableColumns && c < kGridSize; ++c)
            if (doc.cellGrid(c, r).selected == 1) visit(doc.cellGrid(c, r));
}

} // namespace

void PasteIntoSelected(Document& doc, const CopyFlags& flags, int sourceColumn, int sourceRow) {
    if (!InGrid(sourceColumn, sourceRow)) return;
    // Taken once, before any target changes: the source may itself be among the selected boxes.
    const CellRecord source = doc.cellGrid(sourceColumn, sourceRow);
    PasteRecordIntoSelected(doc, flags, source);
}

void PasteRecordIntoSelected(Document& doc, const CopyFlags& flags, const CellRecord& source) {
    ForEachSelected(doc, [&](CellRecord& cell) {
        if (flags[kCopyBackColor] == 1) cell.backColor = source.backColor;
        if (flags[kCopyFontColor] == 1) cell.fontColor = source.fontColor;
        if (flags[kCopyFontName] == 1) AssignField(cell.fontName, FieldText(source.fontName));
        if (flags[kCopyFontSize] == 1) cell.fontSize = source.fontSize;
        if (flags[kCopyBold] == 1) cell.bold = source.bold;
        if (flags[kCopyItalic] == 1) cell.italic = source.italic;
        if (flags[kCopyUnderline] == 1) cell.underline = source.underline;
        if (flags[kCopyStrikeout] == 1) cell.strikeout = source.strikeout;
        if (flags[kCopyLeading] == 1) cell.leading = source.leading;
        if (flags[kCopyText] == 1) AssignField(cell.text, FieldText(source.text));
        if (flags[kCopyImage] == 1) AssignField(cell.imageSpec, FieldText(source.imageSpec));
        if (flags[kCopyIcon] == 1) AssignField(cell.iconPath, FieldText(source.iconPath));
        if (flags[kCopyAlignment] == 1) cell.alignment = source.alignment;
        if (flags[kCopyNumberFormatAllowed] == 1) cell.numberFormatAllowed = source.numberFormatAllowed;
        if (flags[kCopyNumberFormatType] == 1) cell.numberFormatType = source.numberFormatType;
        cell.lineThickness = source.lineThickness;
        cell.lineColor = source.lineColor;
    });
}

void ClearSelectedCells(Document& doc) {
    ForEachSelected(doc, [&](CellRecord& cell) {
        ResetCellContent(cell);
        cell.lineThickness = int16_t(doc.lineThickness);
    });
}

void SelectAllBoxes(Document& doc) {
    if (doc.selectionCount != 0) return;
    for (int r = 0; r < doc.tableRows && r < kGridSize; ++r) {
        for (int c = 0; c < doc.tableColumns && c < kGridSize; ++c) {
            CellRecord& cell = doc.cellGrid(c, r);
            if (cell.covered == 0 && cell.cancelled == 0 && cell.isBox == 1) cell.selected = 1;
        }
    }
    doc.selectionCount = 2;
}

void SelectAllFields(CopyFlags& flags) {
    for (int f = 0; f < kCopyFieldCount; ++f)
        if (f != kCopyIcon) flags[f] = 1;
}

void DeselectAllFields(CopyFlags& flags) {
    for (int f = 0; f < kCopyFieldCount; ++f)
        if (f != kCopyIcon) flags[f] = 0;
}

void ToggleField(CopyFlags& flags, CopyField field) {
    flags[field] = 1 - flags[field];
}
