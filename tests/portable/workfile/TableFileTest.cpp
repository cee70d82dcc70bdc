// Whole tables as work files: sizes and order, round trips, sparse and unordered files, refusals.
#include "TestTables.h"

#include "document/Undo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// Documents are 13.7 MB: keep them off the stack.
std::unique_ptr<Document> NewDocument() {
    return std::make_unique<Document>();
}

int16_t ColumnOfRecord(const std::vector<uint8_t>& file, size_t index) {
    return static_cast<int16_t>(file[index * kRecordSize + 16] | file[index * kRecordSize + 17] << 8);
}
int16_t RowOfRecord(const std::vector<uint8_t>& file, size_t index) {
    return static_cast<int16_t>(file[index * kRecordSize + 18] | file[index * kRecordSize + 19] << 8);
}

// A lone record for cell (column, row) of a table of the given size.
CellRecord LoneCell(int column, int row, int columns, int rows) {
    CellRecord cell{};
    cell.column = static_cast<int16_t>(column);
    cell.row = static_cast<int16_t>(row);
    cell.tableColumns = static_cast<int16_t>(columns);
    cell.tableRows = static_cast<int16_t>(rows);
    cell.isBox = 1;
    cell.alignment = kAlignCenter;
    AssignField(cell.text, u"lone");
    return cell;
}

void ExpectUnchanged(const Document& before, const Document& after) {
    EXPECT_EQ(GridBytes(before), GridBytes(after));
    EXPECT_EQ(before.tableColumns, after.tableColumns);
    EXPECT_EQ(before.tableRows, after.tableRows);
    EXPECT_EQ(before.cellWidth, after.cellWidth);
    EXPECT_EQ(before.cellHeight, after.cellHeight);
    EXPECT_EQ(before.separation, after.separation);
    EXPECT_EQ(before.lineThickness, after.lineThickness);
    EXPECT_EQ(before.lineColor, after.lineColor);
    EXPECT_EQ(before.paperColor, after.paperColor);
    EXPECT_EQ(before.undo.undoLevel, after.undo.undoLevel);
    EXPECT_EQ(before.undo.undoStack.size(), after.undo.undoStack.size());
    EXPECT_EQ(before.selectionCount, after.selectionCount);
}

} // namespace

TEST(TableFile, RecordsRunRowsOuterColumnsInnerAndGiveTheKnownSizes) {
    auto doc = NewDocument();
    FillTable(*doc, 44, 31, 24);
    std::vector<uint8_t> file = EncodeWorkFile(*doc);
    EXPECT_EQ(1834580u, file.size());
    EXPECT_EQ(1460844u, ToPreviousFormat(file).size());
    // Record 45 holds the cell (0, 1); the last one (43, 30).
    EXPECT_EQ(0, ColumnOfRecord(file, 44));
    EXPECT_EQ(1, RowOfRecord(file, 44));
    EXPECT_EQ(43, ColumnOfRecord(file, 1363));
    EXPECT_EQ(30, RowOfRecord(file, 1363));
    for (size_t k = 0; k < 1364; ++k) {
        ASSERT_EQ(static_cast<int>(k % 44), ColumnOfRecord(file, k));
        ASSERT_EQ(static_cast<int>(k / 44), RowOfRecord(file, k));
    }

    // Slots beside the table are never written, whatever they hold.
    doc->cellGrid(100, 0).marked = 1;
    doc->cellGrid(0, 31).isBox = 1;
    EXPECT_EQ(file, EncodeWorkFile(*doc));
}

