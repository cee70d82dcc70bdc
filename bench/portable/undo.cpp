// Undo snapshots of a full 101 x 101 table: memory held by fifty snapshots taken after small
// edits, and the cost of one snapshot and one Undo against one plain copy of the table's records.
#include "document/Structure.h"
#include "document/Undo.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

// Live heap bytes, counted by replacing the global allocation functions.
static size_t gLiveBytes = 0;
namespace {
constexpr size_t kHeader = 16; // keeps the block aligned for every fundamental type
void* Allocate(size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = size;
    gLiveBytes += size;
    return block + kHeader;
}
void Release(void* p) {
    if (!p) return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    gLiveBytes -= *reinterpret_cast<size_t*>(block);
    std::free(block);
}
} // namespace
void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t) noexcept {
    Release(p);
}

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// An edit of ten cells spread over the table, different at every call.
void EditTenCells(Document& doc, int n) {
    for (int i = 0; i < 10; ++i) {
        CellRecord& cell = doc.cellGrid((n * 7 + i * 13) % 101, (n * 3 + i * 29) % 101);
        cell.backColor = n;
        AssignField(cell.text, u"edited");
    }
}

struct Figures {
    double copyMs, freshCopyMs, firstPushMs, pushMs, fullPushMs, popMs;
    double historyMb, fullHistoryMb;
};

// One run: a fresh 101 x 101 table, fifty snapshots after ten-cell edits, fifty more on the full
// history, then Undo down the history.
Figures Run() {
    Figures f{};
    auto doc = std::make_unique<Document>();
    doc->tablePresent = true;
    doc->tableColumns = doc->tableRows = 101;
    doc->cellWidth = doc->cellHeight = 10;
    doc->separation = 1;
    BuildNewTable(*doc, 101, 101, 2, 2, 0xC0C0C0);
    const size_t cells = 101 * 101;

    // One plain copy of the table's records, the yardstick for both operations: into a buffer
    // already in use, and into freshly allocated memory as the first snapshot of a table must.
    std::vector<CellRecord> plain(cells);
    const int copies = 20;
    auto start = Clock::now();
    for (int k = 0; k < copies; ++k) {
        size_t i = 0;
        for (int r = 0; r < 101; ++r)
            for (int c = 0; c < 101; ++c)
                plain[i++] = doc->cellGrid(c, r);
        doc->cellGrid(k % 101, 0).backColor = k; // keeps the copies from being folded together
    }
    f.copyMs = Milliseconds(Clock::now() - start) / copies;
    start = Clock::now();
    for (int k = 0; k < copies; ++k) {
        std::unique_ptr<CellRecord[]> fresh(new CellRecord[cells]);
        size_t i = 0;
        for (int r = 0; r < 101; ++r)
            for (int c = 0; c < 101; ++c)
                fresh[i++] = doc->cellGrid(c, r);
        doc->cellGrid(k % 101, 0).backColor = fresh[k].backColor + 1;
    }
    f.freshCopyMs = Milliseconds(Clock::now() - start) / copies;

    size_t before = gLiveBytes;
    start = Clock::now();
    for (int n = 0; n < kUndoDepth; ++n) {
        auto t = Clock::now();
        PushUndo(*doc);
        if (n == 0) f.firstPushMs = Milliseconds(Clock::now() - t);
        EditTenCells(*doc, n);
    }
    f.pushMs = (Milliseconds(Clock::now() - start) - f.firstPushMs) / (kUndoDepth - 1);
    f.historyMb = double(gLiveBytes - before) / (1024.0 * 1024.0);

    const int fullPushes = 50;
    start = Clock::now();
    for (int n = 0; n < fullPushes; ++n) {
        PushUndo(*doc);
        EditTenCells(*doc, 100 + n);
    }
    f.fullPushMs = Milliseconds(Clock::now() - start) / fullPushes;
    f.fullHistoryMb = double(gLiveBytes - before) / (1024.0 * 1024.0);

    const int pops = 49;
    start = Clock::now();
    for (int n = 0; n < pops; ++n)
        PopUndo(*doc);
    f.popMs = Milliseconds(Clock::now() - start) / pops;
    return f;
}

} // namespace

int main() {
    // The machine may be busy: the best of a few runs is the cost of the work itself.
    Figures best = Run();
    for (int run = 1; run < 5; ++run) {
        Figures f = Run();
        best.copyMs = std::min(best.copyMs, f.copyMs);
        best.freshCopyMs = std::min(best.freshCopyMs, f.freshCopyMs);
        best.firstPushMs = std::min(best.firstPushMs, f.firstPushMs);
        best.pushMs = std::min(best.pushMs, f.pushMs);
        best.fullPushMs = std::min(best.fullPushMs, f.fullPushMs);
        best.popMs = std::min(best.popMs, f.popMs);
    }
    const double tableMb = double(101 * 101 * sizeof(CellRecord)) / (1024.0 * 1024.0);
    std::printf("record size                  %zu bytes, pointer size %zu bytes\n", sizeof(CellRecord),
                sizeof(void*));
    std::printf("one table (101 x 101)        %.2f MB\n", tableMb);
    std::printf("50 snapshots, 10 cells each  %.2f MB  (%.2f tables)\n", best.historyMb,
                best.historyMb / tableMb);
    std::printf("after 50 more, full history  %.2f MB  (%.2f tables)\n", best.fullHistoryMb,
                best.fullHistoryMb / tableMb);
    std::printf("plain copy of the table      %.3f ms\n", best.copyMs);
    std::printf("plain copy into new memory   %.3f ms\n", best.freshCopyMs);
    std::printf("first PushUndo (all cells)   %.3f ms  (%.2f x copy, %.2f x copy into new memory)\n",
                best.firstPushMs, best.firstPushMs / best.copyMs, best.firstPushMs / best.freshCopyMs);
    std::printf("PushUndo after 10-cell edit  %.3f ms  (%.2f x copy)\n", best.pushMs,
                best.pushMs / best.copyMs);
    std::printf("PushUndo, full history       %.3f ms  (%.2f x copy)\n", best.fullPushMs,
                best.fullPushMs / best.copyMs);
    std::printf("PopUndo                      %.3f ms  (%.2f x copy)\n", best.popMs,
                best.popMs / best.copyMs);
    return 0;
}
