// Fonts embedded in a PDF: a TrueType font cut down to the glyphs a document shows (every other
// glyph left empty, so glyph numbers stay as they are), and the objects of PDF's composite font
// around it, with the text each glyph stands for so that readers can copy and search it. The
// font's tables come from outside (the system's font files), so every read is checked.
#pragma once

#include "render/PdfObjects.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A TrueType font's tables by tag ("head", "glyf", ...), as the system hands them out one by one.
using FontTables = std::map<std::string, std::string>;

// What PDF needs of a font besides its outlines; `usable` false when the tables do not hold
// together as a TrueType font with outlines (glyf and loca).
struct TrueTypeMetrics {
    bool usable = false;
    int unitsPerEm = 0;
    int glyphCount = 0;
    int ascent = 0;
    int descent = 0;
    int box[4] = {0, 0, 0, 0}; // xMin, yMin, xMax, yMax
    int weightClass = 400;
    bool italic = false;
};
TrueTypeMetrics ReadTrueTypeMetrics(const FontTables& tables);

// The advance width of a glyph in font units (0 for a glyph the font does not have).
int GlyphAdvance(const FontTables& tables, int glyph);

// A TrueType font file holding the tables PDF readers use, with only the outlines of `glyphs`
// (and of the glyphs they are made of, and glyph 0) kept. Empty when the font is not usable.
std::string SubsetTrueType(const FontTables& tables, const std::vector<uint16_t>& glyphs);

// One font of the document: the characters shown with it get numbers (CIDs) of their own, in the
// order they first appear, each with its glyph and the character it stands for.
class PdfFont {
  public:
    PdfFont(std::string baseName, FontTables tables);
    bool Embeddable() const { return metrics_.usable; }
    const TrueTypeMetrics& Metrics() const { return metrics_; }
    // The number of the character, shown with `glyph` (0 where the font has none).
    uint16_t Cid(char32_t character, uint16_t glyph);
    // The advance of a CID's glyph in thousandths of the font size.
    double Advance(uint16_t cid) const;
    // Writes the font (the composite font, its descendant, descriptor, file, widths, CID-to-glyph
    // map and ToUnicode map) with the composite font as object `number`.
    void Write(PdfObjects& objects, int number) const;

  private:
    std::string baseName_;
    FontTables tables_;
    TrueTypeMetrics metrics_;
    std::map<char32_t, uint16_t> cids_;
    std::vector<char32_t> characters_{0}; // by CID; CID 0 stands for nothing
    std::vector<uint16_t> glyphs_{0};
};

// The ToUnicode map of characters by CID (CID 0 and characters 0 are left out).
std::string ToUnicodeCMap(const std::vector<char32_t>& characters);
