// The program's pictures as linked into the executable: icons and their sizes, the work-file icon's
// place among the icons, the about animation, the menu pictures and the language flags.
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kMenuBackground = RGB(0xF0, 0xF0, 0xF0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

// The pixels of a bitmap resource, read back exactly as stored.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

Image LoadBitmapResource(int id) {
    Image image;
    BitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) return image;
    BITMAP info{};
    GetObjectW(bitmap.Get(), sizeof info, &info);
    image.width = info.bmWidth;
    image.height = info.bmHeight;
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = image.width;
    request.bmiHeader.biHeight = -image.height; // top row first
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> quads(static_cast<size_t>(image.width * image.height));
    WindowDC screen(nullptr);
    GetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(image.height), quads.data(), &request,
              DIB_RGB_COLORS);
    for (const RGBQUAD& q : quads)
        image.pixels.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    return image;
}

// Width of the image that the icon group holds for the wanted size, or 0 if the group is missing.
int IconImageWidth(int groupId, int wanted) {
    HRSRC group = FindResourceW(Module(), MAKEINTRESOURCEW(groupId), RT_GROUP_ICON);
    if (!group) return 0;
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Module(), group)));
    int imageId = LookupIconIdFromDirectoryEx(directory, TRUE, wanted, wanted, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceW(Module(), MAKEINTRESOURCEW(imageId), RT_ICON);
    if (!image) return 0;
    auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(Module(), image)));
    return header->biWidth;
}

// The icon drawn at its size over magenta, so that its transparent pixels show magenta.
Picture DrawIcon(HICON icon, int size) {
    Picture picture(size, size);
    FillSolid(picture.Dc(), RECT{0, 0, size, size}, kMagenta);
    DrawIconEx(picture.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    return picture;
}

Picture DrawIconResource(int id, int size) {
    HICON icon = static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
    EXPECT_NE(nullptr, icon) << "icon " << id << " at " << size;
    if (!icon) return Picture(size, size);
    Picture picture = DrawIcon(icon, size);
    DestroyIcon(icon);
    return picture;
}

std::vector<COLORREF> PixelsOf(const Picture& picture) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            pixels.push_back(PixelAt(picture.Dc(), x, y));
    return pixels;
}

int Luminance(COLORREF c) {
    return 3 * GetRValue(c) + 6 * GetGValue(c) + GetBValue(c);
}

// Colour families, loose enough for any faithful shade of the flag colours.
bool IsRed(COLORREF c) {
    return GetRValue(c) >= 150 && GetGValue(c) < 100 && GetBValue(c) < 100;
}
bool IsReddish(COLORREF c) {
    return GetRValue(c) > 60 && GetRValue(c) > 2 * GetGValue(c) && GetRValue(c) > 2 * GetBValue(c);
}
bool IsGold(COLORREF c) {
    return GetRValue(c) >= 200 && GetGValue(c) >= 150 && GetBValue(c) < 90;
}
bool IsGoldish(COLORREF c) {
    return GetRValue(c) > 100 && GetGValue(c) > 70 && GetGValue(c) > 2 * GetBValue(c);
}
bool IsBlue(COLORREF c) {
    return GetBValue(c) >= 90 && GetRValue(c) < 70 && GetGValue(c) < 120;
}
bool IsGreen(COLORREF c) {
    return GetGValue(c) >= 80 && GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > GetBValue(c) + 20;
}
bool IsWhite(COLORREF c) {
    return GetRValue(c) >= 230 && GetGValue(c) >= 230 && GetBValue(c) >= 230;
}
bool IsBlack(COLORREF c) {
    return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60;
}

template <class Test> int Count(const Image& image, int left, int top, int right, int bottom, Test test) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (test(image.At(x, y))) ++count;
    return count;
}

// Top and bottom rows of the flag: the rows that are not menu background in the middle column.
std::pair<int, int> FlagRows(const Image& flag) {
    int top = 0, bottom = flag.height - 1;
    while (top < flag.height && flag.At(flag.width / 2, top) == kMenuBackground)
        ++top;
    while (bottom > top && flag.At(flag.width / 2, bottom) == kMenuBackground)
        --bottom;
    return {top, bottom};
}

const int kMenuPictures[] = {800, 801, 802, 804, 805, 806, 809, 810, 812, 813,
                             814, 815, 816, 820, 821, 822, 823, 824, 830, 835};
const int kFlags[] = {300, 301, 302, 303, 304, 305};

BOOL CALLBACK CollectIconGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
    reinterpret_cast<std::vector<int>*>(list)->push_back(
        IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1);
    return TRUE;
}

} // namespace

TEST(Icons, ProgramAndWorkFileIconsHoldRealImagesAt32And16) {
    for (int id : {200, 201}) {
        EXPECT_EQ(32, IconImageWidth(id, 32)) << id;
        EXPECT_EQ(16, IconImageWidth(id, 16)) << id;
    }
}

