// Helpers of the renderer tests: the pixels of a picture read in one go, ink bounds, fonts and
// test documents built by hand.
#pragma once

#include "WinTestSupport.h"
#include "document/Document.h"

#include <windows.h>

#include <string>
#include <vector>

// A copy of a picture's pixels as 0x00BBGGRR, read once, so that tests can look at many pixels.
struct PixelGrid {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Number of pixels of [left, right) x [top, bottom) with this colour.
    int Count(const RECT& rect, COLORREF colour) const;
    bool All(const RECT& rect, COLORREF colour) const;
    // Bounds of the pixels that differ from the background inside the rectangle; empty when none.
    RECT Ink(const RECT& rect, COLORREF background) const;
};

PixelGrid ReadPixels(const Picture& picture);

// A font of the given face and pixel height, without antialiasing, so text pixels are exact.
HFONT MakeTestFont(const wchar_t* face, int height, int escapement = 0);

bool IsEmpty(const RECT& rect);

// A document with a fresh grid of columns x rows cells of the given size (separation 1, line
// thickness 1, grey lines, white paper): the cell values of a new table, set here by hand.
Document MakeGridDocument(int columns, int rows, int cellSize);

// Makes (column, row) a chart box.
CellRecord& MakeBox(Document& doc, int column, int row);

// Merges `count` cells to the right of (column, row) into it, or `count` cells downwards.
void MergeRight(Document& doc, int column, int row, int count);
void MergeDown(Document& doc, int column, int row, int count);

// A 16 x 16 icon file of one opaque colour, written at path; returns false when it cannot be written.
bool WriteSolidIcon(const std::wstring& path, COLORREF colour);

// A fresh path in the temporary folder (the file is not created).
std::wstring TemporaryPath(const wchar_t* name);

// The ANSI form of a path, as cell records store it.
std::string AnsiPath(const std::wstring& path);
