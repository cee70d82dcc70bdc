// New presets, the fresh guide grid, chart boxes and connector lines.
#include "DocumentFixtures.h"

#include "document/Edit.h"
#include "document/Undo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

TEST(NewPresets, EachMenuCommandGivesItsPageAndCellSize) {
    struct Expected {
        int id, size, columns, rows;
    };
    const Expected expected[] = {{3302, 16, 65, 46}, {3309, 24, 44, 31}, {3303, 32, 33, 23},
                                 {3304, 64, 17, 12}, {3305, 16, 46, 65}, {3310, 24, 31, 44},
                                 {3306, 32, 23, 33}, {3307, 64, 12, 17}};
    for (const Expected& e : expected) {
        auto doc = NewTable(e.id);
        SCOPED_TRACE(e.id);
        EXPECT_TRUE(doc->tablePresent);
        EXPECT_EQ(e.size, doc->cellWidth);
        EXPECT_EQ(e.size, doc->cellHeight);
        EXPECT_EQ(e.columns, doc->tableColumns);
        EXPECT_EQ(e.rows, doc->tableRows);
        EXPECT_EQ(1, doc->separation);
        EXPECT_EQ(1, doc->lineThickness);
        EXPECT_EQ(0xC0C0C0, doc->lineColor);
        EXPECT_EQ(0xFFFFFF, doc->paperColor);
        // Every preset fits the 1122-pixel table picture with its gaps.
        EXPECT_LE(e.columns * (e.size + 1) + 4, 1122);
        EXPECT_LE(e.rows * (e.size + 1) + 4, 1122);
    }
    EXPECT_EQ(nullptr, FindNewPreset(3308));
    EXPECT_EQ(nullptr, FindNewPreset(3300));
}

TEST(NewTableCells, CornerCellsOfA24PixelLandscapeTable) {
    auto doc = NewTable(kHorizontal24);
    const CellRecord& first = doc->cellGrid(0, 0);
    EXPECT_EQ(2, first.left);
    EXPECT_EQ(2, first.top);
    EXPECT_EQ(26, first.right);
    EXPECT_EQ(26, first.bottom);
    const CellRecord& last = doc->cellGrid(43, 30);
    EXPECT_EQ(1034, last.left);
    EXPECT_EQ(722, last.top);
    EXPECT_EQ(1058, last.right);
    EXPECT_EQ(746, last.bottom);
    EXPECT_EQ(43, last.column);
    EXPECT_EQ(30, last.row);
}

TEST(NewTableCells, FreshCellHoldsDefaultContentAndTableCopies) {
    auto doc = NewTable(kHorizontal64);
    const CellRecord& cell = doc->cellGrid(5, 7);
    EXPECT_EQ(0xFFFFFF, cell.backColor);
    EXPECT_EQ(0, cell.fontColor);
    EXPECT_EQ("Times New Roman", FieldText(cell.fontName));
    EXPECT_EQ(10, cell.fontSize);
    EXPECT_EQ(131, cell.alignment);
    EXPECT_EQ(6, cell.numberFormatType);
    EXPECT_EQ(0, cell.numberFormatAllowed);
    EXPECT_EQ(17, cell.tableColumns);
    EXPECT_EQ(12, cell.tableRows);
    EXPECT_EQ(64, cell.cellWidth);
    EXPECT_EQ(64, cell.cellHeight);
    EXPECT_EQ(1, cell.separation);
    EXPECT_EQ(1, cell.lineThickness);
    EXPECT_EQ(0xC0C0C0, cell.lineColor);
    EXPECT_EQ(0xFFFFFF, cell.paperColor);
    EXPECT_EQ(0, cell.isBox + cell.marked + cell.selected + cell.covered + cell.cancelled);
    EXPECT_EQ(0, cell.hLineOn + cell.vLineOn);
    EXPECT_TRUE(FieldText(cell.text).empty());
    EXPECT_TRUE(FieldText(cell.iconPath).empty());
    EXPECT_TRUE(FieldText(cell.imageSpec).empty());
    for (char byte : cell.reserved11)
        EXPECT_EQ(0, byte);
}

