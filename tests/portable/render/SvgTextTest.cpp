// The SVG writer's text pieces: escaping, numbers, colours, base64 and font families.
#include "render/ExportFormat.h"
#include "render/SvgText.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

TEST(SvgText, TextIsEscapedUtf8WithoutWhatXmlCannotCarry) {
    EXPECT_EQ("Ventas &amp; &lt;Marketing&gt; &quot;Q&quot; &apos;s",
              SvgEscape(u"Ventas & <Marketing> \"Q\" 's"));
    EXPECT_EQ("Direcci\xC3\xB3n \xE2\x82\xAC \xF0\x9F\x98\x80", SvgEscape(u"Dirección € \U0001F600"));
    const char16_t loneHalf[] = {u'a', 0x0001, u'b', u'\t', u'c', 0xD800, 0};
    EXPECT_EQ("ab\tc", SvgEscape(loneHalf));
}

TEST(SvgText, NumbersColoursAndBase64) {
    EXPECT_EQ("12", SvgNumber(12));
    EXPECT_EQ("170.5", SvgNumber(170.5));
    EXPECT_EQ("-0.25", SvgNumber(-0.25));
    EXPECT_EQ("0", SvgNumber(-0.001));
    EXPECT_EQ("#c80010", SvgColour(0x1000C8));
    EXPECT_EQ("", Base64(""));
    EXPECT_EQ("Zg==", Base64("f"));
    EXPECT_EQ("Zm8=", Base64("fo"));
    EXPECT_EQ("Zm9vYmFy", Base64("foobar"));
    EXPECT_EQ("AP8=", Base64(std::string("\x00\xFF", 2)));
}

TEST(SvgText, FamiliesNameTheFaceItsFreeTwinAndAGenericFamily) {
    EXPECT_EQ("'ARIAL', 'Liberation Sans', sans-serif", SvgFontFamily(u"ARIAL", GenericFamily::Serif));
    EXPECT_EQ("'Times New Roman', 'Liberation Serif', serif",
              SvgFontFamily(u"Times New Roman", GenericFamily::SansSerif));
    EXPECT_EQ("'Courier New', 'Liberation Mono', monospace",
              SvgFontFamily(u"Courier New", GenericFamily::SansSerif));
    EXPECT_EQ("'Rock &amp; Roll', fantasy", SvgFontFamily(u"Rock & Roll", GenericFamily::Fantasy));
    EXPECT_EQ("serif", SvgFontFamily(u"O'Brien", GenericFamily::Serif)); // no quote can hold the name
    EXPECT_EQ(GenericFamily::Serif, GenericFamilyOf(0x12, false));
    EXPECT_EQ(GenericFamily::Monospace, GenericFamilyOf(0x00, true));
}

TEST(ExportFormat, ChosenByTheLastExtensionOfTheFileName) {
    EXPECT_EQ(ExportFormat::Svg, ExportFormatForPath(L"C:\\a.b\\chart.SVG"));
    EXPECT_EQ(ExportFormat::Emf, ExportFormatForPath(L"chart.emf"));
    EXPECT_EQ(ExportFormat::Pdf, ExportFormatForPath(L"Chart.PDF"));
    EXPECT_EQ(ExportFormat::Bitmap, ExportFormatForPath(L"chart.bmp"));
    EXPECT_EQ(ExportFormat::Encoded, ExportFormatForPath(L"chart.Jpg"));
    EXPECT_EQ(ExportFormat::Unknown, ExportFormatForPath(L"C:\\a.svg\\chart"));
    EXPECT_EQ(ExportFormat::Unknown, ExportFormatForPath(L"chart.jpeg"));
    // Only the two formats of the menu's cut exports keep the table's cut.
    for (const wchar_t* path : {L"a.bmp", L"C:\\x.png\\a.BMP", L"a.JPG"})
        EXPECT_TRUE(KeepsTableCut(path)) << std::string(path, path + wcslen(path));
    for (const wchar_t* path :
         {L"a.png", L"a.gif", L"a.tif", L"a.emf", L"a.svg", L"C:\\x.bmp\\a.svg", L"a.jpeg"})
        EXPECT_FALSE(KeepsTableCut(path)) << std::string(path, path + wcslen(path));
}
