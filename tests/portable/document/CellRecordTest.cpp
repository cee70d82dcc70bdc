// The text-field assignment rule of the cell record.
#include "document/Document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CellRecordFields, AssignmentCutsToCapacityAndKeepsBytesBehindTheTerminator) {
    CellRecord cell{};
    AssignField(cell.fontName, "abcdef");
    AssignField(cell.fontName, "ab");
    EXPECT_EQ(0, std::memcmp(cell.fontName, "ab\0def", 6));
    EXPECT_EQ("ab", FieldText(cell.fontName));

    AssignField(cell.fontName, std::string(120, 'x'));
    EXPECT_EQ(99u, FieldText(cell.fontName).size());
    EXPECT_EQ('\0', cell.fontName[99]);

    AssignField(cell.text, std::u16string(300, u'z'));
    EXPECT_EQ(273u, FieldText(cell.text).size());
}

TEST(CellRecordFields, ReaderStopsAtCapacityWhenNoTerminatorIsPresent) {
    CellRecord cell{};
    std::memset(cell.reserved11, 'r', sizeof cell.reserved11);
    EXPECT_EQ(11u, FieldText(cell.reserved11).size());
}
