// The chart book's ZIP archive: the writer lays out local headers, deflated data, the central
// directory and its end record; the reader checks every declared size against the limits and the
// file before it inflates anything, and takes an entry only when it inflates to its size and CRC.
#include "document/ChartBook.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <optional>
#include <string_view>

namespace {

constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr size_t kLocalSize = 30, kCentralSize = 46, kEndSize = 22;
constexpr uint16_t kVersion = 20;      // 2.0: deflate
constexpr uint16_t kUtf8Flag = 0x0800; // names in UTF-8
constexpr uint16_t kEncryptedFlag = 0x0001;
constexpr uint16_t kStored = 0, kDeflated = 8;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

uint32_t Get16(std::span<const uint8_t> bytes, size_t at) {
    return bytes[at] | (uint32_t(bytes[at + 1]) << 8);
}

uint32_t Get32(std::span<const uint8_t> bytes, size_t at) {
    return Get16(bytes, at) | (Get16(bytes, at + 2) << 16);
}

uint32_t Crc(std::span<const uint8_t> bytes) {
    uLong crc = crc32(0, Z_NULL, 0);
    const uint8_t* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const uInt piece = static_cast<uInt>(std::min<size_t>(left, 1u << 30));
        crc = crc32(crc, data, piece);
        data += piece;
        left -= piece;
    }
    return static_cast<uint32_t>(crc);
}

// Inflates exactly `size` bytes from `data`: false when the stream is damaged, ends early, would
// give more, or reaches past its compressed data.
bool Inflate(std::span<const uint8_t> data, std::vector<uint8_t>& out, size_t size) {
    out.assign(size, 0);
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(size);
    int result = inflate(&stream, Z_FINISH);
    if (result == Z_BUF_ERROR && stream.avail_out == 0 && stream.avail_in > 0) {
        // The output is full: the stream must end here, with no byte more.
        uint8_t extra = 0;
        stream.next_out = &extra;
        stream.avail_out = 1;
        result = inflate(&stream, Z_FINISH);
        if (stream.avail_out == 0) result = Z_DATA_ERROR;
    }
    const bool whole = result == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    return whole;
}

bool EndsWithWorkFileExtension(const std::string& name) {
    if (name.size() < 5) return false;
    std::string tail = name.substr(name.size() - 5);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return tail == ".qdrx";
}

struct CentralEntry {
    std::string name;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    uint32_t localOffset = 0;
};

// The end record: the last one whose comment reaches to the end of the file.
std::optional<size_t> FindEndRecord(std::span<const uint8_t> bytes) {
    if (bytes.size() < kEndSize) return std::nullopt;
    const size_t lowest = bytes.size() - kEndSize > 0xFFFF ? bytes.size() - kEndSize - 0xFFFF : 0;
    for (size_t at = bytes.size() - kEndSize + 1; at-- > lowest;)
        if (Get32(bytes, at) == kEndSignature && at + kEndSize + Get16(bytes, at + 20) == bytes.size())
            return at;
    return std::nullopt;
}

