// The three ruler styles on off-screen pictures at 96 pixels per inch: strokes, colours and
// labels where the scales put them.
#include "RenderTestSupport.h"
#include "render/Renderer.h"
#include "render/Rulers.h"
#include "render/ZoomedView.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = RGB(0xEE, 0xE9, 0xE9);
constexpr COLORREF kRedStroke = RGB(255, 0, 0);
constexpr COLORREF kBlackStroke = RGB(0, 0, 0);
constexpr COLORREF kGreyStroke = RGB(0x80, 0x80, 0x80);

RECT Column(int x, int top, int bottom) {
    return RECT{x, top, x + 1, bottom};
}
RECT Row(int y, int left, int right) {
    return RECT{left, y, right, y + 1};
}

struct Rulers {
    RenderState render;
    Picture horizontal{1122, 21};
    Picture vertical{21, 1122};
};

bool HasInk(const PixelGrid& grid, const RECT& rect) {
    return !IsEmpty(grid.Ink(rect, kBack));
}

} // namespace

TEST(DrawUnitRuler, CentimetreStrokesAndLabelsAtNinetySixPixelsPerInch) {
    Rulers r;
    ASSERT_EQ(96, GetDeviceCaps(r.horizontal.Dc(), LOGPIXELSX));
    DrawUnitRuler(r.render, r.horizontal.Dc(), 1122, 21, 1, 0, 0);
    PixelGrid grid = ReadPixels(r.horizontal);
    // Every centimetre (37.8 pixels) a red stroke from 11 to 20: at 0, 38, 76, ...
    for (int x : {0, 38, 76, 113, 151}) {
        EXPECT_TRUE(grid.All(Column(x, 11, 21), kRedStroke)) << x;
        EXPECT_NE(kRedStroke, grid.At(x, 10)) << x;
    }
    // Half centimetres black from 14 (at 18.9 pixels), millimetres grey from 15 (at 3.8 pixels).
    EXPECT_TRUE(grid.All(Column(19, 14, 21), kBlackStroke));
    EXPECT_EQ(kBack, grid.At(19, 13));
    EXPECT_TRUE(grid.All(Column(4, 15, 21), kGreyStroke));
    EXPECT_EQ(kBack, grid.At(4, 14));
    // Labels 1, 2, 3 from 3 pixels before their stroke, none at 0; they sit above the strokes.
    EXPECT_TRUE(HasInk(grid, RECT{35, 0, 45, 11}));
    EXPECT_TRUE(HasInk(grid, RECT{73, 0, 83, 11}));
    EXPECT_FALSE(HasInk(grid, RECT{2, 0, 34, 11}));
    // The 0 % bar is a 1-pixel mark at the left end.
    EXPECT_TRUE(grid.All(Column(0, 1, 10), kBlackStroke));
    EXPECT_EQ(kBack, grid.At(1, 5));
}

TEST(DrawUnitRuler, VerticalScaleRunsDownwardsWithoutTheBar) {
    Rulers r;
    DrawUnitRuler(r.render, r.vertical.Dc(), 21, 1122, 1, 1, 0);
    PixelGrid grid = ReadPixels(r.vertical);
    for (int y : {0, 38, 76, 1096})
        EXPECT_TRUE(grid.All(Row(y, 11, 21), kRedStroke)) << y;
    EXPECT_TRUE(grid.All(Row(19, 14, 21), kBlackStroke));
    EXPECT_TRUE(HasInk(grid, RECT{0, 35, 11, 47}));
    EXPECT_EQ(kBack, grid.At(0, 5)); // no bar on the vertical ruler
}

