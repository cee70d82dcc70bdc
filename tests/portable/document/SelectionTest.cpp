// The cell selector: marking guide positions, selection runs and their merge-shape rule, and the
// span counts shared with the drawing.
#include "DocumentFixtures.h"

#include "document/Spans.h"

#include <gtest/gtest.h>

using Cells = std::vector<std::pair<int, int>>;

// Merges written straight into the cells, as a work file would bring them.
static void CoverRight(Document& doc, int column, int row, int count) {
    for (int i = 1; i <= count; ++i)
        doc.cellGrid(column + i, row).covered = 1;
}
static void CoverBelow(Document& doc, int column, int row, int count) {
    for (int i = 1; i <= count; ++i)
        doc.cellGrid(column, row + i).covered = 2;
}

TEST(SpanCounts, AnchorsCountTheCoveredCellsToTheirRightAndBelow) {
    auto doc = NewTable(kHorizontal24);
    CoverRight(*doc, 2, 4, 2);   // 3 x 1 block
    CoverBelow(*doc, 10, 1, 3);  // 1 x 4 block
    CoverRight(*doc, 20, 10, 1); // 2 x 2 block: right merge on both rows,
    CoverRight(*doc, 20, 11, 1); // then the lower anchor merged below the upper one
    doc->cellGrid(20, 11).covered = 2;
    CoverRight(*doc, 42, 30, 1); // block at the bottom-right corner
    auto spans = std::make_unique<Spans>();
    CountSpans(*doc, doc->tableColumns, doc->tableRows, *spans);

    EXPECT_EQ(2, spans->SpanColumns(2, 4));
    EXPECT_EQ(0, spans->SpanRows(2, 4));
    EXPECT_EQ(0, spans->SpanColumns(3, 4));
    EXPECT_EQ(0, spans->SpanColumns(1, 4));
    EXPECT_EQ(3, spans->SpanRows(10, 1));
    EXPECT_EQ(0, spans->SpanColumns(10, 1));
    EXPECT_EQ(0, spans->SpanRows(10, 2));
    EXPECT_EQ(1, spans->SpanColumns(20, 10));
    EXPECT_EQ(1, spans->SpanRows(20, 10));
    EXPECT_EQ(0, spans->SpanRows(21, 10)); // the covered cell right of the anchor counts nothing
    EXPECT_EQ(1, spans->SpanColumns(42, 30));
    EXPECT_EQ(0, spans->SpanColumns(0, 0));
}

TEST(SpanCounts, CoveredCellOfTheOtherDirectionStopsTheCount) {
    auto doc = NewTable(kHorizontal24);
    // Row 0: anchor at 0, covered-right at 1, then a vertically covered cell at 2, covered-right at 3.
    doc->cellGrid(1, 0).covered = 1;
    doc->cellGrid(2, 0).covered = 2;
    doc->cellGrid(3, 0).covered = 1;
    auto spans = std::make_unique<Spans>();
    CountSpans(*doc, doc->tableColumns, doc->tableRows, *spans);
    EXPECT_EQ(1, spans->SpanColumns(0, 0));
    // Column 0 rows: a horizontally covered cell below an anchor stops the vertical count.
    doc->cellGrid(5, 1).covered = 2;
    doc->cellGrid(5, 2).covered = 1;
    doc->cellGrid(5, 3).covered = 2;
    CountSpans(*doc, doc->tableColumns, doc->tableRows, *spans);
    EXPECT_EQ(1, spans->SpanRows(5, 0));
}

TEST(SpanCounts, CountsOnlyWithinTheGivenRectangle) {
    auto doc = NewTable(kHorizontal24);
    CoverRight(*doc, 0, 0, 5);
    auto spans = std::make_unique<Spans>();
    spans->spanColumns[0 * kGridSize + 40] = 7;
    CountSpans(*doc, 3, 2, *spans);
    EXPECT_EQ(2, spans->SpanColumns(0, 0)); // only the covered cells inside the rectangle
    EXPECT_EQ(7, spans->SpanColumns(40, 0));
    CountSpans(*doc, 500, -3, *spans); // nonsense sizes do nothing harmful
    EXPECT_EQ(7, spans->SpanColumns(40, 0));
}

