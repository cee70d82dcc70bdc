// The chart's place on a printed page: fitted, proportions kept on paper, centred on the sheet.
#include "render/PagePlacement.h"

#include <gtest/gtest.h>

namespace {

// A4 at 600 dpi with equal quarter-inch margins, portrait or landscape.
PrinterPage A4(bool landscape) {
    PrinterPage page{4960, 7016, 150, 150, 4660, 6716, 600, 600};
    if (landscape) page = {7016, 4960, 150, 150, 6716, 4660, 600, 600};
    return page;
}

// The place as a rectangle on the sheet.
struct OnSheet {
    int left, top, right, bottom;
};
OnSheet Sheet(const PagePlace& p, const PrinterPage& page) {
    return {p.left + page.printableLeft, p.top + page.printableTop, p.left + page.printableLeft + p.width,
            p.top + page.printableTop + p.height};
}

} // namespace

TEST(PlaceChartOnPage, FillsTheTighterSideKeepsTheShapeAndCentres) {
    const PrinterPage landscape = A4(true);
    // A wide chart (3:1) is limited by the width: it spans the printable width, centred down.
    PagePlace p = PlaceChartOnPage(900, 300, landscape);
    EXPECT_EQ(0, p.left);
    EXPECT_EQ(6716, p.width);
    EXPECT_NEAR(6716 / 3.0, p.height, 1);
    OnSheet s = Sheet(p, landscape);
    EXPECT_NEAR(7016 - s.right, s.left, 1);
    EXPECT_NEAR(4960 - s.bottom, s.top, 1);

    // A small tall chart is enlarged to the printable height of a portrait page.
    const PrinterPage portrait = A4(false);
    p = PlaceChartOnPage(100, 200, portrait);
    EXPECT_EQ(0, p.top);
    EXPECT_EQ(6716, p.height);
    EXPECT_NEAR(3358, p.width, 1);
    s = Sheet(p, portrait);
    EXPECT_NEAR(4960 - s.right, s.left, 1);
}

TEST(PlaceChartOnPage, StaysCentredOnTheSheetWithUnequalMargins) {
    // Left margin 100, right margin 300; top 50, bottom 400 (a printer with a wide lower edge).
    const PrinterPage page{2000, 3000, 100, 50, 1600, 2550, 300, 300};
    for (auto [w, h] : {std::pair{1000, 1000}, {1000, 10}, {10, 1000}}) {
        const PagePlace p = PlaceChartOnPage(w, h, page);
        const OnSheet s = Sheet(p, page);
        EXPECT_NEAR(2000 - s.right, s.left, 1) << w << "x" << h;
        EXPECT_NEAR(3000 - s.bottom, s.top, 1) << w << "x" << h;
        // Never outside the printable area.
        EXPECT_GE(p.left, 0);
        EXPECT_GE(p.top, 0);
        EXPECT_LE(p.left + p.width, page.printableWidth);
        EXPECT_LE(p.top + p.height, page.printableHeight);
        EXPECT_NEAR(double(w) / h, double(p.width) / p.height, double(w) / h * 0.01 + 0.01);
    }
}

TEST(PlaceChartOnPage, KeepsTheShapeOnPaperWhenDotsAreNotSquare) {
    // Letter at 600 x 300 dpi (8.5 x 11 inches): a square chart spans the width and is as many
    // inches down, half as many dots.
    const PrinterPage page{5100, 3300, 0, 0, 5100, 3300, 600, 300};
    const PagePlace p = PlaceChartOnPage(400, 400, page);
    EXPECT_EQ(5100, p.width);
    EXPECT_EQ(2550, p.height);
}

TEST(PlaceChartOnPage, NothingToPlaceGivesAnEmptyPlace) {
    const PrinterPage page = A4(false);
    EXPECT_EQ(0, PlaceChartOnPage(0, 100, page).width);
    EXPECT_EQ(0, PlaceChartOnPage(100, 100, PrinterPage{}).width);
}

TEST(PrefersLandscape, OnlyWhenWiderThanTall) {
    EXPECT_TRUE(PrefersLandscape(1155, 800));
    EXPECT_FALSE(PrefersLandscape(800, 800));
    EXPECT_FALSE(PrefersLandscape(600, 900));
}
