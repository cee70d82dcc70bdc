// Building a chart from a list of 1,500 people (read, checked, laid out or refused), against
// reading the same list file from disk and against reading and checking it alone.
#include "document/OrgChart.h"
#include "tests/portable/orgchart/SampleLists.h"
#include "tests/portable/orgchart/SerifMeasure.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

double Milliseconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main() {
    const char* path = "bench_orgchart_people.csv";
    {
        std::ofstream file(path, std::ios::binary);
        file << LargeList(1500);
    }
    auto ansi = [](std::string_view bytes) { return std::u16string(bytes.begin(), bytes.end()); };
    BoxTextMeasure measure = SerifMeasure();

    auto start = std::chrono::steady_clock::now();
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    double readMs = Milliseconds(start);

    start = std::chrono::steady_clock::now();
    std::vector<int> managerOf;
    PeopleList list = ReadPeopleList(DecodeListText(bytes, ansi));
    size_t faults = CheckPeopleList(list, managerOf).size();
    double checkMs = Milliseconds(start);

    auto doc = std::make_unique<Document>();
    start = std::chrono::steady_clock::now();
    BuildOutcome outcome = BuildChartFromList(*doc, bytes, ansi, measure);
    double buildMs = Milliseconds(start);
    std::remove(path);

    const char* results[] = {"built", "faulty list", "empty list", "too large"};
    std::printf("1500 people (%zu read, %zu faults): %s, chart %d x %d cells\n", list.people.size(), faults,
                results[int(outcome.result)], outcome.chartColumns, outcome.chartRows);
    std::printf("  reading the file        %8.2f ms\n", readMs);
    std::printf("  reading and checking    %8.2f ms  (%.1f x the file read)\n", checkMs, checkMs / readMs);
    std::printf("  whole build             %8.2f ms  (%.1f x the file read, %.1f x reading and checking)\n",
                buildMs, buildMs / readMs, buildMs / checkMs);
    return 0;
}
