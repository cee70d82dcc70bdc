// The screen's resolution as the program sees it. The program declares itself DPI aware, so the
// system neither stretches its window nor lies about the resolution; windows, controls and fonts are
// laid out from their 96-DPI sizes scaled to the DPI of the window's screen. Functions of newer
// Windows are looked up at run time, with the system DPI as the fallback.
#pragma once

#include <windows.h>

constexpr int kBaseDpi = 96;
// The table's own pixels are 96 to the inch on every screen: its fonts and rulers are measured so,
// and the canvas's zoom scales them to the screen.
constexpr int kTableDpi = 96;

// Asks for per-monitor (v2) DPI awareness, then system awareness, whichever this Windows knows.
// The manifest asks for the same; this covers programs started without it.
void DeclareDpiAwareness();

// DPI of the screen that shows the window (the system DPI when the window is null or the system
// cannot tell).
int WindowDpi(HWND window);

// A 96-DPI length scaled to the DPI, rounded to the nearest pixel.
int ScaleForDpi(int length96, int dpi);

// GetSystemMetrics at a DPI.
int SystemMetricForDpi(int index, int dpi);

// AdjustWindowRectEx at a DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

// The work area of the monitor that shows most of the window (the primary one for null).
RECT WorkAreaOf(HWND window);
