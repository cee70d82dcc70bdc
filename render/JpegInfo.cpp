// The frame header of a JPEG file.
#include "render/JpegInfo.h"

#include <cstdint>

bool ReadJpegInfo(std::string_view bytes, JpegInfo& info) {
    auto byte = [&](size_t at) { return static_cast<uint8_t>(bytes[at]); };
    if (bytes.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) return false;
    size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (byte(at) != 0xFF) return false;
        const uint8_t marker = byte(at + 1);
        if (marker == 0xFF) { // fill before a marker
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // markers without a length
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return false; // image or scan ends before a frame
        const size_t length = (size_t(byte(at + 2)) << 8) | byte(at + 3);
        if (length < 2 || length > bytes.size() - at - 2) return false;
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            if (length < 8) return false;
            const int precision = byte(at + 4);
            info.height = (byte(at + 5) << 8) | byte(at + 6);
            info.width = (byte(at + 7) << 8) | byte(at + 8);
            info.components = byte(at + 9);
            return precision == 8 && info.width > 0 && info.height > 0 &&
                   (info.components == 1 || info.components == 3);
        }
        if (marker >= 0xC3 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return false; // lossless or arithmetic frames, which PDF readers need not draw
        at += 2 + length;
    }
    return false;
}
