#include "render/ZoomedView.h"

#include "render/Dpi.h"
#include "render/Renderer.h"
#include "render/Rulers.h"
#include "render/ViewGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

void Resize(Picture& picture, int width, int height) {
    if (picture && picture.Width() == width && picture.Height() == height) return;
    picture = Picture(width, height);
    if (picture) FillSolid(picture.Dc(), RECT{0, 0, width, height}, RGB(255, 255, 255));
}

double Zoom(const RenderState& render) {
    return render.zoomPercent / 100.0;
}

double Across(const RenderState& render) {
    return static_cast<double>(render.screenDpi) / kBaseDpi;
}

} // namespace

bool DrawnAtTableScale(const RenderState& render) {
    return render.zoomPercent == 100 && render.screenDpi == kBaseDpi;
}

WorldScale::WorldScale(HDC dc, double scaleX, double scaleY, int dx, int dy)
    : dc_(dc), previousMode_(SetGraphicsMode(dc, GM_ADVANCED)) {
    XFORM transform{static_cast<FLOAT>(scaleX), 0, 0, static_cast<FLOAT>(scaleY), static_cast<FLOAT>(dx),
                    static_cast<FLOAT>(dy)};
    SetWorldTransform(dc_, &transform);
}

WorldScale::~WorldScale() {
    ModifyWorldTransform(dc_, nullptr, MWT_IDENTITY);
    if (previousMode_) SetGraphicsMode(dc_, previousMode_);
}

void FitViewPictures(RenderState& render, int canvasWidth, int canvasHeight) {
    const int width = std::max(kTablePictureSize, canvasWidth);
    const int height = std::max(kTablePictureSize, canvasHeight);
    const int thickness = ScaleForDpi(kRulerThickness, render.screenDpi);
    if (!render.viewPicture || render.viewPicture.Width() != width || render.viewPicture.Height() != height) {
        render.viewComposed = false;
        render.viewZoomComposed = false;
    }
    Resize(render.viewPicture, width, height);
    if (!render.rulerPicture || render.rulerPicture.Height() != height) {
        Resize(render.rulerPicture, kRulerThickness, height);
        render.verticalRulerDrawn = false; // the fresh picture is blank
    }
    Resize(render.rulerView, thickness, height);
    Resize(render.horizontalRulerPicture, width, thickness);
}

namespace {

// `source` copied onto `dc` at the offsets; the strips around the copy take the paper.
void CopyWithPaper(HDC dc, int width, int height, const Picture& source, COLORREF paper, int offsetX,
                   int offsetY) {
    const RECT copy{offsetX, offsetY, offsetX + source.Width(), offsetY + source.Height()};
    auto fill = [&](LONG left, LONG top, LONG right, LONG bottom) {
        RECT r{std::max(left, 0L), std::max(top, 0L), std::min(right, static_cast<LONG>(width)),
               std::min(bottom, static_cast<LONG>(height))};
        if (r.left < r.right && r.top < r.bottom) FillSolid(dc, r, paper);
    };
    fill(0, 0, width, copy.top);
    fill(0, copy.bottom, width, height);
    fill(0, copy.top, copy.left, copy.bottom);
    fill(copy.right, copy.top, width, copy.bottom);
    BitBlt(dc, offsetX, offsetY, source.Width(), source.Height(), source.Dc(), 0, 0, SRCCOPY);
}

} // namespace

void DrawViewOnto(const RenderState& render, HDC dc, int width, int height, COLORREF paper, int offsetX,
                  int offsetY) {
    CopyWithPaper(dc, width, height, render.tablePicture, paper, offsetX, offsetY);
}

void DrawRulerViewOnto(const RenderState& render, HDC dc, int height, COLORREF paper, int offsetY) {
    CopyWithPaper(dc, render.rulerPicture.Width(), height, render.rulerPicture, paper, 0, offsetY);
}

void ComposeView(RenderState& render, COLORREF paper, int offsetX, int offsetY,
                 const std::function<void(HDC)>& drawTable) {
    Picture& view = render.viewPicture;
    if (!view) return;
    render.viewBehind = false;
    if (render.zoomPercent == 100) {
        render.viewZoomComposed = false;
        DrawViewOnto(render, view.Dc(), view.Width(), view.Height(), paper, offsetX, offsetY);
        render.viewComposed = true;
        render.composedOffsetX = offsetX;
        render.composedOffsetY = offsetY;
        return;
    }
    render.viewComposed = false;
    render.viewZoomComposed = false;
    FillSolid(view.Dc(), RECT{0, 0, view.Width(), view.Height()}, paper);
    WorldScale scale(view.Dc(), Zoom(render), Zoom(render), offsetX, offsetY);
    drawTable(view.Dc());
}

