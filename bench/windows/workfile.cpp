// Load and save of the largest table (101 x 101 cells, 13.7 MB) against a plain buffered read and
// write of the same bytes, in the same run.
#include "app/commands/WorkFileMessages.h"
#include "document/WorkFile.h"
#include "document/WorkFileFormat.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void FillLargestTable(Document& doc) {
    doc.tableColumns = doc.tableRows = kGridSize;
    doc.cellWidth = doc.cellHeight = 16;
    for (int row = 0; row < kGridSize; ++row)
        for (int column = 0; column < kGridSize; ++column) {
            CellRecord& cell = doc.cellGrid(column, row);
            cell.left = column * 16 + 2;
            cell.top = row * 16 + 2;
            cell.right = cell.left + 16;
            cell.bottom = cell.top + 16;
            cell.column = static_cast<int16_t>(column);
            cell.row = static_cast<int16_t>(row);
            cell.backColor = kWhite;
            AssignField(cell.fontName, "Times New Roman");
            cell.fontSize = 10;
            AssignField(cell.text, u"Director de operaciones");
            cell.alignment = kAlignLeft;
            cell.tableColumns = cell.tableRows = kGridSize;
            cell.lineThickness = 1;
            cell.cellWidth = cell.cellHeight = 16;
            cell.paperColor = kWhite;
            cell.numberFormatType = 6;
            cell.isBox = (column + row) % 3 == 0;
        }
}

// The reference: one buffered read of the whole file, and one write of it made as durable as a save.
std::vector<uint8_t> PlainRead(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    return bytes;
}

void PlainWrite(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
}

double Seconds(const auto& work) {
    double start = Now();
    work();
    return Now() - start;
}

} // namespace

int main() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    const std::wstring saved = std::wstring(base) + L"cuadrix-bench-table.qdrx";
    const std::wstring copied = std::wstring(base) + L"cuadrix-bench-copy.qdrx";

    auto doc = std::make_unique<Document>();
    FillLargestTable(*doc);
    auto read = std::make_unique<Document>();
    // The four are interleaved so that each pair meets the same load on the machine; the best of
    // each is kept.
    const int runs = 15;
    double save = 1e9, load = 1e9, plainRead = 1e9, plainWrite = 1e9;
    SaveWorkFile(*doc, saved, nullptr); // warm-up, and the bytes the plain write copies
    std::vector<uint8_t> bytes = PlainRead(saved);
    for (int i = 0; i < runs; ++i) {
        save = std::min(save, Seconds([&] { SaveWorkFile(*doc, saved, nullptr); }));
        plainWrite = std::min(plainWrite, Seconds([&] { PlainWrite(copied, bytes); }));
        load = std::min(load, Seconds([&] { ReadWorkFile(*read, saved, 5, nullptr); }));
        plainRead = std::min(plainRead, Seconds([&] { bytes = PlainRead(saved); }));
    }

    std::printf("table 101 x 101, %zu bytes, best of %d runs\n", bytes.size(), runs);
    std::printf("save  %8.2f ms   plain write %8.2f ms   ratio %.2f\n", save * 1e3, plainWrite * 1e3,
                save / plainWrite);
    std::printf("load  %8.2f ms   plain read  %8.2f ms   ratio %.2f\n", load * 1e3, plainRead * 1e3,
                load / plainRead);
    std::printf("load + save %8.2f ms   plain copy %8.2f ms   ratio %.2f\n", (load + save) * 1e3,
                (plainRead + plainWrite) * 1e3, (load + save) / (plainRead + plainWrite));

    DeleteFileW(saved.c_str());
    DeleteFileW(copied.c_str());
    return 0;
}
