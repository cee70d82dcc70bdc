// Pictures for documents show the chart, not the grid nor the editing: on sparse random charts whose ink
// reaches past their boxes (texts overflowing below, pictures, icons, connectors at the table's edge) the
// extent is the bounds of the whole export drawing's ink, and the picture of the extent is that
// drawing moved, with one cell of background around the ink.
#include "RandomCharts.h"
#include "RenderTestSupport.h"

#include "render/CutChart.h"
#include "render/MetafileSvg.h"
#include "render/PictureGeometry.h"
#include "render/Renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

constexpr COLORREF kBackground = RGB(20, 160, 60);

// A grid with a few chart cells anywhere on it, edges included.
Document SparseChart(Random& random) {
    const int cellSize = random.Int(16, 48);
    Document doc = MakeGridDocument(random.Int(4, 14), random.Int(4, 12), cellSize);
    doc.lineThickness = random.Int(1, 5);
    doc.separation = static_cast<int16_t>(random.Int(0, 3));
    for (int n = random.Int(1, 5); n > 0; --n) {
        const int c = random.Chance(25) ? 0 : random.Int(0, doc.tableColumns - 1);
        const int r = random.Chance(25) ? doc.tableRows - 1 : random.Int(0, doc.tableRows - 1);
        CellRecord& cell = doc.cellGrid(c, r);
        if (random.Chance(70)) {
            MakeBox(doc, c, r);
            RandomContent(random, cell);
        } else {
            RandomConnector(random, cell, cellSize);
        }
    }
    return doc;
}

// The whole export drawing on a picture of the table picture's size: what every cut is cut from.
PixelGrid WholeExportDrawing(RenderState& render, const Document& doc) {
    Picture whole(kTablePictureSize, kTablePictureSize);
    FillSolid(whole.Dc(), RECT{0, 0, kTablePictureSize, kTablePictureSize}, kBackground);
    const int offset = ExportGeometryFor(doc.lineThickness).offset;
    render.exportMode = 1;
    DrawTable(render, doc, 0, whole.Dc(), doc.tableColumns, doc.tableRows, offset, offset,
              static_cast<COLORREF>(doc.lineColor));
    render.exportMode = 0;
    return ReadPixels(whole);
}

} // namespace

TEST(ChartExtent, HoldsAllInkOfRandomChartsAndShowsItWithOneCellAround) {
    RenderState render;
    CreatePictures(render);
    const CutChartLook look{0, kBackground};
    Random random{std::mt19937(2911)};
    int charts = 0, reachingPast = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        auto doc = std::make_unique<Document>(SparseChart(random));
        const CutChart table = DrawCutChart(render, *doc, look, ChartCut::Table);
        ASSERT_TRUE(table.metafile);
        const PixelGrid cut = WholeExportDrawing(render, *doc);
        const RECT ink = cut.Ink(RECT{0, 0, cut.width, cut.height}, kBackground);
        const RECT extent = ChartInkExtent(render, *doc, look);
        const CutChart chart = DrawCutChart(render, *doc, look, ChartCut::Extent);
        ASSERT_TRUE(chart.metafile);
        if (IsEmpty(ink)) {
            // Nothing drawn: the picture is the table cut.
            EXPECT_EQ(table.width, chart.width);
            EXPECT_EQ(table.height, chart.height);
            continue;
        }
        ++charts;
        // The extent is the drawing's ink, exactly.
        EXPECT_TRUE(EqualRect(&ink, &extent))
            << "ink " << ink.left << "," << ink.top << "-" << ink.right << "," << ink.bottom << " extent "
            << extent.left << "," << extent.top << "-" << extent.right << "," << extent.bottom;
        // Ink past the boxes: beyond the table cut's corner.
        if (ink.right > table.width || ink.bottom > table.height) ++reachingPast;

        // The picture shows the whole drawing's pixels moved by the frame's corner; around the
        // ink, one cell of background at least.
        const int left = extent.left - doc->cellWidth, top = extent.top - doc->cellHeight;
        ASSERT_EQ(extent.right - extent.left + 2 * doc->cellWidth, chart.width);
        ASSERT_EQ(extent.bottom - extent.top + 2 * doc->cellHeight, chart.height);
        const PixelGrid shown = ReadPixels(chart.picture);
        int differing = 0;
        for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x) {
                const int cx = x + left, cy = y + top;
                const bool inCut = cx >= 0 && cy >= 0 && cx < cut.width && cy < cut.height;
                differing += shown.At(x, y) != (inCut ? cut.At(cx, cy) : kBackground);
            }
        EXPECT_EQ(0, differing);
        const RECT shownInk = shown.Ink(RECT{0, 0, shown.width, shown.height}, kBackground);
        EXPECT_GE(shownInk.left, doc->cellWidth);
        EXPECT_GE(shownInk.top, doc->cellHeight);
        EXPECT_LE(shownInk.right, shown.width - doc->cellWidth);
        EXPECT_LE(shownInk.bottom, shown.height - doc->cellHeight);
    }
    // The charts drew something and, often, ink beyond the table cut.
    EXPECT_GT(charts, 40);
    EXPECT_GT(reachingPast, 5);
}

// Pictures for documents show the chart as recorded: the same chart with its selection and marks
// taken away gives the same pixels and the same vector drawing, while the bitmap exports' cut still
// shows what the screen shows.
TEST(ChartExtent, PicturesForDocumentsLeaveOutTheSelectionAndTheMarks) {
    RenderState render;
    CreatePictures(render);
    const CutChartLook look{0, kBackground};
    struct Case {
        const char* name;
        std::function<void(Document&)> edit;
    } cases[] = {
        {"every box selected",
         [](Document& d) { d.cellGrid(1, 1).selected = d.cellGrid(3, 1).selected = 1; }},
        {"a marked cell beside the boxes", [](Document& d) { d.cellGrid(2, 2).marked = 1; }},
        {"a marked cell far from the boxes", [](Document& d) { d.cellGrid(9, 7).marked = 1; }},
    };
    for (const Case& c : cases) {
        auto recorded = std::make_unique<Document>(MakeGridDocument(10, 8, 24));
        AssignField(MakeBox(*recorded, 1, 1).text, u"Ana");
        AssignField(MakeBox(*recorded, 3, 1).text, u"Bea");
        auto edited = std::make_unique<Document>(*recorded);
        c.edit(*edited);
        const CutChart expected = DrawCutChart(render, *recorded, look, ChartCut::Extent);
        const CutChart chart = DrawCutChart(render, *edited, look, ChartCut::Extent);
        ASSERT_TRUE(expected.metafile && chart.metafile) << c.name;
        ASSERT_EQ(expected.width, chart.width) << c.name;
        ASSERT_EQ(expected.height, chart.height) << c.name;
        EXPECT_TRUE(ReadPixels(expected.picture).pixels == ReadPixels(chart.picture).pixels) << c.name;
        EXPECT_EQ(MetafileToSvg(expected.metafile.Get(), expected.width, expected.height),
                  MetafileToSvg(chart.metafile.Get(), chart.width, chart.height))
            << c.name;
        const CutChart table = DrawCutChart(render, *edited, look, ChartCut::Table);
        const CutChart recordedTable = DrawCutChart(render, *recorded, look, ChartCut::Table);
        EXPECT_FALSE(table.width == recordedTable.width && table.height == recordedTable.height &&
                     ReadPixels(table.picture).pixels == ReadPixels(recordedTable.picture).pixels)
            << c.name << ": the bitmap exports show what the screen shows";
    }
}
