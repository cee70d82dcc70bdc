// Bringing the table picture up to date with the document: the whole picture when the table
// itself changed, otherwise only the region that the changed cells showed or will show.
#include "render/Renderer.h"

#include <algorithm>
#include <cstring>

namespace {

// Where the screen's table starts on the table picture.
constexpr int kTableOrigin = 2;

bool SameTableValues(const DrawnTable& drawn, const Document& doc, int16_t characterSet) {
    return drawn.columns == doc.tableColumns && drawn.rows == doc.tableRows &&
           drawn.separation == doc.separation && drawn.lineThickness == doc.lineThickness &&
           drawn.lineColor == doc.lineColor && drawn.paperColor == doc.paperColor &&
           drawn.characterSet == characterSet;
}

int Clamped(int16_t count) {
    return std::clamp<int>(count, 0, kGridSize);
}

// A cell is compared and kept byte for byte: whatever differs may draw differently.
bool SameCell(const CellRecord& a, const CellRecord& b) {
    return std::memcmp(&a, &b, sizeof(CellRecord)) == 0;
}

void KeepCell(DrawnTable& drawn, const Document& doc, int column, int row) {
    std::memcpy(&drawn.cells[CellIndex(column, row)], &doc.cellGrid(column, row), sizeof(CellRecord));
}

void DrawTableOnPicture(RenderState& render, const Document& doc, int16_t characterSet,
                        const TablePass& pass) {
    DrawTable(render, doc, characterSet, render.tablePicture.Dc(), doc.tableColumns, doc.tableRows,
              kTableOrigin, kTableOrigin, doc.lineColor & 0xFFFFFF, &pass);
}

void DrawWhole(RenderState& render, const Document& doc, int16_t characterSet) {
    DrawnTable& drawn = render.drawn;
    const size_t cells = size_t(kGridSize) * kGridSize;
    drawn.cells.resize(cells);
    drawn.extents.assign(cells, RECT{});
    drawn.layouts.resize(cells);
    if (!drawn.spans) drawn.spans = std::make_unique<Spans>();

    ClearToPaper(render.tablePicture, doc);
    DrawPageGuides(render.tablePicture.Dc());
    TablePass pass;
    pass.extents = &drawn.extents;
    pass.layouts = &drawn.layouts;
    DrawTableOnPicture(render, doc, characterSet, pass);

    const int columns = Clamped(doc.tableColumns), rows = Clamped(doc.tableRows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            KeepCell(drawn, doc, c, r);
    CountSpans(doc, columns, rows, *drawn.spans);
    drawn.columns = doc.tableColumns;
    drawn.rows = doc.tableRows;
    drawn.separation = doc.separation;
    drawn.lineThickness = doc.lineThickness;
    drawn.lineColor = doc.lineColor;
    drawn.paperColor = doc.paperColor;
    drawn.characterSet = characterSet;
    drawn.valid = true;
}

void AddToRegion(HRGN region, const RECT& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    RegionHandle part(CreateRectRgnIndirect(&rect));
    if (part) CombineRgn(region, region, part.Get(), RGN_OR);
}

} // namespace

void UpdateTablePicture(RenderState& render, const Document& doc, int16_t characterSet, bool whole) {
    if (!render.tablePicture) return;
    DrawnTable& drawn = render.drawn;
    if (whole || !drawn.valid || !SameTableValues(drawn, doc, characterSet)) {
        DrawWhole(render, doc, characterSet);
        return;
    }

    // The changed cells: their records, or their merge spans (a neighbour was merged or freed).
    const int columns = Clamped(doc.tableColumns), rows = Clamped(doc.tableRows);
    auto spans = std::make_unique<Spans>();
    CountSpans(doc, columns, rows, *spans);
    std::vector<uint8_t> changed(size_t(kGridSize) * kGridSize, 0);
    int changedCount = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const size_t i = CellIndex(c, r);
            if (SameCell(doc.cellGrid(c, r), drawn.cells[i]) &&
                spans->spanColumns[i] == drawn.spans->spanColumns[i] &&
                spans->spanRows[i] == drawn.spans->spanRows[i])
                continue;
            changed[i] = 1;
            ++changedCount;
        }
    if (changedCount == 0) return;
    // Past half the table, finding and clipping regions costs more than drawing everything.
    if (changedCount * 2 > columns * rows) {
        DrawWhole(render, doc, characterSet);
        return;
    }

    // Their new extents, measured without drawing.
    std::vector<RECT> extents = drawn.extents;
    TablePass measure;
    measure.only = &changed;
    measure.draw = false;
    measure.extents = &extents;
    measure.layouts = &drawn.layouts;
    DrawTableOnPicture(render, doc, characterSet, measure);

    // The region that can show a difference: where each changed cell was and where it is now.
    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (!region) {
        DrawWhole(render, doc, characterSet);
        return;
    }
    for (size_t i = 0; i < changed.size(); ++i)
        if (changed[i]) {
            AddToRegion(region.Get(), drawn.extents[i]);
            AddToRegion(region.Get(), extents[i]);
        }
    RegionHandle picture(CreateRectRgn(0, 0, render.tablePicture.Width(), render.tablePicture.Height()));
    const int kind = picture ? CombineRgn(region.Get(), region.Get(), picture.Get(), RGN_AND) : ERROR;

    if (kind != NULLREGION) {
        if (kind == ERROR) {
            DrawWhole(render, doc, characterSet);
            return;
        }
        // Inside the region the picture is drawn as the whole redraw draws it, in the same order:
        // paper, page guides, then every cell that reaches into it.
        std::vector<uint8_t> meets(changed.size(), 0);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                const size_t i = CellIndex(c, r);
                const RECT& e = extents[i];
                meets[i] = e.right > e.left && e.bottom > e.top && RectInRegion(region.Get(), &e) ? 1 : 0;
            }
        HDC dc = render.tablePicture.Dc();
        SelectClipRgn(dc, region.Get());
        FillRgn(dc, region.Get(), BrushHandle(CreateSolidBrush(doc.paperColor & 0xFFFFFF)).Get());
        DrawPageGuides(dc);
        TablePass pass;
        pass.only = &meets;
        pass.extents = &extents;
        pass.layouts = &drawn.layouts;
        DrawTableOnPicture(render, doc, characterSet, pass);
        SelectClipRgn(dc, nullptr);
    }

    drawn.extents.swap(extents);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (changed[CellIndex(c, r)]) KeepCell(drawn, doc, c, r);
    *drawn.spans = *spans;
}

bool TablePictureDrawnFor(const RenderState& render, const Document& doc, int16_t characterSet) {
    return render.drawn.valid && SameTableValues(render.drawn, doc, characterSet);
}

void ForgetDrawnTable(RenderState& render) {
    render.drawn.valid = false;
}
