// The text-properties dialog driven through its own messages: what it shows from the buffer,
// what Accept stores, what Cancel leaves alone, the colours, the sample and the keys.
#include "DialogScript.h"
#include "WinTestSupport.h"

#include "app/state/App.h"
#include "interaction/ColourDialog.h"
#include "interaction/TextProperties.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kWhitePixel = RGB(255, 255, 255);

struct TextDialogTest : testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();
    void SetUp() override { app->shell.languageIndex = 5; }
    void TearDown() override { SetColourDialogSeam({}); }

    void Run(const std::function<void(HWND)>& script) {
        RunModal([this] { EditTextProperties(*app); }, script);
    }
};

std::wstring BoxText(HWND dialog) {
    return WindowText(GetDlgItem(dialog, kTextBoxId));
}

void SetBoxText(HWND dialog, const std::wstring& text) {
    SetDlgItemTextW(dialog, kTextBoxId, text.c_str());
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

int FormatId(int k) {
    return kFirstFormatOptionId + k - 1;
}

// Rows of the picture holding at least one pixel of the colour: {first, last}, or {-1, -1}.
std::pair<int, int> InkRows(HDC dc, int width, int height, COLORREF ink) {
    int first = -1, last = -1;
    for (int y = 0; y < height; ++y) {
        if (CountPixels(dc, RECT{0, y, width, y + 1}, ink) > 0) {
            if (first < 0) first = y;
            last = y;
        }
    }
    return {first, last};
}

struct Shown {
    Picture picture;
    int width;
    int height;
};

Shown Capture(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    RECT client{};
    GetClientRect(control, &client);
    return {CaptureClient(control), client.right, client.bottom};
}

} // namespace

TEST_F(TextDialogTest, IsLaidOutInPixelsWithEveryControlInPlace) {
    Run([&](HWND dialog) {
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(442, client.right);
        EXPECT_EQ(722, client.bottom);
        LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_FALSE(style & WS_SYSMENU);
        EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(L"Text properties", WindowText(dialog));

        struct Place {
            int id, x, y, w, h;
        };
        for (Place p : {Place{kFontListLabelId, 8, 8, 312, 16}, Place{kSizeLabelId, 314, 7, 120, 13},
                        Place{kBoldId, 13, 72, 126, 24}, Place{kLeadingId, 13, 168, 126, 24},
                        Place{kStylesGroupId, 8, 56, 136, 144}, Place{kSampleId, 152, 64, 280, 136},
                        Place{kBackSwatchId, 216, 208, 32, 32}, Place{kFontColourButtonId, 151, 249, 56, 32},
                        Place{kTextCancelId, 256, 208, 102, 32}, Place{kTextAcceptId, 256, 250, 102, 32},
                        Place{kTextBoxId, 5, 290, 320, 120}, Place{10361, 5, 492, 310, 18},
                        Place{kFormatFrameId, 5, 532, 410, 160}, Place{kNumberWithFormatId, 5, 702, 310, 18},
                        Place{kFirstFormatOptionId, 10, 542, 310, 18}, Place{10371, 10, 662, 400, 18}}) {
            RECT r = ControlRect(dialog, p.id);
            EXPECT_EQ(p.x, r.left) << p.id;
            EXPECT_EQ(p.y, r.top) << p.id;
            EXPECT_EQ(p.w, r.right - r.left) << p.id;
            EXPECT_EQ(p.h, r.bottom - r.top) << p.id;
        }
        RECT fontList = ControlRect(dialog, kFontListId);
        EXPECT_EQ(8, fontList.left);
        EXPECT_EQ(24, fontList.top);
        EXPECT_EQ(304, fontList.right - fontList.left);

        EXPECT_EQ(L"Type of Source", WindowText(GetDlgItem(dialog, kFontListLabelId)));
        EXPECT_EQ(L"Leading", WindowText(GetDlgItem(dialog, kLeadingId)));
        EXPECT_EQ(L"Center aligned vertical alignment", WindowText(GetDlgItem(dialog, 10362)));
        EXPECT_EQ(L"Accept", WindowText(GetDlgItem(dialog, kTextAcceptId)));
        EXPECT_EQ(L"Cancel", WindowText(GetDlgItem(dialog, kTextCancelId)));
        EXPECT_EQ(L"Number with format", WindowText(GetDlgItem(dialog, kNumberWithFormatId)));
        EXPECT_EQ(L"English decimal format : (2,034,500.13)", WindowText(GetDlgItem(dialog, FormatId(1))));
        EXPECT_EQ(L"Spanish integer format : (1.850.000)", WindowText(GetDlgItem(dialog, FormatId(5))));
        EXPECT_EQ(L"Unformatted, English decimal : (1183.72)", WindowText(GetDlgItem(dialog, FormatId(3))));
        EXPECT_EQ(L"Unformatted, Integer (English / Spanish) : (1184)",
                  WindowText(GetDlgItem(dialog, FormatId(7))));

        // The three control fonts: 10-point labels, 12-point colour labels, 18-point "..." buttons.
        auto fontOf = [&](int id) {
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            return font;
        };
        LOGFONTW label = fontOf(kBoldId);
        EXPECT_EQ(std::wstring(L"MS Sans Serif"), label.lfFaceName);
        EXPECT_EQ(FW_BOLD, label.lfWeight);
        for (int id : {kFontListLabelId, kStylesGroupId, kTextBoxId, kTextAcceptId, kTextCancelId,
                       kNumberWithFormatId, kAlignmentOptionIds[5], FormatId(7)})
            EXPECT_EQ(label.lfHeight, fontOf(id).lfHeight) << id;
        // Negative heights: the colour labels are larger than the others, the "..." larger still.
        EXPECT_LT(fontOf(kBackColourLabelId).lfHeight, label.lfHeight);
        EXPECT_EQ(fontOf(kBackColourLabelId).lfHeight, fontOf(kFontColourLabelId).lfHeight);
        EXPECT_LT(fontOf(kBackColourButtonId).lfHeight, fontOf(kFontColourLabelId).lfHeight);
        EXPECT_EQ(fontOf(kBackColourButtonId).lfHeight, fontOf(kFontColourButtonId).lfHeight);
        EXPECT_EQ(0, SendDlgItemMessageW(dialog, kFontListId, WM_GETFONT, 0, 0));
        Click(dialog, kTextCancelId);
    });
}

