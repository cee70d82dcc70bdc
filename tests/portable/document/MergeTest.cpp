// Merging selection runs, re-merging merged boxes across the other direction, and the commands'
// refusals.
#include "DocumentFixtures.h"

#include "document/Edit.h"
#include "document/Spans.h"
#include "document/Undo.h"

#include <gtest/gtest.h>

#include <cstring>

static void FillContent(CellRecord& cell, const char16_t* text) {
    AssignField(cell.text, text);
    cell.backColor = 0x00FF00;
    cell.bold = 1;
    AssignField(cell.iconPath, "C:\\icons\\boss.ico");
    cell.alignment = 133;
    cell.numberFormatAllowed = 1;
    cell.numberFormatType = 2;
}

TEST(HorizontalMerge, ThreeBoxesBecomeOneEmptyBoxOverTheRow) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 4}, {3, 4}, {4, 4}});
    FillContent(doc->cellGrid(2, 4), u"Director");
    FillContent(doc->cellGrid(4, 4), u"Deputy");
    std::memcpy(doc->cellGrid(2, 4).reserved11, "keep", 5);
    int32_t oldRight = doc->cellGrid(4, 4).right;
    Click(*doc, {{2, 4}, {3, 4}, {4, 4}});

    EXPECT_EQ(EditOutcome::Done, MergeHorizontalCommand(*doc));
    const CellRecord& anchor = doc->cellGrid(2, 4);
    EXPECT_EQ(oldRight, anchor.right);
    EXPECT_EQ(2 + 2 * 24, anchor.left); // the anchor keeps its place
    EXPECT_EQ(1, doc->cellGrid(3, 4).covered);
    EXPECT_EQ(1, doc->cellGrid(4, 4).covered);
    EXPECT_EQ(0, anchor.covered);
    EXPECT_EQ(0, doc->cellGrid(5, 4).covered);
    // The anchor starts empty; the covered cells keep what they held.
    EXPECT_TRUE(FieldText(anchor.text).empty());
    EXPECT_EQ(0xFFFFFF, anchor.backColor);
    EXPECT_EQ(0, anchor.bold);
    EXPECT_TRUE(FieldText(anchor.iconPath).empty());
    EXPECT_EQ(131, anchor.alignment);
    EXPECT_EQ(0, anchor.numberFormatAllowed);
    EXPECT_EQ(6, anchor.numberFormatType);
    EXPECT_EQ(1, anchor.isBox);
    EXPECT_STREQ("keep", anchor.reserved11);
    EXPECT_EQ(u"Deputy", FieldText(doc->cellGrid(4, 4).text));
    // The selection has ended.
    EXPECT_TRUE(SelectedCells(*doc).empty());
    EXPECT_EQ(0, doc->selectionCount);
    EXPECT_EQ(0, doc->selectionHorizontal);
}

TEST(HorizontalMerge, HorizontalRunRefusesAVerticalMerge) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 4}, {3, 4}, {4, 4}});
    Click(*doc, {{2, 4}, {3, 4}, {4, 4}});
    int32_t oldBottom = doc->cellGrid(2, 4).bottom;
    EXPECT_EQ(EditOutcome::VerticalMergeRefused, MergeVerticalCommand(*doc));
    for (int c = 2; c <= 4; ++c)
        EXPECT_EQ(0, doc->cellGrid(c, 4).covered);
    EXPECT_EQ(oldBottom, doc->cellGrid(2, 4).bottom);
    EXPECT_TRUE(SelectedCells(*doc).empty());
    // Nothing changed, so no undo step was taken.
    EXPECT_FALSE(UndoAvailable(*doc));
}

TEST(HorizontalMerge, SingleBoxOrNoSelectionIsRefused) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 4}});
    EXPECT_EQ(EditOutcome::HorizontalMergeRefused, MergeHorizontalCommand(*doc));
    CellSelectorClick(*doc, 2, 4);
    EXPECT_EQ(EditOutcome::HorizontalMergeRefused, MergeHorizontalCommand(*doc));
    EXPECT_EQ(0, doc->cellGrid(2, 4).selected);
    // "Select all" counts two cells but fixes no direction.
    MakeBoxes(*doc, {{3, 4}});
    SelectAllCommand(*doc);
    EXPECT_EQ(EditOutcome::HorizontalMergeRefused, MergeHorizontalCommand(*doc));
    EXPECT_EQ(0, doc->cellGrid(3, 4).covered);
}

