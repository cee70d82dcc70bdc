// The favourite-colour palette in memory and on disk: 24-byte swatch records, the 51 x 51 grid
// they are placed in by their own column and row, and the default white palette.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

constexpr size_t kFavouriteRecordSize = 24;
constexpr int kFavouriteGridSize = 51; // positions 0..50 in each direction
constexpr int kFavouriteColumns = 13;
constexpr int kFavouriteRows = 10;
constexpr int kFavouritePitch = 25;
constexpr int kFavouriteOrigin = 1;
constexpr int kFavouriteInset = 3;
constexpr uint32_t kFavouriteWhite = 0xFFFFFF;

struct FavouriteSwatch {
    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int16_t column = 0;
    int16_t row = 0;
    uint32_t color = 0; // 0x00BBGGRR

    bool operator==(const FavouriteSwatch&) const = default;
};

// Indexed (column, row); every slot starts all zero.
struct FavouriteGrid {
    std::vector<FavouriteSwatch> slots =
        std::vector<FavouriteSwatch>(kFavouriteGridSize * kFavouriteGridSize);

    FavouriteSwatch& operator()(int column, int row) { return slots[row * kFavouriteGridSize + column]; }
    const FavouriteSwatch& operator()(int column, int row) const {
        return slots[row * kFavouriteGridSize + column];
    }
};

// Little-endian, no padding: left, right, top, bottom (32-bit), column, row (16-bit), color (32-bit).
std::array<uint8_t, kFavouriteRecordSize> EncodeFavouriteSwatch(const FavouriteSwatch& swatch);
FavouriteSwatch DecodeFavouriteSwatch(std::span<const uint8_t, kFavouriteRecordSize> bytes);

// A fresh grid with white swatches of 25 pixels at the origin, for columns x rows.
void InitFavouriteGrid(FavouriteGrid& grid, int columns, int rows, int originX, int originY);

// A fresh grid filled from the bytes of a palette file: every whole record is placed at its own
// column and row; records naming a position outside 0..50 are skipped and a part record at the
// end is ignored. Returns the number of records placed.
int LoadFavouriteRecords(FavouriteGrid& grid, std::span<const uint8_t> bytes);

// The bytes of a palette file: the 13 x 10 swatches row by row, 3120 bytes, each record with the
// column and row it is written for.
std::vector<uint8_t> EncodeFavouritePalette(const FavouriteGrid& grid);
