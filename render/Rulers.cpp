// The three ruler styles: strokes, colours, labels and their fonts.
#include "render/Rulers.h"

#include "render/Dpi.h"
#include "render/Renderer.h"
#include "render/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

HFONT LabelFont(RenderState& render, HDC target, int points) {
    const int height = -static_cast<int>(std::lround(points * kTableDpi / 72.0));
    return CachedFont(render.fonts,
                      MakeFontKey("Tahoma", height, 700, false, false, false, DEFAULT_CHARSET, 0), target);
}

// The target's state is given back as it was, so a ruler leaves nothing of its own selected.
struct RulerDrawing {
    HDC dc;
    bool vertical;
    HGDIOBJ previousPen;
    HGDIOBJ previousFont;
    HGDIOBJ previousBrush;
    int previousMode;
    COLORREF previousTextColour;

    RulerDrawing(HDC target, bool isVertical, int width, int height)
        : dc(target), vertical(isVertical), previousPen(GetCurrentObject(target, OBJ_PEN)),
          previousFont(GetCurrentObject(target, OBJ_FONT)),
          previousBrush(GetCurrentObject(target, OBJ_BRUSH)), previousMode(SetBkMode(target, TRANSPARENT)),
          previousTextColour(SetTextColor(target, RGB(0, 0, 0))) {
        FillSolid(target, RECT{0, 0, width, height}, kRulerBackground);
        SelectObject(target, GetStockObject(DC_PEN));
    }
    ~RulerDrawing() {
        SelectObject(dc, previousPen);
        SelectObject(dc, previousFont);
        SelectObject(dc, previousBrush);
        SetBkMode(dc, previousMode);
        SetTextColor(dc, previousTextColour);
    }
    RulerDrawing(const RulerDrawing&) = delete;
    RulerDrawing& operator=(const RulerDrawing&) = delete;

    // A 1-pixel stroke at `position` along the ruler, from `from` to `to` across it, both included.
    void Stroke(int position, int from, int to, COLORREF colour) {
        SetDCPenColor(dc, colour);
        if (vertical) {
            MoveToEx(dc, from, position, nullptr);
            LineTo(dc, to + 1, position);
        } else {
            MoveToEx(dc, position, from, nullptr);
            LineTo(dc, position, to + 1);
        }
    }
    // Under the canvas's zoom the ruler is stretched along its length only: its labels keep the
    // proportions of their font, at the scale across the ruler. Runs `draw` with the world
    // transform made upright about `position` along the ruler, passing the factor by which lengths
    // along the ruler grow in the upright drawing (1 where nothing is stretched).
    template <typename Draw> void Upright(int position, Draw draw) {
        XFORM stretched{};
        if (GetGraphicsMode(dc) != GM_ADVANCED || !GetWorldTransform(dc, &stretched) ||
            stretched.eM11 == stretched.eM22) {
            draw(1.0);
            return;
        }
        const FLOAT along = vertical ? stretched.eM22 : stretched.eM11;
        const FLOAT across = vertical ? stretched.eM11 : stretched.eM22;
        XFORM upright{across, 0, 0, across, stretched.eDx, stretched.eDy};
        (vertical ? upright.eDy : upright.eDx) += static_cast<FLOAT>(position) * (along - across);
        SetWorldTransform(dc, &upright);
        draw(static_cast<double>(along) / across);
        SetWorldTransform(dc, &stretched);
    }
    // A label with its top-left corner `shift` pixels before `position`, at the ruler's edge.
    void Label(int position, int shift, int value) {
        std::wstring text = std::to_wstring(value);
        Upright(position, [&](double) {
            TextOutW(dc, vertical ? 0 : position - shift, vertical ? position - shift : 0, text.c_str(),
                     static_cast<int>(text.size()));
        });
    }
};

} // namespace

