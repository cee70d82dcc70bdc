// Fuzzes the chart-book reader: a refused archive leaves the entries and the chart untouched, and
// an accepted one writes and reads again to the same entries.
#include "document/Chart.h"

#include <cstdlib>
#include <memory>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    std::vector<BookEntry> entries = {{"kept.qdrx", {7}}};
    const BookCheck check = DecodeChartBook(bytes, entries);
    if (check != BookCheck::Accepted) {
        Require(entries.size() == 1 && entries[0].bytes.size() == 1);
    } else {
        Require(!entries.empty() && entries.size() <= kBookPageLimit);
        std::vector<BookEntry> again;
        Require(DecodeChartBook(EncodeChartBook(entries), again) == BookCheck::Accepted);
        Require(again.size() == entries.size());
        for (size_t i = 0; i < again.size(); ++i)
            Require(again[i].name == entries[i].name && again[i].bytes == entries[i].bytes);
    }

    // The chart takes the book only when every page is a work file.
    static Chart chart;
    static auto shown = std::make_unique<Document>();
    const int pagesBefore = PageCount(chart);
    const int16_t columnsBefore = shown->tableColumns;
    if (LoadChartBook(chart, *shown, bytes) != ChartBookLoad::Accepted) {
        Require(PageCount(chart) == pagesBefore && shown->tableColumns == columnsBefore);
    } else {
        Require(check == BookCheck::Accepted && PageCount(chart) == int(entries.size()));
    }
    return 0;
}
