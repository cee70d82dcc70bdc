// The about box: its window and controls, the icon animation, the guard against a second box and
// the main window staying usable while it is open.
#include "ShellFixture.h"

#include "app/commands/About.h"
#include "app/state/CommandIds.h"

namespace {

HICON Frame(int number) {
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(number));
}

HICON ShownIcon(HWND box) {
    return reinterpret_cast<HICON>(SendDlgItemMessageW(box, kAboutIconId, STM_GETICON, 0, 0));
}

void Tick(HWND box) {
    SendMessageW(box, WM_TIMER, kAboutTimerId, 0);
}

// "ProductName ProductVersion" of this program's file, read as Explorer's Details tab reads it.
std::wstring FileProductLine() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path, &ignored));
    if (block.empty() || !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()))
        return {};
    auto text = [&](const wchar_t* name) {
        void* value = nullptr;
        UINT length = 0;
        std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        return VerQueryValueW(block.data(), query.c_str(), &value, &length) && length > 0
                   ? std::wstring(static_cast<const wchar_t*>(value))
                   : std::wstring();
    };
    return text(L"ProductName") + L" " + text(L"ProductVersion");
}

void PressSalir(HWND box) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(kAboutCloseId, BN_CLICKED), 0);
}

int PointSize(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW face{};
    GetObjectW(font, sizeof face, &face);
    WindowDC dc(control);
    return MulDiv(-face.lfHeight, 72, GetDeviceCaps(dc.Get(), LOGPIXELSY));
}

HWND pendingBox = nullptr;
bool stillShown = false;

void CALLBACK CloseIfStillShown(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    stillShown = IsWindowVisible(pendingBox);
    PressSalir(pendingBox);
}

} // namespace

TEST(AboutBox, ShowsItsControlsAndClosesWithSalir) {
    auto app = std::make_unique<App>();
    app->shell.languageIndex = 5;
    bool seen = false;
    DialogAnswerer answerer([&](HWND box) {
        seen = true;
        EXPECT_EQ(L"Author", WindowText(box));
        EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
        // The system adds clip-siblings to every top-level window.
        constexpr DWORD kIgnored = WS_VISIBLE | WS_CLIPSIBLINGS;
        EXPECT_EQ(0x80C000D4 & ~kIgnored, static_cast<DWORD>(GetWindowLongPtrW(box, GWL_STYLE)) & ~kIgnored);
        RECT client{}, units{0, 0, 201, 121};
        GetClientRect(box, &client);
        MapDialogRect(box, &units);
        EXPECT_EQ(units.right, client.right);
        EXPECT_EQ(units.bottom, client.bottom);
        EXPECT_EQ(L"Velmora thanks you for using this program.", WindowText(GetDlgItem(box, kAboutThanksId)));
        EXPECT_FALSE(WindowText(GetDlgItem(box, kAboutInvitationId)).empty());
        EXPECT_EQ(L"Salir", WindowText(GetDlgItem(box, kAboutCloseId)));
        EXPECT_EQ(10, PointSize(GetDlgItem(box, kAboutThanksId)));
        EXPECT_EQ(10, PointSize(GetDlgItem(box, kAboutInvitationId)));
        EXPECT_EQ(14, PointSize(GetDlgItem(box, kAboutCloseId)));
        EXPECT_EQ(Frame(kAboutFirstFrame), ShownIcon(box));
        // Another command id or a notification other than a click does not close it: the box is
        // still shown when the timer below runs, after these messages.
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(kAboutThanksId, 0), 0);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(kAboutCloseId, BN_SETFOCUS), 0);
        pendingBox = box;
        SetTimer(nullptr, 0, 10, CloseIfStillShown);
    });
    ShowAbout(*app);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(stillShown) << "only a click on Salir ends the box";
    EXPECT_EQ(1, answerer.Count());
}

TEST(AboutBox, ShowsTheVersionTheProgramFileCarries) {
    std::wstring expected = FileProductLine();
    ASSERT_NE(L" ", expected) << "the test program has no version resource";
    auto app = std::make_unique<App>();
    std::wstring shown;
    RECT label{}, box{};
    DialogAnswerer answerer([&](HWND dialog) {
        HWND version = GetDlgItem(dialog, kAboutVersionId);
        shown = WindowText(version);
        GetWindowRect(version, &label);
        GetClientRect(dialog, &box);
        MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&box), 2);
        PressSalir(dialog);
    });
    ShowAbout(*app);
    EXPECT_EQ(expected, shown);
    EXPECT_TRUE(label.left >= box.left && label.right <= box.right && label.bottom <= box.bottom)
        << "the version lies inside the box";
}

TEST(AboutBox, TimerCyclesTheSevenFramesStartingAgainAt701) {
    for (int frame = kAboutFirstFrame; frame <= kAboutLastFrame; ++frame)
        ASSERT_NE(nullptr, Frame(frame)) << "animation icon " << frame << " missing";
    auto app = std::make_unique<App>();
    std::vector<HICON> shown;
    DialogAnswerer answerer([&](HWND box) {
        for (int i = 0; i < 16; ++i) {
            Tick(box);
            shown.push_back(ShownIcon(box));
        }
        PressSalir(box);
    });
    ShowAbout(*app);
    ASSERT_EQ(16u, shown.size());
    // The first tick shows 701 again; after 707 comes 701; never anything else.
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(Frame(kAboutFirstFrame + static_cast<int>(i % 7)), shown[i]) << "tick " << i;
}
TEST_F(MainWindowTest, AuthorOpensOneBoxAtATimeAndTheMainWindowStaysUsable) {
    OpenWindow(5);
    int boxes = 0;
    HICON firstTickOfSecondBox = nullptr;
    DialogAnswerer answerer([&](HWND box) {
        if (box == window) return; // the main window is a dialog too and is activated again
        ++boxes;
        EXPECT_TRUE(app->shell.aboutOpen);
        EXPECT_TRUE(IsWindowEnabled(window)) << "the box has no owner";
        if (boxes == 1) {
            Tick(box);
            Tick(box);
            // "Author" again while the box is open does nothing.
            Command(kCmdAuthor);
            // Other commands still reach the main window.
            Command(kCmdEditText);
            EXPECT_EQ(2, app->shell.leftMouseMode);
        } else {
            Tick(box);
            firstTickOfSecondBox = ShownIcon(box);
        }
        PressSalir(box);
    });
    Command(kCmdAuthor);
    EXPECT_EQ(1, boxes);
    EXPECT_FALSE(app->shell.aboutOpen);
    Command(kCmdAuthor);
    EXPECT_EQ(2, boxes) << "a new box once the first has closed";
    EXPECT_EQ(Frame(kAboutFirstFrame), firstTickOfSecondBox) << "the new box starts its animation at 701";
}
