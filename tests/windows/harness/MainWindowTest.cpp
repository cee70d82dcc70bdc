// The main window: its controls, the white canvas and the exit question on Escape.
#include "WinTestSupport.h"

#include "app/state/App.h"
#include "app/shell/MainWindow.h"
#include "app/shell/StatusBar.h"
#include "app/shell/Toolbar.h"
#include "interaction/CanvasView.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

RECT ChildRect(HWND parent, int id) {
    RECT r{};
    HWND child = GetDlgItem(parent, id);
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct MainWindowFixture : testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();
    HWND window = nullptr;
    void SetUp() override {
        window = CreateMainWindowForTest(*app);
        ASSERT_NE(nullptr, window);
        PumpMessages();
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        PumpMessages();
    }
};

} // namespace

TEST_F(MainWindowFixture, HasTheCanvasRulersAndButtonAtTheirPlaces) {
    // Below the toolbar and above the status bar, the places of the window without them.
    const RECT toolbar = ChildRect(window, kToolbarId), status = ChildRect(window, kStatusBarId);
    const int band = toolbar.bottom - toolbar.top, bottom = status.bottom - status.top;
    EXPECT_GT(band, 0);
    EXPECT_GT(bottom, 0);
    RECT canvas = ChildRect(window, kCanvasId);
    EXPECT_EQ(22, canvas.left);
    EXPECT_EQ(22 + band, canvas.top);
    EXPECT_EQ(1122, canvas.right - canvas.left);
    EXPECT_EQ(936 - band - bottom, canvas.bottom - canvas.top);
    RECT horizontal = ChildRect(window, kHorizontalRulerId);
    EXPECT_EQ(22, horizontal.left);
    EXPECT_EQ(1 + band, horizontal.top);
    RECT vertical = ChildRect(window, kVerticalRulerId);
    EXPECT_EQ(1, vertical.left);
    EXPECT_EQ(22 + band, vertical.top);
    RECT button = ChildRect(window, kRulerButtonId);
    EXPECT_EQ(22, button.right - button.left);
    EXPECT_EQ(band, button.top);
    EXPECT_EQ(static_cast<LONG_PTR>(kMainWindowStyle | kMainWindowFrame) & ~static_cast<LONG_PTR>(WS_VISIBLE),
              GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_VISIBLE));
    EXPECT_EQ(L"Organigrama", WindowText(window));
}

TEST_F(MainWindowFixture, CanvasShowsWhiteAndTakesTheKeys) {
    HWND canvas = GetDlgItem(window, kCanvasId);
    Picture shown = CaptureClient(canvas);
    EXPECT_TRUE(RegionIs(shown.Dc(), RECT{100, 100, 110, 110}, RGB(255, 255, 255)));
    LRESULT code = SendMessageW(canvas, WM_GETDLGCODE, VK_ESCAPE, 0);
    EXPECT_TRUE(code & DLGC_WANTALLKEYS);
}

TEST_F(MainWindowFixture, EscapeAsksTheExitQuestionAndOnlyYesEndsTheWindow) {
    HWND canvas = GetDlgItem(window, kCanvasId);
    MessageBoxRecorder boxes({IDNO, IDYES});
    SendMessageW(canvas, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(L"Realmente deseas salir del programa ?", boxes.Shown()[0].text);
    EXPECT_EQ(L"Programador", boxes.Shown()[0].caption);
    EXPECT_FALSE(app->shell.mainWindowEnded);
    SendMessageW(canvas, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(app->shell.mainWindowEnded);
}

TEST_F(MainWindowFixture, ResizingKeepsTheRulersAndScrollBarsAlongTheCanvas) {
    for (auto [width, height] : {std::pair{1366, 728}, std::pair{700, 500}, std::pair{1600, 1150}}) {
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
        RECT client{}, canvas = ChildRect(window, kCanvasId);
        GetClientRect(window, &client);
        const RECT horizontal = ChildRect(window, kHorizontalRulerId);
        const RECT vertical = ChildRect(window, kVerticalRulerId);
        const RECT verticalBar = ChildRect(window, kVerticalScrollBarId);
        const RECT horizontalBar = ChildRect(window, kHorizontalScrollBarId);
        EXPECT_EQ(client.right - 11, canvas.right) << width;
        EXPECT_EQ(canvas.left, horizontal.left) << width;
        EXPECT_EQ(canvas.right + 1, horizontal.right) << width;
        EXPECT_EQ(canvas.top, vertical.top) << width;
        EXPECT_EQ(canvas.bottom + 1, vertical.bottom) << width;
        EXPECT_EQ(canvas.right, verticalBar.left) << width;
        EXPECT_EQ(client.right, verticalBar.right) << width;
        EXPECT_EQ(canvas.bottom, horizontalBar.top) << width;
        EXPECT_EQ(ChildRect(window, kStatusBarId).top, horizontalBar.bottom) << width;
        EXPECT_EQ(client.bottom, ChildRect(window, kStatusBarId).bottom) << width;
        // The pictures cover the canvas and the rulers.
        RECT view{};
        GetClientRect(GetDlgItem(window, kCanvasId), &view);
        EXPECT_GE(app->render.viewPicture.Width(), view.right) << width;
        EXPECT_GE(app->render.viewPicture.Height(), view.bottom) << width;
        EXPECT_GE(app->render.rulerView.Height(), vertical.bottom - vertical.top - 2) << width;
    }
}