TEST(DrawUnitRuler, InchStepsAndAPercentBarInPlaceOfTheScale) {
    Rulers r;
    DrawUnitRuler(r.render, r.horizontal.Dc(), 1122, 21, 0, 0, 0);
    PixelGrid inches = ReadPixels(r.horizontal);
    for (int x : {0, 96, 192})
        EXPECT_TRUE(inches.All(Column(x, 11, 21), kRedStroke)) << x;
    EXPECT_TRUE(inches.All(Column(48, 14, 21), kBlackStroke));
    EXPECT_TRUE(inches.All(Column(10, 15, 21), kGreyStroke)); // 9.6 pixels

    DrawUnitRuler(r.render, r.horizontal.Dc(), 1122, 21, 1, 0, 50);
    PixelGrid bar = ReadPixels(r.horizontal);
    EXPECT_EQ(0, bar.Count(RECT{0, 0, 1122, 21}, kRedStroke));
    EXPECT_TRUE(bar.All(Column(0, 1, 10), kBlackStroke));
    EXPECT_TRUE(bar.All(Column(560, 1, 10), kBlackStroke)); // 1120 x 50 / 100
    EXPECT_TRUE(bar.All(Row(1, 0, 561), kBlackStroke));
    EXPECT_TRUE(bar.All(Row(9, 0, 561), kBlackStroke));
    EXPECT_TRUE(bar.All(RECT{1, 2, 560, 9}, RGB(255, 255, 255)));
    EXPECT_TRUE(bar.All(RECT{561, 0, 1122, 21}, kBack));
}

TEST(DrawPixelRuler, StrokesEveryFivePixelsAndLabelsFromFifty) {
    Rulers r;
    DrawPixelRuler(r.render, r.horizontal.Dc(), 1122, 21, 1200, 0);
    PixelGrid grid = ReadPixels(r.horizontal);
    EXPECT_TRUE(grid.All(Column(10, 14, 21), kBlackStroke));
    EXPECT_EQ(kBack, grid.At(10, 13));
    EXPECT_TRUE(grid.All(Column(5, 15, 21), kBlackStroke));
    EXPECT_EQ(kBack, grid.At(5, 14));
    EXPECT_TRUE(grid.All(Column(0, 14, 21), kBlackStroke)); // no red and no label at 0
    EXPECT_FALSE(HasInk(grid, RECT{0, 0, 40, 13}));
    for (int p : {50, 100, 500, 1100}) {
        EXPECT_TRUE(grid.All(Column(p, 13, 21), kRedStroke)) << p;
        EXPECT_TRUE(HasInk(grid, RECT{p - 5, 0, p + 15, 13})) << p;
    }
    EXPECT_TRUE(grid.All(Column(60, 14, 21), kBlackStroke));
    EXPECT_EQ(kBack, grid.At(60, 13));
}

TEST(DrawPixelRuler, VerticalLabelsAreSmaller) {
    Rulers r;
    DrawPixelRuler(r.render, r.vertical.Dc(), 21, 1122, 1200, 1);
    PixelGrid vertical = ReadPixels(r.vertical);
    EXPECT_TRUE(vertical.All(Row(50, 13, 21), kRedStroke));
    EXPECT_TRUE(vertical.All(Row(55, 15, 21), kBlackStroke));
    RECT label = vertical.Ink(RECT{0, 40, 13, 50}, kBack);
    ASSERT_FALSE(IsEmpty(label));
    EXPECT_GE(label.top, 45);

    DrawPixelRuler(r.render, r.horizontal.Dc(), 1122, 21, 1200, 0);
    RECT horizontalLabel = ReadPixels(r.horizontal).Ink(RECT{45, 0, 65, 13}, kBack);
    EXPECT_LT(label.bottom - label.top, horizontalLabel.bottom - horizontalLabel.top + 1);
    EXPECT_LE(label.right - label.left, horizontalLabel.right - horizontalLabel.left);
}

