// Recovery copies: file names of one program, the note beside the copy, when to write or remove.
#include "document/Recovery.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(RecoveryFiles, NamesOfOneProgramShareABaseAndOtherFilesAreIgnored) {
    std::wstring base = RecoveryBaseName(0x1234, 0x01DA0000FFFFull);
    std::wstring other = RecoveryBaseName(0x1234, 0x01DA00010000ull); // same id, later start
    EXPECT_NE(base, other);
    std::vector<std::wstring> names = {RecoveryFileName(other, RecoveryPart::Lock),
                                       RecoveryFileName(base, RecoveryPart::Copy),
                                       RecoveryFileName(base, RecoveryPart::Note),
                                       L"notes.txt",
                                       L"chart-12-.qdrx",
                                       L"chart-xyz-1.lock",
                                       base + L".qdrx.tmp"};
    auto parsed = ParseRecoveryFileName(names[2]);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(base, parsed->first);
    EXPECT_EQ(RecoveryPart::Note, parsed->second);
    std::vector<std::wstring> expected = {base, other};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, RecoveryBases(names));
}

TEST(RecoveryFiles, NoteReadsBackAndDamagedNotesAreRefused) {
    for (RecoveryNote note : {RecoveryNote{L"C:\\Charts\\Sales \u00e9t\u00e9.qdrx", 133500000000000000ull},
                              RecoveryNote{L"", 1}}) {
        auto back = ParseRecoveryNote(FormatRecoveryNote(note));
        ASSERT_TRUE(back);
        EXPECT_EQ(note.chartPath, back->chartPath);
        EXPECT_EQ(note.savedAt, back->savedAt);
    }
    std::wstring text = FormatRecoveryNote({L"C:\\a.qdrx", 42});
    EXPECT_FALSE(ParseRecoveryNote(text.substr(0, text.size() - 1)));
    EXPECT_FALSE(ParseRecoveryNote(L"Cuadrix recovery 1\n4x2\nC:\\a.qdrx\n"));
    EXPECT_FALSE(ParseRecoveryNote(L"Cuadrix recovery 1\n99999999999999999999\nC:\\a.qdrx\n"));
    EXPECT_FALSE(ParseRecoveryNote(text + L"more\n"));
}

TEST(RecoveryFiles, CopyIsWrittenWhileBehindAndRemovedOnceRecorded) {
    RecoveryState state;
    EXPECT_EQ(RecoveryStep::None, NextRecoveryStep(false, 0, state));
    EXPECT_EQ(RecoveryStep::Write, NextRecoveryStep(true, 3, state));
    state = {true, 3};
    EXPECT_EQ(RecoveryStep::None, NextRecoveryStep(true, 3, state));
    EXPECT_EQ(RecoveryStep::Write, NextRecoveryStep(true, 4, state));
    EXPECT_EQ(RecoveryStep::Remove, NextRecoveryStep(false, 4, state));
}
