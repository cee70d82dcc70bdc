// The chart book's archive: what is written reads back entry for entry, byte for byte; an archive
// that is damaged, hostile or beyond the limits is refused whole and changes nothing.
#include "document/ChartBook.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <random>

namespace {

std::vector<BookEntry> RandomEntries(std::mt19937& random, int count) {
    const std::vector<std::wstring> names = {
        L"Direcci\u00f3n general",     L"Ventas \u00e9t\u00e9", L"\u5e02\u573a", L"Team: A/B?", L"",
        L"R\u00e9sum\u00e9 \U0001F600"};
    std::vector<BookEntry> entries;
    for (int i = 0; i < count; ++i) {
        // Work files are long runs of zeros between short fields: both kinds of bytes are in here.
        std::vector<uint8_t> bytes(size_t(random() % 40000));
        for (size_t k = 0; k < bytes.size(); ++k)
            bytes[k] = random() % 4 == 0 ? uint8_t(random()) : 0;
        entries.push_back({BookEntryName(size_t(i), size_t(count), ToUtf8(names[random() % names.size()])),
                           std::move(bytes)});
    }
    return entries;
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int k = 0; k < 4; ++k)
        bytes[at + k] = uint8_t(value >> (8 * k));
}

size_t Find32(const std::vector<uint8_t>& bytes, uint32_t signature, size_t from = 0) {
    for (size_t at = from; at + 4 <= bytes.size(); ++at)
        if (bytes[at] == uint8_t(signature) && bytes[at + 1] == uint8_t(signature >> 8) &&
            bytes[at + 2] == uint8_t(signature >> 16) && bytes[at + 3] == uint8_t(signature >> 24))
            return at;
    return std::string::npos;
}

std::vector<uint8_t> ValidBook() {
    std::mt19937 random(7);
    return EncodeChartBook(RandomEntries(random, 3));
}

// Entries `from` onwards declare `declared` bytes each, their data left as it is: a reader that
// inflated before checking what they declare would find them damaged instead.
void Declare(std::vector<uint8_t>& book, size_t from, uint32_t declared) {
    size_t index = 0;
    for (size_t at = Find32(book, 0x02014b50); at != std::string::npos; at = Find32(book, 0x02014b50, at + 4))
        if (index++ >= from) Put32(book, at + 24, declared);
}

// What a refusal must leave: the entries the caller had.
void ExpectRefusedUnchanged(const std::vector<uint8_t>& bytes, BookCheck expected) {
    std::vector<BookEntry> entries = {{"kept.qdrx", {1, 2, 3}}};
    EXPECT_EQ(DecodeChartBook(bytes, entries), expected);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "kept.qdrx");
    EXPECT_EQ(entries[0].bytes, (std::vector<uint8_t>{1, 2, 3}));
}

} // namespace

TEST(ChartBook, RandomBooksReadBackEntryForEntry) {
    std::mt19937 random(2024);
    for (int round = 0; round < 30; ++round) {
        const std::vector<BookEntry> written = RandomEntries(random, 1 + int(random() % 12));
        std::vector<BookEntry> read;
        ASSERT_EQ(DecodeChartBook(EncodeChartBook(written), read), BookCheck::Accepted);
        ASSERT_EQ(read.size(), written.size());
        for (size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].name, written[i].name);
            EXPECT_EQ(read[i].bytes, written[i].bytes);
        }
    }
}

TEST(ChartBook, EveryTruncationIsRefusedAndChangesNothing) {
    // Small pages, so that every length can be tried.
    std::mt19937 random(7);
    std::vector<BookEntry> pages = RandomEntries(random, 3);
    for (BookEntry& page : pages)
        page.bytes.resize(page.bytes.size() % 700);
    const std::vector<uint8_t> book = EncodeChartBook(pages);
    for (size_t length = 0; length < book.size(); ++length) {
        const std::vector<uint8_t> cut(book.begin(), book.begin() + long(length));
        std::vector<BookEntry> entries = {{"kept.qdrx", {9}}};
        EXPECT_NE(DecodeChartBook(cut, entries), BookCheck::Accepted) << length;
        ASSERT_EQ(entries.size(), 1u) << length;
        EXPECT_EQ(entries[0].bytes, std::vector<uint8_t>{9}) << length;
    }
}