TEST_F(TextDialogTest, ListsEveryFontFamilyOnceOwnerDrawnAndTheSizes06To70) {
    Run([&](HWND dialog) {
        HWND fonts = GetDlgItem(dialog, kFontListId);
        LONG_PTR style = GetWindowLongPtrW(fonts, GWL_STYLE);
        EXPECT_EQ(CBS_DROPDOWNLIST, style & 3);
        EXPECT_TRUE(style & CBS_SORT);
        EXPECT_TRUE(style & CBS_OWNERDRAWFIXED);
        EXPECT_TRUE(style & CBS_HASSTRINGS);
        LRESULT count = SendMessageW(fonts, CB_GETCOUNT, 0, 0);
        EXPECT_GT(count, 1);
        for (int i = 1; i < count; ++i) {
            std::wstring a = ComboText(dialog, kFontListId, i - 1), b = ComboText(dialog, kFontListId, i);
            EXPECT_LT(CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1),
                      CSTR_GREATER_THAN)
                << "out of order or listed twice: " << std::string(a.begin(), a.end());
            EXPECT_NE(a, b);
        }
        // The buffer's face is selected when the system has it.
        LRESULT selected = SendMessageW(fonts, CB_GETCURSEL, 0, 0);
        LRESULT times = SendMessageW(fonts, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(L"Times New Roman"));
        EXPECT_EQ(times, selected);

        HWND sizes = GetDlgItem(dialog, kSizeListId);
        EXPECT_EQ(65, SendMessageW(sizes, CB_GETCOUNT, 0, 0));
        EXPECT_EQ(L"06", ComboText(dialog, kSizeListId, 0));
        EXPECT_EQ(L"09", ComboText(dialog, kSizeListId, 3));
        EXPECT_EQ(L"10", ComboText(dialog, kSizeListId, 4));
        EXPECT_EQ(L"70", ComboText(dialog, kSizeListId, 64));
        EXPECT_TRUE(SendMessageW(sizes, CB_GETEXTENDEDUI, 0, 0));
        EXPECT_EQ(L"10",
                  ComboText(dialog, kSizeListId, static_cast<int>(SendMessageW(sizes, CB_GETCURSEL, 0, 0))));
        Click(dialog, kTextCancelId);
    });
}

