// Pictures and icons as the table shows them: the picture inside the outline by line thickness,
// transparency over the former colour, the placeholders of missing files, undecodable files, and
// a changed file seen at the next redraw.
#include "PictureTestFiles.h"
#include "WinTestSupport.h"

#include "document/Structure.h"
#include "render/Renderer.h"
#include "ui/PictureMessages.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kPaper = RGB(0, 128, 0); // green paper, so that whatever is drawn shows
constexpr COLORREF kGridLine = RGB(0, 0, 160);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kSilverFill = RGB(192, 192, 192);
constexpr COLORREF kRedInk = RGB(255, 0, 0);
constexpr uint32_t kOpaqueRed = 0xFFFF0000;
constexpr uint32_t kOpaqueBlue = 0xFF0000FF;

std::string Narrow(const std::wstring& wide) {
    int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), n, nullptr, nullptr);
    text.resize(static_cast<size_t>(n) - 1);
    return text;
}

// One 50 x 50 box cell at (2, 2) of a 1 x 1 table; drawn with offset (8, 8), its outline runs
// along L = 10, T = 10, R = 60, B = 60.
struct TableFixture : testing::Test {
    Document doc;
    RenderState render;
    Picture target{120, 120};

    void SetUp() override {
        doc.cellWidth = 50;
        doc.cellHeight = 50;
        doc.separation = 1;
        doc.lineThickness = 1;
        doc.lineColor = kGridLine;
        doc.paperColor = kPaper;
        doc.tableColumns = 1;
        doc.tableRows = 1;
        doc.tablePresent = true;
        BuildNewTable(doc, 1, 1, 2, 2, kGridLine);
        Cell().isBox = 1;
    }
    CellRecord& Cell() { return doc.cellGrid(0, 0); }
    void ShowPicture(const std::wstring& path, int32_t formerColour) {
        Cell().backColor = kNoColor;
        AssignField(Cell().imageSpec,
                    (path.empty() ? std::string() : Narrow(path)) + "|" + std::to_string(formerColour));
    }
    void Redraw() {
        FillSolid(target.Dc(), RECT{0, 0, 120, 120}, kPaper);
        DrawTable(render, doc, 0, target.Dc(), 1, 1, 8, 8, kGridLine);
        ReportPictureProblems(render.pictureCache, nullptr);
    }
    HDC Dc() const { return target.Dc(); }
};

} // namespace

TEST_F(TableFixture, PictureIsStretchedInsideTheOutline) {
    TempFolder folder;
    std::wstring png = folder.Path(L"wide.png");
    ASSERT_TRUE(WriteTestImage(png, 400, 100, [](int x, int) { return x < 200 ? kOpaqueRed : kOpaqueBlue; }));
    ShowPicture(png, 0xFFFFFF);
    Redraw();
    // 48 x 48 from (11, 11): the black outline around it, red on the left, blue on the right.
    EXPECT_TRUE(RegionIs(Dc(), RECT{10, 10, 60, 11}, kBlack));
    EXPECT_TRUE(RegionIs(Dc(), RECT{10, 10, 11, 60}, kBlack));
    EXPECT_TRUE(RegionIs(Dc(), RECT{59, 10, 60, 60}, kBlack));
    EXPECT_TRUE(RegionIs(Dc(), RECT{10, 59, 60, 60}, kBlack));
    EXPECT_EQ(0, CountPixels(Dc(), RECT{11, 11, 59, 59}, kPaper));
    EXPECT_EQ(0, CountPixels(Dc(), RECT{11, 11, 59, 59}, kBlack));
    EXPECT_TRUE(RegionIs(Dc(), RECT{13, 13, 32, 57}, kRedInk));
    EXPECT_TRUE(RegionIs(Dc(), RECT{38, 13, 57, 57}, RGB(0, 0, 255)));
}

TEST_F(TableFixture, TransparentAreasShowTheFormerColour) {
    TempFolder folder;
    std::wstring png = folder.Path(L"half.png");
    ASSERT_TRUE(WriteTestImage(png, 40, 40, [](int x, int) { return x < 20 ? kOpaqueBlue : 0x00000000u; }));
    ShowPicture(png, 0x00FFFF); // the cell was yellow before the picture
    Redraw();
    EXPECT_TRUE(RegionIs(Dc(), RECT{13, 13, 30, 57}, RGB(0, 0, 255)));
    EXPECT_TRUE(RegionIs(Dc(), RECT{40, 13, 57, 57}, RGB(255, 255, 0)));
}

