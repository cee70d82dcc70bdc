// Where the cut chart lands on a printed page: as large as the printable area allows with its
// proportions kept, centred on the sheet. No Windows API, so it is tested natively.
#pragma once

// A printer's page in its own device pixels, as the printer reports it: the sheet, the printable
// area's offset and size on it, and the pixels per inch across and down (they may differ).
struct PrinterPage {
    int paperWidth = 0;
    int paperHeight = 0;
    int printableLeft = 0;
    int printableTop = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    int dotsPerInchX = 0;
    int dotsPerInchY = 0;
};

// A rectangle in the printable area's coordinates (the printer drawing surface's origin is the
// printable area's top-left corner). Empty (zero size) when nothing can be placed.
struct PagePlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The chart's place on the page. The chart's own units are square (screen pixels or hundredths of
// a millimetre); the place keeps that shape on paper even when the printer's resolution differs
// across and down. It is centred on the sheet, inside the widest band around the sheet's centre
// that stays within the printable area, so unequal margins do not push it off centre.
PagePlace PlaceChartOnPage(int chartWidth, int chartHeight, const PrinterPage& page);

// Whether a chart of that shape is preselected for a landscape page: when it is wider than tall.
bool PrefersLandscape(int chartWidth, int chartHeight);
