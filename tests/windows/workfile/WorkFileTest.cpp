// Work files on disk under Windows: reading, refusals and their messages, and saves that fail
// part-way or for real without touching the previous file.
#include "WinTestSupport.h"

#include "../../portable/workfile/TestTables.h"
#include "ui/Messages.h"
#include "document/FileErrors.h"
#include "document/Undo.h"
#include "app/commands/WorkFileMessages.h"
#include "document/WorkFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

constexpr int kEnglish = 5;

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static int counter = 0;
        path_ = std::wstring(base) + L"cuadrix-workfile-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        for (const std::wstring& name : Names()) {
            std::wstring file = path_ + L"\\" + name;
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(path_.c_str());
    }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

  private:
    std::wstring path_;
};

void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(bytes.size(), written);
}

// Whatever the file holds, read to its end (also for files that do not know their own size).
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

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<Document> Table(int columns, int rows) {
    auto doc = std::make_unique<Document>();
    FillTable(*doc, columns, rows, 24);
    return doc;
}

void ExpectOneFileError(const MessageBoxRecorder& boxes, int number) {
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(Wide(FileErrorMessage(number)), boxes.Shown()[0].text);
    EXPECT_EQ(L"Programador", boxes.Shown()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Shown()[0].type & MB_TYPEMASK);
}

// While alive, the writes of every save fail as on a full disk after the given number of bytes.
struct WriteLimitGuard {
    explicit WriteLimitGuard(uint64_t bytes) { SetSaveWriteLimit(bytes); }
    ~WriteLimitGuard() { SetSaveWriteLimit(std::nullopt); }
};

// While alive, the reads of a work file fail as on a device error after the given number of bytes.
struct ReadFailureGuard {
    explicit ReadFailureGuard(uint64_t bytes) { SetReadFailureAfter(bytes); }
    ~ReadFailureGuard() { SetReadFailureAfter(std::nullopt); }
};

} // namespace