TEST(DrawCellRuler, OneNumberedBoxPerColumnLaidOutAsTheCells) {
    Rulers r;
    Document doc = MakeGridDocument(10, 8, 24);
    DrawCellRuler(r.render, doc, r.horizontal.Dc(), 1122, 21, 0);
    PixelGrid grid = ReadPixels(r.horizontal);
    for (int j = 0; j < 10; ++j) {
        SCOPED_TRACE(j);
        const int left = j * 25 + 2;
        EXPECT_TRUE(grid.All(Column(left, 2, 21), kBlackStroke));
        EXPECT_TRUE(grid.All(Column(left + 23, 2, 21), kBlackStroke));
        EXPECT_TRUE(grid.All(Row(2, left, left + 24), kBlackStroke));
        EXPECT_TRUE(grid.All(Column(left + 24, 0, 21), kBack)); // the separation
        // The label, centred in the box.
        RECT label = grid.Ink(RECT{left + 1, 3, left + 23, 21}, kBack);
        ASSERT_FALSE(IsEmpty(label));
        EXPECT_NEAR(left + 12, (label.left + label.right) / 2, 3);
    }
    EXPECT_TRUE(grid.All(RECT{252, 0, 1122, 21}, kBack)); // ten boxes only
    EXPECT_EQ(24, r.render.spanWidth);
    EXPECT_EQ(24, r.render.spanHeight);
}

TEST(DrawCellRuler, NumbersKeepTheirShapeInABoxStretchedByTheZoom) {
    Rulers r;
    Document doc = MakeGridDocument(10, 8, 24);
    DrawCellRuler(r.render, doc, r.horizontal.Dc(), 1122, 21, 0);
    const RECT plain = ReadPixels(r.horizontal).Ink(RECT{3, 3, 25, 21}, kBack);
    // At 400 % on a 96-DPI screen: four times as long, as thick as before.
    Picture zoomed(1122, 21);
    {
        WorldScale scale(zoomed.Dc(), 4.0, 1.0, 0, 0);
        DrawCellRuler(r.render, doc, zoomed.Dc(), 1122 / 4, 21, 0);
    }
    const RECT label = ReadPixels(zoomed).Ink(RECT{12, 3, 100, 21}, kBack); // inside the first box
    ASSERT_FALSE(IsEmpty(label));
    EXPECT_NEAR(plain.right - plain.left, label.right - label.left, 1);
    EXPECT_NEAR(plain.bottom - plain.top, label.bottom - label.top, 1);
    EXPECT_NEAR(4 * 14, (label.left + label.right) / 2, 3) << "centred in the stretched box";
    EXPECT_EQ(24, r.render.spanWidth);
}

TEST(DrawCellRuler, VerticalBoxesPerRowWithLeftAlignedLabels) {
    Rulers r;
    Document doc = MakeGridDocument(10, 8, 32);
    DrawCellRuler(r.render, doc, r.vertical.Dc(), 21, 1122, 1);
    PixelGrid grid = ReadPixels(r.vertical);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const int top = i * 33 + 2;
        EXPECT_TRUE(grid.All(Row(top, 2, 21), kBlackStroke));
        EXPECT_TRUE(grid.All(Row(top + 31, 2, 21), kBlackStroke));
        EXPECT_TRUE(grid.All(Column(2, top, top + 32), kBlackStroke));
        RECT label = grid.Ink(RECT{3, top + 1, 21, top + 31}, kBack);
        ASSERT_FALSE(IsEmpty(label));
        EXPECT_GE(label.left, 7);
        EXPECT_LE(label.left, 9);
    }
    EXPECT_TRUE(grid.All(RECT{0, 8 * 33 + 2, 21, 1122}, kBack));
}

TEST(DrawRulerStyle, OtherStylesDrawNothing) {
    Rulers r;
    Document doc = MakeGridDocument(4, 4, 24);
    FillSolid(r.horizontal.Dc(), RECT{0, 0, 1122, 21}, RGB(1, 2, 3));
    DrawRulerStyle(r.render, doc, 4, r.horizontal.Dc(), 1122, 21, 0);
    EXPECT_TRUE(ReadPixels(r.horizontal).All(RECT{0, 0, 1122, 21}, RGB(1, 2, 3)));
    DrawRulerStyle(r.render, doc, 2, r.horizontal.Dc(), 1122, 21, 0);
    EXPECT_TRUE(ReadPixels(r.horizontal).All(Column(50, 13, 21), kRedStroke));
}
