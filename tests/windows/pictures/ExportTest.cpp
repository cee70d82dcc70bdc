// The cut exports: the picture cut to the table, the BMP file byte by byte, the encoder by
// extension, the messages, a failed export leaving an existing file alone, and the screen drawn
// again afterwards.
#include "PictureTestFiles.h"
#include "WinTestSupport.h"

#include "app/state/App.h"
#include "ui/FileDialogs.h"
#include "document/Structure.h"
#include "app/commands/CutExports.h"
#include "render/CutChart.h"
#include "app/commands/Print.h"
#include "interaction/Redraw.h"
#include "interaction/Canvas.h"
#include "render/Export.h"
#include "render/Pictures.h"
#include "render/Renderer.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kBackground = RGB(20, 160, 60); // favourite background, unlike any cell colour
constexpr COLORREF kGridLine = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhiteFill = RGB(255, 255, 255);
constexpr COLORREF kYellowMark = RGB(255, 255, 0);
constexpr COLORREF kDarkBlueMark = RGB(0, 0, 0x8B);

// The example table: two columns 100 wide, one row 50 high, separation 1, thickness 1, with the
// cells of a fresh grid starting at (2, 2).
void MakeExampleTable(App& app, int32_t thickness = 1) {
    Document& doc = app.doc;
    doc.cellWidth = 100;
    doc.cellHeight = 50;
    doc.separation = 1;
    doc.lineThickness = thickness;
    doc.lineColor = kGridLine;
    doc.paperColor = kWhite;
    doc.tableColumns = 2;
    doc.tableRows = 1;
    doc.tablePresent = true;
    BuildNewTable(doc, 2, 1, 2, 2, kGridLine);
}

struct ExportFixture : testing::Test {
    App app;
    TempFolder folder;
    void SetUp() override {
        CreatePictures(app.render);
        app.shell.languageIndex = 5;
        app.shell.favouriteBackground = kBackground;
        MakeExampleTable(app);
    }
};

// Pixel (x, y) of a 24-bit bottom-up BMP file as 0x00BBGGRR.
COLORREF BmpPixel(const std::vector<uint8_t>& file, int x, int y) {
    int32_t width = static_cast<int32_t>(file[18] | file[19] << 8 | file[20] << 16 | file[21] << 24);
    int32_t height = static_cast<int32_t>(file[22] | file[23] << 8 | file[24] << 16 | file[25] << 24);
    size_t rowSize = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    const uint8_t* p =
        file.data() + 54 + static_cast<size_t>(height - 1 - y) * rowSize + 3 * static_cast<size_t>(x);
    return RGB(p[2], p[1], p[0]);
}

uint32_t Field32(const std::vector<uint8_t>& file, size_t at) {
    return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | static_cast<uint32_t>(file[at + 3]) << 24;
}

// Width and height of an image file as GDI+ reads it.
SIZE ImageSize(const std::wstring& path) {
    Gdiplus::GpImage* image = nullptr;
    SIZE size{0, 0};
    if (Gdiplus::DllExports::GdipLoadImageFromFile(path.c_str(), &image) != Gdiplus::Ok) return size;
    UINT w = 0, h = 0;
    Gdiplus::DllExports::GdipGetImageWidth(image, &w);
    Gdiplus::DllExports::GdipGetImageHeight(image, &h);
    Gdiplus::DllExports::GdipDisposeImage(image);
    return SIZE{static_cast<LONG>(w), static_cast<LONG>(h)};
}

// Pixel (x, y) of an image file as GDI+ reads it, as 0x00BBGGRR.
COLORREF ImagePixel(const std::wstring& path, int x, int y) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok)
        return CLR_INVALID;
    Gdiplus::ARGB argb = 0;
    Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, x, y, &argb);
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

} // namespace