TEST(WorkFileOnDisk, SavedTableReadsBackAndSavesAgainToTheSameBytesButSelection) {
    TempFolder folder;
    auto doc = Table(44, 31);
    doc->cellGrid(7, 3).selected = 1;
    MessageBoxRecorder boxes;
    const std::wstring path = folder.File(L"chart.qdrx");
    ASSERT_TRUE(SaveWorkFile(*doc, path, nullptr));
    std::vector<uint8_t> saved = ReadBytes(path);
    EXPECT_EQ(1834580u, saved.size());
    EXPECT_EQ(EncodeWorkFile(*doc), saved);
    EXPECT_EQ(std::vector<std::wstring>{L"chart.qdrx"}, folder.Names()); // no temporary file left

    auto read = std::make_unique<Document>();
    ASSERT_EQ(1, ReadWorkFile(*read, path, kEnglish, nullptr));
    EXPECT_EQ(44, read->tableColumns);
    EXPECT_EQ(31, read->tableRows);
    EXPECT_EQ(0, read->cellGrid(7, 3).selected);
    EXPECT_EQ(FieldText(doc->cellGrid(43, 30).text), FieldText(read->cellGrid(43, 30).text));

    const std::wstring again = folder.File(L"again.qdrx");
    ASSERT_TRUE(SaveWorkFile(*read, again, nullptr));
    std::vector<uint8_t> resaved = ReadBytes(again);
    ASSERT_EQ(saved.size(), resaved.size());
    const size_t selectedByte = (3 * 44 + 7) * kRecordSize + 1262;
    EXPECT_EQ(1, saved[selectedByte]);
    EXPECT_EQ(0, resaved[selectedByte]);
    resaved[selectedByte] = 1;
    EXPECT_EQ(saved, resaved);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(WorkFileOnDisk, SavingOverAnExistingOrReadOnlyFileReplacesItWhole) {
    TempFolder folder;
    const std::wstring path = folder.File(L"chart.qdrx");
    MessageBoxRecorder boxes;
    // A longer file first: nothing of it may survive behind the new records.
    ASSERT_TRUE(SaveWorkFile(*Table(30, 20), path, nullptr));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    auto small = Table(3, 2);
    ASSERT_TRUE(SaveWorkFile(*small, path, nullptr));
    EXPECT_EQ(EncodeWorkFile(*small), ReadBytes(path));
    EXPECT_EQ(0u, GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(std::vector<std::wstring>{L"chart.qdrx"}, folder.Names());
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(WorkFileOnDisk, SaveFailingPartWayLeavesThePreviousFileAndShowsOneMessage) {
    TempFolder folder;
    const std::wstring path = folder.File(L"chart.qdrx");
    auto old = Table(5, 4);
    {
        MessageBoxRecorder quiet;
        ASSERT_TRUE(SaveWorkFile(*old, path, nullptr));
    }
    const std::vector<uint8_t> before = ReadBytes(path);

    auto doc = Table(101, 101);
    for (uint64_t limit :
         {uint64_t{0}, uint64_t{kRecordSize * 7 + 5}, uint64_t{(1u << 20) + 1}, uint64_t{13720344}}) {
        MessageBoxRecorder boxes;
        WriteLimitGuard full(limit);
        EXPECT_FALSE(SaveWorkFile(*doc, path, nullptr)) << limit;
        ExpectOneFileError(boxes, kErrorDiskFull);
        EXPECT_EQ(before, ReadBytes(path)) << limit;
        EXPECT_EQ(std::vector<std::wstring>{L"chart.qdrx"}, folder.Names()) << limit;
    }

    // Without an earlier file, a failed save leaves no file at all.
    MessageBoxRecorder boxes;
    WriteLimitGuard full(4096);
    EXPECT_FALSE(SaveWorkFile(*doc, folder.File(L"new.qdrx"), nullptr));
    ExpectOneFileError(boxes, kErrorDiskFull);
    EXPECT_FALSE(Exists(folder.File(L"new.qdrx")));
}

TEST(WorkFileOnDisk, TargetInUseIsNotReplacedAndKeepsItsReadOnlyAttribute) {
    TempFolder folder;
    const std::wstring path = folder.File(L"chart.qdrx");
    {
        MessageBoxRecorder quiet;
        ASSERT_TRUE(SaveWorkFile(*Table(4, 4), path, nullptr));
    }
    const std::vector<uint8_t> before = ReadBytes(path);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE inUse = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, inUse);

    MessageBoxRecorder boxes;
    EXPECT_FALSE(SaveWorkFile(*Table(9, 9), path, nullptr));
    CloseHandle(inUse);
    ExpectOneFileError(boxes, kErrorPermissionDenied);
    EXPECT_EQ(before, ReadBytes(path));
    EXPECT_NE(0u, GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(std::vector<std::wstring>{L"chart.qdrx"}, folder.Names());
}

TEST(WorkFileOnDisk, ReadOnlyFolderAndMissingFolderShowOneMessageAndWriteNothing) {
    auto doc = Table(6, 6);
    // Under Wine, Z: is the Unix root; sysfs refuses new files even to the superuser, so its
    // folders cannot be written whoever runs the tests.
    const std::wstring readOnlyFolder = L"Z:\\sys\\kernel";
    ASSERT_NE(0u, GetFileAttributesW(readOnlyFolder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    {
        const std::wstring fresh = readOnlyFolder + L"\\chart.qdrx";
        MessageBoxRecorder boxes;
        EXPECT_FALSE(SaveWorkFile(*doc, fresh, nullptr));
        ExpectOneFileError(boxes, kErrorPermissionDenied);
        EXPECT_FALSE(Exists(fresh));
    }
    {
        // An existing file there stays as it was.
        const std::wstring existing = readOnlyFolder + L"\\cpu_byteorder";
        const std::vector<uint8_t> before = ReadBytes(existing);
        ASSERT_FALSE(before.empty());
        MessageBoxRecorder boxes;
        EXPECT_FALSE(SaveWorkFile(*doc, existing, nullptr));
        ExpectOneFileError(boxes, kErrorPermissionDenied);
        EXPECT_EQ(before, ReadBytes(existing));
    }
    {
        TempFolder folder;
        const std::wstring missing = folder.File(L"no such folder\\chart.qdrx");
        MessageBoxRecorder boxes;
        EXPECT_FALSE(SaveWorkFile(*doc, missing, nullptr));
        ExpectOneFileError(boxes, kErrorPathNotFound);
        EXPECT_TRUE(folder.Names().empty());
    }
}

TEST(WorkFileOnDisk, RefusedFilesShowTheFormatMessageAndKeepTheTable) {
    TempFolder folder;
    auto doc = Table(12, 9);
    PushUndo(*doc);
    const std::vector<uint8_t> gridBefore = GridBytes(*doc);
    const std::wstring formatText = Wide(MessageText(kEnglish, MessageTable::WrongFormat));
    const std::wstring hintText = Wide(MessageText(kEnglish, MessageTable::PreviousVersionHint));
    const std::wstring caption = Wide(MessageText(kEnglish, MessageTable::Caption));
    EXPECT_EQ(L"Wrong format file ...", formatText);
    EXPECT_EQ(L"Programmer", caption);

    const std::vector<uint8_t> current = EncodeWorkFile(*Table(44, 31));
    struct Case {
        const wchar_t* name;
        std::vector<uint8_t> bytes;
        bool previousReader;
    };
    const Case cases[] = {
        {L"1346.qdrx", std::vector<uint8_t>(current.begin(), current.begin() + 1346), false},
        {L"empty.qdrx", {}, false},
        {L"previous.qdrx", ToPreviousFormat(current), false},
        {L"current.qdrx", current, true},
        {L"empty-previous.qdrx", {}, true},
    };
    for (const Case& c : cases) {
        WriteBytes(folder.File(c.name), c.bytes);
        MessageBoxRecorder boxes;
        int result = c.previousReader ? ReadPreviousWorkFile(*doc, folder.File(c.name), kEnglish, nullptr)
                                      : ReadWorkFile(*doc, folder.File(c.name), kEnglish, nullptr);
        EXPECT_EQ(0, result);
        ASSERT_EQ(1u, boxes.Shown().size()) << c.name;
        // Only the current-format reader points to the previous-format one.
        EXPECT_EQ(c.previousReader ? formatText : formatText + L"\r\n" + hintText, boxes.Shown()[0].text);
        EXPECT_EQ(caption, boxes.Shown()[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Shown()[0].type & MB_TYPEMASK);
        EXPECT_EQ(gridBefore, GridBytes(*doc)) << c.name;
        EXPECT_EQ(12, doc->tableColumns);
        EXPECT_TRUE(UndoAvailable(*doc));
    }

    // A file that is not there: the file error, and the table stays.
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, ReadWorkFile(*doc, folder.File(L"absent.qdrx"), kEnglish, nullptr));
    ExpectOneFileError(boxes, kErrorFileNotFound);
    EXPECT_EQ(gridBefore, GridBytes(*doc));
}

TEST(WorkFileOnDisk, AReadFailingAnywhereLeavesTheDocumentAsItWas) {
    TempFolder folder;
    const std::vector<uint8_t> image = EncodeWorkFile(*Table(20, 15));
    for (bool previous : {false, true}) {
        const std::wstring path = folder.File(previous ? L"old.qdrx" : L"new.qdrx");
        const std::vector<uint8_t> bytes = previous ? ToPreviousFormat(image) : image;
        WriteBytes(path, bytes);
        auto whole = std::make_unique<Document>();
        ASSERT_EQ(1, previous ? ReadPreviousWorkFile(*whole, path, kEnglish, nullptr)
                              : ReadWorkFile(*whole, path, kEnglish, nullptr));
        const std::vector<uint8_t> read = EncodeWorkFile(*whole);
        std::set<int> outcomes;
        // From the first byte to well past the file's length, a few records at a time.
        for (uint64_t limit = 0; limit < 2 * bytes.size(); limit += bytes.size() / 7) {
            SCOPED_TRACE(testing::Message() << (previous ? "previous " : "current ") << limit);
            auto doc = Table(6, 4);
            PushUndo(*doc);
            const std::vector<uint8_t> before = EncodeWorkFile(*doc);
            MessageBoxRecorder boxes;
            ReadFailureGuard failing(limit);
            const int result = previous ? ReadPreviousWorkFile(*doc, path, kEnglish, nullptr)
                                        : ReadWorkFile(*doc, path, kEnglish, nullptr);
            outcomes.insert(result);
            if (result == 1) { // all: the file's table, nothing said, nothing to undo
                EXPECT_TRUE(boxes.Shown().empty());
                EXPECT_EQ(read, EncodeWorkFile(*doc));
                EXPECT_FALSE(UndoAvailable(*doc));
            } else { // or nothing: the error, and the table and its history as they were
                ExpectOneFileError(boxes, kErrorDeviceIo);
                EXPECT_EQ(before, EncodeWorkFile(*doc));
                EXPECT_TRUE(UndoAvailable(*doc));
            }
        }
        EXPECT_EQ((std::set<int>{0, 1}), outcomes); // failed reads, and whole ones once the file was read
    }
}

TEST(WorkFileOnDisk, PreviousFormatFileReadAndSavedBecomesACurrentFormatFile) {
    TempFolder folder;
    auto original = Table(44, 31);
    const std::wstring previousPath = folder.File(L"old.qdrx");
    WriteBytes(previousPath, ToPreviousFormat(EncodeWorkFile(*original)));
    EXPECT_EQ(1460844u, ReadBytes(previousPath).size());

    MessageBoxRecorder boxes;
    auto doc = std::make_unique<Document>();
    ASSERT_EQ(1, ReadPreviousWorkFile(*doc, previousPath, kEnglish, nullptr));
    for (const CellRecord& cell : doc->cellGrid.slots)
        ASSERT_TRUE(FieldText(cell.iconPath).empty());
    EXPECT_EQ(FieldText(original->cellGrid(10, 10).text), FieldText(doc->cellGrid(10, 10).text));

    const std::wstring currentPath = folder.File(L"new.qdrx");
    ASSERT_TRUE(SaveWorkFile(*doc, currentPath, nullptr));
    EXPECT_EQ(1834580u, ReadBytes(currentPath).size());
    auto reread = std::make_unique<Document>();
    ASSERT_EQ(1, ReadWorkFile(*reread, currentPath, kEnglish, nullptr));
    EXPECT_EQ(GridBytes(*doc), GridBytes(*reread));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(WorkFileErrors, WindowsErrorsMapToTheirNumbers) {
    EXPECT_EQ(kErrorDiskFull, FileErrorNumber(ERROR_DISK_FULL));
    EXPECT_EQ(kErrorDiskFull, FileErrorNumber(ERROR_HANDLE_DISK_FULL));
    EXPECT_EQ(kErrorPermissionDenied, FileErrorNumber(ERROR_ACCESS_DENIED));
    EXPECT_EQ(kErrorPermissionDenied, FileErrorNumber(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(kErrorPathNotFound, FileErrorNumber(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(kErrorFileNotFound, FileErrorNumber(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(kErrorBadFileName, FileErrorNumber(ERROR_INVALID_NAME));
    EXPECT_EQ(kErrorDeviceIo, FileErrorNumber(ERROR_CRC));
    EXPECT_EQ(kErrorDeviceIo, FileErrorNumber(ERROR_SUCCESS)); // a failure that gave no reason
}
