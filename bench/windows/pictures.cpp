// Time of one full redraw of a 65 x 46 table with 40 boxes showing a 3000 x 2000 JPEG, against the
// same table with plain boxes: every box decoding the photo again (no kept pictures), the first
// redraw after the kept pictures were dropped (cold), and the following redraws (warm).
#include "document/Structure.h"
#include "render/PictureFiles.h"
#include "render/RenderState.h"
#include "render/Renderer.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace gp = Gdiplus::DllExports;

namespace {

constexpr int kPhotoWidth = 3000;
constexpr int kPhotoHeight = 2000;
constexpr int kPictureBoxes = 40;

// A photo-like picture: smooth gradients with fine noise, so the JPEG is of a usual size.
bool MakePhoto(const std::wstring& path) {
    std::vector<uint32_t> pixels(static_cast<size_t>(kPhotoWidth) * kPhotoHeight);
    uint32_t seed = 12345;
    for (int y = 0; y < kPhotoHeight; ++y)
        for (int x = 0; x < kPhotoWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            int noise = static_cast<int>(seed >> 28);
            uint32_t r = static_cast<uint32_t>(std::min(255, x * 255 / kPhotoWidth + noise));
            uint32_t g = static_cast<uint32_t>(std::min(255, y * 255 / kPhotoHeight + noise));
            uint32_t b = static_cast<uint32_t>(std::min(255, ((x / 40 + y / 40) % 2) * 120 + noise));
            pixels[static_cast<size_t>(y) * kPhotoWidth + x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(kPhotoWidth, kPhotoHeight, kPhotoWidth * 4, PixelFormat32bppRGB,
                                      reinterpret_cast<BYTE*>(pixels.data()), &bitmap) != Gdiplus::Ok)
        return false;
    std::optional<CLSID> jpeg = FindEncoderByMime(L"image/jpeg");
    bool ok = jpeg && gp::GdipSaveImageToFile(bitmap, path.c_str(), &*jpeg, nullptr) == Gdiplus::Ok;
    gp::GdipDisposeImage(bitmap);
    return ok;
}

double Milliseconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string Narrow(const std::wstring& wide) {
    int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), n, nullptr, nullptr);
    text.resize(static_cast<size_t>(n) - 1);
    return text;
}

} // namespace

int main() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;

    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    std::wstring photo = std::wstring(folder) + L"cuadrix-bench-photo.jpg";
    if (!MakePhoto(photo)) {
        std::printf("could not write the test photo\n");
        return 1;
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(photo.c_str(), GetFileExInfoStandard, &data);

    Document doc;
    ApplyNewPreset(doc, *FindNewPreset(3302)); // 65 x 46 cells of 16 pixels
    RenderState render;
    render.tablePicture = Picture(kTablePictureSize, kTablePictureSize);
    auto redraw = [&] {
        ClearToPaper(render.tablePicture, doc);
        DrawPageGuides(render.tablePicture.Dc());
        DrawTable(render, doc, 0, render.tablePicture.Dc(), doc.tableColumns, doc.tableRows, 2, 2,
                  static_cast<COLORREF>(doc.lineColor));
    };

    // Forty boxes spread over the table, each one cell.
    std::vector<CellRecord*> boxes;
    for (int i = 0; i < kPictureBoxes; ++i) {
        CellRecord& cell = doc.cellGrid(3 + (i % 10) * 6, 4 + (i / 10) * 10);
        cell.isBox = 1;
        boxes.push_back(&cell);
    }
    std::string spec = Narrow(photo) + "|16777215";

    const int repeats = 15;
    std::vector<double> plain, uncached, cold, warm;
    for (int i = 0; i < repeats; ++i)
        plain.push_back(Milliseconds(redraw));

    for (CellRecord* cell : boxes) {
        cell->backColor = kNoColor;
        AssignField(cell->imageSpec, spec);
    }
    render.pictureCache.budget = 0; // nothing kept: every box decodes the photo at every redraw
    for (int i = 0; i < 3; ++i)
        uncached.push_back(Milliseconds(redraw));
    render.pictureCache.budget = kPictureCacheBudget;
    for (int i = 0; i < 3; ++i) {
        ClearPictureCache(render.pictureCache);
        cold.push_back(Milliseconds(redraw));
    }
    for (int i = 0; i < repeats; ++i)
        warm.push_back(Milliseconds(redraw));

    // Plain boxes again, now that everything else is warm too, for a fair comparison.
    std::vector<double> plainAfter;
    for (CellRecord* cell : boxes)
        cell->backColor = kWhite;
    for (int i = 0; i < repeats; ++i)
        plainAfter.push_back(Milliseconds(redraw));

    std::printf("photo %d x %d JPEG, %lu bytes; table 65 x 46, %d picture boxes of 14 x 14 pixels\n",
                kPhotoWidth, kPhotoHeight, static_cast<unsigned long>(data.nFileSizeLow), kPictureBoxes);
    std::printf("full redraw, plain boxes (first):            %8.2f ms (median of %d)\n", Median(plain),
                repeats);
    std::printf("full redraw, plain boxes (last):             %8.2f ms (median of %d)\n", Median(plainAfter),
                repeats);
    std::printf("full redraw, pictures, nothing kept:         %8.2f ms (median of 3)\n", Median(uncached));
    std::printf("full redraw, pictures, cold (first redraw):  %8.2f ms (median of 3)\n", Median(cold));
    std::printf("full redraw, pictures, warm:                 %8.2f ms (median of %d)\n", Median(warm),
                repeats);

    DeleteFileW(photo.c_str());
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