TEST(Icons, WorkFileIconIsTheSecondIconOfTheProgram) {
    // The file association names the work-file icon by its index among the program's icons.
    std::vector<int> groups;
    EnumResourceNamesW(Module(), RT_GROUP_ICON, CollectIconGroup, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_GE(groups.size(), 2u);
    EXPECT_EQ(200, groups[0]);
    EXPECT_EQ(201, groups[1]);

    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    HICON second = ExtractIconW(Module(), path, 1);
    ASSERT_NE(nullptr, second);
    ASSERT_NE(reinterpret_cast<HICON>(1), second);
    std::vector<COLORREF> shellIcon = PixelsOf(DrawIcon(second, 32));
    DestroyIcon(second);
    EXPECT_TRUE(PixelsOf(DrawIconResource(201, 32)) == shellIcon);
    EXPECT_TRUE(PixelsOf(DrawIconResource(200, 32)) != shellIcon);
}

TEST(Icons, WorkFileIconIsAPageWithAFoldedCornerOnATransparentGround) {
    for (int size : {32, 16}) {
        Picture icon = DrawIconResource(201, size);
        int left = size, right = -1, top = size;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (PixelAt(icon.Dc(), x, y) != kMagenta) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                }
        ASSERT_LT(left, right) << size;
        EXPECT_GE(right - left + 1, size * 2 / 3) << "page width at " << size;
        EXPECT_NE(kMagenta, PixelAt(icon.Dc(), left, top)) << size;
        EXPECT_EQ(kMagenta, PixelAt(icon.Dc(), right, top)) << "folded corner at " << size;
        EXPECT_EQ(0, CountPixels(icon.Dc(), RECT{left, size / 3, right + 1, size * 2 / 3}, kMagenta))
            << "the page is solid at " << size;
    }
}

TEST(Icons, AboutAnimationIsSevenDifferentFrames) {
    std::vector<std::vector<COLORREF>> frames;
    for (int id = 701; id <= 707; ++id) {
        EXPECT_EQ(32, IconImageWidth(id, 32)) << id;
        frames.push_back(PixelsOf(DrawIconResource(id, 32)));
        int drawn = 0;
        for (COLORREF c : frames.back())
            drawn += c != kMagenta;
        EXPECT_GT(drawn, 200) << id;
    }
    for (size_t a = 0; a < frames.size(); ++a)
        for (size_t b = a + 1; b < frames.size(); ++b)
            EXPECT_TRUE(frames[a] != frames[b]) << "frames " << 701 + a << " and " << 701 + b;
    // Consecutive frames change only part of the picture, so the loop reads as one moving chart.
    for (size_t a = 0; a < frames.size(); ++a) {
        const auto& next = frames[(a + 1) % frames.size()];
        int same = 0;
        for (size_t i = 0; i < next.size(); ++i)
            same += frames[a][i] == next[i];
        EXPECT_GT(same, 32 * 32 * 3 / 4) << "frame " << 701 + a << " to the next";
    }
}

TEST(MenuPictures, AreSixteenSquareOnTheMenuBackgroundAndAllDifferent) {
    std::vector<Image> pictures;
    for (int id : kMenuPictures) {
        Image picture = LoadBitmapResource(id);
        ASSERT_EQ(16, picture.width) << id;
        ASSERT_EQ(16, picture.height) << id;
        int background = Count(picture, 0, 0, 16, 16, [](COLORREF c) { return c == kMenuBackground; });
        EXPECT_GT(background, 0) << id << " has no transparent pixels";
        EXPECT_GT(256 - background, 40) << id << " is almost empty";
        for (size_t i = 0; i < pictures.size(); ++i)
            EXPECT_TRUE(pictures[i].pixels != picture.pixels) << id << " repeats an earlier picture";
        pictures.push_back(std::move(picture));
    }
}

TEST(Flags, FillMostOfTheSquareWithADarkerBorder) {
    for (int id : kFlags) {
        Image flag = LoadBitmapResource(id);
        ASSERT_EQ(16, flag.width) << id;
        ASSERT_EQ(16, flag.height) << id;
        auto [top, bottom] = FlagRows(flag);
        EXPECT_GE(bottom - top + 1, 10) << id;
        int mid = (top + bottom) / 2;
        EXPECT_LT(Luminance(flag.At(0, mid)), Luminance(flag.At(1, mid))) << id << " left edge";
        EXPECT_LT(Luminance(flag.At(15, mid)), Luminance(flag.At(14, mid))) << id << " right edge";
        EXPECT_LT(Luminance(flag.At(8, top)), Luminance(flag.At(8, top + 1))) << id << " top edge";
        EXPECT_LT(Luminance(flag.At(8, bottom)), Luminance(flag.At(8, bottom - 1))) << id << " bottom edge";
        EXPECT_EQ(0, Count(flag, 0, top, 16, bottom + 1, [](COLORREF c) { return c == kMenuBackground; }))
            << id << " has holes";
    }
}

