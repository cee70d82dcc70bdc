// Cell pictures: loading any image GDI+ decodes into a picture of a box's size, and putting it into
// its box, decoded once and kept while the file stays the same.
#pragma once

#include "render/AnsiText.h"

#include "render/GdiObjects.h"
#include "render/PictureCache.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The file's image drawn over the fill colour into a new picture. Stretch 1 scales it to exactly
// width x height; stretch 0 keeps its proportions and never enlarges it, and a width or height of
// 0 then means the image's own. A missing or undecodable file gives none and the loader's message
// in `problem` (when given); a zero size, an empty image or a picture that cannot be made or drawn
// gives none silently.
Picture GraphicLoadImageFileToBitmap(const std::wstring& path, COLORREF fill, int width, int height,
                                     int stretch, std::wstring* problem);

// A cell's picture: the image stretched to width x height over the cell's former colour.
Picture LoadCellPicture(const std::wstring& path, int width, int height, COLORREF fill,
                        std::wstring* problem = nullptr);

// Puts the picture of an existing file into a box cell: the image stretched to width x height over
// the fill colour, copied to (x, y). A picture decoded before is drawn again from the cache while
// its file keeps its size and last-write time; otherwise the file is loaded as LoadCellPicture
// does and what it yields is kept. The loader's messages wait in the cache's problems to be told.
void DrawPictureFile(PictureCache& cache, HDC target, const std::wstring& path, int x, int y, int width,
                     int height, COLORREF fill);

// Size and last-write time of a file; false when its attributes cannot be read.
bool ReadFileStamp(const std::wstring& path, FileStamp& stamp);

// The pixels of a DC's area as 0x00RRGGBB values, top row first (empty when they cannot be read).
std::vector<uint32_t> ReadPixels(HDC source, int width, int height);

// The header of such pixels: 32 bits each, top row first, no palette.
BITMAPINFO TopDownPixelsInfo(int width, int height);

// Puts pixels read by ReadPixels back onto a DC at (x, y), unscaled.
void DrawPixels(HDC target, int x, int y, int width, int height, const std::vector<uint32_t>& pixels);
