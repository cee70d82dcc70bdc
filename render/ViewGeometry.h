// How the canvas shows the table: at a zoom, shifted by the view offsets. The table has pixels of
// its own (the table picture, the exports); the canvas shows each of them as zoom / 100 screen
// pixels. Offsets are in screen pixels: 0 shows the top (left) edge, negative values scroll down
// (right).
#pragma once

#include <array>

constexpr int kDefaultZoom = 100;
constexpr int kMinZoom = 50;
constexpr int kMaxZoom = 400;
constexpr std::array<int, 6> kZoomSteps{50, 75, 100, 150, 200, 400};

// The table pixel under a canvas pixel along one axis. The division truncates toward zero, as the
// cell mapping always has, so at 100 % the table pixel is the canvas pixel minus the offset.
int CanvasToTable(int canvasPixel, int offset, int zoomPercent);

// The first canvas pixel that shows a table pixel along one axis.
int TableToCanvas(int tablePixel, int offset, int zoomPercent);

// Length in screen pixels of `tableLength` table pixels at the zoom.
int ZoomedLength(int tableLength, int zoomPercent);

// Lowest vertical offset: half the zoomed table picture, or further where the view is too short to
// show the whole picture from there.
int VerticalScrollFloor(int viewHeight, int tablePictureHeight, int zoomPercent);

// Lowest horizontal offset: the zoomed table picture's right edge at the view's right edge (0 when
// the picture fits).
int HorizontalScrollFloor(int viewWidth, int tablePictureWidth, int zoomPercent);

// The next zoom step up (direction > 0) or down from the zoom; the zoom itself at either end.
int NextZoomStep(int zoomPercent, int direction);

// A zoom held inside 50 .. 400 %.
int ClampZoom(int zoomPercent);

// The zoom that shows the table at the screen's scale: 100 % at 96 pixels per inch.
int ZoomForDpi(int dpi);

// The zoom that fits `tableLength` table pixels into `viewLength` screen pixels.
int ZoomToFit(int viewLength, int tableLength);

// The offset that keeps the table pixel under the canvas pixel `anchor` in place when the zoom
// changes from `oldZoom` to `newZoom`.
int OffsetKeepingAnchor(int anchor, int offset, int oldZoom, int newZoom);

// A zoom and the view offsets that show a rectangle of table pixels.
struct ViewPlace {
    int zoom = kDefaultZoom;
    int offsetX = 0;
    int offsetY = 0;
};

// The largest zoom (within 50 .. 400 %) at which table pixels [left, right) x [top, bottom) fit a
// view of viewWidth x viewHeight, with the rectangle centred in the view as far as the offsets'
// ranges for a table picture of tablePictureSize allow.
ViewPlace FitInView(int viewWidth, int viewHeight, int tablePictureSize, int left, int top, int right,
                    int bottom);
