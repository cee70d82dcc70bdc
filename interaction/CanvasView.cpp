#include "interaction/CanvasView.h"

#include "interaction/Canvas.h"
#include "interaction/Redraw.h"
#include "interaction/Workspace.h"
#include "render/ChartBounds.h"
#include "render/Renderer.h"
#include "render/ViewGeometry.h"
#include "render/ZoomedView.h"

#include <algorithm>

namespace {

HWND Child(const Workspace& app, int id) {
    return MainWindowControl(app.canvas, app.shell.mainWindow, id);
}

// A bar whose values are unchanged is left alone; a changed one repaints with the next paint
// rather than before the canvas is shown (drawing a bar costs more than showing the canvas).
void SetBar(HWND bar, int viewLength, int floor, int offset) {
    if (!bar) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = floor < 0 ? viewLength - floor - 1 : 0;
    info.nPage = floor < 0 ? static_cast<UINT>(viewLength) : 0;
    info.nPos = std::clamp(-offset, 0, -floor);
    SCROLLINFO shown{};
    shown.cbSize = sizeof shown;
    shown.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const bool enabled = IsWindowEnabled(bar) != FALSE;
    if (GetScrollInfo(bar, SB_CTL, &shown) && shown.nMin == info.nMin && shown.nMax == info.nMax &&
        shown.nPage == info.nPage && shown.nPos == info.nPos && enabled == (floor < 0))
        return;
    SetScrollInfo(bar, SB_CTL, &info, FALSE);
    InvalidateRect(bar, nullptr, FALSE);
}

// The offset a scroll bar action asks for; `line` and `page` are the steps in pixels.
int32_t BarTarget(HWND bar, int code, int32_t offset, int32_t floor, int line, int page) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &info);
    switch (code) {
    case SB_LINEUP:
        return offset + line;
    case SB_LINEDOWN:
        return offset - line;
    case SB_PAGEUP:
        return offset + page;
    case SB_PAGEDOWN:
        return offset - page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return -info.nTrackPos;
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return floor;
    }
    return offset;
}

void ClampOffsets(Workspace& app) {
    app.canvas.viewOffsetX = std::clamp(app.canvas.viewOffsetX, HorizontalFloor(app), 0);
    app.canvas.viewOffsetY = std::clamp(app.canvas.viewOffsetY, std::min(VerticalFloor(app), 0), 0);
}

} // namespace

SIZE CanvasViewSize(const Workspace& app) {
    RECT client{};
    HWND canvas = Child(app, kCanvasId);
    if (!canvas || !GetClientRect(canvas, &client) || client.right <= 0 || client.bottom <= 0)
        return SIZE{1122, 936};
    return SIZE{client.right, client.bottom};
}

int32_t VerticalFloor(const Workspace& app) {
    return VerticalScrollFloor(CanvasViewSize(app).cy, kTablePictureSize, app.render.zoomPercent);
}

int32_t HorizontalFloor(const Workspace& app) {
    return HorizontalScrollFloor(CanvasViewSize(app).cx, kTablePictureSize, app.render.zoomPercent);
}

void ScrollHorizontallyTo(Workspace& app, int32_t offset) {
    offset = std::clamp(offset, HorizontalFloor(app), 0);
    if (offset == app.canvas.viewOffsetX) return;
    app.canvas.viewOffsetX = offset;
    AfterViewMoved(app, true);
}

void AfterViewMoved(Workspace& app, bool horizontalToo) {
    // Moving the view only shows the table picture anew, unless it was never drawn for this table.
    if (TablePictureDrawnFor(app.render, app.doc, app.shell.characterSet))
        ScrollTableView(app);
    else
        RedrawCanvas(app);
    if (horizontalToo) {
        RedrawRulers(app);
    } else {
        ScrollVerticalRuler(app);
    }
    UpdateScrollBars(app);
    if (HWND canvas = Child(app, kCanvasId); canvas && !app.canvas.focused) SetFocus(canvas);
    if (app.viewChanged) app.viewChanged();
}

void UpdateScrollBars(Workspace& app) {
    const SIZE view = CanvasViewSize(app);
    const int zoom = app.render.zoomPercent;
    SetBar(Child(app, kVerticalScrollBarId), view.cy, VerticalScrollFloor(view.cy, kTablePictureSize, zoom),
           app.canvas.viewOffsetY);
    SetBar(Child(app, kHorizontalScrollBarId), view.cx,
           HorizontalScrollFloor(view.cx, kTablePictureSize, zoom), app.canvas.viewOffsetX);
}

