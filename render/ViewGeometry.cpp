#include "render/ViewGeometry.h"

#include <algorithm>
#include <cstdint>

int CanvasToTable(int canvasPixel, int offset, int zoomPercent) {
    const int64_t shifted = static_cast<int64_t>(canvasPixel) - offset;
    if (zoomPercent == 100) return static_cast<int>(shifted);
    return static_cast<int>(shifted * 100 / std::max(zoomPercent, 1));
}

int TableToCanvas(int tablePixel, int offset, int zoomPercent) {
    // The first canvas pixel that maps back to the table pixel (rounded up for the pixels that
    // begin part-way into a canvas pixel).
    const int64_t scaled = static_cast<int64_t>(tablePixel) * zoomPercent;
    return static_cast<int>((scaled >= 0 ? (scaled + 99) / 100 : scaled / 100) + offset);
}

int ZoomedLength(int tableLength, int zoomPercent) {
    return static_cast<int>(static_cast<int64_t>(tableLength) * zoomPercent / 100);
}

int VerticalScrollFloor(int viewHeight, int tablePictureHeight, int zoomPercent) {
    const int zoomed = ZoomedLength(tablePictureHeight, zoomPercent);
    return std::min(-(zoomed / 2), viewHeight - zoomed);
}

int HorizontalScrollFloor(int viewWidth, int tablePictureWidth, int zoomPercent) {
    return std::min(0, viewWidth - ZoomedLength(tablePictureWidth, zoomPercent));
}

int NextZoomStep(int zoomPercent, int direction) {
    if (direction > 0) {
        for (int step : kZoomSteps)
            if (step > zoomPercent) return step;
        return ClampZoom(zoomPercent);
    }
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
        if (*it < zoomPercent) return *it;
    return ClampZoom(zoomPercent);
}

int ClampZoom(int zoomPercent) {
    return std::clamp(zoomPercent, kMinZoom, kMaxZoom);
}

int ZoomForDpi(int dpi) {
    return ClampZoom(dpi > 0 ? (dpi * 100 + 48) / 96 : kDefaultZoom);
}

int ZoomToFit(int viewLength, int tableLength) {
    if (tableLength <= 0) return kDefaultZoom;
    return ClampZoom(static_cast<int>(static_cast<int64_t>(viewLength) * 100 / tableLength));
}

int OffsetKeepingAnchor(int anchor, int offset, int oldZoom, int newZoom) {
    const int64_t table = static_cast<int64_t>(anchor - offset) * 100 / std::max(oldZoom, 1);
    return static_cast<int>(anchor - table * newZoom / 100);
}

ViewPlace FitInView(int viewWidth, int viewHeight, int tablePictureSize, int left, int top, int right,
                    int bottom) {
    ViewPlace place;
    const int width = std::max(right - left, 1), height = std::max(bottom - top, 1);
    place.zoom = std::min(ZoomToFit(viewWidth, width), ZoomToFit(viewHeight, height));
    // The rectangle's centre at the view's centre, the offsets held in their ranges.
    auto centred = [&](int view, int low, int length) {
        const int64_t middle = (static_cast<int64_t>(low) * 2 + length) * place.zoom / 200;
        return static_cast<int>(view / 2 - middle);
    };
    place.offsetX = std::clamp(centred(viewWidth, left, width),
                               HorizontalScrollFloor(viewWidth, tablePictureSize, place.zoom), 0);
    place.offsetY = std::clamp(centred(viewHeight, top, height),
                               std::min(VerticalScrollFloor(viewHeight, tablePictureSize, place.zoom), 0), 0);
    return place;
}
