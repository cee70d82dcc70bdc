// Reads the clipboard as a word processor would and reports what it found, one fact a line:
// the formats in order, the enhanced metafile's frame and its rectangle, line and text records
// (with the texts), the PNG's signature and size, the DIB's size and depth. Exit code 1 when
// any of the three forms is missing or unreadable. "ClipboardReport /put TEXT" puts a text on the
// clipboard instead, to see whether another program leaves it there.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::string FormatName(UINT format) {
    switch (format) {
    case CF_ENHMETAFILE:
        return "CF_ENHMETAFILE";
    case CF_DIB:
        return "CF_DIB";
    case CF_BITMAP:
        return "CF_BITMAP";
    case CF_METAFILEPICT:
        return "CF_METAFILEPICT";
    case CF_DIBV5:
        return "CF_DIBV5";
    default:
        break;
    }
    wchar_t name[128] = {};
    if (GetClipboardFormatNameW(format, name, 128) > 0) return Utf8(name);
    return std::to_string(format);
}

bool ReportMetafile() {
    HENHMETAFILE metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    if (!metafile) return false;
    UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    std::vector<uint8_t> bytes(size);
    if (size < sizeof(ENHMETAHEADER) || GetEnhMetaFileBits(metafile, size, bytes.data()) != size)
        return false;
    ENHMETAHEADER header;
    std::memcpy(&header, bytes.data(), sizeof header);
    std::printf("frame %ld %ld %ld %ld\n", header.rclFrame.left, header.rclFrame.top, header.rclFrame.right,
                header.rclFrame.bottom);
    std::printf("reference %ld %ld mm %ld %ld pixels\n", header.szlMillimeters.cx, header.szlMillimeters.cy,
                header.szlDevice.cx, header.szlDevice.cy);
    int rectangles = 0, lines = 0, texts = 0;
    for (size_t at = 0; at + 8 <= bytes.size();) {
        EMR record;
        std::memcpy(&record, bytes.data() + at, sizeof record);
        if (record.nSize < 8 || record.nSize > bytes.size() - at) break;
        if (record.iType == EMR_RECTANGLE) ++rectangles;
        if (record.iType == EMR_LINETO || record.iType == EMR_POLYLINE16 || record.iType == EMR_POLYLINE)
            ++lines;
        if (record.iType == EMR_EXTTEXTOUTW && record.nSize >= sizeof(EMREXTTEXTOUTW)) {
            EMREXTTEXTOUTW text;
            std::memcpy(&text, bytes.data() + at, sizeof text);
            const size_t chars = text.emrtext.nChars;
            if (chars > 0 && text.emrtext.offString + chars * 2 <= record.nSize) {
                ++texts;
                std::wstring value(chars, L'\0');
                std::memcpy(value.data(), bytes.data() + at + text.emrtext.offString, chars * 2);
                std::printf("text %s\n", Utf8(value).c_str());
            }
        }
        at += record.nSize;
    }
    std::printf("records rectangles %d lines %d texts %d\n", rectangles, lines, texts);
    return rectangles > 0 && texts > 0;
}

bool ReportPng() {
    HGLOBAL memory = GetClipboardData(RegisterClipboardFormatW(L"PNG"));
    if (!memory) return false;
    const auto* png = static_cast<const uint8_t*>(GlobalLock(memory));
    const size_t size = GlobalSize(memory);
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    bool ok =
        png && size >= 24 && std::memcmp(png, kSignature, 8) == 0 && std::memcmp(png + 12, "IHDR", 4) == 0;
    if (ok) {
        auto be = [&](size_t at) {
            return uint32_t(png[at]) << 24 | uint32_t(png[at + 1]) << 16 | uint32_t(png[at + 2]) << 8 |
                   png[at + 3];
        };
        std::printf("png %u %u\n", be(16), be(20));
    }
    if (png) GlobalUnlock(memory);
    return ok;
}

bool ReportDib() {
    HGLOBAL memory = GetClipboardData(CF_DIB);
    if (!memory) return false;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(memory));
    if (!header) return false;
    std::printf("dib %ld %ld %u %lu\n", header->biWidth, header->biHeight, header->biBitCount,
                static_cast<unsigned long>(GlobalSize(memory)));
    GlobalUnlock(memory);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"/put") {
        const std::wstring text = argv[2];
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        if (!memory || !OpenClipboard(nullptr)) return 1;
        std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        EmptyClipboard();
        const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        CloseClipboard();
        return put ? 0 : 1;
    }
    if (!OpenClipboard(nullptr)) {
        std::printf("clipboard not opened\n");
        return 1;
    }
    std::string formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        formats += (formats.empty() ? "" : " ") + FormatName(format);
    std::printf("formats %s\n", formats.c_str());
    const bool metafile = ReportMetafile();
    const bool png = ReportPng();
    const bool dib = ReportDib();
    CloseClipboard();
    return metafile && png && dib ? 0 : 1;
}
