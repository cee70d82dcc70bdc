// Work-file records in bytes and whole tables loaded from and encoded to byte buffers.
#include "document/WorkFileFormat.h"

#include "document/Selection.h"
#include "document/Undo.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace {

// Offsets shared by both formats, used to check a file before anything is decoded.
constexpr size_t kColumnOffset = 16;
constexpr size_t kRowOffset = 18;
// The table size sits behind the icon path, so 274 bytes earlier in previous-format records.
constexpr size_t kTableColumnsOffset = 1248;
constexpr size_t kPreviousTableColumnsOffset = kTableColumnsOffset - kIconPathCapacity;

int16_t PeekInt16(const uint8_t* p) {
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

// On a little-endian host the bytes of a number or a text are already in file order and are
// copied as they are; elsewhere they are put together byte by byte.
constexpr bool kLittleEndianHost = std::endian::native == std::endian::little;

struct RecordWriter {
    uint8_t* p;
    void Int16(int16_t v) {
        auto u = static_cast<uint16_t>(v);
        if constexpr (kLittleEndianHost) {
            std::memcpy(p, &u, 2);
        } else {
            p[0] = static_cast<uint8_t>(u);
            p[1] = static_cast<uint8_t>(u >> 8);
        }
        p += 2;
    }
    void Int32(int32_t v) {
        auto u = static_cast<uint32_t>(v);
        if constexpr (kLittleEndianHost)
            std::memcpy(p, &u, 4);
        else
            for (int i = 0; i < 4; ++i)
                p[i] = static_cast<uint8_t>(u >> (8 * i));
        p += 4;
    }
    template <size_t N> void Field(const char (&field)[N]) {
        std::memcpy(p, field, N);
        p += N;
    }
    template <size_t N> void Field(const char16_t (&field)[N]) {
        if constexpr (kLittleEndianHost)
            std::memcpy(p, field, 2 * N);
        else
            for (size_t i = 0; i < N; ++i) {
                p[2 * i] = static_cast<uint8_t>(field[i]);
                p[2 * i + 1] = static_cast<uint8_t>(field[i] >> 8);
            }
        p += 2 * N;
    }
    template <size_t N> void Absent(const char (&)[N]) {}
};

struct RecordReader {
    const uint8_t* p;
    void Int16(int16_t& v) {
        v = PeekInt16(p);
        p += 2;
    }
    void Int32(int32_t& v) {
        if constexpr (kLittleEndianHost)
            std::memcpy(&v, p, 4);
        else
            v = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                     static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
        p += 4;
    }
    template <size_t N> void Field(char (&field)[N]) {
        std::memcpy(field, p, N);
        p += N;
    }
    template <size_t N> void Field(char16_t (&field)[N]) {
        if constexpr (kLittleEndianHost)
            std::memcpy(field, p, 2 * N);
        else
            for (size_t i = 0; i < N; ++i)
                field[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
        p += 2 * N;
    }
    // A field the format does not hold reads as all zero.
    template <size_t N> void Absent(char (&field)[N]) { std::memset(field, 0, N); }
};

// The record's fields in file order, for writing and for reading alike. Previous-format records
// have no icon path, so every later field sits 274 bytes earlier.
template <class Io, class Cell> void TransferFields(Io& io, Cell& cell, bool withIconPath) {
    io.Int32(cell.left);
    io.Int32(cell.top);
    io.Int32(cell.right);
    io.Int32(cell.bottom);
    io.Int16(cell.column);
    io.Int16(cell.row);
    io.Int32(cell.backColor);
    io.Int32(cell.fontColor);
    io.Field(cell.fontName);
    io.Int16(cell.fontSize);
    io.Int32(cell.bold);
    io.Int32(cell.italic);
    io.Int32(cell.underline);
    io.Int32(cell.strikeout);
    io.Int32(cell.leading);
    io.Field(cell.imageSpec);
    if (withIconPath)
        io.Field(cell.iconPath);
    else
        io.Absent(cell.iconPath);
    io.Field(cell.text);
    io.Int16(cell.alignment);
    io.Int16(cell.tableColumns);
    io.Int16(cell.tableRows);
    io.Int16(cell.lineThickness);
    io.Int32(cell.lineColor);
    io.Int32(cell.covered);
    io.Int32(cell.selected);
    io.Int32(cell.cancelled);
    io.Int16(cell.cellWidth);
    io.Int16(cell.cellHeight);
    io.Int16(cell.separation);
    io.Int32(cell.paperColor);
    io.Int16(cell.numberFormatType);
    io.Int32(cell.numberFormatAllowed);
    io.Field(cell.reserved11);
    io.Int32(cell.marked);
    io.Int32(cell.isBox);
    io.Int32(cell.vLineOn);
    io.Int32(cell.hLineOn);
    io.Int32(cell.vLineX1);
    io.Int32(cell.vLineY1);
    io.Int32(cell.vLineX2);
    io.Int32(cell.vLineY2);
    io.Int32(cell.hLineX1);
    io.Int32(cell.hLineY1);
    io.Int32(cell.hLineX2);
    io.Int32(cell.hLineY2);
}

void DecodeRecord(const uint8_t* in, CellRecord& cell, WorkFileFormat format) {
    RecordReader reader{in};
    TransferFields(reader, cell, format == WorkFileFormat::Current);
}

// The table a file declares: the columns and rows of its first record.
struct DeclaredTable {
    int columns;
    int rows;
};

DeclaredTable ReadDeclaredTable(const uint8_t* firstRecord, WorkFileFormat format) {
    size_t offset = format == WorkFileFormat::Current ? kTableColumnsOffset : kPreviousTableColumnsOffset;
    return {PeekInt16(firstRecord + offset), PeekInt16(firstRecord + offset + 2)};
}

// Slots of the grid the table uses when saved: never more than the grid holds.
int ClampToGrid(int count) {
    return std::clamp(count, 0, kGridSize);
}

} // namespace

void EncodeCellRecord(const CellRecord& cell, uint8_t* out) {
    RecordWriter writer{out};
    TransferFields(writer, cell, true);
}

void DecodeCellRecord(const uint8_t* in, CellRecord& cell) {
    DecodeRecord(in, cell, WorkFileFormat::Current);
}

void DecodePreviousCellRecord(const uint8_t* in, CellRecord& cell) {
    DecodeRecord(in, cell, WorkFileFormat::Previous);
}

void AppendCellRecord(std::vector<uint8_t>& file, const CellRecord& cell) {
    size_t at = file.size();
    file.resize(at + kRecordSize);
    EncodeCellRecord(cell, file.data() + at);
}

size_t WorkFileRecordCount(const Document& doc) {
    return static_cast<size_t>(ClampToGrid(doc.tableColumns)) * ClampToGrid(doc.tableRows);
}

void EncodeWorkFileRecord(const Document& doc, size_t index, uint8_t* out) {
    const int columns = ClampToGrid(doc.tableColumns);
    const auto column = static_cast<int16_t>(index % columns);
    const auto row = static_cast<int16_t>(index / columns);
    const CellRecord& cell = doc.cellGrid(column, row);
    if (index == 0) {
        // Readers take the table values from the first record, so it carries the table's own.
        // Tables made here hold them already; a file read with other copies in (0, 0) does not.
        CellRecord first = cell;
        first.tableColumns = doc.tableColumns;
        first.tableRows = doc.tableRows;
        first.cellWidth = doc.cellWidth;
        first.cellHeight = doc.cellHeight;
        first.separation = doc.separation;
        first.lineThickness = static_cast<int16_t>(doc.lineThickness);
        first.lineColor = doc.lineColor;
        first.paperColor = doc.paperColor;
        EncodeCellRecord(first, out);
    } else {
        EncodeCellRecord(cell, out);
    }
    // Each record names the cell it was written from: a cell that a sparse file left all zero
    // would otherwise name (0, 0) and, read back, overwrite that cell.
    RecordWriter position{out + kColumnOffset};
    position.Int16(column);
    position.Int16(row);
}

std::vector<uint8_t> EncodeWorkFile(const Document& doc) {
    const size_t count = WorkFileRecordCount(doc);
    std::vector<uint8_t> file(count * kRecordSize);
    for (size_t index = 0; index < count; ++index)
        EncodeWorkFileRecord(doc, index, file.data() + index * kRecordSize);
    return file;
}

WorkFileCheck StartWorkFileScan(WorkFileScan& scan, WorkFileFormat format, uint64_t fileSize,
                                std::span<const uint8_t> firstRecord) {
    const size_t size = RecordSize(format);
    scan = WorkFileScan{};
    scan.format = format;
    // An empty file holds no table: taking it would show a table that does not exist.
    if (fileSize == 0 || fileSize % size != 0 || firstRecord.size() < size) return WorkFileCheck::WrongLength;
    DeclaredTable table = ReadDeclaredTable(firstRecord.data(), format);
    if (table.columns < 1 || table.columns > kGridSize || table.rows < 1 || table.rows > kGridSize)
        return WorkFileCheck::TableOutOfRange;
    scan.columns = table.columns;
    scan.rows = table.rows;
    scan.named.assign(static_cast<size_t>(kGridSize) * kGridSize, false);
    return WorkFileCheck::Accepted;
}

WorkFileCheck ScanWorkFileRecords(WorkFileScan& scan, std::span<const uint8_t> records) {
    const size_t size = RecordSize(scan.format);
    if (records.size() % size != 0) return WorkFileCheck::WrongLength;
    for (size_t at = 0; at < records.size(); at += size) {
        int column = PeekInt16(records.data() + at + kColumnOffset);
        int row = PeekInt16(records.data() + at + kRowOffset);
        if (column < 0 || column >= scan.columns || row < 0 || row >= scan.rows)
            return WorkFileCheck::CellOutOfRange;
        scan.named[static_cast<size_t>(row) * kGridSize + column] = true;
    }
    return WorkFileCheck::Accepted;
}

void StartWorkFileLoad(Document& doc, const WorkFileScan& scan, std::span<const uint8_t> firstRecord) {
    // A fresh zero grid; the slots that a record names are overwritten whole as the records load.
    for (size_t slot = 0; slot < scan.named.size(); ++slot)
        if (!scan.named[slot]) doc.cellGrid.slots[slot] = CellRecord{};
    ResetUndoHistory(doc);

    CellRecord first{};
    DecodeRecord(firstRecord.data(), first, scan.format);
    doc.tableColumns = first.tableColumns;
    doc.tableRows = first.tableRows;
    doc.cellWidth = first.cellWidth;
    doc.cellHeight = first.cellHeight;
    doc.separation = first.separation;
    doc.lineThickness = first.lineThickness; // widened with its sign
    doc.lineColor = first.lineColor;
    doc.paperColor = first.paperColor;
    doc.tablePresent = true;

    ClearSelection(doc); // the run named cells of the table that is gone
}

void LoadWorkFileRecords(Document& doc, const WorkFileScan& scan, std::span<const uint8_t> records) {
    const size_t size = RecordSize(scan.format);
    for (size_t at = 0; at + size <= records.size(); at += size) {
        const uint8_t* record = records.data() + at;
        int column = PeekInt16(record + kColumnOffset);
        int row = PeekInt16(record + kRowOffset);
        // Scanned records always pass; the test only guards the grid against bytes that changed since.
        if (column < 0 || column >= scan.columns || row < 0 || row >= scan.rows) continue;
        CellRecord& cell = doc.cellGrid(column, row);
        DecodeRecord(record, cell, scan.format);
        cell.selected = 0; // a selection never comes from a file
    }
}

WorkFileCheck CheckWorkFile(std::span<const uint8_t> bytes, WorkFileFormat format) {
    WorkFileScan scan;
    WorkFileCheck check = StartWorkFileScan(scan, format, bytes.size(), bytes);
    return check == WorkFileCheck::Accepted ? ScanWorkFileRecords(scan, bytes) : check;
}

WorkFileCheck LoadWorkFile(Document& doc, std::span<const uint8_t> bytes, WorkFileFormat format) {
    // Everything is checked before the document is touched, so a refused file changes nothing.
    WorkFileScan scan;
    WorkFileCheck check = StartWorkFileScan(scan, format, bytes.size(), bytes);
    if (check == WorkFileCheck::Accepted) check = ScanWorkFileRecords(scan, bytes);
    if (check != WorkFileCheck::Accepted) return check;
    StartWorkFileLoad(doc, scan, bytes);
    LoadWorkFileRecords(doc, scan, bytes);
    return WorkFileCheck::Accepted;
}

void TakeOverLoadedTable(Document& doc, Document& loaded) {
    std::swap(doc.cellGrid.slots, loaded.cellGrid.slots);
    doc.tableColumns = loaded.tableColumns;
    doc.tableRows = loaded.tableRows;
    doc.cellWidth = loaded.cellWidth;
    doc.cellHeight = loaded.cellHeight;
    doc.separation = loaded.separation;
    doc.lineThickness = loaded.lineThickness;
    doc.lineColor = loaded.lineColor;
    doc.paperColor = loaded.paperColor;
    doc.tablePresent = loaded.tablePresent;
    std::swap(doc.undo, loaded.undo);
    ClearSelection(doc);
}
