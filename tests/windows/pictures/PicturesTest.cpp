// Cell pictures and icons: scaling, transparency over the former colour, the loader's messages,
// the placeholders of missing files, and pictures kept between redraws only while their file is
// unchanged.
#include "PictureTestFiles.h"
#include "WinTestSupport.h"

#include "render/Pictures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kGrid = RGB(0, 0, 160);
constexpr uint32_t kOpaqueRed = 0xFFFF0000;
constexpr uint32_t kOpaqueBlue = 0xFF0000FF;

std::string Narrow(const std::wstring& wide) {
    int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), n, nullptr, nullptr);
    text.resize(static_cast<size_t>(n) - 1);
    return text;
}

CellRecord PictureCell(const std::wstring& path, int32_t formerColour) {
    CellRecord cell{};
    cell.backColor = -2;
    AssignField(cell.imageSpec, Narrow(path) + "|" + std::to_string(formerColour));
    return cell;
}

CellRecord IconCell(const std::wstring& path) {
    CellRecord cell{};
    AssignField(cell.iconPath, Narrow(path));
    return cell;
}

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

    // Through the cell: the former colour is the second field of the image text.
    PictureCache cache;
    Picture target = GreenTarget();
    DrawCellPicture(cache, target.Dc(), PictureCell(png, 0x00FFFF), 10, 10, 60, 60, 1, kGrid);
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

    // A 50 x 50 box at (10, 10) with thickness 1: the picture covers (11, 11) .. (58, 58), the
    // whole image squeezed in (red left, blue right, from top to bottom).
    PictureCache cache;
    Picture target = GreenTarget();
    DrawCellPicture(cache, target.Dc(), PictureCell(png, 0xFFFFFF), 10, 10, 60, 60, 1, kGrid);
    EXPECT_EQ(0, CountPixels(target.Dc(), RECT{11, 11, 59, 59}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{10, 0, 11, 120}, kGreen)); // the outline's place is left alone
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{59, 0, 60, 120}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 10, 120, 11}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 59, 120, 60}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{13, 13, 32, 57}, RGB(255, 0, 0)));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{38, 13, 57, 57}, RGB(0, 0, 255)));
}

TEST(CellPicture, ThicknessMovesAndShrinksThePicture) {
    TempFolder folder;
    std::wstring png = folder.Path(L"red.png");
    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueRed; }));
    PictureCache cache;

    // Box (10, 10) .. (60, 60). Thickness 3: 46 x 46 from (12, 12); thickness 5: 44 x 44 from (13, 13).
    struct Row {
        int thickness, first, size;
    };
    for (Row row : {Row{3, 12, 46}, Row{5, 13, 44}}) {
        Picture target = GreenTarget();
        DrawCellPicture(cache, target.Dc(), PictureCell(png, 0xFFFFFF), 10, 10, 60, 60, row.thickness, kGrid);
        int last = row.first + row.size; // one past the picture
        // Exactly the picture's square is covered; GDI+ blends the image's last row and column
        // with the fill, so the solid red is checked one pixel inside.
        EXPECT_EQ(120 * 120 - row.size * row.size, CountPixels(target.Dc(), RECT{0, 0, 120, 120}, kGreen))
            << row.thickness;
        EXPECT_EQ(0, CountPixels(target.Dc(), RECT{row.first, row.first, last, last}, kGreen))
            << row.thickness;
        EXPECT_TRUE(RegionIs(target.Dc(), RECT{row.first, row.first, last - 1, last - 1}, RGB(255, 0, 0)))
            << row.thickness;
    }

    // Thickness 6 has no place for a picture: nothing is drawn and nothing is said.
    MessageBoxRecorder boxes;
    Picture target = GreenTarget();
    DrawCellPicture(cache, target.Dc(), PictureCell(png, 0xFFFFFF), 10, 10, 60, 60, 6, kGrid);
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 0, 120, 120}, kGreen));
    EXPECT_TRUE(boxes.Shown().empty());
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

    EXPECT_FALSE(GraphicLoadImageFileToBitmap(missing, 0, 30, 30, 1, nullptr));
    EXPECT_FALSE(GraphicLoadImageFileToBitmap(broken, 0, 30, 30, 1, nullptr));
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

