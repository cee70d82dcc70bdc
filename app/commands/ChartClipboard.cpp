// Putting the cut chart on the clipboard.
#include "app/commands/ChartClipboard.h"

#include "render/MetafileSvg.h"
#include "render/Pictures.h"

#include <cstring>

namespace {

HGLOBAL GlobalCopy(const void* bytes, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
    return memory;
}

// Hands memory to the clipboard, which owns it from then on; freed here when it was refused.
bool Give(UINT format, HANDLE data) {
    if (!data) return false;
    if (SetClipboardData(format, data)) return true;
    if (format == CF_ENHMETAFILE)
        DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
    else
        GlobalFree(data);
    return false;
}

// Another program (a clipboard manager, a remote desktop) may hold the clipboard for a moment:
// opening it is tried again for about a quarter of a second before the copy is given up.
bool OpenClipboardSoon(HWND owner) {
    constexpr int kAttempts = 10;
    constexpr DWORD kPauseMs = 25;
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(owner)) return true;
        if (attempt == kAttempts) return false;
        Sleep(kPauseMs);
    }
}

} // namespace

std::vector<uint8_t> PackedDib24(const std::vector<uint32_t>& pixels, int width, int height) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height) return {};
    const size_t rowSize = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height; // bottom-up, as every reader expects of a CF_DIB
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(rowSize * height);
    std::vector<uint8_t> dib(sizeof header + rowSize * height, 0);
    std::memcpy(dib.data(), &header, sizeof header);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = dib.data() + sizeof header + static_cast<size_t>(height - 1 - y) * rowSize;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            row[3 * x] = static_cast<uint8_t>(p);
            row[3 * x + 1] = static_cast<uint8_t>(p >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(p >> 16);
        }
    }
    return dib;
}

bool PutCutChartOnClipboard(HWND owner, const CutChart& chart) {
    if (!chart.metafile || !chart.picture) return false;
    const std::vector<uint32_t> pixels = ReadPixels(chart.picture.Dc(), chart.width, chart.height);
    const std::string png = OpaquePng(pixels, chart.width, chart.height);
    const std::vector<uint8_t> dib = PackedDib24(pixels, chart.width, chart.height);
    const UINT pngFormat = RegisterClipboardFormatW(kPngClipboardFormat);
    if (png.empty() || dib.empty() || pngFormat == 0) return false;

    if (!OpenClipboardSoon(owner)) return false;
    bool ok = EmptyClipboard() && Give(CF_ENHMETAFILE, CopyEnhMetaFileW(chart.metafile.Get(), nullptr)) &&
              Give(pngFormat, GlobalCopy(png.data(), png.size())) &&
              Give(CF_DIB, GlobalCopy(dib.data(), dib.size()));
    if (!ok) EmptyClipboard(); // half a chart is worse than none
    CloseClipboard();
    return ok;
}
