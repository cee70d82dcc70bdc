// The shared sample chart.
#include "SampleChart.h"

#include "document/Structure.h"
#include "render/PictureFiles.h"

#include <gdiplus.h>

#include <vector>

const wchar_t* const kSampleTexts[3] = {L"Dirección General", L"Ventas & <Marketing>", L"Turned"};

namespace {

void WritePicture(const std::wstring& path) {
    // Four quarters of clear colours, so that a misplaced or turned picture shows.
    std::vector<uint32_t> pixels(16 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels[y * 16 + x] =
                y < 8 ? (x < 8 ? 0xFFFF0000 : 0xFF00A000) : (x < 8 ? 0xFF0000FF : 0xFFFFA000);
    Gdiplus::GpBitmap* bitmap = nullptr;
    Gdiplus::DllExports::GdipCreateBitmapFromScan0(16, 16, 64, PixelFormat32bppARGB,
                                                   reinterpret_cast<BYTE*>(pixels.data()), &bitmap);
    std::optional<CLSID> png = FindEncoderByMime(L"image/png");
    if (bitmap && png) Gdiplus::DllExports::GdipSaveImageToFile(bitmap, path.c_str(), &*png, nullptr);
    if (bitmap) Gdiplus::DllExports::GdipDisposeImage(bitmap);
}

CellRecord& Box(Document& doc, int column, int row, int32_t fill, const char* font, int16_t size,
                int16_t alignment, const wchar_t* text) {
    CellRecord& cell = doc.cellGrid(column, row);
    cell.isBox = 1;
    cell.backColor = fill;
    AssignField(cell.fontName, font);
    cell.fontSize = size;
    cell.alignment = alignment;
    AssignField(cell.text, std::u16string_view(reinterpret_cast<const char16_t*>(text), wcslen(text)));
    return cell;
}

} // namespace

void BuildSampleChart(Document& doc, const std::wstring& picturePath) {
    doc.cellWidth = kSampleCellWidth;
    doc.cellHeight = kSampleCellHeight;
    doc.separation = kSampleSeparation;
    doc.lineThickness = 1;
    doc.lineColor = RGB(128, 128, 128);
    doc.paperColor = kWhite;
    doc.tableColumns = kSampleColumns;
    doc.tableRows = kSampleRows;
    doc.tablePresent = true;
    BuildNewTable(doc, kSampleColumns, kSampleRows, kNewTableOrigin, kNewTableOrigin, RGB(128, 128, 128));

    CellRecord& first = Box(doc, 0, 0, RGB(200, 220, 255), "Arial", 12, 133, kSampleTexts[0]);
    first.bold = 1;
    first.fontColor = RGB(0, 0, 128);
    CellRecord& second = Box(doc, 1, 0, kWhite, "Times New Roman", 11, 131, kSampleTexts[1]);
    second.italic = 1;
    second.underline = 1;
    second.fontColor = RGB(200, 0, 0);
    Box(doc, 2, 0, RGB(255, 240, 200), "Arial", 10, 136, kSampleTexts[2]);

    // A guide cell whose connector runs across its middle: only the line is exported.
    CellRecord& guide = doc.cellGrid(0, 1);
    guide.hLineOn = 1;
    guide.hLineX1 = guide.left;
    guide.hLineY1 = guide.top + kSampleCellHeight / 2;
    guide.hLineX2 = guide.right;
    guide.hLineY2 = guide.hLineY1;

    CellRecord& picture = Box(doc, 1, 1, kNoColor, "Arial", 10, 131, L"");
    WritePicture(picturePath);
    std::string spec;
    for (wchar_t c : picturePath)
        spec += static_cast<char>(c); // the tests' folders have ASCII names
    AssignField(picture.imageSpec, spec + "|16777215");

    doc.cellGrid(2, 1).marked = 1;
}

RECT SampleBox(int column, int row) {
    // The export's offset puts the first outline in column and row 0 for thickness 1.
    const int left = column * (kSampleCellWidth + kSampleSeparation);
    const int top = row * (kSampleCellHeight + kSampleSeparation);
    return RECT{left, top, left + kSampleCellWidth, top + kSampleCellHeight};
}
