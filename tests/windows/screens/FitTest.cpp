// The main window and the dialogs on the screen this test runs on, at its resolution (the test
// scripts run it again at 120 and 144 DPI on 1366 x 768 and 1920 x 1080 screens): each lies inside
// the work area, and every label and button shows its whole text in every language.
#include "WinTestSupport.h"

#include "app/commands/About.h"
#include "app/commands/ColumnDialog.h"
#include "app/commands/PdfExport.h"
#include "app/shell/MainWindow.h"
#include "app/shell/PageBar.h"
#include "app/shell/Refresh.h"
#include "app/shell/StatusBar.h"
#include "app/shell/StatusTexts.h"
#include "app/shell/Toolbar.h"
#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "interaction/CanvasView.h"
#include "interaction/Canvas.h"
#include "interaction/CanvasView.h"
#include "interaction/ColourDialog.h"
#include "interaction/DialogParts.h"
#include "interaction/Favourites.h"
#include "interaction/Redraw.h"
#include "interaction/TextProperties.h"
#include "render/Dpi.h"
#include "ui/MessageBox.h"
#include "ui/Messages.h"
#include "ui/ScrollingQuestion.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void ExpectInWorkArea(HWND window, const std::string& what) {
    RECT r{}, work = WorkArea();
    GetWindowRect(window, &r);
    EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom)
        << what << " at (" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom
        << ") outside the work area " << work.right << " x " << work.bottom << " at " << WindowDpi(window)
        << " DPI";
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// The room a control leaves for its text beside its glyph and frame, or 0 when it shows no text of
// its own (pictures, frames, icons, edit boxes and lists).
int TextRoom(HWND control, LONG style, int width) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    const int dpi = WindowDpi(control);
    if (lstrcmpiW(name, L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP ? width
                                                                                                     : 0;
    }
    if (lstrcmpiW(name, L"Button") != 0) return 0;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return width - 2 * ScaleForDpi(3, dpi);
    case BS_GROUPBOX:
        return width - 2 * ScaleForDpi(8, dpi);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return width - SystemMetricForDpi(SM_CXMENUCHECK, dpi) - ScaleForDpi(4, dpi);
    }
    return 0;
}

// Measures each label's text in the control's font against its client area: one line for buttons
// and unwrapped labels, the lines it breaks into for the others.
void ExpectNoTextClipped(HWND dialog, const std::string& what) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = WindowText(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        RECT client{};
        GetClientRect(child, &client);
        const int room = TextRoom(child, style, client.right);
        if (text.empty() || room == 0) continue;
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        const bool wraps = lstrcmpiW(name, L"Static") == 0 && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
        WindowDC dc(child);
        auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0));
        ScopedSelect select(dc.Get(), font ? font : GetStockObject(SYSTEM_FONT));
        RECT needed{0, 0, room, 0};
        DrawTextW(dc.Get(), text.c_str(), -1, &needed, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        const std::string where = what + ", \"" + Narrow(text) + "\"";
        EXPECT_LE(needed.right, room) << where << " needs " << needed.right << " pixels across";
        // Down, what counts is ink: a line's cell may reach below the control where no letter does.
        Picture drawn(needed.right, needed.bottom);
        FillSolid(drawn.Dc(), needed, RGB(255, 255, 255));
        ScopedSelect drawnFont(drawn.Dc(), font ? font : GetStockObject(SYSTEM_FONT));
        DrawTextW(drawn.Dc(), text.c_str(), -1, &needed, wraps ? DT_WORDBREAK : DT_SINGLELINE);
        int inkBottom = needed.bottom;
        while (inkBottom > 0 &&
               RegionIs(drawn.Dc(), RECT{0, inkBottom - 1, needed.right, inkBottom}, RGB(255, 255, 255)))
            --inkBottom;
        const int top = wraps ? 0 : (client.bottom - needed.bottom) / 2; // buttons centre their line
        EXPECT_LE(top + inkBottom, client.bottom) << where << " needs " << inkBottom << " pixels down";
    }
}

