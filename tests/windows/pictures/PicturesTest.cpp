// Cell pictures: scaling, transparency over the former colour, the loader's messages, and pictures
// kept between redraws only while their file is unchanged.
#include "PictureTestFiles.h"
#include "WinTestSupport.h"

#include "render/Pictures.h"
#include "ui/PictureMessages.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr uint32_t kOpaqueRed = 0xFFFF0000;
constexpr uint32_t kOpaqueBlue = 0xFF0000FF;

// A target cleared to green, so that anything drawn on it shows.
Picture GreenTarget(int width = 120, int height = 120) {
    Picture target(width, height);
    RECT all{0, 0, width, height};
    FillSolid(target.Dc(), all, kGreen);
    return target;
}

// Left half red, right half blue.
uint32_t HalfAndHalf(int x, int width) {
    return x < width / 2 ? kOpaqueRed : kOpaqueBlue;
}

} // namespace

TEST(CellPicture, TransparentAreasShowTheFormerColour) {
    TempFolder folder;
    std::wstring png = folder.Path(L"half.png");
    // Left half opaque blue, right half fully transparent.
    ASSERT_TRUE(WriteTestImage(png, 40, 40, [](int x, int) { return x < 20 ? kOpaqueBlue : 0x00000000u; }));

    Picture loaded = LoadCellPicture(png, 48, 48, 0x00FFFF);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(RGB(0, 0, 255), PixelAt(loaded.Dc(), 8, 24));
    EXPECT_EQ(kYellow, PixelAt(loaded.Dc(), 40, 24));

    PictureCache cache;
    Picture target = GreenTarget();
    DrawPictureFile(cache, target.Dc(), png, 11, 11, 48, 48, 0x00FFFF);
    EXPECT_EQ(RGB(0, 0, 255), PixelAt(target.Dc(), 18, 35));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{45, 20, 55, 50}, kYellow));
}

TEST(CellPicture, IsStretchedToTheInsideOfTheBox) {
    TempFolder folder;
    std::wstring png = folder.Path(L"wide.png");
    ASSERT_TRUE(WriteTestImage(png, 400, 100, [](int x, int) { return HalfAndHalf(x, 400); }));

    Picture loaded = LoadCellPicture(png, 48, 48, 0xFFFFFF);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(48, loaded.Width());
    EXPECT_EQ(48, loaded.Height());

    // Put at (11, 11) it covers (11, 11) .. (58, 58), the whole image squeezed in (red left, blue
    // right, from top to bottom).
    PictureCache cache;
    Picture target = GreenTarget();
    DrawPictureFile(cache, target.Dc(), png, 11, 11, 48, 48, 0xFFFFFF);
    EXPECT_EQ(0, CountPixels(target.Dc(), RECT{11, 11, 59, 59}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{10, 0, 11, 120}, kGreen)); // the outline's place is left alone
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{59, 0, 60, 120}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 10, 120, 11}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 59, 120, 60}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{13, 13, 32, 57}, RGB(255, 0, 0)));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{38, 13, 57, 57}, RGB(0, 0, 255)));
}

TEST(GraphicLoadImageFileToBitmap, KeepsProportionsWithoutEnlarging) {
    TempFolder folder;
    std::wstring wide = folder.Path(L"400x120.png");
    std::wstring small = folder.Path(L"20x10.png");
    ASSERT_TRUE(WriteTestImage(wide, 400, 120, [](int, int) { return kOpaqueRed; }));
    ASSERT_TRUE(WriteTestImage(small, 20, 10, [](int, int) { return kOpaqueRed; }));
    MessageBoxRecorder boxes;

    Picture p = GraphicLoadImageFileToBitmap(wide, 0xFFFFFF, 50, 50, 0, nullptr);
    ASSERT_TRUE(p);
    EXPECT_EQ(50, p.Width());
    EXPECT_EQ(15, p.Height());

    p = GraphicLoadImageFileToBitmap(small, 0xFFFFFF, 50, 50, 0, nullptr);
    ASSERT_TRUE(p);
    EXPECT_EQ(20, p.Width());
    EXPECT_EQ(10, p.Height());
    EXPECT_TRUE(RegionIs(p.Dc(), RECT{2, 2, 18, 8}, RGB(255, 0, 0)));

    p = GraphicLoadImageFileToBitmap(wide, 0xFFFFFF, 0, 0, 0, nullptr); // the image's own size
    ASSERT_TRUE(p);
    EXPECT_EQ(400, p.Width());
    EXPECT_EQ(120, p.Height());

    p = GraphicLoadImageFileToBitmap(wide, 0xFFFFFF, 200, 0, 0, nullptr); // height from the image
    ASSERT_TRUE(p);
    EXPECT_EQ(200, p.Width());
    EXPECT_EQ(60, p.Height());

    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(GraphicLoadImageFileToBitmap, ZeroSizeWithStretchGivesNothingSilently) {
    TempFolder folder;
    std::wstring png = folder.Path(L"a.png");
    ASSERT_TRUE(WriteTestImage(png, 10, 10, [](int, int) { return kOpaqueRed; }));
    MessageBoxRecorder boxes;
    EXPECT_FALSE(GraphicLoadImageFileToBitmap(png, 0, 0, 20, 1, nullptr));
    EXPECT_FALSE(GraphicLoadImageFileToBitmap(png, 0, 20, 0, 1, nullptr));
    // Even for a missing file: the size is checked first.
    EXPECT_FALSE(GraphicLoadImageFileToBitmap(folder.Path(L"none.png"), 0, 0, 0, 1, nullptr));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(GraphicLoadImageFileToBitmap, ReportsMissingAndUndecodableFiles) {
    TempFolder folder;
    std::wstring missing = folder.Path(L"gone.png");
    std::wstring broken = folder.Path(L"broken.png");
    ASSERT_TRUE(WriteBytes(broken, "this is not a picture"));
    MessageBoxRecorder boxes;
    PictureCache cache;
    for (const std::wstring& path : {missing, broken}) {
        std::wstring problem;
        EXPECT_FALSE(GraphicLoadImageFileToBitmap(path, 0, 30, 30, 1, &problem));
        cache.problems.push_back({path, problem});
    }
    EXPECT_TRUE(boxes.Shown().empty()); // the loader only says what went wrong
    ReportPictureProblems(cache, nullptr);
    ASSERT_EQ(2u, boxes.Shown().size());
    EXPECT_EQ(L"[GraphicLoadImageFileToBitmap] called on <" + missing + L"> Missing file",
              boxes.Shown()[0].text);
    EXPECT_EQ(L"[GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] read error on <" + broken + L">",
              boxes.Shown()[1].text);
    for (const ShownMessage& shown : boxes.Shown()) {
        EXPECT_EQ(L"Programador", shown.caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK), shown.type & MB_TYPEMASK);
        EXPECT_TRUE(shown.type & MB_TASKMODAL);
        EXPECT_TRUE(shown.type & MB_SETFOREGROUND);
    }
}

TEST(CellPicture, FileGoneSinceItWasLookedForIsReportedByTheLoader) {
    TempFolder folder;
    MessageBoxRecorder boxes;
    PictureCache cache;
    Picture target = GreenTarget();
    DrawPictureFile(cache, target.Dc(), folder.Path(L"gone.png"), 11, 11, 48, 48, 0xFFFFFF);
    ReportPictureProblems(cache, nullptr);
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(L"[GraphicLoadImageFileToBitmap] called on <" + folder.Path(L"gone.png") + L"> Missing file",
              boxes.Shown()[0].text);
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 0, 120, 120}, kGreen));
}

