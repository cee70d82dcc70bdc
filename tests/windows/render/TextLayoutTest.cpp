// Cell text layout on real pictures: each rendering is compared with the same text drawn by hand
// where the layout rules put it, with positions measured on the test's own font.
#include "RenderTestSupport.h"
#include "render/LineBreaking.h"
#include "render/TextLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);

Picture Blank(int width, int height) {
    Picture p(width, height);
    FillSolid(p.Dc(), RECT{0, 0, width, height}, kPaper);
    return p;
}

const wchar_t* W(std::u16string_view s) {
    return reinterpret_cast<const wchar_t*>(s.data());
}

SIZE Extent(HFONT font, std::u16string_view text) {
    Picture p(4, 4);
    ScopedSelect select(p.Dc(), font);
    SIZE size{};
    GetTextExtentPoint32W(p.Dc(), W(text), static_cast<int>(text.size()), &size);
    return size;
}

int LineHeightOf(HFONT font) {
    Picture p(4, 4);
    ScopedSelect select(p.Dc(), font);
    TEXTMETRICW tm{};
    GetTextMetricsW(p.Dc(), &tm);
    return tm.tmHeight + tm.tmExternalLeading;
}

// A picture with the given lines drawn by hand at the given positions.
struct Placed {
    std::u16string_view text;
    int x;
    int y;
};

Picture Reference(int width, int height, HFONT font, std::initializer_list<Placed> lines) {
    Picture p = Blank(width, height);
    ScopedSelect select(p.Dc(), font);
    SetBkMode(p.Dc(), TRANSPARENT);
    SetTextColor(p.Dc(), kBlack);
    for (const Placed& line : lines)
        TextOutW(p.Dc(), line.x, line.y, W(line.text), static_cast<int>(line.text.size()));
    return p;
}

bool SamePixels(const Picture& a, const Picture& b) {
    return ReadPixels(a).pixels == ReadPixels(b).pixels;
}

// A cell of W x H pixels inside a table of line thickness 1.
RenderState CellOf(int width, int height) {
    RenderState render;
    render.lineThickness = 1;
    render.spanWidth = static_cast<int16_t>(width + 1);
    render.spanHeight = static_cast<int16_t>(height + 1);
    return render;
}

struct Fonts {
    FontHandle tahoma{MakeTestFont(L"Tahoma", -12)};
    FontHandle tiny{MakeTestFont(L"Tahoma", -8)};
    // A monospaced face whose break character is the space, as justification needs.
    FontHandle mono{MakeTestFont(L"DejaVu Sans Mono", -12)};
    FontHandle turned{MakeTestFont(L"Tahoma", -12, -900)};
};

} // namespace

