// Off-screen pictures and small GDI helpers.
#include "render/GdiObjects.h"

Picture::Picture(int width, int height) : width_(width), height_(height) {
    WindowDC screen(nullptr);
    dc_ = MemoryDC(screen.Get());
    bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
    if (dc_.Get() && bitmap_) {
        previousBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
    } else {
        Reset();
    }
}

Picture::Picture(Picture&& other) noexcept
    : dc_(std::move(other.dc_)), bitmap_(std::move(other.bitmap_)),
      previousBitmap_(std::exchange(other.previousBitmap_, nullptr)), width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
    if (this != &other) {
        Reset();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        previousBitmap_ = std::exchange(other.previousBitmap_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

void Picture::Reset() {
    if (dc_.Get() && previousBitmap_) SelectObject(dc_.Get(), previousBitmap_);
    previousBitmap_ = nullptr;
    bitmap_.Reset();
    dc_.Reset();
    width_ = height_ = 0;
}

BOOL DrawRectangle(HDC dc, int left, int top, int right, int bottom) {
    const int inclusive = GetGraphicsMode(dc) == GM_ADVANCED ? 1 : 0;
    return Rectangle(dc, left, top, right - inclusive, bottom - inclusive);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void AddToRegion(HRGN region, const RECT& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    RegionHandle part(CreateRectRgnIndirect(&rect));
    if (part) CombineRgn(region, region, part.Get(), RGN_OR);
}