TEST(TableFile, ReadingBackGivesTheSameTableAndSavingAgainTheSameBytesButSelection) {
    auto original = NewDocument();
    FillTable(*original, 44, 31, 24);
    original->cellGrid(5, 6).selected = 1;
    original->cellGrid(43, 30).selected = 1;
    std::vector<uint8_t> file = EncodeWorkFile(*original);
    EXPECT_EQ(1u, file[(6 * 44 + 5) * kRecordSize + 1262]); // saved as it was in memory

    auto doc = NewDocument();
    FillTable(*doc, 10, 10, 16);
    PushUndo(*doc);
    PushUndo(*doc);
    doc->cellGrid(100, 100).marked = 1; // from an earlier table: gone after the read
    doc->selectionCount = 3;
    doc->selectionHorizontal = 1;
    ASSERT_EQ(WorkFileCheck::Accepted, LoadWorkFile(*doc, file, WorkFileFormat::Current));

    EXPECT_EQ(44, doc->tableColumns);
    EXPECT_EQ(31, doc->tableRows);
    EXPECT_EQ(24, doc->cellWidth);
    EXPECT_EQ(24, doc->cellHeight);
    EXPECT_EQ(3, doc->separation);
    EXPECT_EQ(2, doc->lineThickness);
    EXPECT_EQ(0x00112233, doc->lineColor);
    EXPECT_EQ(0x00F0E0D0, doc->paperColor);
    EXPECT_TRUE(doc->tablePresent);
    EXPECT_FALSE(UndoAvailable(*doc));
    EXPECT_EQ(0, doc->undo.undoLevel);
    EXPECT_EQ(0, doc->selectionCount);
    EXPECT_EQ(0, doc->selectionHorizontal);

    for (int row = 0; row < kGridSize; ++row)
        for (int column = 0; column < kGridSize; ++column) {
            CellRecord expected = InTable(*doc, column, row) ? original->cellGrid(column, row) : CellRecord{};
            expected.selected = 0;
            ASSERT_EQ(RecordBytes(expected), RecordBytes(doc->cellGrid(column, row)))
                << "cell " << column << ", " << row;
        }

    std::vector<uint8_t> again = EncodeWorkFile(*doc);
    ASSERT_EQ(file.size(), again.size());
    size_t differing = 0;
    for (size_t i = 0; i < file.size(); ++i)
        if (file[i] != again[i]) {
            ++differing;
            EXPECT_EQ(1262u, i % kRecordSize) << "byte " << i;
        }
    EXPECT_EQ(2u, differing); // the low byte of the two saved selections
}

TEST(TableFile, SparseUnorderedAndRepeatedRecordsLandInTheCellsTheyName) {
    // Only the cells (0, 0) and (5, 3): every other cell is all zero.
    std::vector<uint8_t> sparse;
    AppendCellRecord(sparse, LoneCell(0, 0, 10, 8));
    CellRecord second = LoneCell(5, 3, 60, 40); // table values come from the first record alone
    second.cellWidth = 99;
    second.paperColor = 5;
    AppendCellRecord(sparse, second);
    auto doc = NewDocument();
    FillTable(*doc, 20, 20, 16);
    ASSERT_EQ(WorkFileCheck::Accepted, LoadWorkFile(*doc, sparse, WorkFileFormat::Current));
    EXPECT_EQ(10, doc->tableColumns);
    EXPECT_EQ(8, doc->tableRows);
    EXPECT_EQ(0, doc->cellWidth);
    EXPECT_EQ(0, doc->paperColor);
    EXPECT_EQ(u"lone", FieldText(doc->cellGrid(5, 3).text));
    EXPECT_EQ(1, doc->cellGrid(0, 0).isBox);
    const std::vector<uint8_t> zero = RecordBytes(CellRecord{});
    for (int row = 0; row < kGridSize; ++row)
        for (int column = 0; column < kGridSize; ++column)
            if (!(column == 0 && row == 0) && !(column == 5 && row == 3)) {
                ASSERT_EQ(zero, RecordBytes(doc->cellGrid(column, row))) << column << ", " << row;
            }
    EXPECT_EQ("", FieldText(doc->cellGrid(1, 0).fontName));
    EXPECT_EQ(0, doc->cellGrid(1, 0).alignment);

    // Saved, every record names its own cell, so reading it back keeps the two cells.
    std::vector<uint8_t> saved = EncodeWorkFile(*doc);
    ASSERT_EQ(80 * kRecordSize, saved.size());
    EXPECT_EQ(9, ColumnOfRecord(saved, 79));
    EXPECT_EQ(7, RowOfRecord(saved, 79));
    auto reread = NewDocument();
    ASSERT_EQ(WorkFileCheck::Accepted, LoadWorkFile(*reread, saved, WorkFileFormat::Current));
    EXPECT_EQ(u"lone", FieldText(reread->cellGrid(0, 0).text));
    EXPECT_EQ(u"lone", FieldText(reread->cellGrid(5, 3).text));
    EXPECT_EQ(0, reread->cellGrid(9, 7).isBox);

    // Backwards order, and a later record for the same cell wins.
    std::vector<uint8_t> unordered;
    AppendCellRecord(unordered, LoneCell(2, 1, 3, 2));
    AppendCellRecord(unordered, LoneCell(0, 0, 3, 2));
    CellRecord later = LoneCell(0, 0, 0, 0); // its copies of the table values are not the table's
    AssignField(later.text, u"later");
    later.cellWidth = 50;
    AppendCellRecord(unordered, later);
    ASSERT_EQ(WorkFileCheck::Accepted, LoadWorkFile(*doc, unordered, WorkFileFormat::Current));
    EXPECT_EQ(u"later", FieldText(doc->cellGrid(0, 0).text));
    EXPECT_EQ(u"lone", FieldText(doc->cellGrid(2, 1).text));
    EXPECT_EQ(3, doc->tableColumns); // from the first record, whichever cell it holds
    EXPECT_EQ(2, doc->tableRows);

    // Saved, the first record carries the table values, so the file reads back as the same table.
    std::vector<uint8_t> resaved = EncodeWorkFile(*doc);
    ASSERT_EQ(6 * kRecordSize, resaved.size());
    ASSERT_EQ(WorkFileCheck::Accepted, LoadWorkFile(*reread, resaved, WorkFileFormat::Current));
    EXPECT_EQ(3, reread->tableColumns);
    EXPECT_EQ(2, reread->tableRows);
    EXPECT_EQ(0, reread->cellWidth);
    EXPECT_EQ(u"later", FieldText(reread->cellGrid(0, 0).text));
}