TEST(ChartBook, DamagedAndHostileArchivesAreRefused) {
    const std::vector<uint8_t> book = ValidBook();
    const size_t local = Find32(book, 0x04034b50);
    const size_t central = Find32(book, 0x02014b50);
    const size_t end = Find32(book, 0x06054b50);
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> change;
        BookCheck expected;
    };
    const std::vector<Case> cases = {
        {"data byte flipped", [&](auto& b) { b[local + 30 + 20] ^= 0x55; }, BookCheck::Damaged},
        {"crc wrong", [&](auto& b) { b[central + 16] ^= 1; }, BookCheck::Damaged},
        {"size larger than the data gives", [&](auto& b) { Put32(b, central + 24, 50000); },
         BookCheck::Damaged},
        {"entry beyond the limit", [&](auto& b) { Put32(b, central + 24, uint32_t(kBookEntryLimit + 1)); },
         BookCheck::TooLarge},
        {"encrypted", [&](auto& b) { b[central + 8] |= 1; }, BookCheck::Unsupported},
        {"unknown method", [&](auto& b) { b[central + 10] = 12; }, BookCheck::Unsupported},
        {"zip64 sizes", [&](auto& b) { Put32(b, central + 20, 0xFFFFFFFF); }, BookCheck::Unsupported},
        {"not a work file", [&](auto& b) { b[central + 46 + b[central + 28] - 1] = 'y'; },
         BookCheck::NoPages},
        {"local header moved", [&](auto& b) { Put32(b, central + 42, 3); }, BookCheck::NotArchive},
        {"directory past its end", [&](auto& b) { Put32(b, end + 12, 0x7FFFFFFF); }, BookCheck::NotArchive},
        {"no entries",
         [&](auto& b) {
             b[end + 8] = b[end + 10] = 0;
             b[end + 9] = b[end + 11] = 0;
         },
         BookCheck::NoPages},
        {"more entries than pages allowed",
         [&](auto& b) {
             b[end + 8] = b[end + 10] = 0xE8;
             b[end + 9] = b[end + 11] = 3;
         },
         BookCheck::TooLarge},
        {"split archive", [&](auto& b) { b[end + 4] = 1; }, BookCheck::Unsupported},
        {"not a zip at all", [&](auto& b) { b.assign(100, 'a'); }, BookCheck::NotArchive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = book;
        c.change(bytes);
        ExpectRefusedUnchanged(bytes, c.expected);
    }
}

TEST(ChartBook, BombsAreRefusedBeforeInflating) {
    // Each archive starts with a sound page; what comes after declares more than a book may hold.
    // Refused before inflating, no page is ever handed over and the refusal is for the size.
    const BookEntry sound{"01 a.qdrx", {1, 2, 3}};
    struct Case {
        const char* what;
        std::vector<uint8_t> book;
        BookCheck expected;
    };
    std::vector<Case> cases;
    {
        std::vector<uint8_t> book = EncodeChartBook(std::vector<BookEntry>{sound, sound});
        Declare(book, 1, uint32_t(kBookEntryLimit + 1));
        cases.push_back({"a page beyond the limit of a page", book, BookCheck::TooLarge});
    }
    {
        std::vector<uint8_t> book =
            EncodeChartBook(std::vector<BookEntry>(size_t(kBookTotalLimit / kBookEntryLimit) + 2, sound));
        Declare(book, 1, uint32_t(kBookEntryLimit));
        cases.push_back({"pages each within the limit, beyond a book's", book, BookCheck::TooLarge});
    }
    {
        // 13.7 MB of zeros squeezed into a few kilobytes: declaring less than it inflates to is
        // damage, found without inflating more than was declared.
        std::vector<uint8_t> book = EncodeChartBook(
            std::vector<BookEntry>{{"01 a.qdrx", std::vector<uint8_t>(size_t(kBookEntryLimit), 0)}});
        ASSERT_LT(book.size(), 100000u);
        Declare(book, 0, 1000);
        cases.push_back({"a page that inflates to more than it declares", book, BookCheck::Damaged});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int taken = 0;
        EXPECT_EQ(ReadChartBook(c.book, [&](BookEntry&) { return ++taken, true; }), c.expected);
        EXPECT_EQ(taken, 0);
        ExpectRefusedUnchanged(c.book, c.expected);
    }
}

