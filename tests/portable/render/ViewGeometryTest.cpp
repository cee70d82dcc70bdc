// The zoom's arithmetic: canvas pixels to table pixels, the scroll floors and the zoom steps.
#include "render/ViewGeometry.h"

#include <gtest/gtest.h>

TEST(ViewGeometry, CanvasPixelsMapToTablePixelsAndBackAtEveryZoom) {
    // From 100 % up every table pixel has canvas pixels of its own.
    for (int zoom : {100, 150, 200, 400})
        for (int offset : {0, -37, 50})
            for (int table : {0, 1, 24, 25, 1121}) {
                const int canvas = TableToCanvas(table, offset, zoom);
                EXPECT_EQ(table, CanvasToTable(canvas, offset, zoom))
                    << zoom << " " << offset << " " << table;
                if (table > 0) {
                    EXPECT_EQ(table - 1, CanvasToTable(canvas - 1, offset, zoom)) << zoom;
                }
            }
    EXPECT_EQ(2, CanvasToTable(TableToCanvas(1, 0, 50), 0, 50)) << "two table pixels to a canvas pixel";
    // At 100 % the table pixel is the canvas pixel less the offset, truncated toward zero elsewhere.
    EXPECT_EQ(90, CanvasToTable(40, -50, 100));
    EXPECT_EQ(-6, CanvasToTable(40, 50, 150));
    EXPECT_EQ(33, CanvasToTable(50, 0, 150));
}

TEST(ViewGeometry, FloorsGrowWhereTheViewIsShorterThanTheZoomedPicture) {
    EXPECT_EQ(-561, VerticalScrollFloor(936, 1122, 100)); // the specified window
    EXPECT_EQ(-722, VerticalScrollFloor(400, 1122, 100)); // the whole picture can be reached
    EXPECT_EQ(-1122 * 4 + 600, VerticalScrollFloor(600, 1122, 400));
    EXPECT_EQ(0, HorizontalScrollFloor(1122, 1122, 100));
    EXPECT_EQ(-1683 + 1000, HorizontalScrollFloor(1000, 1122, 150));
    EXPECT_EQ(0, HorizontalScrollFloor(1000, 1122, 50));
}

TEST(ViewGeometry, ZoomStepsDefaultsAndAnchors) {
    EXPECT_EQ(150, NextZoomStep(100, 1));
    EXPECT_EQ(75, NextZoomStep(100, -1));
    EXPECT_EQ(400, NextZoomStep(400, 1));
    EXPECT_EQ(50, NextZoomStep(50, -1));
    EXPECT_EQ(150, NextZoomStep(125, 1));
    EXPECT_EQ(100, ZoomForDpi(96));
    EXPECT_EQ(125, ZoomForDpi(120));
    EXPECT_EQ(150, ZoomForDpi(144));
    EXPECT_EQ(400, ZoomToFit(10000, 1122));
    EXPECT_EQ(89, ZoomToFit(1000, 1122));
    // The table pixel under the anchor stays under it.
    const int offset = OffsetKeepingAnchor(300, -40, 100, 200);
    EXPECT_EQ(CanvasToTable(300, -40, 100), CanvasToTable(300, offset, 200));
}