TEST(CellSelectorMarking, GuideCellsFlipTheirMarkAnywhereOnTheGrid) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}});
    EXPECT_TRUE(CellSelectorClick(*doc, 5, 5));
    EXPECT_EQ(1, doc->cellGrid(5, 5).marked);
    EXPECT_TRUE(CellSelectorClick(*doc, 5, 5));
    EXPECT_EQ(0, doc->cellGrid(5, 5).marked);
    // Outside the 44 x 31 table, still inside the grid.
    EXPECT_TRUE(CellSelectorClick(*doc, 100, 60));
    EXPECT_EQ(1, doc->cellGrid(100, 60).marked);
    // A chart box is never marked.
    CellSelectorClick(*doc, 1, 1);
    EXPECT_EQ(0, doc->cellGrid(1, 1).marked);
    EXPECT_EQ(1, doc->cellGrid(1, 1).selected);
}

TEST(CellSelectorMarking, PositionsOffTheGridTouchNothing) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{0, 0}});
    CellSelectorClick(*doc, 0, 0);
    ASSERT_EQ(1, doc->selectionCount);
    EXPECT_FALSE(CellSelectorClick(*doc, -1, 0));
    EXPECT_FALSE(CellSelectorClick(*doc, 0, -5));
    EXPECT_FALSE(CellSelectorClick(*doc, 101, 3));
    EXPECT_FALSE(CellSelectorClick(*doc, 3, 101));
    EXPECT_EQ(1, doc->selectionCount);
    EXPECT_EQ(1, doc->cellGrid(0, 0).selected);
}

TEST(CellSelectorMarking, GuideCellInsideTheTableEndsTheRun) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 1}, {2, 1}});
    Click(*doc, {{1, 1}, {2, 1}, {8, 8}});
    EXPECT_EQ(1, doc->cellGrid(8, 8).marked);
    EXPECT_TRUE(SelectedCells(*doc).empty());
    EXPECT_EQ(0, doc->selectionCount);
    EXPECT_EQ(0, doc->selectionHorizontal);
}

TEST(SelectionRuns, ThreeBoxesLeftToRightMakeAHorizontalRun) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 4}, {3, 4}, {4, 4}});
    Click(*doc, {{2, 4}, {3, 4}, {4, 4}});
    EXPECT_EQ((Cells{{2, 4}, {3, 4}, {4, 4}}), SelectedCells(*doc));
    EXPECT_EQ(3, doc->selectionCount);
    EXPECT_EQ(2, doc->selectionColumn);
    EXPECT_EQ(4, doc->selectionRow);
    EXPECT_EQ(1, doc->selectionHorizontal);
    EXPECT_EQ(0, doc->selectionVertical);
}

TEST(SelectionRuns, SecondBoxBelowTheFirstFixesAVerticalRun) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 4}, {3, 4}, {2, 5}, {2, 6}});
    Click(*doc, {{2, 4}, {2, 5}});
    EXPECT_EQ(1, doc->selectionVertical);
    EXPECT_EQ(0, doc->selectionHorizontal);
    // Once vertical, a box to the right of the last one breaks the run.
    CellSelectorClick(*doc, 3, 4);
    EXPECT_TRUE(SelectedCells(*doc).empty());
    // A fresh vertical run continues downwards only.
    Click(*doc, {{2, 4}, {2, 5}, {2, 6}});
    EXPECT_EQ((Cells{{2, 4}, {2, 5}, {2, 6}}), SelectedCells(*doc));
}

TEST(SelectionRuns, SkippingABoxEndsTheRunAndLeavesNothingSelected) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 4}, {3, 4}, {4, 4}});
    Click(*doc, {{2, 4}, {4, 4}});
    EXPECT_TRUE(SelectedCells(*doc).empty());
    EXPECT_EQ(0, doc->selectionCount);
    // Going leftwards breaks it too: runs grow left to right only.
    Click(*doc, {{3, 4}, {2, 4}});
    EXPECT_TRUE(SelectedCells(*doc).empty());
}