// What the program writes it reads back: a book that would pass a limit the reader holds to is
// not made at all, and long page names are cut to fit an entry's name.
TEST(ChartBook, BooksBeyondTheLimitsAreNotWritten) {
    const std::string longName(70000, 'x');
    struct Case {
        const char* what;
        size_t count;
        std::function<BookEntry(size_t)> entryAt;
        bool written;
    };
    const Case cases[] = {
        {"as many pages as a book holds", kBookPageLimit,
         [](size_t) {
             return BookEntry{"a.qdrx", {1}};
         },
         true},
        {"a page more", kBookPageLimit + 1,
         [](size_t) {
             return BookEntry{"a.qdrx", {1}};
         },
         false},
        {"a page beyond the limit of a page", 1,
         [](size_t) {
             return BookEntry{"a.qdrx", std::vector<uint8_t>(size_t(kBookEntryLimit) + 1)};
         },
         false},
        {"the largest pages beyond a book's limit", size_t(kBookTotalLimit / kBookEntryLimit) + 1,
         [](size_t) {
             return BookEntry{"a.qdrx", std::vector<uint8_t>(size_t(kBookEntryLimit))};
         },
         false},
        {"a name longer than an entry's", 1,
         [&](size_t) {
             return BookEntry{longName + ".qdrx", {1}};
         },
         false},
        {"pages named at length", 2,
         [&](size_t i) {
             return BookEntry{BookEntryName(i, 2, longName), {1}};
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<uint8_t> book = EncodeChartBook(c.count, c.entryAt);
        EXPECT_EQ(!book.empty(), c.written);
        std::vector<BookEntry> read;
        if (c.written) EXPECT_EQ(DecodeChartBook(book, read), BookCheck::Accepted);
    }
    // A name is cut where a character starts.
    std::string accents;
    for (int i = 0; i < 35000; ++i)
        accents += "\xc3\xa9";
    const std::string entry = BookEntryName(0, 2, accents);
    EXPECT_LE(entry.size(), kBookNameLimit);
    EXPECT_EQ(FromUtf8(PageNameOfEntry(entry)).find(L'\uFFFD'), std::wstring::npos);
}

TEST(ChartBook, EntryNamesCarryThePageNames) {
    const std::vector<std::pair<std::wstring, std::wstring>> names = {
        {L"Direcci\u00f3n general", L"Direcci\u00f3n general"},
        {L"A/B: C?", L"A_B_ C_"},
        {L"\u5e02\u573a \U0001F600", L"\u5e02\u573a \U0001F600"},
        {L"12 monkeys", L"12 monkeys"},
    };
    for (size_t count : {1u, 9u, 99u, 100u, 999u})
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string entry = BookEntryName(i, count, ToUtf8(names[i].first));
            EXPECT_EQ(entry.substr(0, entry.find(' ')).size(), count >= 100 ? 3u : 2u);
            EXPECT_EQ(std::stoul(entry.substr(0, entry.find(' '))), i + 1);
            EXPECT_EQ(FromUtf8(PageNameOfEntry(entry)), names[i].second);
        }
}

#ifndef _WIN32
// Another ZIP reader (Python's) opens what is written, and what it writes, with its own layout
// (data descriptors, extra fields, stored entries), is read here.
TEST(ChartBook, OtherZipToolsAgree) {
    std::mt19937 random(99);
    const std::vector<BookEntry> written = RandomEntries(random, 4);
    const std::string dir = testing::TempDir();
    const std::string ours = dir + "/ours.qdrb", theirs = dir + "/theirs.qdrb";
    {
        const std::vector<uint8_t> bytes = EncodeChartBook(written);
        FILE* file = std::fopen(ours.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    const std::string script =
        "import sys, zipfile, hashlib\n"
        "z = zipfile.ZipFile(sys.argv[1])\n"
        "assert z.testzip() is None\n"
        "out = zipfile.ZipFile(sys.argv[2], 'w')\n"
        "for i, info in enumerate(z.infolist()):\n"
        "    assert info.flag_bits & 0x800\n"
        "    data = z.read(info)\n"
        "    print(info.filename, hashlib.sha256(data).hexdigest())\n"
        "    entry = zipfile.ZipInfo(info.filename)\n"
        "    entry.compress_type = zipfile.ZIP_DEFLATED\n"
        "    entry.extra = b'\\x55\\x54\\x05\\x00\\x01\\x00\\x00\\x00\\x00'\n"
        "    out.writestr(entry, data)\n"
        "    if i == 0: out.writestr('..' + info.filename[2:], data, compress_type=zipfile.ZIP_STORED)\n";
    const std::string command = "python3 -c \"$S\" " + ours + " " + theirs;
    setenv("S", script.c_str(), 1);
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string listing;
    char line[512];
    while (std::fgets(line, sizeof line, pipe))
        listing += line;
    ASSERT_EQ(pclose(pipe), 0);
    EXPECT_EQ(size_t(std::count(listing.begin(), listing.end(), '\n')), written.size());
    for (const BookEntry& entry : written)
        EXPECT_NE(listing.find(entry.name + " "), std::string::npos);

    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(theirs.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    for (int c; (c = std::fgetc(file)) != EOF;)
        bytes.push_back(uint8_t(c));
    std::fclose(file);
    std::vector<BookEntry> read;
    ASSERT_EQ(DecodeChartBook(bytes, read), BookCheck::Accepted);
    ASSERT_EQ(read.size(), written.size() + 1);
    EXPECT_EQ(read[0].bytes, written[0].bytes);
    EXPECT_EQ(read[1].bytes, written[0].bytes); // the stored copy
    for (size_t i = 1; i < written.size(); ++i) {
        EXPECT_EQ(read[i + 1].name, written[i].name);
        EXPECT_EQ(read[i + 1].bytes, written[i].bytes);
    }
}
#endif
