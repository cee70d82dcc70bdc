// The message tables: completeness in six languages, widths, shared style, fixed texts and the
// six-language registration offer.
#include "ui/Messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<MessageTable> AllTables() {
    std::vector<MessageTable> tables;
    for (int t = 0; t < static_cast<int>(MessageTable::Count); ++t)
        tables.push_back(static_cast<MessageTable>(t));
    return tables;
}

// The characters Windows-1252 gives to 0x80..0x9F; everything else it holds is Latin-1.
bool InWindows1252(char16_t c) {
    static const std::u16string extra = u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ";
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return true;
    return extra.find(c) != std::u16string::npos;
}

bool EndsWith(std::u16string_view text, std::u16string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::vector<std::u16string> SplitLines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find(u"\r\n", start)) != std::u16string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace

TEST(MessageTables, EveryTableHoldsSixFilledLanguagesWithinItsWidth) {
    for (MessageTable table : AllTables()) {
        SCOPED_TRACE(static_cast<int>(table));
        std::vector<int> items = MessageTableItems(table);
        ASSERT_FALSE(items.empty());
        int width = MessageTableWidth(table);
        ASSERT_GT(width, 0);
        for (int item : items) {
            SCOPED_TRACE(item);
            for (int language = 1; language <= kLanguageCount; ++language) {
                std::u16string_view text = MessageText(language, table, item);
                EXPECT_FALSE(text.empty()) << "language " << language;
                EXPECT_LE(static_cast<int>(text.size()), width - 1) << "language " << language;
                for (char16_t c : text)
                    EXPECT_TRUE(InWindows1252(c)) << "language " << language;
            }
        }
    }
}

TEST(MessageTables, WideTablesHaveTheirOwnWidths) {
    EXPECT_EQ(120, MessageTableWidth(MessageTable::ImageBrowser));
    EXPECT_EQ(120, MessageTableWidth(MessageTable::IconBrowser));
    EXPECT_EQ(120, MessageTableWidth(MessageTable::CutJpegExported));
    EXPECT_EQ(150, MessageTableWidth(MessageTable::GdiplusError));
    EXPECT_EQ(200, MessageTableWidth(MessageTable::Association));
    EXPECT_EQ(100, MessageTableWidth(MessageTable::Caption));
    EXPECT_EQ(100, MessageTableWidth(MessageTable::TextProperties));
}

TEST(MessageTables, TranslationsKeepTheEndingsThatMessagesAreBuiltFrom) {
    // Messages are assembled as "first line : " + value, or end in " ..." / " ?"; a translation
    // that drops the ending runs its words into the next part.
    const std::u16string_view endings[] = {u" : ", u" ...", u" ..", u" ?", u" :", u" ...)"};
    for (MessageTable table : AllTables()) {
        for (int item : MessageTableItems(table)) {
            std::u16string_view english = MessageText(5, table, item);
            for (std::u16string_view end : endings) {
                if (!EndsWith(english, end)) continue;
                for (int language = 1; language <= kLanguageCount; ++language)
                    EXPECT_TRUE(EndsWith(MessageText(language, table, item), end))
                        << "table " << static_cast<int>(table) << " item " << item << " language "
                        << language;
            }
        }
    }
}

TEST(MessageTables, EachLanguageColumnIsItsOwnTranslation) {
    // A column copied from another language (or shifted by one) shows up as mostly identical texts.
    int total = 0;
    for (MessageTable table : AllTables())
        total += static_cast<int>(MessageTableItems(table).size());
    for (int a = 1; a <= kLanguageCount; ++a) {
        for (int b = a + 1; b <= kLanguageCount; ++b) {
            int same = 0;
            for (MessageTable table : AllTables())
                for (int item : MessageTableItems(table))
                    if (MessageText(a, table, item) == MessageText(b, table, item)) ++same;
            EXPECT_LT(same * 3, total) << "languages " << a << " and " << b;
        }
    }
}

