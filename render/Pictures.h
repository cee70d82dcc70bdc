// Cell pictures: loading any image GDI+ decodes into a picture of a box's size, and drawing the
// picture and the icon of a box cell (with their placeholders when the files are missing).
#pragma once

#include "document/CellRecord.h"
#include "render/GdiObjects.h"
#include "render/PictureCache.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The file's image drawn over the fill colour into a new picture. Stretch 1 scales it to exactly
// width x height; stretch 0 keeps its proportions and never enlarges it, and a width or height of
// 0 then means the image's own. A missing or undecodable file is reported in a message box; a
// zero size, an empty image or a picture that cannot be made or drawn gives none silently.
Picture GraphicLoadImageFileToBitmap(const std::wstring& path, COLORREF fill, int width, int height,
                                     int stretch, HWND owner);

// A cell's picture: the image stretched to width x height over the cell's former colour.
Picture LoadCellPicture(const std::wstring& path, int width, int height, COLORREF fill);

// The picture part of a cell whose backColor is -2, in the box L, T, R, B already drawn hollow:
// the picture inside the outline (decoded pictures are kept in the cache while their file stays
// the same), or the cross-hatched placeholder when the path is empty or the file is missing.
void DrawCellPicture(PictureCache& cache, HDC target, const CellRecord& cell, int left, int top, int right,
                     int bottom, int32_t lineThickness, COLORREF gridPen);

// The icon of a box cell, loaded from its file at width x height (the box's drawn size) and drawn
// with its own transparency from (L + thickness, T + thickness); a silver box when the file is
// missing; nothing when the cell has no icon or the file is not an icon.
void DrawCellIcon(HDC target, const CellRecord& cell, int left, int top, int width, int height,
                  int32_t lineThickness);

// Paths are stored as ANSI text in the cell records.
std::wstring AnsiToWide(std::string_view text);

// Size and last-write time of a file; false when its attributes cannot be read.
bool ReadFileStamp(const std::wstring& path, FileStamp& stamp);

// The pixels of a DC's area as 0x00RRGGBB values, top row first (empty when they cannot be read).
std::vector<uint32_t> ReadPixels(HDC source, int width, int height);

// Puts pixels read by ReadPixels back onto a DC at (x, y), unscaled.
void DrawPixels(HDC target, int x, int y, int width, int height, const std::vector<uint32_t>& pixels);
