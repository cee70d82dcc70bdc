// The chart's place on a printed page: fitted, proportions kept on paper, centred on the sheet.
#include "render/PagePlacement.h"

#include <gtest/gtest.h>

#include <utility>

TEST(PlaceChartOnPage, FitsTheTighterSideKeepsTheShapeAndCentresOnTheSheet) {
    // Unequal margins (left 100, right 300, top 50, bottom 400) must not push the chart off centre.
    const PrinterPage page{2000, 3000, 100, 50, 1600, 2550, 300, 300};
    for (auto [w, h] : {std::pair{1000, 1000}, {1000, 10}, {10, 1000}, {3, 2}}) {
        const PagePlace p = PlaceChartOnPage(w, h, page);
        const int left = p.left + page.printableLeft, top = p.top + page.printableTop;
        EXPECT_NEAR(2000 - (left + p.width), left, 1) << w << "x" << h;
        EXPECT_NEAR(3000 - (top + p.height), top, 1) << w << "x" << h;
        EXPECT_GE(p.left, 0);
        EXPECT_GE(p.top, 0);
        EXPECT_LE(p.left + p.width, page.printableWidth);
        EXPECT_LE(p.top + p.height, page.printableHeight);
        // As large as the centred band allows (1400 x 2200), on one side at least.
        EXPECT_TRUE(p.width >= 1399 || p.height >= 2199) << w << "x" << h;
        EXPECT_NEAR(double(w) / h, double(p.width) / p.height, double(w) / h * 0.01 + 0.01);
    }
}

TEST(PlaceChartOnPage, KeepsTheShapeOnPaperWhenDotsAreNotSquare) {
    // Letter at 600 x 300 dpi: a square chart spans the width and as many inches, half the dots, down.
    const PagePlace p = PlaceChartOnPage(400, 400, PrinterPage{5100, 3300, 0, 0, 5100, 3300, 600, 300});
    EXPECT_EQ(5100, p.width);
    EXPECT_EQ(2550, p.height);
    EXPECT_EQ(0, PlaceChartOnPage(0, 100, PrinterPage{5100, 3300, 0, 0, 5100, 3300, 600, 300}).width);
    EXPECT_EQ(0, PlaceChartOnPage(100, 100, PrinterPage{}).width);
}

TEST(PrefersLandscape, OnlyWhenWiderThanTall) {
    EXPECT_TRUE(PrefersLandscape(1155, 800));
    EXPECT_FALSE(PrefersLandscape(800, 800));
    EXPECT_FALSE(PrefersLandscape(600, 900));
}
