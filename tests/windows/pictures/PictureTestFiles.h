// Test pictures made on the spot: a temporary folder, images written through GDI+ and icon files
// written byte by byte, so the tests need no sample files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its files at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::wstring Path(const std::wstring& name) const { return folder_ + name; }
    const std::wstring& Folder() const { return folder_; }

  private:
    std::wstring folder_; // ends with a backslash
};

// Colour of a test pixel as 0xAARRGGBB.
using ArgbAt = std::function<uint32_t(int x, int y)>;

// Writes an image through the GDI+ encoder of the MIME type ("image/png", "image/jpeg" ...).
bool WriteTestImage(const std::wstring& path, int width, int height, const ArgbAt& colour,
                    const wchar_t* mime = L"image/png");

// Writes a 32-bit icon file of one size; pixels with alpha 0 are transparent.
bool WriteTestIcon(const std::wstring& path, int size, const ArgbAt& colour);

// Writes raw bytes (for files that are not pictures).
bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::vector<uint8_t> ReadBytes(const std::wstring& path);

// Sets a file's last-write time a number of seconds away from its present one.
bool ShiftLastWriteTime(const std::wstring& path, int seconds);

// Image format GDI+ recognises in a file (its raw format GUID), to tell a PNG from a JPEG.
bool FileHasFormat(const std::wstring& path, const GUID& format);
