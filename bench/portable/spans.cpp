// Span counting over a full 101 x 101 table with merged blocks, as every redraw does it.
#include "document/Spans.h"
#include "document/Structure.h"

#include <chrono>
#include <cstdio>
#include <memory>

int main() {
    auto doc = std::make_unique<Document>();
    doc->tableColumns = doc->tableRows = 101;
    doc->cellWidth = doc->cellHeight = 10;
    BuildNewTable(*doc, 101, 101, 2, 2, 0xC0C0C0);
    // 2 x 2 blocks over the whole table.
    for (int r = 0; r + 1 < 101; r += 2)
        for (int c = 0; c + 1 < 101; c += 2) {
            doc->cellGrid(c + 1, r).covered = 1;
            doc->cellGrid(c, r + 1).covered = 2;
            doc->cellGrid(c + 1, r + 1).covered = 1;
        }
    auto spans = std::make_unique<Spans>();
    const int runs = 500;
    long check = 0;
    auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < runs; ++k) {
        CountSpans(*doc, 101, 101, *spans);
        check += spans->SpanColumns(k % 100, 0);
    }
    double us =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / runs;
    std::printf("CountSpans, 101 x 101 table  %.1f us per call (check %ld)\n", us, check);
    return 0;
}