// Opens a modal dialog of the program and checks it as soon as it is active, then closes it.
void CheckDialog(const std::function<void()>& open, int closeId, const std::string& what) {
    HWND seen = nullptr;
    DialogAnswerer answerer([&](HWND dialog) {
        if (dialog == seen) return; // active again before it closed
        seen = dialog;
        ExpectInWorkArea(dialog, what);
        ExpectNoTextClipped(dialog, what);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(closeId, BN_CLICKED), 0);
    });
    open();
    EXPECT_NE(nullptr, seen) << what;
}

struct FitTest : testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();
    static void SetUpTestSuite() { DeclareDpiAwareness(); }
};

} // namespace

TEST_F(FitTest, TheMainWindowLiesInTheWorkAreaWithItsRulersAlongTheCanvas) {
    HWND window = CreateMainWindowForTest(*app);
    ASSERT_NE(nullptr, window);
    PumpMessages();
    ExpectInWorkArea(window, "main window");
    // As placed, then made smaller by the user: the rulers run along the whole canvas.
    for (int width : {0, 700}) {
        if (width) SetWindowPos(window, nullptr, 0, 0, width, 500, SWP_NOZORDER | SWP_NOMOVE);
        RECT canvas{}, horizontal{}, vertical{};
        GetWindowRect(GetDlgItem(window, kCanvasId), &canvas);
        GetWindowRect(GetDlgItem(window, kHorizontalRulerId), &horizontal);
        GetWindowRect(GetDlgItem(window, kVerticalRulerId), &vertical);
        EXPECT_EQ(canvas.left, horizontal.left) << width;
        EXPECT_EQ(canvas.right + 1, horizontal.right) << width;
        EXPECT_EQ(canvas.top, vertical.top) << width;
        EXPECT_EQ(canvas.bottom + 1, vertical.bottom) << width;
    }
    DestroyWindow(window);
    PumpMessages();
}

