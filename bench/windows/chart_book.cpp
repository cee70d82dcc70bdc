// A large list built into a chart book: `Cuadrix.exe /build LIST book.qdrb` timed from the program's
// start to its end, the same build in this process with the real box font and the making of its
// book, and the book's pages: people, cell size and smallest text of each.
// Usage: bench_chart_book CUADRIX.EXE LIST.csv
#include "document/Chart.h"
#include "document/ChartSplit.h"
#include "document/WorkFileFormat.h"
#include "render/AnsiText.h"
#include "render/BoxTextMeasureGdi.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
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

std::string ReadAll(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) {
        std::fprintf(stderr, "usage: bench_chart_book CUADRIX.EXE LIST.csv\n");
        return 1;
    }
    const std::wstring program = argv[1], list = argv[2], book = L"bench_chart_book.qdrb";
    DeleteFileW(book.c_str());

    std::wstring command = L"\"" + program + L"\" /build \"" + list + L"\" " + book;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "could not start the program\n");
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    const double programMs = Milliseconds(start);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);

    const std::string bytes = ReadAll(list);
    Chart chart;
    auto shown = std::make_unique<Document>();
    start = std::chrono::steady_clock::now();
    const BuildOutcome outcome =
        BuildChartPagesFromList(chart, *shown, bytes, Ansi, MakeGdiBoxTextMeasure(0));
    const double buildMs = Milliseconds(start);
    start = std::chrono::steady_clock::now();
    const std::vector<uint8_t> recorded = EncodeChartAsBook(chart, *shown);
    const double recordMs = Milliseconds(start);

    const std::string written = ReadAll(book);
    std::vector<BookEntry> entries;
    const std::span<const uint8_t> archive(reinterpret_cast<const uint8_t*>(written.data()), written.size());
    if (code != 0 || DecodeChartBook(archive, entries) != BookCheck::Accepted) {
        std::fprintf(stderr, "the program wrote no book (exit code %lu)\n", code);
        return 1;
    }
    std::printf("people: %d  pages: %zu  program start to end: %.0f ms  build in process: %.0f ms (%s)  "
                "book made: %.0f ms (%zu bytes)\n",
                outcome.people, entries.size(), programMs, buildMs,
                outcome.result == BuildResult::Built ? "built" : "refused", recordMs, recorded.size());
    int smallestText = 1000, smallestCell = 1000, boxes = 0;
    auto doc = std::make_unique<Document>();
    for (size_t i = 0; i < entries.size(); ++i) {
        LoadWorkFile(*doc, entries[i].bytes, WorkFileFormat::Current);
        int own = 0, points = 1000;
        for (int r = 0; r < doc->tableRows; ++r)
            for (int c = 0; c < doc->tableColumns; ++c) {
                const CellRecord& cell = doc->cellGrid(c, r);
                if (cell.isBox != 1 || cell.covered != 0) continue;
                ++own;
                points = std::min<int>(points, cell.fontSize);
            }
        own -= i > 0 ? 1 : 0; // the heading copy is nobody's own box
        boxes += own;
        smallestText = std::min(smallestText, points);
        smallestCell = std::min<int>(smallestCell, doc->cellWidth);
        std::printf("  page %2zu: %3d people, %2d x %2d cells of %2d px, text %2d pt  (%s)\n", i + 1, own,
                    doc->tableColumns, doc->tableRows, doc->cellWidth, points, entries[i].name.c_str());
    }
    std::printf("people per page: %.1f  smallest cell: %d px  smallest text: %d pt\n",
                double(boxes) / double(entries.size()), smallestCell, smallestText);
    DeleteFileW(book.c_str());
    return 0;
}
