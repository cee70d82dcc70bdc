// Finding a box by part of its text over the pages of a chart.
#include "document/ChartFind.h"

#include "document/Chart.h"

namespace {

// Base letters of U+00C0..U+00FF and U+0100..U+017F in lower case; letters that are no accented
// form of one Latin letter (æ, þ, ß, ĳ, œ) stay themselves.
constexpr std::u16string_view kLatin1Bases =
    u"aaaaaaæceeeeiiiidnooooo×ouuuuyþßaaaaaaæceeeeiiiidnooooo÷ouuuuyþy";
constexpr std::u16string_view kLatinExtendedBases =
    u"aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiĳĳjjkkkllllllllllnnnnnnnnnoooooo"
    u"œœrrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(kLatin1Bases.size() == 0x40 && kLatinExtendedBases.size() == 0x80);

char16_t BaseLetter(char16_t c) {
    if (c >= u'A' && c <= u'Z') return char16_t(c + 0x20);
    if (c >= 0xC0 && c <= 0xFF) return kLatin1Bases[c - 0xC0];
    if (c >= 0x100 && c <= 0x17F) return kLatinExtendedBases[c - 0x100];
    return c;
}

bool Blank(char16_t c) {
    return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t' || c == 0xA0;
}

long long Order(int column, int row) {
    return (long long)row * kGridSize + column;
}

// The spots of a page: those taken when it was parked, or those of the page shown.
const std::vector<FindSpot>& PageSpots(const Chart& chart, const Document& shown, int page,
                                       std::vector<FindSpot>& scratch) {
    if (page != chart.shown) return chart.pages[size_t(page)].findSpots;
    scratch = GridFindSpots(shown.cellGrid, shown.tableRows);
    return scratch;
}

} // namespace

std::u16string FoldForFind(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (Blank(c)) {
            if (!out.empty() && out.back() != u' ') out += u' ';
            continue;
        }
        out += BaseLetter(c);
    }
    if (!out.empty() && out.back() == u' ') out.pop_back();
    return out;
}

std::vector<FindSpot> GridFindSpots(const CellGrid& grid, int rows) {
    std::vector<FindSpot> spots;
    for (int row = 0; row < rows && row < kGridSize; ++row)
        for (int column = 0; column < kGridSize; ++column) {
            const CellRecord& cell = grid(column, row);
            if (cell.covered != 0) continue;
            std::u16string_view text = FieldText(cell.text);
            if (text.empty()) continue;
            spots.push_back({int16_t(column), int16_t(row), FoldForFind(text)});
        }
    return spots;
}

bool FindInChart(const Chart& chart, const Document& shown, std::u16string_view what, const ChartPlace& from,
                 bool backwards, ChartPlace& found) {
    const std::u16string needle = FoldForFind(what);
    const int pages = PageCount(chart);
    if (needle.empty() || pages == 0) return false;
    const int start = from.page >= 0 && from.page < pages ? from.page : 0;
    const long long fromOrder = from.row < 0 ? -1 : Order(from.column, from.row);
    std::vector<FindSpot> scratch;
    // The page searched from is looked at twice: its part past `from` first, its part before
    // `from` last, once every other page has been.
    for (int k = 0; k <= pages; ++k) {
        const int page = backwards ? ((start - k) % pages + pages) % pages : (start + k) % pages;
        const std::vector<FindSpot>& spots = PageSpots(chart, shown, page, scratch);
        const int n = int(spots.size());
        for (int i = 0; i < n; ++i) {
            const FindSpot& spot = spots[size_t(backwards ? n - 1 - i : i)];
            const long long order = Order(spot.column, spot.row);
            const bool past = backwards ? (fromOrder < 0 || order < fromOrder) : order > fromOrder;
            if (k == 0 && !past) continue;
            if (k == pages && past) continue;
            if (spot.text.find(needle) == std::u16string::npos) continue;
            found = {page, spot.column, spot.row};
            return true;
        }
    }
    return false;
}
