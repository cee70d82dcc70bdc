// Chart books in bytes: a ZIP archive (deflate, CRC-32) whose entries are work files, one per page
// in page order, named "01 Page name.qdrx" in UTF-8, so that any ZIP tool opens it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// A book holds at most 999 pages, each a work file of at most 101 x 101 records, and at most
// 2 GB of them in all (some 150 of the largest pages): an archive that declares more is refused
// before anything is inflated. Pages are read and written one at a time, so a book never needs
// them all in memory at once. The archive itself is at most 256 MB. The writer holds to the same
// limits, so that every book written reads back.
constexpr size_t kBookPageLimit = 999;
constexpr uint64_t kBookEntryLimit = 101ull * 101ull * 1345ull;
constexpr uint64_t kBookTotalLimit = 2048ull << 20;
constexpr uint64_t kBookFileLimit = 256ull << 20;
// Entry names are cut to this many bytes (a ZIP name field holds 65,535), at a character's start.
constexpr size_t kBookNameLimit = 255;

struct BookEntry {
    std::string name;           // the entry's name in the archive, UTF-8
    std::vector<uint8_t> bytes; // the work file
};

// The archive of the entries in their order, each deflated. `dosTime` is the modification time
// every entry carries (MS-DOS date in the high 16 bits, time in the low 16). Empty when the book
// would pass a limit the reader holds to (pages, an entry's size, all pages' size, the archive's
// size, a name longer than kBookNameLimit): nothing is written that could not be read back.
std::vector<uint8_t> EncodeChartBook(std::span<const BookEntry> entries, uint32_t dosTime = 0x00210000);
// The same for `count` entries made one at a time by `entryAt(i)`, each let go once deflated.
std::vector<uint8_t> EncodeChartBook(size_t count, const std::function<BookEntry(size_t)>& entryAt,
                                     uint32_t dosTime = 0x00210000);

// The bytes deflated at the fastest level: raw, as ZIP wants them, or with zlib's header and
// checksum, as zlib's uncompress reads them.
std::vector<uint8_t> DeflateFast(std::span<const uint8_t> bytes, bool zlibHeader);

enum class BookCheck {
    Accepted,
    NotArchive,  // no end record, or records that do not hold together
    Unsupported, // encrypted, split, ZIP64 or a method other than stored or deflate
    TooLarge,    // more pages or bytes than the limits allow, or a longer name
    Damaged,     // an entry does not inflate to its declared size and CRC
    NoPages,     // no entry, or an entry that is not a ".qdrx" work file at the top level
};

// Reads every entry of the archive, in the order of its central directory. All or nothing: on any
// refusal `entries` is left as it was.
BookCheck DecodeChartBook(std::span<const uint8_t> bytes, std::vector<BookEntry>& entries);
// The same one entry at a time: once the directory is found sound, each entry is inflated, checked
// and handed to `take` (which may move its bytes away) before the next is inflated. When `take`
// answers false, reading stops with NoPages.
BookCheck ReadChartBook(std::span<const uint8_t> bytes, const std::function<bool(BookEntry&)>& take);

// "01 Name.qdrx" for page `index` (from 0) of `count`: the number has as many digits as the last
// one needs (at least two), the characters a file name cannot hold become "_", and a long name is
// cut so that the whole stays within kBookNameLimit bytes.
std::string BookEntryName(size_t index, size_t count, const std::string& pageName);
// The page name an entry name carries: without the leading number and blank and without ".qdrx".
std::string PageNameOfEntry(const std::string& entryName);

// UTF-8 and wide text, for page names (invalid sequences become U+FFFD).
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
