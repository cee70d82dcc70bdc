// The sheets of a PDF export: the paper sizes, where the chart lands on a sheet, and the names and
// page ranges the command line gives. No Windows API, so it is tested natively.
#pragma once

#include <string_view>

enum class PdfPaper { A4, Letter, A3, Chart };

// A sheet in points (1/72 inch) and the chart's place on it: the chart's top-left corner `left`
// and `top` points from the sheet's top-left corner, `scale` points to a chart pixel.
struct PdfSheet {
    double width = 0;
    double height = 0;
    double left = 0;
    double top = 0;
    double scale = 0;
};

// The margin kept around the chart on a paper sheet: 10 mm.
constexpr double kPdfMargin = 72.0 * 10.0 / 25.4;
// On a sheet of the chart's own size one table pixel is 0.75 point, as on a 96 DPI screen.
constexpr double kPdfPointsPerPixel = 0.75;

// The sheet for a chart of width x height pixels: a paper sheet turned to the chart's shape
// (landscape for a chart wider than tall), the chart as large as the sheet allows inside the
// margin with its proportions kept, centred; or, for PdfPaper::Chart, a sheet of exactly the
// chart's size. Zero size for a chart of no size.
PdfSheet PdfSheetFor(int width, int height, PdfPaper paper);

// "A4", "Letter", "A3" or "chart", without regard to case; false for anything else.
bool ParsePdfPaper(std::u16string_view text, PdfPaper& paper);

// "N-M" or "N" (pages counted from 1) within a chart of `pageCount` pages: the first and last page
// counted from 0. False for anything else, a range backwards or beyond the chart.
bool ParsePageRange(std::u16string_view text, int pageCount, int& first, int& last);
