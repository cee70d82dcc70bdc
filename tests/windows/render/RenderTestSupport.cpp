// Helpers of the renderer tests.
#include "RenderTestSupport.h"

#include <algorithm>
#include <climits>

int PixelGrid::Count(const RECT& rect, COLORREF colour) const {
    int n = 0;
    for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, height); ++y)
        for (int x = std::max<int>(rect.left, 0); x < std::min<int>(rect.right, width); ++x)
            if (At(x, y) == colour) ++n;
    return n;
}

bool PixelGrid::All(const RECT& rect, COLORREF colour) const {
    return Count(rect, colour) == (rect.right - rect.left) * (rect.bottom - rect.top);
}

RECT PixelGrid::Ink(const RECT& rect, COLORREF background) const {
    RECT ink{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, height); ++y)
        for (int x = std::max<int>(rect.left, 0); x < std::min<int>(rect.right, width); ++x)
            if (At(x, y) != background) {
                ink.left = std::min<int>(ink.left, x);
                ink.top = std::min<int>(ink.top, y);
                ink.right = std::max<int>(ink.right, x + 1);
                ink.bottom = std::max<int>(ink.bottom, y + 1);
            }
    if (ink.left == INT_MAX) return RECT{0, 0, 0, 0};
    return ink;
}

PixelGrid ReadPixels(const Picture& picture) {
    PixelGrid grid;
    grid.width = picture.Width();
    grid.height = picture.Height();
    grid.pixels.resize(static_cast<size_t>(grid.width) * grid.height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = grid.width;
    info.bmiHeader.biHeight = -grid.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Copied through a DIB section: the picture's bitmap stays selected in its own DC.
    void* bits = nullptr;
    BitmapHandle dib(CreateDIBSection(picture.Dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC dc(picture.Dc());
    {
        ScopedSelect select(dc.Get(), dib.Get());
        BitBlt(dc.Get(), 0, 0, grid.width, grid.height, picture.Dc(), 0, 0, SRCCOPY);
        GdiFlush();
        const DWORD* p = static_cast<const DWORD*>(bits);
        for (size_t i = 0; i < grid.pixels.size(); ++i)
            grid.pixels[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF); // BGRA to 0x00BBGGRR
    }
    return grid;
}

HFONT MakeTestFont(const wchar_t* face, int height, int escapement) {
    return CreateFontW(height, 0, escapement, escapement, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, face);
}

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

Document MakeGridDocument(int columns, int rows, int cellSize) {
    Document doc;
    doc.tableColumns = static_cast<int16_t>(columns);
    doc.tableRows = static_cast<int16_t>(rows);
    doc.cellWidth = doc.cellHeight = static_cast<int16_t>(cellSize);
    doc.separation = 1;
    doc.lineThickness = 1;
    doc.lineColor = 0xC0C0C0;
    doc.paperColor = 0xFFFFFF;
    doc.tablePresent = true;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            CellRecord& cell = doc.cellGrid(c, r);
            cell = CellRecord{};
            cell.left = c * cellSize + 2;
            cell.top = r * cellSize + 2;
            cell.right = (c + 1) * cellSize + 2;
            cell.bottom = (r + 1) * cellSize + 2;
            cell.column = static_cast<int16_t>(c);
            cell.row = static_cast<int16_t>(r);
            cell.backColor = 0xFFFFFF;
            AssignField(cell.fontName, "Tahoma");
            cell.fontSize = 10;
            cell.alignment = 131;
            cell.numberFormatType = 6;
            cell.lineThickness = 1;
            cell.separation = 1;
        }
    return doc;
}

CellRecord& MakeBox(Document& doc, int column, int row) {
    CellRecord& cell = doc.cellGrid(column, row);
    cell.isBox = 1;
    return cell;
}

void MergeRight(Document& doc, int column, int row, int count) {
    CellRecord& anchor = doc.cellGrid(column, row);
    anchor.right = doc.cellGrid(column + count - 1, row).right;
    for (int c = column + 1; c < column + count; ++c)
        doc.cellGrid(c, row).covered = 1;
}

void MergeDown(Document& doc, int column, int row, int count) {
    CellRecord& anchor = doc.cellGrid(column, row);
    anchor.bottom = doc.cellGrid(column, row + count - 1).bottom;
    for (int r = row + 1; r < row + count; ++r)
        doc.cellGrid(column, r).covered = 2;
}

bool WriteSolidIcon(const std::wstring& path, COLORREF colour) {
    constexpr int kSize = 16;
    std::vector<unsigned char> bytes;
    auto put16 = [&](unsigned v) {
        bytes.push_back(v & 0xFF);
        bytes.push_back((v >> 8) & 0xFF);
    };
    auto put32 = [&](unsigned v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const unsigned pixelBytes = kSize * kSize * 4, maskBytes = kSize * 4; // mask rows padded to 4 bytes
    const unsigned imageBytes = 40 + pixelBytes + maskBytes;
    put16(0); // icon directory
    put16(1);
    put16(1);
    bytes.push_back(kSize); // directory entry
    bytes.push_back(kSize);
    bytes.push_back(0);
    bytes.push_back(0);
    put16(1);
    put16(32);
    put32(imageBytes);
    put32(6 + 16);
    put32(40); // bitmap header; the height counts the colour and the mask rows
    put32(kSize);
    put32(kSize * 2);
    put16(1);
    put16(32);
    put32(0);
    put32(pixelBytes + maskBytes);
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    for (int i = 0; i < kSize * kSize; ++i) {
        bytes.push_back(GetBValue(colour));
        bytes.push_back(GetGValue(colour));
        bytes.push_back(GetRValue(colour));
        bytes.push_back(0xFF);
    }
    bytes.insert(bytes.end(), maskBytes, 0); // every pixel opaque
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::wstring TemporaryPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"cuadrix-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

std::string AnsiPath(const std::wstring& path) {
    char buffer[MAX_PATH * 2] = {};
    int n = WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), buffer,
                                sizeof buffer - 1, nullptr, nullptr);
    return std::string(buffer, n > 0 ? n : 0);
}
