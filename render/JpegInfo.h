// What a PDF needs to know of a JPEG file to embed it as it is: its size and colour components,
// read from its frame header. No Windows API; the reader is fuzzed, the file comes from outside.
#pragma once

#include <string_view>

struct JpegInfo {
    int width = 0;
    int height = 0;
    int components = 0; // 1 grey, 3 colour
};

// The frame of a baseline, extended or progressive JPEG of 8 bits, grey or colour; false for
// anything else (no JPEG, a damaged header, arithmetic coding, lossless, 12 bits, CMYK), which is
// then embedded as the pixels drawn from it.
bool ReadJpegInfo(std::string_view bytes, JpegInfo& info);
