// The rulers that frame the canvas, in three styles: a centimetre (or inch) scale, a pixel scale
// and cell numbers. Each draws into a target of the given size, horizontally (orientation 0) or
// vertically (any other orientation).
#pragma once

#include "document/Document.h"
#include "render/RenderState.h"

#include <windows.h>

constexpr COLORREF kRulerBackground = RGB(0xEE, 0xE9, 0xE9);
constexpr COLORREF kRulerGrey = RGB(0x80, 0x80, 0x80);

// Unit 1: millimetre steps with centimetre labels; unit 0: tenths of an inch with inch labels.
// A percent above 0 shows a progress bar in place of the scale (horizontal ruler only).
void DrawUnitRuler(RenderState& render, HDC target, int width, int height, int unit, int orientation,
                   int percent);

// Strokes every 5 pixels up to `length`, labels every 50.
void DrawPixelRuler(RenderState& render, HDC target, int width, int height, int length, int orientation);

// One numbered box per column (horizontal) or row (vertical) of the table, laid out as the cells
// are; sets spanWidth and spanHeight to the cell size for the labels.
void DrawCellRuler(RenderState& render, const Document& doc, HDC target, int width, int height,
                   int orientation);

// The ruler of a ruler style (1 units, 2 pixels, 3 cells) as the main window shows it; any other
// style draws nothing.
void DrawRulerStyle(RenderState& render, const Document& doc, int rulerStyle, HDC target, int width,
                    int height, int orientation);
