// The line-breaking rule, measured with a fake font whose characters have known widths.
#include "render/LineBreaking.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every character is 10 pixels wide, except "i" (4) and "W" (16), so widths and counts can differ.
int CharWidth(char16_t c) {
    return c == u'i' ? 4 : c == u'W' ? 16 : 10;
}

struct FakeFont {
    int calls = 0;
    int operator()(std::u16string_view s, int width) {
        ++calls;
        int total = 0;
        int n = 0;
        for (char16_t c : s) {
            if (total + CharWidth(c) > width) break;
            total += CharWidth(c);
            ++n;
        }
        return n;
    }
};

std::vector<std::u16string> Broken(std::u16string_view text, int width, int* used = nullptr) {
    TextLines lines;
    FakeFont font;
    int n = BreakTextLines(text, width, font, lines);
    if (used) *used = n;
    return std::vector<std::u16string>(lines.begin(), lines.begin() + n);
}

} // namespace

TEST(SplitAtFit, SplitsAtTheLastSpaceUpToTheFirstCharacterThatDoesNotFit) {
    SplitPieces p = SplitAtFit(u"abcd efg hij", 7); // "abcd ef" fits, "g" does not
    EXPECT_EQ(u"abcd", p.first);
    EXPECT_EQ(u" efg hij", p.second);
    // The character that does not fit may itself be the space.
    p = SplitAtFit(u"abcd efg", 4);
    EXPECT_EQ(u"abcd", p.first);
    EXPECT_EQ(u" efg", p.second);
}

TEST(SplitAtFit, NoSpaceFromIndexOneGivesAnEmptyFirstPiece) {
    SplitPieces p = SplitAtFit(u"abcdefg", 3);
    EXPECT_TRUE(p.first.empty());
    EXPECT_EQ(u"abcdefg", p.second);
    // A space at index 0 is not a split point.
    p = SplitAtFit(u" abcdef", 3);
    EXPECT_TRUE(p.first.empty());
    EXPECT_EQ(u" abcdef", p.second);
    // Nothing fits at all.
    p = SplitAtFit(u"ab cd", 0);
    EXPECT_TRUE(p.first.empty());
    EXPECT_EQ(u"ab cd", p.second);
}

TEST(SplitAtFit, ATextThatFitsIsKeptWhole) {
    SplitPieces p = SplitAtFit(u"ab cd", 5);
    EXPECT_EQ(u"ab cd", p.first);
    EXPECT_TRUE(p.second.empty());
    p = SplitAtFit(u"", 0);
    EXPECT_TRUE(p.first.empty());
    EXPECT_TRUE(p.second.empty());
}

TEST(BreakTextLines, ATextThatFitsIsOneLine) {
    int used = -1;
    EXPECT_EQ(std::vector<std::u16string>{u"one two"}, Broken(u"one two", 70, &used));
    EXPECT_EQ(1, used);
    EXPECT_TRUE(Broken(u"", 70).empty());
}

TEST(BreakTextLines, WordsFlowOntoFollowingLinesWithoutLeadingSpaces) {
    // 40 pixels hold four characters. Line 2 " ccc dddd" is longer than "a bb": split into
    // "ccc" and "dddd"; "dddd" is longer than "ccc" but fits, so it stays whole.
    EXPECT_EQ((std::vector<std::u16string>{u"a bb", u"ccc", u"dddd"}), Broken(u"a bb ccc dddd", 40));
}

TEST(BreakTextLines, AWordThatIsLongerThanTheLineAboveButDoesNotFitMovesToLineOneHundred) {
    // 30 pixels hold three characters: "dddd" is longer than "ccc" and has no space to split at.
    int used = 0;
    std::vector<std::u16string> lines = Broken(u"a bb ccc dddd", 30, &used);
    ASSERT_EQ(100, used);
    EXPECT_EQ(u"a", lines[0]);
    EXPECT_EQ(u"bb", lines[1]);
    EXPECT_EQ(u"ccc", lines[2]);
    for (int i = 3; i < 99; ++i)
        EXPECT_TRUE(lines[i].empty()) << "line " << i + 1;
    EXPECT_EQ(u"dddd", lines[99]);
}

