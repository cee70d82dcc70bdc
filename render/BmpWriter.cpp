// The cut bitmap export's file format.
#include "render/BmpWriter.h"

#include <cstddef>
#include <limits>

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

uint32_t BmpRowSize(int width) {
    return (static_cast<uint32_t>(width) * 3u + 3u) & ~3u;
}

std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels) {
    if (width <= 0 || height <= 0) return {};
    if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return {};
    uint64_t rowSize = BmpRowSize(width);
    uint64_t fileSize = kBmpHeaderSize + rowSize * static_cast<uint64_t>(height);
    if (fileSize > std::numeric_limits<uint32_t>::max()) return {};

    std::vector<uint8_t> out(static_cast<size_t>(fileSize), 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(fileSize));
    Put32(out, 10, kBmpHeaderSize);
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<uint32_t>(width));
    Put32(out, 22, static_cast<uint32_t>(height)); // positive: rows are stored bottom-up
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    // Compression, image size, resolutions and colour counts stay 0; so does the row padding.

    for (int y = 0; y < height; ++y) {
        const uint32_t* source = pixels.data() + static_cast<size_t>(height - 1 - y) * width;
        uint8_t* row = out.data() + kBmpHeaderSize + static_cast<size_t>(y) * rowSize;
        for (int x = 0; x < width; ++x) {
            uint32_t p = source[x];
            row[3 * x] = static_cast<uint8_t>(p);           // blue
            row[3 * x + 1] = static_cast<uint8_t>(p >> 8);  // green
            row[3 * x + 2] = static_cast<uint8_t>(p >> 16); // red
        }
    }
    return out;
}