TEST(TableFile, RefusedFilesLeaveTheTableAsItWas) {
    auto doc = NewDocument();
    FillTable(*doc, 12, 9, 32);
    doc->cellGrid(2, 2).selected = 1;
    doc->selectionCount = 1;
    PushUndo(*doc);
    auto before = NewDocument();
    *before = *doc;

    auto table = NewDocument();
    FillTable(*table, 44, 31, 24);
    const std::vector<uint8_t> current = EncodeWorkFile(*table);
    const std::vector<uint8_t> previous = ToPreviousFormat(current);

    auto refused = [&](std::vector<uint8_t> bytes, WorkFileFormat format, WorkFileCheck why,
                       const char* what) {
        EXPECT_EQ(why, LoadWorkFile(*doc, bytes, format)) << what;
        ExpectUnchanged(*before, *doc);
    };
    refused({}, WorkFileFormat::Current, WorkFileCheck::WrongLength, "empty file");
    refused({}, WorkFileFormat::Previous, WorkFileCheck::WrongLength, "empty previous file");
    refused(std::vector<uint8_t>(current.begin(), current.begin() + 1346), WorkFileFormat::Current,
            WorkFileCheck::WrongLength, "1346 bytes");
    refused(previous, WorkFileFormat::Current, WorkFileCheck::WrongLength, "previous format read as current");
    refused(current, WorkFileFormat::Previous, WorkFileCheck::WrongLength, "current format read as previous");

    auto withCell = [](const CellRecord& first, const CellRecord& second) {
        std::vector<uint8_t> bytes;
        AppendCellRecord(bytes, first);
        AppendCellRecord(bytes, second);
        return bytes;
    };
    const CellRecord ok = LoneCell(0, 0, 5, 5);
    refused(withCell(LoneCell(0, 0, 0, 5), ok), WorkFileFormat::Current, WorkFileCheck::TableOutOfRange,
            "0 columns");
    refused(withCell(LoneCell(0, 0, 5, 102), ok), WorkFileFormat::Current, WorkFileCheck::TableOutOfRange,
            "102 rows");
    refused(withCell(LoneCell(0, 0, -1, 5), ok), WorkFileFormat::Current, WorkFileCheck::TableOutOfRange,
            "negative columns");
    refused(withCell(ok, LoneCell(5, 0, 5, 5)), WorkFileFormat::Current, WorkFileCheck::CellOutOfRange,
            "column beside the declared table");
    refused(withCell(ok, LoneCell(0, 101, 101, 101)), WorkFileFormat::Current, WorkFileCheck::CellOutOfRange,
            "row beside the grid");
    refused(withCell(ok, LoneCell(-1, 0, 5, 5)), WorkFileFormat::Current, WorkFileCheck::CellOutOfRange,
            "negative column");
    refused(ToPreviousFormat(withCell(ok, LoneCell(2, 7, 5, 5))), WorkFileFormat::Previous,
            WorkFileCheck::CellOutOfRange, "previous-format row beside the table");
    refused(ToPreviousFormat(withCell(LoneCell(0, 0, 5, 0), ok)), WorkFileFormat::Previous,
            WorkFileCheck::TableOutOfRange, "previous-format 0 rows");

    // The largest table is accepted, cells at its far corner included.
    EXPECT_EQ(WorkFileCheck::Accepted,
              LoadWorkFile(*doc, withCell(LoneCell(100, 100, 101, 101), LoneCell(0, 100, 7, 7)),
                           WorkFileFormat::Current));
    EXPECT_EQ(u"lone", FieldText(doc->cellGrid(100, 100).text));
}