TEST(CellPicture, UndecodableFileIsReportedAtEveryRedrawAndLeavesTheBoxHollow) {
    TempFolder folder;
    std::wstring broken = folder.Path(L"broken.jpg");
    ASSERT_TRUE(WriteBytes(broken, std::string(5000, 'x')));
    MessageBoxRecorder boxes;
    PictureCache cache;
    Picture target = GreenTarget();
    for (int redraw = 0; redraw < 2; ++redraw)
        DrawCellPicture(cache, target.Dc(), PictureCell(broken, 0xFFFFFF), 10, 10, 60, 60, 1, kGrid);
    ASSERT_EQ(2u, boxes.Shown().size());
    EXPECT_NE(std::wstring::npos, boxes.Shown()[1].text.find(L"read error on <" + broken + L">"));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 0, 120, 120}, kGreen));
}

TEST(CellPicture, MissingOrEmptyPathShowsTheCrossHatchedPlaceholder) {
    TempFolder folder;
    MessageBoxRecorder boxes;
    PictureCache cache;
    for (const std::wstring& path : {folder.Path(L"gone.png"), std::wstring()}) {
        Picture target = GreenTarget();
        DrawCellPicture(cache, target.Dc(), PictureCell(path, 0xFFFFFF), 10, 10, 60, 60, 1, kGrid);
        // Outline in the grid colour along the box, silver hatch lines inside, the rest untouched.
        EXPECT_TRUE(RegionIs(target.Dc(), RECT{10, 10, 60, 11}, kGrid));
        EXPECT_TRUE(RegionIs(target.Dc(), RECT{10, 10, 11, 60}, kGrid));
        EXPECT_TRUE(RegionIs(target.Dc(), RECT{59, 10, 60, 60}, kGrid));
        int silver = CountPixels(target.Dc(), RECT{11, 11, 59, 59}, kSilver);
        int green = CountPixels(target.Dc(), RECT{11, 11, 59, 59}, kGreen);
        EXPECT_GT(silver, 48 * 48 / 8);
        EXPECT_GT(green, 48 * 48 / 2); // the gaps show what was below
        EXPECT_EQ(48 * 48, silver + green);
        EXPECT_TRUE(RegionIs(target.Dc(), RECT{61, 0, 120, 120}, kGreen));
    }
    EXPECT_TRUE(boxes.Shown().empty()); // a missing file is no error when drawing
}

TEST(CellIcon, DrawnOverTheBoxWithItsTransparency) {
    TempFolder folder;
    std::wstring ico = folder.Path(L"half.ico");
    // Left half opaque red, right half transparent.
    ASSERT_TRUE(WriteTestIcon(ico, 16, [](int x, int) { return x < 8 ? kOpaqueRed : 0x00000000u; }));
    Picture target = GreenTarget();
    // Box at (10, 10), drawn size 32 x 32, thickness 2: the icon covers (12, 12) .. (43, 43).
    DrawCellIcon(target.Dc(), IconCell(ico), 10, 10, 32, 32, 2);
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{12, 12, 27, 44}, RGB(255, 0, 0)));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{29, 0, 120, 120}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 0, 12, 120}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 44, 120, 120}, kGreen));
}

