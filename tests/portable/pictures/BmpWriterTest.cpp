// The cut bitmap file: header values, bottom-up rows, colour order and row padding.
#include "render/BmpWriter.h"

#include <gtest/gtest.h>

namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint32_t Read16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

} // namespace

TEST(BmpWriter, HeaderOfA201By50Picture) {
    // 201 pixels of 3 bytes = 603, padded to 604 per row.
    std::vector<uint32_t> pixels(201 * 50, 0x00FFFFFF);
    std::vector<uint8_t> file = EncodeBmp24(201, 50, pixels);
    ASSERT_EQ(54u + 604u * 50u, file.size());
    EXPECT_EQ('B', file[0]);
    EXPECT_EQ('M', file[1]);
    EXPECT_EQ(file.size(), Read32(file, 2));
    EXPECT_EQ(0u, Read32(file, 6));
    EXPECT_EQ(54u, Read32(file, 10));
    EXPECT_EQ(40u, Read32(file, 14));
    EXPECT_EQ(201u, Read32(file, 18));
    EXPECT_EQ(50u, Read32(file, 22));
    EXPECT_EQ(1u, Read16(file, 26));
    EXPECT_EQ(24u, Read16(file, 28));
    for (size_t at = 30; at < 54; ++at)
        EXPECT_EQ(0, file[at]) << "header byte " << at;
}

TEST(BmpWriter, RowsAreBottomUpBlueGreenRedAndPaddedWithZeros) {
    // 2 x 3 picture: row size 6 bytes of pixels + 2 of padding.
    const std::vector<uint32_t> pixels = {
        0x00102030, 0x00405060, // top row
        0x00708090, 0x00A0B0C0, // middle row
        0x00D0E0F0, 0x00010203, // bottom row
    };
    std::vector<uint8_t> file = EncodeBmp24(2, 3, pixels);
    ASSERT_EQ(54u + 8u * 3u, file.size());
    const std::vector<uint8_t> expected = {
        0xF0, 0xE0, 0xD0, 0x03, 0x02, 0x01, 0, 0, // bottom row first
        0x90, 0x80, 0x70, 0xC0, 0xB0, 0xA0, 0, 0, //
        0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0, // top row last
    };
    EXPECT_EQ(expected, std::vector<uint8_t>(file.begin() + 54, file.end()));
}

TEST(BmpWriter, RowSizeIsAMultipleOfFour) {
    EXPECT_EQ(4u, BmpRowSize(1));
    EXPECT_EQ(8u, BmpRowSize(2));
    EXPECT_EQ(12u, BmpRowSize(3));
    EXPECT_EQ(12u, BmpRowSize(4));
    EXPECT_EQ(16u, BmpRowSize(5));
    EXPECT_EQ(604u, BmpRowSize(201));
}

TEST(BmpWriter, AlphaByteIsNotWritten) {
    std::vector<uint8_t> file = EncodeBmp24(1, 1, {0xFF112233});
    ASSERT_EQ(58u, file.size());
    EXPECT_EQ(0x33, file[54]);
    EXPECT_EQ(0x22, file[55]);
    EXPECT_EQ(0x11, file[56]);
    EXPECT_EQ(0x00, file[57]);
}

TEST(BmpWriter, RefusesSizesItCannotWrite) {
    EXPECT_TRUE(EncodeBmp24(0, 5, {}).empty());
    EXPECT_TRUE(EncodeBmp24(5, -1, {}).empty());
    EXPECT_TRUE(EncodeBmp24(2, 2, {1, 2, 3}).empty()); // pixels do not match the size
}
