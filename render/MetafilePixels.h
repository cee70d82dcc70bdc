// Pixels of the pictures and hatches an enhanced metafile records, read through GDI, for the
// writers that translate the metafile into other formats (SVG, PDF).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Pixels as 0x00RRGGBB values, top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> values;
};

// The pixels a picture record draws, read through GDI so any DIB format comes out the same: the
// part (x, y, width, height) of the bits, or with `stretch` the bits played into a picture of the
// source's size.
Pixels DibPixels(const BITMAPINFO* info, const void* bits, int x, int y, int width, int height, bool stretch,
                 int sourceWidth, int sourceHeight);

// The pixels one 8 x 8 tile of a hatch sets, as GDI draws it from the brush origin.
std::vector<POINT> HatchPixels(HDC screen, ULONG hatch);

// Pixels as 0xAARRGGBB, alpha 0 where a mask raster operation leaves what lies below unchanged
// (white under AND, black under OR and XOR, and where an icon's mask is white under a black
// picture pixel), 0xFF elsewhere.
std::vector<uint32_t> MaskedArgb(const Pixels& pixels, DWORD rop, const Pixels* mask);