TEST(TableFile, PreviousFormatTableLoadsWithoutIconsAndSavesInTheCurrentFormat) {
    auto original = NewDocument();
    FillTable(*original, 44, 31, 24);
    original->lineThickness = -3; // a negative thickness keeps its sign when widened
    for (CellRecord& cell : original->cellGrid.slots)
        cell.lineThickness = -3;
    original->cellGrid(1, 1).selected = 1;
    std::vector<uint8_t> previous = ToPreviousFormat(EncodeWorkFile(*original));
    ASSERT_EQ(1460844u, previous.size());

    auto doc = NewDocument();
    FillTable(*doc, 3, 3, 16);
    PushUndo(*doc);
    ASSERT_EQ(WorkFileCheck::Accepted, LoadWorkFile(*doc, previous, WorkFileFormat::Previous));
    EXPECT_EQ(-3, doc->lineThickness);
    EXPECT_EQ(0x00F0E0D0, doc->paperColor);
    EXPECT_FALSE(UndoAvailable(*doc));
    EXPECT_EQ(0, doc->cellGrid(1, 1).selected);
    for (int row = 0; row < 31; ++row)
        for (int column = 0; column < 44; ++column) {
            CellRecord expected = original->cellGrid(column, row);
            std::memset(expected.iconPath, 0, sizeof expected.iconPath);
            expected.selected = 0;
            ASSERT_EQ(RecordBytes(expected), RecordBytes(doc->cellGrid(column, row)))
                << column << ", " << row;
        }

    std::vector<uint8_t> saved = EncodeWorkFile(*doc);
    EXPECT_EQ(1834580u, saved.size());
    auto reread = NewDocument();
    ASSERT_EQ(WorkFileCheck::Accepted, LoadWorkFile(*reread, saved, WorkFileFormat::Current));
    EXPECT_EQ(GridBytes(*doc), GridBytes(*reread));
}

TEST(TableFile, LoadingInPiecesMatchesLoadingWholeAndRefusesBeforeTouchingTheTable) {
    auto table = NewDocument();
    FillTable(*table, 44, 31, 24);
    const std::vector<uint8_t> file = EncodeWorkFile(*table);
    auto whole = NewDocument();
    ASSERT_EQ(WorkFileCheck::Accepted, LoadWorkFile(*whole, file, WorkFileFormat::Current));

    // The saved image comes out the same a record at a time.
    std::vector<uint8_t> pieces(file.size());
    ASSERT_EQ(1364u, WorkFileRecordCount(*table));
    for (size_t index = 0; index < 1364; ++index)
        EncodeWorkFileRecord(*table, index, pieces.data() + index * kRecordSize);
    EXPECT_EQ(file, pieces);

    // Loaded seven records at a time, the table is the one loaded whole.
    auto loadInPieces = [&](Document& doc, const std::vector<uint8_t>& bytes) {
        const size_t piece = 7 * kRecordSize;
        WorkFileScan scan;
        WorkFileCheck check = StartWorkFileScan(scan, WorkFileFormat::Current, bytes.size(), bytes);
        for (size_t at = 0; check == WorkFileCheck::Accepted && at < bytes.size(); at += piece)
            check = ScanWorkFileRecords(
                scan, std::span<const uint8_t>(bytes).subspan(at, std::min(piece, bytes.size() - at)));
        if (check != WorkFileCheck::Accepted) return check;
        StartWorkFileLoad(doc, scan, bytes);
        for (size_t at = 0; at < bytes.size(); at += piece)
            LoadWorkFileRecords(
                doc, scan, std::span<const uint8_t>(bytes).subspan(at, std::min(piece, bytes.size() - at)));
        return check;
    };
    auto doc = NewDocument();
    FillTable(*doc, 101, 101, 16);
    ASSERT_EQ(WorkFileCheck::Accepted, loadInPieces(*doc, file));
    EXPECT_EQ(GridBytes(*whole), GridBytes(*doc));
    EXPECT_EQ(whole->tableColumns, doc->tableColumns);
    EXPECT_EQ(whole->paperColor, doc->paperColor);

    // A bad record in the last piece is found while scanning, before anything is loaded.
    std::vector<uint8_t> bad = file;
    bad[1363 * kRecordSize + 18] = 31; // the last record names row 31 of a 31-row table
    auto other = NewDocument();
    FillTable(*other, 5, 5, 16);
    const std::vector<uint8_t> before = GridBytes(*other);
    EXPECT_EQ(WorkFileCheck::CellOutOfRange, loadInPieces(*other, bad));
    EXPECT_EQ(before, GridBytes(*other));
    EXPECT_EQ(5, other->tableColumns);
}
