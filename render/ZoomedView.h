// The canvas's view of the table at any zoom and the rulers as they are shown. At 100 % on a
// 96-DPI screen the view is the table picture copied at the view offsets, pixel for pixel; at
// other zooms the table is drawn again straight into the view under a world transform, so lines
// and text are drawn at that scale rather than stretched.
#pragma once

#include "document/Document.h"
#include "render/RenderState.h"

#include <windows.h>

#include <functional>
#include <vector>

// Draws through a world transform while it lives: x' = x * scaleX + dx, y' = y * scaleY + dy.
class WorldScale {
  public:
    WorldScale(HDC dc, double scaleX, double scaleY, int dx, int dy);
    ~WorldScale();
    WorldScale(const WorldScale&) = delete;
    WorldScale& operator=(const WorldScale&) = delete;

  private:
    HDC dc_;
    int previousMode_;
};

// True at 100 % on a 96-DPI screen: the view and the vertical ruler are copies of the pictures
// drawn at the table's own scale.
bool DrawnAtTableScale(const RenderState& render);

// Makes the view and ruler pictures large enough for a canvas of the given client size (never
// smaller than the table picture) and as thick as the rulers at the screen's DPI. Pictures that
// change are made anew, cleared to white.
void FitViewPictures(RenderState& render, int canvasWidth, int canvasHeight);

// Fills the view picture with what the canvas shows: at 100 % the table picture copied at the
// offsets (the rest in paper); otherwise the paper and `drawTable` drawn at the zoom.
void ComposeView(RenderState& render, COLORREF paper, int offsetX, int offsetY,
                 const std::function<void(HDC)>& drawTable);

// At 100 %, what ComposeView would put into the view, drawn straight onto `dc` (of the given size):
// scrolling shows the table picture without copying it twice.
void DrawViewOnto(const RenderState& render, HDC dc, int width, int height, COLORREF paper, int offsetX,
                  int offsetY);

// The same for the vertical ruler at the table's scale: the ruler picture, shifted by the offset.
void DrawRulerViewOnto(const RenderState& render, HDC dc, int height, COLORREF paper, int offsetY);

// When the view holds the table picture at 100 % at these offsets, copies only the part `changed`
// of the table picture into it, sets `shown` to the part of the view that changed (empty when
// none) and returns true; otherwise the view must be composed whole.
bool ComposeViewPart(RenderState& render, int offsetX, int offsetY, const RECT& changed, RECT& shown);

// At a zoom other than 100 %, the table drawn whole into the view at the offsets (after its paper
// and page guides), every cell's extent kept there, so later changes can be drawn alone.
void ComposeZoomedTable(RenderState& render, const Document& doc, int16_t characterSet, int offsetX,
                        int offsetY);

// When the view holds the table composed at this zoom and these offsets: draws again only the
// region where the changed cells were or are now, as the whole composition draws it there, sets
// `shown` to the bounds of that region and returns true; otherwise the view must be composed whole.
bool RedrawZoomedViewPart(RenderState& render, const Document& doc, int16_t characterSet, int offsetX,
                          int offsetY, const std::vector<size_t>& changedCells, RECT& shown);

// The vertical ruler as shown, scrolled by the vertical offset, into the ruler view.
void DrawShownVerticalRuler(RenderState& render, const Document& doc, int rulerStyle, int offsetY);

// The horizontal ruler as shown, scrolled by the horizontal offset, into its picture.
void DrawShownHorizontalRuler(RenderState& render, const Document& doc, int rulerStyle, int offsetX);
