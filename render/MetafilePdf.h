// An enhanced metafile of the table renderer's drawing as a page of a PDF document: rectangles,
// lines and texts stay drawing and text (texts in their own fonts, read from GDI and embedded,
// each character at the place GDI gave it), pictures become images, hatches patterns, and a
// reference box (" ► N", " ◄ M") links to the page it names.
#pragma once

#include "render/PdfBook.h"

#include <windows.h>

#include <string>

// Adds the metafile's drawing (width x height pixels, one metafile unit a pixel) as a page of the
// book on the sheet given, for chart page `chartPage` with its outline title. False when the
// metafile cannot be read; the book is then left as it was.
bool AddMetafilePage(PdfBook& book, HENHMETAFILE metafile, const PdfSheet& sheet, int chartPage,
                     const std::u16string& title);

// The font tables GDI gives for a font, as a PDF embeds them; empty when the font has no
// TrueType outlines.
FontTables GdiFontTables(HDC dc);
