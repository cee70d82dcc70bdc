// The cut exports' picture: the chart drawn again without its guide cells at the picture's top-left
// corner, cut to its extent, and written as a 24-bit BMP file or through the GDI+ encoder of the
// file name's extension.
#pragma once

#include "document/Document.h"
#include "render/BmpWriter.h"
#include "render/GdiObjects.h"
#include "render/PictureFiles.h"
#include "render/RenderState.h"

#include <string>

enum class CutFormat { Bitmap, Encoder };

// The export picture: the cut chart's pixels (DrawCutChartPicture) for the bitmap exports.
Picture DrawCutPicture(RenderState& render, const Document& doc, int characterSet, COLORREF background);

// Draws the export picture and writes it to the path in the format; true when the file was
// written. A picture too large to hold in memory is simply not written. Export mode is off
// afterwards whatever became of the file.
bool WriteCutPicture(RenderState& render, const Document& doc, int characterSet, COLORREF background,
                     const std::wstring& path, CutFormat format);
