// The text-properties rules: accepted text, the plain-number check, style bits and heights,
// format-option captions and the exchange with a chart box.
#include "interaction/TextStyle.h"

#include <gtest/gtest.h>

namespace {

std::u16string Repeat(char16_t c, size_t n) {
    return std::u16string(n, c);
}

// Returns the normalised text, or "<open>" when the dialog has to stay open.
std::u16string Number(std::u16string text) {
    return NormaliseNumberText(text) ? text : u"<open>";
}

} // namespace

TEST(AcceptedText, LineBreaksBecomeSingleBlanks) {
    EXPECT_EQ(u"two words", AcceptedCellText(u"two\r\nwords"));
    EXPECT_EQ(u"a b", AcceptedCellText(u"a\rb"));
    EXPECT_EQ(u"a b", AcceptedCellText(u"a\nb"));
    // LF CR is not a pair: each becomes a blank.
    EXPECT_EQ(u"a  b", AcceptedCellText(u"a\n\rb"));
    EXPECT_EQ(u"  x ", AcceptedCellText(u"\r\n\r\nx\r"));
    EXPECT_EQ(u"", AcceptedCellText(u""));
}

TEST(AcceptedText, IsCutTo273UnitsBeforeTheBreaksAreReplaced) {
    EXPECT_EQ(Repeat(u'x', 273), AcceptedCellText(Repeat(u'x', 300)));
    EXPECT_EQ(Repeat(u'y', 273), AcceptedCellText(Repeat(u'y', 273)));
    // A CR LF straddling the cut: the CR is kept (as a blank), the LF is cut off.
    std::u16string text = Repeat(u'z', 272) + u"\r\nmore";
    std::u16string accepted = AcceptedCellText(text);
    EXPECT_EQ(273u, accepted.size());
    EXPECT_EQ(u' ', accepted.back());
    // Breaks counted before the cut: 272 + CR LF leaves 272 + blank, and a text shorter than the
    // limit after replacement is not padded.
    EXPECT_EQ(u"a b", AcceptedCellText(u"a\r\nb"));
}

TEST(AcceptedText, DoesNotSplitASurrogatePairAtTheCut) {
    std::u16string text = Repeat(u'a', 272) + u"\U0001F600" + u"tail";
    std::u16string accepted = AcceptedCellText(text);
    EXPECT_EQ(Repeat(u'a', 272), accepted);
    // A pair that ends exactly at the limit is kept whole.
    std::u16string fits = Repeat(u'b', 271) + u"\U0001F600" + u"tail";
    EXPECT_EQ(Repeat(u'b', 271) + u"\U0001F600", AcceptedCellText(fits));
}

TEST(NumberText, AcceptsDigitsWithOneSeparatorAndStoresAPoint) {
    EXPECT_EQ(u"1.5", Number(u"1,5"));
    EXPECT_EQ(u"1.5", Number(u"1'5"));
    EXPECT_EQ(u"1.5", Number(u"1.5"));
    EXPECT_EQ(u"1234567890", Number(u"1234567890"));
    EXPECT_EQ(u".5", Number(u",5"));
    EXPECT_EQ(u"7.", Number(u"7'"));
}

TEST(NumberText, KeepsTheDialogOpenForAnythingElse) {
    EXPECT_EQ(u"<open>", Number(u"1.234,5"));
    EXPECT_EQ(u"<open>", Number(u"1,234,5"));
    EXPECT_EQ(u"<open>", Number(u"1''5"));
    EXPECT_EQ(u"<open>", Number(u"-3"));
    EXPECT_EQ(u"<open>", Number(u"+3"));
    EXPECT_EQ(u"<open>", Number(u"12 "));
    EXPECT_EQ(u"<open>", Number(u" 12"));
    EXPECT_EQ(u"<open>", Number(u""));
    EXPECT_EQ(u"<open>", Number(u"1e5"));
    EXPECT_EQ(u"<open>", Number(u"\u0661")); // an Arabic-Indic digit is not one of the accepted
}

