// The JPEG frame header as the PDF export reads it, against headers written here field by field.
#include "render/JpegInfo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// SOI, an APP0 segment (with fill bytes before it when asked), then a frame of the given kind.
std::string Header(uint8_t frame, int precision, int width, int height, int components, bool fill = false) {
    std::string bytes = "\xFF\xD8";
    if (fill) bytes += std::string("\xFF\xFF", 2);
    bytes += std::string("\xFF\xE0\x00\x06JFIF", 8);
    bytes += std::string("\xFF", 1) + char(frame) + std::string("\x00", 1) + char(8 + 3 * components) +
             char(precision) + char(height >> 8) + char(height & 0xFF) + char(width >> 8) +
             char(width & 0xFF) + char(components);
    bytes += std::string(size_t(3 * components), '\x11');
    return bytes + "\xFF\xDA";
}

} // namespace

TEST(JpegInfo, FramesPdfReadersDrawAreReadAndOthersRefused) {
    struct Case {
        std::string bytes;
        bool accepted;
        int width, height, components;
    };
    const Case cases[] = {
        {Header(0xC0, 8, 640, 480, 3), true, 640, 480, 3},
        {Header(0xC2, 8, 300, 70000 & 0xFFFF, 1, true), true, 300, 70000 & 0xFFFF, 1},
        {Header(0xC1, 8, 1, 1, 3), true, 1, 1, 3},
        {Header(0xC0, 12, 640, 480, 3), false, 0, 0, 0},
        {Header(0xC0, 8, 640, 480, 4), false, 0, 0, 0},
        {Header(0xC9, 8, 640, 480, 3), false, 0, 0, 0},
        {Header(0xC3, 8, 640, 480, 3), false, 0, 0, 0},
        {Header(0xC0, 8, 0, 480, 3), false, 0, 0, 0},
        {Header(0xC0, 8, 640, 480, 3).substr(0, 20), false, 0, 0, 0},
        {"GIF89a", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        JpegInfo info;
        EXPECT_EQ(c.accepted, ReadJpegInfo(c.bytes, info));
        if (c.accepted) {
            EXPECT_EQ(c.width, info.width);
            EXPECT_EQ(c.height, info.height);
            EXPECT_EQ(c.components, info.components);
        }
    }
}
