// The table renderer on the table picture: cell geometry with separations and merges, the drawing
// rules, connector lines, the box cell sequence and the values left for the exports. Positions
// are worked out from the cell records: a cell at column a, row b is drawn from
// (a + left + 2, b + top + 2) with separation 1, and its outline lies on the first and last
// pixel inside (L, T) - (R, B).
#include "RenderTestSupport.h"
#include "render/BmpWriter.h"
#include "render/Renderer.h"
#include "ui/PictureMessages.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kPaper = RGB(200, 230, 255); // tests use a paper that no drawing uses
constexpr COLORREF kGrid = RGB(100, 100, 100);
constexpr COLORREF kWhiteFill = RGB(255, 255, 255);
constexpr COLORREF kBlackInk = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);

Document TestDocument(int columns = 44, int rows = 31, int cellSize = 24) {
    Document doc = MakeGridDocument(columns, rows, cellSize);
    doc.paperColor = kPaper;
    doc.lineColor = kGrid;
    return doc;
}

struct Table {
    RenderState render;
    Table() { CreatePictures(render); }

    PixelGrid Draw(const Document& doc, int offset = 2) {
        ClearToPaper(render.tablePicture, doc);
        DrawTable(render, doc, DEFAULT_CHARSET, render.tablePicture.Dc(), doc.tableColumns, doc.tableRows,
                  offset, offset, doc.lineColor);
        ReportPictureProblems(render.pictureCache, nullptr); // as the program does after each draw
        return ReadPixels(render.tablePicture);
    }
};

// The drawn box of a cell: L, T, R, B.
RECT Box(int left, int top, int right, int bottom) {
    return RECT{left, top, right, bottom};
}
RECT Inside(const RECT& box) {
    return RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
}
RECT Column(int x, int top, int bottom) {
    return RECT{x, top, x + 1, bottom};
}
RECT Row(int y, int left, int right) {
    return RECT{left, y, right, y + 1};
}

// The outline of a box drawn with a 1-pixel pen: all four sides in one colour.
bool OutlineIs(const PixelGrid& grid, const RECT& box, COLORREF colour) {
    return grid.All(Column(box.left, box.top, box.bottom), colour) &&
           grid.All(Column(box.right - 1, box.top, box.bottom), colour) &&
           grid.All(Row(box.top, box.left, box.right), colour) &&
           grid.All(Row(box.bottom - 1, box.left, box.right), colour);
}

} // namespace

TEST(DrawTable, CellsOfANewTableSitWhereTheGridPutsThem) {
    Table t;
    Document doc = TestDocument();
    PixelGrid grid = t.Draw(doc);
    // Cell (0, 0) from (4, 4) to (28, 28); cell (1, 0) starts at x = 29.
    const RECT first = Box(4, 4, 28, 28), second = Box(29, 4, 53, 28);
    EXPECT_TRUE(OutlineIs(grid, first, kGrid));
    EXPECT_TRUE(grid.All(Inside(first), kWhiteFill));
    EXPECT_TRUE(grid.All(Column(28, 4, 28), kPaper)); // the separation
    EXPECT_TRUE(OutlineIs(grid, second, kGrid));
    EXPECT_TRUE(grid.All(Column(3, 0, 40), kPaper));
    // The last cell (43, 30): left 1034 + 43 + 2, top 722 + 30 + 2.
    const RECT last = Box(1079, 754, 1103, 778);
    EXPECT_TRUE(OutlineIs(grid, last, kGrid));
    EXPECT_TRUE(grid.All(Row(778, 1070, 1110), kPaper));
    EXPECT_EQ(1103, t.render.drawnRight);
    EXPECT_EQ(778, t.render.drawnBottom);
}

TEST(DrawTable, DrawsAFreshGridExactlyAsTheNewTableGridDoes) {
    Table t;
    Document doc = TestDocument(65, 46, 16);
    PixelGrid drawn = t.Draw(doc);
    ClearToPaper(t.render.tablePicture, doc);
    DrawNewTableGrid(t.render.tablePicture.Dc(), doc, 65, 46, 2, 2, kGrid, kWhiteFill);
    EXPECT_TRUE(drawn.pixels == ReadPixels(t.render.tablePicture).pixels);
}