TEST(SelectionRuns, ClickingASelectedBoxDeselectsOnlyThatBoxAndForgetsTheRun) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 4}, {3, 4}, {4, 4}});
    Click(*doc, {{2, 4}, {3, 4}, {3, 4}});
    EXPECT_EQ((Cells{{2, 4}}), SelectedCells(*doc));
    EXPECT_EQ(0, doc->selectionCount);
    EXPECT_EQ(0, doc->selectionHorizontal);
    // The next click starts a new run; the old mark stays until something clears it.
    CellSelectorClick(*doc, 4, 4);
    EXPECT_EQ((Cells{{2, 4}, {4, 4}}), SelectedCells(*doc));
    EXPECT_EQ(1, doc->selectionCount);
    EXPECT_EQ(4, doc->selectionColumn);
}

TEST(SelectionRuns, CoveredAndCancelledCellsAreNeverSelected) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{2, 4}, {3, 4}, {4, 4}, {6, 6}});
    doc->cellGrid(3, 4).covered = 1;
    CellSelectorClick(*doc, 3, 4);
    EXPECT_TRUE(SelectedCells(*doc).empty());
    EXPECT_EQ(0, doc->selectionCount);
    doc->cellGrid(6, 6).cancelled = 1;
    CellSelectorClick(*doc, 6, 6);
    EXPECT_TRUE(SelectedCells(*doc).empty());
}

TEST(SelectionRuns, VerticallyMergedBlocksOfEqualHeightRunSideBySide) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 2}, {2, 2}, {3, 2}, {4, 2}});
    CoverBelow(*doc, 1, 2, 2);
    CoverBelow(*doc, 2, 2, 2);
    CoverBelow(*doc, 3, 2, 2);
    CoverBelow(*doc, 4, 2, 1); // shorter block
    Click(*doc, {{1, 2}, {2, 2}, {3, 2}});
    EXPECT_EQ((Cells{{1, 2}, {2, 2}, {3, 2}}), SelectedCells(*doc));
    EXPECT_EQ(2, doc->referenceSpanRows);
    EXPECT_EQ(0, doc->referenceSpanColumns);
    // A block of another height breaks the run.
    CellSelectorClick(*doc, 4, 2);
    EXPECT_TRUE(SelectedCells(*doc).empty());
}

TEST(SelectionRuns, SecondBoxOfAnotherShapeThanTheFirstBreaksTheRun) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{1, 2}, {2, 2}});
    CoverBelow(*doc, 2, 2, 1);
    Click(*doc, {{1, 2}, {2, 2}});
    EXPECT_TRUE(SelectedCells(*doc).empty());
    EXPECT_EQ(0, doc->selectionCount);
}

TEST(SelectionRuns, HorizontallyMergedBlocksStackIntoAVerticalRun) {
    auto doc = NewTable(kHorizontal24);
    MakeBoxes(*doc, {{5, 1}, {5, 2}, {5, 3}});
    CoverRight(*doc, 5, 1, 1);
    CoverRight(*doc, 5, 2, 1);
    CoverRight(*doc, 5, 3, 2); // wider block
    Click(*doc, {{5, 1}, {5, 2}});
    EXPECT_EQ((Cells{{5, 1}, {5, 2}}), SelectedCells(*doc));
    EXPECT_EQ(1, doc->selectionVertical);
    CellSelectorClick(*doc, 5, 3);
    EXPECT_TRUE(SelectedCells(*doc).empty());
}

TEST(SelectionRuns, ContinueSelectionReportsWhetherTheCellExtendsTheRun) {
    auto doc = NewTable(kHorizontal24);
    EXPECT_EQ(1, ContinueSelection(*doc, 7, 3));
    EXPECT_EQ(7, doc->selectionColumn);
    EXPECT_EQ(3, doc->selectionRow);
    EXPECT_EQ(1, ContinueSelection(*doc, 8, 3));
    EXPECT_EQ(0, ContinueSelection(*doc, 10, 3));
    EXPECT_EQ(3, doc->selectionCount);
    // A second cell in neither the row nor the column sets no direction.
    ClearSelection(*doc);
    ContinueSelection(*doc, 7, 3);
    EXPECT_EQ(0, ContinueSelection(*doc, 9, 9));
    EXPECT_EQ(0, doc->selectionHorizontal + doc->selectionVertical);
}
