// Bringing the table picture up to date with the document: the whole picture when the table
// itself changed, otherwise only the region that the changed cells showed or will show.
#include "render/Renderer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

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

// A cell is kept byte for byte and compared as it draws: every value byte for byte, each text
// up to its terminator (what lies behind it is kept for the file and never drawn). Every click
// compares the whole table, and most of a record is the unused rest of its texts.
template <class Char, size_t N> bool SameText(const Char (&a)[N], const Char (&b)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if (a[i] != b[i]) return false;
        if (a[i] == 0) return true;
    }
    return true;
}

bool SameBytes(const CellRecord& a, const CellRecord& b, size_t from, size_t to) {
    return std::memcmp(reinterpret_cast<const char*>(&a) + from, reinterpret_cast<const char*>(&b) + from,
                       to - from) == 0;
}

bool SameCell(const CellRecord& a, const CellRecord& b) {
    return SameBytes(a, b, 0, offsetof(CellRecord, fontName)) && SameText(a.text, b.text) &&
           SameBytes(a, b, offsetof(CellRecord, fontSize), offsetof(CellRecord, imageSpec)) &&
           SameBytes(a, b, offsetof(CellRecord, alignment), sizeof(CellRecord)) &&
           SameText(a.fontName, b.fontName) && SameText(a.imageSpec, b.imageSpec) &&
           SameText(a.iconPath, b.iconPath);
}

void KeepCell(DrawnTable& drawn, const Document& doc, int column, int row) {
    std::memcpy(&drawn.cells[CellIndex(column, row)], &doc.cellGrid(column, row), sizeof(CellRecord));
}

void DrawTableOnPicture(RenderState& render, const Document& doc, int16_t characterSet, TablePass pass) {
    // What is drawn beyond the picture's edge is never seen: extents end there.
    pass.bounds = RECT{0, 0, render.tablePicture.Width(), render.tablePicture.Height()};
    DrawTable(render, doc, characterSet, render.tablePicture.Dc(), doc.tableColumns, doc.tableRows,
              kTableOrigin, kTableOrigin, doc.lineColor & 0xFFFFFF, &pass);
}

RECT DrawWhole(RenderState& render, const Document& doc, int16_t characterSet) {
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
    return RECT{0, 0, render.tablePicture.Width(), render.tablePicture.Height()};
}

} // namespace

RECT UpdateTablePicture(RenderState& render, const Document& doc, int16_t characterSet, bool whole,
                        TableChanges* changes) {
    TableChanges ignored;
    TableChanges& out = changes ? *changes : ignored;
    out.whole = true;
    out.cells.clear();
    if (!render.tablePicture) return RECT{};
    DrawnTable& drawn = render.drawn;
    if (whole || !drawn.valid || !SameTableValues(drawn, doc, characterSet)) {
        return DrawWhole(render, doc, characterSet);
    }

    // The changed cells: their records, or their merge spans (a neighbour was merged or freed).
    const int columns = Clamped(doc.tableColumns), rows = Clamped(doc.tableRows);
    auto spans = std::make_unique<Spans>();
    CountSpans(doc, columns, rows, *spans);
    std::vector<uint8_t> changed(size_t(kGridSize) * kGridSize, 0);
    std::vector<size_t> changedCells;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const size_t i = CellIndex(c, r);
            if (SameCell(doc.cellGrid(c, r), drawn.cells[i]) &&
                spans->spanColumns[i] == drawn.spans->spanColumns[i] &&
                spans->spanRows[i] == drawn.spans->spanRows[i])
                continue;
            changed[i] = 1;
            changedCells.push_back(i);
        }
    if (changedCells.empty()) {
        out.whole = false;
        return RECT{};
    }
    // Past half the table, finding and clipping regions costs more than drawing everything.
    if (changedCells.size() * 2 > size_t(columns) * size_t(rows)) {
        return DrawWhole(render, doc, characterSet);
    }

    // Where the changed cells were, then their new extents, measured without drawing.
    std::vector<RECT> before;
    before.reserve(changedCells.size());
    for (size_t i : changedCells)
        before.push_back(drawn.extents[i]);
    std::vector<RECT>& extents = drawn.extents;
    TablePass measure;
    measure.only = &changed;
    measure.draw = false;
    measure.extents = &extents;
    measure.layouts = &drawn.layouts;
    DrawTableOnPicture(render, doc, characterSet, measure);

    // The region that can show a difference: where each changed cell was and where it is now.
    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (!region) {
        return DrawWhole(render, doc, characterSet);
    }
    for (size_t k = 0; k < changedCells.size(); ++k) {
        AddToRegion(region.Get(), before[k]);
        AddToRegion(region.Get(), extents[changedCells[k]]);
    }
    RegionHandle picture(CreateRectRgn(0, 0, render.tablePicture.Width(), render.tablePicture.Height()));
    const int kind = picture ? CombineRgn(region.Get(), region.Get(), picture.Get(), RGN_AND) : ERROR;

    RECT drawnBounds{};
    if (kind != NULLREGION) {
        if (kind == ERROR) {
            return DrawWhole(render, doc, characterSet);
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
        GetRgnBox(region.Get(), &drawnBounds);
    }

    for (size_t i : changedCells)
        KeepCell(drawn, doc, static_cast<int>(i % kGridSize), static_cast<int>(i / kGridSize));
    *drawn.spans = *spans;
    out.whole = false;
    out.cells = std::move(changedCells);
    return drawnBounds;
}

bool TablePictureDrawnFor(const RenderState& render, const Document& doc, int16_t characterSet) {
    return render.drawn.valid && SameTableValues(render.drawn, doc, characterSet);
}

void ForgetDrawnTable(RenderState& render) {
    render.drawn.valid = false;
}
