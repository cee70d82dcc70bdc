// Saving pictures: the encoder by extension, the BMP file, and files replaced only when the new
// one is complete.
#include "PictureTestFiles.h"
#include "WinTestSupport.h"

#include "render/BmpWriter.h"
#include "render/PictureFiles.h"
#include "render/Pictures.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

namespace {

Picture TwoColourPicture(int width, int height) {
    Picture picture(width, height);
    FillSolid(picture.Dc(), RECT{0, 0, width / 2, height}, RGB(200, 10, 20));
    FillSolid(picture.Dc(), RECT{width / 2, 0, width, height}, RGB(30, 40, 250));
    return picture;
}

bool OnlyFileInFolderIs(const TempFolder& folder, const std::vector<std::wstring>& names) {
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW data{};
    HANDLE search = FindFirstFileW((folder.Folder() + L"*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names.empty();
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") found.push_back(name);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return found == names;
}

} // namespace

TEST(EncoderChoice, ByTheLastExtensionWithoutRegardToCase) {
    EXPECT_EQ(L"image/png", EncoderMimeForPath(L"C:\\out\\chart.png"));
    EXPECT_EQ(L"image/jpeg", EncoderMimeForPath(L"C:\\out\\chart.JPG"));
    EXPECT_EQ(L"image/gif", EncoderMimeForPath(L"chart.Gif"));
    EXPECT_EQ(L"image/tiff", EncoderMimeForPath(L"C:\\a.b\\chart.tif"));
    EXPECT_EQ(L"image/bmp", EncoderMimeForPath(L"chart.jpg.bmp"));
    EXPECT_EQ(L"", EncoderMimeForPath(L"C:\\out\\chart.jpeg")); // only the names of the list
    EXPECT_EQ(L"", EncoderMimeForPath(L"C:\\out\\chart.tiff"));
    EXPECT_EQ(L"", EncoderMimeForPath(L"C:\\out.png\\chart")); // a dot in a folder is no extension
    EXPECT_EQ(L"", EncoderMimeForPath(L"chart"));
}

TEST(EncoderChoice, FindsInstalledEncodersWithoutRegardToCase) {
    std::optional<CLSID> png = FindEncoderByMime(L"image/png");
    std::optional<CLSID> pngUpper = FindEncoderByMime(L"IMAGE/PNG");
    std::optional<CLSID> jpeg = FindEncoderByMime(L"image/jpeg");
    ASSERT_TRUE(png);
    ASSERT_TRUE(pngUpper);
    ASSERT_TRUE(jpeg);
    EXPECT_TRUE(IsEqualCLSID(*png, *pngUpper));
    EXPECT_FALSE(IsEqualCLSID(*png, *jpeg));
    EXPECT_FALSE(FindEncoderByMime(L"image/x-unknown"));
    EXPECT_FALSE(FindEncoderByMime(L""));
}

TEST(SavePictureFile, WritesTheFormatOfTheExtension) {
    TempFolder folder;
    Picture picture = TwoColourPicture(40, 20);
    std::wstring png = folder.Path(L"chart.png");
    std::wstring jpg = folder.Path(L"chart.JPG");
    EXPECT_EQ(0, SavePictureFile(picture, png));
    EXPECT_EQ(0, SavePictureFile(picture, jpg));
    EXPECT_TRUE(FileHasFormat(png, Gdiplus::ImageFormatPNG));
    EXPECT_TRUE(FileHasFormat(jpg, Gdiplus::ImageFormatJPEG));

    // The PNG holds the picture's pixels exactly.
    Gdiplus::GpImage* image = nullptr;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::DllExports::GdipLoadImageFromFile(png.c_str(), &image));
    Gdiplus::ARGB left = 0, right = 0;
    auto* bitmap = reinterpret_cast<Gdiplus::GpBitmap*>(image);
    Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, 5, 10, &left);
    Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, 35, 10, &right);
    Gdiplus::DllExports::GdipDisposeImage(image);
    EXPECT_EQ(0xFFC80A14u, left);
    EXPECT_EQ(0xFF1E28FAu, right);
    EXPECT_TRUE(OnlyFileInFolderIs(folder, {L"chart.JPG", L"chart.png"}) ||
                OnlyFileInFolderIs(folder, {L"chart.png", L"chart.JPG"}));
}

TEST(SavePictureFile, FailureLeavesAnExistingFileUntouched) {
    TempFolder folder;
    Picture picture = TwoColourPicture(40, 20);

    std::wstring unknown = folder.Path(L"chart.jpeg");
    ASSERT_TRUE(WriteBytes(unknown, "previous content"));
    EXPECT_EQ(1, SavePictureFile(picture, unknown));
    EXPECT_EQ(std::vector<uint8_t>(
                  {'p', 'r', 'e', 'v', 'i', 'o', 'u', 's', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't'}),
              ReadBytes(unknown));

    std::wstring locked = folder.Path(L"locked.png");
    ASSERT_TRUE(WriteBytes(locked, "keep me"));
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(1, SavePictureFile(picture, locked));
    EXPECT_EQ(7u, ReadBytes(locked).size());

    EXPECT_EQ(1, SavePictureFile(picture, folder.Path(L"no such folder\\chart.png")));
    // No temporary file is left behind.
    EXPECT_TRUE(OnlyFileInFolderIs(folder, {L"chart.jpeg", L"locked.png"}) ||
                OnlyFileInFolderIs(folder, {L"locked.png", L"chart.jpeg"}));
}

TEST(SaveBmpFile, WritesThePicturePixelsAndReplacesALongerFile) {
    TempFolder folder;
    std::wstring path = folder.Path(L"cut.bmp");
    ASSERT_TRUE(WriteBytes(path, std::string(100000, 'z')));
    Picture picture = TwoColourPicture(5, 3); // 15 bytes a row, padded to 16
    ASSERT_TRUE(SaveBmpFile(picture, path));
    std::vector<uint8_t> file = ReadBytes(path);
    ASSERT_EQ(54u + 16u * 3u, file.size());
    EXPECT_EQ(EncodeBmp24(5, 3, ReadPixels(picture.Dc(), 5, 3)), file);
    // Bottom row first, blue green red: pixel 0 is the left colour, pixel 4 the right one.
    EXPECT_EQ(20, file[54]);
    EXPECT_EQ(10, file[55]);
    EXPECT_EQ(200, file[56]);
    EXPECT_EQ(250, file[54 + 12]);
    EXPECT_EQ(0, file[54 + 15]); // padding
    EXPECT_TRUE(FileHasFormat(path, Gdiplus::ImageFormatBMP));
}

TEST(ReplaceFileWith, AWriteThatFailsPartWayKeepsThePreviousFile) {
    TempFolder folder;
    std::wstring path = folder.Path(L"chart.bmp");
    ASSERT_TRUE(WriteBytes(path, "old"));
    bool called = false;
    EXPECT_FALSE(ReplaceFileWith(path, [&](const std::wstring& temporary) {
        called = true;
        WriteBytes(temporary, "half of the new");
        return false;
    }));
    EXPECT_TRUE(called);
    EXPECT_EQ(3u, ReadBytes(path).size());
    EXPECT_TRUE(OnlyFileInFolderIs(folder, {L"chart.bmp"}));

    EXPECT_TRUE(
        ReplaceFileWith(path, [](const std::wstring& temporary) { return WriteBytes(temporary, "new!"); }));
    EXPECT_EQ(4u, ReadBytes(path).size());
    EXPECT_TRUE(OnlyFileInFolderIs(folder, {L"chart.bmp"}));
}
