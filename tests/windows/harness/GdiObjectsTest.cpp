// The GDI owners: pictures, selections and moves.
#include "WinTestSupport.h"

#include <gtest/gtest.h>

TEST(Picture, IsDrawableAndReleasesOnReset) {
    Picture p(40, 30);
    ASSERT_TRUE(p);
    EXPECT_EQ(40, p.Width());
    RECT all{0, 0, 40, 30};
    FillSolid(p.Dc(), all, RGB(10, 20, 30));
    EXPECT_TRUE(RegionIs(p.Dc(), all, RGB(10, 20, 30)));
    p.Reset();
    EXPECT_FALSE(p);
}

TEST(Picture, MoveHandsTheBitmapOver) {
    Picture a(8, 8);
    RECT all{0, 0, 8, 8};
    FillSolid(a.Dc(), all, RGB(255, 0, 0));
    Picture b = std::move(a);
    EXPECT_FALSE(a);
    ASSERT_TRUE(b);
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(b.Dc(), 3, 3));
    Picture c(2, 2);
    c = std::move(b);
    EXPECT_EQ(8, c.Width());
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(c.Dc(), 7, 7));
}

TEST(ScopedSelect, PutsThePreviousObjectBack) {
    Picture p(4, 4);
    HGDIOBJ before = GetCurrentObject(p.Dc(), OBJ_PEN);
    PenHandle red(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    {
        ScopedSelect select(p.Dc(), red.Get());
        EXPECT_EQ(red.Get(), GetCurrentObject(p.Dc(), OBJ_PEN));
    }
    EXPECT_EQ(before, GetCurrentObject(p.Dc(), OBJ_PEN));
}

TEST(GdiObject, MoveLeavesTheSourceEmpty) {
    BrushHandle a(CreateSolidBrush(RGB(1, 2, 3)));
    HBRUSH raw = a.Get();
    BrushHandle b(std::move(a));
    EXPECT_EQ(nullptr, a.Get());
    EXPECT_EQ(raw, b.Get());
    LOGBRUSH info{};
    EXPECT_EQ(static_cast<int>(sizeof info), GetObjectW(b.Get(), sizeof info, &info));
    EXPECT_EQ(RGB(1, 2, 3), info.lbColor);
}
