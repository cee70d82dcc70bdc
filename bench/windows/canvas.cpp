// How long the user waits at the canvas, against one plain 1122 x 1122 BitBlt in the same run: a
// left click on a box and one wheel notch on the 65 x 46 table whose cells are all boxes with a
// three-word text; a click on the fullest table (44 x 31 boxes, each a justified 273-character
// text of two-letter words); and opening that table from the command line until the main window
// shows it. Each until the canvas shows the result; the clicks also at 150 %, the scale of a
// 144-DPI screen. Prints figures; asserts nothing.
#include "app/state/App.h"
#include "app/shell/MainWindow.h"
#include "app/commands/FileCommands.h"
#include "app/shell/Refresh.h"
#include "document/Structure.h"
#include "app/commands/WorkFileMessages.h"
#include "document/WorkFile.h"
#include "interaction/CanvasView.h"
#include "interaction/Redraw.h"

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <algorithm>
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

struct Window {
    std::unique_ptr<App> app = std::make_unique<App>();
    HWND window = CreateMainWindowForTest(*app);
    HWND canvas = GetDlgItem(window, kCanvasId);
    ~Window() { DestroyWindow(window); }
};

// Every cell of the preset's table a box with this text.
void FillTable(App& app, int presetId, const std::u16string& text, int16_t alignment) {
    ApplyNewPreset(app.doc, *FindNewPreset(presetId));
    for (int r = 0; r < app.doc.tableRows; ++r)
        for (int c = 0; c < app.doc.tableColumns; ++c) {
            CellRecord& cell = app.doc.cellGrid(c, r);
            cell.isBox = 1;
            cell.alignment = alignment;
            AssignField(cell.text, text);
        }
    app.canvas.canvasActive = 1;
}

// Selects and deselects a box of the fifth row and column, as the user clicks it.
double ClickTime(Window& w, int rounds, int perRound) {
    const int pitch = (w.app->doc.cellWidth + w.app->doc.separation) * w.app->render.zoomPercent / 100;
    const LPARAM onBox = MAKELPARAM(5 * pitch + pitch / 2, 5 * pitch + pitch / 2);
    return BestOf(rounds, perRound, [&](int) {
        SendMessageW(w.canvas, WM_LBUTTONDOWN, MK_LBUTTON, onBox);
        SendMessageW(w.canvas, WM_LBUTTONUP, 0, onBox);
    });
}

std::u16string TwoLetterWords(size_t length) {
    std::u16string text;
    for (size_t i = 0; text.size() < length; ++i) {
        if (!text.empty()) text += u' ';
        text += char16_t(u'a' + i % 26);
        text += char16_t(u'a' + (i * 7 + 3) % 26);
    }
    text.resize(length);
    return text;
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof icc, 0x9FF};
    InitCommonControlsEx(&icc);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    double click = 0, wheel = 0, fullestClick = 0, fullestOpen = 0, blit = 0, zoomedClick = 0,
           zoomedFullestClick = 0;
    {
        Window w;
        FillTable(*w.app, 3302, u"Head of sales", kAlignCenter); // Horizontal, 16 pixels: 65 x 46
        RedrawCanvas(*w.app);
        click = ClickTime(w, 5, 10);
        SetZoom(*w.app, 150, 0, 0);
        zoomedClick = ClickTime(w, 5, 10);
        SetZoom(*w.app, 100, 0, 0);
        wheel = BestOf(5, 10, [&](int i) {
            short delta = (i % 2 == 0) ? -WHEEL_DELTA : WHEEL_DELTA;
            SendMessageW(w.canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        });
        Picture target(kTablePictureSize, kTablePictureSize);
        blit = BestOf(5, 20, [&](int) {
            BitBlt(target.Dc(), 0, 0, kTablePictureSize, kTablePictureSize, w.app->render.tablePicture.Dc(),
                   0, 0, SRCCOPY);
        });
    }
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"fullest-table.qdrx";
    {
        Window w;
        FillTable(*w.app, 3309, TwoLetterWords(273), kAlignJustified); // Horizontal, 24 pixels: 44 x 31
        SaveWorkFile(w.app->doc, path, nullptr);
        RedrawCanvas(*w.app);
        fullestClick = ClickTime(w, 5, 4);
        SetZoom(*w.app, 150, 0, 0);
        zoomedFullestClick = ClickTime(w, 5, 4);
    }
    fullestOpen = 1e30;
    for (int round = 0; round < 3; ++round) {
        Window w;
        auto start = std::chrono::steady_clock::now();
        ApplyOutcome(*w.app, OpenCommandLineFile(*w.app, L"Cuadrix.exe \"" + path + L"\""));
        GdiFlush();
        fullestOpen = std::min(fullestOpen, Milliseconds(std::chrono::steady_clock::now() - start));
    }
    DeleteFileW(path.c_str());

    std::printf("65 x 46 table, every cell a box with a three-word text\n");
    std::printf("left click on a box until the canvas shows it: %8.2f ms  (%.1f x one BitBlt)\n", click,
                click / blit);
    std::printf("one wheel notch (canvas and vertical ruler):   %8.2f ms  (%.1f x one BitBlt)\n", wheel,
                wheel / blit);
    std::printf("44 x 31 table, every box a justified 273-character text of two-letter words\n");
    std::printf("left click on a box until the canvas shows it: %8.2f ms  (%.1f x one BitBlt, %.1f x the "
                "click above)\n",
                fullestClick, fullestClick / blit, fullestClick / click);
    std::printf("opened from the command line until shown:      %8.2f ms  (%.1f x one BitBlt)\n", fullestOpen,
                fullestOpen / blit);
    std::printf(
        "the two clicks at 150 %%:                       %8.2f ms  and %.2f ms (%.1f x and %.1f x one "
        "BitBlt)\n",
        zoomedClick, zoomedFullestClick, zoomedClick / blit, zoomedFullestClick / blit);
    std::printf("plain 1122 x 1122 BitBlt:                      %8.2f ms\n", blit);

    Gdiplus::GdiplusShutdown(token);
    return 0;
}