// The toolbar under the menu bar shows every button, with pictures drawn for the screen's scale;
// the status bar along the bottom shows each part's longest text in every language; neither
// covers the rulers, the canvas or its scroll bars, as placed and after the user made the window
// smaller.
TEST_F(FitTest, TheToolbarAndTheStatusBarShowTheirWholeContentBesideTheCanvas) {
    app->doc.tablePresent = true; // the sizes show only with a table
    app->doc.tableColumns = app->doc.tableRows = 101;
    app->doc.cellWidth = app->doc.cellHeight = 64;
    HWND window = CreateMainWindowForTest(*app);
    ASSERT_NE(nullptr, window);
    PumpMessages();
    const int dpi = WindowDpi(window);
    HWND toolbar = GetDlgItem(window, kToolbarId), status = GetDlgItem(window, kStatusBarId);
    ASSERT_TRUE(toolbar && status);
    auto clientRect = [&](HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    auto picture = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    int pictureWidth = 0, pictureHeight = 0;
    ASSERT_TRUE(picture && ImageList_GetIconSize(picture, &pictureWidth, &pictureHeight));
    EXPECT_EQ(ToolbarPictureSize(dpi), pictureWidth);
    EXPECT_GE(pictureWidth, ScaleForDpi(16, dpi) * 2 / 3) << "pictures far too small for the screen";
    for (int width : {0, 900}) {
        if (width) SetWindowPos(window, nullptr, 0, 0, width, 600, SWP_NOZORDER | SWP_NOMOVE);
        PumpMessages();
        const std::string at = " at " + std::to_string(dpi) + " DPI, width " + std::to_string(width);
        RECT client{};
        GetClientRect(window, &client);
        const RECT bar = clientRect(toolbar), bottom = clientRect(status);
        EXPECT_EQ(0, bar.top) << at;
        EXPECT_EQ(client.bottom, bottom.bottom) << at;
        for (int id : {kCanvasId, kHorizontalRulerId, kVerticalRulerId, kRulerButtonId, kVerticalScrollBarId,
                       kHorizontalScrollBarId}) {
            const RECT r = clientRect(GetDlgItem(window, id));
            EXPECT_GE(r.top, bar.bottom) << "control " << id << at;
            EXPECT_LE(r.bottom, bottom.top) << "control " << id << at;
        }
        // Every button lies inside the toolbar, its picture whole on it.
        const int buttons = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
        EXPECT_GE(buttons, 19) << at;
        RECT last{};
        SendMessageW(toolbar, TB_GETITEMRECT, buttons - 1, reinterpret_cast<LPARAM>(&last));
        if (width == 0) {
            EXPECT_LE(last.right, bar.right - bar.left) << "the last button" << at;
        }
        EXPECT_LE(last.bottom, bar.bottom - bar.top) << at;
        EXPECT_GE(last.bottom - last.top, pictureHeight) << at;
        // Each part holds the longest text it shows in any language.
        WindowDC dc(status);
        auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(status, WM_GETFONT, 0, 0));
        ScopedSelect select(dc.Get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
        for (int language = 1; language <= 6; ++language) {
            app->shell.languageIndex = language;
            for (int mode = 1; mode <= 4; ++mode) {
                app->shell.leftMouseMode = mode;
                const auto texts = StatusTexts(app->shell, app->doc, 400, 100, 100, 998, 999);
                for (size_t part = 0; part + 1 < texts.size(); ++part) {
                    RECT r{};
                    SendMessageW(status, SB_GETRECT, part, reinterpret_cast<LPARAM>(&r));
                    SIZE needed{};
                    GetTextExtentPoint32W(dc.Get(), texts[part].c_str(), static_cast<int>(texts[part].size()),
                                          &needed);
                    EXPECT_LE(needed.cx + ScaleForDpi(6, dpi), r.right - r.left)
                        << "part " << part << " in language " << language << at;
                    EXPECT_LE(needed.cy, r.bottom - r.top) << "part " << part << at;
                }
            }
        }
    }
    DestroyWindow(window);
    PumpMessages();
}

TEST_F(FitTest, EveryDialogFitsTheScreenAndShowsItsWholeTexts) {
    for (int language = 1; language <= 6; ++language) {
        app->shell.languageIndex = language;
        const std::string in = " in language " + std::to_string(language);
        CheckDialog([&] { EditTextProperties(*app); }, kTextCancelId, "text properties" + in);
        CheckDialog([&] { ShowFavourites(*app); }, kFavouritesGetOutId, "favourite colours" + in);
        CheckDialog([&] { ShowAbout(*app); }, kAboutCloseId, "about box" + in);
        // The longest summary: the heading, four faulty lines and how many more.
        CheckedList list =
            ReadCheckedList(u"Name,Title,Manager\nAna Lee,Chief Executive Officer,\n"
                            u"Bo,Clerk,Zed Abernathy\nCy,Clerk,Yan Abernathy\nDi,Clerk,Xu Abernathy\n"
                            u"Ed,Clerk,Wu Abernathy\nFe,Clerk,Vo Abernathy\n");
        CheckDialog([&] { ChooseListColumns(*app, nullptr, list); }, IDCANCEL, "list columns" + in);
        PdfExportChoice choice;
        CheckDialog([&] { ChoosePdfExport(*app, choice); }, IDCANCEL, "PDF export" + in);
    }
}

// The first-start offer speaks six languages at once: its buttons stay on the screen, and its text
// either shows whole or scrolls to its last line.
TEST_F(FitTest, TheRegistrationOfferKeepsItsButtonsOnTheScreen) {
    const std::wstring text = Wide(AssociationOfferText());
    HWND seen = nullptr;
    DialogAnswerer answerer([&](HWND dialog) {
        if (dialog == seen) return;
        seen = dialog;
        ExpectInWorkArea(dialog, "registration offer");
        ExpectNoTextClipped(dialog, "registration offer");
        HWND shown = GetDlgItem(dialog, kScrollingQuestionTextId);
        EXPECT_EQ(text.substr(0, text.find_last_not_of(L"\r\n") + 1), WindowText(shown));
        RECT client{};
        GetClientRect(shown, &client);
        // Where the last letter stands, and the height of its line in the text's font.
        const LRESULT at = SendMessageW(shown, EM_POSFROMCHAR, text.find_last_not_of(L"\r\n"), 0);
        WindowDC dc(shown);
        ScopedSelect font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(shown, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.Get(), &metrics);
        const int lastBottom = static_cast<short>(HIWORD(at)) + metrics.tmHeight;
        const bool scrolls = (GetWindowLongW(shown, GWL_STYLE) & WS_VSCROLL) != 0;
        EXPECT_TRUE(scrolls || (at != -1 && lastBottom <= client.bottom))
            << "the last line ends at " << lastBottom << " below the text's " << client.bottom << " at "
            << WindowDpi(dialog) << " DPI";
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    });
    SetMessageBoxSeam({}); // the dialog itself, not the message box the tests answer otherwise
    EXPECT_EQ(IDNO, AskYesNoScrolling(nullptr, text, L"...", L"&Yes", L"&No"));
    InstallUnattendedSeam();
    EXPECT_NE(nullptr, seen);
}

TEST_F(FitTest, TheFavouritePaletteIsPickedAndShownAtTheScreensScale) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    app->favourites.folderOverride = std::wstring(temp) + L"cuadrix-no-palette\\"; // a first use
    app->shell.languageIndex = 1;
    SetColourDialogSeam([](HWND, std::array<uint32_t, 16>&) { return 0x0000FF; });
    MessageBoxRecorder leave({IDNO}); // the changed palette is not filed
    bool seen = false;
    DialogAnswerer answerer([&](HWND dialog) {
        if (seen) return;
        seen = true;
        // The middle of swatch (12, 9), the last one, where the dialog shows it.
        HWND grid = GetDlgItem(dialog, kFavouritesGridId);
        const int dpi = WindowDpi(dialog);
        const int x = ScaleForDpi(12 * 25 + 15, dpi), y = ScaleForDpi(9 * 25 + 15, dpi);
        SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        EXPECT_EQ(0x0000FFu, app->favourites.favouriteGrid(12, 9).color & 0xFFFFFF);
        SendMessageW(grid, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        EXPECT_EQ(RGB(255, 0, 0), GetPixel(PictureDc(grid), x, y));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFavouritesGetOutId, BN_CLICKED), 0);
    });
    ShowFavourites(*app);
    SetColourDialogSeam({});
    EXPECT_TRUE(seen);
}

