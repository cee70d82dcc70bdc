// The "Color Caught" dialog: the picture and the &H value of the captured colour.
#include "DialogScript.h"
#include "WinTestSupport.h"

#include "app/state/App.h"
#include "interaction/ColourCapture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct CaptureTest : testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();

    void Run(const std::function<void(HWND)>& script) {
        RunModal([this] { ShowCapturedColor(*app); }, script);
    }
};

} // namespace

TEST_F(CaptureTest, ShowsWhiteAsAFilledPictureAndItsValue) {
    app->canvas.capturedColor = 0xFFFFFF;
    Run([&](HWND dialog) {
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(302, client.right);
        EXPECT_EQ(170, client.bottom);
        EXPECT_FALSE(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_SYSMENU);
        EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(L"Color Captado", WindowText(dialog));
        RECT picture = ControlRect(dialog, kCapturePictureId);
        EXPECT_EQ(8, picture.left);
        EXPECT_EQ(288, picture.right - picture.left);
        RECT accept = ControlRect(dialog, kCaptureAcceptId);
        EXPECT_EQ(202, accept.left);
        EXPECT_EQ(136, accept.top);
        EXPECT_EQ(L"Aceptar", WindowText(GetDlgItem(dialog, kCaptureAcceptId)));

        HWND label = GetDlgItem(dialog, kCaptureLabelId);
        EXPECT_EQ(L"&&H00FFFFFF", WindowText(label));
        // Shown with one ampersand: the label does not turn prefix handling off.
        EXPECT_FALSE(GetWindowLongPtrW(label, GWL_STYLE) & SS_NOPREFIX);
        Picture shown = CaptureClient(GetDlgItem(dialog, kCapturePictureId));
        RECT inner{};
        GetClientRect(GetDlgItem(dialog, kCapturePictureId), &inner);
        EXPECT_TRUE(RegionIs(shown.Dc(), inner, RGB(255, 255, 255)));
        Click(dialog, kCaptureAcceptId);
        EXPECT_FALSE(StillOpen(dialog));
    });
    EXPECT_EQ(0xFFFFFF, app->canvas.capturedColor);
}

TEST_F(CaptureTest, ShowsPureRedAsH000000FFAndClosesWithEscape) {
    app->canvas.capturedColor = 0x0000FF;
    app->shell.languageIndex = 5;
    Run([&](HWND dialog) {
        EXPECT_EQ(L"Color Caught", WindowText(dialog));
        EXPECT_EQ(L"&&H000000FF", WindowText(GetDlgItem(dialog, kCaptureLabelId)));
        HWND picture = GetDlgItem(dialog, kCapturePictureId);
        Picture shown = CaptureClient(picture);
        RECT inner{};
        GetClientRect(picture, &inner);
        EXPECT_TRUE(RegionIs(shown.Dc(), inner, RGB(255, 0, 0)));
        HWND accept = GetDlgItem(dialog, kCaptureAcceptId);
        SetFocus(accept);
        PostMessageW(accept, WM_KEYDOWN, VK_ESCAPE, 0);
    });
}

TEST(CapturedColourLabel, IsEightUpperCaseHexDigitsAfterTheDoubledAmpersand) {
    EXPECT_EQ(L"&&H0000FFFF", CapturedColourLabel(0x00FFFF));
    EXPECT_EQ(L"&&H00000000", CapturedColourLabel(0));
    EXPECT_EQ(L"&&H00ABCDEF", CapturedColourLabel(0xABCDEF));
    EXPECT_EQ(L"&&HFFFFFFFE", CapturedColourLabel(-2));
}