TEST_F(ExportFixture, BitmapOfTheExampleTableIsCutToItsExtent) {
    app.doc.cellGrid(0, 0).isBox = 1;
    app.doc.cellGrid(1, 0).isBox = 1;
    std::wstring path = folder.Path(L"cut.bmp");
    MessageBoxRecorder boxes;
    ASSERT_TRUE(ExportCutBitmapTo(app, path));

    std::vector<uint8_t> file = ReadBytes(path);
    // 201 pixels of 3 bytes are 603, padded to 604 per row.
    ASSERT_EQ(54u + 604u * 50u, file.size());
    EXPECT_EQ('B', file[0]);
    EXPECT_EQ('M', file[1]);
    EXPECT_EQ(file.size(), Field32(file, 2));
    EXPECT_EQ(0u, Field32(file, 6));
    EXPECT_EQ(54u, Field32(file, 10));
    EXPECT_EQ(40u, Field32(file, 14));
    EXPECT_EQ(201u, Field32(file, 18));
    EXPECT_EQ(50u, Field32(file, 22));
    EXPECT_EQ(1, file[26] | file[27] << 8);
    EXPECT_EQ(24, file[28] | file[29] << 8);
    for (size_t at = 30; at < 54; ++at)
        EXPECT_EQ(0, file[at]) << "header byte " << at;
    for (size_t row = 0; row < 50; ++row)
        EXPECT_EQ(0, file[54 + row * 604 + 603]) << "padding of row " << row;

    // The first box's outline lies in column 0 and row 0; the second box ends in the last column.
    for (int y = 0; y < 50; ++y)
        EXPECT_EQ(kBlack, BmpPixel(file, 0, y)) << y;
    for (int x = 0; x < 100; ++x)
        EXPECT_EQ(kBlack, BmpPixel(file, x, 0)) << x;
    EXPECT_EQ(kBlack, BmpPixel(file, 99, 25));
    EXPECT_EQ(kBlack, BmpPixel(file, 49, 49));
    EXPECT_EQ(kWhiteFill, BmpPixel(file, 50, 25));
    EXPECT_EQ(kBackground, BmpPixel(file, 100, 25)); // the separation between the boxes
    EXPECT_EQ(kBlack, BmpPixel(file, 101, 25));
    EXPECT_EQ(kBlack, BmpPixel(file, 200, 25));
    EXPECT_EQ(kWhiteFill, BmpPixel(file, 150, 25));

    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(Tr(app, MessageTable::CutBitmapExported), boxes.Shown()[0].text);
    EXPECT_EQ(L"Exported to cut bitmap ..", boxes.Shown()[0].text);
    EXPECT_EQ(Tr(app, MessageTable::Caption), boxes.Shown()[0].caption);
}

TEST_F(ExportFixture, GuideCellsLeaveTheBackgroundButKeepTheirConnectors) {
    // Cell 0 stays a guide cell with a horizontal connector across its middle; cell 1 is a box.
    CellRecord& guide = app.doc.cellGrid(0, 0);
    guide.hLineOn = 1;
    guide.hLineX1 = guide.left;
    guide.hLineY1 = guide.top + 25;
    guide.hLineX2 = guide.right;
    guide.hLineY2 = guide.top + 25;
    app.doc.cellGrid(1, 0).isBox = 1;
    std::wstring path = folder.Path(L"guides.bmp");
    MessageBoxRecorder boxes;
    ASSERT_TRUE(ExportCutBitmapTo(app, path));
    std::vector<uint8_t> file = ReadBytes(path);
    ASSERT_EQ(54u + 604u * 50u, file.size());

    // No fill and no outline for the guide cell: the background shows, except on the connector.
    EXPECT_EQ(kBackground, BmpPixel(file, 0, 5));
    EXPECT_EQ(kBackground, BmpPixel(file, 50, 5));
    EXPECT_EQ(kBackground, BmpPixel(file, 50, 45));
    int connector = 0;
    for (int x = 0; x < 100; ++x)
        connector += BmpPixel(file, x, 25) == kBlack;
    EXPECT_GE(connector, 95);
    EXPECT_EQ(kWhiteFill, BmpPixel(file, 150, 25));
}

TEST_F(ExportFixture, MarkedAndSelectedCellsKeepTheirColours) {
    app.doc.cellGrid(0, 0).marked = 1;
    CellRecord& box = app.doc.cellGrid(1, 0);
    box.isBox = 1;
    box.selected = 1;
    std::wstring path = folder.Path(L"marks.bmp");
    MessageBoxRecorder boxes;
    ASSERT_TRUE(ExportCutBitmapTo(app, path));
    std::vector<uint8_t> file = ReadBytes(path);
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(kYellowMark, BmpPixel(file, 50, 25));
    EXPECT_EQ(kGridLine, BmpPixel(file, 0, 25));
    EXPECT_EQ(kDarkBlueMark, BmpPixel(file, 150, 25));
}

