// Work-file records in bytes: the 1345-byte record and the 1071-byte record of the previous format
// (little-endian whatever the host), and a whole table encoded to or loaded from a byte buffer.
#pragma once

#include "document/Document.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

constexpr size_t kRecordSize = 1345;
constexpr size_t kPreviousRecordSize = 1071;

enum class WorkFileFormat { Current, Previous };

constexpr size_t RecordSize(WorkFileFormat format) {
    return format == WorkFileFormat::Current ? kRecordSize : kPreviousRecordSize;
}

// Writes the cell as kRecordSize bytes; text fields go out whole, bytes behind the terminator included.
void EncodeCellRecord(const CellRecord& cell, uint8_t* out);

// Reads kRecordSize bytes into every field of the cell, `selected` included.
void DecodeCellRecord(const uint8_t* in, CellRecord& cell);

// Reads kPreviousRecordSize bytes; the previous format has no icon path, which comes back all zero.
void DecodePreviousCellRecord(const uint8_t* in, CellRecord& cell);

// Appends one record to a file image.
void AppendCellRecord(std::vector<uint8_t>& file, const CellRecord& cell);

// The file image of the document's table: rows outer, columns inner, every cell of the table.
// Each record names the cell it holds, and the first one carries the table values.
std::vector<uint8_t> EncodeWorkFile(const Document& doc);

// The same image a piece at a time: the number of records, and record `index` (from 0, below the
// count) written as kRecordSize bytes.
size_t WorkFileRecordCount(const Document& doc);
void EncodeWorkFileRecord(const Document& doc, size_t index, uint8_t* out);

// Why a file image is refused; Accepted when it can be loaded.
enum class WorkFileCheck {
    Accepted,
    WrongLength,     // empty, or not a whole number of records
    TableOutOfRange, // the first record declares a table outside 1..101 columns or rows
    CellOutOfRange,  // a record names a cell outside the table the first record declares
};

WorkFileCheck CheckWorkFile(std::span<const uint8_t> bytes, WorkFileFormat format);

// Replaces the document's table by the file image: a fresh zero grid, an empty undo history, the
// table values of the first record, every record in the cell it names (a later one wins), nothing
// selected. A refused image leaves the document exactly as it was and returns its reason.
WorkFileCheck LoadWorkFile(Document& doc, std::span<const uint8_t> bytes, WorkFileFormat format);

// Puts a table loaded into a scratch document in the document's place: the grid, the table values
// and the undo history are taken over and the selection run is cleared, as a load does; the rest
// of the document stays. The scratch document is left with the document's former grid and history.
void TakeOverLoadedTable(Document& doc, Document& loaded);

// The same load a piece at a time, for a reader that does not hold the whole file: start the scan
// with the file's length and first record, scan every record in file order, and only when all
// passed, start the load with the first record and load the records again in the same order.
// Pieces hold whole records.
struct WorkFileScan {
    WorkFileFormat format = WorkFileFormat::Current;
    int columns = 0; // the table the first record declares
    int rows = 0;
    std::vector<bool> named; // grid slots that some record names, row by row
};

WorkFileCheck StartWorkFileScan(WorkFileScan& scan, WorkFileFormat format, uint64_t fileSize,
                                std::span<const uint8_t> firstRecord);
WorkFileCheck ScanWorkFileRecords(WorkFileScan& scan, std::span<const uint8_t> records);
void StartWorkFileLoad(Document& doc, const WorkFileScan& scan, std::span<const uint8_t> firstRecord);
void LoadWorkFileRecords(Document& doc, const WorkFileScan& scan, std::span<const uint8_t> records);
