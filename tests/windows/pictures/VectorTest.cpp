// The cut chart recorded as a metafile and written as SVG, EMF and every picture format: the
// recording plays back to the export's pixels, the SVG carries the shapes and texts GDI drew, and
// each file has the cut size and the export's pixels.
#include "PictureTestFiles.h"
#include "SampleChart.h"
#include "WinTestSupport.h"

#include "render/CutChart.h"
#include "render/MetafileSvg.h"
#include "render/Pictures.h"
#include "render/Renderer.h"
#include "render/VectorPicture.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr COLORREF kBackground = RGB(20, 160, 60);

struct VectorFixture : testing::Test {
    std::unique_ptr<Document> doc = std::make_unique<Document>();
    RenderState render;
    TempFolder folder;
    CutChartLook look{0, kBackground};
    CutChart chart;
    void SetUp() override {
        CreatePictures(render);
        BuildSampleChart(*doc, folder.Path(L"picture.png"));
        chart = DrawCutChart(render, *doc, look);
    }
};

// Places whose colour tells the chart apart: outlines, fills, the guide cell's background and its
// connector, the picture, the marked cell, the separation.
std::vector<POINT> SamplePoints() {
    std::vector<POINT> points;
    for (int row = 0; row < kSampleRows; ++row)
        for (int column = 0; column < kSampleColumns; ++column) {
            RECT box = SampleBox(column, row);
            points.push_back({box.left, box.top + 30});       // left outline
            points.push_back({box.right - 1, box.top + 40});  // right outline
            points.push_back({box.left + 5, box.bottom - 5}); // fill, away from any text
            points.push_back({box.left + 4, box.top + 4});    // picture corner in its box
            if (column + 1 < kSampleColumns) points.push_back({box.right + 10, box.top + 20}); // separation
        }
    points.push_back({75, SampleBox(0, 1).top + 30}); // the connector of the guide cell
    points.push_back({75, SampleBox(0, 1).top + 10}); // beside it, the background
    return points;
}

COLORREF ImagePixel(Gdiplus::GpBitmap* image, int x, int y) {
    Gdiplus::ARGB argb = 0;
    Gdiplus::DllExports::GdipBitmapGetPixel(image, x, y, &argb);
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// True when the 5 x 5 pixels around p have one colour.
bool UniformAround(const std::vector<uint32_t>& pixels, int width, int height, POINT p) {
    for (int y = std::max(0, int(p.y) - 2); y <= std::min(height - 1, int(p.y) + 2); ++y)
        for (int x = std::max(0, int(p.x) - 2); x <= std::min(width - 1, int(p.x) + 2); ++x)
            if (pixels[size_t(y) * width + x] != pixels[size_t(p.y) * width + p.x]) return false;
    return true;
}

} // namespace

TEST_F(VectorFixture, RecordingHasTheFrameOfTheScreenAndPlaysBackToTheExportPixels) {
    ASSERT_EQ(3 * kSampleCellWidth + 2 * kSampleSeparation, chart.width);
    ASSERT_EQ(2 * kSampleCellHeight + kSampleSeparation, chart.height);
    ASSERT_TRUE(chart.metafile);
    ENHMETAHEADER header{};
    ASSERT_TRUE(GetEnhMetaFileHeader(chart.metafile.Get(), sizeof header, &header));
    WindowDC screen(nullptr);
    EXPECT_EQ(MulDiv(chart.width, GetDeviceCaps(screen.Get(), HORZSIZE) * 100,
                     GetDeviceCaps(screen.Get(), HORZRES)),
              header.rclFrame.right);
    EXPECT_EQ(MulDiv(chart.height, GetDeviceCaps(screen.Get(), VERTSIZE) * 100,
                     GetDeviceCaps(screen.Get(), VERTRES)),
              header.rclFrame.bottom);

    Picture played(chart.width, chart.height);
    FillSolid(played.Dc(), RECT{0, 0, chart.width, chart.height}, RGB(255, 0, 255));
    RECT all{0, 0, chart.width, chart.height};
    ASSERT_TRUE(PlayEnhMetaFile(played.Dc(), chart.metafile.Get(), &all));
    std::vector<uint32_t> expected = ReadPixels(chart.picture.Dc(), chart.width, chart.height);
    std::vector<uint32_t> actual = ReadPixels(played.Dc(), chart.width, chart.height);
    ASSERT_EQ(expected.size(), actual.size());
    // Played back, the italic text's glyphs stand at their recorded advances, which may move a
    // few of its pixels by one; everything else is the same.
    const RECT italicBox = SampleBox(1, 0);
    int differing = 0, elsewhere = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == actual[i]) continue;
        ++differing;
        POINT p{LONG(i % chart.width), LONG(i / chart.width)};
        elsewhere += !PtInRect(&italicBox, p);
    }
    EXPECT_EQ(0, elsewhere);
    EXPECT_LT(differing, 200);
}