TEST(DrawTable, MergedCellsAreDrawnAsOneBoxOverTheirSeparations) {
    Table t;
    Document doc = TestDocument();
    // Three cells of row 1 merged horizontally: from column 2's left to column 4's right.
    for (int c = 2; c <= 4; ++c)
        MakeBox(doc, c, 1).backColor = kGreen;
    MergeRight(doc, 2, 1, 3);
    doc.cellGrid(3, 1).marked = 1; // covered cells draw nothing, whatever they hold
    // A 2 x 2 block re-merged: two horizontal merges, then the anchors merged vertically.
    for (int r = 3; r <= 4; ++r)
        for (int c = 5; c <= 6; ++c)
            MakeBox(doc, c, r).backColor = kGreen;
    MergeRight(doc, 5, 3, 2);
    MergeRight(doc, 5, 4, 2);
    MergeDown(doc, 5, 3, 2);
    PixelGrid grid = t.Draw(doc);

    // L = 2 + 50 + 2 = 54; R = 2 + 122 + 2 + 2 separations = 128; T = 1 + 26 + 2 = 29; B = 1 + 50 + 2 = 53.
    const RECT row = Box(54, 29, 128, 53);
    EXPECT_TRUE(OutlineIs(grid, row, kBlackInk));
    EXPECT_TRUE(grid.All(Inside(row), kGreen)); // the separations inside the merge are filled
    EXPECT_TRUE(grid.All(Column(128, 29, 53), kPaper));
    // L = 5 + 122 + 2 = 129; R = 5 + 170 + 2 + 1 = 178; T = 3 + 74 + 2 = 79; B = 3 + 122 + 2 + 1 = 128.
    const RECT block = Box(129, 79, 178, 128);
    EXPECT_TRUE(OutlineIs(grid, block, kBlackInk));
    EXPECT_TRUE(grid.All(Inside(block), kGreen));
    EXPECT_TRUE(grid.All(Row(128, 129, 178), kPaper));
}

TEST(DrawTable, MarkedCellsAreYellowWithTheirConnectors) {
    Table t;
    Document doc = TestDocument();
    // Connectors as "Create line" makes them: (3, 5) to (7, 5), and (3, 2) to (3, 6).
    CellRecord& horizontal = doc.cellGrid(3, 5);
    horizontal.marked = 1;
    horizontal.hLineOn = 1;
    horizontal.hLineX1 = 74, horizontal.hLineY1 = 121, horizontal.hLineX2 = 199, horizontal.hLineY2 = 121;
    CellRecord& vertical = doc.cellGrid(3, 2);
    vertical.vLineOn = 1;
    vertical.vLineX1 = 73, vertical.vLineY1 = 50, vertical.vLineX2 = 73, vertical.vLineY2 = 175;
    PixelGrid grid = t.Draw(doc);

    const RECT marked = Box(3 + 74 + 2, 5 + 122 + 2, 3 + 98 + 2, 5 + 146 + 2);
    EXPECT_TRUE(OutlineIs(grid, marked, kGrid));
    EXPECT_TRUE(grid.All(Inside(marked), RGB(255, 255, 0)));
    // From (3 + 74 + 2, 5 + 121 + 2) to (3 + 199 + 2, same y).
    EXPECT_TRUE(grid.All(Row(128, 79, 204), kBlackInk));
    EXPECT_NE(kBlackInk, grid.At(205, 128));
    // From (2 + 73 + 2, 2 + 50 + 2) to (same x, 2 + 175 + 2); the guide cells of column 3 are
    // drawn after the connector of row 2, so look in the separations it crosses.
    EXPECT_EQ(kBlackInk, grid.At(78, 54));
    for (int y : {79, 104})
        EXPECT_EQ(kBlackInk, grid.At(78, y)) << y;
}

