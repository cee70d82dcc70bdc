// The owner-drawn font list on its own: the families it lists, the fonts it draws them in, and
// how each entry is painted for each state.
#include "WinTestSupport.h"

#include "interaction/TextProperties.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr COLORREF kUntouched = RGB(255, 0, 255);

struct FontListTest : testing::Test {
    HWND owner = nullptr;
    HWND combo = nullptr;
    void SetUp() override {
        owner =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        combo = CreateWindowExW(
            0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
            0, 0, 300, 200, owner, reinterpret_cast<HMENU>(kFontListId), nullptr, nullptr);
        ASSERT_NE(nullptr, combo);
    }
    void TearDown() override { DestroyWindow(owner); }

    std::wstring Entry(int index) {
        LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        return text;
    }

    // Draws entry index with the given action and state on a fresh magenta picture.
    Picture Draw(int index, UINT action, UINT state) {
        Picture picture(200, 24);
        FillSolid(picture.Dc(), RECT{0, 0, 200, 24}, kUntouched);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_COMBOBOX;
        item.CtlID = kFontListId;
        item.itemID = static_cast<UINT>(index);
        item.itemAction = action;
        item.itemState = state;
        item.hwndItem = combo;
        item.hDC = picture.Dc();
        item.rcItem = RECT{0, 0, 200, 24};
        DrawFontItem(item);
        return picture;
    }
};

int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
    reinterpret_cast<std::set<std::wstring>*>(names)->insert(font->lfFaceName);
    return 1;
}

} // namespace

TEST_F(FontListTest, ListsEachInstalledFamilyOnceAndEmptiesTheBoxFirst) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"zz stale entry"));
    FillFontList(combo);
    std::set<std::wstring> families;
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    WindowDC screen(nullptr);
    EnumFontFamiliesExW(screen.Get(), &all, CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
    // Every family once but the vertical forms of East Asian fonts ("@..."), which are drawn
    // sideways; the fonts installed for the tests include some.
    const size_t vertical = static_cast<size_t>(
        std::count_if(families.begin(), families.end(), [](const std::wstring& f) { return f[0] == L'@'; }));
    EXPECT_GT(vertical, 0u);
    ASSERT_EQ(static_cast<LRESULT>(families.size() - vertical), SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < static_cast<int>(families.size() - vertical); ++i) {
        EXPECT_EQ(1u, families.count(Entry(i))) << i;
        EXPECT_NE(L'@', Entry(i)[0]) << i;
    }
    EXPECT_EQ(CB_ERR, SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(L"zz stale entry")));
}

TEST_F(FontListTest, ListFontsAreTwelvePointsInTheFamilysOwnFace) {
    FontHandle font = CreateListFont(L"Times New Roman", 12, 0, false, false);
    LOGFONTW made{};
    ASSERT_TRUE(GetObjectW(font.Get(), sizeof made, &made));
    EXPECT_EQ(std::wstring(L"Times New Roman"), made.lfFaceName);
    WindowDC screen(nullptr);
    EXPECT_EQ(-(12 * GetDeviceCaps(screen.Get(), LOGPIXELSY) / 72), made.lfHeight);
    EXPECT_EQ(OUT_TT_PRECIS, made.lfOutPrecision);
    EXPECT_FALSE(made.lfItalic);
    EXPECT_FALSE(made.lfStrikeOut);
    FontHandle styled = CreateListFont(L"Times New Roman", 20, FW_BOLD, true, true);
    GetObjectW(styled.Get(), sizeof made, &made);
    EXPECT_EQ(FW_BOLD, made.lfWeight);
    EXPECT_TRUE(made.lfItalic);
    EXPECT_TRUE(made.lfUnderline);
    // A face the system does not know is asked for in the ANSI character set.
    FontHandle unknown = CreateListFont(L"No Such Face Anywhere", 12, 0, false, false);
    GetObjectW(unknown.Get(), sizeof made, &made);
    EXPECT_EQ(ANSI_CHARSET, made.lfCharSet);
}

TEST_F(FontListTest, EntriesArePaintedByTheirState) {
    FillFontList(combo);
    // An entry whose family draws the Latin letters of its name upright, whatever else is installed.
    LRESULT found = CB_ERR;
    for (const wchar_t* family : {L"Tahoma", L"Liberation Sans", L"Arial", L"Times New Roman"})
        if (found == CB_ERR)
            found = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(family));
    ASSERT_NE(CB_ERR, found);
    const int known = static_cast<int>(found);
    COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT), windowText = GetSysColor(COLOR_WINDOWTEXT);

    Picture plain = Draw(known, ODA_DRAWENTIRE, 0);
    EXPECT_EQ(window, PixelAt(plain.Dc(), 198, 12));
    EXPECT_GT(CountPixels(plain.Dc(), RECT{0, 0, 200, 24}, windowText), 5);
    EXPECT_EQ(0, CountPixels(plain.Dc(), RECT{0, 0, 200, 24}, kUntouched));

    Picture selected = Draw(known, ODA_SELECT, ODS_SELECTED);
    EXPECT_EQ(highlight, PixelAt(selected.Dc(), 198, 12));
    EXPECT_GT(CountPixels(selected.Dc(), RECT{0, 0, 200, 24}, highlightText), 5);

    // The selection field of the closed box keeps the window colours.
    Picture field = Draw(known, ODA_DRAWENTIRE, ODS_SELECTED | ODS_COMBOBOXEDIT);
    EXPECT_EQ(window, PixelAt(field.Dc(), 198, 12));

    // An empty list and a focus-only request draw nothing.
    EXPECT_TRUE(RegionIs(Draw(-1, ODA_DRAWENTIRE, 0).Dc(), RECT{0, 0, 200, 24}, kUntouched));
    EXPECT_TRUE(RegionIs(Draw(0, ODA_FOCUS, ODS_FOCUS).Dc(), RECT{0, 0, 200, 24}, kUntouched));
}
