// Saving pictures: encoders by MIME type, the BMP file, and the safe replacement of files.
#include "render/PictureFiles.h"

#include "render/BmpWriter.h"
#include "render/Pictures.h"

#include <gdiplus.h>

#include <cwctype>

namespace gp = Gdiplus::DllExports;

namespace {

// GDI+'s quality parameter; its range is 0..100, and 100 is the best.
const GUID kEncoderQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};
constexpr ULONG kExportQuality = 100;

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    ok = FlushFileBuffers(file) && ok;
    return CloseHandle(file) && ok;
}

class BitmapOwner {
  public:
    BitmapOwner() = default;
    ~BitmapOwner() {
        if (bitmap) gp::GdipDisposeImage(bitmap);
    }
    BitmapOwner(const BitmapOwner&) = delete;
    BitmapOwner& operator=(const BitmapOwner&) = delete;
    Gdiplus::GpBitmap* bitmap = nullptr;
};

} // namespace

std::wstring EncoderMimeForPath(const std::wstring& path) {
    size_t dot = path.find_last_of(L'.');
    size_t separator = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (separator != std::wstring::npos && dot < separator)) return {};
    std::wstring extension = Lower(std::wstring_view(path).substr(dot));
    if (extension == L".png") return L"image/png";
    if (extension == L".jpg") return L"image/jpeg";
    if (extension == L".gif") return L"image/gif";
    if (extension == L".tif") return L"image/tiff";
    if (extension == L".bmp") return L"image/bmp";
    return {};
}

std::optional<CLSID> FindEncoderByMime(std::wstring_view mime) {
    UINT count = 0, size = 0;
    if (gp::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || count == 0 || size == 0)
        return std::nullopt;
    std::vector<uint8_t> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (gp::GdipGetImageEncoders(count, size, encoders) != Gdiplus::Ok) return std::nullopt;
    std::wstring wanted = Lower(mime);
    for (UINT i = 0; i < count; ++i)
        if (encoders[i].MimeType && Lower(encoders[i].MimeType) == wanted) return encoders[i].Clsid;
    return std::nullopt;
}

int SavePictureFile(const Picture& picture, const std::wstring& path) {
    if (!picture) return 1;
    std::optional<CLSID> encoder = FindEncoderByMime(EncoderMimeForPath(path));
    if (!encoder) return 1; // an unknown extension writes nothing and touches no file

    std::vector<uint32_t> pixels = ReadPixels(picture.Dc(), picture.Width(), picture.Height());
    if (pixels.empty()) return 1;
    BITMAPINFO info = TopDownPixelsInfo(picture.Width(), picture.Height());
    BitmapOwner image;
    if (gp::GdipCreateBitmapFromGdiDib(&info, pixels.data(), &image.bitmap) != Gdiplus::Ok || !image.bitmap)
        return 1;

    ULONG quality = kExportQuality;
    Gdiplus::EncoderParameters parameters{};
    parameters.Count = 1;
    parameters.Parameter[0].Guid = kEncoderQuality;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].Value = &quality;

    bool written = ReplaceFileWith(path, [&](const std::wstring& temporary) {
        return gp::GdipSaveImageToFile(image.bitmap, temporary.c_str(), &*encoder, &parameters) ==
               Gdiplus::Ok;
    });
    return written ? 0 : 1;
}

bool SaveBmpFile(const Picture& picture, const std::wstring& path) {
    if (!picture) return false;
    std::vector<uint8_t> bytes = EncodeBmp24(picture.Width(), picture.Height(),
                                             ReadPixels(picture.Dc(), picture.Width(), picture.Height()));
    if (bytes.empty()) return false;
    return ReplaceFileWith(path,
                           [&](const std::wstring& temporary) { return WriteWholeFile(temporary, bytes); });
}

bool MayReplace(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true; // a new file
    // Writing over a read-only file in place would fail; replacing it by a move must not succeed
    // where that fails (some file systems allow the move).
    return !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

std::wstring MakeTemporaryBeside(const std::wstring& path) {
    size_t separator = path.find_last_of(L"\\/");
    std::wstring folder = separator == std::wstring::npos ? L"." : path.substr(0, separator + 1);
    if (folder.size() > MAX_PATH - 14) return {}; // GetTempFileNameW's own limit
    wchar_t name[MAX_PATH] = {};
    if (!GetTempFileNameW(folder.c_str(), L"cdx", 0, name)) return {};
    return name;
}

bool CommitTemporary(const std::wstring& temporary, const std::wstring& path, bool complete) {
    if (complete &&
        MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}