TEST(DrawTable, TheEndOfAConnectorGetsTheSeparationsOfItsMerge) {
    Table t;
    Document doc = TestDocument(20, 10, 24);
    doc.separation = 5; // wide enough to see the difference
    MergeRight(doc, 2, 6, 3);
    CellRecord& anchor = doc.cellGrid(2, 6);
    anchor.hLineOn = 1;
    anchor.hLineX1 = 50, anchor.hLineY1 = 145, anchor.hLineX2 = 100, anchor.hLineY2 = 145;
    anchor.vLineOn = 1;
    anchor.vLineX1 = 51, anchor.vLineY1 = 146, anchor.vLineX2 = 51, anchor.vLineY2 = 160;
    PixelGrid grid = t.Draw(doc);
    // Start (2 * 5 + 50 + 2, 6 * 5 + 145 + 2) = (62, 177); end x = 2 * 5 + 100 + 2 + 2 * 5 = 122.
    EXPECT_EQ(kBlackInk, grid.At(62, 177));
    EXPECT_NE(kBlackInk, grid.At(61, 177));
    EXPECT_EQ(kBlackInk, grid.At(121, 177));
    EXPECT_NE(kBlackInk, grid.At(122, 177));
    // The vertical connector's end point moves by the same two separations: from (63, 178) it
    // runs to (63 + 10, 6 * 5 + 160 + 2).
    EXPECT_EQ(kBlackInk, grid.At(63, 178));
    EXPECT_NE(kBlackInk, grid.At(63, 191));
    EXPECT_GE(grid.Count(Row(191, 70, 74), kBlackInk), 1);
}

TEST(DrawTable, ASelectedBoxShowsOnlyDarkBlue) {
    Table t;
    Document doc = TestDocument();
    std::wstring missing = TemporaryPath(L"missing.ico");
    for (int c : {1, 2}) {
        CellRecord& box = MakeBox(doc, c, 1);
        box.selected = 1;
        AssignField(box.text, u"Text that would show");
        AssignField(box.iconPath, AnsiPath(missing)); // would draw a silver box
        box.vLineOn = 1;                              // would draw a connector
        box.vLineX1 = box.left + 5, box.vLineY1 = box.top, box.vLineX2 = box.left + 5,
        box.vLineY2 = box.bottom;
    }
    doc.cellGrid(2, 1).backColor = kNoColor; // would show the hatched placeholder
    PixelGrid grid = t.Draw(doc);
    for (int c : {1, 2}) {
        const RECT box = Box(c + c * 24 + 4, 1 + 24 + 4, c + (c + 1) * 24 + 4, 1 + 48 + 4);
        EXPECT_TRUE(OutlineIs(grid, box, kGrid)) << c;
        EXPECT_TRUE(grid.All(Inside(box), RGB(0, 0, 0x8B))) << c;
    }
}

TEST(DrawTable, ExportsLeaveGuideCellsUnfilledButDrawTheirConnectors) {
    Table t;
    Document doc = TestDocument(10, 10, 24);
    CellRecord& guide = doc.cellGrid(4, 4);
    guide.hLineOn = 1;
    guide.hLineX1 = 98, guide.hLineY1 = 97, guide.hLineX2 = 170, guide.hLineY2 = 97;
    doc.cellGrid(1, 1).marked = 1;
    MakeBox(doc, 2, 2).backColor = kGreen;
    const COLORREF background = RGB(10, 200, 10);
    ClearToBackground(t.render.tablePicture, background);
    t.render.exportMode = 1;
    DrawTable(t.render, doc, DEFAULT_CHARSET, t.render.tablePicture.Dc(), 10, 10, -2, -2, doc.lineColor);
    t.render.exportMode = 0;
    PixelGrid grid = ReadPixels(t.render.tablePicture);
    // With offset -2 cell (0, 0) starts at (0, 0); a guide cell leaves the background untouched.
    EXPECT_TRUE(grid.All(Box(0, 0, 24, 24), background));
    EXPECT_TRUE(grid.All(Box(5 * 25, 0, 6 * 25, 99), background));
    // Its connector: from (4 + 98 - 2, 4 + 97 - 2) to (4 + 170 - 2, same y).
    EXPECT_TRUE(grid.All(Row(99, 100, 172), kBlackInk));
    // Marked cells and boxes are drawn as on screen.
    EXPECT_TRUE(grid.All(Inside(Box(25, 25, 49, 49)), RGB(255, 255, 0)));
    EXPECT_TRUE(grid.All(Inside(Box(50, 50, 74, 74)), kGreen));
    EXPECT_EQ(9 + 10 * 24 + 2 - 2, t.render.drawnRight);
    EXPECT_EQ(9 + 10 * 24 + 2 - 2, t.render.drawnBottom);
}

