// The cut chart on the clipboard, for pasting into documents: as an enhanced metafile (boxes,
// lines and texts stay vector), as PNG and as an opaque 24-bit device-independent bitmap, in that
// order, so each program takes the best form it understands.
#pragma once

#include "render/CutChart.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The clipboard format name applications register for PNG pictures.
constexpr wchar_t kPngClipboardFormat[] = L"PNG";

// Replaces the clipboard's contents by the chart's three forms; false when the clipboard could not
// be opened (held by another program through several brief retries) or a form could not be made
// (the clipboard is then left empty).
bool PutCutChartOnClipboard(HWND owner, const CutChart& chart);

// The bytes of a CF_DIB: a BITMAPINFOHEADER and 24-bit rows, bottom row first, each padded to four
// bytes. Pixels are 0x00RRGGBB, top row first.
std::vector<uint8_t> PackedDib24(const std::vector<uint32_t>& pixels, int width, int height);