void DrawUnitRuler(RenderState& render, HDC target, int width, int height, int unit, int orientation,
                   int percent) {
    const bool vertical = orientation != 0;
    RulerDrawing ruler(target, vertical, width, height);
    SelectObject(target, LabelFont(render, target, 6));
    // Each axis is measured with its own resolution.
    // The rulers measure the table, whose pixels are 96 to the inch on every screen.
    const double ppi = kTableDpi;
    const int length = vertical ? height : width;
    if (percent <= 0) {
        for (int i = 0;; ++i) {
            const int p = static_cast<int>(std::lround(ppi * i / (unit == 1 ? 25.4 : 10.0)));
            if (i % 10 == 0) {
                ruler.Stroke(p, 11, 20, kRed);
                if (i > 0) ruler.Label(p, 3, i / 10);
            } else if (i % 5 == 0) {
                ruler.Stroke(p, 14, 20, RGB(0, 0, 0));
            } else {
                ruler.Stroke(p, 15, 20, kRulerGrey);
            }
            if (p >= length || ppi <= 0) break;
        }
    }
    if (!vertical) {
        // The bar includes its end column, so 0 % still shows a 1-pixel mark.
        SetDCPenColor(target, RGB(0, 0, 0));
        SelectObject(target, GetStockObject(DC_BRUSH));
        SetDCBrushColor(target, RGB(255, 255, 255));
        DrawRectangle(target, 0, 1, 1120 * percent / 100 + 1, 10);
    }
}

void DrawPixelRuler(RenderState& render, HDC target, int width, int height, int length, int orientation) {
    const bool vertical = orientation != 0;
    RulerDrawing ruler(target, vertical, width, height);
    SelectObject(target, LabelFont(render, target, vertical ? 5 : 6));
    for (int p = 0; p <= length; p += 5) {
        if (p % 10 == 0) {
            ruler.Stroke(p, 14, 23, RGB(0, 0, 0));
            if (p % 50 == 0 && p > 0) {
                ruler.Label(p, 5, p);
                ruler.Stroke(p, 13, 23, kRed);
            }
        } else {
            ruler.Stroke(p, 15, 23, RGB(0, 0, 0));
        }
    }
}

void DrawCellRuler(RenderState& render, const Document& doc, HDC target, int width, int height,
                   int orientation) {
    const bool vertical = orientation != 0;
    RulerDrawing ruler(target, vertical, width, height);
    HFONT font = LabelFont(render, target, 6);
    SetDCPenColor(target, RGB(0, 0, 0));
    SelectObject(target, GetStockObject(NULL_BRUSH));
    const int w = doc.cellWidth, h = doc.cellHeight, s = doc.separation;
    render.spanWidth = static_cast<int16_t>(w);
    render.spanHeight = static_cast<int16_t>(h);
    render.lineThickness = doc.lineThickness;
    const int count = std::min<int>(vertical ? doc.tableRows : doc.tableColumns, kGridSize);
    for (int k = 0; k < count; ++k) {
        const std::u16string label = [&] {
            std::string digits = std::to_string(k + 1);
            return std::u16string(digits.begin(), digits.end());
        }();
        // The number is laid out in its box as long as the box is drawn.
        if (vertical) {
            const int top = k * (h + s) + 2;
            DrawRectangle(target, 2, top, w + 2, top + h);
            ruler.Upright(top, [&](double along) {
                render.spanHeight = static_cast<int16_t>(std::lround(h * along));
                DrawCellText(render, target, label, 131, 7, top, font, RGB(0, 0, 0));
            });
        } else {
            const int left = k * (w + s) + 2;
            DrawRectangle(target, left, 2, left + w, h + 2);
            ruler.Upright(left, [&](double along) {
                render.spanWidth = static_cast<int16_t>(std::lround(w * along));
                DrawCellText(render, target, label, 133, left, 2, font, RGB(0, 0, 0));
            });
        }
    }
    render.spanWidth = static_cast<int16_t>(w);
    render.spanHeight = static_cast<int16_t>(h);
}

void DrawRulerStyle(RenderState& render, const Document& doc, int rulerStyle, HDC target, int width,
                    int height, int orientation) {
    switch (rulerStyle) {
    case 1:
        DrawUnitRuler(render, target, width, height, 1, orientation, 0);
        break;
    case 2:
        // Labels up to 1200 at least, further where a small zoom shows more of the table.
        DrawPixelRuler(render, target, width, height, std::max(1200, orientation == 0 ? width : height),
                       orientation);
        break;
    case 3:
        DrawCellRuler(render, doc, target, width, height, orientation);
        break;
    }
}