TEST_F(VectorFixture, SvgKeepsBoxesLinesTextsAndPictures) {
    const std::string svg = MetafileToSvg(chart.metafile.Get(), chart.width, chart.height);
    EXPECT_NE(std::string::npos, svg.find("width=\"490\" height=\"140\""));
    // Outlines through the pixel centres of each box's edge, fills short of the right and bottom.
    for (auto [column, row] : {std::pair{0, 0}, {1, 0}, {2, 0}, {1, 1}}) {
        RECT box = SampleBox(column, row);
        std::string outline = "<rect x=\"" + std::to_string(box.left) + ".5\" y=\"" +
                              std::to_string(box.top) +
                              ".5\" width=\"149\" height=\"59\" fill=\"none\" stroke=\"#000000\"";
        EXPECT_NE(std::string::npos, svg.find(outline)) << outline;
    }
    EXPECT_NE(std::string::npos, svg.find("fill=\"#c8dcff\""));
    EXPECT_NE(std::string::npos, svg.find("stroke=\"#808080\"")) << "the marked cell keeps its grid outline";
    EXPECT_EQ(std::string::npos, svg.find("<rect x=\"0.5\" y=\"80.5\"")) << "the guide cell is left out";
    EXPECT_NE(std::string::npos, svg.find("<path d=\"M0 110.5L150 110.5\"")) << "its connector is not";

    EXPECT_NE(std::string::npos, svg.find(">Direcci\xC3\xB3n General</text>"));
    EXPECT_NE(std::string::npos, svg.find(">Ventas &amp; &lt;Marketing&gt;</text>"));
    EXPECT_NE(std::string::npos,
              svg.find("font-family=\"'Arial', 'Liberation Sans', sans-serif\" font-size=\"16\" "
                       "font-weight=\"700\" fill=\"#000080\""));
    EXPECT_NE(std::string::npos,
              svg.find("font-style=\"italic\" text-decoration=\"underline\" fill=\"#c80000\""));
    size_t turned = svg.find(">Turned</text>");
    ASSERT_NE(std::string::npos, turned);
    EXPECT_NE(std::string::npos, svg.rfind("transform=\"rotate(90 ", turned));
    EXPECT_NE(std::string::npos, svg.find("<image x=\"171\" y=\"81\" width=\"148\" height=\"58\""));
    EXPECT_NE(std::string::npos, svg.find("xlink:href=\"data:image/png;base64,iVBORw0KGgo"));
}

TEST_F(VectorFixture, EveryFormatHasTheCutSizeAndTheExportPixels) {
    std::vector<uint32_t> pixels = ReadPixels(chart.picture.Dc(), chart.width, chart.height);
    auto exported = [&](POINT p) {
        uint32_t v = pixels[static_cast<size_t>(p.y) * chart.width + p.x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    };
    for (const wchar_t* name :
         {L"chart.bmp", L"chart.png", L"chart.gif", L"chart.tif", L"chart.jpg", L"chart.emf"}) {
        const std::wstring path = folder.Path(name);
        ASSERT_TRUE(SaveCutChart(chart, path)) << name;
        Picture shown(chart.width, chart.height);
        Gdiplus::GpBitmap* image = nullptr;
        if (std::wstring(name).ends_with(L".gif")) {
            // Wine's GDI+ writes GIF files it cannot read back: the header says the size.
            const std::vector<uint8_t> gif = ReadBytes(path);
            ASSERT_GE(gif.size(), 10u);
            EXPECT_EQ(0, std::memcmp(gif.data(), "GIF8", 4));
            EXPECT_EQ(chart.width, gif[6] | gif[7] << 8);
            EXPECT_EQ(chart.height, gif[8] | gif[9] << 8);
            continue;
        }
        if (std::wstring(name).ends_with(L".emf")) {
            EnhMetafile file(GetEnhMetaFileW(path.c_str()));
            ASSERT_TRUE(file);
            RECT all{0, 0, chart.width, chart.height};
            PlayEnhMetaFile(shown.Dc(), file.Get(), &all);
        } else {
            ASSERT_EQ(Gdiplus::Ok, Gdiplus::DllExports::GdipCreateBitmapFromFile(path.c_str(), &image))
                << name;
            UINT w = 0, h = 0;
            Gdiplus::DllExports::GdipGetImageWidth(image, &w);
            Gdiplus::DllExports::GdipGetImageHeight(image, &h);
            EXPECT_EQ(UINT(chart.width), w) << name;
            EXPECT_EQ(UINT(chart.height), h) << name;
        }
        const int tolerance = std::wstring(name).ends_with(L".jpg") ? 60 : 0; // JPEG blurs edges
        for (POINT p : SamplePoints()) {
            if (tolerance && !UniformAround(pixels, chart.width, chart.height, p)) continue; // an edge
            COLORREF got = image ? ImagePixel(image, p.x, p.y) : PixelAt(shown.Dc(), p.x, p.y);
            EXPECT_TRUE(Near(exported(p), got, tolerance))
                << name << " at " << p.x << "," << p.y << ": " << std::hex << got << " instead of "
                << exported(p);
        }
        if (image) Gdiplus::DllExports::GdipDisposeImage(image);
    }
    const std::vector<uint8_t> svg =
        (SaveCutChart(chart, folder.Path(L"chart.svg")), ReadBytes(folder.Path(L"chart.svg")));
    ASSERT_GT(svg.size(), 100u);
    EXPECT_EQ(0, std::memcmp(svg.data(), "<?xml", 5));
}

TEST_F(VectorFixture, AFailedVectorExportLeavesTheOldFile) {
    const std::wstring locked = folder.Path(L"locked.svg");
    const std::wstring unknown = folder.Path(L"chart.wmf");
    ASSERT_TRUE(WriteBytes(locked, "earlier picture"));
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveCutChart(chart, locked));
    EXPECT_FALSE(SaveCutChart(chart, folder.Path(L"no such folder\\chart.emf")));
    EXPECT_FALSE(SaveCutChart(chart, unknown));
    const std::vector<uint8_t> kept = ReadBytes(locked);
    EXPECT_EQ("earlier picture", std::string(kept.begin(), kept.end()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(unknown.c_str()));
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(VectorFixture, AChartWithoutTableGivesNothing) {
    doc->tableColumns = 0;
    CutChart none = DrawCutChart(render, *doc, look);
    EXPECT_EQ(0, none.width);
    EXPECT_FALSE(none.metafile);
}