TEST_F(ExportFixture, JpegPromptWritesTheFormatOfTheExtension) {
    app.doc.cellGrid(0, 0).isBox = 1;
    app.doc.cellGrid(1, 0).isBox = 1;
    MessageBoxRecorder boxes;
    std::wstring png = folder.Path(L"chart.png");
    std::wstring jpg = folder.Path(L"chart.jpg");
    ASSERT_TRUE(ExportCutJpegTo(app, png));
    ASSERT_TRUE(ExportCutJpegTo(app, jpg));
    EXPECT_TRUE(FileHasFormat(png, Gdiplus::ImageFormatPNG));
    EXPECT_TRUE(FileHasFormat(jpg, Gdiplus::ImageFormatJPEG));
    SIZE size = ImageSize(png);
    EXPECT_EQ(201, size.cx);
    EXPECT_EQ(50, size.cy);
    size = ImageSize(jpg);
    EXPECT_EQ(201, size.cx);
    EXPECT_EQ(50, size.cy);

    ASSERT_EQ(2u, boxes.Shown().size());
    for (const ShownMessage& shown : boxes.Shown()) {
        EXPECT_EQ(Tr(app, MessageTable::CutJpegExported), shown.text);
        EXPECT_EQ(L"Exported to JPEG cut", shown.text);
    }
}

TEST_F(ExportFixture, FileNotWrittenIsSaidSoAndAnExistingFileIsKept) {
    app.doc.cellGrid(0, 0).isBox = 1;
    std::wstring unknown = folder.Path(L"chart.jpeg"); // an extension no encoder is chosen for
    std::wstring locked = folder.Path(L"locked.bmp");
    std::wstring nowhere = folder.Path(L"no such folder\\chart.bmp");
    ASSERT_TRUE(WriteBytes(unknown, "earlier export"));
    ASSERT_TRUE(WriteBytes(locked, "earlier bitmap"));
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    MessageBoxRecorder boxes;

    EXPECT_FALSE(ExportCutJpegTo(app, unknown));
    EXPECT_FALSE(ExportCutBitmapTo(app, locked));
    EXPECT_FALSE(ExportCutBitmapTo(app, nowhere));

    EXPECT_EQ(14u, ReadBytes(unknown).size());
    EXPECT_EQ(14u, ReadBytes(locked).size());
    ASSERT_EQ(3u, boxes.Shown().size());
    const std::wstring notWritten = Tr(app, MessageTable::ExportNotWritten);
    EXPECT_EQ(L"The file was not written :", notWritten);
    EXPECT_EQ(notWritten + L"\r\n" + unknown, boxes.Shown()[0].text);
    EXPECT_EQ(notWritten + L"\r\n" + locked, boxes.Shown()[1].text);
    EXPECT_EQ(notWritten + L"\r\n" + nowhere, boxes.Shown()[2].text);
    EXPECT_EQ(Tr(app, MessageTable::Caption), boxes.Shown()[0].caption);

    app.shell.languageIndex = 1; // in the current language
    EXPECT_FALSE(ExportCutJpegTo(app, unknown));
    ASSERT_EQ(4u, boxes.Shown().size());
    EXPECT_EQ(L"El fichero no se ha escrito :\r\n" + unknown, boxes.Shown()[3].text);
}

// Every way the cut chart leaves the program draws it apart from the screen: afterwards the table
// picture is what it was, and a scroll shows what a whole redraw shows.
TEST_F(ExportFixture, EveryWayOutLeavesTheCanvasAsAWholeRedrawDrawsIt) {
    CellRecord& box = app.doc.cellGrid(1, 0); // cell 0 stays a guide cell
    box.isBox = 1;
    AssignField(box.text, u"Ventas");
    app.canvas.viewOffsetX = -30;
    app.canvas.viewOffsetY = -40;
    auto table = [&] {
        return ReadPixels(app.render.tablePicture.Dc(), kTablePictureSize, kTablePictureSize);
    };
    auto view = [&] {
        ComposeViewsIfBehind(app);
        return ReadPixels(app.render.viewPicture.Dc(), kTablePictureSize, kTablePictureSize);
    };
    // Printing is cancelled in its dialog, or told that there is no printer.
    DialogAnswerer cancel([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"copy as picture", [&] { CopyChartAsPicture(app); }},
        {"print", [&] { PrintChart(app); }},
        {"vector picture", [&] { ExportVectorPictureTo(app, folder.Path(L"cut.emf")); }},
        {"bitmap", [&] { ExportCutBitmapTo(app, folder.Path(L"cut.bmp")); }},
        {"encoded picture", [&] { ExportCutJpegTo(app, folder.Path(L"cut.png")); }},
        {"unwritable picture", [&] { ExportCutJpegTo(app, folder.Path(L"cut.xyz")); }},
    };
    MessageBoxRecorder boxes;
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        RedrawCanvas(app);
        const std::vector<uint32_t> before = table();
        way();
        EXPECT_EQ(0, app.render.exportMode);
        EXPECT_TRUE(before == table());

        app.canvas.viewOffsetY -= 20; // a wheel notch
        ScrollTableView(app);
        const std::vector<uint32_t> scrolled = view();
        RedrawCanvas(app, true);
        EXPECT_TRUE(scrolled == view());
    }
}