BookCheck ReadCentralDirectory(std::span<const uint8_t> bytes, std::vector<CentralEntry>& entries,
                               size_t& directoryStart) {
    const std::optional<size_t> end = FindEndRecord(bytes);
    if (!end) return BookCheck::NotArchive;
    const uint32_t disk = Get16(bytes, *end + 4), directoryDisk = Get16(bytes, *end + 6);
    const uint32_t onDisk = Get16(bytes, *end + 8), count = Get16(bytes, *end + 10);
    const uint32_t directorySize = Get32(bytes, *end + 12), directoryOffset = Get32(bytes, *end + 16);
    if (disk != 0 || directoryDisk != 0 || onDisk != count) return BookCheck::Unsupported;
    if (count == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF)
        return BookCheck::Unsupported; // ZIP64
    if (count == 0) return BookCheck::NoPages;
    if (count > kBookPageLimit) return BookCheck::TooLarge;
    if (uint64_t(directoryOffset) + directorySize > *end) return BookCheck::NotArchive;
    directoryStart = directoryOffset;

    uint64_t total = 0;
    size_t at = directoryOffset;
    const size_t directoryEnd = directoryOffset + size_t(directorySize);
    for (uint32_t i = 0; i < count; ++i) {
        if (directoryEnd - at < kCentralSize || Get32(bytes, at) != kCentralSignature)
            return BookCheck::NotArchive;
        const size_t nameLength = Get16(bytes, at + 28);
        if (nameLength > kBookNameLimit) return BookCheck::TooLarge;
        const size_t recordSize = kCentralSize + nameLength + Get16(bytes, at + 30) + Get16(bytes, at + 32);
        if (directoryEnd - at < recordSize) return BookCheck::NotArchive;
        CentralEntry entry;
        const uint32_t flags = Get16(bytes, at + 8);
        entry.method = static_cast<uint16_t>(Get16(bytes, at + 10));
        entry.crc = Get32(bytes, at + 16);
        entry.compressedSize = Get32(bytes, at + 20);
        entry.size = Get32(bytes, at + 24);
        entry.localOffset = Get32(bytes, at + 42);
        if (Get16(bytes, at + 34) != 0) return BookCheck::Unsupported; // on another disk
        if (flags & kEncryptedFlag) return BookCheck::Unsupported;
        if (entry.method != kStored && entry.method != kDeflated) return BookCheck::Unsupported;
        if (entry.compressedSize == 0xFFFFFFFF || entry.size == 0xFFFFFFFF || entry.localOffset == 0xFFFFFFFF)
            return BookCheck::Unsupported;
        if (entry.size > kBookEntryLimit) return BookCheck::TooLarge;
        total += entry.size;
        if (total > kBookTotalLimit) return BookCheck::TooLarge;
        entry.name.assign(reinterpret_cast<const char*>(bytes.data() + at + kCentralSize), nameLength);
        if (!EndsWithWorkFileExtension(entry.name) || entry.name.find_first_of("/\\") != std::string::npos ||
            entry.name.find('\0') != std::string::npos)
            return BookCheck::NoPages;
        entries.push_back(std::move(entry));
        at += recordSize;
    }
    return BookCheck::Accepted;
}

// The entry's data as the local header places it, inside the part of the file before the directory.
std::optional<std::span<const uint8_t>> EntryData(std::span<const uint8_t> bytes, const CentralEntry& entry,
                                                  size_t directoryStart) {
    const size_t at = entry.localOffset;
    if (at > directoryStart || directoryStart - at < kLocalSize || Get32(bytes, at) != kLocalSignature)
        return std::nullopt;
    const uint64_t start = uint64_t(at) + kLocalSize + Get16(bytes, at + 26) + Get16(bytes, at + 28);
    if (start + entry.compressedSize > directoryStart) return std::nullopt;
    return bytes.subspan(static_cast<size_t>(start), entry.compressedSize);
}

bool NameCharacterAllowed(char32_t c) {
    return c >= 0x20 && c != 0x7F && std::u32string_view(U"\\/:*?\"<>|").find(c) == std::u32string_view::npos;
}

std::u32string Decode(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const uint8_t next = static_cast<uint8_t>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t lowest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
        valid = valid && c >= lowest && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
        out.push_back(valid ? c : 0xFFFD);
        i += valid ? size_t(length) : 1;
    }
    return out;
}

std::string Encode(const std::u32string& text) {
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace

// The fastest level: a page's work file is megabytes of cells repeating a few records, which it
// packs to half as much again in half the time, and a book is written on every record and recovery
// copy. It packs to a small part of its size: the output grows as it comes instead of being laid
// out at the most it could take. Entries are at most 13.7 MB, well within uInt.
std::vector<uint8_t> DeflateFast(std::span<const uint8_t> bytes, bool zlibHeader) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, zlibHeader ? MAX_WBITS : -MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
    std::vector<uint8_t> out(bytes.size() / 32 + 1024);
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    int result = Z_OK;
    while (result == Z_OK) {
        if (stream.total_out == out.size()) out.resize(out.size() * 2);
        stream.next_out = out.data() + stream.total_out;
        stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
        result = deflate(&stream, Z_FINISH);
    }
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::bad_alloc();
    return out;
}

std::vector<uint8_t> EncodeChartBook(std::span<const BookEntry> entries, uint32_t dosTime) {
    return EncodeChartBook(
        entries.size(), [&](size_t i) { return entries[i]; }, dosTime);
}

