// An enhanced metafile of the table renderer's drawing written as SVG: rectangles, lines and
// texts stay shapes and text (text at the positions GDI measured), pictures become embedded PNG
// images, so a browser shows the chart the program draws.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The metafile as an SVG document of width x height pixels (one metafile unit per pixel), UTF-8.
// Empty when the metafile cannot be read.
std::string MetafileToSvg(HENHMETAFILE metafile, int width, int height);

// Pixels (0x00RRGGBB, top row first) as the bytes of an opaque PNG file; empty when GDI+ cannot
// encode them. GDI+ must be running.
std::string OpaquePng(const std::vector<uint32_t>& pixels, int width, int height);
