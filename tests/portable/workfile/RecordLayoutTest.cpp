// Byte layout of the current and previous work-file records.
#include "TestTables.h"

#include "document/FileErrors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// A cell whose every number is distinct, so a field at a wrong offset cannot go unnoticed.
CellRecord DistinctCell() {
    CellRecord c{};
    int32_t* longs[] = {&c.left,
                        &c.top,
                        &c.right,
                        &c.bottom,
                        &c.backColor,
                        &c.fontColor,
                        &c.bold,
                        &c.italic,
                        &c.underline,
                        &c.strikeout,
                        &c.leading,
                        &c.lineColor,
                        &c.covered,
                        &c.selected,
                        &c.cancelled,
                        &c.paperColor,
                        &c.numberFormatAllowed,
                        &c.marked,
                        &c.isBox,
                        &c.vLineOn,
                        &c.hLineOn,
                        &c.vLineX1,
                        &c.vLineY1,
                        &c.vLineX2,
                        &c.vLineY2,
                        &c.hLineX1,
                        &c.hLineY1,
                        &c.hLineX2,
                        &c.hLineY2};
    int32_t value = 0x01020304;
    for (int32_t* field : longs)
        *field = value += 0x01010101;
    int16_t* shorts[] = {&c.column,       &c.row,        &c.fontSize,        &c.alignment,
                         &c.tableColumns, &c.tableRows,  &c.lineThickness,   &c.cellWidth,
                         &c.cellHeight,   &c.separation, &c.numberFormatType};
    int16_t small = 0x0A0B;
    for (int16_t* field : shorts)
        *field = small += 0x0101;
    AssignField(c.fontName, "Font");
    AssignField(c.imageSpec, "image|-2");
    AssignField(c.iconPath, "icon.ico");
    AssignField(c.text, u"\u20acx");
    AssignField(c.reserved11, "res");
    return c;
}

struct LongField {
    size_t offset;
    int32_t CellRecord::*field;
};
struct ShortField {
    size_t offset;
    int16_t CellRecord::*field;
};

} // namespace

TEST(RecordLayout, EveryNumberSitsLittleEndianAtItsOffset) {
    CellRecord cell = DistinctCell();
    std::vector<uint8_t> b = RecordBytes(cell);
    ASSERT_EQ(1345u, b.size());
    const LongField longs[] = {{0, &CellRecord::left},
                               {4, &CellRecord::top},
                               {8, &CellRecord::right},
                               {12, &CellRecord::bottom},
                               {20, &CellRecord::backColor},
                               {24, &CellRecord::fontColor},
                               {130, &CellRecord::bold},
                               {134, &CellRecord::italic},
                               {138, &CellRecord::underline},
                               {142, &CellRecord::strikeout},
                               {146, &CellRecord::leading},
                               {1254, &CellRecord::lineColor},
                               {1258, &CellRecord::covered},
                               {1262, &CellRecord::selected},
                               {1266, &CellRecord::cancelled},
                               {1276, &CellRecord::paperColor},
                               {1282, &CellRecord::numberFormatAllowed},
                               {1297, &CellRecord::marked},
                               {1301, &CellRecord::isBox},
                               {1305, &CellRecord::vLineOn},
                               {1309, &CellRecord::hLineOn},
                               {1313, &CellRecord::vLineX1},
                               {1317, &CellRecord::vLineY1},
                               {1321, &CellRecord::vLineX2},
                               {1325, &CellRecord::vLineY2},
                               {1329, &CellRecord::hLineX1},
                               {1333, &CellRecord::hLineY1},
                               {1337, &CellRecord::hLineX2},
                               {1341, &CellRecord::hLineY2}};
    for (const LongField& f : longs)
        EXPECT_EQ(static_cast<uint32_t>(cell.*f.field), Le32(b, f.offset)) << "offset " << f.offset;
    const ShortField shorts[] = {{16, &CellRecord::column},
                                 {18, &CellRecord::row},
                                 {128, &CellRecord::fontSize},
                                 {1246, &CellRecord::alignment},
                                 {1248, &CellRecord::tableColumns},
                                 {1250, &CellRecord::tableRows},
                                 {1252, &CellRecord::lineThickness},
                                 {1270, &CellRecord::cellWidth},
                                 {1272, &CellRecord::cellHeight},
                                 {1274, &CellRecord::separation},
                                 {1280, &CellRecord::numberFormatType}};
    for (const ShortField& f : shorts)
        EXPECT_EQ(static_cast<uint16_t>(cell.*f.field), Le16(b, f.offset)) << "offset " << f.offset;

    // Byte order spelled out once for a negative value: -2 is FE FF FF FF.
    cell.backColor = kNoColor;
    b = RecordBytes(cell);
    EXPECT_EQ((std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}),
              std::vector<uint8_t>(b.begin() + 20, b.begin() + 24));
}