std::vector<uint8_t> EncodeChartBook(size_t count, const std::function<BookEntry(size_t)>& entryAt,
                                     uint32_t dosTime) {
    if (count == 0 || count > kBookPageLimit) return {};
    std::vector<uint8_t> out, directory;
    uint64_t total = 0;
    for (size_t i = 0; i < count; ++i) {
        const BookEntry entry = entryAt(i);
        total += entry.bytes.size();
        if (entry.bytes.size() > kBookEntryLimit || total > kBookTotalLimit ||
            entry.name.size() > kBookNameLimit)
            return {};
        const uint32_t offset = static_cast<uint32_t>(out.size());
        const std::vector<uint8_t> data = DeflateFast(entry.bytes, false);
        if (uint64_t(out.size()) + kLocalSize + entry.name.size() + data.size() + directory.size() +
                kCentralSize + entry.name.size() + kEndSize >
            kBookFileLimit)
            return {};
        const uint32_t crc = Crc(entry.bytes);
        auto common = [&](std::vector<uint8_t>& to) {
            Put16(to, kVersion);
            Put16(to, kUtf8Flag);
            Put16(to, kDeflated);
            Put32(to, dosTime);
            Put32(to, crc);
            Put32(to, static_cast<uint32_t>(data.size()));
            Put32(to, static_cast<uint32_t>(entry.bytes.size()));
            Put16(to, static_cast<uint32_t>(entry.name.size()));
            Put16(to, 0); // no extra field
        };
        Put32(out, kLocalSignature);
        common(out);
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        out.insert(out.end(), data.begin(), data.end());

        Put32(directory, kCentralSignature);
        Put16(directory, kVersion); // made by: MS-DOS, 2.0
        common(directory);
        Put16(directory, 0); // comment
        Put16(directory, 0); // disk
        Put16(directory, 0); // internal attributes
        Put32(directory, 0); // external attributes
        Put32(directory, offset);
        directory.insert(directory.end(), entry.name.begin(), entry.name.end());
    }
    const uint32_t directoryOffset = static_cast<uint32_t>(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    Put32(out, kEndSignature);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(count));
    Put16(out, static_cast<uint32_t>(count));
    Put32(out, static_cast<uint32_t>(directory.size()));
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

BookCheck DecodeChartBook(std::span<const uint8_t> bytes, std::vector<BookEntry>& entries) {
    std::vector<BookEntry> read;
    const BookCheck check = ReadChartBook(bytes, [&](BookEntry& entry) {
        read.push_back(std::move(entry));
        return true;
    });
    if (check == BookCheck::Accepted) entries = std::move(read);
    return check;
}

BookCheck ReadChartBook(std::span<const uint8_t> bytes, const std::function<bool(BookEntry&)>& take) {
    std::vector<CentralEntry> directory;
    size_t directoryStart = 0;
    if (BookCheck check = ReadCentralDirectory(bytes, directory, directoryStart);
        check != BookCheck::Accepted)
        return check;
    for (const CentralEntry& entry : directory) {
        const std::optional<std::span<const uint8_t>> data = EntryData(bytes, entry, directoryStart);
        if (!data) return BookCheck::NotArchive;
        BookEntry page{entry.name, {}};
        if (entry.method == kStored) {
            if (entry.compressedSize != entry.size) return BookCheck::Damaged;
            page.bytes.assign(data->begin(), data->end());
        } else if (!Inflate(*data, page.bytes, entry.size)) {
            return BookCheck::Damaged;
        }
        if (Crc(page.bytes) != entry.crc) return BookCheck::Damaged;
        if (!take(page)) return BookCheck::NoPages;
    }
    return BookCheck::Accepted;
}

std::string BookEntryName(size_t index, size_t count, const std::string& pageName) {
    std::string number = std::to_string(index + 1);
    const size_t digits = std::max<size_t>(2, std::to_string(count).size());
    if (number.size() < digits) number.insert(0, digits - number.size(), '0');
    std::u32string name = Decode(pageName);
    for (char32_t& c : name)
        if (!NameCharacterAllowed(c)) c = U'_';
    std::string encoded = Encode(name);
    const size_t room = kBookNameLimit - number.size() - 1 - 5;
    if (encoded.size() > room) {
        size_t cut = room;
        while (cut > 0 && (uint8_t(encoded[cut]) & 0xC0) == 0x80)
            --cut;
        encoded.resize(cut);
    }
    return number + " " + encoded + ".qdrx";
}

std::string PageNameOfEntry(const std::string& entryName) {
    std::string name = entryName;
    if (EndsWithWorkFileExtension(name)) name.resize(name.size() - 5);
    size_t digits = 0;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9')
        ++digits;
    if (digits > 0 && digits < name.size() && name[digits] == ' ') name.erase(0, digits + 1);
    return name;
}

std::string ToUtf8(const std::wstring& text) {
    std::u32string points;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
                ++i;
            }
        }
        if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) c = 0xFFFD;
        points.push_back(c);
    }
    return Encode(points);
}

std::wstring FromUtf8(const std::string& text) {
    std::wstring out;
    for (char32_t c : Decode(text)) {
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            out.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(c));
        }
    }
    return out;
}