TEST(VerticalMerge, TwoBoxesReachTheLowerBottomEdge) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{5, 1}, {5, 2}});
    Click(*doc, {{5, 1}, {5, 2}});
    EXPECT_EQ(EditOutcome::Done, MergeVerticalCommand(*doc));
    EXPECT_EQ(74, doc->cellGrid(5, 1).bottom);
    EXPECT_EQ(2, doc->cellGrid(5, 2).covered);
    EXPECT_EQ(0, doc->cellGrid(5, 1).covered);
    // A vertical run refuses the horizontal merge.
    MakeBoxes(*doc, {{7, 1}, {7, 2}});
    Click(*doc, {{7, 1}, {7, 2}});
    EXPECT_EQ(EditOutcome::HorizontalMergeRefused, MergeHorizontalCommand(*doc));
    EXPECT_EQ(0, doc->cellGrid(7, 2).covered);
}

TEST(ReMerge, TwoWideBoxesStackedMergeIntoOneSquareBlock) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{3, 6}, {4, 6}, {3, 7}, {4, 7}});
    Click(*doc, {{3, 6}, {4, 6}});
    ASSERT_EQ(EditOutcome::Done, MergeHorizontalCommand(*doc));
    Click(*doc, {{3, 7}, {4, 7}});
    ASSERT_EQ(EditOutcome::Done, MergeHorizontalCommand(*doc));
    // The two wide anchors form a vertical run of equal shapes.
    Click(*doc, {{3, 6}, {3, 7}});
    ASSERT_EQ(1, doc->selectionVertical);
    EXPECT_EQ(EditOutcome::Done, MergeVerticalCommand(*doc));

    EXPECT_EQ(2, doc->cellGrid(3, 7).covered);
    EXPECT_EQ(1, doc->cellGrid(4, 7).covered); // keeps its mark from the first merge
    EXPECT_EQ(1, doc->cellGrid(4, 6).covered);
    const CellRecord& anchor = doc->cellGrid(3, 6);
    EXPECT_EQ(doc->cellGrid(4, 6).right, anchor.right);
    EXPECT_EQ(doc->cellGrid(3, 7).bottom, anchor.bottom);
    auto spans = std::make_unique<Spans>();
    CountSpans(*doc, doc->tableColumns, doc->tableRows, *spans);
    EXPECT_EQ(1, spans->SpanColumns(3, 6));
    EXPECT_EQ(1, spans->SpanRows(3, 6));
}

TEST(ReMerge, TallBoxesSideBySideMergeHorizontally) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}});
    Click(*doc, {{1, 1}, {1, 2}, {1, 3}});
    ASSERT_EQ(EditOutcome::Done, MergeVerticalCommand(*doc));
    Click(*doc, {{2, 1}, {2, 2}, {2, 3}});
    ASSERT_EQ(EditOutcome::Done, MergeVerticalCommand(*doc));
    Click(*doc, {{1, 1}, {2, 1}});
    EXPECT_EQ(EditOutcome::Done, MergeHorizontalCommand(*doc));
    EXPECT_EQ(1, doc->cellGrid(2, 1).covered);
    EXPECT_EQ(2, doc->cellGrid(2, 3).covered);
    EXPECT_EQ(doc->cellGrid(2, 1).right, doc->cellGrid(1, 1).right);
    EXPECT_EQ(doc->cellGrid(1, 3).bottom, doc->cellGrid(1, 1).bottom);
}

TEST(ReMerge, UndoGivesBackTheExactCellsOfTheRun) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 4}, {3, 4}});
    FillContent(doc->cellGrid(2, 4), u"Sales");
    std::memcpy(doc->cellGrid(3, 4).reserved11, "0123456789", 11);
    auto before = std::make_unique<Document>(*doc);
    Click(*doc, {{2, 4}, {3, 4}});
    ASSERT_EQ(EditOutcome::Done, MergeHorizontalCommand(*doc));
    UndoCommand(*doc);
    // The selection marks were part of the snapshot, taken while the run was selected.
    for (int c = 2; c <= 3; ++c) {
        CellRecord expected = before->cellGrid(c, 4);
        expected.selected = 1;
        EXPECT_EQ(0, std::memcmp(&expected, &doc->cellGrid(c, 4), sizeof expected)) << c;
    }
    EXPECT_EQ(u"Sales", FieldText(doc->cellGrid(2, 4).text));
}

TEST(MergeSafety, RunLeftOverFromALargerTableMergesNothingOutsideTheNewOne) {
    auto doc = NewTable(kHorizontal16); // 65 columns
    MakeBoxes(*doc, {{14, 3}, {15, 3}, {16, 3}, {17, 3}});
    Click(*doc, {{14, 3}, {15, 3}, {16, 3}, {17, 3}});
    ASSERT_EQ(4, doc->selectionCount);
    ApplyNewPreset(*doc, *FindNewPreset(kHorizontal64)); // 17 columns; the run is left as it was
    EXPECT_EQ(EditOutcome::HorizontalMergeRefused, MergeHorizontalCommand(*doc));
    EXPECT_EQ(0, doc->cellGrid(17, 3).covered);
    EXPECT_EQ(0, doc->cellGrid(15, 3).covered);
}
