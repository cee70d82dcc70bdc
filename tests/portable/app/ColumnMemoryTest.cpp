// Remembered column choices: what is kept reads back as the same choice, headers that differ
// have different keys, and kept values that do not fit the list are refused.
#include "app/commands/ColumnMemory.h"

#include <gtest/gtest.h>

#include <random>

TEST(ColumnMemory, ChoicesReadBackAndValuesThatDoNotFitAreRefused) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const size_t columns = 1 + random() % 40;
        ColumnFinding found;
        for (int& at : found.at)
            at = int(random() % (columns + 1)) - 1;
        ListColumns options, read;
        options.headcount = random() % 2 == 0;
        options.colourBy = ColourBy(random() % 3);
        options.departmentColumn = int(random() % (columns + 1)) - 1;
        const std::wstring kept = FormatColumnChoice(found, options);
        ASSERT_TRUE(ParseColumnChoice(kept, columns, read)) << kept;
        EXPECT_EQ(read.at, found.at);
        EXPECT_EQ(read.headcount, options.headcount) << kept;
        EXPECT_EQ(read.colourBy, options.colourBy) << kept;
        EXPECT_EQ(read.departmentColumn,
                  options.departmentColumn < 0 ? kFindColumn : options.departmentColumn)
            << kept;
    }
    ListColumns untouched;
    for (const wchar_t* bad : {L"", L"1,2,3,4,5", L"1,2,3,4,5,6,7", L"1,2,3,4,5,x", L"1,2,3,4,5,",
                               L"1,2,,4,5,6", L"1,2,3,4,5,9", L"1,2,3,4,5;headcount"})
        EXPECT_FALSE(ParseColumnChoice(bad, 8, untouched)) << bad;
    EXPECT_EQ(untouched.at, ListColumns().at);

    const ListRow a{1, {u"Name", u"Boss"}}, b{1, {u"Nam", u"eBoss"}}, c{1, {u"Name", u"Boss", u""}};
    EXPECT_EQ(ColumnMemoryKey(a), ColumnMemoryKey(ListRow{9, a.fields}));
    EXPECT_NE(ColumnMemoryKey(a), ColumnMemoryKey(b));
    EXPECT_NE(ColumnMemoryKey(a), ColumnMemoryKey(c));
}