TEST(DrawTable, CancelledAndCoveredCellsAreNotDrawn) {
    Table t;
    Document doc = TestDocument(10, 10, 24);
    CellRecord& cancelled = MakeBox(doc, 3, 3);
    cancelled.backColor = kGreen;
    cancelled.cancelled = 1;
    doc.cellGrid(5, 3).cancelled = 1; // a cancelled guide cell
    doc.cellGrid(6, 6).covered = 1;   // covered, its anchor unchanged
    doc.cellGrid(6, 6).marked = 1;
    PixelGrid grid = t.Draw(doc);
    EXPECT_TRUE(grid.All(Box(3 + 74 + 2, 3 + 74 + 2, 3 + 98 + 2, 3 + 98 + 2), kPaper));
    EXPECT_TRUE(grid.All(Box(5 + 122 + 2, 3 + 74 + 2, 5 + 146 + 2, 3 + 98 + 2), kPaper));
    // The anchor to the left reaches one separation further; the rest of the covered cell is paper.
    EXPECT_TRUE(OutlineIs(grid, Box(5 + 122 + 2, 6 + 146 + 2, 5 + 146 + 2 + 1, 6 + 170 + 2), kGrid));
    EXPECT_TRUE(grid.All(Box(6 + 146 + 2, 6 + 146 + 2, 6 + 170 + 2, 6 + 170 + 2), kPaper));
}

TEST(DrawTable, DrawnRightAndBottomComeFromTheBottomRightCellEvenWhenNotDrawn) {
    Table t;
    Document doc = TestDocument(5, 4, 24);
    doc.cellGrid(4, 3).cancelled = 1;
    t.Draw(doc);
    EXPECT_EQ(4 + 5 * 24 + 2 + 2, t.render.drawnRight);
    EXPECT_EQ(3 + 4 * 24 + 2 + 2, t.render.drawnBottom);
    doc.cellGrid(4, 3).cancelled = 0;
    MergeRight(doc, 3, 3, 2);
    t.Draw(doc, -2);
    EXPECT_EQ(4 + 5 * 24 + 2 - 2, t.render.drawnRight);
    EXPECT_EQ(3 + 4 * 24 + 2 - 2, t.render.drawnBottom);
}

TEST(DrawPageGuides, FrameAndDottedRedGuidesOfAnA4Page) {
    Table t;
    Document doc = TestDocument();
    ClearToPaper(t.render.tablePicture, doc);
    DrawPageGuides(t.render.tablePicture.Dc());
    PixelGrid grid = ReadPixels(t.render.tablePicture);
    EXPECT_TRUE(grid.All(Column(1, 1, 790), kBlackInk));
    EXPECT_TRUE(grid.All(Column(1118, 1, 790), kBlackInk));
    EXPECT_TRUE(grid.All(Row(1, 1, 790), kBlackInk));
    EXPECT_TRUE(grid.All(Row(1121, 1, 790), kBlackInk));
    EXPECT_TRUE(grid.All(Column(1119, 2, 790), kPaper));
    EXPECT_TRUE(grid.All(Column(0, 0, 794), kPaper));
    // Dotted: about half the pixels of each guide are red, the rest paper; none beside them.
    const COLORREF red = RGB(255, 0, 0);
    for (RECT guide : {Column(794, 2, 1120), Row(794, 2, 1118)}) {
        int reds = grid.Count(guide, red);
        int paper = grid.Count(guide, kPaper);
        int length = (guide.right - guide.left) * (guide.bottom - guide.top);
        EXPECT_GT(reds, length / 4);
        EXPECT_GT(paper, length / 4);
        EXPECT_EQ(length, reds + paper);
    }
    // Beside the guides (away from the point where they cross) there is no red.
    EXPECT_EQ(0, grid.Count(Column(793, 0, 794), red) + grid.Count(Column(793, 795, 1122), red));
    EXPECT_EQ(0, grid.Count(Column(795, 0, 794), red) + grid.Count(Column(795, 795, 1122), red));
    EXPECT_EQ(0, grid.Count(Row(793, 0, 794), red) + grid.Count(Row(793, 795, 1122), red));
}

