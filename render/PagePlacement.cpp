// The chart's place on a printed page.
#include "render/PagePlacement.h"

#include <algorithm>
#include <cmath>

PagePlace PlaceChartOnPage(int chartWidth, int chartHeight, const PrinterPage& page) {
    if (chartWidth <= 0 || chartHeight <= 0 || page.printableWidth <= 0 || page.printableHeight <= 0 ||
        page.dotsPerInchX <= 0 || page.dotsPerInchY <= 0)
        return {};
    // A printer that reports no sheet larger than its printable area has the area as its sheet.
    const int paperWidth = std::max(page.paperWidth, page.printableLeft + page.printableWidth);
    const int paperHeight = std::max(page.paperHeight, page.printableTop + page.printableHeight);
    // The largest margin on each axis, taken on both sides, keeps the band centred on the sheet.
    const int marginX = std::max(page.printableLeft, paperWidth - page.printableLeft - page.printableWidth);
    const int marginY = std::max(page.printableTop, paperHeight - page.printableTop - page.printableHeight);
    const double bandWidth = std::max(0, paperWidth - 2 * marginX);
    const double bandHeight = std::max(0, paperHeight - 2 * marginY);
    // Scale in inches per chart unit: the tighter of the two axes.
    const double scale =
        std::min(bandWidth / page.dotsPerInchX / chartWidth, bandHeight / page.dotsPerInchY / chartHeight);
    PagePlace place;
    place.width = static_cast<int>(std::floor(chartWidth * scale * page.dotsPerInchX + 1e-6));
    place.height = static_cast<int>(std::floor(chartHeight * scale * page.dotsPerInchY + 1e-6));
    if (place.width <= 0 || place.height <= 0) return {};
    place.left = (paperWidth - place.width) / 2 - page.printableLeft;
    place.top = (paperHeight - place.height) / 2 - page.printableTop;
    return place;
}

bool PrefersLandscape(int chartWidth, int chartHeight) {
    return chartWidth > chartHeight;
}