TEST_F(TableFixture, ThicknessMovesAndShrinksThePicture) {
    TempFolder folder;
    std::wstring png = folder.Path(L"red.png");
    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueRed; }));
    ShowPicture(png, 0xFFFFFF);
    // Thickness 3: 46 x 46 from (12, 12); thickness 5: 44 x 44 from (13, 13). The last row and
    // column of a stretched image are blended with the fill, so solid red is checked one inside.
    struct Row {
        int thickness, first, size;
    };
    for (Row row : {Row{3, 12, 46}, Row{5, 13, 44}}) {
        doc.lineThickness = row.thickness;
        Redraw();
        int last = row.first + row.size;
        EXPECT_TRUE(RegionIs(Dc(), RECT{row.first + 1, row.first + 1, last - 1, last - 1}, kRedInk))
            << row.thickness;
        EXPECT_EQ(0, CountPixels(Dc(), RECT{row.first, row.first, last, last}, kPaper)) << row.thickness;
    }
    // Thickness 6 leaves no room: the hollow box only, and nothing is said.
    MessageBoxRecorder boxes;
    doc.lineThickness = 6;
    Redraw();
    EXPECT_EQ(0, CountPixels(Dc(), RECT{0, 0, 120, 120}, kRedInk));
    EXPECT_TRUE(RegionIs(Dc(), RECT{20, 20, 50, 50}, kPaper));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(TableFixture, MissingPictureOrNoPathShowsTheCrossHatchedBox) {
    TempFolder folder;
    MessageBoxRecorder boxes;
    for (const std::wstring& path : {folder.Path(L"gone.png"), std::wstring()}) {
        ShowPicture(path, 0xFFFFFF);
        Redraw();
        EXPECT_TRUE(RegionIs(Dc(), RECT{10, 10, 60, 11}, kGridLine));
        EXPECT_TRUE(RegionIs(Dc(), RECT{10, 10, 11, 60}, kGridLine));
        int silver = CountPixels(Dc(), RECT{11, 11, 59, 59}, kSilverFill);
        EXPECT_GT(silver, 48 * 48 / 8);
        EXPECT_EQ(48 * 48, silver + CountPixels(Dc(), RECT{11, 11, 59, 59}, kPaper));
    }
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(TableFixture, UndecodablePictureIsReportedOncePerFileOverAHollowBox) {
    TempFolder folder;
    std::wstring broken = folder.Path(L"broken.jpg");
    ASSERT_TRUE(WriteBytes(broken, std::string(3000, 'j')));
    ShowPicture(broken, 0xFFFFFF);
    MessageBoxRecorder boxes;
    Redraw();
    Redraw();
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(L"[GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] read error on <" + broken + L">",
              boxes.Shown()[0].text);
    EXPECT_TRUE(RegionIs(Dc(), RECT{10, 10, 60, 11}, kBlack));
    EXPECT_TRUE(RegionIs(Dc(), RECT{11, 11, 59, 59}, kPaper));

    ASSERT_TRUE(WriteBytes(broken, std::string(4000, 'k'))); // changed, still unreadable
    Redraw();
    EXPECT_EQ(2u, boxes.Shown().size());
    ForgetToldPictureProblems(render.pictureCache); // as reading a chart does
    Redraw();
    EXPECT_EQ(3u, boxes.Shown().size());
    EXPECT_TRUE(RegionIs(Dc(), RECT{11, 11, 59, 59}, kPaper));
}

TEST_F(TableFixture, ChangedOrDeletedPictureFileIsSeenAtTheNextRedraw) {
    TempFolder folder;
    std::wstring png = folder.Path(L"photo.png");
    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueRed; }));
    ShowPicture(png, 0xFFFFFF);
    Redraw();
    EXPECT_EQ(kRedInk, PixelAt(Dc(), 35, 35));

    ASSERT_TRUE(WriteTestImage(png, 30, 30, [](int, int) { return kOpaqueBlue; }));
    ASSERT_TRUE(ShiftLastWriteTime(png, 5));
    Redraw();
    EXPECT_EQ(RGB(0, 0, 255), PixelAt(Dc(), 35, 35));

    ASSERT_TRUE(DeleteFileW(png.c_str()));
    MessageBoxRecorder boxes;
    Redraw();
    EXPECT_GT(CountPixels(Dc(), RECT{11, 11, 59, 59}, kSilverFill), 0);
    EXPECT_EQ(0, CountPixels(Dc(), RECT{11, 11, 59, 59}, RGB(0, 0, 255)));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(TableFixture, IconIsDrawnOverTheBoxWithItsTransparency) {
    TempFolder folder;
    std::wstring ico = folder.Path(L"half.ico");
    ASSERT_TRUE(WriteTestIcon(ico, 16, [](int x, int) { return x < 8 ? kOpaqueRed : 0x00000000u; }));
    Cell().backColor = 0x00FFFF; // yellow box
    AssignField(Cell().iconPath, Narrow(ico));
    Redraw();
    // 50 x 50 from (11, 11): its left half red, its right half shows the yellow fill.
    EXPECT_TRUE(RegionIs(Dc(), RECT{12, 12, 34, 58}, kRedInk));
    EXPECT_TRUE(RegionIs(Dc(), RECT{38, 12, 58, 58}, RGB(255, 255, 0)));
}

TEST_F(TableFixture, MissingIconShowsTheSilverBox) {
    TempFolder folder;
    Cell().backColor = 0xFFFFFF;
    AssignField(Cell().iconPath, Narrow(folder.Path(L"gone.ico")));
    Redraw();
    // From (11, 11) to (11 + 50 - 1, 11 + 50 - 1), black outline, silver inside.
    EXPECT_TRUE(RegionIs(Dc(), RECT{11, 11, 60, 12}, kBlack));
    EXPECT_TRUE(RegionIs(Dc(), RECT{11, 11, 12, 60}, kBlack));
    EXPECT_TRUE(RegionIs(Dc(), RECT{12, 12, 59, 59}, kSilverFill));
}