TEST(DrawTable, APictureCellWithoutItsFileShowsTheHatchedPlaceholder) {
    Table t;
    Document doc = TestDocument();
    CellRecord& empty = MakeBox(doc, 1, 1);
    empty.backColor = kNoColor;
    AssignField(empty.imageSpec, "|16777215");
    CellRecord& missing = MakeBox(doc, 3, 1);
    missing.backColor = kNoColor;
    AssignField(missing.imageSpec, AnsiPath(TemporaryPath(L"no-such-picture.png")) + "|255");
    PixelGrid grid = t.Draw(doc);
    const COLORREF silver = RGB(192, 192, 192);
    for (int c : {1, 3}) {
        const RECT box = Box(c + c * 24 + 4, 1 + 24 + 4, c + (c + 1) * 24 + 4, 1 + 48 + 4);
        EXPECT_TRUE(OutlineIs(grid, box, kGrid)) << c; // the placeholder's outline over the black one
        const RECT inside = Inside(box);
        const int area = (inside.right - inside.left) * (inside.bottom - inside.top);
        int hatch = grid.Count(inside, silver), gaps = grid.Count(inside, kPaper);
        EXPECT_GT(hatch, area / 8) << c;
        EXPECT_GT(gaps, area / 2) << c; // the gaps show the paper beneath
        EXPECT_EQ(area, hatch + gaps) << c;
    }
}

TEST(DrawTable, ThickLinesDrawEverythingButPictures) {
    Table t;
    Document doc = TestDocument(10, 10, 32);
    doc.lineThickness = 6;
    MakeBox(doc, 1, 1).backColor = kGreen;
    doc.cellGrid(3, 1).marked = 1;
    // A picture cell whose file exists: with lines of 6 pixels no picture is drawn (or read).
    std::wstring file = TemporaryPath(L"thick.ico");
    ASSERT_TRUE(WriteSolidIcon(file, RGB(255, 0, 0)));
    CellRecord& picture = MakeBox(doc, 5, 1);
    picture.backColor = kNoColor;
    AssignField(picture.imageSpec, AnsiPath(file) + "|0");
    CellRecord& placeholder = MakeBox(doc, 7, 1);
    placeholder.backColor = kNoColor;
    MessageBoxRecorder messages;
    PixelGrid grid = t.Draw(doc);
    DeleteFileW(file.c_str());
    EXPECT_TRUE(messages.Shown().empty());
    // The middle of each cell, well inside the 6-pixel outlines.
    auto middle = [](int c) { return RECT{c * 33 + 4 + 10, 33 + 4 + 10, c * 33 + 4 + 22, 33 + 4 + 22}; };
    EXPECT_TRUE(grid.All(middle(1), kGreen));
    EXPECT_TRUE(grid.All(middle(3), RGB(255, 255, 0)));
    EXPECT_TRUE(grid.All(middle(5), kPaper));
    EXPECT_GT(grid.Count(middle(7), RGB(192, 192, 192)), 10);
    EXPECT_EQ(0, grid.Count(middle(7), RGB(255, 0, 0)));
    // The outline is 6 pixels wide.
    EXPECT_TRUE(grid.All(RECT{1 * 33 + 4 + 1, 33 + 4 + 12, 1 * 33 + 4 + 3, 33 + 4 + 14}, kBlackInk));
}

