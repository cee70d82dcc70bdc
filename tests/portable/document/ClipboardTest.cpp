// "Copy cell", "Paste cell" with the copy configurator, "Clear cell", "Select all" and "Cancel Cell".
#include "DocumentFixtures.h"

#include "document/Clipboard.h"
#include "document/Edit.h"
#include "document/Undo.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void Decorate(CellRecord& cell) {
    cell.backColor = 0x112233;
    cell.fontColor = 0x445566;
    AssignField(cell.fontName, "Arial");
    cell.fontSize = 18;
    cell.bold = cell.italic = cell.underline = cell.strikeout = cell.leading = 1;
    AssignField(cell.text, u"Head office");
    AssignField(cell.imageSpec, "C:\\pics\\logo.png|16777215");
    AssignField(cell.iconPath, "C:\\icons\\star.ico");
    cell.alignment = 136;
    cell.numberFormatAllowed = 1;
    cell.numberFormatType = 3;
    cell.lineThickness = 3;
    cell.lineColor = 0x0000FF;
}

CopyFlags OnlyFlags(std::initializer_list<CopyField> on) {
    CopyFlags flags{};
    for (CopyField f : on)
        flags[f] = 1;
    return flags;
}

// Copies the box at (c, r) through the menu command.
void CopyBox(Document& doc, int c, int r) {
    CellSelectorClick(doc, c, r);
    ASSERT_EQ(EditOutcome::Done, CopyCellCommand(doc));
}

} // namespace

TEST(CopyCell, RemembersTheSelectedCellAndEndsTheSelection) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{4, 2}});
    EXPECT_FALSE(doc->cellCopied);
    CopyBox(*doc, 4, 2);
    EXPECT_TRUE(doc->cellCopied);
    EXPECT_EQ(4, doc->copySourceColumn);
    EXPECT_EQ(2, doc->copySourceRow);
    EXPECT_EQ(0, doc->cellGrid(4, 2).selected);
    EXPECT_EQ(0, doc->selectionCount);
    EXPECT_FALSE(UndoAvailable(*doc)); // copying changes nothing
}

TEST(CopyCell, NeedsExactlyOneSelectedCell) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{4, 2}, {5, 2}});
    EXPECT_EQ(EditOutcome::CopyNeedsOneCell, CopyCellCommand(*doc));
    Click(*doc, {{4, 2}, {5, 2}});
    EXPECT_EQ(EditOutcome::CopyNeedsOneCell, CopyCellCommand(*doc));
    EXPECT_TRUE(SelectedCells(*doc).empty());
    // "Select all" counts as two cells, whatever the number of boxes.
    auto single = NewTable(kHorizontal24);
    MakeBoxes(*single, {{4, 2}});
    SelectAllCommand(*single);
    ASSERT_EQ((std::vector<std::pair<int, int>>{{4, 2}}), SelectedCells(*single));
    EXPECT_EQ(EditOutcome::CopyNeedsOneCell, CopyCellCommand(*single));
    EXPECT_EQ(EditOutcome::CancelNeedsOneCell, CancelCellCommand(*single));
    EXPECT_FALSE(single->cellCopied);
}

TEST(PasteCell, ReadsTheSourceCellAsItIsWhenPasting) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {6, 6}});
    AssignField(doc->cellGrid(1, 1).text, u"Before");
    CopyBox(*doc, 1, 1);
    AssignField(doc->cellGrid(1, 1).text, u"After");
    CellSelectorClick(*doc, 6, 6);
    CopyFlags all;
    all.fill(1);
    EXPECT_EQ(EditOutcome::Done, PasteCellCommand(*doc, all));
    EXPECT_EQ(u"After", FieldText(doc->cellGrid(6, 6).text));
    EXPECT_EQ(0, doc->cellGrid(6, 6).selected);
    EXPECT_TRUE(UndoAvailable(*doc));
}

