// The chart's bounds on the table picture.
#include "render/ChartBounds.h"

#include <algorithm>

RECT ChartBoundsOnTablePicture(const RenderState& render, const Document& doc) {
    RECT bounds{};
    const DrawnTable& drawn = render.drawn;
    if (!drawn.valid || drawn.extents.size() < size_t(kGridSize) * kGridSize) return bounds;
    for (int r = 0; r < std::min<int>(doc.tableRows, kGridSize); ++r)
        for (int c = 0; c < std::min<int>(doc.tableColumns, kGridSize); ++c) {
            const CellRecord& cell = doc.cellGrid(c, r);
            // Guide cells are the grid, not the chart, unless they carry a connector or a mark.
            const bool chart = cell.isBox == 1 || cell.marked != 0 || cell.hLineOn == 1 || cell.vLineOn == 1;
            const RECT& extent = drawn.extents[CellIndex(c, r)];
            if (chart && cell.covered == 0 && cell.cancelled == 0 && !IsRectEmpty(&extent))
                UnionRect(&bounds, &bounds, &extent);
        }
    if (!IsRectEmpty(&bounds)) InflateRect(&bounds, doc.cellWidth, doc.cellHeight);
    return bounds;
}
