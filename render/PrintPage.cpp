// The recorded chart printed as a one-page document.
#include "render/PrintPage.h"

PrinterPage PrinterPageOf(HDC printer) {
    PrinterPage page;
    page.paperWidth = GetDeviceCaps(printer, PHYSICALWIDTH);
    page.paperHeight = GetDeviceCaps(printer, PHYSICALHEIGHT);
    page.printableLeft = GetDeviceCaps(printer, PHYSICALOFFSETX);
    page.printableTop = GetDeviceCaps(printer, PHYSICALOFFSETY);
    page.printableWidth = GetDeviceCaps(printer, HORZRES);
    page.printableHeight = GetDeviceCaps(printer, VERTRES);
    page.dotsPerInchX = GetDeviceCaps(printer, LOGPIXELSX);
    page.dotsPerInchY = GetDeviceCaps(printer, LOGPIXELSY);
    return page;
}

namespace {

// Plays one chart on the page started, fitted to its printable area.
bool PlayOnPage(HDC printer, HENHMETAFILE chart) {
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(chart, sizeof header, &header)) return false;
    // The frame (hundredths of a millimetre, both edges inclusive) gives the chart's shape.
    const int chartWidth = header.rclFrame.right - header.rclFrame.left + 1;
    const int chartHeight = header.rclFrame.bottom - header.rclFrame.top + 1;
    const PagePlace place = PlaceChartOnPage(chartWidth, chartHeight, PrinterPageOf(printer));
    if (place.width <= 0) return false;
    SetMapMode(printer, MM_TEXT);
    const RECT target{place.left, place.top, place.left + place.width, place.top + place.height};
    return PlayEnhMetaFile(printer, chart, &target) != FALSE;
}

} // namespace

bool PrintChartPage(HDC printer, HENHMETAFILE chart, const std::wstring& documentName) {
    return PrintChartPages(printer, std::span<const HENHMETAFILE>(&chart, 1), documentName);
}

bool PrintChartPages(HDC printer, std::span<const HENHMETAFILE> charts, const std::wstring& documentName) {
    if (!printer || charts.empty()) return false;
    for (HENHMETAFILE chart : charts) {
        ENHMETAHEADER header{};
        if (!chart || !GetEnhMetaFileHeader(chart, sizeof header, &header)) return false;
    }
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    if (StartDocW(printer, &document) <= 0) return false;
    bool printed = true;
    for (HENHMETAFILE chart : charts) {
        printed = StartPage(printer) > 0;
        if (printed) {
            printed = PlayOnPage(printer, chart);
            printed = EndPage(printer) > 0 && printed;
        }
        if (!printed) break;
    }
    if (!printed) {
        AbortDoc(printer);
        return false;
    }
    return EndDoc(printer) > 0;
}
