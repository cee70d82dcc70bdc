// Times Find over a book: the 1,516-person sample list (or the list named on the command line)
// built into pages, then searches for a text on the last page, a text no box holds (the whole
// book read) and the next box of a common word, from the first page shown.
#include "document/Chart.h"
#include "document/ChartFind.h"
#include "document/ChartSplit.h"
#include "tests/portable/orgchart/SerifMeasure.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "/work/shared/peer-lists/d3-org-chart-sample.csv";
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    Chart chart;
    Document shown;
    const auto latin1 = [](std::string_view s) { return std::u16string(s.begin(), s.end()); };
    const BuildOutcome built = BuildChartPagesFromList(chart, shown, bytes.str(), latin1, SerifMeasure(), {});
    if (built.result != BuildResult::Built) {
        std::printf("the list %s did not build into pages\n", path);
        return 1;
    }
    std::printf("%d people, %d pages\n", built.people, PageCount(chart));
    const std::u16string last =
        chart.pages.back().findSpots.empty() ? u"" : chart.pages.back().findSpots.back().text;
    for (const std::u16string& what : {last, std::u16string(u"zzqx"), std::u16string(u"developer")}) {
        ChartPlace found;
        const auto start = std::chrono::steady_clock::now();
        const bool any = FindInChart(chart, shown, what, {0, -1, -1}, false, found);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf("%-40s %s page %d  %.2f ms\n",
                    std::string(what.begin(), what.end()).substr(0, 40).c_str(),
                    any ? "found on" : "not found,", any ? found.page + 1 : 0, ms);
    }
    return 0;
}
