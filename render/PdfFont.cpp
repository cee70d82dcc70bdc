// TrueType subsets and the composite fonts of PDF around them.
#include "render/PdfFont.h"

#include <algorithm>
#include <cstdio>

namespace {

// Big-endian reads that give 0 beyond the end: a short table reads as zeros, never out of bounds.
uint32_t U16(const std::string& bytes, size_t at) {
    if (at > bytes.size() || bytes.size() - at < 2) return 0;
    return (uint32_t(uint8_t(bytes[at])) << 8) | uint8_t(bytes[at + 1]);
}

int S16(const std::string& bytes, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(U16(bytes, at)));
}

uint32_t U32(const std::string& bytes, size_t at) {
    return (U16(bytes, at) << 16) | U16(bytes, at + 2);
}

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value >> 16);
    Put16(out, value & 0xFFFF);
}

void Set32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}

uint32_t Checksum(const std::string& bytes) {
    uint32_t sum = 0;
    for (size_t at = 0; at < bytes.size(); at += 4) {
        uint32_t word = 0;
        for (size_t k = 0; k < 4; ++k)
            word = (word << 8) | (at + k < bytes.size() ? uint8_t(bytes[at + k]) : 0u);
        sum += word;
    }
    return sum;
}

const std::string& Table(const FontTables& tables, const char* tag) {
    static const std::string kNone;
    auto found = tables.find(tag);
    return found == tables.end() ? kNone : found->second;
}

// Where each glyph's outline lies in glyf; false when loca does not fit the font.
bool GlyphRanges(const FontTables& tables, int glyphCount, std::vector<std::pair<size_t, size_t>>& ranges) {
    const std::string& head = Table(tables, "head");
    const std::string& loca = Table(tables, "loca");
    const std::string& glyf = Table(tables, "glyf");
    const bool longOffsets = S16(head, 50) == 1;
    const size_t entry = longOffsets ? 4 : 2;
    if (glyphCount <= 0 || loca.size() / entry < size_t(glyphCount) + 1) return false;
    ranges.assign(size_t(glyphCount), {0, 0});
    for (size_t g = 0; g < size_t(glyphCount); ++g) {
        size_t from = longOffsets ? U32(loca, g * 4) : size_t(U16(loca, g * 2)) * 2;
        size_t to = longOffsets ? U32(loca, g * 4 + 4) : size_t(U16(loca, g * 2 + 2)) * 2;
        // A range out of order or beyond glyf is an empty glyph rather than a reason to refuse.
        if (from > to || to > glyf.size()) from = to = 0;
        ranges[g] = {from, to};
    }
    return true;
}

// The glyphs a composite glyph is made of.
void AddComponents(const std::string& outline, std::vector<uint16_t>& found) {
    if (outline.size() < 10 || S16(outline, 0) >= 0) return;
    size_t at = 10;
    while (at + 4 <= outline.size()) {
        const uint32_t flags = U16(outline, at);
        found.push_back(static_cast<uint16_t>(U16(outline, at + 2)));
        at += 4 + ((flags & 0x1) ? 4 : 2);
        if (flags & 0x8)
            at += 2;
        else if (flags & 0x40)
            at += 4;
        else if (flags & 0x80)
            at += 8;
        if (!(flags & 0x20)) break;
    }
}

std::string SubsetTag(const std::string& name, const std::vector<uint16_t>& glyphs) {
    uint32_t hash = 2166136261u;
    for (char c : name)
        hash = (hash ^ uint8_t(c)) * 16777619u;
    for (uint16_t g : glyphs)
        hash = (hash ^ g) * 16777619u;
    std::string tag;
    for (int i = 0; i < 6; ++i, hash /= 26)
        tag += static_cast<char>('A' + hash % 26);
    return tag;
}

std::string Hex4(uint32_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

// A character as UTF-16 in hexadecimal, a pair of surrogates beyond the first plane.
std::string Utf16Hex(char32_t c) {
    if (c < 0x10000) return Hex4(c);
    const uint32_t v = uint32_t(c) - 0x10000;
    return Hex4(0xD800 + (v >> 10)) + Hex4(0xDC00 + (v & 0x3FF));
}

} // namespace