TEST(DrawTable, OutlinesOfEveryThicknessHaveSquareCornersAndConnectorsEndAtTheirPoints) {
    Table t;
    // Walks from (x, y) by (dx, dy) to the first pixel that is not paper.
    auto ink = [](const PixelGrid& grid, int x, int y, int dx, int dy) {
        while (grid.At(x, y) == kPaper)
            x += dx, y += dy;
        return POINT{x, y};
    };
    // The four outer corners of the outline around (middleX, middleY) have the colour of its sides.
    auto expectSquare = [&](const PixelGrid& grid, int middleX, int middleY, const char* what,
                            int thickness) {
        const int left = ink(grid, middleX - 30, middleY, 1, 0).x,
                  right = ink(grid, middleX + 30, middleY, -1, 0).x;
        const int top = ink(grid, middleX, middleY - 30, 0, 1).y,
                  bottom = ink(grid, middleX, middleY + 30, 0, -1).y;
        const COLORREF side = grid.At(left, middleY);
        for (POINT corner : {POINT{left, top}, POINT{right, top}, POINT{left, bottom}, POINT{right, bottom}})
            EXPECT_EQ(side, grid.At(corner.x, corner.y)) << what << " at thickness " << thickness;
    };
    for (int thickness = 1; thickness <= 5; ++thickness) {
        // A box, a placeholder and a guide cell, with paper between them (the rest is cancelled).
        Document doc = TestDocument(7, 3, 32);
        doc.lineThickness = thickness;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 7; ++c)
                doc.cellGrid(c, r).cancelled = (r == 1 && c % 2 == 1) ? 0 : 1;
        MakeBox(doc, 1, 1).backColor = kGreen;
        CellRecord& placeholder = MakeBox(doc, 3, 1);
        placeholder.backColor = kNoColor;
        AssignField(placeholder.imageSpec, "|0");
        PixelGrid grid = t.Draw(doc);
        const int middle = 33 + 4 + 16; // cell c spans 33c + 4 .. 33c + 36
        expectSquare(grid, 33 + 4 + 16, middle, "box", thickness);
        expectSquare(grid, 3 * 33 + 4 + 16, middle, "placeholder", thickness);
        expectSquare(grid, 5 * 33 + 4 + 16, middle, "guide cell", thickness);

        ClearToPaper(t.render.tablePicture, doc);
        DrawNewTableGrid(t.render.tablePicture.Dc(), doc, 1, 1, 30, 30, kGrid, kWhiteFill);
        expectSquare(ReadPixels(t.render.tablePicture), 62 + 16, 62 + 16, "new grid", thickness);

        // Connectors of a guide cell (drawn as in an export, without the cells' fill) end where
        // their points say.
        CellRecord& line = doc.cellGrid(5, 1);
        line.hLineOn = line.vLineOn = 1;
        line.hLineX1 = 100, line.hLineY1 = 200, line.hLineX2 = 300, line.hLineY2 = 200;
        line.vLineX1 = 400, line.vLineY1 = 100, line.vLineX2 = 400, line.vLineY2 = 300;
        t.render.exportMode = 1;
        grid = t.Draw(doc);
        t.render.exportMode = 0;
        const int x = 5 + 2, y = 1 + 2; // the separations before cell (5, 1), then the offset
        EXPECT_EQ(x + 100, ink(grid, x + 50, y + 200, 1, 0).x) << thickness;
        EXPECT_EQ(x + 299, ink(grid, x + 350, y + 200, -1, 0).x) << thickness;
        EXPECT_EQ(y + 100, ink(grid, x + 400, y + 50, 0, 1).y) << thickness;
        EXPECT_EQ(y + 299, ink(grid, x + 400, y + 350, 0, -1).y) << thickness;
    }
}

TEST(DrawTable, AnIconIsDrawnFromItsFileOverTheWholeCell) {
    Table t;
    Document doc = TestDocument();
    std::wstring file = TemporaryPath(L"red.ico");
    ASSERT_TRUE(WriteSolidIcon(file, RGB(255, 0, 0)));
    AssignField(MakeBox(doc, 2, 2).iconPath, AnsiPath(file));
    AssignField(MakeBox(doc, 4, 2).iconPath, AnsiPath(TemporaryPath(L"absent.ico")));
    PixelGrid grid = t.Draw(doc);
    DeleteFileW(file.c_str());
    // Cell (2, 2): L = T = 2 + 48 + 4 = 54, 24 x 24; the icon from (55, 55), 24 x 24 pixels,
    // reaching 1 pixel beyond the box.
    EXPECT_TRUE(grid.All(RECT{55, 55, 79, 79}, RGB(255, 0, 0)));
    EXPECT_TRUE(grid.All(Column(54, 54, 78), kBlackInk));
    // A missing icon file: a silver box from (L + 1, T + 1) to (L + 24, T + 24), black outline.
    const int left = 4 + 96 + 4, top = 54;
    EXPECT_TRUE(OutlineIs(grid, Box(left + 1, top + 1, left + 24, top + 24), kBlackInk));
    EXPECT_TRUE(grid.All(Inside(Box(left + 1, top + 1, left + 24, top + 24)), RGB(192, 192, 192)));
}

