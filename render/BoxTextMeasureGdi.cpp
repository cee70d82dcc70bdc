// Box-text extents and line heights from GDI, for the chart builder.
#include "render/BoxTextMeasureGdi.h"

#include "render/BoxTextFit.h"
#include "render/Dpi.h"
#include "render/FontCache.h"
#include "render/GdiObjects.h"
#include "render/Renderer.h"
#include "render/TextLayout.h"

#include <memory>
#include <vector>

namespace {

struct Measuring {
    MemoryDC dc{nullptr};
    FontCache fonts;
    int16_t characterSet = 0;
    // The table's pixels are the same on every screen (the zoom scales them): so are its texts.
    int logPixelsY = kTableDpi;

    // Selects the box font of that size and returns its entry; it stays selected until the next.
    CachedFontEntry& Use(int points) {
        CellRecord cell{};
        AssignField(cell.fontName, kDefaultFontName);
        cell.fontSize = int16_t(points);
        cell.alignment = kAlignCenter;
        CachedFontEntry& font =
            CachedFontWithMetrics(fonts, CellFontKey(cell, characterSet, logPixelsY), dc.Get());
        SelectObject(dc.Get(), font.font.Get());
        if (font.lineHeight == 0) {
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc.Get(), &metrics);
            font.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        }
        ReadGlyphPlacement(dc.Get(), 1, font.drift[0], nullptr);
        return font;
    }

    ~Measuring() {
        // The cached fonts are deleted after this: none of them may still be selected.
        if (dc.Get()) SelectObject(dc.Get(), GetStockObject(SYSTEM_FONT));
    }
};

} // namespace

namespace {

std::vector<int> Extents(Measuring& state, std::u16string_view text, int points, bool drawn) {
    const GlyphDrift& drift = state.Use(points).drift[0];
    std::vector<int> extents(text.size());
    SIZE size{};
    if (!text.empty())
        GetTextExtentExPointW(state.dc.Get(), reinterpret_cast<const wchar_t*>(text.data()), int(text.size()),
                              0, nullptr, extents.data(), &size);
    if (!drawn) return extents;
    // The table draws each glyph where the font's own rendering puts it, which may be a little
    // right of its reported advance: the extents are those of the drawn text.
    int excess = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (drift.usable && text[i] <= 255) excess += drift.excess[text[i]];
        extents[i] += excess;
    }
    return extents;
}

BoxTextMeasure MakeMeasure(int16_t characterSet, bool drawn) {
    auto state = std::make_shared<Measuring>();
    state->characterSet = characterSet;
    BoxTextMeasure measure = MakeBoxTextMeasure(
        [state, drawn](std::u16string_view text, int points) { return Extents(*state, text, points, drawn); },
        [state](int points) { return state->Use(points).lineHeight; });
    // Lines break where the reported advances end.
    measure.breakingLineCount =
        MakeBoxTextMeasure(
            [state](std::u16string_view text, int points) { return Extents(*state, text, points, false); },
            [state](int points) { return state->Use(points).lineHeight; })
            .lineCount;
    return measure;
}

} // namespace

BoxTextMeasure MakeGdiBoxTextMeasure(int16_t characterSet) {
    return MakeMeasure(characterSet, true);
}

BoxTextMeasure MakeGdiBreakingMeasure(int16_t characterSet) {
    return MakeMeasure(characterSet, false);
}
