// Helpers for the Windows tests.
#include "WinTestSupport.h"

#include <gtest/gtest.h>

COLORREF PixelAt(HDC dc, int x, int y) {
    return GetPixel(dc, x, y);
}

int CountPixels(HDC dc, const RECT& rect, COLORREF colour) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (GetPixel(dc, x, y) == colour) ++count;
    return count;
}

bool RegionIs(HDC dc, const RECT& rect, COLORREF colour) {
    return CountPixels(dc, rect, colour) == (rect.right - rect.left) * (rect.bottom - rect.top);
}

Picture CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    Picture copy(client.right, client.bottom);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    WindowDC dc(window);
    BitBlt(copy.Dc(), 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
    return copy;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

MessageBoxRecorder::MessageBoxRecorder(std::deque<int> answers) : answers_(std::move(answers)) {
    SetMessageBoxSeam([this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        shown_.push_back({text, caption, type});
        if (!answers_.empty()) {
            int answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        UINT buttons = type & MB_TYPEMASK;
        return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDNO : IDOK;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() {
    InstallUnattendedSeam();
}

void InstallUnattendedSeam() {
    SetMessageBoxSeam([](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
        // A save question no test asked for is a fault of the program: the test that met it fails,
        // and Cancel keeps the chart and its changes.
        if ((type & MB_TYPEMASK) == MB_YESNOCANCEL) {
            ADD_FAILURE() << "unexpected save question: " << text;
            return IDCANCEL;
        }
        return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
    });
}

namespace {
DialogAnswerer* currentAnswerer = nullptr;
}

DialogAnswerer::DialogAnswerer(std::function<void(HWND)> answer) : answer_(std::move(answer)) {
    currentAnswerer = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer() {
    if (hook_) UnhookWindowsHookEx(hook_);
    currentAnswerer = nullptr;
}

LRESULT CALLBACK DialogAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && currentAnswerer) {
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t cls[32] = {};
        GetClassNameW(window, cls, 32);
        if (std::wstring(cls) == L"#32770") {
            ++currentAnswerer->count_;
            currentAnswerer->answer_(window);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::wstring WindowText(HWND window) {
    int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(window, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}