TEST(Flags, TricoloursShowTheirBandsInOrder) {
    Image france = LoadBitmapResource(302);
    Image italy = LoadBitmapResource(305);
    Image germany = LoadBitmapResource(303);
    ASSERT_EQ(16, france.width);
    ASSERT_EQ(16, italy.width);
    ASSERT_EQ(16, germany.width);
    int mid = (FlagRows(france).first + FlagRows(france).second) / 2;
    EXPECT_TRUE(IsBlue(france.At(2, mid)));
    EXPECT_TRUE(IsWhite(france.At(8, mid)));
    EXPECT_TRUE(IsRed(france.At(13, mid)));
    mid = (FlagRows(italy).first + FlagRows(italy).second) / 2;
    EXPECT_TRUE(IsGreen(italy.At(2, mid)));
    EXPECT_TRUE(IsWhite(italy.At(8, mid)));
    EXPECT_TRUE(IsRed(italy.At(13, mid)));
    auto [top, bottom] = FlagRows(germany);
    int band = (bottom - top + 1) / 3;
    EXPECT_TRUE(IsBlack(germany.At(8, top + band / 2)));
    EXPECT_TRUE(IsRed(germany.At(8, top + band + band / 2)));
    EXPECT_TRUE(IsGold(germany.At(8, bottom - band / 2)));
}

TEST(Flags, SpainHasAYellowBandTwiceAsTallAsEachRedOne) {
    Image spain = LoadBitmapResource(300);
    ASSERT_EQ(16, spain.width);
    auto [top, bottom] = FlagRows(spain);
    // Runs of colour down the fly side, away from the arms near the hoist.
    std::vector<std::pair<char, int>> runs;
    for (int y = top; y <= bottom; ++y) {
        COLORREF c = spain.At(11, y);
        char family = IsReddish(c) ? 'r' : IsGoldish(c) ? 'y' : '?';
        if (runs.empty() || runs.back().first != family) runs.push_back({family, 0});
        ++runs.back().second;
    }
    ASSERT_EQ(3u, runs.size());
    EXPECT_EQ('r', runs[0].first);
    EXPECT_EQ('y', runs[1].first);
    EXPECT_EQ('r', runs[2].first);
    EXPECT_EQ(runs[0].second, runs[2].second);
    EXPECT_EQ(2 * runs[0].second, runs[1].second);
    EXPECT_TRUE(IsGold(spain.At(11, (top + bottom) / 2)));
}

TEST(Flags, PortugalIsTwoFifthsGreenWithTheEmblemOnTheBoundary) {
    Image portugal = LoadBitmapResource(301);
    ASSERT_EQ(16, portugal.width);
    auto [top, bottom] = FlagRows(portugal);
    int row = top + 1; // above the emblem
    int boundary = 1;
    while (boundary < 15 && IsGreen(portugal.At(boundary, row)))
        ++boundary;
    EXPECT_TRUE(IsRed(portugal.At(boundary, row)));
    EXPECT_TRUE(IsRed(portugal.At(13, row)));
    EXPECT_NEAR(16 * 2 / 5.0, boundary, 1.5);
    int emblem = Count(portugal, boundary - 2, top + 1, boundary + 3, bottom, IsGold);
    EXPECT_GE(emblem, 4);
    EXPECT_EQ(emblem, Count(portugal, 0, 0, 16, 16, IsGold)) << "gold only in the emblem";
}

TEST(Flags, UnionFlagHasItsCrossesOnBlue) {
    Image uk = LoadBitmapResource(304);
    ASSERT_EQ(16, uk.width);
    auto [top, bottom] = FlagRows(uk);
    int midY = (top + bottom) / 2;
    // The red cross runs through the middle both ways, edged in white.
    for (int x = 1; x < 15; ++x)
        EXPECT_TRUE(IsRed(uk.At(x, midY)) || IsRed(uk.At(x, midY + 1))) << x;
    for (int y = top + 1; y < bottom; ++y)
        EXPECT_TRUE(IsRed(uk.At(7, y)) || IsRed(uk.At(8, y))) << y;
    EXPECT_GE(Count(uk, 0, 0, 16, 16, IsWhite), 30);
    // Each quarter shows blue field and a diagonal with white and red.
    const RECT quarters[] = {{1, top + 1, 6, midY - 1},
                             {10, top + 1, 15, midY - 1},
                             {1, midY + 3, 6, bottom},
                             {10, midY + 3, 15, bottom}};
    for (const RECT& q : quarters) {
        EXPECT_GE(Count(uk, q.left, q.top, q.right, q.bottom, IsBlue), 3) << q.left << "," << q.top;
        EXPECT_GE(Count(uk, q.left, q.top, q.right, q.bottom, IsWhite), 2) << q.left << "," << q.top;
        EXPECT_GE(Count(uk, q.left, q.top, q.right, q.bottom, IsRed), 2) << q.left << "," << q.top;
    }
}