TEST(PasteCell, AllFlagsCarryEveryContentFieldButNeverGeometryOrRoles) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {6, 6}});
    Decorate(doc->cellGrid(1, 1));
    doc->cellGrid(1, 1).vLineOn = 1;
    doc->cellGrid(1, 1).vLineY2 = 500;
    CellRecord target = doc->cellGrid(6, 6);
    std::memcpy(target.reserved11, "target", 7);
    doc->cellGrid(6, 6) = target;
    CopyFlags all;
    all.fill(1);
    doc->cellGrid(6, 6).selected = 1;
    PasteIntoSelected(*doc, all, 1, 1);

    const CellRecord& pasted = doc->cellGrid(6, 6);
    EXPECT_EQ(0x112233, pasted.backColor);
    EXPECT_EQ(0x445566, pasted.fontColor);
    EXPECT_EQ("Arial", FieldText(pasted.fontName));
    EXPECT_EQ(18, pasted.fontSize);
    EXPECT_EQ(5, pasted.bold + pasted.italic + pasted.underline + pasted.strikeout + pasted.leading);
    EXPECT_EQ(u"Head office", FieldText(pasted.text));
    EXPECT_EQ("C:\\pics\\logo.png|16777215", FieldText(pasted.imageSpec));
    EXPECT_EQ("C:\\icons\\star.ico", FieldText(pasted.iconPath));
    EXPECT_EQ(136, pasted.alignment);
    EXPECT_EQ(1, pasted.numberFormatAllowed);
    EXPECT_EQ(3, pasted.numberFormatType);
    EXPECT_EQ(3, pasted.lineThickness);
    EXPECT_EQ(0x0000FF, pasted.lineColor);
    // Never pasted.
    EXPECT_EQ(target.left, pasted.left);
    EXPECT_EQ(target.right, pasted.right);
    EXPECT_EQ(6, pasted.column);
    EXPECT_EQ(6, pasted.row);
    EXPECT_EQ(0, pasted.vLineOn);
    EXPECT_EQ(0, pasted.vLineY2);
    EXPECT_STREQ("target", pasted.reserved11);
}

TEST(PasteCell, OnlyTheTextFlagCarriesTextAndTheLineValues) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {6, 6}});
    Decorate(doc->cellGrid(1, 1));
    CellRecord before = doc->cellGrid(6, 6);
    doc->cellGrid(6, 6).selected = 1;
    PasteIntoSelected(*doc, OnlyFlags({kCopyText}), 1, 1);

    CellRecord expected = before;
    expected.selected = 1;
    AssignField(expected.text, u"Head office");
    expected.lineThickness = 3;
    expected.lineColor = 0x0000FF;
    EXPECT_EQ(0, std::memcmp(&expected, &doc->cellGrid(6, 6), sizeof expected));
}

TEST(PasteCell, ImageWithoutBackgroundKeepsTheTargetsBackground) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {6, 6}, {7, 6}});
    Decorate(doc->cellGrid(1, 1));
    doc->cellGrid(1, 1).backColor = kNoColor;
    doc->cellGrid(7, 6).backColor = kNoColor;
    doc->cellGrid(6, 6).selected = doc->cellGrid(7, 6).selected = 1;
    PasteIntoSelected(*doc, OnlyFlags({kCopyImage, kCopyFontColor, kCopyNumberFormatType}), 1, 1);
    for (int c = 6; c <= 7; ++c) {
        EXPECT_EQ("C:\\pics\\logo.png|16777215", FieldText(doc->cellGrid(c, 6).imageSpec));
        EXPECT_EQ(0x445566, doc->cellGrid(c, 6).fontColor);
        EXPECT_EQ(3, doc->cellGrid(c, 6).numberFormatType);
        EXPECT_EQ(0, doc->cellGrid(c, 6).numberFormatAllowed);
        EXPECT_TRUE(FieldText(doc->cellGrid(c, 6).text).empty());
    }
    EXPECT_EQ(0xFFFFFF, doc->cellGrid(6, 6).backColor); // the picture will not show here
    EXPECT_EQ(kNoColor, doc->cellGrid(7, 6).backColor); // but will here
}

TEST(PasteCell, ShorterTextLeavesTheTargetsOldBytesBehindTheTerminator) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {6, 6}});
    AssignField(doc->cellGrid(1, 1).text, u"ab");
    AssignField(doc->cellGrid(6, 6).text, u"abcdef");
    doc->cellGrid(6, 6).selected = 1;
    PasteIntoSelected(*doc, OnlyFlags({kCopyText}), 1, 1);
    const char16_t expected[] = {u'a', u'b', 0, u'd', u'e', u'f'};
    EXPECT_EQ(0, std::memcmp(expected, doc->cellGrid(6, 6).text, sizeof expected));
}

TEST(PasteCell, CopySourceSurvivesNewAndReadsTheNewTable) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 3}});
    AssignField(doc->cellGrid(2, 3).text, u"Old chart");
    CopyBox(*doc, 2, 3);

    ApplyNewPreset(*doc, *FindNewPreset(kHorizontal64));
    EXPECT_TRUE(doc->cellCopied);
    MakeBoxes(*doc, {{2, 3}, {5, 5}});
    AssignField(doc->cellGrid(2, 3).text, u"New chart");
    CellSelectorClick(*doc, 5, 5);
    CopyFlags all;
    all.fill(1);
    EXPECT_EQ(EditOutcome::Done, PasteCellCommand(*doc, all));
    EXPECT_EQ(u"New chart", FieldText(doc->cellGrid(5, 5).text));
}

