// Picture and hatch pixels of metafile records, read back through GDI.
#include "render/MetafilePixels.h"

#include "render/GdiObjects.h"
#include "render/Pictures.h"

Pixels DibPixels(const BITMAPINFO* info, const void* bits, int x, int y, int width, int height, bool stretch,
                 int sourceWidth, int sourceHeight) {
    Pixels pixels;
    if (width <= 0 || height <= 0 || !info || !bits) return pixels;
    BITMAPINFO target = TopDownPixelsInfo(width, height);
    void* targetBits = nullptr;
    WindowDC screen(nullptr);
    BitmapHandle dib(CreateDIBSection(screen.Get(), &target, DIB_RGB_COLORS, &targetBits, nullptr, 0));
    MemoryDC dc(screen.Get());
    if (!dib || !targetBits || !dc.Get()) return pixels;
    {
        ScopedSelect select(dc.Get(), dib.Get());
        SetStretchBltMode(dc.Get(), COLORONCOLOR);
        if (stretch) {
            // Played back as the metafile would play it, into a picture of the source's size.
            StretchDIBits(dc.Get(), 0, 0, width, height, x, y, sourceWidth, sourceHeight, bits, info,
                          DIB_RGB_COLORS, SRCCOPY);
        } else {
            const BITMAPINFOHEADER& header = info->bmiHeader;
            BitmapHandle source(CreateDIBitmap(screen.Get(), &header, CBM_INIT, bits, info, DIB_RGB_COLORS));
            MemoryDC sourceDc(screen.Get());
            if (!source || !sourceDc.Get()) return pixels;
            ScopedSelect selectSource(sourceDc.Get(), source.Get());
            BitBlt(dc.Get(), 0, 0, width, height, sourceDc.Get(), x, y, SRCCOPY);
        }
    }
    GdiFlush();
    const uint32_t* first = static_cast<const uint32_t*>(targetBits);
    pixels.width = width;
    pixels.height = height;
    pixels.values.assign(first, first + static_cast<size_t>(width) * height);
    for (uint32_t& p : pixels.values)
        p &= 0xFFFFFF;
    return pixels;
}

std::vector<POINT> HatchPixels(HDC screen, ULONG hatch) {
    std::vector<POINT> points;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle dib(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC dc(screen);
    BrushHandle brush(CreateHatchBrush(static_cast<int>(hatch), RGB(0, 0, 0)));
    if (!dib || !bits || !dc.Get() || !brush) return points;
    {
        ScopedSelect select(dc.Get(), dib.Get());
        RECT all{0, 0, 8, 8};
        FillSolid(dc.Get(), all, RGB(255, 255, 255));
        SetBkMode(dc.Get(), TRANSPARENT);
        FillRect(dc.Get(), &all, brush.Get());
    }
    GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((p[y * 8 + x] & 0xFFFFFF) == 0) points.push_back(POINT{x, y});
    return points;
}

std::vector<uint32_t> MaskedArgb(const Pixels& pixels, DWORD rop, const Pixels* mask) {
    std::vector<uint32_t> argb(pixels.values.size());
    for (size_t i = 0; i < argb.size(); ++i) {
        const uint32_t p = pixels.values[i];
        bool transparent = false;
        if (mask && i < mask->values.size()) // an icon: a white mask pixel under a black picture pixel
            transparent = (mask->values[i] & 0xFFFFFF) == 0xFFFFFF && p == 0;
        else if (rop == SRCAND)
            transparent = p == 0xFFFFFF;
        else if (rop == SRCPAINT || rop == SRCINVERT)
            transparent = p == 0;
        argb[i] = transparent ? 0 : (0xFF000000u | p);
    }
    return argb;
}
