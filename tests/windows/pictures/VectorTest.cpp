// The cut chart recorded as a metafile and written as SVG, EMF and every picture format: the
// recording plays back to the export's pixels, the SVG read back carries the shapes and texts GDI
// drew where the sample chart puts them, and each file has the cut size and the export's pixels.
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

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

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

// One element of an SVG file: its name, attributes and the text right inside it, unescaped.
struct SvgElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::string Attribute(const std::string& key) const {
        auto found = attributes.find(key);
        return found == attributes.end() ? std::string() : found->second;
    }
    double Number(const std::string& key) const { return std::strtod(Attribute(key).c_str(), nullptr); }
};

std::string Unescaped(const std::string& text) {
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (auto [entity, character] : kEntities)
            if (text.compare(i, std::strlen(entity), entity) == 0) {
                out += character;
                i += std::strlen(entity);
                replaced = true;
                break;
            }
        if (!replaced) out += text[i++];
    }
    return out;
}

// The start tags of a document in order, each with the text that follows it up to the next tag.
std::vector<SvgElement> ParseSvg(const std::string& document) {
    static const std::regex tag(R"(<([A-Za-z][\w:-]*)((?:\s+[\w:-]+="[^"]*")*)\s*/?>)");
    static const std::regex attribute(R"re(([\w:-]+)="([^"]*)")re");
    std::vector<SvgElement> elements;
    for (auto t = std::sregex_iterator(document.begin(), document.end(), tag); t != std::sregex_iterator();
         ++t) {
        SvgElement element;
        element.name = (*t)[1];
        const std::string attributes = (*t)[2];
        for (auto a = std::sregex_iterator(attributes.begin(), attributes.end(), attribute);
             a != std::sregex_iterator(); ++a)
            element.attributes[(*a)[1]] = Unescaped((*a)[2]);
        const size_t end = t->position() + t->length();
        element.text = Unescaped(document.substr(end, document.find('<', end) - end));
        elements.push_back(std::move(element));
    }
    return elements;
}

// Every number of an attribute such as a path or a list of positions.
std::vector<double> Numbers(const std::string& text) {
    static const std::regex number(R"(-?\d+(?:\.\d+)?)");
    std::vector<double> numbers;
    for (auto n = std::sregex_iterator(text.begin(), text.end(), number); n != std::sregex_iterator(); ++n)
        numbers.push_back(std::stod(n->str()));
    return numbers;
}

struct RectF {
    double x, y, width, height;
    bool operator==(const RectF&) const = default;
};

bool Contains(const std::vector<RectF>& rects, const RectF& wanted) {
    return std::find(rects.begin(), rects.end(), wanted) != rects.end();
}

bool Inside(const RectF& r, const RECT& box) {
    return r.x >= box.left && r.y >= box.top && r.x + r.width <= box.right && r.y + r.height <= box.bottom;
}

std::string Colour(int32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
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
    const std::vector<SvgElement> svg =
        ParseSvg(MetafileToSvg(chart.metafile.Get(), chart.width, chart.height));
    ASSERT_FALSE(svg.empty());
    EXPECT_EQ("svg", svg[0].name);
    EXPECT_EQ(chart.width, svg[0].Number("width"));
    EXPECT_EQ(chart.height, svg[0].Number("height"));
    auto rects = [&](const std::string& attribute, const std::string& colour) {
        std::vector<RectF> found;
        for (const SvgElement& e : svg)
            if (e.name == "rect" && e.Attribute(attribute) == colour)
                found.push_back({e.Number("x"), e.Number("y"), e.Number("width"), e.Number("height")});
        return found;
    };
    // A one-pixel outline runs through the centres of the box's edge pixels.
    auto outline = [](const RECT& box) {
        return RectF{box.left + 0.5, box.top + 0.5, box.right - box.left - 1.0, box.bottom - box.top - 1.0};
    };
    const std::vector<RectF> black = rects("stroke", "#000000");
    for (auto [column, row] : {std::pair{0, 0}, {1, 0}, {2, 0}, {1, 1}})
        EXPECT_TRUE(Contains(black, outline(SampleBox(column, row)))) << column << "," << row;
    const RECT first = SampleBox(0, 0);
    for (const RectF& fill : rects("fill", Colour(doc->cellGrid(0, 0).backColor)))
        EXPECT_TRUE(Inside(fill, first)) << "the first box's fill stays inside it";
    EXPECT_FALSE(rects("fill", Colour(doc->cellGrid(0, 0).backColor)).empty());
    EXPECT_TRUE(Contains(rects("stroke", Colour(doc->lineColor)), outline(SampleBox(2, 1))))
        << "the marked cell keeps its grid outline";
    const RECT guide = SampleBox(0, 1);
    for (const SvgElement& e : svg)
        if (e.name == "rect")
            EXPECT_FALSE(Inside({e.Number("x"), e.Number("y"), e.Number("width"), e.Number("height")}, guide))
                << "the guide cell is left out";
    // Its connector is not: a line across the middle of the cell, through the centres of its pixels.
    const double middle = guide.top + kSampleCellHeight / 2 + 0.5;
    bool connector = false;
    for (const SvgElement& e : svg)
        if (e.name == "path" && e.Attribute("fill") == "none") {
            const std::vector<double> d = Numbers(e.Attribute("d"));
            connector |= d.size() == 4 && d[1] == middle && d[3] == middle &&
                         std::min(d[0], d[2]) <= guide.left && std::max(d[0], d[2]) >= guide.right - 1;
        }
    EXPECT_TRUE(connector);

    // Each text in its box, in its cell's colour and style; the turned one turned a quarter.
    const std::pair<int, int> textBoxes[] = {{0, 0}, {1, 0}, {2, 0}};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const CellRecord& cell = doc->cellGrid(textBoxes[k].first, textBoxes[k].second);
        const RECT box = SampleBox(textBoxes[k].first, textBoxes[k].second);
        const SvgElement* text = nullptr;
        for (const SvgElement& e : svg)
            if (e.name == "text" && e.text == Utf8(kSampleTexts[k])) text = &e;
        ASSERT_TRUE(text);
        EXPECT_EQ(Colour(cell.fontColor), text->Attribute("fill"));
        EXPECT_EQ(cell.bold != 0, text->Attribute("font-weight") == "700");
        EXPECT_EQ(cell.italic != 0, text->Attribute("font-style") == "italic");
        EXPECT_EQ(cell.underline != 0, text->Attribute("text-decoration") == "underline");
        EXPECT_NE(std::string::npos, text->Attribute("font-family").find(std::string(cell.fontName)));
        const std::vector<double> turn = Numbers(text->Attribute("transform"));
        const bool turned = !turn.empty();
        EXPECT_EQ(cell.alignment == 135 || cell.alignment == 136, turned);
        if (turned) EXPECT_EQ(90, turn[0]);
        const double x = Numbers(text->Attribute("x")).at(0), y = text->Number("y");
        // Turned, the text runs down from its turning point, which lies in the box.
        EXPECT_TRUE(x >= box.left && x < box.right && y >= box.top && y < box.bottom) << x << "," << y;
    }

    // The picture fills the box inside its outline, as a PNG.
    const RECT pictureBox = SampleBox(1, 1);
    int pictures = 0;
    for (const SvgElement& e : svg)
        if (e.name == "image") {
            ++pictures;
            EXPECT_EQ(pictureBox.left + 1, e.Number("x"));
            EXPECT_EQ(pictureBox.top + 1, e.Number("y"));
            EXPECT_EQ(kSampleCellWidth - 2, e.Number("width"));
            EXPECT_EQ(kSampleCellHeight - 2, e.Number("height"));
            EXPECT_EQ(0u, e.Attribute("xlink:href").find("data:image/png;base64,iVBORw0KGgo"));
        }
    EXPECT_EQ(1, pictures);
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
