// Fuzzes the JPEG header reader of the PDF export: any bytes are read without going out of bounds,
// and a header accepted describes a picture PDF readers draw.
#include "render/JpegInfo.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    JpegInfo info;
    if (ReadJpegInfo(std::string_view(reinterpret_cast<const char*>(data), size), info) &&
        (info.width <= 0 || info.height <= 0 || (info.components != 1 && info.components != 3)))
        std::abort();
    return 0;
}
