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

bool PrintChartPage(HDC printer, HENHMETAFILE chart, const std::wstring& documentName) {
    ENHMETAHEADER header{};
    if (!printer || !chart || !GetEnhMetaFileHeader(chart, sizeof header, &header)) return false;
    // The frame (hundredths of a millimetre, both edges inclusive) gives the chart's shape.
    const int chartWidth = header.rclFrame.right - header.rclFrame.left + 1;
    const int chartHeight = header.rclFrame.bottom - header.rclFrame.top + 1;
    const PagePlace place = PlaceChartOnPage(chartWidth, chartHeight, PrinterPageOf(printer));
    if (place.width <= 0) return false;

    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    if (StartDocW(printer, &document) <= 0) return false;
    bool printed = StartPage(printer) > 0;
    if (printed) {
        SetMapMode(printer, MM_TEXT);
        const RECT target{place.left, place.top, place.left + place.width, place.top + place.height};
        printed = PlayEnhMetaFile(printer, chart, &target) != FALSE;
        printed = EndPage(printer) > 0 && printed;
    }
    if (!printed) {
        AbortDoc(printer);
        return false;
    }
    return EndDoc(printer) > 0;
}
