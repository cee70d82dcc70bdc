#include "render/Dpi.h"

#include "render/GdiObjects.h"

namespace {

template <typename Function> Function Export(const wchar_t* module, const char* name) {
    HMODULE library = GetModuleHandleW(module);
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

int SystemDpi() {
    WindowDC screen(nullptr);
    int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : kBaseDpi;
}

} // namespace

void DeclareDpiAwareness() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    if (auto set = Export<SetContext>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then DPI_AWARENESS_CONTEXT_SYSTEM_AWARE.
        if (set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4))) ||
            set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2))))
            return;
    }
    using SetAware = BOOL(WINAPI*)();
    if (auto set = Export<SetAware>(L"user32.dll", "SetProcessDPIAware")) set();
}

int WindowDpi(HWND window) {
    using GetForWindow = UINT(WINAPI*)(HWND);
    static const auto getForWindow = Export<GetForWindow>(L"user32.dll", "GetDpiForWindow");
    if (window && getForWindow) {
        if (UINT dpi = getForWindow(window)) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int ScaleForDpi(int length96, int dpi) {
    return MulDiv(length96, dpi, kBaseDpi);
}

int SystemMetricForDpi(int index, int dpi) {
    using GetMetric = int(WINAPI*)(int, UINT);
    static const auto getMetric = Export<GetMetric>(L"user32.dll", "GetSystemMetricsForDpi");
    if (getMetric) return getMetric(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = Export<Adjust>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&rect, style, menu, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, menu, exStyle);
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
    if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}