TEST_F(TextDialogTest, OpensShowingEveryValueOfTheBuffer) {
    TextPropertiesBuffer& b = app->textProps;
    b.editText = u"Hello chart";
    b.editNumberFormatType = 3;
    b.editNumberFormatAllowed = 1;
    SetAlignmentOption(b, 4);
    b.currentStyle = TextStyle{0x00FF00, 0x0000FF, "Times New Roman", 10, 1, 0, 1, 0, 1};
    b.workingStyle = b.currentStyle;
    b.dialogAccepted = 1;
    Run([&](HWND dialog) {
        EXPECT_EQ(0, app->textProps.dialogAccepted);
        EXPECT_EQ(L"Hello chart", BoxText(dialog));
        for (int k = 1; k <= 7; ++k) {
            EXPECT_EQ(k == 3, Checked(dialog, FormatId(k))) << k;
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, FormatId(k)))) << k;
        }
        EXPECT_TRUE(Checked(dialog, kNumberWithFormatId));
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(k == 3, Checked(dialog, kAlignmentOptionIds[k])) << k;
        EXPECT_TRUE(Checked(dialog, kBoldId));
        EXPECT_FALSE(Checked(dialog, kItalicId));
        EXPECT_TRUE(Checked(dialog, kUnderlineId));
        EXPECT_FALSE(Checked(dialog, kStrikeoutId));
        EXPECT_TRUE(Checked(dialog, kLeadingId));
        HWND sizes = GetDlgItem(dialog, kSizeListId);
        EXPECT_EQ(L"10",
                  ComboText(dialog, kSizeListId, static_cast<int>(SendMessageW(sizes, CB_GETCURSEL, 0, 0))));

        Shown back = Capture(dialog, kBackSwatchId);
        EXPECT_TRUE(RegionIs(back.picture.Dc(), RECT{0, 0, back.width, back.height}, RGB(0, 255, 0)));
        Shown fore = Capture(dialog, kFontSwatchId);
        EXPECT_TRUE(RegionIs(fore.picture.Dc(), RECT{0, 0, fore.width, fore.height}, RGB(255, 0, 0)));
        // The sample: green ground, red "Test" near the top-left corner.
        Shown sample = Capture(dialog, kSampleId);
        EXPECT_EQ(RGB(0, 255, 0), PixelAt(sample.picture.Dc(), sample.width - 2, sample.height - 2));
        EXPECT_EQ(RGB(0, 255, 0), PixelAt(sample.picture.Dc(), 2, 2));
        EXPECT_GT(CountPixels(sample.picture.Dc(), RECT{4, 4, 80, 40}, RGB(255, 0, 0)), 20);
        EXPECT_EQ(0,
                  CountPixels(sample.picture.Dc(), RECT{0, 50, sample.width, sample.height}, RGB(255, 0, 0)));
        Click(dialog, kTextCancelId);
    });
}

TEST_F(TextDialogTest, SizesOutsideTheListAndUnknownFormatsSelectNothing) {
    for (int16_t size : {int16_t{5}, int16_t{71}, int16_t{0}}) {
        app->textProps.currentStyle.fontSize = size;
        app->textProps.editNumberFormatType = size == 5 ? 0 : 8;
        app->textProps.editNumberFormatAllowed = 0;
        Run([&](HWND dialog) {
            EXPECT_EQ(CB_ERR, SendDlgItemMessageW(dialog, kSizeListId, CB_GETCURSEL, 0, 0)) << size;
            for (int k = 1; k <= 7; ++k) {
                EXPECT_FALSE(Checked(dialog, FormatId(k))) << k;
                EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, FormatId(k)))) << k;
            }
            EXPECT_FALSE(Checked(dialog, kNumberWithFormatId));
            Click(dialog, kTextCancelId);
        });
    }
    app->textProps.currentStyle.fontSize = 70;
    Run([&](HWND dialog) {
        LRESULT index = SendDlgItemMessageW(dialog, kSizeListId, CB_GETCURSEL, 0, 0);
        EXPECT_EQ(L"70", ComboText(dialog, kSizeListId, static_cast<int>(index)));
        Click(dialog, kTextCancelId);
    });
}