bool ComposeViewPart(RenderState& render, int offsetX, int offsetY, const RECT& changed, RECT& shown) {
    Picture& view = render.viewPicture;
    if (!view || !render.tablePicture || render.zoomPercent != 100 || !render.viewComposed ||
        render.composedOffsetX != offsetX || render.composedOffsetY != offsetY)
        return false;
    const RECT table{0, 0, render.tablePicture.Width(), render.tablePicture.Height()};
    RECT part{};
    if (!IntersectRect(&part, &changed, &table)) {
        shown = RECT{};
        return true;
    }
    const RECT moved{part.left + offsetX, part.top + offsetY, part.right + offsetX, part.bottom + offsetY};
    const RECT whole{0, 0, view.Width(), view.Height()};
    if (!IntersectRect(&shown, &moved, &whole)) {
        shown = RECT{};
        return true;
    }
    BitBlt(view.Dc(), shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
           render.tablePicture.Dc(), shown.left - offsetX, shown.top - offsetY, SRCCOPY);
    return true;
}

namespace {

// Where DrawTable puts the screen's table in the view.
constexpr int kViewTableOrigin = 2;

void DrawTableInView(RenderState& render, const Document& doc, int16_t characterSet, HDC dc,
                     const TablePass& pass) {
    DrawTable(render, doc, characterSet, dc, doc.tableColumns, doc.tableRows, kViewTableOrigin,
              kViewTableOrigin, doc.lineColor & 0xFFFFFF, &pass);
}

// The view pixels a rectangle of the table's coordinates covers at the zoom and offsets, with two
// pixels more on each side for the rounding of lines and glyphs.
RECT InView(const RECT& r, double zoom, int offsetX, int offsetY, const RECT& view) {
    auto across = [&](LONG v, int offset, double round) {
        const double at = std::clamp(v * zoom + offset, -1e6, 1e6);
        return static_cast<LONG>(round < 0 ? std::floor(at) - 2 : std::ceil(at) + 2);
    };
    RECT out{across(r.left, offsetX, -1), across(r.top, offsetY, -1), across(r.right, offsetX, 1),
             across(r.bottom, offsetY, 1)};
    RECT clipped{};
    if (r.right <= r.left || r.bottom <= r.top || !IntersectRect(&clipped, &out, &view)) return RECT{};
    return clipped;
}

// Inside the region of the view: paper, page guides and every cell that reaches into it, in the
// order of the whole composition, at the zoom and offsets.
void DrawViewRegion(RenderState& render, const Document& doc, int16_t characterSet, HRGN region, int offsetX,
                    int offsetY) {
    Picture& view = render.viewPicture;
    HDC dc = view.Dc();
    const double zoom = Zoom(render);
    const RECT whole{0, 0, view.Width(), view.Height()};
    std::vector<uint8_t> meets(render.viewExtents.size(), 0);
    for (size_t i = 0; i < meets.size(); ++i) {
        const RECT part = InView(render.viewExtents[i], zoom, offsetX, offsetY, whole);
        meets[i] = part.right > part.left && RectInRegion(region, &part) ? 1 : 0;
    }
    SelectClipRgn(dc, region);
    FillSolid(dc, whole, doc.paperColor & 0xFFFFFF);
    {
        WorldScale scale(dc, zoom, zoom, offsetX, offsetY);
        DrawPageGuides(dc);
        TablePass pass;
        pass.only = &meets;
        pass.extents = &render.viewExtents;
        DrawTableInView(render, doc, characterSet, dc, pass);
    }
    SelectClipRgn(dc, nullptr);
}

} // namespace

void ComposeZoomedTable(RenderState& render, const Document& doc, int16_t characterSet, int offsetX,
                        int offsetY) {
    Picture& view = render.viewPicture;
    if (!view || render.zoomPercent == 100) return;
    ComposeView(render, doc.paperColor & 0xFFFFFF, offsetX, offsetY, [&](HDC dc) {
        DrawPageGuides(dc);
        render.viewExtents.assign(size_t(kGridSize) * kGridSize, RECT{});
        TablePass pass;
        pass.extents = &render.viewExtents;
        DrawTableInView(render, doc, characterSet, dc, pass);
    });
    render.viewZoomComposed = true;
    render.composedZoom = render.zoomPercent;
    render.composedOffsetX = offsetX;
    render.composedOffsetY = offsetY;
}

