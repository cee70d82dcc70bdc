// How long the user waits at the canvas: a left click on a box of the 65 x 46 table whose cells
// are all boxes with a three-word text, and one wheel notch, each until the canvas shows the new
// table, against one plain 1122 x 1122 BitBlt in the same run. Prints figures; asserts nothing.
#include "app/App.h"
#include "app/MainWindow.h"
#include "document/Structure.h"
#include "interaction/Redraw.h"

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

template <class F> double BestOf(int rounds, int perRound, F&& step) {
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < perRound; ++i)
            step(i);
        GdiFlush();
        double each = Milliseconds(std::chrono::steady_clock::now() - start) / perRound;
        if (each < best) best = each;
    }
    return best;
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof icc, 0x9FF};
    InitCommonControlsEx(&icc);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    auto app = std::make_unique<App>();
    HWND window = CreateMainWindowForTest(*app);
    HWND canvas = GetDlgItem(window, kCanvasId);
    ApplyNewPreset(app->doc, *FindNewPreset(3302)); // Horizontal, 16 pixels: 65 x 46
    for (int r = 0; r < app->doc.tableRows; ++r)
        for (int c = 0; c < app->doc.tableColumns; ++c) {
            CellRecord& cell = app->doc.cellGrid(c, r);
            cell.isBox = 1;
            AssignField(cell.text, u"Head of sales");
        }
    app->canvas.canvasActive = 1;
    RedrawCanvas(*app);

    const int pitch = app->doc.cellWidth + app->doc.separation;
    const LPARAM onBox = MAKELPARAM(5 * pitch + 8, 5 * pitch + 8);
    // Each click selects or deselects the box, and every accepted click redraws the whole table.
    double click = BestOf(5, 10, [&](int) {
        SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, onBox);
        SendMessageW(canvas, WM_LBUTTONUP, 0, onBox);
    });
    double wheel = BestOf(5, 10, [&](int i) {
        short delta = (i % 2 == 0) ? -WHEEL_DELTA : WHEEL_DELTA;
        SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
    });
    Picture target(kTablePictureSize, kTablePictureSize);
    double blit = BestOf(5, 20, [&](int) {
        BitBlt(target.Dc(), 0, 0, kTablePictureSize, kTablePictureSize, app->render.tablePicture.Dc(), 0, 0,
               SRCCOPY);
    });

    std::printf("65 x 46 table, every cell a box with a three-word text\n");
    std::printf("left click on a box until the canvas shows it: %8.2f ms  (%.1f x one BitBlt)\n", click,
                click / blit);
    std::printf("one wheel notch (canvas and vertical ruler):   %8.2f ms  (%.1f x one BitBlt)\n", wheel,
                wheel / blit);
    std::printf("plain 1122 x 1122 BitBlt:                      %8.2f ms\n", blit);

    DestroyWindow(window);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
