// The status bar: created with the main window, divided for its DPI, its texts from the state.
#include "app/shell/StatusBar.h"

#include "app/state/App.h"
#include "app/shell/StatusTexts.h"
#include "render/Dpi.h"

#include <commctrl.h>

#include <array>

namespace {

// Widths of the parts at 96 DPI, left to right; the last (the page) takes what is left.
constexpr std::array<int, 6> kPartWidths{190, 150, 130, 150, 90, 120};

HWND BarOf(HWND window) {
    return window ? GetDlgItem(window, kStatusBarId) : nullptr;
}

} // namespace

void CreateStatusBar(HWND window) {
    CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0,
                    0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)),
                    GetModuleHandleW(nullptr), nullptr);
}

int StatusBarHeight(HWND window) {
    HWND bar = BarOf(window);
    if (!bar) return 0;
    // The bar's font decides its height: a line of text with its borders.
    HDC dc = GetDC(bar);
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(bar, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(bar, dc);
    return metrics.tmHeight + ScaleForDpi(8, WindowDpi(window));
}

void PlaceStatusBar(HWND window, const RECT& place) {
    HWND bar = BarOf(window);
    if (!bar) return;
    SetWindowPos(bar, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const int dpi = WindowDpi(window);
    std::array<int, kPartWidths.size()> ends{};
    int x = 0;
    for (size_t i = 0; i < kPartWidths.size(); ++i) {
        x += ScaleForDpi(kPartWidths[i], dpi);
        ends[i] = i + 1 == kPartWidths.size() ? -1 : x;
    }
    SendMessageW(bar, SB_SETPARTS, ends.size(), reinterpret_cast<LPARAM>(ends.data()));
}

void ShowStatus(App& app) {
    HWND bar = BarOf(app.shell.mainWindow);
    if (!bar) return;
    const std::vector<std::wstring> parts =
        StatusTexts(app.shell, app.doc, app.render.zoomPercent, app.canvas.pointerColumn,
                    app.canvas.pointerRow, app.chart.shown, PageCount(app.chart));
    for (size_t i = 0; i < parts.size(); ++i) {
        // Unchanged parts are left alone: the pointer's moves rewrite one part at most.
        wchar_t shown[256] = L"";
        const LRESULT length = SendMessageW(bar, SB_GETTEXTLENGTHW, i, 0);
        if (LOWORD(length) < 255) SendMessageW(bar, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(shown));
        if (parts[i] != shown) SendMessageW(bar, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(parts[i].c_str()));
    }
}

void ShowStatusNote(App& app, const std::wstring& text) {
    HWND bar = BarOf(app.shell.mainWindow);
    if (!bar) return;
    SendMessageW(bar, SB_SIMPLE, text.empty() ? FALSE : TRUE, 0);
    if (!text.empty()) SendMessageW(bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}
