// Fuzzes both work-file readers with one input: a refused file must leave the document untouched,
// and an accepted one must save and load again to the same table.
#include "document/WorkFileFormat.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Documents are 13.7 MB: made once and reused.
Document& Scratch(int which) {
    static std::unique_ptr<Document> documents[2] = {std::make_unique<Document>(),
                                                     std::make_unique<Document>()};
    return *documents[which];
}

void Require(bool condition) {
    if (!condition) std::abort();
}

void Exercise(std::span<const uint8_t> bytes, WorkFileFormat format) {
    Document& doc = Scratch(0);
    const int16_t columnsBefore = doc.tableColumns;
    const CellRecord cornerBefore = doc.cellGrid(0, 0);
    WorkFileCheck check = LoadWorkFile(doc, bytes, format);
    Require(check == CheckWorkFile(bytes, format));
    if (check != WorkFileCheck::Accepted) {
        Require(doc.tableColumns == columnsBefore);
        Require(std::memcmp(&doc.cellGrid(0, 0).text, &cornerBefore.text, sizeof cornerBefore.text) == 0);
        return;
    }
    Require(doc.tableColumns >= 1 && doc.tableColumns <= kGridSize);
    Require(doc.tableRows >= 1 && doc.tableRows <= kGridSize);

    // Saved and read again, the table is the same, and saving once more gives the same bytes.
    std::vector<uint8_t> saved = EncodeWorkFile(doc);
    Require(saved.size() == static_cast<size_t>(doc.tableColumns) * doc.tableRows * kRecordSize);
    Document& reread = Scratch(1);
    Require(LoadWorkFile(reread, saved, WorkFileFormat::Current) == WorkFileCheck::Accepted);
    Require(EncodeWorkFile(reread) == saved);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    Exercise(bytes, WorkFileFormat::Current);
    Exercise(bytes, WorkFileFormat::Previous);

    // Single records through the codec: decoding and encoding keeps every byte.
    if (size >= kRecordSize) {
        CellRecord cell{};
        DecodeCellRecord(data, cell);
        uint8_t out[kRecordSize];
        EncodeCellRecord(cell, out);
        Require(std::memcmp(out, data, kRecordSize) == 0);
    }
    if (size >= kPreviousRecordSize) {
        CellRecord cell{};
        DecodePreviousCellRecord(data, cell);
        Require(FieldText(cell.iconPath).empty());
    }
    return 0;
}
