// Fuzzes the font reading of the PDF export: the input is a font file whose tables (found through
// its directory, as the system hands them out) are cut down and embedded; whatever the tables
// hold, the subset and the font's objects are made without reading out of bounds, and a subset is
// made only of a usable font.
#include "render/PdfFont.h"

#include <cstdlib>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

uint32_t Read32(const std::string& b, size_t at) {
    return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
           (uint32_t(uint8_t(b[at + 2])) << 8) | uint8_t(b[at + 3]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    if (file.size() < 12) return 0;
    FontTables tables;
    const size_t count = (uint8_t(file[4]) << 8) | uint8_t(file[5]);
    for (size_t i = 0; i < count && 12 + 16 * i + 16 <= file.size(); ++i) {
        const size_t record = 12 + 16 * i;
        const size_t offset = Read32(file, record + 8), length = Read32(file, record + 12);
        if (offset > file.size() || length > file.size() - offset) continue;
        tables[file.substr(record, 4)] = file.substr(offset, length);
    }
    std::vector<uint16_t> glyphs;
    for (size_t at = 12; at + 1 < file.size() && glyphs.size() < 64; at += 37)
        glyphs.push_back(uint16_t((uint8_t(file[at]) << 8) | uint8_t(file[at + 1])));
    const std::string subset = SubsetTrueType(tables, glyphs);
    Require(subset.empty() == !ReadTrueTypeMetrics(tables).usable);

    PdfFont font("Fuzzed", tables);
    for (uint16_t g : glyphs)
        font.Cid(char32_t(0x41 + g % 0x10FFBF), g);
    PdfObjects objects;
    font.Write(objects, objects.Reserve());
    return 0;
}
