// Time of a full table redraw (clear, page guides, every cell, copy to the view picture) against
// one plain copy of a whole table picture, and what the shared fonts save.
#include "document/Document.h"
#include "render/Renderer.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double Milliseconds(const std::function<void()>& work, int repeats) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    work(); // the first run makes the fonts and warms the caches
    for (int i = 0; i < repeats; ++i) {
        QueryPerformanceCounter(&start);
        work();
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    }
    // The fastest run: the machine is shared, and slower runs measure the neighbours.
    return *std::min_element(times.begin(), times.end());
}

Document BoxTable(int columns, int rows, int cellSize, const char16_t* text) {
    Document doc;
    doc.tableColumns = int16_t(columns);
    doc.tableRows = int16_t(rows);
    doc.cellWidth = doc.cellHeight = int16_t(cellSize);
    doc.separation = 1;
    doc.lineThickness = 1;
    doc.lineColor = 0xC0C0C0;
    doc.paperColor = 0xFFFFFF;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            CellRecord& cell = doc.cellGrid(c, r);
            cell.left = c * cellSize + 2;
            cell.top = r * cellSize + 2;
            cell.right = (c + 1) * cellSize + 2;
            cell.bottom = (r + 1) * cellSize + 2;
            cell.backColor = 0xFFFFFF;
            AssignField(cell.fontName, "Times New Roman");
            cell.fontSize = 10;
            cell.alignment = 133;
            cell.isBox = 1;
            AssignField(cell.text, text);
        }
    return doc;
}

void FullRedraw(RenderState& render, const Document& doc) {
    ClearToPaper(render.tablePicture, doc);
    ClearToPaper(render.viewPicture, doc);
    DrawPageGuides(render.tablePicture.Dc());
    DrawTable(render, doc, DEFAULT_CHARSET, render.tablePicture.Dc(), doc.tableColumns, doc.tableRows, 2, 2,
              doc.lineColor);
    CopyCanvasToView(render, 0, 0);
}

} // namespace

int main() {
    RenderState render;
    CreatePictures(render);
    const int repeats = 15;
    const double blit = Milliseconds(
        [&] {
            BitBlt(render.viewPicture.Dc(), 0, 0, kTablePictureSize, kTablePictureSize, render.tablePicture.Dc(), 0,
                   0, SRCCOPY);
        },
        repeats * 4);
    std::printf("plain 1122 x 1122 copy: %.3f ms\n", blit);

    // What single drawing calls cost here, for reading the figures below.
    {
        HDC dc = render.tablePicture.Dc();
        HFONT font = CreateFontW(-13, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Times New Roman");
        HGDIOBJ previous = SelectObject(dc, font);
        const int n = 2000;
        int fit = 0;
        SIZE size{};
        double measure = Milliseconds(
            [&] {
                for (int i = 0; i < n; ++i) GetTextExtentExPointW(dc, L"Head of Sales", 13, 15, &fit, nullptr, &size);
            },
            5);
        double text = Milliseconds(
            [&] {
                for (int i = 0; i < n; ++i) TextOutW(dc, 10, 10, L"Head of Sales", 13);
            },
            5);
        double box = Milliseconds(
            [&] {
                for (int i = 0; i < n; ++i) Rectangle(dc, 10, 10, 26, 26);
            },
            5);
        std::printf("one call: text measure %.2f us, text out %.2f us, box %.2f us\n", 1000 * measure / n,
                    1000 * text / n, 1000 * box / n);
        SelectObject(dc, previous);
        DeleteObject(font);
    }

    struct Case {
        const char* name;
        Document doc;
    };
    std::vector<Case> cases;
    cases.push_back({"65 x 46 boxes of 16 px, three-word text", BoxTable(65, 46, 16, u"Head of Sales")});
    cases.push_back({"44 x 31 boxes of 24 px, three-word text", BoxTable(44, 31, 24, u"Head of Sales")});
    cases.push_back({"101 x 101 boxes of 10 px, no text", BoxTable(101, 101, 10, u"")});
    cases.push_back({"101 x 101 boxes of 10 px, three-word text", BoxTable(101, 101, 10, u"Head of Sales")});
    for (Case& c : cases) {
        render.fonts.bypass = false;
        const double shared = Milliseconds([&] { FullRedraw(render, c.doc); }, repeats);
        std::printf("%-45s %9.2f ms  %7.1f x copy\n", c.name, shared, shared / blit);
        if (c.doc.cellGrid(0, 0).text[0]) {
            render.fonts.bypass = true;
            const double fresh = Milliseconds([&] { FullRedraw(render, c.doc); }, repeats);
            std::printf("%-45s %9.2f ms  %7.1f x copy  (a new font per cell: %.2f x the shared fonts)\n",
                        "  same, a new font per cell", fresh, fresh / blit, fresh / shared);
        }
    }
    return 0;
}