TEST(BreakTextLines, ALineShorterThanTheOneAboveIsNotSplitAgainAndKeepsItsLeadingSpace) {
    // Four-letter word, space, two-letter word; only the first word fits.
    EXPECT_EQ((std::vector<std::u16string>{u"abcd", u" ef"}), Broken(u"abcd ef", 45));
    // The count test ignores widths: " WWW" is wider than 45 pixels but has fewer characters.
    EXPECT_EQ((std::vector<std::u16string>{u"abcd", u" WW"}), Broken(u"abcd WW", 45));
}

TEST(BreakTextLines, AWordWiderThanTheCellEndsInLineOneHundred) {
    int used = 0;
    std::vector<std::u16string> lines = Broken(u"abcdefghij", 30, &used);
    ASSERT_EQ(100, used);
    for (int i = 0; i < 99; ++i)
        EXPECT_TRUE(lines[i].empty()) << "line " << i + 1;
    EXPECT_EQ(u"abcdefghij", lines[99]);
}

TEST(BreakTextLines, AWordHandedOnFromLineToLineIsMeasuredOnce) {
    TextLines lines;
    FakeFont font;
    EXPECT_EQ(100, BreakTextLines(u"abcdefghij", 30, font, lines));
    EXPECT_EQ(1, font.calls);
    FakeFont second;
    EXPECT_EQ(100, BreakTextLines(u"ab abcdefghij", 30, second, lines));
    EXPECT_EQ(3, second.calls); // the whole text, " abcdefghij", then "abcdefghij" once
    EXPECT_EQ(u"abcdefghij", lines[99]);
}

TEST(BreakTextLines, AnOverWideWordAfterFittingWordsAlsoMovesToTheLastLine) {
    // "ab" fits; "abcdefghij" never does, so every later split hands it on.
    int used = 0;
    std::vector<std::u16string> lines = Broken(u"ab abcdefghij", 30, &used);
    ASSERT_EQ(100, used);
    EXPECT_EQ(u"ab", lines[0]);
    for (int i = 1; i < 99; ++i)
        EXPECT_TRUE(lines[i].empty()) << "line " << i + 1;
    EXPECT_EQ(u"abcdefghij", lines[99]);
}

TEST(BreakTextLines, LinesGrowingInLengthAreSplitUpToLineOneHundred) {
    // 120 words of one letter in a cell of one character: the text beyond line 100 is kept in
    // line 100.
    std::u16string text;
    for (int i = 0; i < 120; ++i)
        text += i ? u" x" : u"x";
    int used = 0;
    std::vector<std::u16string> lines = Broken(text, 10, &used);
    ASSERT_EQ(100, used);
    EXPECT_EQ(u"x", lines[0]);
    // Line 2 " x x ..." fits only its space and has no space after index 0: it is split into
    // nothing and the rest, which goes on without its leading space. From line 3 on every line
    // holds one word, and line 100 takes the 22 words left.
    EXPECT_TRUE(lines[1].empty());
    for (int i = 2; i < 99; ++i)
        EXPECT_EQ(u"x", lines[i]) << "line " << i + 1;
    EXPECT_EQ(22u * 2 - 1, lines[99].size());
}

TEST(BreakTextLines, NarrowCharactersFitByWidthNotCount) {
    // "iiiiiii iii" : seven i's are 28 pixels and fit into 30, the space does too (38 > 30, no).
    EXPECT_EQ((std::vector<std::u16string>{u"iiiiiii", u" iii"}), Broken(u"iiiiiii iii", 30));
    // A negative width fits nothing: every word is handed on to line 100.
    int used = 0;
    std::vector<std::u16string> lines = Broken(u"ab", -5, &used);
    EXPECT_EQ(100, used);
    EXPECT_EQ(u"ab", lines[99]);
}