TEST(DrawCellText, ASingleLineIsPlacedByItsAlignment) {
    Fonts f;
    const std::u16string_view text = u"Hello";
    const int x = 20, y = 30, w = 200;
    const int width = Extent(f.tahoma.Get(), text).cx;
    RenderState render = CellOf(w, 40);
    struct Case {
        int alignment;
        int expectedX;
    } cases[] = {{131, x}, {132, x + w - width - 3}, {133, x + (w - width) / 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        Picture cell = Blank(300, 100);
        DrawCellText(render, cell.Dc(), text, c.alignment, x, y, f.tahoma.Get(), kBlack);
        EXPECT_TRUE(SamePixels(cell, Reference(300, 100, f.tahoma.Get(), {{text, c.expectedX, y}})));
        EXPECT_FALSE(IsEmpty(ReadPixels(cell).Ink(RECT{0, 0, 300, 100}, kPaper)));
    }
}

TEST(DrawCellText, TextTakesTheGivenColourOverATransparentBackground) {
    Fonts f;
    RenderState render = CellOf(200, 40);
    Picture cell(300, 60);
    FillSolid(cell.Dc(), RECT{0, 0, 300, 60}, RGB(0, 255, 255));
    SetBkMode(cell.Dc(), OPAQUE);
    DrawCellText(render, cell.Dc(), u"Colour", 131, 10, 10, f.tahoma.Get(), RGB(0, 0, 255));
    PixelGrid grid = ReadPixels(cell);
    const RECT all{0, 0, 300, 60};
    EXPECT_GT(grid.Count(all, RGB(0, 0, 255)), 20);
    EXPECT_EQ(300 * 60, grid.Count(all, RGB(0, 0, 255)) + grid.Count(all, RGB(0, 255, 255)));
    EXPECT_EQ(f.tahoma.Get(), GetCurrentObject(cell.Dc(), OBJ_FONT)); // the font stays selected
}

TEST(DrawCellText, AWordWiderThanTheCellIsDrawnInLineOneHundred) {
    Fonts f;
    const std::u16string_view word = u"Extraordinarily";
    const int x = 10, y = 5, lineHeight = LineHeightOf(f.tiny.Get());
    ASSERT_GT(Extent(f.tiny.Get(), word).cx, 30);
    const int height = y + 100 * lineHeight + 10;
    RenderState render = CellOf(30, 30);
    Picture cell = Blank(200, height);
    DrawCellText(render, cell.Dc(), word, 131, x, y, f.tiny.Get(), kBlack);
    EXPECT_TRUE(SamePixels(cell, Reference(200, height, f.tiny.Get(), {{word, x, y + 99 * lineHeight}})));
    // Nothing in the 99 lines above it.
    EXPECT_TRUE(IsEmpty(ReadPixels(cell).Ink(RECT{0, 0, 200, y + 99 * lineHeight}, kPaper)));
}

// The extent tells the partial redraw where a text can show: a long line, whose glyphs the
// rasteriser places right of the advances the font reports, still draws nothing outside it.
TEST(DrawCellText, TheExtentOfALongLineHoldsAllItsInk) {
    FontHandle font(
        CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Times New Roman"));
    std::u16string text;
    for (int i = 0; text.size() < 120; ++i)
        text += std::u16string(1 + i % 7, char16_t(u'a' + i * 5 % 26)) + u" ";
    for (int alignment : {131, 133}) {
        Picture cell = Blank(1000, 60);
        ScopedSelect select(cell.Dc(), font.Get());
        SetBkMode(cell.Dc(), TRANSPARENT);
        GlyphOverhangs overhangs;
        ReadGlyphOverhangs(cell.Dc(), overhangs);
        RECT extent{};
        TextArea area;
        area.width = area.breakWidth = 900;
        area.overhangs = &overhangs;
        area.extent = &extent;
        LayOutText(cell.Dc(), text, alignment, 20, 20, area);
        PixelGrid pixels = ReadPixels(cell);
        ASSERT_FALSE(IsEmpty(pixels.Ink(RECT{0, 0, 1000, 60}, kPaper)));
        EXPECT_TRUE(IsEmpty(pixels.Ink(RECT{extent.right, 0, 1000, 60}, kPaper))) << alignment;
        EXPECT_TRUE(IsEmpty(pixels.Ink(RECT{0, 0, extent.left, 60}, kPaper))) << alignment;
    }
}

// Lines are broken from one measure of the whole text; they must come out where measuring every
// piece on its own puts them, in every face, size and style.
TEST(DrawCellText, LongTextsBreakAsWhenEachPieceIsMeasured) {
    std::u16string text;
    for (int i = 0; text.size() < 273; ++i)
        text += std::u16string(1 + i * 7 % 9, char16_t((i % 3 ? u'a' : u'A') + i * 5 % 26)) + u" ";
    text.resize(273);
    for (const wchar_t* face : {L"Tahoma", L"Times New Roman", L"Courier New"})
        for (int height : {-8, -13, -21})
            for (int weight : {FW_NORMAL, FW_BOLD}) {
                FontHandle font(CreateFontW(height, 0, 0, 0, weight, weight == FW_BOLD, 0, 0, DEFAULT_CHARSET,
                                            0, 0, 0, 0, face));
                const int lineHeight = LineHeightOf(font.Get());
                RenderState render = CellOf(60, 30);
                const int pictureHeight = 100 * lineHeight + 20;
                Picture drawn = Blank(400, pictureHeight);
                DrawCellText(render, drawn.Dc(), text, 131, 5, 5, font.Get(), kBlack);
                Picture reference = Blank(400, pictureHeight);
                ScopedSelect select(reference.Dc(), font.Get());
                TextLines lines;
                const int used = BreakTextLines(
                    text, 60,
                    [&](std::u16string_view piece, int width) {
                        int fit = 0;
                        SIZE size{};
                        GetTextExtentExPointW(reference.Dc(), W(piece), static_cast<int>(piece.size()), width,
                                              &fit, nullptr, &size);
                        return width < 0 ? 0 : fit;
                    },
                    lines);
                ASSERT_GT(used, 3);
                SetBkMode(reference.Dc(), TRANSPARENT);
                for (int i = 0; i < used; ++i)
                    TextOutW(reference.Dc(), 5, 5 + i * lineHeight, W(lines[i]),
                             static_cast<int>(lines[i].size()));
                EXPECT_TRUE(SamePixels(drawn, reference)) << face << " " << height << " " << weight;
            }
}

// Runs of short lines go to the picture in one call, moved glyph by glyph by the font's advances;
// the pixels must be those of the lines drawn one by one, in every face, size and style, with
// characters beyond the checked ones and with justified lines among them.
TEST(DrawCellText, ShortLinesDrawnTogetherComeOutAsDrawnOneByOne) {
    std::u16string text;
    const char16_t* words[] = {u"ab", u"Wé", u"fiñ", u"mß", u"iüj", u"Жx", u"qg", u"a b", u"Tü"};
    for (int i = 0; text.size() < 200; ++i)
        text += std::u16string(words[i * 7 % 9]) + (i % 4 ? u" " : u"  ");
    int usable = 0;
    for (const wchar_t* face : {L"Tahoma", L"Times New Roman", L"Courier New"})
        for (int height : {-8, -11, -13, -16, -21})
            for (int style = 0; style < 4; ++style) {
                FontHandle font(CreateFontW(height, 0, 0, 0, style & 1 ? FW_BOLD : FW_NORMAL, style & 2, 0, 0,
                                            DEFAULT_CHARSET, 0, 0, 0, 0, face));
                const int lineHeight = LineHeightOf(font.Get());
                const int pictureHeight = 100 * lineHeight + 20;
                for (int alignment = 131; alignment <= 134; ++alignment) {
                    Picture pictures[2] = {Blank(200, pictureHeight), Blank(200, pictureHeight)};
                    TextAdvances advances;
                    for (int together = 0; together < 2; ++together) {
                        HDC dc = pictures[together].Dc();
                        ScopedSelect select(dc, font.Get());
                        SetBkMode(dc, TRANSPARENT);
                        TextArea area;
                        area.width = 40;
                        area.breakWidth = 40;
                        area.lineHeight = lineHeight;
                        if (together) {
                            GlyphDrift drift;
                            ReadGlyphPlacement(dc, 1, drift, &advances);
                            area.advances = &advances;
                        }
                        LayOutText(dc, text, alignment, 5, 5, area);
                    }
                    if (alignment == 131) usable += advances.usable;
                    EXPECT_TRUE(SamePixels(pictures[0], pictures[1]))
                        << face << " " << height << " " << style << " " << alignment;
                }
            }
    // The usual box font is among those drawn together.
    FontHandle boxFont(MakeTestFont(L"Times New Roman", -13));
    Picture picture = Blank(8, 8);
    ScopedSelect select(picture.Dc(), boxFont.Get());
    TextAdvances advances;
    GlyphDrift drift;
    ReadGlyphPlacement(picture.Dc(), 1, drift, &advances);
    EXPECT_TRUE(advances.usable);
    EXPECT_GT(usable, 30) << usable;
}

TEST(DrawCellText, ASecondLineShorterThanTheFirstKeepsItsLeadingSpace) {
    Fonts f;
    const int c = Extent(f.mono.Get(), u"m").cx;
    ASSERT_EQ(c, Extent(f.mono.Get(), u"i").cx) << "the test needs a monospaced font";
    const int lineHeight = LineHeightOf(f.mono.Get());
    // Only "abcd" fits; " ef" has fewer characters, so it is not split again.
    RenderState render = CellOf(4 * c + 2, 60);
    Picture cell = Blank(200, 100);
    DrawCellText(render, cell.Dc(), u"abcd ef", 131, 10, 10, f.mono.Get(), kBlack);
    EXPECT_TRUE(SamePixels(
        cell, Reference(200, 100, f.mono.Get(), {{u"abcd", 10, 10}, {u" ef", 10, 10 + lineHeight}})));
}

TEST(DrawCellText, JustifiedLinesReachTheWidestLineFromEightyPercentUp) {
    Fonts f;
    const int c = Extent(f.mono.Get(), u"m").cx;
    ASSERT_EQ(c, Extent(f.mono.Get(), u"i").cx) << "the test needs a monospaced font";
    const int lh = LineHeightOf(f.mono.Get());
    const int x = 10, y = 10;
    // Ten characters fit. Lines: "aa aa aa b" (10, the widest), "bbbbb bb" (8, exactly 80 %),
    // "d d" (3, under 80 %).
    RenderState render = CellOf(10 * c + 1, 60);
    Picture cell = Blank(300, 100);
    DrawCellText(render, cell.Dc(), u"aa aa aa b bbbbb bb d d", 134, x, y, f.mono.Get(), kBlack);
    PixelGrid got = ReadPixels(cell);
    PixelGrid plain = ReadPixels(Reference(
        300, 100, f.mono.Get(), {{u"aa aa aa b", x, y}, {u"bbbbb bb", x, y + lh}, {u"d d", x, y + 2 * lh}}));
    auto band = [&](int line) { return RECT{0, y + line * lh, 300, y + (line + 1) * lh}; };
    // The widest line and the short last line are drawn as they are.
    RECT plainFirst = plain.Ink(band(0), kPaper), gotFirst = got.Ink(band(0), kPaper);
    RECT plainLast = plain.Ink(band(2), kPaper), gotLast = got.Ink(band(2), kPaper);
    EXPECT_TRUE(EqualRect(&plainFirst, &gotFirst));
    EXPECT_TRUE(EqualRect(&plainLast, &gotLast));
    EXPECT_EQ(plain.Count(band(2), kBlack), got.Count(band(2), kBlack));
    // The 80 % line starts where it would and ends where the widest line ends (both end in "b").
    RECT second = got.Ink(band(1), kPaper);
    EXPECT_EQ(plain.Ink(band(1), kPaper).left, second.left);
    EXPECT_EQ(got.Ink(band(0), kPaper).right, second.right);
    EXPECT_EQ(plain.Ink(band(1), kPaper).right + 2 * c, second.right);
}

TEST(DrawCellText, LinesBelowEightyPercentOfTheWidestAreNotJustified) {
    Fonts f;
    const int c = Extent(f.mono.Get(), u"m").cx;
    ASSERT_EQ(c, Extent(f.mono.Get(), u"i").cx) << "the test needs a monospaced font";
    const int lh = LineHeightOf(f.mono.Get());
    // "aa aa aa b" (10) and " bb bbb" (7 characters, 70 %): the second line has fewer characters
    // than the first, so it keeps its leading space and is drawn as it is.
    RenderState render = CellOf(10 * c + 1, 60);
    Picture cell = Blank(300, 100);
    DrawCellText(render, cell.Dc(), u"aa aa aa b bb bbb", 134, 10, 10, f.mono.Get(), kBlack);
    EXPECT_TRUE(SamePixels(
        cell, Reference(300, 100, f.mono.Get(), {{u"aa aa aa b", 10, 10}, {u" bb bbb", 10, 10 + lh}})));
}

TEST(DrawCellText, TurnedTextIsCentredAcrossTheCellAndRunsDownwards) {
    Fonts f;
    const std::u16string_view text = u"Hello";
    const SIZE extent = Extent(f.turned.Get(), text); // along the baseline, and the height
    const int x = 50, y = 40, w = 60, h = 200;
    RenderState render = CellOf(w, h);

    Picture up = Blank(300, 300);
    DrawCellText(render, up.Dc(), text, 135, x, y, f.turned.Get(), kBlack);
    const int px = x + (w + extent.cy) / 2;
    EXPECT_TRUE(SamePixels(up, Reference(300, 300, f.turned.Get(), {{text, px, y}})));
    RECT ink = ReadPixels(up).Ink(RECT{0, 0, 300, 300}, kPaper);
    EXPECT_LE(ink.right, px);                              // the glyphs hang left of the point
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left); // and run downwards
    EXPECT_NEAR(x + w / 2, (ink.left + ink.right) / 2, 4); // centred across the cell
    EXPECT_NEAR(y, ink.top, 4);                            // from the top

    Picture centred = Blank(300, 300);
    DrawCellText(render, centred.Dc(), text, 136, x, y, f.turned.Get(), kBlack);
    EXPECT_TRUE(
        SamePixels(centred, Reference(300, 300, f.turned.Get(), {{text, px, y + (h - extent.cx) / 2}})));
    ink = ReadPixels(centred).Ink(RECT{0, 0, 300, 300}, kPaper);
    EXPECT_NEAR(y + h / 2, (ink.top + ink.bottom) / 2, 4); // centred along the cell too
}

TEST(DrawCellText, TurnedTextLongerThanTheCellStartsAboveIt) {
    Fonts f;
    const std::u16string_view text = u"A rather long turned text";
    const SIZE extent = Extent(f.turned.Get(), text);
    ASSERT_GT(extent.cx, 40);
    RenderState render = CellOf(30, 40);
    Picture cell = Blank(200, 400);
    DrawCellText(render, cell.Dc(), text, 136, 50, 200, f.turned.Get(), kBlack);
    RECT ink = ReadPixels(cell).Ink(RECT{0, 0, 200, 400}, kPaper);
    EXPECT_LT(ink.top, 200);
    EXPECT_TRUE(SamePixels(cell, Reference(200, 400, f.turned.Get(),
                                           {{text, 50 + (30 + extent.cy) / 2, 200 + (40 - extent.cx) / 2}})));
}

TEST(DrawCellText, EmptyTextsAndUnknownAlignmentsDrawNothing) {
    Fonts f;
    RenderState render = CellOf(100, 40);
    for (int alignment : {131, 132, 133, 134, 135, 136}) {
        Picture cell = Blank(150, 60);
        DrawCellText(render, cell.Dc(), u"", alignment, 10, 10, f.tahoma.Get(), kBlack);
        EXPECT_TRUE(IsEmpty(ReadPixels(cell).Ink(RECT{0, 0, 150, 60}, kPaper))) << alignment;
    }
    for (int alignment : {0, 130, 137}) {
        Picture cell = Blank(150, 60);
        DrawCellText(render, cell.Dc(), u"Text", alignment, 10, 10, f.tahoma.Get(), kBlack);
        EXPECT_TRUE(IsEmpty(ReadPixels(cell).Ink(RECT{0, 0, 150, 60}, kPaper))) << alignment;
    }
}

TEST(DrawSampleText, BreaksLinesFivePixelsShortOfTheControlWidth) {
    Fonts f;
    const int c = Extent(f.mono.Get(), u"m").cx;
    const int lh = LineHeightOf(f.mono.Get());
    // "abcd ef" is 7 characters: it fits the width but not the width less 5.
    const int clientWidth = 7 * c + 2;
    Picture sample = Blank(200, 100);
    DrawSampleTextOn(sample.Dc(), clientWidth, u"abcd ef", 131, 3, 3, f.mono.Get(), kBlack);
    EXPECT_TRUE(
        SamePixels(sample, Reference(200, 100, f.mono.Get(), {{u"abcd", 3, 3}, {u" ef", 3, 3 + lh}})));
    // Placement uses the whole client width: right alignment ends 3 pixels short of it.
    Picture right = Blank(200, 100);
    DrawSampleTextOn(right.Dc(), 150, u"ab", 132, 0, 0, f.mono.Get(), kBlack);
    EXPECT_TRUE(SamePixels(right, Reference(200, 100, f.mono.Get(), {{u"ab", 150 - 2 * c - 3, 0}})));
    // Turned alignments are not drawn in samples.
    Picture turned = Blank(200, 100);
    DrawSampleTextOn(turned.Dc(), 150, u"ab", 135, 0, 0, f.mono.Get(), kBlack);
    EXPECT_TRUE(IsEmpty(ReadPixels(turned).Ink(RECT{0, 0, 200, 100}, kPaper)));
}

TEST(DrawSampleText, DrawsIntoTheDialogsPictureControl) {
    Fonts f;
    HWND dialog = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 300, 120, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, dialog);
    HWND control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 60, dialog,
                                   reinterpret_cast<HMENU>(77), GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(dialog);
    PumpMessages();
    DrawSampleText(dialog, 77, u"Sample", 131, 5, 5, f.tahoma.Get(), RGB(255, 0, 0));
    WindowDC dc(control);
    int red = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            if (GetPixel(dc.Get(), x, y) == RGB(255, 0, 0)) ++red;
    EXPECT_GT(red, 20);
    EXPECT_NE(f.tahoma.Get(),
              GetCurrentObject(dc.Get(), OBJ_FONT)); // the control's DC is handed back as it was
    DestroyWindow(dialog);
}
