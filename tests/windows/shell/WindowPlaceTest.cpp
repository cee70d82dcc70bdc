// The window's place: kept in the settings file whichever way the program ends, and brought back
// into the work area wherever the taskbar stands.
#include "ShellFixture.h"

#include "app/state/CommandIds.h"
#include "app/shell/MainLayout.h"
#include "app/state/WindowPlacement.h"

namespace {

struct WindowPlaceTest : MainWindowTest {
    ScratchFolder folder;
    std::wstring Ini() const { return folder.Path() + L"Cuadrix.ini"; }
    int Kept(const wchar_t* key) const {
        return static_cast<int>(GetPrivateProfileIntW(L"Window", key, -1, Ini().c_str()));
    }
};

} // namespace

TEST_F(WindowPlaceTest, ThePlaceIsKeptWhicheverWayTheProgramEnds) {
    struct Way {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool toCanvas;
    };
    const Way ways[] = {{"exit", WM_COMMAND, kCmdExit, false},
                        {"close box", WM_CLOSE, 0, false},
                        {"alt+f4", WM_SYSCOMMAND, SC_CLOSE, false},
                        {"escape", WM_KEYDOWN, VK_ESCAPE, true},
                        {"end of session", WM_ENDSESSION, TRUE, false}};
    int step = 0;
    for (const Way& way : ways) {
        DeleteFileW(Ini().c_str());
        app = std::make_unique<App>();
        app->placementFile = Ini();
        OpenWindow(5);
        ++step;
        SetWindowPos(window, nullptr, 40 + 10 * step, 30 + 5 * step, 700 + 20 * step, 500 + 10 * step,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        WINDOWPLACEMENT placed{sizeof placed};
        ASSERT_TRUE(GetWindowPlacement(window, &placed));
        const RECT& r = placed.rcNormalPosition;
        {
            MessageBoxRecorder yesToTheExitQuestion({IDYES});
            SendMessageW(way.toCanvas ? GetDlgItem(window, kCanvasId) : window, way.message, way.wParam, 0);
        }
        EXPECT_EQ(way.message != WM_ENDSESSION, app->shell.mainWindowEnded) << way.name;
        TearDown(); // the window goes as the run ends
        EXPECT_EQ(r.left, Kept(L"Left")) << way.name;
        EXPECT_EQ(r.top, Kept(L"Top")) << way.name;
        EXPECT_EQ(r.right - r.left, Kept(L"Width")) << way.name;
        EXPECT_EQ(r.bottom - r.top, Kept(L"Height")) << way.name;
    }
}

// A kept place counts from the work area's corner (workspace coordinates), the work area from the
// screen's: a place inside the work area stays, wherever the taskbar is; a larger one fills it.
TEST(KeptPlace, ComesBackInsideTheWorkAreaWhereverTheTaskbarIs) {
    const RECT monitor{0, 0, 1600, 1200}, inside{100, 80, 900, 700};
    for (RECT work :
         {RECT{0, 0, 1600, 1160}, RECT{0, 40, 1600, 1200}, RECT{60, 0, 1600, 1200}, RECT{0, 0, 1540, 1200}}) {
        RECT fitted = FitKeptPlace(inside, monitor, work);
        EXPECT_TRUE(EqualRect(&inside, &fitted)) << work.left << "," << work.top;
        RECT whole{0, 0, work.right - work.left, work.bottom - work.top};
        fitted = FitKeptPlace(RECT{-300, -200, 3000, 2000}, monitor, work);
        EXPECT_TRUE(EqualRect(&whole, &fitted)) << work.left << "," << work.top;
    }
}