TEST_F(TextDialogTest, NumberWithFormatAcceptsOnlyPlainNumbersAndStoresAPoint) {
    app->textProps.editNumberFormatAllowed = 1;
    struct Case {
        const wchar_t* typed;
        const char16_t* stored;
    };
    for (Case c :
         {Case{L"1,5", u"1.5"}, Case{L"1'5", u"1.5"}, Case{L"1.5", u"1.5"}, Case{L"2034500", u"2034500"}}) {
        Run([&](HWND dialog) {
            SetBoxText(dialog, c.typed);
            Click(dialog, kTextAcceptId);
            EXPECT_FALSE(StillOpen(dialog));
        });
        EXPECT_EQ(1, app->textProps.dialogAccepted);
        EXPECT_EQ(c.stored, app->textProps.editText);
    }

    app->textProps.editText = u"earlier";
    Run([&](HWND dialog) {
        for (const wchar_t* typed : {L"1.234,5", L"-3", L"12 ", L"", L"1,2'3", L"x"}) {
            SetBoxText(dialog, typed);
            Click(dialog, kTextAcceptId);
            EXPECT_TRUE(StillOpen(dialog)) << std::wstring(typed).size();
            EXPECT_EQ(0, app->textProps.dialogAccepted);
        }
        // Unticking "Number with format" lets any text through.
        SetBoxText(dialog, L"-3 apples");
        Click(dialog, kNumberWithFormatId);
        for (int k = 1; k <= 7; ++k)
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, FormatId(k))));
        Click(dialog, kTextAcceptId);
        EXPECT_FALSE(StillOpen(dialog));
    });
    EXPECT_EQ(1, app->textProps.dialogAccepted);
    EXPECT_EQ(u"-3 apples", app->textProps.editText);
    EXPECT_EQ(0, app->textProps.editNumberFormatAllowed);
}

TEST_F(TextDialogTest, AcceptTurnsLineBreaksIntoBlanksAndCutsTo273) {
    Run([&](HWND dialog) {
        SetBoxText(dialog, L"two\r\nwords\rand\nmore");
        Click(dialog, kTextAcceptId);
    });
    EXPECT_EQ(u"two words and more", app->textProps.editText);

    Run([&](HWND dialog) {
        SetBoxText(dialog, std::wstring(300, L'k'));
        Click(dialog, kTextAcceptId);
    });
    EXPECT_EQ(std::u16string(273, u'k'), app->textProps.editText);
}

