// Loading cell pictures through GDI+ and drawing pictures and icons into box cells.
#include "render/Pictures.h"

#include "render/PictureGeometry.h"

#include <gdiplus.h>

#include <cmath>

namespace gp = Gdiplus::DllExports;

namespace {

void Report(std::wstring* problem, std::wstring text) {
    if (problem) *problem = std::move(text);
}

bool FileFound(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class ImageOwner {
  public:
    explicit ImageOwner(Gdiplus::GpImage* image) : image_(image) {}
    ~ImageOwner() {
        if (image_) gp::GdipDisposeImage(image_);
    }
    ImageOwner(const ImageOwner&) = delete;
    ImageOwner& operator=(const ImageOwner&) = delete;
    Gdiplus::GpImage* Get() const { return image_; }

  private:
    Gdiplus::GpImage* image_;
};

// A colour with its high byte set (such as -2, "no colour") cannot fill anything; the area then
// shows white, as an unfilled new box does.
COLORREF UsableFill(COLORREF fill) {
    return (fill & 0xFF000000) ? 0xFFFFFF : fill;
}

} // namespace

bool ReadFileStamp(const std::wstring& path, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.lastWrite = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    return true;
}

Picture GraphicLoadImageFileToBitmap(const std::wstring& path, COLORREF fill, int width, int height,
                                     int stretch, std::wstring* problem) {
    if (stretch != 0 && (width == 0 || height == 0)) return {};
    if (!FileFound(path)) {
        Report(problem, L"[GraphicLoadImageFileToBitmap] called on <" + path + L"> Missing file");
        return {};
    }
    Gdiplus::GpImage* loaded = nullptr;
    if (gp::GdipLoadImageFromFile(path.c_str(), &loaded) != Gdiplus::Ok || !loaded) {
        Report(problem,
               L"[GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] read error on <" + path + L">");
        return {};
    }
    ImageOwner image(loaded);

    Gdiplus::REAL imageWidth = 0, imageHeight = 0;
    if (gp::GdipGetImageDimension(image.Get(), &imageWidth, &imageHeight) != Gdiplus::Ok) return {};
    if (imageWidth <= 0 || imageHeight <= 0) return {};
    if (width == 0) width = static_cast<int>(std::lround(imageWidth));
    if (height == 0) height = static_cast<int>(std::lround(imageHeight));
    if (stretch == 0) KeepProportions(imageWidth, imageHeight, width, height);
    if (width <= 0 || height <= 0) return {};

    Picture picture(width, height);
    if (!picture) return {};
    RECT all{0, 0, width, height};
    FillSolid(picture.Dc(), all, UsableFill(fill));

    Gdiplus::GpGraphics* graphics = nullptr;
    if (gp::GdipCreateFromHDC(picture.Dc(), &graphics) != Gdiplus::Ok || !graphics) return {};
    Gdiplus::GpStatus status = gp::GdipDrawImageRectRect(
        graphics, image.Get(), 0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height), 0,
        0, imageWidth, imageHeight, Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
    gp::GdipDeleteGraphics(graphics);
    if (status != Gdiplus::Ok) return {};
    return picture;
}

Picture LoadCellPicture(const std::wstring& path, int width, int height, COLORREF fill,
                        std::wstring* problem) {
    // The loaded picture is already a screen-compatible picture owned by the caller, so it is
    // handed over as it is rather than copied into a second one.
    return GraphicLoadImageFileToBitmap(path, fill, width, height, 1, problem);
}

BITMAPINFO TopDownPixelsInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::vector<uint32_t> ReadPixels(HDC source, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO info = TopDownPixelsInfo(width, height);
    void* bits = nullptr;
    BitmapHandle dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC dc(source);
    if (!dib || !bits || !dc.Get()) return {};
    {
        ScopedSelect select(dc.Get(), dib.Get());
        if (!BitBlt(dc.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY)) return {};
    }
    GdiFlush();
    const uint32_t* first = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + static_cast<size_t>(width) * height);
    for (uint32_t& p : pixels)
        p &= 0x00FFFFFF;
    return pixels;
}

void DrawPixels(HDC target, int x, int y, int width, int height, const std::vector<uint32_t>& pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height) return;
    BITMAPINFO info = TopDownPixelsInfo(width, height);
    StretchDIBits(target, x, y, width, height, 0, 0, width, height, pixels.data(), &info, DIB_RGB_COLORS,
                  SRCCOPY);
}

void DrawPictureFile(PictureCache& cache, HDC target, const std::wstring& path, int x, int y, int width,
                     int height, COLORREF fill) {
    FileStamp stamp;
    std::wstring problem;
    if (!ReadFileStamp(path, stamp)) {
        // Gone since it was looked for: the loader says so.
        LoadCellPicture(path, width, height, fill, &problem);
        if (!problem.empty()) NotePictureProblem(cache, path, std::nullopt, std::move(problem));
        ForgetCachedPath(cache, path);
        return;
    }
    fill = UsableFill(fill);
    PictureCacheKey key{path, width, height, static_cast<int32_t>(fill)};
    if (const CachedPicture* cached = FindCachedPicture(cache, key, stamp)) {
        DrawPixels(target, x, y, cached->width, cached->height, cached->pixels);
        return;
    }
    // Not decoded yet, or the file changed: load it as if nothing were kept, messages included.
    Picture picture = LoadCellPicture(path, width, height, fill, &problem);
    if (!picture) {
        if (!problem.empty()) NotePictureProblem(cache, path, stamp, std::move(problem));
        ForgetCachedPath(cache, path);
        return;
    }
    cache.toldProblems.erase(path); // readable again: a later problem is news
    BitBlt(target, x, y, picture.Width(), picture.Height(), picture.Dc(), 0, 0, SRCCOPY);
    CachedPicture kept{picture.Width(), picture.Height(),
                       ReadPixels(picture.Dc(), picture.Width(), picture.Height())};
    if (!kept.pixels.empty()) StoreCachedPicture(cache, key, stamp, std::move(kept));
}
