// An enhanced metafile of the table renderer's drawing as a page of a PDF document: rectangles,
// lines and texts stay drawing and text (texts in their own fonts, read from GDI and embedded,
// each character at the place GDI gave it), pictures and hatches become images, and a
// reference box (" ► N", " ◄ M") links to the page it names.
#pragma once

#include "render/PdfBook.h"
#include "render/RenderState.h"

#include <windows.h>

#include <string>

// Adds the metafile's drawing (width x height pixels, one metafile unit a pixel) as a page of the
// book on the sheet given, for chart page `chartPage` with its outline title. `corner` is where
// the metafile's origin lies in the drawing it was cut from: hatches keep that drawing's phase when
// the metafile does not record its brush origin. False when the metafile cannot be read; the book
// is then left as it was.
// `pictureFiles`, when given, lists the cell pictures drawn from files in the metafile's
// coordinates: a picture drawn from a JPEG file is embedded as that file, at its own resolution.
bool AddMetafilePage(PdfBook& book, HENHMETAFILE metafile, const PdfSheet& sheet, int chartPage,
                     const std::u16string& title, POINT corner = POINT{0, 0},
                     const std::vector<DrawnPictureFile>* pictureFiles = nullptr);

// The font tables GDI gives for a font, as a PDF embeds them; empty when the font has no
// TrueType outlines.
FontTables GdiFontTables(HDC dc);