TEST(StyleValue, CountsOnlyFlagsThatAreExactlyOne) {
    TextPropertiesBuffer buffer;
    EXPECT_EQ(0, WorkingStyleBits(buffer));
    buffer.workingStyle.bold = 1;
    buffer.workingStyle.underline = 1;
    buffer.workingStyle.leading = 1;
    EXPECT_EQ(1 + 4 + 16, WorkingStyleBits(buffer));
    buffer.workingStyle.italic = -1; // a True from elsewhere is not 1
    buffer.workingStyle.strikeout = 2;
    EXPECT_EQ(21, WorkingStyleBits(buffer));
    buffer.workingStyle = TextStyle{};
    buffer.workingStyle.italic = 1;
    buffer.workingStyle.strikeout = 1;
    EXPECT_EQ(2 + 8, WorkingStyleBits(buffer));
    // The accepted style is not what the sample shows.
    buffer.currentStyle.bold = 1;
    EXPECT_EQ(10, WorkingStyleBits(buffer));
    EXPECT_EQ(11, StyleBits(TextStyle{1, 0, "x", 10, 1, 1, 0, 1, 0}));
}

TEST(StyleValue, LeadingTurnsTheSignOfTheRoundedHeight) {
    EXPECT_EQ(-13, FontHeightForPoints(10, 96, 0)); // 13.33 rounds down
    EXPECT_EQ(13, FontHeightForPoints(10, 96, kStyleLeading));
    EXPECT_EQ(-15, FontHeightForPoints(11, 96, kStyleBold)); // 14.67 rounds up
    EXPECT_EQ(-16, FontHeightForPoints(12, 96, kStyleItalic | kStyleUnderline));
    EXPECT_EQ(-10, FontHeightForPoints(10, 72, 0));
    EXPECT_EQ(93, FontHeightForPoints(70, 96, kStyleLeading | kStyleBold)); // 93.33
}

TEST(Buffer, StartsAndResetsToTheFreshTableValues) {
    TextPropertiesBuffer buffer;
    EXPECT_EQ(kWhite, buffer.currentStyle.backColor);
    EXPECT_EQ(0, buffer.currentStyle.fontColor);
    EXPECT_EQ("Times New Roman", buffer.workingStyle.fontName);
    EXPECT_EQ(10, buffer.workingStyle.fontSize);
    EXPECT_EQ(6, buffer.editNumberFormatType);
    EXPECT_EQ(0, buffer.editNumberFormatAllowed);
    EXPECT_EQ(131, AlignmentCode(buffer));

    buffer.currentStyle = TextStyle{0x123456, 0xFF, "Arial", 22, 1, 1, 1, 1, 1};
    buffer.workingStyle = buffer.currentStyle;
    SetAlignmentOption(buffer, 5);
    buffer.editNumberFormatType = 2;
    buffer.editNumberFormatAllowed = 1;
    buffer.customColors[3] = 0xABCDEF;
    ResetTextProperties(buffer);
    EXPECT_EQ(TextStyle{}, buffer.currentStyle);
    EXPECT_EQ(TextStyle{}, buffer.workingStyle);
    EXPECT_EQ((std::array<int32_t, 6>{1, 0, 0, 0, 0, 0}), buffer.alignmentChoice);
    // A new table keeps the number-format choice and the custom colours.
    EXPECT_EQ(2, buffer.editNumberFormatType);
    EXPECT_EQ(1, buffer.editNumberFormatAllowed);
    EXPECT_EQ(0xABCDEFu, buffer.customColors[3]);
}

TEST(Buffer, AlignmentOptionsMapToCodes131To136) {
    TextPropertiesBuffer buffer;
    for (int option = 1; option <= 6; ++option) {
        SetAlignmentOption(buffer, option);
        EXPECT_EQ(130 + option, AlignmentCode(buffer));
        int set = 0;
        for (int32_t flag : buffer.alignmentChoice)
            set += flag;
        EXPECT_EQ(1, set);
    }
    SetAlignmentOption(buffer, 0);
    SetAlignmentOption(buffer, 7);
    EXPECT_EQ(136, AlignmentCode(buffer));
    buffer.alignmentChoice = {1, 0, 1, 0, 0, 0}; // a later flag wins
    EXPECT_EQ(133, AlignmentCode(buffer));
}

