// The palette records: their byte layout, the default palette and the loading rules.
#include "interaction/FavouriteRecords.h"

#include <gtest/gtest.h>

namespace {

void Append(std::vector<uint8_t>& bytes, const FavouriteSwatch& swatch) {
    auto record = EncodeFavouriteSwatch(swatch);
    bytes.insert(bytes.end(), record.begin(), record.end());
}

FavouriteSwatch Swatch(int column, int row, uint32_t color) {
    FavouriteSwatch s;
    s.left = column * 25 + 1;
    s.right = s.left + 25;
    s.top = row * 25 + 1;
    s.bottom = s.top + 25;
    s.column = static_cast<int16_t>(column);
    s.row = static_cast<int16_t>(row);
    s.color = color;
    return s;
}

} // namespace

TEST(SwatchRecord, IsTwentyFourLittleEndianBytes) {
    FavouriteSwatch s{-2, 0x01020304, 300, 65536, 12, -1, 0x00A0B0C0};
    auto bytes = EncodeFavouriteSwatch(s);
    const std::array<uint8_t, 24> expected{0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01,
                                           0x2C, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
                                           0x0C, 0x00, 0xFF, 0xFF, 0xC0, 0xB0, 0xA0, 0x00};
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(s, DecodeFavouriteSwatch(bytes));
}

TEST(DefaultPalette, IsWhiteSwatchesAtA25PixelPitch) {
    FavouriteGrid grid;
    grid(40, 40).color = 7;
    InitFavouriteGrid(grid, 13, 10, 1, 1);
    EXPECT_EQ(Swatch(0, 0, 0xFFFFFF), grid(0, 0));
    EXPECT_EQ(Swatch(12, 9, 0xFFFFFF), grid(12, 9));
    EXPECT_EQ(301, grid(12, 9).left);
    EXPECT_EQ(326, grid(12, 9).right);
    EXPECT_EQ(251, grid(12, 9).bottom);
    // Everything outside 13 x 10 is all zero again.
    EXPECT_EQ(FavouriteSwatch{}, grid(13, 0));
    EXPECT_EQ(FavouriteSwatch{}, grid(0, 10));
    EXPECT_EQ(FavouriteSwatch{}, grid(40, 40));
}

TEST(PaletteFile, IsTheSwatchesRowByRow) {
    FavouriteGrid grid;
    InitFavouriteGrid(grid, 13, 10, 1, 1);
    grid(5, 2).color = 0x0000FF;
    grid(30, 30) = Swatch(30, 30, 0x123456); // outside the palette: never written
    std::vector<uint8_t> bytes = EncodeFavouritePalette(grid);
    ASSERT_EQ(3120u, bytes.size());
    // Record k (0-based) is column k % 13 of row k / 13.
    for (size_t k : {size_t{0}, size_t{12}, size_t{13}, size_t{31}, size_t{129}}) {
        FavouriteSwatch s = DecodeFavouriteSwatch(std::span<const uint8_t, 24>(bytes.data() + k * 24, 24));
        EXPECT_EQ(static_cast<int>(k % 13), s.column);
        EXPECT_EQ(static_cast<int>(k / 13), s.row);
    }
    FavouriteGrid back;
    EXPECT_EQ(130, LoadFavouriteRecords(back, bytes));
    EXPECT_EQ(0x0000FFu, back(5, 2).color);
    EXPECT_EQ(grid(12, 9), back(12, 9));
    EXPECT_EQ(FavouriteSwatch{}, back(30, 30));
}

TEST(PaletteFile, APositionWithoutARecordComesBackEmptyAndLeavesTheOthersAlone) {
    // A palette read from a file that named only some positions: the others are all zero.
    std::vector<uint8_t> partial;
    Append(partial, Swatch(0, 0, 0x0000FF));
    Append(partial, Swatch(7, 4, 0x00FF00));
    FavouriteGrid shown;
    LoadFavouriteRecords(shown, partial);
    FavouriteGrid back;
    EXPECT_EQ(130, LoadFavouriteRecords(back, EncodeFavouritePalette(shown)));
    for (int r = 0; r < kFavouriteRows; ++r)
        for (int c = 0; c < kFavouriteColumns; ++c) {
            EXPECT_EQ(shown(c, r).color, back(c, r).color) << c << "," << r;
            EXPECT_EQ(shown(c, r).right, back(c, r).right) << c << "," << r;
        }
}