TEST_F(ExportFixture, ACopyWhileAnotherWindowHoldsTheClipboardIsToldAndLeavesItsContents) {
    app.doc.cellGrid(0, 0).isBox = 1;
    app.shell.languageIndex = 3;
    // Another window holds the clipboard open, a text on it, as a clipboard manager does.
    HWND holder = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(holder);
    ASSERT_TRUE(OpenClipboard(holder));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof L"earlier");
    lstrcpyW(static_cast<wchar_t*>(GlobalLock(text)), L"earlier");
    GlobalUnlock(text);
    SetClipboardData(CF_UNICODETEXT, text);
    MessageBoxRecorder boxes;
    EXPECT_FALSE(CopyChartAsPicture(app));
    CloseClipboard();
    DestroyWindow(holder);
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(Tr(app, MessageTable::VectorPicture, 7), boxes.Shown()[0].text);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE));

    // Once it is let go, the chart goes on the clipboard without a word.
    EXPECT_TRUE(CopyChartAsPicture(app));
    EXPECT_EQ(1u, boxes.Shown().size());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(ExportFixture, ThicknessSetsTheOffsetAndTheExtraSize) {
    app.doc.cellGrid(0, 0).isBox = 1;
    app.doc.cellGrid(1, 0).isBox = 1;
    MessageBoxRecorder boxes;
    // drawnRight = 1 + 202 + offset and drawnBottom = 52 + offset, plus the extra size.
    struct Row {
        int thickness, width, height;
    };
    for (Row row : {Row{2, 202, 51}, Row{3, 203, 52}, Row{4, 204, 53}, Row{5, 205, 54}, Row{0, 201, 50},
                    Row{9, 205, 54}}) {
        app.doc.lineThickness = row.thickness;
        std::wstring path = folder.Path(L"t" + std::to_wstring(row.thickness) + L".bmp");
        ASSERT_TRUE(ExportCutBitmapTo(app, path)) << row.thickness;
        std::vector<uint8_t> file = ReadBytes(path);
        ASSERT_GT(file.size(), 54u) << row.thickness;
        EXPECT_EQ(static_cast<uint32_t>(row.width), Field32(file, 18)) << row.thickness;
        EXPECT_EQ(static_cast<uint32_t>(row.height), Field32(file, 22)) << row.thickness;
        if (row.thickness >= 1 && row.thickness <= 5) {
            // The outline has square corners: the picture's first pixel is its corner, in both exports.
            EXPECT_EQ(kBlack, BmpPixel(file, 0, 0)) << row.thickness;
            std::wstring png = folder.Path(L"t" + std::to_wstring(row.thickness) + L".png");
            ASSERT_TRUE(ExportCutJpegTo(app, png)) << row.thickness;
            EXPECT_EQ(kBlack, ImagePixel(png, 0, 0)) << row.thickness;
        }
        if (row.thickness == 3 || row.thickness == 5) {
            // Odd widths are centred on the box's edge: the outline begins in the first column and row.
            EXPECT_EQ(kBlack, BmpPixel(file, 0, 25)) << row.thickness;
            EXPECT_EQ(kBlack, BmpPixel(file, 50, 0)) << row.thickness;
        }
    }
}