TEST(RecordLayout, TextFieldsGoOutWholeWithTheBytesBehindTheTerminator) {
    CellRecord cell{};
    AssignField(cell.fontName, "abcdef");
    AssignField(cell.fontName, "ab");
    AssignField(cell.imageSpec, "pic.bmp|255");
    AssignField(cell.iconPath, "i.ico");
    AssignField(cell.text, u"long text");
    AssignField(cell.text, u"\u00e9\u20ac");
    AssignField(cell.reserved11, "0123456789");
    std::memset(cell.fontName + 90, 'z', 10); // no terminator at the very end of the field
    std::vector<uint8_t> b = RecordBytes(cell);

    EXPECT_EQ(0, std::memcmp(b.data() + 28, "ab\0def\0", 7));
    EXPECT_EQ(0, std::memcmp(b.data() + 28 + 90, "zzzzzzzzzz", 10));
    EXPECT_EQ(0, std::memcmp(b.data() + 150, "pic.bmp|255", 12));
    EXPECT_EQ(0, std::memcmp(b.data() + 424, "i.ico", 6));
    // UTF-16LE: é, €, NUL, then "g text" left from the longer value.
    const uint8_t text[] = {0xE9, 0x00, 0xAC, 0x20, 0x00, 0x00, 'g', 0, ' ', 0, 't', 0};
    EXPECT_EQ(0, std::memcmp(b.data() + 698, text, sizeof text));
    EXPECT_EQ(0, std::memcmp(b.data() + 1286, "0123456789", 11));

    CellRecord back{};
    DecodeCellRecord(b.data(), back);
    EXPECT_EQ(0, std::memcmp(back.fontName, cell.fontName, sizeof cell.fontName));
    EXPECT_EQ(0, std::memcmp(back.text, cell.text, sizeof cell.text));
    EXPECT_EQ(u"\u00e9\u20ac", FieldText(back.text));
    EXPECT_EQ("ab", FieldText(back.fontName));
}

TEST(RecordLayout, AnyRecordDecodesAndEncodesBackToTheSameBytes) {
    // The record has no gaps: every byte belongs to a field and survives decoding.
    std::mt19937 random(1345);
    for (int trial = 0; trial < 50; ++trial) {
        std::vector<uint8_t> bytes(kRecordSize);
        for (uint8_t& byte : bytes)
            byte = static_cast<uint8_t>(random());
        CellRecord cell{};
        DecodeCellRecord(bytes.data(), cell);
        ASSERT_EQ(bytes, RecordBytes(cell));
    }
}

TEST(RecordLayout, PreviousRecordsLackTheIconPathAndShiftEveryLaterField) {
    CellRecord cell = DistinctCell();
    std::vector<uint8_t> previous = ToPreviousFormat(RecordBytes(cell));
    ASSERT_EQ(1071u, previous.size());
    // A few fields at their previous-format offsets.
    EXPECT_EQ(static_cast<uint16_t>(cell.alignment), Le16(previous, 972));
    EXPECT_EQ(static_cast<uint16_t>(cell.tableColumns), Le16(previous, 974));
    EXPECT_EQ(static_cast<uint32_t>(cell.selected), Le32(previous, 988));
    EXPECT_EQ(static_cast<uint32_t>(cell.paperColor), Le32(previous, 1002));
    EXPECT_EQ(static_cast<uint32_t>(cell.hLineY2), Le32(previous, 1067));
    EXPECT_EQ(0, std::memcmp(previous.data() + 424, "\xAC\x20x\0", 4));

    CellRecord back{};
    std::memset(&back, 0x55, sizeof back); // the icon path must come back all zero, not left over
    DecodePreviousCellRecord(previous.data(), back);
    for (char byte : back.iconPath)
        ASSERT_EQ('\0', byte);
    CellRecord expected = cell;
    std::memset(expected.iconPath, 0, sizeof expected.iconPath);
    EXPECT_EQ(RecordBytes(expected), RecordBytes(back));
}

TEST(FileErrorMessages, NumberHasItsLeadingBlankAndItsStandardText) {
    EXPECT_EQ(u"Err:  61 Disk full", FileErrorMessage(kErrorDiskFull));
    EXPECT_EQ(u"Err:  70 Permission denied", FileErrorMessage(kErrorPermissionDenied));
    EXPECT_EQ(u"Err:  76 Path not found", FileErrorMessage(kErrorPathNotFound));
    EXPECT_EQ(u"Err:  53 File not found", FileErrorMessage(kErrorFileNotFound));
    EXPECT_EQ(u"Err:  64 Bad file name", FileErrorMessage(kErrorBadFileName));
    EXPECT_EQ(u"Err:  57 Device I/O error", FileErrorMessage(kErrorDeviceIo));
    EXPECT_EQ(u"Err:  5 Illegal function call", FileErrorMessage(5));
    EXPECT_EQ("Path/file access error", FileErrorText(75));
    EXPECT_EQ("No Error", FileErrorText(0));
    EXPECT_TRUE(FileErrorText(60).empty());
}