TEST(FormatOptions, CaptionsShowTheNameAndTheTrimmedSample) {
    EXPECT_EQ(u"English decimal format : (2,034,500.13)",
              NumberFormatOptionCaption(u"English decimal format", 1));
    EXPECT_EQ(u"English integer format : (1,850,000)",
              NumberFormatOptionCaption(u"English integer format", 2));
    EXPECT_EQ(u"n : (1183.72)", NumberFormatOptionCaption(u"n", 3));
    EXPECT_EQ(u"n : (2.034.500'13)", NumberFormatOptionCaption(u"n", 4));
    EXPECT_EQ(u"n : (1.850.000)", NumberFormatOptionCaption(u"n", 5));
    EXPECT_EQ(u"n : (1183'72)", NumberFormatOptionCaption(u"n", 6));
    EXPECT_EQ(u"n : (1184)", NumberFormatOptionCaption(u"n", 7));
    // The single-precision sample is not the double 1183.72.
    EXPECT_EQ(1183.719970703125, NumberFormatSample(3));
    EXPECT_EQ(NumberFormatSample(3), NumberFormatSample(7));
}

TEST(CellExchange, LoadsEveryFieldAndStoresItBack) {
    CellRecord cell{};
    cell.backColor = 0x00FF00;
    cell.fontColor = 0x0000FF;
    AssignField(cell.fontName, "Arial");
    cell.fontSize = 14;
    cell.bold = 1;
    cell.italic = 0;
    cell.underline = 1;
    cell.strikeout = 0;
    cell.leading = 1;
    AssignField(cell.text, u"1500");
    cell.alignment = 134;
    cell.numberFormatType = 3;
    cell.numberFormatAllowed = 1;

    TextPropertiesBuffer buffer;
    LoadTextPropertiesFromCell(cell, buffer);
    TextStyle expected{0x00FF00, 0x0000FF, "Arial", 14, 1, 0, 1, 0, 1};
    EXPECT_EQ(expected, buffer.currentStyle);
    EXPECT_EQ(expected, buffer.workingStyle);
    EXPECT_EQ(u"1500", buffer.editText);
    EXPECT_EQ(134, AlignmentCode(buffer));
    EXPECT_EQ(3, buffer.editNumberFormatType);
    EXPECT_EQ(1, buffer.editNumberFormatAllowed);

    CellRecord other{};
    buffer.currentStyle.fontName = std::string(150, 'F');
    buffer.editText = Repeat(u't', 273);
    StoreTextPropertiesInCell(buffer, other);
    EXPECT_EQ(99u, FieldText(other.fontName).size());
    EXPECT_EQ(273u, FieldText(other.text).size());
    EXPECT_EQ(134, other.alignment);
    EXPECT_EQ(0x00FF00, other.backColor);
    EXPECT_EQ(1, other.leading);
    EXPECT_EQ(1, other.numberFormatAllowed);
}

TEST(CellExchange, AnUnknownAlignmentCodeKeepsTheChoice) {
    TextPropertiesBuffer buffer;
    SetAlignmentOption(buffer, 3);
    CellRecord cell{};
    cell.alignment = 0;
    LoadTextPropertiesFromCell(cell, buffer);
    EXPECT_EQ(133, AlignmentCode(buffer));
    cell.alignment = 137;
    LoadTextPropertiesFromCell(cell, buffer);
    EXPECT_EQ(133, AlignmentCode(buffer));
    cell.alignment = 136;
    LoadTextPropertiesFromCell(cell, buffer);
    EXPECT_EQ(136, AlignmentCode(buffer));
}
