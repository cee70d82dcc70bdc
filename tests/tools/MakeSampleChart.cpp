// Writes the sample chart as a work file for the end-to-end tests: MakeSampleChart <folder>
// leaves chart.qdrx and the picture one of its boxes shows in that folder, and prints each box of
// the cut export, "box left top right bottom text|plain", the size of the table's cut, "size w h",
// and the chart's own extent in the cut's pixels with its cell of margin, "extent l t r b".
#include "SampleChart.h"

#include "document/WorkFile.h"
#include "render/CutChart.h"
#include "render/Renderer.h"

#include <gdiplus.h>

#include <cstdio>
#include <memory>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 3;
    std::wstring folder = argv[1];
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    auto doc = std::make_unique<Document>();
    BuildSampleChart(*doc, folder + L"picture.png");
    const bool saved = WriteWorkFile(*doc, folder + L"chart.qdrx").Done();
    RenderState render;
    CreatePictures(render);
    RECT extent = ChartInkExtent(render, *doc, CutChartLook{});
    InflateRect(&extent, doc->cellWidth, doc->cellHeight);
    Gdiplus::GdiplusShutdown(token);
    for (int row = 0; row < kSampleRows; ++row)
        for (int column = 0; column < kSampleColumns; ++column) {
            const CellRecord& cell = doc->cellGrid(column, row);
            if (cell.isBox != 1 && cell.marked != 1) continue;
            const RECT box = SampleBox(column, row);
            std::printf("box %ld %ld %ld %ld %s\n", box.left, box.top, box.right, box.bottom,
                        FieldText(cell.text).empty() ? "plain" : "text");
        }
    const RECT last = SampleBox(kSampleColumns - 1, kSampleRows - 1);
    std::printf("size %ld %ld\n", last.right, last.bottom);
    std::printf("extent %ld %ld %ld %ld\n", extent.left, extent.top, extent.right, extent.bottom);
    return saved ? 0 : 1;
}
