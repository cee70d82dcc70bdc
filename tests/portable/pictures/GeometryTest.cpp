// The keep-proportions rule of the picture loader and the export offsets by line thickness.
#include "render/PictureGeometry.h"

#include <gtest/gtest.h>

TEST(KeepProportions, ShrinksOnlyAndKeepsTheImageShape) {
    int w = 50, h = 50;
    KeepProportions(400, 120, w, h); // relatively wider: the width fits
    EXPECT_EQ(50, w);
    EXPECT_EQ(15, h);

    w = 50, h = 50;
    KeepProportions(120, 400, w, h); // relatively taller: the height fits
    EXPECT_EQ(15, w);
    EXPECT_EQ(50, h);

    w = 50, h = 50;
    KeepProportions(20, 10, w, h); // smaller than the box: its own size, not stretched
    EXPECT_EQ(20, w);
    EXPECT_EQ(10, h);

    w = 100, h = 30;
    KeepProportions(90, 60, w, h); // fits in width but not in height
    EXPECT_EQ(45, w);
    EXPECT_EQ(30, h);

    w = 30, h = 30;
    KeepProportions(30, 30, w, h);
    EXPECT_EQ(30, w);
    EXPECT_EQ(30, h);
}

TEST(KeepProportions, RoundsTheShrunkSide) {
    int w = 50, h = 50;
    KeepProportions(300, 100, w, h); // 100 / 6 = 16.67
    EXPECT_EQ(17, h);
    w = 64, h = 64;
    KeepProportions(1000, 10, w, h); // 0.64 rounds to 1
    EXPECT_EQ(1, h);
}

TEST(ExportGeometry, OffsetAndExtraSizeByThickness) {
    struct Row {
        int thickness, offset, extra;
    };
    const Row rows[] = {{1, -2, 0}, {2, -1, 0}, {3, -1, 1}, {4, 0, 1}, {5, 0, 2}};
    for (const Row& row : rows) {
        ExportGeometry g = ExportGeometryFor(row.thickness);
        EXPECT_EQ(row.offset, g.offset) << row.thickness;
        EXPECT_EQ(row.extra, g.extra) << row.thickness;
        EXPECT_FALSE(g.clamped) << row.thickness;
    }
}

TEST(ExportGeometry, ThicknessOutsideTheTableTakesTheNearestRow) {
    ExportGeometry low = ExportGeometryFor(0);
    EXPECT_EQ(-2, low.offset);
    EXPECT_EQ(0, low.extra);
    EXPECT_TRUE(low.clamped);
    EXPECT_EQ(-2, ExportGeometryFor(-40).offset);

    ExportGeometry high = ExportGeometryFor(9);
    EXPECT_EQ(0, high.offset);
    EXPECT_EQ(2, high.extra);
    EXPECT_TRUE(high.clamped);
    EXPECT_EQ(2, ExportGeometryFor(1000).extra);
}