TEST(CellIcon, MissingFileShowsTheSilverBoxAndAnUnreadableOneNothing) {
    TempFolder folder;
    Picture target = GreenTarget();
    // Thickness 1, box at (10, 10), 30 x 20: silver box from (11, 11) to (40, 30), black outline.
    DrawCellIcon(target.Dc(), IconCell(folder.Path(L"gone.ico")), 10, 10, 30, 20, 1);
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{11, 11, 40, 12}, RGB(0, 0, 0)));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{11, 11, 12, 30}, RGB(0, 0, 0)));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{12, 12, 39, 29}, kSilver));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{40, 0, 120, 120}, kGreen));
    EXPECT_TRUE(RegionIs(target.Dc(), RECT{0, 30, 120, 120}, kGreen));

    std::wstring notIcon = folder.Path(L"text.ico");
    ASSERT_TRUE(WriteBytes(notIcon, "plain text, not an icon"));
    Picture untouched = GreenTarget();
    DrawCellIcon(untouched.Dc(), IconCell(notIcon), 10, 10, 30, 20, 1);
    DrawCellIcon(untouched.Dc(), IconCell(L""), 10, 10, 30, 20, 1);
    EXPECT_TRUE(RegionIs(untouched.Dc(), RECT{0, 0, 120, 120}, kGreen));
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
    DrawCellPicture(cache, first.Dc(), PictureCell(png, 0xFFFFFF), 10, 10, 90, 70, 1, kGrid);
    ASSERT_EQ(1u, cache.entries.size());
    DrawCellPicture(cache, second.Dc(), PictureCell(png, 0xFFFFFF), 10, 10, 90, 70, 1, kGrid);
    EXPECT_EQ(ReadPixels(first.Dc(), 120, 120), ReadPixels(second.Dc(), 120, 120));
}

TEST(PictureCacheOnDisk, ChangedFileShowsItsNewContentAtTheNextRedraw) {
    TempFolder folder;
    std::wstring png = folder.Path(L"photo.png");
    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueRed; }));
    PictureCache cache;
    CellRecord cell = PictureCell(png, 0xFFFFFF);
    Picture target = GreenTarget();
    DrawCellPicture(cache, target.Dc(), cell, 10, 10, 60, 60, 1, kGrid);
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(target.Dc(), 35, 35));

    // Same size on disk, new content, later write time.
    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueBlue; }));
    ASSERT_TRUE(ShiftLastWriteTime(png, 10));
    DrawCellPicture(cache, target.Dc(), cell, 10, 10, 60, 60, 1, kGrid);
    EXPECT_EQ(RGB(0, 0, 255), PixelAt(target.Dc(), 35, 35));

    // Other dimensions, so another size on disk, written within the same second.
    ASSERT_TRUE(WriteTestImage(png, 31, 30, [](int, int) { return 0xFF00FF00u; }));
    DrawCellPicture(cache, target.Dc(), cell, 10, 10, 60, 60, 1, kGrid);
    EXPECT_EQ(RGB(0, 255, 0), PixelAt(target.Dc(), 35, 35));
}

TEST(PictureCacheOnDisk, DeletedOrBrokenFileBehavesAsIfNothingWereKept) {
    TempFolder folder;
    std::wstring png = folder.Path(L"photo.png");
    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueRed; }));
    PictureCache cache;
    CellRecord cell = PictureCell(png, 0xFFFFFF);
    Picture target = GreenTarget();
    DrawCellPicture(cache, target.Dc(), cell, 10, 10, 60, 60, 1, kGrid);

    ASSERT_TRUE(DeleteFileW(png.c_str()));
    Picture afterDelete = GreenTarget();
    DrawCellPicture(cache, afterDelete.Dc(), cell, 10, 10, 60, 60, 1, kGrid);
    EXPECT_EQ(0, CountPixels(afterDelete.Dc(), RECT{0, 0, 120, 120}, RGB(255, 0, 0)));
    EXPECT_GT(CountPixels(afterDelete.Dc(), RECT{11, 11, 59, 59}, kSilver), 0);

    ASSERT_TRUE(WriteBytes(png, "broken now"));
    MessageBoxRecorder boxes;
    Picture afterBreak = GreenTarget();
    DrawCellPicture(cache, afterBreak.Dc(), cell, 10, 10, 60, 60, 1, kGrid);
    EXPECT_EQ(1u, boxes.Shown().size());
    EXPECT_TRUE(RegionIs(afterBreak.Dc(), RECT{0, 0, 120, 120}, kGreen));
}
