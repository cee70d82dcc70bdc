// Number formats: the seven masks, the Spanish punctuation, the 19-character field, rounding and
// the leading number of a cell text.
#include "render/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string Shown(double value, int type) {
    return std::string(TrimSpaces(FormatCellNumber(value, type)));
}

} // namespace

TEST(FormatCellNumber, SampleValueInEverySevenFormats) {
    const char* expected[] = {"2,034,500.13", "2,034,500",  "2034500.13", "2.034.500'13",
                              "2.034.500",    "2034500'13", "2034500"};
    for (int type = 1; type <= 7; ++type) {
        SCOPED_TRACE(type);
        EXPECT_EQ(expected[type - 1], Shown(2034500.13, type));
    }
}

TEST(FormatCellNumber, ResultIsANineteenCharacterFieldPaddedOnTheRight) {
    std::string field = FormatCellNumber(2034500.13, 1);
    EXPECT_EQ(19u, field.size());
    EXPECT_EQ("2,034,500.13       ", field);
    EXPECT_EQ(std::string(19, ' '), FormatCellNumber(0, 7));
}

TEST(FormatCellNumber, NegativeValuesTakeALeadingMinus) {
    EXPECT_EQ("-1.234'25", Shown(-1234.25, 4));
    EXPECT_EQ("-1,234.25", Shown(-1234.25, 1));
    EXPECT_EQ("-1,234", Shown(-1234.25, 2));
    EXPECT_EQ("-1234'25", Shown(-1234.25, 6));
    EXPECT_EQ("-0.50", Shown(-0.5, 3));
    // A value that rounds to zero has no sign.
    EXPECT_EQ("0.00", Shown(-0.001, 3));
    EXPECT_EQ("", Shown(-0.4, 7));
}

TEST(FormatCellNumber, TypesOutsideOneToSevenGiveAnEmptyText) {
    for (int type : {0, 8, -1, 100}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(std::string(19, ' '), FormatCellNumber(2034500.13, type));
    }
}

TEST(FormatCellNumber, LongResultsAreCutToNineteenCharacters) {
    // Five groups of three nines, four commas, the point and two zeros: 22 characters.
    EXPECT_EQ("999,999,999,999,999", FormatCellNumber(999999999999999.0, 1));
    // Digits beyond the mask's positions are all shown, grouped as the mask asks.
    EXPECT_EQ("1,000,000,000,000,0", FormatCellNumber(1e15, 2));
    EXPECT_EQ("1234567890123456", Shown(1234567890123456.0, 7));
}

TEST(FormatCellNumber, HalvesRoundAwayFromZeroOnTheDecimalDigits) {
    EXPECT_EQ("0.13", Shown(0.125, 3));
    EXPECT_EQ("-0.13", Shown(-0.125, 3));
    EXPECT_EQ("2.68", Shown(2.675, 3)); // 2.675 is 2.67499... in binary; it still reads as a half
    EXPECT_EQ("1.01", Shown(1.005, 3));
    EXPECT_EQ("3", Shown(2.5, 7));
    EXPECT_EQ("-3", Shown(-2.5, 7));
    EXPECT_EQ("2", Shown(2.4999, 7));
    EXPECT_EQ("1,000", Shown(999.5, 2));
    EXPECT_EQ("1,000.00", Shown(999.995, 1));
    EXPECT_EQ("10.00", Shown(9.999, 3));
}

TEST(FormatCellNumber, HashPositionsShowNoDigitWhereTheNumberHasNone) {
    EXPECT_EQ(".50", Shown(0.5, 1));
    EXPECT_EQ("'50", Shown(0.5, 4));
    EXPECT_EQ(".00", Shown(0, 1));
    EXPECT_EQ("", Shown(0, 2));
    EXPECT_EQ("", Shown(0, 5));
    EXPECT_EQ("", Shown(0, 7));
    EXPECT_EQ("1", Shown(0.5, 7));
    // "0" positions are always shown.
    EXPECT_EQ("0.00", Shown(0, 3));
    EXPECT_EQ("0'50", Shown(0.5, 6));
}

TEST(FormatCellNumber, GroupingFollowsThreeDigitBoundaries) {
    EXPECT_EQ("999", Shown(999, 2));
    EXPECT_EQ("1,000", Shown(1000, 2));
    EXPECT_EQ("100,000", Shown(100000, 2));
    EXPECT_EQ("1,000,000", Shown(1000000, 2));
    EXPECT_EQ("1.000.000", Shown(1000000, 5));
    EXPECT_EQ("12,345.60", Shown(12345.6, 1));
}

TEST(FormatCellNumber, ValuesThatAreNotNumbersShowNothing) {
    EXPECT_EQ(std::string(19, ' '), FormatCellNumber(std::numeric_limits<double>::infinity(), 1));
    EXPECT_EQ(std::string(19, ' '), FormatCellNumber(std::numeric_limits<double>::quiet_NaN(), 3));
}

TEST(FormatCellNumber, ExtremeValuesStayWithinTheField) {
    EXPECT_EQ("179,769,313,486,231", FormatCellNumber(1.7976931348623157e308, 1));
    EXPECT_EQ("0.00", Shown(5e-324, 3));
    EXPECT_EQ(".00", Shown(5e-324, 1));
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText) {
    EXPECT_DOUBLE_EQ(2034500.13, LeadingNumber(u"2034500.13"));
    EXPECT_DOUBLE_EQ(12, LeadingNumber(u"12 apples"));
    EXPECT_DOUBLE_EQ(-3.5, LeadingNumber(u"-3.5"));
    EXPECT_DOUBLE_EQ(0.25, LeadingNumber(u".25"));
    EXPECT_DOUBLE_EQ(7, LeadingNumber(u"  +7"));
    EXPECT_DOUBLE_EQ(1.5, LeadingNumber(u"1.5.6"));
    EXPECT_DOUBLE_EQ(1, LeadingNumber(u"1,234")); // only "." is a decimal point
    EXPECT_DOUBLE_EQ(1, LeadingNumber(u"1e5"));   // no exponent
}

TEST(LeadingNumber, TextsThatDoNotStartWithANumberGiveZero) {
    EXPECT_EQ(0.0, LeadingNumber(u""));
    EXPECT_EQ(0.0, LeadingNumber(u"abc 12"));
    EXPECT_EQ(0.0, LeadingNumber(u"-"));
    EXPECT_EQ(0.0, LeadingNumber(u"."));
    EXPECT_EQ(0.0, LeadingNumber(u"-.x"));
}

TEST(LeadingNumber, AFullTextOfDigitsStaysFinite) {
    std::u16string digits(273, u'9');
    double value = LeadingNumber(digits);
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_GT(value, 1e272);
    EXPECT_EQ("999,999,999,999,999", FormatCellNumber(value, 2).substr(0, 19));
}

TEST(TrimSpaces, RemovesLeadingAndTrailingSpacesOnly) {
    EXPECT_EQ("a b", TrimSpaces("  a b  "));
    EXPECT_EQ("", TrimSpaces("   "));
    EXPECT_EQ("", TrimSpaces(""));
    EXPECT_EQ("x", TrimSpaces("x"));
}
