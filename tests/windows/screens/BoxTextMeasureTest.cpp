// The chart builder measures box texts in the table's own pixels, as the table draws them, so a
// list builds into the same chart on every screen (the test scripts run this at 96, 120 and 144
// DPI).
#include "document/CellRecord.h"
#include "render/BoxTextMeasureGdi.h"
#include "render/Dpi.h"
#include "render/FontCache.h"
#include "render/GdiObjects.h"
#include "render/Renderer.h"

#include <gtest/gtest.h>

#include <string>

TEST(BoxTextMeasure, TextsAreMeasuredAsTheTableDrawsThemWhateverTheScreen) {
    const BoxTextMeasure measure = MakeGdiBoxTextMeasure(0);
    MemoryDC dc{nullptr};
    FontCache fonts;
    for (int points : {7, 10, 14})
        for (std::u16string text : {u"Marta Dubois Head of Sales", u"Étienne Martínez Head of Marketing"}) {
            SCOPED_TRACE(std::to_string(points) + " points");
            // The width of the whole text on one line in the font the table draws the box with.
            CellRecord cell{};
            AssignField(cell.fontName, kDefaultFontName);
            cell.fontSize = int16_t(points);
            cell.alignment = kAlignCenter;
            CachedFontEntry& font = CachedFontWithMetrics(fonts, CellFontKey(cell, 0, kTableDpi), dc.Get());
            SelectObject(dc.Get(), font.font.Get());
            SIZE size{};
            ASSERT_TRUE(GetTextExtentPoint32W(dc.Get(), reinterpret_cast<const wchar_t*>(text.c_str()),
                                              int(text.size()), &size));
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc.Get(), &metrics);
            SelectObject(dc.Get(), GetStockObject(SYSTEM_FONT));
            EXPECT_EQ(measure.lineCount(text, size.cx, points), 1);
            EXPECT_GT(measure.lineCount(text, size.cx - 1, points), 1);
            EXPECT_EQ(measure.lineHeight(points), metrics.tmHeight + metrics.tmExternalLeading);
        }
}