TEST(LoadingPalette, PlacesRecordsByTheirOwnColumnAndRow) {
    std::vector<uint8_t> bytes;
    Append(bytes, Swatch(4, 7, 0x0000FF));
    Append(bytes, Swatch(0, 0, 0x00FF00));
    Append(bytes, Swatch(12, 9, 0xFF0000));
    FavouriteGrid grid;
    InitFavouriteGrid(grid, 13, 10, 1, 1);
    EXPECT_EQ(3, LoadFavouriteRecords(grid, bytes));
    EXPECT_EQ(Swatch(4, 7, 0x0000FF), grid(4, 7));
    EXPECT_EQ(Swatch(0, 0, 0x00FF00), grid(0, 0));
    EXPECT_EQ(Swatch(12, 9, 0xFF0000), grid(12, 9));
    // Positions the file does not name are all zero, not the white default.
    EXPECT_EQ(FavouriteSwatch{}, grid(1, 0));
}

TEST(LoadingPalette, KeepsTheRectanglesAsStored) {
    std::vector<uint8_t> bytes;
    FavouriteSwatch moved = Swatch(2, 3, 0x00FFFF);
    moved.left = 200;
    moved.right = 230;
    moved.top = 10;
    moved.bottom = 20;
    Append(bytes, moved);
    FavouriteGrid grid;
    LoadFavouriteRecords(grid, bytes);
    EXPECT_EQ(moved, grid(2, 3));
}

TEST(LoadingPalette, ReadsWholeRecordsAndIgnoresATrailingPart) {
    FavouriteGrid palette;
    InitFavouriteGrid(palette, 13, 10, 1, 1);
    std::vector<uint8_t> bytes = EncodeFavouritePalette(palette);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}); // 3130 bytes
    FavouriteGrid grid;
    EXPECT_EQ(130, LoadFavouriteRecords(grid, bytes));
    EXPECT_EQ(palette(12, 9), grid(12, 9));

    std::vector<uint8_t> shortFile(23, 0xFF);
    EXPECT_EQ(0, LoadFavouriteRecords(grid, shortFile));
    EXPECT_EQ(FavouriteSwatch{}, grid(0, 0));
    EXPECT_EQ(0, LoadFavouriteRecords(grid, {}));
}

TEST(LoadingPalette, SkipsRecordsOutsideTheGrid) {
    std::vector<uint8_t> bytes;
    Append(bytes, Swatch(51, 0, 0x111111));
    Append(bytes, Swatch(0, 51, 0x222222));
    Append(bytes, Swatch(-1, 3, 0x333333));
    Append(bytes, Swatch(3, -1, 0x444444));
    Append(bytes, Swatch(32767, -32768, 0x555555));
    Append(bytes, Swatch(50, 50, 0x666666)); // the last position there is
    Append(bytes, Swatch(1, 1, 0x777777));
    FavouriteGrid grid;
    EXPECT_EQ(2, LoadFavouriteRecords(grid, bytes));
    EXPECT_EQ(0x666666u, grid(50, 50).color);
    EXPECT_EQ(0x777777u, grid(1, 1).color);
    for (const FavouriteSwatch& s : grid.slots) {
        EXPECT_NE(0x111111u, s.color);
        EXPECT_NE(0x333333u, s.color);
        EXPECT_NE(0x555555u, s.color);
    }
}

TEST(LoadingPalette, ALaterRecordForTheSamePositionWins) {
    std::vector<uint8_t> bytes;
    Append(bytes, Swatch(6, 6, 0x0000AA));
    Append(bytes, Swatch(6, 6, 0x0000BB));
    FavouriteGrid grid;
    EXPECT_EQ(2, LoadFavouriteRecords(grid, bytes));
    EXPECT_EQ(0x0000BBu, grid(6, 6).color);
}
