#include "render/ZoomedView.h"

#include "render/Dpi.h"
#include "render/Renderer.h"
#include "render/Rulers.h"
#include "render/ViewGeometry.h"

#include <algorithm>

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
    if (!render.viewPicture || render.viewPicture.Width() != width || render.viewPicture.Height() != height)
        render.viewComposed = false;
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
        DrawViewOnto(render, view.Dc(), view.Width(), view.Height(), paper, offsetX, offsetY);
        render.viewComposed = true;
        render.composedOffsetX = offsetX;
        render.composedOffsetY = offsetY;
        return;
    }
    render.viewComposed = false;
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