TEST_F(TextDialogTest, AcceptStoresEveryChangeAndCancelNone) {
    TextPropertiesBuffer& b = app->textProps;
    b.editText = u"before";
    b.editNumberFormatType = 6;
    b.editNumberFormatAllowed = 0;
    SetAlignmentOption(b, 1);
    b.currentStyle = TextStyle{0xFFFFFF, 0, "Times New Roman", 10, 0, 0, 0, 0, 0};
    b.workingStyle = b.currentStyle;
    app->canvas.capturedColor = 0x00FFFF;
    SetColourDialogSeam([](HWND, std::array<uint32_t, 16>&) { return 0x123456; });
    const TextPropertiesBuffer before = b;

    auto changeEverything = [&](HWND dialog) {
        SetBoxText(dialog, L"4,25");
        Click(dialog, kNumberWithFormatId);
        Click(dialog, FormatId(2));
        Click(dialog, kAlignmentOptionIds[4]);
        Click(dialog, kBoldId);
        Click(dialog, kItalicId);
        Click(dialog, kUnderlineId);
        Click(dialog, kStrikeoutId);
        Click(dialog, kLeadingId);
        ChooseInCombo(dialog, kSizeListId, 10); // 16
        Click(dialog, kFontColourButtonId);     // the colour dialog answers 0x123456
        ClickPicture(dialog, kBackSwatchId);    // takes the captured colour
        LRESULT other = SendDlgItemMessageW(dialog, kFontListId, CB_GETCURSEL, 0, 0) == 0 ? 1 : 0;
        ChooseInCombo(dialog, kFontListId, static_cast<int>(other));
    };

    std::wstring chosenFace;
    Run([&](HWND dialog) {
        changeEverything(dialog);
        chosenFace =
            ComboText(dialog, kFontListId,
                      static_cast<int>(SendDlgItemMessageW(dialog, kFontListId, CB_GETCURSEL, 0, 0)));
        Click(dialog, kTextCancelId);
        EXPECT_FALSE(StillOpen(dialog));
    });
    EXPECT_EQ(0, b.dialogAccepted);
    EXPECT_EQ(before.currentStyle, b.currentStyle);
    EXPECT_EQ(before.editText, b.editText);
    EXPECT_EQ(before.editNumberFormatType, b.editNumberFormatType);
    EXPECT_EQ(before.editNumberFormatAllowed, b.editNumberFormatAllowed);
    EXPECT_EQ(before.alignmentChoice, b.alignmentChoice);

    b.workingStyle = b.currentStyle; // as the canvas loads both before each opening
    Run([&](HWND dialog) {
        changeEverything(dialog);
        Click(dialog, kTextAcceptId);
    });
    EXPECT_EQ(1, b.dialogAccepted);
    EXPECT_EQ(u"4.25", b.editText);
    EXPECT_EQ(1, b.editNumberFormatAllowed);
    EXPECT_EQ(2, b.editNumberFormatType);
    EXPECT_EQ(135, AlignmentCode(b));
    TextStyle expected{0x00FFFF, 0x123456, std::string(chosenFace.begin(), chosenFace.end()), 16, 1, 1, 1,
                       1,        1};
    EXPECT_EQ(expected, b.currentStyle);
    EXPECT_EQ(expected, b.workingStyle);
}

TEST_F(TextDialogTest, SwatchTakesTheCapturedColourOnlyWhenThereIsOne) {
    // Nothing captured yet: the captured colour is black from the start.
    Run([&](HWND dialog) {
        ClickPicture(dialog, kBackSwatchId);
        Shown back = Capture(dialog, kBackSwatchId);
        EXPECT_TRUE(RegionIs(back.picture.Dc(), RECT{0, 0, back.width, back.height}, RGB(0, 0, 0)));
        Shown sample = Capture(dialog, kSampleId);
        EXPECT_EQ(RGB(0, 0, 0), PixelAt(sample.picture.Dc(), sample.width - 3, sample.height - 3));
        Click(dialog, kTextAcceptId);
    });
    EXPECT_EQ(0, app->textProps.currentStyle.backColor);

    app->textProps.currentStyle.backColor = app->textProps.workingStyle.backColor = 0xFFFFFF;
    app->canvas.capturedColor = -1;
    Run([&](HWND dialog) {
        ClickPicture(dialog, kBackSwatchId);
        ClickPicture(dialog, kFontSwatchId);
        Shown back = Capture(dialog, kBackSwatchId);
        EXPECT_TRUE(RegionIs(back.picture.Dc(), RECT{0, 0, back.width, back.height}, kWhitePixel));
        Click(dialog, kTextAcceptId);
    });
    EXPECT_EQ(0xFFFFFF, app->textProps.currentStyle.backColor);
    EXPECT_EQ(0, app->textProps.currentStyle.fontColor);

    app->canvas.capturedColor = 0x0000FF;
    Run([&](HWND dialog) {
        ClickPicture(dialog, kFontSwatchId);
        Shown fore = Capture(dialog, kFontSwatchId);
        EXPECT_TRUE(RegionIs(fore.picture.Dc(), RECT{0, 0, fore.width, fore.height}, RGB(255, 0, 0)));
        Click(dialog, kTextAcceptId);
    });
    EXPECT_EQ(0x0000FF, app->textProps.currentStyle.fontColor);
    EXPECT_EQ(0xFFFFFF, app->textProps.currentStyle.backColor);
}

