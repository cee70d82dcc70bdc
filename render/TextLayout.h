// Cell text layout: a text broken into lines that fit a cell and placed by its alignment (left,
// right, centred, justified), or written whole and turned a quarter turn (the vertical ones).
#pragma once

#include "render/RenderState.h"

#include <windows.h>

#include <climits>
#include <string_view>

// The area a text is laid out in, from its top-left origin.
struct TextArea {
    int width = 0;      // W: lines are placed in it
    int breakWidth = 0; // lines are broken to fit it
    int height = 0;     // H: used by the centred vertical alignment
    int lineHeight = 0; // the font's height plus external leading; 0 reads it from the DC
    // Rows of the target that can show anything: lines wholly outside them are not drawn. Texts
    // are never clipped to their cell, only to the picture.
    int visibleTop = INT_MIN;
    int visibleBottom = INT_MAX;
    // When the target's clip is one rectangle, its bounds: a line is drawn when its ink meets
    // them, without asking the target. Otherwise the target is asked line by line.
    bool clipIsBox = false;
    RECT clipBox{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    LaidOutLines* kept = nullptr; // where the lines are kept between calls; none: broken every time
    // The selected font's overhangs: with them a line's extent is its measured width and the ink
    // beyond it, without them a generous margin.
    const GlyphOverhangs* overhangs = nullptr;
    // The selected font's advances, when they are usable on the target: runs of short lines are
    // then drawn in one call, to the same pixels.
    const TextAdvances* advances = nullptr;
    bool draw = true; // false: nothing is drawn, only `extent` grows
    // When set, grows to cover every pixel the text can touch, drawn or not (with a margin for
    // glyphs that reach out of their cells), inside `extentBounds`.
    RECT* extent = nullptr;
    // The selected font's drift at the target's scale, when known, and the target's units in one
    // of its pixels: the extent allows for glyphs placed beyond the reported widths.
    const GlyphDrift* drift = nullptr;
    double unitsPerPixel = 1;
    RECT extentBounds{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
};

// Reads the overhangs of the font selected in the DC, once.
void ReadGlyphOverhangs(HDC dc, GlyphOverhangs& overhangs);

// Reads, for the font selected in the DC, its drift at this scale unless known, and when
// `advances` is given and not yet known, its advances: each checked character is drawn both ways
// on a picture like the DC's own, and the advances are usable only when the lines drawn in one
// call come out exactly as drawn one by one.
void ReadGlyphPlacement(HDC dc, double unitsPerPixel, GlyphDrift& drift, TextAdvances* advances);

// True when text drawn on the DC lands on its pixels unscaled and unturned, on a picture of
// `bitsPixel` bits per pixel (the advances of a font hold there only).
bool DrawsTextUnscaled(HDC dc, int& bitsPixel);

// Grows `extent` to cover the rectangle [left, right) x [top, bottom); an empty extent (right at
// or left of left) is replaced.
void GrowExtent(RECT& extent, int left, int top, int right, int bottom);

// The same for the part of the rectangle inside `bounds`: pixels beyond the target's edge are
// never seen, so they need no redraw.
void GrowExtentWithin(RECT& extent, const RECT& bounds, int left, int top, int right, int bottom);

// Lays the text out with the font, colour and background already set on the DC. Alignment codes
// 131 left, 132 right, 133 centred, 134 justified, 135 turned from the top, 136 turned and
// centred both ways; any other code draws nothing.
void LayOutText(HDC dc, std::u16string_view text, int alignment, int x, int y, const TextArea& area);

// One cell text on the table picture, in the area of the cell being drawn (spanWidth and
// spanHeight less the line thickness). Selects the font into the target and leaves it there.
void DrawCellText(RenderState& render, HDC target, std::u16string_view text, int alignment, int x, int y,
                  HFONT font, COLORREF colour);

// The same layout for a sample text in a picture control of a dialog (alignments 131 to 134):
// the control's client width is the width, and lines are broken 5 pixels short of it.
void DrawSampleText(HWND dialog, int controlId, std::u16string_view text, int alignment, int x, int y,
                    HFONT font, COLORREF colour);

// DrawSampleText on a DC the caller already has (for instance in the control's WM_PAINT), for a
// control whose client area is clientWidth pixels wide.
void DrawSampleTextOn(HDC dc, int clientWidth, std::u16string_view text, int alignment, int x, int y,
                      HFONT font, COLORREF colour);
