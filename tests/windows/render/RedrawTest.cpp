// The redraw sequences over the whole program state: the view picture follows the view offset,
// the vertical ruler scrolls with it and the horizontal one does not, and the canvas and ruler
// controls show their pictures after repaints.
#include "RenderTestSupport.h"
#include "app/state/App.h"
#include "app/shell/MainWindow.h"
#include "interaction/Redraw.h"
#include "render/Renderer.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kPaper = RGB(200, 230, 255);

std::unique_ptr<App> AppWithTable() {
    auto app = std::make_unique<App>();
    app->doc = MakeGridDocument(44, 31, 24);
    app->doc.paperColor = kPaper;
    MakeBox(app->doc, 0, 5).backColor = RGB(0, 160, 0);
    return app;
}

} // namespace

TEST(RedrawCanvas, TheViewIsTheTableShiftedByTheViewOffset) {
    auto app = AppWithTable();
    CreatePictures(app->render);
    app->canvas.viewOffsetY = -100;
    RedrawCanvas(*app);
    PixelGrid table = ReadPixels(app->render.tablePicture);
    PixelGrid view = ReadPixels(app->render.viewPicture);
    // The box of row 5 (top 5 + 122 + 2 = 129) shows 100 pixels higher in the view.
    EXPECT_EQ(RGB(0, 160, 0), table.At(10, 140));
    EXPECT_EQ(RGB(0, 160, 0), view.At(10, 40));
    bool same = true;
    for (int y = 0; y < 1022 && same; y += 7)
        for (int x = 0; x < 1122 && same; x += 5)
            same = view.At(x, y) == table.At(x, y + 100);
    EXPECT_TRUE(same);
    // The rows below the shifted table show the paper.
    EXPECT_TRUE(view.All(RECT{0, 1022, 1122, 1122}, kPaper));
    // The page guides are drawn: the frame's left side and the red guide at 794.
    EXPECT_EQ(RGB(0, 0, 0), table.At(1, 900));
}

TEST(RedrawCanvas, ScrollingBackClearsWhatTheViewShowedBelow) {
    auto app = AppWithTable();
    CreatePictures(app->render);
    app->canvas.viewOffsetY = -300;
    RedrawCanvas(*app);
    app->canvas.viewOffsetY = 15; // a scroll above the top, as Page Up from -50 makes
    RedrawCanvas(*app);
    PixelGrid view = ReadPixels(app->render.viewPicture);
    EXPECT_TRUE(view.All(RECT{0, 0, 1122, 15}, kPaper));
    EXPECT_EQ(RGB(0, 160, 0), view.At(10, 140 + 15));
}

struct MainWindowRedraw : testing::Test {
    std::unique_ptr<App> app = AppWithTable();
    HWND window = nullptr;
    void SetUp() override {
        app->shell.rulerStyle = 2;
        window = CreateMainWindowForTest(*app);
        ASSERT_NE(nullptr, window);
        PumpMessages();
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        PumpMessages();
    }
};

TEST_F(MainWindowRedraw, RulersAreDrawnAtCreationAndSurviveRepaints) {
    // CaptureClient repaints the control before reading it.
    Picture horizontal = CaptureClient(GetDlgItem(window, kHorizontalRulerId));
    Picture vertical = CaptureClient(GetDlgItem(window, kVerticalRulerId));
    EXPECT_EQ(RGB(0xEE, 0xE9, 0xE9), PixelAt(horizontal.Dc(), 3, 3));
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(horizontal.Dc(), 50, 15));
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(vertical.Dc(), 15, 100));
}

TEST_F(MainWindowRedraw, TheVerticalRulerScrollsWithTheViewAndTheHorizontalDoesNot) {
    app->canvas.viewOffsetY = -100;
    RedrawRulers(*app);
    RedrawCanvas(*app);
    Picture vertical = CaptureClient(GetDlgItem(window, kVerticalRulerId));
    Picture horizontal = CaptureClient(GetDlgItem(window, kHorizontalRulerId));
    Picture canvas = CaptureClient(GetDlgItem(window, kCanvasId));
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(vertical.Dc(), 15, 0));    // the stroke at 100
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(vertical.Dc(), 15, 50));   // the stroke at 150
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(horizontal.Dc(), 50, 15)); // the horizontal one stays put
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(horizontal.Dc(), 100, 15));
    EXPECT_EQ(RGB(0, 160, 0), PixelAt(canvas.Dc(), 10, 40));
}

TEST_F(MainWindowRedraw, ShowCanvasPutsTheViewPictureOnScreenAtOnce) {
    FillSolid(app->render.viewPicture.Dc(), RECT{0, 0, 1122, 1122}, RGB(20, 40, 60));
    ShowCanvas(*app);
    HWND canvas = GetDlgItem(window, kCanvasId);
    WindowDC dc(canvas);
    EXPECT_EQ(RGB(20, 40, 60), GetPixel(dc.Get(), 500, 500));
}
