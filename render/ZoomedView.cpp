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
    Resize(render.viewPicture, width, height);
    if (!render.rulerPicture || render.rulerPicture.Height() != height) {
        Resize(render.rulerPicture, kRulerThickness, height);
        render.verticalRulerDrawn = false; // the fresh picture is blank
    }
    Resize(render.rulerView, thickness, height);
    Resize(render.horizontalRulerPicture, width, thickness);
}

void ComposeView(RenderState& render, COLORREF paper, int offsetX, int offsetY,
                 const std::function<void(HDC)>& drawTable) {
    Picture& view = render.viewPicture;
    if (!view) return;
    if (render.zoomPercent == 100) {
        // The copy covers all but the strips around it: only those need the paper.
        const Picture& table = render.tablePicture;
        const RECT copy{offsetX, offsetY, offsetX + table.Width(), offsetY + table.Height()};
        const int w = view.Width(), h = view.Height();
        auto fill = [&](LONG left, LONG top, LONG right, LONG bottom) {
            RECT r{std::max(left, 0L), std::max(top, 0L), std::min(right, static_cast<LONG>(w)),
                   std::min(bottom, static_cast<LONG>(h))};
            if (r.left < r.right && r.top < r.bottom) FillSolid(view.Dc(), r, paper);
        };
        fill(0, 0, w, copy.top);
        fill(0, copy.bottom, w, h);
        fill(0, copy.top, copy.left, copy.bottom);
        fill(copy.right, copy.top, w, copy.bottom);
        CopyCanvasToView(render, offsetX, offsetY);
        return;
    }
    FillSolid(view.Dc(), RECT{0, 0, view.Width(), view.Height()}, paper);
    WorldScale scale(view.Dc(), Zoom(render), Zoom(render), offsetX, offsetY);
    drawTable(view.Dc());
}

void DrawShownVerticalRuler(RenderState& render, const Document& doc, int rulerStyle, int offsetY) {
    if (!render.rulerPicture || !render.rulerView) return;
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