TEST(PictureCacheOnDisk, KeptPictureIsTheSameAsAFreshlyLoadedOne) {
    TempFolder folder;
    std::wstring png = folder.Path(L"gradient.png");
    ASSERT_TRUE(WriteTestImage(png, 300, 200, [](int x, int y) {
        return 0xFF000000u | uint32_t(x * 255 / 300) << 16 | uint32_t(y * 255 / 200) << 8 |
               uint32_t((x + y) & 0xFF);
    }));
    PictureCache cache;
    Picture first = GreenTarget();
    Picture second = GreenTarget();
    DrawPictureFile(cache, first.Dc(), png, 11, 11, 78, 58, 0xFFFFFF);
    ASSERT_EQ(1u, cache.entries.size());
    DrawPictureFile(cache, second.Dc(), png, 11, 11, 78, 58, 0xFFFFFF);
    EXPECT_EQ(ReadPixels(first.Dc(), 120, 120), ReadPixels(second.Dc(), 120, 120));
}

TEST(PictureCacheOnDisk, ChangedFileShowsItsNewContentAtTheNextRedraw) {
    TempFolder folder;
    std::wstring png = folder.Path(L"photo.png");
    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueRed; }));
    PictureCache cache;
    Picture target = GreenTarget();
    DrawPictureFile(cache, target.Dc(), png, 11, 11, 48, 48, 0xFFFFFF);
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(target.Dc(), 35, 35));

    // Same size on disk, new content, later write time.
    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueBlue; }));
    ASSERT_TRUE(ShiftLastWriteTime(png, 10));
    DrawPictureFile(cache, target.Dc(), png, 11, 11, 48, 48, 0xFFFFFF);
    EXPECT_EQ(RGB(0, 0, 255), PixelAt(target.Dc(), 35, 35));

    // Other dimensions, so another size on disk, written within the same second.
    ASSERT_TRUE(WriteTestImage(png, 31, 30, [](int, int) { return 0xFF00FF00u; }));
    DrawPictureFile(cache, target.Dc(), png, 11, 11, 48, 48, 0xFFFFFF);
    EXPECT_EQ(RGB(0, 255, 0), PixelAt(target.Dc(), 35, 35));
}

TEST(PictureCacheOnDisk, DeletedOrBrokenFileBehavesAsIfNothingWereKept) {
    TempFolder folder;
    std::wstring png = folder.Path(L"photo.png");
    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueRed; }));
    PictureCache cache;
    Picture target = GreenTarget();
    DrawPictureFile(cache, target.Dc(), png, 11, 11, 48, 48, 0xFFFFFF);

    MessageBoxRecorder boxes;
    ASSERT_TRUE(DeleteFileW(png.c_str()));
    Picture afterDelete = GreenTarget();
    DrawPictureFile(cache, afterDelete.Dc(), png, 11, 11, 48, 48, 0xFFFFFF);
    ReportPictureProblems(cache, nullptr);
    EXPECT_TRUE(RegionIs(afterDelete.Dc(), RECT{0, 0, 120, 120}, kGreen));
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_NE(std::wstring::npos, boxes.Shown()[0].text.find(L"Missing file"));

    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueRed; }));
    DrawPictureFile(cache, target.Dc(), png, 11, 11, 48, 48, 0xFFFFFF); // kept again
    ASSERT_EQ(1u, cache.entries.size());
    ASSERT_TRUE(WriteBytes(png, "broken now"));
    Picture afterBreak = GreenTarget();
    DrawPictureFile(cache, afterBreak.Dc(), png, 11, 11, 48, 48, 0xFFFFFF);
    ReportPictureProblems(cache, nullptr);
    EXPECT_EQ(2u, boxes.Shown().size());
    EXPECT_TRUE(RegionIs(afterBreak.Dc(), RECT{0, 0, 120, 120}, kGreen));
    EXPECT_TRUE(cache.entries.empty());
}
