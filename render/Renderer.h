// The table renderer: every cell of the table drawn onto the table picture (boxes, fills,
// pictures, texts, icons, connector lines and the marks of marked and selected cells), and the
// small routines of the redraw: clearing, page guides, copies into the view pictures.
#pragma once

#include "document/Document.h"
#include "render/RenderState.h"
#include "render/TextLayout.h"

#include <windows.h>

#include <climits>

#include <cstdint>
#include <string>
#include <vector>

constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kDarkBlue = 0x8B0000;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kRed = 0x0000FF;
constexpr int kPageGuide = 794; // 210 mm at 96 pixels per inch

// What a DrawTable call does besides drawing every cell. Vectors are indexed by CellIndex and
// hold kGridSize * kGridSize entries.
struct TablePass {
    const std::vector<uint8_t>* only = nullptr; // when set, cells whose entry is 0 are left out
    bool draw = true;                           // false: nothing is drawn, only extents are found
    // Receives the extent of every cell visited: the bounds of every pixel it can touch (box,
    // outline, picture, icon, connectors and the whole text, which is not clipped to the cell);
    // empty for a cell that draws nothing.
    std::vector<RECT>* extents = nullptr;
    RECT bounds{INT_MIN, INT_MIN, INT_MAX, INT_MAX}; // extents take only what lies inside
    std::vector<CellLayout>* layouts = nullptr; // texts kept from one call to the next
};

// Draws cells of columns 0..columns-1 and rows 0..rows-1 with every coordinate moved by
// (offsetX, offsetY); `gridPen` outlines marked, selected and guide cells and picture
// placeholders. Leaves spanWidth, spanHeight, drawnRight and drawnBottom. In export mode guide
// cells are not filled.
void DrawTable(RenderState& render, const Document& doc, int16_t characterSet, HDC target, int columns,
               int rows, int offsetX, int offsetY, COLORREF gridPen, const TablePass* pass = nullptr);

// What an update of the table picture redrew: the whole table, or the region of these cells
// (indices by CellIndex).
struct TableChanges {
    bool whole = true;
    std::vector<size_t> cells;
};

// Brings the table picture up to date with the document, drawn at (2, 2) as the screen shows it.
// When `whole` is false and the table values are those it was last drawn with, only the region
// that the changed cells showed before or show now is cleared and drawn, in the order of the whole
// redraw, so the picture comes out exactly as a whole redraw would leave it. Returns the bounds of
// what was drawn (empty when nothing was), and in `changes` what changed.
RECT UpdateTablePicture(RenderState& render, const Document& doc, int16_t characterSet, bool whole,
                        TableChanges* changes = nullptr);

// The table picture was drawn over or replaced: its next update draws it whole.
void ForgetDrawnTable(RenderState& render);

// True when the table picture shows a table drawn with the document's table values and this
// character set (the cells are brought up to date by every edit's redraw).
bool TablePictureDrawnFor(const RenderState& render, const Document& doc, int16_t characterSet);

// Sum of 1 bold, 2 italic, 4 underline, 8 strikeout, 16 leading; each flag counts only when it is 1.
int CellStyleBits(const CellRecord& cell);

// True when a file (not a folder) of that path exists.
bool FileExists(const std::wstring& path);

void ClearToPaper(Picture& picture, const Document& doc);
void ClearToBackground(Picture& picture, COLORREF favouriteBackground);

// The page frame and the dotted red guides of an A4 page at 794 pixels.
void DrawPageGuides(HDC target);

// The table picture copied into the view picture with its top-left corner at (x, y).
void CopyCanvasToView(RenderState& render, int x, int y);
// The vertical ruler picture copied into the vertical ruler view with its top-left corner at (x, y).
void CopyRulerToView(RenderState& render, int x, int y);

// The boxes of a fresh guide grid: outline gridColor, solid fill, pen width lineThickness.
void DrawNewTableGrid(HDC target, const Document& doc, int columns, int rows, int originX, int originY,
                      COLORREF gridColor, COLORREF fill);

// The off-screen pictures of the main window, made anew and cleared to white: table and view
// pictures (1122 x 1122), vertical ruler picture and view (21 x 1122), horizontal ruler (1122 x 21).
void CreatePictures(RenderState& render);

// The font of a box cell: face, style bits, size in points at the screen's vertical resolution
// (negative height for the character height, positive with the leading bit), character set, and
// the quarter turn of the vertical alignments.
FontKey CellFontKey(const CellRecord& cell, int16_t characterSet, int logPixelsY);
