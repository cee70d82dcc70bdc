// Palette records and their file form, independent of the window system.
#include "interaction/FavouriteRecords.h"

namespace {

void Put32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

void Put16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

uint32_t Get32(const uint8_t* in) {
    return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
           static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

uint16_t Get16(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] | in[1] << 8);
}

} // namespace

std::array<uint8_t, kFavouriteRecordSize> EncodeFavouriteSwatch(const FavouriteSwatch& swatch) {
    std::array<uint8_t, kFavouriteRecordSize> bytes{};
    Put32(&bytes[0], static_cast<uint32_t>(swatch.left));
    Put32(&bytes[4], static_cast<uint32_t>(swatch.right));
    Put32(&bytes[8], static_cast<uint32_t>(swatch.top));
    Put32(&bytes[12], static_cast<uint32_t>(swatch.bottom));
    Put16(&bytes[16], static_cast<uint16_t>(swatch.column));
    Put16(&bytes[18], static_cast<uint16_t>(swatch.row));
    Put32(&bytes[20], swatch.color);
    return bytes;
}

FavouriteSwatch DecodeFavouriteSwatch(std::span<const uint8_t, kFavouriteRecordSize> bytes) {
    FavouriteSwatch swatch;
    swatch.left = static_cast<int32_t>(Get32(&bytes[0]));
    swatch.right = static_cast<int32_t>(Get32(&bytes[4]));
    swatch.top = static_cast<int32_t>(Get32(&bytes[8]));
    swatch.bottom = static_cast<int32_t>(Get32(&bytes[12]));
    swatch.column = static_cast<int16_t>(Get16(&bytes[16]));
    swatch.row = static_cast<int16_t>(Get16(&bytes[18]));
    swatch.color = Get32(&bytes[20]);
    return swatch;
}

void InitFavouriteGrid(FavouriteGrid& grid, int columns, int rows, int originX, int originY) {
    grid = FavouriteGrid{};
    for (int r = 0; r < rows && r < kFavouriteGridSize; ++r) {
        for (int c = 0; c < columns && c < kFavouriteGridSize; ++c) {
            FavouriteSwatch& s = grid(c, r);
            s.left = c * kFavouritePitch + originX;
            s.right = (c + 1) * kFavouritePitch + originX;
            s.top = r * kFavouritePitch + originY;
            s.bottom = (r + 1) * kFavouritePitch + originY;
            s.column = static_cast<int16_t>(c);
            s.row = static_cast<int16_t>(r);
            s.color = kFavouriteWhite;
        }
    }
}

int LoadFavouriteRecords(FavouriteGrid& grid, std::span<const uint8_t> bytes) {
    grid = FavouriteGrid{};
    int placed = 0;
    size_t count = bytes.size() / kFavouriteRecordSize;
    for (size_t k = 0; k < count; ++k) {
        FavouriteSwatch swatch =
            DecodeFavouriteSwatch(bytes.subspan(k * kFavouriteRecordSize).first<kFavouriteRecordSize>());
        if (swatch.column < 0 || swatch.column >= kFavouriteGridSize || swatch.row < 0 ||
            swatch.row >= kFavouriteGridSize)
            continue; // a position the grid does not have
        grid(swatch.column, swatch.row) = swatch;
        ++placed;
    }
    return placed;
}

std::vector<uint8_t> EncodeFavouritePalette(const FavouriteGrid& grid) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kFavouriteColumns * kFavouriteRows * kFavouriteRecordSize);
    for (int r = 0; r < kFavouriteRows; ++r) {
        for (int c = 0; c < kFavouriteColumns; ++c) {
            // A position the palette file did not name is all zero; written as it is, its column
            // and row of 0 would overwrite the swatch at (0, 0) on the next reading.
            FavouriteSwatch swatch = grid(c, r);
            swatch.column = static_cast<int16_t>(c);
            swatch.row = static_cast<int16_t>(r);
            auto record = EncodeFavouriteSwatch(swatch);
            bytes.insert(bytes.end(), record.begin(), record.end());
        }
    }
    return bytes;
}