TEST(DrawTable, BoxTextIsDrawnInsideTheOutlineAndNumbersThroughTheirFormat) {
    Table t;
    Document doc = TestDocument(10, 10, 64);
    CellRecord& number = MakeBox(doc, 1, 1);
    AssignField(number.text, u"2034500.13");
    number.numberFormatAllowed = 1;
    number.numberFormatType = 5;
    number.fontColor = RGB(0, 0, 200);
    CellRecord& literal = MakeBox(doc, 1, 3);
    AssignField(literal.text, u"2.034.500");
    literal.fontColor = RGB(0, 0, 200);
    PixelGrid grid = t.Draw(doc);
    auto cellArea = [](int c, int r) { return RECT{c * 65 + 4, r * 65 + 4, c * 65 + 68, r * 65 + 68}; };
    RECT numberInk = grid.Ink(Inside(cellArea(1, 1)), kWhiteFill);
    RECT literalInk = grid.Ink(Inside(cellArea(1, 3)), kWhiteFill);
    ASSERT_FALSE(IsEmpty(numberInk));
    EXPECT_EQ(numberInk.left, literalInk.left);
    EXPECT_EQ(numberInk.right, literalInk.right);
    EXPECT_EQ(numberInk.top + 2 * 65, literalInk.top);
    EXPECT_GE(numberInk.left, 65 + 4 + 1); // from (L + thickness, T + thickness)
    EXPECT_GT(grid.Count(numberInk, RGB(0, 0, 200)), 10);
}

TEST(CellFont, FollowsSizeStyleAlignmentAndCharacterSet) {
    Document doc = TestDocument(2, 2, 24);
    CellRecord cell = doc.cellGrid(0, 0);
    AssignField(cell.fontName, "Tahoma");
    cell.fontSize = 10;
    FontKey key = CellFontKey(cell, 177, 96);
    EXPECT_EQ(-13, key.height); // 10 points at 96 pixels per inch: 13.33 pixels of character height
    EXPECT_EQ(400, key.weight);
    EXPECT_EQ(0, key.escapement);
    EXPECT_EQ(177, key.charSet);
    EXPECT_STREQ("Tahoma", key.face);
    cell.bold = 1;
    cell.leading = 1;
    cell.italic = 2; // only exactly 1 counts
    cell.alignment = 136;
    key = CellFontKey(cell, 0, 120);
    EXPECT_EQ(17, key.height); // 16.67 rounded, cell height with the leading bit
    EXPECT_EQ(700, key.weight);
    EXPECT_EQ(0, key.italic);
    EXPECT_EQ(-900, key.escapement);
    EXPECT_EQ(17, CellStyleBits(cell));
    cell.italic = cell.underline = cell.strikeout = 1;
    EXPECT_EQ(31, CellStyleBits(cell));
}

TEST(CellFont, IdenticalParametersShareOneFontAcrossCellsAndRedraws) {
    Table t;
    Document doc = TestDocument(10, 10, 32);
    for (int c = 0; c < 6; ++c)
        AssignField(MakeBox(doc, c, 0).text, u"Same");
    doc.cellGrid(5, 0).fontSize = 14;
    t.Draw(doc);
    EXPECT_EQ(2u, t.render.fonts.fonts.size());
    t.Draw(doc);
    EXPECT_EQ(2u, t.render.fonts.fonts.size());
    // Cells without text need no font.
    MakeBox(doc, 0, 2).fontSize = 30;
    t.Draw(doc);
    EXPECT_EQ(2u, t.render.fonts.fonts.size());
}

TEST(CellFont, ACacheFullOfDistinctFontsIsEmptiedAndDrawingGoesOn) {
    Table t;
    Document doc = TestDocument(30, 30, 32);
    // More distinct fonts than the cache keeps; every text must still show.
    const char* faces[] = {"Tahoma", "DejaVu Sans"};
    const int count = int(kFontCacheLimit) + 20;
    for (int n = 0; n < count; ++n) {
        CellRecord& box = MakeBox(doc, n % 30, n / 30);
        AssignField(box.text, u"i");
        AssignField(box.fontName, faces[n / 320]);
        box.fontSize = static_cast<int16_t>(4 + n % 20);
        box.bold = (n / 20) % 2;
        box.italic = (n / 40) % 2;
        box.underline = (n / 80) % 2;
        box.strikeout = (n / 160) % 2;
    }
    PixelGrid grid = t.Draw(doc);
    EXPECT_LE(t.render.fonts.fonts.size(), kFontCacheLimit);
    EXPECT_GE(t.render.fonts.deletions, 1u);
    int withoutText = 0;
    for (int n = 0; n < count; ++n) {
        const int c = n % 30, r = n / 30;
        RECT cell{c * 33 + 4, r * 33 + 4, c * 33 + 36, r * 33 + 36};
        if (IsEmpty(grid.Ink(Inside(cell), kWhiteFill))) ++withoutText; // small texts are antialiased
    }
    EXPECT_EQ(0, withoutText);
}