TEST(MessageTables, LookupByLanguageItemAndTheirBounds) {
    EXPECT_EQ(u"Rat\u00F3n", MessageText(1, MessageTable::MouseMenu, 1));
    EXPECT_EQ(u"Mouse", MessageText(5, MessageTable::MouseMenu, 1));
    EXPECT_EQ(u"Alineaci\u00F3n", MessageText(1, MessageTable::CopyConfigurator, 5));
    EXPECT_EQ(u"16 p\u00EDxeles", MessageText(1, MessageTable::PageOrientation, 2));
    EXPECT_EQ(u"Tama\u00F1o", MessageText(1, MessageTable::TextProperties, 4));
    EXPECT_EQ(u"Not Exist ...", MessageText(5, MessageTable::WorkFile, 2));
    EXPECT_EQ(u"Programmer", MessageText(5, MessageTable::Caption));
    // Outside 1..6 the Spanish entry is used.
    EXPECT_EQ(u"Programador", MessageText(0, MessageTable::Caption));
    EXPECT_EQ(u"Programador", MessageText(7, MessageTable::Caption));
    // Items that the program never shows are gaps, not neighbours' texts.
    EXPECT_TRUE(MessageText(5, MessageTable::OperationsMenu, 6).empty());
    EXPECT_TRUE(MessageText(5, MessageTable::OperationsMenu, 8).empty());
    EXPECT_TRUE(MessageText(5, MessageTable::FileNameDialog, 1).empty());
    EXPECT_TRUE(MessageText(5, MessageTable::Caption, 1).empty());
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5, 7, 9, 10, 11}),
              MessageTableItems(MessageTable::OperationsMenu));
    EXPECT_TRUE(MessageText(5, MessageTable::Count).empty());
}

TEST(MessageTables, TheAboutBoxInvitesToTheSameAddressInEveryLanguage) {
    for (int language = 1; language <= kLanguageCount; ++language)
        EXPECT_NE(std::u16string_view::npos,
                  MessageText(language, MessageTable::About, 2).find(u"https://velmora.example/cuadrix"))
            << language;
}

TEST(FixedTexts, ReadTheSameInEveryLanguage) {
    EXPECT_EQ(u"Espa\u00F1ol", LanguageName(1));
    EXPECT_EQ(u"Portugues", LanguageName(2));
    EXPECT_EQ(u"Fran\u00C7ais", LanguageName(3));
    EXPECT_EQ(u"Deutsch", LanguageName(4));
    EXPECT_EQ(u"English", LanguageName(5));
    EXPECT_EQ(u"Italiano", LanguageName(6));
    EXPECT_TRUE(LanguageName(0).empty());
    EXPECT_TRUE(LanguageName(7).empty());
    EXPECT_EQ(u"ANSI", FixedInterfaceText(FixedText::Ansi));
    EXPECT_EQ(u"Shiftjis", FixedInterfaceText(FixedText::Shiftjis));
    EXPECT_EQ(u"Johab", FixedInterfaceText(FixedText::Johab));
    EXPECT_EQ(u"OEM", FixedInterfaceText(FixedText::Oem));
    EXPECT_EQ(u"Leading", FixedInterfaceText(FixedText::Leading));
    EXPECT_EQ(u"...", FixedInterfaceText(FixedText::AssociationCaption));
    EXPECT_EQ(u"Salir", FixedInterfaceText(FixedText::AboutButton));
    EXPECT_EQ(u"All Files", FixedInterfaceText(FixedText::AllFiles));
}

TEST(AssociationOffer, SixBlocksOfHeaderAndFourLinesSeparatedByOneBlankLine) {
    std::u16string text = AssociationOfferText();
    const std::u16string_view headers[] = {u"[ESPA\u00D1OL]", u"[PORTUGUES]", u"[FRAN\u00C7AIS]",
                                           u"[DEUTSCH]",      u"[ENGLISH]",   u"[ITALIANO]"};
    std::vector<std::u16string> lines = SplitLines(text);
    // 6 blocks of 5 lines, 5 blank separators, and the empty remainder after the last CR LF.
    ASSERT_EQ(6u * 5 + 5 + 1, lines.size());
    size_t at = 0;
    for (int language = 1; language <= 6; ++language) {
        EXPECT_EQ(headers[language - 1], lines[at++]);
        for (int item = 1; item <= 4; ++item)
            EXPECT_EQ(MessageText(language, MessageTable::Association, item), lines[at++]);
        EXPECT_TRUE(lines[at++].empty());
    }
    EXPECT_TRUE(EndsWith(text, u"registrarlo ...\r\n"));
    EXPECT_FALSE(EndsWith(text, u"\r\n\r\n"));
    EXPECT_EQ(
        0u, text.find(u"[ESPA\u00D1OL]\r\nEntendiendo que este programa necesita registrarse para su mejor "
                      u"funcionamiento :\r\nQuiere registrar el programa en la ubicaci\u00F3n actual ?\r\n"));
    EXPECT_NE(
        std::u16string::npos,
        text.find(u"\r\n\r\n[ENGLISH]\r\nUnderstanding that this program needs to register for better "
                  u"performance :\r\nYou want to record the program at the current location ?\r\nIf you "
                  u"accept, you are advised to not move this program and its folder where this.\r\nIf you "
                  u"decline, you can move to a better location to record the folder with the program "
                  u"...\r\n\r\n[ITALIANO]\r\n"));
}
