// Test pictures made on the spot.
#include "PictureTestFiles.h"

#include "render/PictureFiles.h"

#include <gdiplus.h>

namespace gp = Gdiplus::DllExports;

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    for (int n = 0;; ++n) {
        std::wstring candidate = std::wstring(base) + L"cuadrix-pictures-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            folder_ = candidate + L"\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

TempFolder::~TempFolder() {
    if (folder_.empty()) return;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder_ + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            SetFileAttributesW((folder_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((folder_ + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder_.c_str());
}

bool WriteTestImage(const std::wstring& path, int width, int height, const ArgbAt& colour,
                    const wchar_t* mime) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = colour(x, y);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                      reinterpret_cast<BYTE*>(pixels.data()), &bitmap) != Gdiplus::Ok)
        return false;
    std::optional<CLSID> encoder = FindEncoderByMime(mime);
    bool ok = encoder && gp::GdipSaveImageToFile(bitmap, path.c_str(), &*encoder, nullptr) == Gdiplus::Ok;
    gp::GdipDisposeImage(bitmap);
    return ok;
}

bool WriteTestIcon(const std::wstring& path, int size, const ArgbAt& colour) {
    std::string bytes;
    auto put16 = [&](uint32_t v) { bytes.push_back(char(v & 0xFF)), bytes.push_back(char((v >> 8) & 0xFF)); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
    uint32_t maskRow = ((size + 31) / 32) * 4;
    uint32_t imageBytes = 40 + size * size * 4 + maskRow * size;
    put16(0), put16(1), put16(1); // icon directory: one image
    bytes.push_back(char(size)), bytes.push_back(char(size)), bytes.push_back(0), bytes.push_back(0);
    put16(1), put16(32), put32(imageBytes), put32(22);
    put32(40), put32(size), put32(2 * size), put16(1), put16(32), put32(0), put32(size * size * 4);
    put32(0), put32(0), put32(0), put32(0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x)
            put32(colour(x, y));
    for (int y = size - 1; y >= 0; --y) {
        std::string row(maskRow, '\0');
        for (int x = 0; x < size; ++x)
            if ((colour(x, y) >> 24) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        bytes += row;
    }
    return WriteBytes(path, bytes);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    return CloseHandle(file) && ok;
}

std::vector<uint8_t> ReadBytes(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    uint8_t chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(file);
    return bytes;
}

bool ShiftLastWriteTime(const std::wstring& path, int seconds) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME written{};
    bool ok = GetFileTime(file, nullptr, nullptr, &written);
    ULARGE_INTEGER t{};
    t.LowPart = written.dwLowDateTime;
    t.HighPart = written.dwHighDateTime;
    t.QuadPart += static_cast<int64_t>(seconds) * 10000000;
    written.dwLowDateTime = t.LowPart;
    written.dwHighDateTime = t.HighPart;
    ok = ok && SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    return ok;
}

bool FileHasFormat(const std::wstring& path, const GUID& format) {
    Gdiplus::GpImage* image = nullptr;
    if (gp::GdipLoadImageFromFile(path.c_str(), &image) != Gdiplus::Ok) return false;
    GUID found{};
    bool ok = gp::GdipGetImageRawFormat(image, &found) == Gdiplus::Ok && IsEqualGUID(found, format);
    gp::GdipDisposeImage(image);
    return ok;
}