TEST(NewTableCells, NewReplacesTheWholeGridAndForgetsUndo) {
    auto doc = NewTable(kHorizontal16);
    CellRecord& inside = doc->cellGrid(60, 40);
    AssignField(inside.text, u"old chart");
    inside.isBox = 1;
    doc->cellGrid(100, 100).marked = 1; // the mouse can mark positions outside the table
    PushUndo(*doc);
    ASSERT_TRUE(UndoAvailable(*doc));

    ApplyNewPreset(*doc, *FindNewPreset(kHorizontal64));
    EXPECT_FALSE(UndoAvailable(*doc));
    EXPECT_EQ(0, doc->undo.undoLevel);
    // Cells that fell outside the smaller table are all zero again.
    const CellRecord& outside = doc->cellGrid(60, 40);
    CellRecord zero{};
    EXPECT_EQ(0, std::memcmp(&zero, &outside, sizeof zero));
    EXPECT_EQ(0, doc->cellGrid(100, 100).marked);
}

TEST(NewTableCells, OddSizedTableIsClampedToTheGrid) {
    auto doc = std::make_unique<Document>();
    doc->cellWidth = doc->cellHeight = 10;
    BuildNewTable(*doc, 150, 3, 2, 2, 0x123456);
    EXPECT_EQ(100, doc->cellGrid(100, 2).column);
    EXPECT_EQ(1012, doc->cellGrid(100, 2).right);
    EXPECT_EQ(0x123456, doc->cellGrid(100, 2).lineColor);
    EXPECT_EQ(0, doc->cellGrid(100, 3).right);
}

TEST(CreateTable, MarkedGuideCellsBecomeUnmarkedBoxes) {
    auto doc = NewTable(kHorizontal24);
    doc->cellGrid(3, 4).marked = 1;
    doc->cellGrid(10, 20).marked = 1;
    doc->cellGrid(50, 50).marked = 1; // outside the 44 x 31 table
    CreateChartBoxes(*doc);
    EXPECT_EQ(1, doc->cellGrid(3, 4).isBox);
    EXPECT_EQ(1, doc->cellGrid(10, 20).isBox);
    EXPECT_EQ(0, doc->cellGrid(3, 4).marked);
    EXPECT_EQ(0, doc->cellGrid(4, 4).isBox);
    // Marks outside the table are neither used nor removed.
    EXPECT_EQ(1, doc->cellGrid(50, 50).marked);
    EXPECT_EQ(0, doc->cellGrid(50, 50).isBox);
}

TEST(CreateLine, TwoMarksInOneRowDrawAlongTheTopEdgeOfTheFirst) {
    auto doc = NewTable(kHorizontal24);
    doc->cellGrid(7, 5).marked = 1;
    doc->cellGrid(3, 5).marked = 1;
    CreateConnector(*doc);
    const CellRecord& a = doc->cellGrid(3, 5);
    EXPECT_EQ(1, a.hLineOn);
    EXPECT_EQ(74, a.hLineX1);
    EXPECT_EQ(121, a.hLineY1);
    EXPECT_EQ(199, a.hLineX2);
    EXPECT_EQ(121, a.hLineY2);
    EXPECT_EQ(0, a.vLineOn);
    EXPECT_EQ(0, doc->cellGrid(7, 5).hLineOn);
    EXPECT_EQ(0, a.marked + doc->cellGrid(7, 5).marked);
}