TEST(PasteCell, ACopySourceOutsideTheNewTablePastesNothing) {
    auto doc = NewTable(kHorizontal16); // 65 columns
    MakeBoxes(*doc, {{40, 3}});
    Decorate(doc->cellGrid(40, 3));
    CopyBox(*doc, 40, 3);
    ApplyNewPreset(*doc, *FindNewPreset(kHorizontal64)); // 17 columns
    MakeBoxes(*doc, {{2, 2}});
    CellSelectorClick(*doc, 2, 2);
    CopyFlags all;
    all.fill(1);
    EXPECT_EQ(EditOutcome::NothingCopied, PasteCellCommand(*doc, all));
    EXPECT_EQ(kWhite, doc->cellGrid(2, 2).backColor);
    EXPECT_EQ(kDefaultFontSize, doc->cellGrid(2, 2).fontSize);
    EXPECT_FALSE(UndoAvailable(*doc));
}

TEST(SelectionFromAnEarlierTable, CountsAsNoSelection) {
    for (int command : {kHorizontal16, kHorizontal64}) { // a table of the same size, a smaller one
        // Boxes selected in the old table; "New" puts guide cells where they stood.
        auto leftOver = [&](const std::vector<std::pair<int, int>>& cells) {
            auto doc = NewTable(kHorizontal16);
            MakeBoxes(*doc, cells);
            Click(*doc, cells);
            ApplyNewPreset(*doc, *FindNewPreset(command));
            return doc;
        };
        auto doc = leftOver({{2, 2}, {3, 2}});
        EXPECT_EQ(EditOutcome::HorizontalMergeRefused, MergeHorizontalCommand(*doc));
        EXPECT_EQ(0, doc->cellGrid(3, 2).covered);
        doc = leftOver({{2, 2}, {2, 3}});
        EXPECT_EQ(EditOutcome::VerticalMergeRefused, MergeVerticalCommand(*doc));
        EXPECT_EQ(0, doc->cellGrid(2, 3).covered);
        doc = leftOver({{2, 2}});
        EXPECT_EQ(EditOutcome::CancelNeedsOneCell, CancelCellCommand(*doc));
        EXPECT_EQ(0, doc->cellGrid(2, 2).cancelled);
        doc = leftOver({{2, 2}});
        EXPECT_EQ(EditOutcome::ClearNeedsCell, ClearCellCommand(*doc));
        doc = leftOver({{2, 2}});
        EXPECT_EQ(EditOutcome::PasteNeedsCell, PasteCellCommand(*doc, OnlyFlags({kCopyText})));
        EXPECT_FALSE(UndoAvailable(*doc));
    }
}

TEST(PasteCell, NeedsASelectionAndACopiedCell) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {2, 2}});
    CopyFlags all;
    all.fill(1);
    CellSelectorClick(*doc, 2, 2);
    EXPECT_EQ(EditOutcome::NothingCopied, PasteCellCommand(*doc, all));
    EXPECT_FALSE(UndoAvailable(*doc));
    EXPECT_EQ(0, doc->cellGrid(2, 2).selected);

    CopyBox(*doc, 1, 1);
    EXPECT_EQ(EditOutcome::PasteNeedsCell, PasteCellCommand(*doc, all));
    EXPECT_FALSE(UndoAvailable(*doc));
}

TEST(PasteCell, AfterSelectAllPastesIntoEveryBoxAndSwitchesTheToggleOff) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {2, 2}, {3, 3}, {4, 4}});
    doc->cellGrid(4, 4).cancelled = 1;
    AssignField(doc->cellGrid(1, 1).text, u"Team");
    CopyBox(*doc, 1, 1);
    SelectAllCommand(*doc);
    EXPECT_EQ(1, doc->selectAllOn);
    EXPECT_EQ(EditOutcome::Done, PasteCellCommand(*doc, OnlyFlags({kCopyText})));
    EXPECT_EQ(0, doc->selectAllOn);
    EXPECT_EQ(u"Team", FieldText(doc->cellGrid(2, 2).text));
    EXPECT_EQ(u"Team", FieldText(doc->cellGrid(3, 3).text));
    EXPECT_TRUE(FieldText(doc->cellGrid(4, 4).text).empty()); // cancelled boxes are not selected
    EXPECT_TRUE(FieldText(doc->cellGrid(5, 5).text).empty()); // guide cells neither
}