void OnScrollBar(Workspace& app, HWND bar, int code) {
    if (code == SB_ENDSCROLL) return;
    const SIZE view = CanvasViewSize(app);
    if (bar == Child(app, kVerticalScrollBarId)) {
        const int32_t floor = VerticalFloor(app);
        int32_t target = BarTarget(bar, code, app.canvas.viewOffsetY, floor, kWheelStep,
                                   std::max(static_cast<int>(view.cy) - kWheelStep, 1));
        target = std::clamp(target, floor, 0);
        if (target == app.canvas.viewOffsetY) return;
        app.canvas.viewOffsetY = target;
        AfterViewMoved(app, false);
    } else if (bar == Child(app, kHorizontalScrollBarId)) {
        ScrollHorizontallyTo(app, BarTarget(bar, code, app.canvas.viewOffsetX, HorizontalFloor(app),
                                            kWheelStep, std::max(static_cast<int>(view.cx) - kWheelStep, 1)));
    }
}

void SetZoom(Workspace& app, int zoomPercent, int anchorX, int anchorY) {
    const int old = app.render.zoomPercent;
    const int32_t oldOffsetY = app.canvas.viewOffsetY;
    const int zoom = zoomPercent == kZoomToWidth ? ZoomToFit(CanvasViewSize(app).cx, kTablePictureSize)
                                                 : ClampZoom(zoomPercent);
    if (zoom != old) {
        app.canvas.viewOffsetX = OffsetKeepingAnchor(anchorX, app.canvas.viewOffsetX, old, zoom);
        // Zooming out about a point low in the view would lift the table off the view's top.
        app.canvas.viewOffsetY = std::min(OffsetKeepingAnchor(anchorY, app.canvas.viewOffsetY, old, zoom),
                                          std::max(oldOffsetY, 0));
        app.render.zoomPercent = zoom;
    }
    ClampOffsets(app);
    AfterViewMoved(app, true);
}

void ZoomToWholeChart(Workspace& app) {
    // The extents come from the table picture's last update: it is brought up to date first.
    if (!TablePictureDrawnFor(app.render, app.doc, app.shell.characterSet)) RedrawCanvas(app, true);
    RECT chart = ChartBoundsOnTablePicture(app.render, app.doc);
    if (IsRectEmpty(&chart) && app.doc.tableColumns > 0 && app.doc.tableRows > 0) {
        // No chart yet: the whole table, as far as its last cell reaches.
        const CellRecord& last = app.doc.cellGrid(app.doc.tableColumns - 1, app.doc.tableRows - 1);
        chart = RECT{0, 0, (app.doc.tableColumns - 1) * app.doc.separation + last.right + 2,
                     (app.doc.tableRows - 1) * app.doc.separation + last.bottom + 2};
    }
    const SIZE view = CanvasViewSize(app);
    const ViewPlace place =
        FitInView(view.cx, view.cy, kTablePictureSize, chart.left, chart.top, chart.right, chart.bottom);
    app.render.zoomPercent = place.zoom;
    app.canvas.viewOffsetX = place.offsetX;
    app.canvas.viewOffsetY = place.offsetY;
    ClampOffsets(app);
    AfterViewMoved(app, true);
}

void ZoomByWheel(Workspace& app, int notches, int anchorX, int anchorY) {
    int zoom = app.render.zoomPercent;
    for (int i = 0; i < std::abs(notches); ++i)
        zoom = NextZoomStep(zoom, notches);
    SetZoom(app, zoom, anchorX, anchorY);
}

void OnCanvasResized(Workspace& app) {
    const SIZE view = CanvasViewSize(app);
    FitViewPictures(app.render, view.cx, view.cy);
    ClampOffsets(app);
    if (app.render.tablePicture && app.canvas.canvasActive) {
        ShowTableAtOffset(app);
    } else if (app.render.viewPicture && app.render.tablePicture) {
        ComposeView(app.render, app.doc.paperColor & 0xFFFFFF, app.canvas.viewOffsetX, app.canvas.viewOffsetY,
                    [](HDC) {});
    }
    RedrawRulers(app);
    UpdateScrollBars(app);
    if (HWND canvas = Child(app, kCanvasId)) InvalidateRect(canvas, nullptr, FALSE);
}
