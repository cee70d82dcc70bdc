// Paper sizes, the chart's place on a sheet, paper names and page ranges.
#include "render/PdfSheets.h"

#include <algorithm>

namespace {

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameText(std::u16string_view text, std::u16string_view lower) {
    if (text.size() != lower.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (Lower(text[i]) != lower[i]) return false;
    return true;
}

// A page number: digits only, at most six of them.
bool ReadNumber(std::u16string_view text, int& number) {
    if (text.empty() || text.size() > 6) return false;
    number = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
        number = number * 10 + (c - u'0');
    }
    return true;
}

} // namespace

PdfSheet PdfSheetFor(int width, int height, PdfPaper paper) {
    PdfSheet sheet;
    if (width <= 0 || height <= 0) return sheet;
    if (paper == PdfPaper::Chart) {
        sheet.width = width * kPdfPointsPerPixel;
        sheet.height = height * kPdfPointsPerPixel;
        sheet.scale = kPdfPointsPerPixel;
        return sheet;
    }
    // Portrait sizes in points: ISO sizes from millimetres, Letter 8.5 x 11 inches.
    double shortSide = 210.0 * 72.0 / 25.4, longSide = 297.0 * 72.0 / 25.4;
    if (paper == PdfPaper::Letter) shortSide = 612, longSide = 792;
    if (paper == PdfPaper::A3) shortSide = 297.0 * 72.0 / 25.4, longSide = 420.0 * 72.0 / 25.4;
    const bool landscape = width > height;
    sheet.width = landscape ? longSide : shortSide;
    sheet.height = landscape ? shortSide : longSide;
    sheet.scale = std::min((sheet.width - 2 * kPdfMargin) / width, (sheet.height - 2 * kPdfMargin) / height);
    sheet.left = (sheet.width - width * sheet.scale) / 2;
    sheet.top = (sheet.height - height * sheet.scale) / 2;
    return sheet;
}

bool ParsePdfPaper(std::u16string_view text, PdfPaper& paper) {
    constexpr std::pair<std::u16string_view, PdfPaper> kNames[] = {{u"a4", PdfPaper::A4},
                                                                   {u"letter", PdfPaper::Letter},
                                                                   {u"a3", PdfPaper::A3},
                                                                   {u"chart", PdfPaper::Chart}};
    for (const auto& [name, value] : kNames)
        if (SameText(text, name)) {
            paper = value;
            return true;
        }
    return false;
}

bool ParsePageRange(std::u16string_view text, int pageCount, int& first, int& last) {
    const size_t dash = text.find(u'-');
    int from = 0, to = 0;
    if (!ReadNumber(text.substr(0, dash), from)) return false;
    if (dash == std::u16string_view::npos)
        to = from;
    else if (!ReadNumber(text.substr(dash + 1), to))
        return false;
    if (from < 1 || to < from || to > pageCount) return false;
    first = from - 1;
    last = to - 1;
    return true;
}