TEST_F(FitTest, ThePageBarLiesUnderTheCanvasAndShowsWholeNames) {
    HWND window = CreateMainWindowForTest(*app);
    ASSERT_NE(nullptr, window);
    PumpMessages();
    HWND bar = GetDlgItem(window, kPageBarId);
    DispatchCommand(*app, kCmdNewHorizontal24, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(bar)) << "one page, no bar";
    for (int page = 0; page < 3; ++page)
        DispatchCommand(*app, kCmdFirstNewPage + 1, 0);
    app->chart.pages[1].name = L"Direcci\u00f3n general de operaciones";
    UpdatePageBar(*app);
    PumpMessages();
    ASSERT_TRUE(IsWindowVisible(bar));

    auto placeOf = [window](int id) {
        RECT r{};
        GetWindowRect(GetDlgItem(window, id), &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT client{};
    GetClientRect(window, &client);
    const RECT place = placeOf(kPageBarId), canvas = placeOf(kCanvasId),
               scroll = placeOf(kHorizontalScrollBarId);
    EXPECT_EQ(canvas.left, place.left);
    EXPECT_EQ(canvas.right, place.right);
    EXPECT_GE(place.top, scroll.bottom) << "the bar covers the scroll bar";
    EXPECT_LE(place.bottom, client.bottom) << "the bar leaves the window";

    // Each tab holds its name whole, in the bar's font.
    WindowDC dc(bar);
    ScopedSelect font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    const int tabs = static_cast<int>(SendMessageW(bar, TCM_GETITEMCOUNT, 0, 0));
    ASSERT_EQ(PageCount(app->chart), tabs);
    for (int i = 0; i < tabs; ++i) {
        RECT item{}, text{};
        SendMessageW(bar, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        const std::wstring& name = app->chart.pages[size_t(i)].name;
        DrawTextW(dc.Get(), name.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_GE(item.right - item.left, text.right) << Narrow(name);
        EXPECT_GE(item.bottom - item.top, text.bottom) << Narrow(name);
        EXPECT_LE(item.bottom, place.bottom - place.top) << Narrow(name) << " below the bar";
    }
    CheckDialog([&] { DispatchCommand(*app, kCmdRenamePage, 0); }, IDCANCEL, "page name");
    DestroyWindow(window);
    PumpMessages();
}