TEST(DrawTable, TextBeyondItsCellRunsOnOverTheCellsBelowDownToThePicturesEdge) {
    Table t;
    // A size whose lines are cut by the picture's bottom edge through their letters: lines start at
    // T + 1 = 28 + 674 + 2 + 1 = 705 in the cell of row 28.
    const int firstLine = 705;
    int size = 0, cutLineTop = 0;
    for (int points = 8; points <= 20 && !size; ++points) {
        FontHandle font(CreateFontW(-MulDiv(points, 96, 72), 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                    0, L"Tahoma"));
        ScopedSelect select(t.render.tablePicture.Dc(), font.Get());
        TEXTMETRICW tm{};
        GetTextMetricsW(t.render.tablePicture.Dc(), &tm);
        const int lh = tm.tmHeight + tm.tmExternalLeading;
        const int top = firstLine + (1122 - firstLine) / lh * lh; // the line that the edge cuts
        if (1122 - top >= tm.tmInternalLeading + 3 && 1122 - top <= tm.tmAscent - 2)
            size = points, cutLineTop = top;
    }
    ASSERT_NE(0, size);
    Document doc = TestDocument();
    // Eighty short words in a cell of row 28: one word a line, far below the picture's edge.
    std::u16string words;
    for (int i = 0; i < 80; ++i)
        words += i ? u" bd" : u"bd";
    CellRecord& box = MakeBox(doc, 2, 28);
    AssignField(box.text, words);
    AssignField(box.fontName, "Tahoma");
    box.fontSize = static_cast<int16_t>(size);
    // The guide cells below are drawn after it and would paint over its lines; take them away.
    doc.cellGrid(2, 29).cancelled = doc.cellGrid(2, 30).cancelled = 1;
    PixelGrid grid = t.Draw(doc);
    // Column 2 spans x 54 .. 77; the line cut by the edge shows its upper part.
    EXPECT_FALSE(IsEmpty(grid.Ink(RECT{54, cutLineTop, 78, 1122}, kPaper)));
    EXPECT_FALSE(IsEmpty(grid.Ink(RECT{54, 800, 78, 830}, kPaper)));
}

namespace {

// A pixel of the blue picture: the scaling blends its edge with the black fill colour.
bool PictureBlue(COLORREF c) {
    return GetRValue(c) == 0 && GetGValue(c) == 0 && GetBValue(c) > 0;
}

int CountPictureBlue(const PixelGrid& grid, const RECT& rect) {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            n += PictureBlue(grid.At(x, y));
    return n;
}

} // namespace

TEST(DrawTable, APictureCellShowsItsPictureInsideTheOutlineByLineThickness) {
    // A 10 x 10 blue picture file, stretched to the place the line thickness leaves for it.
    std::wstring file = TemporaryPath(L"blue.bmp");
    std::vector<uint8_t> bytes = EncodeBmp24(10, 10, std::vector<uint32_t>(100, 0x0000FF));
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
    // Thickness: inset and the picture's size less than the box's.
    struct Case {
        int thickness, inset, shrink;
    } cases[] = {{1, 1, 2}, {2, 1, 3}, {3, 2, 4}, {4, 2, 5}, {5, 3, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thickness);
        Table t;
        Document doc = TestDocument(10, 10, 32);
        doc.lineThickness = c.thickness;
        CellRecord& cell = MakeBox(doc, 2, 2);
        cell.backColor = kNoColor;
        AssignField(cell.imageSpec, AnsiPath(file) + "|0");
        MessageBoxRecorder messages;
        PixelGrid grid = t.Draw(doc);
        EXPECT_TRUE(messages.Shown().empty());
        // The box: L = T = 2 + 64 + 4 = 70, 32 x 32.
        const int l = 70, first = l + c.inset, size = 32 - c.shrink;
        const RECT picture{first, first, first + size, first + size};
        EXPECT_EQ(size * size, CountPictureBlue(grid, picture));
        EXPECT_TRUE(grid.All(RECT{first + 8, first + 8, first + size - 8, first + size - 8}, RGB(0, 0, 255)));
        EXPECT_EQ(size * size,
                  CountPictureBlue(grid, RECT{l - 5, l - 5, l + 40, l + 40})); // nothing beyond it
    }
    DeleteFileW(file.c_str());
}
