// The chart's place on a PDF sheet against the printer's placement of the same chart on a printer
// whose sheet is the paper and whose printable area leaves the margin; page ranges and paper names.
#include "render/PagePlacement.h"
#include "render/PdfSheets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

TEST(PdfSheets, ChartLandsWhereThePrinterWouldPrintItOnThatPaper) {
    std::mt19937 random(3);
    constexpr double kDots = 7200; // a printer of 1/100 point
    for (int i = 0; i < 200; ++i) {
        const int width = 1 + int(random() % 5000), height = 1 + int(random() % 5000);
        const PdfPaper paper = PdfPaper(random() % 3);
        const PdfSheet sheet = PdfSheetFor(width, height, paper);
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        EXPECT_EQ(width > height, sheet.width > sheet.height);
        const int margin = int(std::lround(kPdfMargin * 100));
        PrinterPage printer{int(std::lround(sheet.width * 100)),
                            int(std::lround(sheet.height * 100)),
                            margin,
                            margin,
                            int(std::lround(sheet.width * 100)) - 2 * margin,
                            int(std::lround(sheet.height * 100)) - 2 * margin,
                            int(kDots),
                            int(kDots)};
        const PagePlace place = PlaceChartOnPage(width, height, printer);
        EXPECT_NEAR(place.width / 100.0, width * sheet.scale, 0.02);
        EXPECT_NEAR(place.height / 100.0, height * sheet.scale, 0.02);
        EXPECT_NEAR((place.left + margin) / 100.0, sheet.left, 0.02);
        EXPECT_NEAR((place.top + margin) / 100.0, sheet.top, 0.02);
    }
    const PdfSheet own = PdfSheetFor(800, 600, PdfPaper::Chart);
    EXPECT_EQ(600, own.width);
    EXPECT_EQ(450, own.height);
}

TEST(PdfSheets, PageRangesAndPaperNames) {
    struct Case {
        const char16_t* text;
        bool valid;
        int first, last;
    };
    const Case cases[] = {{u"1-3", true, 0, 2},  {u"2", true, 1, 1},    {u"4-4", true, 3, 3},
                          {u"0-2", false, 0, 0}, {u"3-2", false, 0, 0}, {u"1-5", false, 0, 0},
                          {u"-2", false, 0, 0},  {u"1-", false, 0, 0},  {u"a", false, 0, 0},
                          {u"", false, 0, 0},    {u"1 -2", false, 0, 0}};
    for (const Case& c : cases) {
        int first = -1, last = -1;
        EXPECT_EQ(c.valid, ParsePageRange(c.text, 4, first, last));
        if (c.valid) {
            EXPECT_EQ(std::make_pair(c.first, c.last), std::make_pair(first, last));
        }
    }
    PdfPaper paper = PdfPaper::A4;
    EXPECT_TRUE(ParsePdfPaper(u"LETTER", paper) && paper == PdfPaper::Letter);
    EXPECT_TRUE(ParsePdfPaper(u"chart", paper) && paper == PdfPaper::Chart);
    EXPECT_FALSE(ParsePdfPaper(u"A5", paper));
}
