// The 24-bit BMP file of the cut bitmap export: a 54-byte header and bottom-up rows of blue,
// green, red, each row padded to a multiple of 4 bytes. No Windows API, so it is tested natively.
#pragma once

#include <cstdint>
#include <vector>

constexpr uint32_t kBmpHeaderSize = 54;

// Bytes of one stored row of a 24-bit picture of this width.
uint32_t BmpRowSize(int width);

// The whole file for width x height pixels given as 0x00RRGGBB values, top row first (the order
// a top-down 32-bit DIB has in memory). Empty when the size is not positive, the pixels do not
// match it, or the file would not fit the header's 32-bit size field.
std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels);
