// The PDF writer against a real font file and two independent readers: a TrueType subset keeps
// the outlines it should byte for byte, and a document of random hostile texts is accepted by
// qpdf and gives back, through poppler, every text, title and outline entry as it was written.
#include "render/PdfBook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

namespace {

const char* const kFont = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

uint32_t Read32(const std::string& b, size_t at) {
    return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
           (uint32_t(uint8_t(b[at + 2])) << 8) | uint8_t(b[at + 3]);
}

// The tables of a font file, as the directory at its start lists them.
FontTables TablesOf(const std::string& file) {
    FontTables tables;
    const size_t count = (uint8_t(file[4]) << 8) | uint8_t(file[5]);
    for (size_t i = 0; i < count; ++i) {
        const size_t record = 12 + 16 * i;
        tables[file.substr(record, 4)] = file.substr(Read32(file, record + 8), Read32(file, record + 12));
    }
    return tables;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Each glyph's outline bytes, by loca.
std::vector<std::string> Outlines(const FontTables& tables) {
    const std::string& loca = tables.at("loca");
    const bool longOffsets = uint8_t(tables.at("head")[51]) == 1;
    const size_t count = (uint8_t(tables.at("maxp")[4]) << 8) | uint8_t(tables.at("maxp")[5]);
    auto at = [&](size_t g) {
        return longOffsets ? Read32(loca, g * 4)
                           : ((uint8_t(loca[g * 2]) << 8) | uint8_t(loca[g * 2 + 1])) * 2u;
    };
    std::vector<std::string> outlines;
    for (size_t g = 0; g < count; ++g)
        outlines.push_back(tables.at("glyf").substr(at(g), at(g + 1) - at(g)));
    return outlines;
}

#ifndef _WIN32
// What a reader prints. The readers are Linux programs: this test runs in the native build, and
// the end-to-end test gives the program's own files to the same readers.
std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// A field of pdfinfo's report, without the blanks that align it.
std::string Field(const std::string& report, const std::string& name) {
    size_t at = report.find(name + ":");
    if (at == std::string::npos) return {};
    at = report.find_first_not_of(' ', at + name.size() + 1);
    return report.substr(at, report.find('\n', at) - at);
}

std::string Utf8(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6)), out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12)), out += char(0x80 | ((c >> 6) & 0x3F)),
                out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18)), out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F)), out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string Utf16(std::u32string_view text) {
    std::u16string out;
    for (char32_t c : text) {
        if (c < 0x10000) {
            out += char16_t(c);
        } else {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

#endif

} // namespace

TEST(PdfFont, SubsetKeepsTheShownOutlinesAsTheyWereAndEmptiesTheOthers) {
    const FontTables original = TablesOf(ReadFile(kFont));
    ASSERT_TRUE(original.count("glyf")) << kFont << " (fonts-liberation) is needed";
    const std::vector<std::string> before = Outlines(original);
    std::mt19937 random(7);
    std::vector<uint16_t> shown;
    for (int i = 0; i < 40; ++i)
        shown.push_back(uint16_t(random() % before.size()));

    const std::string subset = SubsetTrueType(original, shown);
    const FontTables cut = TablesOf(subset);
    const std::vector<std::string> after = Outlines(cut);
    ASSERT_EQ(before.size(), after.size());
    for (uint16_t g : shown)
        EXPECT_EQ(before[g], after[g].substr(0, before[g].size())) << "glyph " << g;
    size_t kept = 0;
    for (size_t g = 0; g < after.size(); ++g) {
        if (after[g].empty()) continue;
        ++kept;
        EXPECT_EQ(before[g], after[g].substr(0, before[g].size())) << "glyph " << g;
    }
    EXPECT_LT(kept, before.size() / 4);
    EXPECT_EQ(original.at("hmtx"), cut.at("hmtx"));
    // The whole file sums to the constant the format fixes once head's adjustment is in.
    uint32_t sum = 0;
    for (size_t at = 0; at + 4 <= subset.size(); at += 4)
        sum += Read32(subset, at);
    EXPECT_EQ(0xB1B0AFBAu, sum);
}

#ifndef _WIN32
TEST(PdfBook, ReadersGiveBackEveryTextTitleAndOutlineEntryAsWritten) {
    const FontTables tables = TablesOf(ReadFile(kFont));
    ASSERT_TRUE(tables.count("glyf"));
    // Names from every plane, with PDF's own delimiters among them; right-to-left scripts in words
    // of their own, since readers order mixed runs for display.
    const std::u32string alphabet = U"()<>[]{}/%\\#AbcÑñçéüßØ\u0141\u0394\u03A9\u0416\u4E2D\u6587\u3042"
                                    U"\uAC00\U0001F600\U00020000\U0001D11E";
    std::mt19937 random(11);
    PdfBook book;
    const int font = book.AddFont("sans", "LiberationSans", tables);
    std::vector<std::u32string> names;
    const int pages = 3;
    for (int page = 0; page < pages; ++page) {
        std::string content;
        for (int line = 0; line < 6; ++line) {
            std::u32string name;
            for (int k = 0; k < 8; ++k)
                name += alphabet[random() % alphabet.size()];
            if (line == 2) name = page % 2 ? U"\u05E9\u05DC\u05D5\u05DD" : U"\u0633\u0644\u0627\u0645";
            names.push_back(name);
            std::string shown = "[";
            for (char32_t c : name) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "<%04X>", book.Font(font).Cid(c, uint16_t(36 + c % 50)));
                shown += hex;
            }
            content += "BT " + book.FontName(font) + " 12 Tf 1 0 0 -1 20 " + std::to_string(30 + 30 * line) +
                       " Tm " + shown + "] TJ ET\n";
        }
        book.AddPage(content, PdfSheetFor(400, 300, PdfPaper::A4),
                     {PdfLink{0, 0, 50, 20, (page + 1) % pages}}, page, Utf16(names.back()));
    }
    const std::u32string title = U"Org (chart) \\ <2026> \U0001F600";
    const std::string path = testing::TempDir() + "pdf_writer_test.pdf";
    {
        std::ofstream out(path, std::ios::binary);
        out << book.Finish(Utf16(title), u"Cuadrix 1.0.0");
    }
    const std::string check = Output("qpdf --check '" + path + "' 2>&1");
    EXPECT_NE(std::string::npos, check.find("No syntax or stream encoding errors")) << check;
    const std::string info = Output("pdfinfo -enc UTF-8 '" + path + "' 2>&1");
    EXPECT_EQ(Utf8(title), Field(info, "Title")) << info;
    EXPECT_EQ("3", Field(info, "Pages")) << info;
    const std::string fonts = Output("pdffonts '" + path + "' 2>&1");
    // One font, embedded as a subset with its ToUnicode map: "emb sub uni" all "yes".
    EXPECT_NE(std::string::npos, fonts.find("+LiberationSans")) << fonts;
    EXPECT_NE(std::string::npos, fonts.find("Identity-H       yes yes yes")) << fonts;
    // Poppler marks right-to-left runs with embedding controls (U+202A..U+202E); the text is that
    // without them.
    std::string text = Output("pdftotext -enc UTF-8 -raw '" + path + "' - 2>&1");
    for (const char* control : {"\u202A", "\u202B", "\u202C", "\u202D", "\u202E"})
        for (size_t at; (at = text.find(control)) != std::string::npos;)
            text.erase(at, 3);
    // A right-to-left word may come out in either order, as the reader judges the line's direction.
    for (const std::u32string& name : names)
        EXPECT_TRUE(text.find(Utf8(name)) != std::string::npos ||
                    (name[0] >= 0x590 && name[0] < 0x700 &&
                     text.find(Utf8(std::u32string(name.rbegin(), name.rend()))) != std::string::npos))
            << Utf8(name) << "\n"
            << text;
    // The outline and the links, as qpdf reads them.
    const std::string json = Output("qpdf --json --json-key=outlines --json-key=pages '" + path + "' 2>&1");
    for (int page = 0; page < pages; ++page) {
        std::string escaped;
        for (char c : Utf8(names[size_t(page) * 6 + 5]))
            escaped += c == '\\' || c == '"' ? std::string("\\") + c : std::string(1, c);
        EXPECT_NE(std::string::npos, json.find("\"title\": \"" + escaped + "\"")) << json.substr(0, 3000);
    }
}
#endif
