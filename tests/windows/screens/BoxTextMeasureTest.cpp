// The chart builder measures box texts as the table draws them, in the table's own pixels, so no
// built box cuts its text and a list builds into the same chart on every screen (the test scripts
// run this at 96, 120 and 144 DPI).
#include "document/CellRecord.h"
#include "render/BoxTextMeasureGdi.h"
#include "render/Dpi.h"
#include "render/FontCache.h"
#include "render/GdiObjects.h"
#include "render/Renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Where the ink of `text` drawn at x = 0 in the box font ends, in the table's pixels.
int InkEnd(std::u16string_view text, int points) {
    MemoryDC dc{nullptr};
    FontCache fonts;
    CellRecord cell{};
    AssignField(cell.fontName, kDefaultFontName);
    cell.fontSize = int16_t(points);
    cell.alignment = kAlignCenter;
    CachedFontEntry& font = CachedFontWithMetrics(fonts, CellFontKey(cell, 0, kTableDpi), dc.Get());
    constexpr int kWidth = 1200, kHeight = 60, kLeft = 20;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HGDIOBJ oldBitmap = SelectObject(dc.Get(), bitmap.Get());
    HGDIOBJ oldFont = SelectObject(dc.Get(), font.font.Get());
    PatBlt(dc.Get(), 0, 0, kWidth, kHeight, WHITENESS);
    SetBkMode(dc.Get(), TRANSPARENT);
    TextOutW(dc.Get(), kLeft, 10, reinterpret_cast<const wchar_t*>(text.data()), int(text.size()));
    GdiFlush();
    int end = 0;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if ((pixels[y * kWidth + x] & 0xFFFFFF) != 0xFFFFFF) end = std::max(end, x + 1 - kLeft);
    SelectObject(dc.Get(), oldFont);
    SelectObject(dc.Get(), oldBitmap);
    return end;
}

} // namespace

TEST(BoxTextMeasure, TextsAreMeasuredAsTheTableDrawsThemWhateverTheScreen) {
    const BoxTextMeasure measure = MakeGdiBoxTextMeasure(0);
    for (int points : {7, 10, 14})
        for (std::u16string text : {u"Marta Dubois Head of Sales", u"Étienne Martínez Head of Marketing",
                                    u"Pablo Martínez Developer", u"Emily Schneider Designer"}) {
            SCOPED_TRACE(std::to_string(points) + " points");
            // The narrowest text area the measure gives the text one line in: no narrower than its
            // ink, or the box would cut it, and not much wider.
            const int ink = InkEnd(text, points);
            EXPECT_GT(measure.lineCount(text, ink - 1, points), 1);
            EXPECT_EQ(measure.lineCount(text, ink + ink / 20 + 2, points), 1);
        }
}