TEST_F(TextDialogTest, ColourButtonsAskTheColourDialogWithTheSharedCustomColours) {
    app->textProps.customColors[0] = 0x010203;
    int asked = 0;
    HWND owner = nullptr;
    std::vector<int> answers = {0x00FF00, -1};
    SetColourDialogSeam([&](HWND from, std::array<uint32_t, 16>& custom) {
        owner = from;
        EXPECT_EQ(0x010203u, custom[0]);
        custom[5] = 0xABCDEF; // the user defined a custom colour
        return answers[static_cast<size_t>(asked++)];
    });
    Run([&](HWND dialog) {
        Click(dialog, kBackColourButtonId);
        EXPECT_EQ(dialog, owner);
        Shown back = Capture(dialog, kBackSwatchId);
        EXPECT_TRUE(RegionIs(back.picture.Dc(), RECT{0, 0, back.width, back.height}, RGB(0, 255, 0)));
        Click(dialog, kFontColourButtonId); // cancelled: nothing changes
        Shown fore = Capture(dialog, kFontSwatchId);
        EXPECT_TRUE(RegionIs(fore.picture.Dc(), RECT{0, 0, fore.width, fore.height}, RGB(0, 0, 0)));
        Click(dialog, kTextAcceptId);
    });
    EXPECT_EQ(2, asked);
    EXPECT_EQ(0x00FF00, app->textProps.currentStyle.backColor);
    EXPECT_EQ(0, app->textProps.currentStyle.fontColor);
    EXPECT_EQ(0xABCDEFu, app->textProps.customColors[5]);
}

TEST(ColourDialog, OpensFullyExpandedFromGreyAndReportsCancel) {
    auto app = std::make_unique<App>();
    std::wstring red, green, blue;
    bool defineEnabled = true;
    bool accept = false;
    DialogAnswerer answerer([&](HWND dialog) {
        // The colour dialog's red, green and blue boxes and its "Define Custom Colors" button.
        red = WindowText(GetDlgItem(dialog, 706));
        green = WindowText(GetDlgItem(dialog, 707));
        blue = WindowText(GetDlgItem(dialog, 708));
        defineEnabled = IsWindowEnabled(GetDlgItem(dialog, 719));
        PostMessageW(dialog, WM_COMMAND, accept ? IDOK : IDCANCEL, 0);
    });
    EXPECT_EQ(-1, ChooseColour(nullptr, *app));
    EXPECT_EQ(L"128", red);
    EXPECT_EQ(L"128", green);
    EXPECT_EQ(L"128", blue);
    EXPECT_FALSE(defineEnabled);
    accept = true;
    EXPECT_EQ(0x808080, ChooseColour(nullptr, *app));
    EXPECT_EQ(2, answerer.Count());
}

TEST_F(TextDialogTest, LeadingMakesTheSampleTextSmallerAndItSurvivesRepaints) {
    app->textProps.currentStyle.fontSize = 40;
    app->textProps.workingStyle.fontSize = 40;
    Run([&](HWND dialog) {
        auto inkHeight = [&] {
            Shown s = Capture(dialog, kSampleId);
            auto [first, last] = InkRows(s.picture.Dc(), s.width, s.height, RGB(0, 0, 0));
            EXPECT_GE(first, 4); // the text starts at (4, 4)
            return last - first + 1;
        };
        int plain = inkHeight();
        EXPECT_GT(plain, 15);
        Click(dialog, kLeadingId);
        int leading = inkHeight();
        EXPECT_LT(leading, plain);
        Click(dialog, kLeadingId);
        EXPECT_EQ(plain, inkHeight());

        // The sample is kept: a full repaint of the dialog shows it again.
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_EQ(plain, inkHeight());
        Click(dialog, kTextCancelId);
    });
}

