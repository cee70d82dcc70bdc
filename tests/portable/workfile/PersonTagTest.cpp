// Person tags behind a box's text: kept through a work file, taken only whole.
#include "document/PersonTag.h"
#include "document/WorkFileFormat.h"

#include <gtest/gtest.h>

#include <memory>

TEST(PersonTag, KeptThroughAWorkFileAndTakenOnlyWhole) {
    PersonTag tag;
    tag.byId = true;
    tag.key = u"O-6066";
    tag.manager = u"O-1";
    tag.nameLength = 9;
    tag.titleLength = 3;
    struct Case {
        std::u16string text;
        std::u16string after; // the text assigned once the tag is written, or none
        bool written, read;
    } cases[] = {
        {u"Ana Roca CEO", u"", true, true},
        {u"Ana Roca CEO", u"Ana Roca CEO\r\nRoom 4", true, true},  // a shorter text leaves it
        {u"Ana Roca CEO", std::u16string(260, u'x'), true, false}, // a longer one grows over it
        {std::u16string(262, u'y'), u"", false, false},            // no room behind the text
    };
    auto doc = std::make_unique<Document>();
    doc->tableColumns = doc->tableRows = 1;
    doc->tablePresent = true;
    for (const Case& c : cases) {
        CellRecord& cell = doc->cellGrid(0, 0);
        cell = CellRecord{};
        AssignField(cell.text, c.text);
        EXPECT_EQ(c.written, WritePersonTag(cell, tag));
        if (!c.after.empty()) AssignField(cell.text, c.after);
        auto loaded = std::make_unique<Document>();
        ASSERT_EQ(WorkFileCheck::Accepted,
                  LoadWorkFile(*loaded, EncodeWorkFile(*doc), WorkFileFormat::Current));
        PersonTag back;
        ASSERT_EQ(c.read, ReadPersonTag(loaded->cellGrid(0, 0), back));
        if (c.read)
            EXPECT_TRUE(back.key == tag.key && back.manager == tag.manager && back.byId &&
                        back.nameLength == 9);
        cell.text[kTextCapacity - 3] ^= 1; // one unit of the tag changed: refused
        EXPECT_FALSE(ReadPersonTag(cell, back));
    }
}
