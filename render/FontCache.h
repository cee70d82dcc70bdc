// Fonts made with identical parameters share one font object for as long as the renderer lives;
// a redraw asks for the same few fonts for thousands of cells.
#pragma once

#include "render/GdiObjects.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>

constexpr int kFontFaceCapacity = 100;

struct FontKey {
    int32_t height = 0;
    int32_t escapement = 0; // also the orientation
    int32_t weight = 400;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeout = 0;
    uint8_t charSet = 0;
    char face[kFontFaceCapacity] = {}; // ANSI, zero-filled behind the name

    bool operator==(const FontKey& other) const { return std::memcmp(this, &other, sizeof(FontKey)) == 0; }
};

struct FontKeyHash {
    size_t operator()(const FontKey& key) const;
};

// How far the ink of each of the characters 0 to 255 reaches left of its origin and right of its
// advance (the negated A and C widths, 0 when inside), so a text's drawn bounds are known from
// its measured width. Read once per font; `usable` stays false for a font that cannot tell.
struct GlyphOverhangs {
    bool known = false;
    bool usable = false;
    uint8_t synthesised = 0; // the overhang of a bold or italic made from the regular face
    uint8_t left[256] = {};
    uint8_t right[256] = {};
};

// The advance of each of the characters 0 to 255 as the font's own drawing of a line places its
// glyphs (-1 for a character not checked), so that many short lines can go to a picture in one
// call and come out exactly as drawn one by one. Read and checked once per font, on pictures of
// `bitsPixel` bits; `usable` stays false when no advances the font reports reproduce its placement.
struct TextAdvances {
    bool known = false;
    bool usable = false;
    int bitsPixel = 0;
    int16_t width[256] = {};
};

// How many pixels further than the font reports each of the characters 0 to 255 can carry a
// drawn line: glyphs are placed by the advances of the rendering the font uses at its size, which
// may be wider than the reported ones. Read for one scale (`unitsPerPixel` of the target's units
// make a pixel); `usable` stays false for a font that cannot tell.
struct GlyphDrift {
    bool known = false;
    bool usable = false;
    double unitsPerPixel = 1;
    uint8_t excess[256] = {};
};

struct CachedFontEntry {
    FontHandle font;
    int lineHeight = 0; // height plus external leading, once read; 0 before
    GlyphOverhangs overhangs;
    GlyphDrift drift[2]; // drawn unscaled, and at the last other scale
    TextAdvances advances;
};

struct FontCache {
    std::unordered_map<FontKey, CachedFontEntry, FontKeyHash> fonts;
    bool bypass = false; // a new font for every request, the previous one deleted (for measuring)
    CachedFontEntry bypassFont;
    uint32_t deletions = 0; // counts the times fonts were deselected and deleted
};

// The key of a font with this face (ANSI, at most 99 characters are taken).
FontKey MakeFontKey(const char* face, int32_t height, int32_t weight, bool italic, bool underline,
                    bool strikeout, int charSet, int32_t escapement);

// The shared font of these parameters, made on first use. When the cache is full it is emptied
// first (and `deletions` counts up); `selectedIn` is the DC that may hold one of its fonts, which
// gets the system font beforehand.
HFONT CachedFont(FontCache& cache, const FontKey& key, HDC selectedIn);
// The same, with the room for the font's line height.
CachedFontEntry& CachedFontWithMetrics(FontCache& cache, const FontKey& key, HDC selectedIn);

// Fonts are kept up to this number; a table needs far fewer, so emptying is rare, and it keeps a
// file with thousands of distinct fonts within the process's GDI object quota.
constexpr size_t kFontCacheLimit = 512;
