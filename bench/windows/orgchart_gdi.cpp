// The chart builder with the real box font measured by GDI: first the layout's figures and the
// charts checked against the conventions (see bench/LayoutFigures.h; "conventions" as the argument:
// those alone), then lists of about a hundred, organisations grown as real ones grow, and
// 1,500 people, each built whole and timed against reading its file from disk and against reading
// and checking it.
#include "bench/LayoutFigures.h"
#include "document/OrgChart.h"
#include "render/AnsiText.h"
#include "render/BoxTextMeasureGdi.h"
#include "tests/portable/orgchart/SampleLists.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

double Milliseconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::u16string Ansi(std::string_view bytes) {
    std::wstring wide = AnsiToWide(bytes);
    return std::u16string(wide.begin(), wide.end());
}

void Run(const char* what, const std::string& list) {
    const char* path = "bench_orgchart_people.csv";
    {
        std::ofstream file(path, std::ios::binary);
        file << list;
    }
    auto start = std::chrono::steady_clock::now();
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    double readMs = Milliseconds(start);
    file.close();
    std::remove(path);

    start = std::chrono::steady_clock::now();
    std::vector<int> managerOf;
    PeopleList people = ReadPeopleList(DecodeListText(bytes, Ansi));
    CheckPeopleList(people, managerOf);
    double checkMs = Milliseconds(start);

    auto doc = std::make_unique<Document>();
    start = std::chrono::steady_clock::now();
    // A fresh measure each time: the first build of a session measures every text.
    BuildOutcome outcome = BuildChartFromList(*doc, bytes, Ansi, MakeGdiBoxTextMeasure(0));
    double buildMs = Milliseconds(start);
    const char* results[] = {"built", "faulty list", "empty list", "too large"};
    std::printf("%s (%d people): %s; chart %d x %d cells", what, outcome.people, results[int(outcome.result)],
                outcome.chartColumns, outcome.chartRows);
    if (outcome.result == BuildResult::Built) {
        int points = 0; // of the first box's text
        for (int row = 0; row < doc->tableRows && points == 0; ++row)
            for (int column = 0; column < doc->tableColumns && points == 0; ++column)
                if (doc->cellGrid(column, row).isBox == 1) points = doc->cellGrid(column, row).fontSize;
        std::printf(" on %d-pixel cells, %d x %d table, %d-point text", doc->cellWidth, doc->tableColumns,
                    doc->tableRows, points);
    }
    std::printf("\n  reading the file %.2f ms; reading and checking %.2f ms; whole build %.2f ms\n", readMs,
                checkMs, buildMs);
    std::printf("  whole build = %.0f x reading the file = %.1f x reading and checking\n", buildMs / readMs,
                buildMs / checkMs);
}

} // namespace

int main(int argc, char** argv) {
    // "conventions": only the charts built and checked against the conventions, page by page.
    if (argc > 1 && std::string(argv[1]) == "conventions") {
        layout_figures::PrintConventions([] { return MakeGdiBoxTextMeasure(0); },
                                         [] { return MakeGdiBreakingMeasure(0); });
        return 0;
    }
    layout_figures::Print([] { return MakeGdiBoxTextMeasure(0); });
    std::printf("\n");
    layout_figures::PrintConventions([] { return MakeGdiBoxTextMeasure(0); },
                                     [] { return MakeGdiBreakingMeasure(0); });
    std::printf("\n");
    Run("hundred, four levels", HundredPeopleList(';', true));
    for (int people : {40, 120, 150, 200})
        Run(("grown " + std::to_string(people)).c_str(), GrownOrganisation(people, 1));
    Run("company", LargeList(1500));
    return 0;
}