bool RedrawZoomedViewPart(RenderState& render, const Document& doc, int16_t characterSet, int offsetX,
                          int offsetY, const std::vector<size_t>& changedCells, RECT& shown) {
    Picture& view = render.viewPicture;
    shown = RECT{};
    if (!view || render.zoomPercent == 100 || !render.viewZoomComposed || render.composedZoom != render.zoomPercent ||
        render.composedOffsetX != offsetX || render.composedOffsetY != offsetY)
        return false;
    const size_t cells = size_t(kGridSize) * kGridSize;
    if (render.viewExtents.size() != cells) return false;
    HDC dc = view.Dc();
    const double zoom = Zoom(render);
    const RECT whole{0, 0, view.Width(), view.Height()};

    // Where the changed cells were, and where they are now, measured at the zoom without drawing.
    std::vector<uint8_t> changed(cells, 0);
    std::vector<RECT> before;
    for (size_t i : changedCells) {
        if (i >= cells) return false;
        changed[i] = 1;
        before.push_back(render.viewExtents[i]);
    }
    {
        WorldScale scale(dc, zoom, zoom, offsetX, offsetY);
        TablePass measure;
        measure.only = &changed;
        measure.draw = false;
        measure.extents = &render.viewExtents;
        DrawTableInView(render, doc, characterSet, dc, measure);
    }
    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (!region) return false;
    for (size_t k = 0; k < changedCells.size(); ++k) {
        AddToRegion(region.Get(), InView(before[k], zoom, offsetX, offsetY, whole));
        AddToRegion(region.Get(), InView(render.viewExtents[changedCells[k]], zoom, offsetX, offsetY, whole));
    }
    if (GetRgnBox(region.Get(), &shown) == NULLREGION) {
        shown = RECT{};
        return true;
    }

    DrawViewRegion(render, doc, characterSet, region.Get(), offsetX, offsetY);
    return true;
}

void DrawShownVerticalRuler(RenderState& render, const Document& doc, int rulerStyle, int offsetY) {
    if (!render.rulerPicture || !render.rulerView) return;
    render.rulerViewBehind = false;
    ClearToPaper(render.rulerView, doc);
    if (DrawnAtTableScale(render)) {
        ClearToPaper(render.rulerPicture, doc);
        DrawRulerStyle(render, doc, rulerStyle, render.rulerPicture.Dc(), render.rulerPicture.Width(),
                       render.rulerPicture.Height(), 1);
        CopyRulerToView(render, 0, offsetY);
        return;
    }
    Picture& view = render.rulerView;
    if (rulerStyle >= 1 && rulerStyle <= 3)
        FillSolid(view.Dc(), RECT{0, 0, view.Width(), view.Height()}, kRulerBackground);
    const int length = std::max(CanvasToTable(view.Height(), offsetY, render.zoomPercent), 1);
    WorldScale scale(view.Dc(), Across(render), Zoom(render), 0, offsetY);
    DrawRulerStyle(render, doc, rulerStyle, view.Dc(), kRulerThickness, length, 1);
}

void DrawShownHorizontalRuler(RenderState& render, const Document& doc, int rulerStyle, int offsetX) {
    Picture& ruler = render.horizontalRulerPicture;
    if (!ruler) return;
    if (DrawnAtTableScale(render) && offsetX == 0) {
        DrawRulerStyle(render, doc, rulerStyle, ruler.Dc(), ruler.Width(), ruler.Height(), 0);
        return;
    }
    if (rulerStyle >= 1 && rulerStyle <= 3)
        FillSolid(ruler.Dc(), RECT{0, 0, ruler.Width(), ruler.Height()}, kRulerBackground);
    const int length = std::max(CanvasToTable(ruler.Width(), offsetX, render.zoomPercent), 1);
    WorldScale scale(ruler.Dc(), Zoom(render), Across(render), offsetX, 0);
    DrawRulerStyle(render, doc, rulerStyle, ruler.Dc(), length, kRulerThickness, 0);
}
