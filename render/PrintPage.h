// The recorded chart printed as a one-page document on a printer's drawing surface, scaled to fit
// the printable area and centred on the sheet (see PagePlacement.h).
#pragma once

#include "render/PagePlacement.h"

#include <windows.h>

#include <span>
#include <string>

// The page as the printer's drawing surface reports it.
PrinterPage PrinterPageOf(HDC printer);

// Prints the metafile as one page of a document of that name: the metafile's frame is played into
// the place PlaceChartOnPage gives, so boxes, lines and texts reach the printer as drawing
// commands and pictures at the printer's resolution. False when the printer refused the document,
// the page or the drawing; a started document is then cancelled, so nothing half-done is printed.
bool PrintChartPage(HDC printer, HENHMETAFILE chart, const std::wstring& documentName);
// The same for the pages of a chart: one document, one sheet per metafile, each fitted alone.
bool PrintChartPages(HDC printer, std::span<const HENHMETAFILE> charts, const std::wstring& documentName);