TrueTypeMetrics ReadTrueTypeMetrics(const FontTables& tables) {
    TrueTypeMetrics metrics;
    const std::string& head = Table(tables, "head");
    const std::string& hhea = Table(tables, "hhea");
    const std::string& maxp = Table(tables, "maxp");
    const std::string& hmtx = Table(tables, "hmtx");
    const std::string& os2 = Table(tables, "OS/2");
    if (head.size() < 54 || hhea.size() < 36 || maxp.size() < 6 || !tables.count("glyf")) return metrics;
    metrics.unitsPerEm = int(U16(head, 18));
    metrics.glyphCount = int(U16(maxp, 4));
    const size_t horizontalMetrics = U16(hhea, 34);
    if (metrics.unitsPerEm < 16 || metrics.unitsPerEm > 16384 || horizontalMetrics == 0 ||
        hmtx.size() / 4 < horizontalMetrics)
        return metrics;
    std::vector<std::pair<size_t, size_t>> ranges;
    if (!GlyphRanges(tables, metrics.glyphCount, ranges)) return metrics;
    for (int i = 0; i < 4; ++i)
        metrics.box[i] = S16(head, 36 + size_t(i) * 2);
    metrics.ascent = S16(hhea, 4);
    metrics.descent = S16(hhea, 6);
    metrics.italic = (U16(head, 44) & 2) != 0;
    if (os2.size() >= 6) metrics.weightClass = int(U16(os2, 4));
    metrics.usable = true;
    return metrics;
}

int GlyphAdvance(const FontTables& tables, int glyph) {
    const std::string& hhea = Table(tables, "hhea");
    const std::string& hmtx = Table(tables, "hmtx");
    const size_t horizontalMetrics = U16(hhea, 34);
    if (glyph < 0 || horizontalMetrics == 0) return 0;
    return int(U16(hmtx, std::min(size_t(glyph), horizontalMetrics - 1) * 4));
}

std::string SubsetTrueType(const FontTables& tables, const std::vector<uint16_t>& glyphs) {
    const TrueTypeMetrics metrics = ReadTrueTypeMetrics(tables);
    if (!metrics.usable) return {};
    std::vector<std::pair<size_t, size_t>> ranges;
    if (!GlyphRanges(tables, metrics.glyphCount, ranges)) return {};
    const std::string& glyf = Table(tables, "glyf");

    // The glyphs shown and every glyph they are built of, however deep.
    std::vector<char> keep(ranges.size(), 0);
    std::vector<uint16_t> pending(glyphs);
    pending.push_back(0);
    while (!pending.empty()) {
        const uint16_t g = pending.back();
        pending.pop_back();
        if (g >= keep.size() || keep[g]) continue;
        keep[g] = 1;
        AddComponents(glyf.substr(ranges[g].first, ranges[g].second - ranges[g].first), pending);
    }

    std::string newGlyf, newLoca;
    for (size_t g = 0; g < ranges.size(); ++g) {
        Put32(newLoca, uint32_t(newGlyf.size()));
        if (!keep[g]) continue;
        newGlyf.append(glyf, ranges[g].first, ranges[g].second - ranges[g].first);
        newGlyf.append((4 - newGlyf.size() % 4) % 4, '\0');
    }
    Put32(newLoca, uint32_t(newGlyf.size()));

    std::map<std::string, std::string> out;
    for (const char* tag : {"hhea", "hmtx", "maxp", "cvt ", "fpgm", "prep"})
        if (tables.count(tag)) out[tag] = Table(tables, tag);
    std::string head = Table(tables, "head");
    Set32(head, 8, 0);          // the whole file's checksum, set below
    head[50] = 0, head[51] = 1; // long loca offsets
    out["head"] = head;
    out["loca"] = newLoca;
    out["glyf"] = newGlyf;

    const uint16_t count = static_cast<uint16_t>(out.size());
    uint16_t power = 1, selector = 0;
    while (power * 2 <= count) {
        power = static_cast<uint16_t>(power * 2);
        ++selector;
    }
    std::string file;
    Put32(file, 0x00010000);
    Put16(file, count);
    Put16(file, power * 16u);
    Put16(file, selector);
    Put16(file, count * 16u - power * 16u);
    size_t offset = 12 + 16 * size_t(count);
    std::string body;
    size_t headAt = 0;
    for (const auto& [tag, bytes] : out) {
        file += tag;
        Put32(file, Checksum(bytes));
        Put32(file, uint32_t(offset + body.size()));
        Put32(file, uint32_t(bytes.size()));
        if (tag == "head") headAt = offset + body.size();
        body += bytes;
        body.append((4 - body.size() % 4) % 4, '\0');
    }
    file += body;
    Set32(file, headAt + 8, 0xB1B0AFBAu - Checksum(file));
    return file;
}