TEST(CreateLine, TwoMarksInOneColumnDrawAlongTheLeftEdgeOfTheTopOne) {
    auto doc = NewTable(kHorizontal24);
    doc->cellGrid(3, 6).marked = 1;
    doc->cellGrid(3, 2).marked = 1;
    CreateConnector(*doc);
    const CellRecord& a = doc->cellGrid(3, 2);
    EXPECT_EQ(1, a.vLineOn);
    EXPECT_EQ(73, a.vLineX1);
    EXPECT_EQ(50, a.vLineY1);
    EXPECT_EQ(73, a.vLineX2);
    EXPECT_EQ(175, a.vLineY2);
    EXPECT_EQ(0, a.hLineOn);
    EXPECT_EQ(0, doc->cellGrid(3, 6).vLineOn);
}

TEST(CreateLine, WrongMarksDrawNothingButRemoveEveryMark) {
    auto doc = NewTable(kHorizontal24);
    // Three marks.
    doc->cellGrid(1, 1).marked = doc->cellGrid(2, 1).marked = doc->cellGrid(3, 1).marked = 1;
    CreateConnector(*doc);
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(0, doc->cellGrid(c, 1).marked);
        EXPECT_EQ(0, doc->cellGrid(c, 1).hLineOn);
    }
    // Two marks in neither one row nor one column.
    doc->cellGrid(1, 1).marked = doc->cellGrid(4, 6).marked = 1;
    CreateConnector(*doc);
    EXPECT_EQ(0, doc->cellGrid(1, 1).hLineOn + doc->cellGrid(1, 1).vLineOn);
    EXPECT_EQ(0, doc->cellGrid(1, 1).marked + doc->cellGrid(4, 6).marked);
}

TEST(CreateLine, LaterLineOfTheSameDirectionReplacesTheEarlier) {
    auto doc = NewTable(kHorizontal24);
    doc->cellGrid(0, 0).marked = doc->cellGrid(9, 0).marked = 1;
    CreateConnector(*doc);
    doc->cellGrid(0, 0).marked = doc->cellGrid(1, 0).marked = 1;
    CreateConnector(*doc);
    EXPECT_EQ(2 + 2 * 25, doc->cellGrid(0, 0).hLineX2);
    doc->cellGrid(0, 0).marked = doc->cellGrid(0, 3).marked = 1;
    CreateConnector(*doc);
    // Both directions can sit on one cell.
    EXPECT_EQ(1, doc->cellGrid(0, 0).hLineOn);
    EXPECT_EQ(1, doc->cellGrid(0, 0).vLineOn);
}

// An edit that leaves the chart as it was takes no undo step: after a real edit, each of these
// leaves the history as it was, so one Undo still takes the real edit back.
TEST(ChartCommands, EditsThatChangeNothingTakeNoUndoStep) {
    using Command = std::function<void(Document&)>;
    const Command line = CreateLineCommand, table = CreateTableCommand;
    const Command across = [](Document& d) { MergeHorizontalCommand(d); };
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> marks, clicks;
        Command command;
    } cases[] = {
        {"a line from one mark", {{1, 1}}, {}, line},
        {"a line from a mark and a box", {{1, 1}}, {{6, 6}}, line},
        {"a line between marks in neither a row nor a column", {{1, 1}, {2, 2}}, {}, line},
        {"boxes from no mark", {}, {}, table},
        {"a merge across one box", {}, {{6, 6}}, across},
    };
    for (const Case& c : cases) {
        auto doc = NewTable(kHorizontal24);
        MakeBoxes(*doc, {{6, 6}, {7, 6}});
        doc->cellGrid(9, 9).marked = 1;
        CreateTableCommand(*doc); // the real edit: (9, 9) becomes a box
        for (auto [column, row] : c.marks)
            doc->cellGrid(column, row).marked = 1;
        Click(*doc, c.clicks);
        c.command(*doc);
        for (auto [column, row] : c.marks)
            EXPECT_EQ(0, doc->cellGrid(column, row).marked) << c.name << ": the marks go all the same";
        EXPECT_EQ(1, doc->undo.undoLevel) << c.name;
        UndoCommand(*doc);
        EXPECT_EQ(0, doc->cellGrid(9, 9).isBox) << c.name << ": Undo takes the real edit back";
    }
}
