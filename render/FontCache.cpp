// The shared fonts of the renderer.
#include "render/FontCache.h"

#include <string>

size_t FontKeyHash::operator()(const FontKey& key) const {
    // FNV-1a over the bytes of the key; the key has no padding (its fields are laid out densely).
    const unsigned char* p = reinterpret_cast<const unsigned char*>(&key);
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < sizeof(FontKey); ++i)
        hash = (hash ^ p[i]) * 16777619u;
    return hash;
}

static_assert(sizeof(FontKey) == 4 * 3 + 4 + kFontFaceCapacity, "FontKey must have no padding bytes");

FontKey MakeFontKey(const char* face, int32_t height, int32_t weight, bool italic, bool underline,
                    bool strikeout, int charSet, int32_t escapement) {
    FontKey key;
    key.height = height;
    key.escapement = escapement;
    key.weight = weight;
    key.italic = italic;
    key.underline = underline;
    key.strikeout = strikeout;
    key.charSet = static_cast<uint8_t>(charSet);
    for (int i = 0; i < kFontFaceCapacity - 1 && face[i]; ++i)
        key.face[i] = face[i];
    return key;
}

namespace {

HFONT CreateKeyFont(const FontKey& key) {
    wchar_t face[kFontFaceCapacity] = {};
    int n = MultiByteToWideChar(CP_ACP, 0, key.face, static_cast<int>(strnlen(key.face, kFontFaceCapacity)),
                                face, kFontFaceCapacity - 1);
    face[n > 0 ? n : 0] = L'\0';
    return CreateFontW(key.height, 0, key.escapement, key.escapement, key.weight, key.italic, key.underline,
                       key.strikeout, key.charSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, face);
}

} // namespace

CachedFontEntry& CachedFontWithMetrics(FontCache& cache, const FontKey& key, HDC selectedIn) {
    if (cache.bypass) {
        if (selectedIn) SelectObject(selectedIn, GetStockObject(SYSTEM_FONT));
        ++cache.deletions;
        cache.bypassFont.font.Reset(CreateKeyFont(key));
        cache.bypassFont.lineHeight = 0;
        cache.bypassFont.overhangs.known = false;
        cache.bypassFont.advances.known = false;
        cache.bypassFont.drift[0].known = cache.bypassFont.drift[1].known = false;
        return cache.bypassFont;
    }
    auto found = cache.fonts.find(key);
    if (found != cache.fonts.end()) return found->second;
    if (cache.fonts.size() >= kFontCacheLimit) {
        if (selectedIn) SelectObject(selectedIn, GetStockObject(SYSTEM_FONT));
        ++cache.deletions;
        cache.fonts.clear();
    }
    CachedFontEntry& entry = cache.fonts[key];
    entry.font.Reset(CreateKeyFont(key));
    return entry;
}

HFONT CachedFont(FontCache& cache, const FontKey& key, HDC selectedIn) {
    return CachedFontWithMetrics(cache, key, selectedIn).font.Get();
}
