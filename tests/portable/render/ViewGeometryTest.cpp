// The zoom's arithmetic: canvas pixels to table pixels, the scroll floors and the zoom steps.
#include "render/ViewGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

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

// "Whole chart" on random rectangles and views: at the zoom chosen the rectangle lies inside the
// view, one step of zoom more would not hold it (unless the zoom is at its top), and where the
// offsets' ranges allow it the rectangle is centred.
TEST(ViewGeometry, FitInViewShowsTheWholeRectangleAtTheLargestZoomThatHoldsIt) {
    uint32_t seed = 99;
    auto any = [&](int low, int high) {
        seed = seed * 1664525u + 1013904223u;
        return low + int((seed >> 8) % uint32_t(high - low + 1));
    };
    for (int round = 0; round < 2000; ++round) {
        const int viewWidth = any(200, 1900), viewHeight = any(150, 1000);
        const int left = any(0, 1000), top = any(0, 1000);
        const int right = std::min(left + any(20, 1100), 1122), bottom = std::min(top + any(20, 1100), 1122);
        const ViewPlace place = FitInView(viewWidth, viewHeight, 1122, left, top, right, bottom);
        SCOPED_TRACE(::testing::Message() << viewWidth << "x" << viewHeight << " [" << left << "," << top
                                          << ")-[" << right << "," << bottom << ") zoom " << place.zoom);
        ASSERT_GE(place.zoom, kMinZoom);
        ASSERT_LE(place.zoom, kMaxZoom);
        const bool fitsAtAll = ZoomedLength(right - left, kMinZoom) <= viewWidth &&
                               ZoomedLength(bottom - top, kMinZoom) <= viewHeight;
        if (fitsAtAll) {
            EXPECT_GE(TableToCanvas(left, place.offsetX, place.zoom), 0);
            EXPECT_GE(TableToCanvas(top, place.offsetY, place.zoom), 0);
            EXPECT_LE(TableToCanvas(right, place.offsetX, place.zoom), viewWidth + 1);
            EXPECT_LE(TableToCanvas(bottom, place.offsetY, place.zoom), viewHeight + 1);
        }
        // Exactly: a table pixel shown only in part does not count as shown.
        const auto holds = [&](int zoom) {
            return int64_t(right - left) * zoom <= int64_t(viewWidth) * 100 &&
                   int64_t(bottom - top) * zoom <= int64_t(viewHeight) * 100;
        };
        if (place.zoom > kMinZoom) {
            EXPECT_TRUE(holds(place.zoom));
        }
        if (place.zoom < kMaxZoom && place.zoom > kMinZoom) {
            EXPECT_FALSE(holds(place.zoom + 1));
        }
        EXPECT_LE(place.offsetX, 0);
        EXPECT_LE(place.offsetY, 0);
        EXPECT_GE(place.offsetX, HorizontalScrollFloor(viewWidth, 1122, place.zoom));
        // Centred unless the offset sits at one end of its range.
        const int margin = TableToCanvas(left, place.offsetX, place.zoom) -
                           (viewWidth - TableToCanvas(right, place.offsetX, place.zoom));
        if (place.offsetX < 0 && place.offsetX > HorizontalScrollFloor(viewWidth, 1122, place.zoom)) {
            EXPECT_LE(std::abs(margin), 3);
        }
    }
}
