// Small owners for GDI objects and selections: fonts, pens, brushes, bitmaps, memory DCs, window
// DCs and off-screen pictures. Copying is deleted; moving hands the object over.
#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (HFONT, HPEN, HBRUSH, HBITMAP, HRGN) and deletes it.
template <class Handle> class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    void Reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }
    Handle Release() { return std::exchange(handle_, nullptr); }
    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    Handle handle_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using PenHandle = GdiObject<HPEN>;
using BrushHandle = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;
using RegionHandle = GdiObject<HRGN>;

// Selects an object into a DC for the lifetime of the scope and puts the previous one back, so an
// object is never deleted while still selected.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory DC made with CreateCompatibleDC and deleted with DeleteDC.
class MemoryDC {
  public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { Reset(); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this != &other) {
            Reset();
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    void Reset() {
        if (dc_) DeleteDC(dc_);
        dc_ = nullptr;
    }
    HDC Get() const { return dc_; }

  private:
    HDC dc_ = nullptr;
};

// A window's DC, released when the scope ends.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An off-screen picture: a bitmap compatible with the screen, selected into its own memory DC for
// its whole life. Released in the right order: the bitmap is deselected before it is deleted.
class Picture {
  public:
    Picture() = default;
    Picture(int width, int height);
    ~Picture() { Reset(); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;

    void Reset();
    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    explicit operator bool() const { return bitmap_ && dc_.Get(); }

  private:
    MemoryDC dc_;
    BitmapHandle bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Fills a rectangle of a DC with a solid colour (0x00BBGGRR).
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Adds a rectangle to a region; an empty rectangle adds nothing.
void AddToRegion(HRGN region, const RECT& rect);

// Rectangle() with its right and bottom edges left out, as the compatible graphics mode draws it,
// also on a DC in the advanced mode (a zoomed view), where GDI would include them and a box would
// cover the next column of the table, a connector running there among it.
BOOL DrawRectangle(HDC dc, int left, int top, int right, int bottom);