TEST(ClearCell, SelectedBoxesGetDefaultContentAndTheTablesLineThickness) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {2, 1}, {3, 1}});
    for (int c = 1; c <= 3; ++c)
        Decorate(doc->cellGrid(c, 1));
    doc->cellGrid(2, 1).hLineOn = 1;
    doc->cellGrid(2, 1).marked = 1;
    std::memcpy(doc->cellGrid(2, 1).reserved11, "kept", 5);
    doc->lineThickness = 2;
    Click(*doc, {{1, 1}, {2, 1}});
    EXPECT_EQ(EditOutcome::Done, ClearCellCommand(*doc));
    for (int c = 1; c <= 2; ++c) {
        const CellRecord& cell = doc->cellGrid(c, 1);
        EXPECT_EQ(0xFFFFFF, cell.backColor);
        EXPECT_EQ(0, cell.fontColor);
        EXPECT_EQ("Times New Roman", FieldText(cell.fontName));
        EXPECT_EQ(10, cell.fontSize);
        EXPECT_EQ(0, cell.bold + cell.italic + cell.underline + cell.strikeout + cell.leading);
        EXPECT_TRUE(FieldText(cell.text).empty());
        EXPECT_TRUE(FieldText(cell.imageSpec).empty());
        EXPECT_TRUE(FieldText(cell.iconPath).empty());
        EXPECT_EQ(131, cell.alignment);
        EXPECT_EQ(6, cell.numberFormatType);
        EXPECT_EQ(0, cell.numberFormatAllowed);
        EXPECT_EQ(2, cell.lineThickness);
        EXPECT_EQ(0x0000FF, cell.lineColor); // only the thickness comes from the table
        EXPECT_EQ(0, cell.selected);
    }
    EXPECT_EQ(1, doc->cellGrid(2, 1).hLineOn);
    EXPECT_EQ(1, doc->cellGrid(2, 1).marked);
    EXPECT_STREQ("kept", doc->cellGrid(2, 1).reserved11);
    EXPECT_EQ(u"Head office", FieldText(doc->cellGrid(3, 1).text));
    EXPECT_EQ(EditOutcome::ClearNeedsCell, ClearCellCommand(*doc));
}

TEST(SelectAll, SelectsVisibleBoxesOnlyWhenNothingIsSelected) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {2, 1}, {5, 5}, {6, 6}});
    doc->cellGrid(2, 1).covered = 1;
    doc->cellGrid(6, 6).cancelled = 1;
    SelectAllCommand(*doc);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 1}, {5, 5}}), SelectedCells(*doc));
    EXPECT_EQ(2, doc->selectionCount);
    // Second press drops the selection.
    SelectAllCommand(*doc);
    EXPECT_EQ(0, doc->selectAllOn);
    EXPECT_TRUE(SelectedCells(*doc).empty());
    EXPECT_EQ(0, doc->selectionCount);
    // With a run in progress nothing more is selected.
    CellSelectorClick(*doc, 5, 5);
    SelectAllCommand(*doc);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{5, 5}}), SelectedCells(*doc));
    EXPECT_EQ(1, doc->selectionCount);
}

TEST(SelectAll, AfterAnotherCommandDroppedTheSelectionTheNextPressOnlySwitchesOff) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {2, 2}});
    SelectAllCommand(*doc);
    CopyCellCommand(*doc); // refused, and the selection ends; the toggle stays on
    EXPECT_EQ(1, doc->selectAllOn);
    SelectAllCommand(*doc);
    EXPECT_EQ(0, doc->selectAllOn);
    EXPECT_TRUE(SelectedCells(*doc).empty());
}

TEST(CancelCell, OneSelectedBoxIsCancelledAndUndoBringsItBack) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{3, 3}});
    CellSelectorClick(*doc, 3, 3);
    EXPECT_EQ(EditOutcome::Done, CancelCellCommand(*doc));
    EXPECT_EQ(1, doc->cellGrid(3, 3).cancelled);
    EXPECT_EQ(0, doc->selectionCount);
    // A cancelled box can no longer be selected.
    CellSelectorClick(*doc, 3, 3);
    EXPECT_TRUE(SelectedCells(*doc).empty());
    UndoCommand(*doc);
    EXPECT_EQ(0, doc->cellGrid(3, 3).cancelled);
    EXPECT_EQ(EditOutcome::CancelNeedsOneCell, CancelCellCommand(*doc));
}

TEST(CopyConfigurator, SelectAndDeselectAllFieldsLeaveTheIconFlagAlone) {
    CopyFlags flags{};
    flags[kCopyIcon] = 0;
    SelectAllFields(flags);
    for (int f = 0; f < kCopyFieldCount; ++f)
        EXPECT_EQ(f == kCopyIcon ? 0 : 1, flags[f]) << f;
    ToggleField(flags, kCopyIcon);
    EXPECT_EQ(1, flags[kCopyIcon]);
    DeselectAllFields(flags);
    for (int f = 0; f < kCopyFieldCount; ++f)
        EXPECT_EQ(f == kCopyIcon ? 1 : 0, flags[f]) << f;
    ToggleField(flags, kCopyText);
    ToggleField(flags, kCopyIcon);
    EXPECT_EQ(1, flags[kCopyText]);
    EXPECT_EQ(0, flags[kCopyIcon]);
}