TEST_F(ExportFixture, CommandsAskForTheNameAndDoNothingWhenCancelled) {
    app.doc.cellGrid(0, 0).isBox = 1;
    std::wstring chosen = folder.Path(L"asked.bmp");
    std::vector<bool> saveModes;
    SetFileDialogSeam([&](OPENFILENAMEW& request, bool save) {
        saveModes.push_back(save);
        if (saveModes.size() > 1) return false; // the second dialog is cancelled
        lstrcpynW(request.lpstrFile, chosen.c_str(), static_cast<int>(request.nMaxFile));
        return true;
    });
    MessageBoxRecorder boxes;
    ExportCutBitmap(app);
    EXPECT_EQ(54u + 604u * 50u, ReadBytes(chosen).size());
    ASSERT_EQ(1u, boxes.Shown().size());

    ExportCutJpeg(app); // cancelled: no file, no message
    SetFileDialogSeam({});
    EXPECT_EQ(std::vector<bool>({true, true}), saveModes);
    EXPECT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(0, app.render.exportMode);
}

TEST_F(ExportFixture, BitmapExportAndPicturePromptShareTheirPath) {
    app.doc.cellGrid(0, 0).isBox = 1;
    app.canvas.canvasActive = 1;
    app.shell.leftMouseMode = 3; // insert image
    app.canvas.picturePath = L"C:\\photos\\team.jpg";
    const std::wstring exported = folder.Path(L"cut.bmp");
    std::vector<std::wstring> suggested;
    SetFileDialogSeam([&](OPENFILENAMEW& request, bool save) {
        suggested.push_back(std::wstring(request.lpstrInitialDir ? request.lpstrInitialDir : L"") + L"|" +
                            request.lpstrFile);
        if (!save) return false; // the picture prompt is cancelled
        lstrcpynW(request.lpstrFile, exported.c_str(), static_cast<int>(request.nMaxFile));
        return true;
    });
    MessageBoxRecorder boxes;
    ExportCutBitmap(app);
    OnCanvasLeftDown(app, 10, 10); // the picture prompt, on the box at (0, 0)
    SetFileDialogSeam({});
    EXPECT_EQ(1u, boxes.Shown().size());
    ASSERT_EQ(2u, suggested.size());
    EXPECT_EQ(L"team.jpg", suggested[0].substr(suggested[0].find(L'|') + 1));
    EXPECT_EQ(FolderPart(exported) + L"|cut.bmp", suggested[1]);
}

TEST_F(ExportFixture, VectorExportAsksForTheNameAndSaysWhatBecameOfTheFile) {
    app.doc.cellGrid(0, 0).isBox = 1;
    const std::wstring chosen = folder.Path(L"asked.svg");
    const std::wstring locked = folder.Path(L"locked.emf");
    ASSERT_TRUE(WriteBytes(locked, "earlier picture"));
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    SetFileDialogSeam([&](OPENFILENAMEW& request, bool save) {
        EXPECT_TRUE(save);
        lstrcpynW(request.lpstrFile, chosen.c_str(), static_cast<int>(request.nMaxFile));
        return true;
    });
    MessageBoxRecorder boxes;
    ExportVectorPicture(app);
    SetFileDialogSeam({});
    EXPECT_FALSE(ExportVectorPictureTo(app, locked));
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::vector<uint8_t> svg = ReadBytes(chosen);
    const std::string text(svg.begin(), svg.end());
    // The chart itself, its one box with its outline, and a cell around it.
    const RECT ink = ChartInkExtent(
        app.render, app.doc,
        CutChartLook{app.shell.characterSet, static_cast<COLORREF>(app.shell.favouriteBackground)});
    EXPECT_GE(ink.right - ink.left, app.doc.cellWidth);
    EXPECT_GE(ink.bottom - ink.top, app.doc.cellHeight);
    const int width = ink.right - ink.left + 2 * app.doc.cellWidth;
    const int height = ink.bottom - ink.top + 2 * app.doc.cellHeight;
    EXPECT_NE(std::string::npos,
              text.find("width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\""));
    EXPECT_EQ(0, app.render.exportMode);
    ASSERT_EQ(2u, boxes.Shown().size());
    EXPECT_EQ(L"Exported to vector picture ..", boxes.Shown()[0].text);
    EXPECT_EQ(Tr(app, MessageTable::ExportNotWritten) + L"\r\n" + locked, boxes.Shown()[1].text);
    const std::vector<uint8_t> kept = ReadBytes(locked);
    EXPECT_EQ("earlier picture", std::string(kept.begin(), kept.end()));
}
