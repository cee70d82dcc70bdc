// The canvas's view of the table: how far it can scroll, its scroll bars and its zoom. The keys
// and the wheel of the canvas, the scroll bars beside it and the Zoom menu all move the view
// through these functions.
#pragma once

#include <windows.h>

#include <cstdint>

struct Workspace;

constexpr int kVerticalScrollBarId = 1037;
constexpr int kHorizontalScrollBarId = 1038;
// The zoom that fits the table's width into the canvas (Zoom menu).
constexpr int kZoomToWidth = -1;

// Client size of the canvas control (the specified 1122 x 936 before the window exists).
SIZE CanvasViewSize(const Workspace& app);

// Lowest vertical and horizontal view offsets for the current canvas size and zoom.
int32_t VerticalFloor(const Workspace& app);
int32_t HorizontalFloor(const Workspace& app);

// Moves the view to the horizontal offset, held inside its range, and redraws what moved.
void ScrollHorizontallyTo(Workspace& app, int32_t offset);

// Redraws the canvas and the rulers after the view has moved, updates the scroll bars and gives
// the keyboard focus to the canvas. `horizontalToo` also redraws the horizontal ruler.
void AfterViewMoved(Workspace& app, bool horizontalToo);

// The scroll bars show the view's offsets, ranges and page sizes.
void UpdateScrollBars(Workspace& app);

// A scroll bar beside the canvas was used (WM_VSCROLL / WM_HSCROLL of the main window).
void OnScrollBar(Workspace& app, HWND bar, int code);

// Sets the zoom (percent, or kZoomToWidth), keeping the table point under the canvas pixel
// (anchorX, anchorY) in place, and redraws.
void SetZoom(Workspace& app, int zoomPercent, int anchorX, int anchorY);

// "Whole chart": the zoom and offsets that show the chart's boxes, connectors and texts with a
// cell around them in the canvas (the whole table when it holds no chart yet).
void ZoomToWholeChart(Workspace& app);

// Ctrl + wheel: one zoom step per notch, around the pointer (client pixels of the canvas).
void ZoomByWheel(Workspace& app, int notches, int anchorX, int anchorY);

// The canvas changed its size: pictures, offsets and scroll bars follow.
void OnCanvasResized(Workspace& app);