TEST_F(TextDialogTest, SizeAndFontChoicesRedrawTheSample) {
    Run([&](HWND dialog) {
        auto ink = [&] {
            Shown s = Capture(dialog, kSampleId);
            return CountPixels(s.picture.Dc(), RECT{0, 0, s.width, s.height}, RGB(0, 0, 0));
        };
        int at10 = ink();
        ChooseInCombo(dialog, kSizeListId, 30); // 36 points
        int at36 = ink();
        EXPECT_GT(at36, at10 * 4);
        Click(dialog, kBoldId);
        EXPECT_GT(ink(), at36);
        Click(dialog, kTextAcceptId);
    });
    EXPECT_EQ(36, app->textProps.currentStyle.fontSize);
    EXPECT_EQ(1, app->textProps.currentStyle.bold);
}

TEST_F(TextDialogTest, ArrowKeysInTheClosedFontListChangeTheFontAcceptStores) {
    std::wstring expected;
    Run([&](HWND dialog) {
        HWND fonts = GetDlgItem(dialog, kFontListId);
        SendMessageW(fonts, CB_SETCURSEL, 0, 0);
        SetFocus(fonts);
        expected = ComboText(dialog, kFontListId, 1);
        PostMessageW(fonts, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(fonts, WM_KEYUP, VK_DOWN, 0xC0000001);
        Later(dialog, [dialog] {
            EXPECT_EQ(1, SendDlgItemMessageW(dialog, kFontListId, CB_GETCURSEL, 0, 0));
            Click(dialog, kTextAcceptId);
        });
    });
    EXPECT_EQ(1, app->textProps.dialogAccepted);
    EXPECT_EQ(std::string(expected.begin(), expected.end()), app->textProps.currentStyle.fontName);
}

TEST_F(TextDialogTest, EnterAcceptsButMakesANewLineInTheTextBoxAndEscapeCancels) {
    Run([&](HWND dialog) {
        HWND box = GetDlgItem(dialog, kTextBoxId);
        SetBoxText(dialog, L"first");
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, 5, 5);
        EXPECT_TRUE(SendMessageW(box, WM_GETDLGCODE, VK_RETURN, 0) & DLGC_WANTALLKEYS);
        SendMessageW(box, WM_CHAR, L'\r', 0);
        SendMessageW(box, WM_CHAR, L'x', 0);
        EXPECT_EQ(L"first\r\nx", BoxText(dialog));
        EXPECT_TRUE(StillOpen(dialog));
        HWND bold = GetDlgItem(dialog, kBoldId);
        SetFocus(bold);
        PostMessageW(bold, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(1, app->textProps.dialogAccepted);
    EXPECT_EQ(u"first x", app->textProps.editText);

    app->textProps.editText = u"kept";
    Run([&](HWND dialog) {
        SetBoxText(dialog, L"changed");
        HWND italic = GetDlgItem(dialog, kItalicId);
        SetFocus(italic);
        PostMessageW(italic, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(0, app->textProps.dialogAccepted);
    EXPECT_EQ(u"kept", app->textProps.editText);

    // Escape in the text box cancels too.
    Run([&](HWND dialog) {
        HWND box = GetDlgItem(dialog, kTextBoxId);
        SetBoxText(dialog, L"changed");
        SetFocus(box);
        PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(0, app->textProps.dialogAccepted);
    EXPECT_EQ(u"kept", app->textProps.editText);
}

TEST_F(TextDialogTest, FocusComesBackToTheControlThatHadIt) {
    Run([&](HWND dialog) {
        HWND box = GetDlgItem(dialog, kTextBoxId);
        SetFocus(box);
        SendMessageW(dialog, WM_ACTIVATE, WA_INACTIVE, 0);
        SetFocus(GetDlgItem(dialog, kBoldId));
        SendMessageW(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
        EXPECT_EQ(box, GetFocus());
        Click(dialog, kTextCancelId);
    });
}

TEST_F(TextDialogTest, SpeaksTheCurrentLanguage) {
    app->shell.languageIndex = 1;
    Run([&](HWND dialog) {
        EXPECT_EQ(L"Propiedades Texto", WindowText(dialog));
        EXPECT_EQ(L"Aceptar", WindowText(GetDlgItem(dialog, kTextAcceptId)));
        EXPECT_EQ(L"Formato Español decimal : (2.034.500'13)", WindowText(GetDlgItem(dialog, FormatId(4))));
        Click(dialog, kTextCancelId);
    });
}