PdfFont::PdfFont(std::string baseName, FontTables tables)
    : baseName_(std::move(baseName)), tables_(std::move(tables)), metrics_(ReadTrueTypeMetrics(tables_)) {}

uint16_t PdfFont::Cid(char32_t character, uint16_t glyph) {
    auto known = cids_.find(character);
    if (known != cids_.end()) return known->second;
    if (characters_.size() > 0xFFFF) return 0; // more characters than CIDs: shown as nothing
    const uint16_t cid = static_cast<uint16_t>(characters_.size());
    characters_.push_back(character);
    glyphs_.push_back(metrics_.usable && glyph < metrics_.glyphCount ? glyph : 0);
    cids_[character] = cid;
    return cid;
}

double PdfFont::Advance(uint16_t cid) const {
    if (cid >= glyphs_.size() || !metrics_.usable) return 0;
    return GlyphAdvance(tables_, glyphs_[cid]) * 1000.0 / metrics_.unitsPerEm;
}

void PdfFont::Write(PdfObjects& objects, int number) const {
    const std::string name = PdfName(SubsetTag(baseName_, glyphs_) + "+" + baseName_);
    const double unit = metrics_.usable ? 1000.0 / metrics_.unitsPerEm : 1.0;

    std::string widths = "[1[";
    for (size_t cid = 1; cid < glyphs_.size(); ++cid)
        widths += (cid > 1 ? " " : "") + PdfNumber(Advance(uint16_t(cid)));
    widths += "]]";
    std::string map;
    for (uint16_t glyph : glyphs_) {
        map += static_cast<char>(glyph >> 8);
        map += static_cast<char>(glyph & 0xFF);
    }
    const int toGlyph = objects.AddStream("", map);
    const int toUnicode = objects.AddStream("", ToUnicodeCMap(characters_));

    std::string descriptor = "<</Type/FontDescriptor/FontName" + name + "/Flags " +
                             std::to_string(metrics_.italic ? 4 + 64 : 4) + "/FontBBox[";
    for (int i = 0; i < 4; ++i)
        descriptor += (i ? " " : "") + PdfNumber(metrics_.box[i] * unit);
    descriptor += "]/ItalicAngle " + std::string(metrics_.italic ? "-12" : "0") + "/Ascent " +
                  PdfNumber(metrics_.ascent * unit) + "/Descent " + PdfNumber(metrics_.descent * unit) +
                  "/CapHeight " + PdfNumber(metrics_.ascent * unit) + "/StemV " +
                  (metrics_.weightClass >= 600 ? "140" : "80");
    const std::string subset = SubsetTrueType(tables_, glyphs_);
    if (!subset.empty())
        descriptor += "/FontFile2 " +
                      std::to_string(objects.AddStream("/Length1 " + std::to_string(subset.size()), subset)) +
                      " 0 R";
    descriptor += ">>";
    const int described = objects.Add(descriptor);
    const int descendant =
        objects.Add("<</Type/Font/Subtype/CIDFontType2/BaseFont" + name +
                    "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor " +
                    std::to_string(described) + " 0 R/DW 1000/W" + widths + "/CIDToGIDMap " +
                    std::to_string(toGlyph) + " 0 R>>");
    objects.Set(number, "<</Type/Font/Subtype/Type0/BaseFont" + name +
                            "/Encoding/Identity-H/DescendantFonts[" + std::to_string(descendant) +
                            " 0 R]/ToUnicode " + std::to_string(toUnicode) + " 0 R>>");
}

std::string ToUnicodeCMap(const std::vector<char32_t>& characters) {
    std::string out = "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
                      "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n";
    std::vector<std::string> lines;
    for (size_t cid = 1; cid < characters.size(); ++cid) {
        const char32_t c = characters[cid];
        if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) continue;
        lines.push_back("<" + Hex4(uint32_t(cid)) + "><" + Utf16Hex(c) + ">\n");
    }
    // At most 100 entries to a block, as the format asks.
    for (size_t at = 0; at < lines.size(); at += 100) {
        const size_t block = std::min<size_t>(100, lines.size() - at);
        out += std::to_string(block) + " beginbfchar\n";
        for (size_t i = 0; i < block; ++i)
            out += lines[at + i];
        out += "endbfchar\n";
    }
    out += "endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n";
    return out;
}
