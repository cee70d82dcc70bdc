// Work files on disk: reads that take a whole file or change nothing, and saves that never leave a
// partial or mixed file where the chart was.
#include "document/WorkFile.h"

#include "document/FileErrors.h"
#include "document/WorkFileFormat.h"

#include <algorithm>
#include <memory>
#include <new>
#include <span>
#include <utility>
#include <vector>

namespace {

// Records encoded and written at a time (about 260 KB): the buffer stays in the cache.
constexpr size_t kRecordsPerPiece = 192;

std::optional<uint64_t>& SaveWriteLimit() {
    static std::optional<uint64_t> limit;
    return limit;
}

std::optional<uint64_t>& ReadFailureAfter() {
    static std::optional<uint64_t> limit;
    return limit;
}

// Reads up to `size` bytes, or fails as on a device error where a test has set a limit.
BOOL ReadCounted(HANDLE file, uint8_t* bytes, DWORD size, DWORD* got, uint64_t& read) {
    const std::optional<uint64_t> limit = ReadFailureAfter();
    if (limit) {
        if (read >= *limit) {
            SetLastError(ERROR_IO_DEVICE);
            return FALSE;
        }
        size = static_cast<DWORD>(std::min<uint64_t>(size, *limit - read));
    }
    if (!ReadFile(file, bytes, size, got, nullptr)) return FALSE;
    read += *got;
    return TRUE;
}

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (Valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // Closes now, to learn whether the close itself failed.
    DWORD Close() {
        HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        return CloseHandle(handle) ? ERROR_SUCCESS : GetLastError();
    }

  private:
    HANDLE handle_;
};

// Reads the whole file into `bytes`; returns the Windows error of a failed read.
DWORD ReadWhole(HANDLE file, uint64_t size, std::vector<uint8_t>& bytes) {
    if (size > bytes.max_size() / 2) return ERROR_NOT_ENOUGH_MEMORY;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    uint64_t read = 0;
    while (read < size) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<uint64_t>(size - read, 1u << 24));
        if (!ReadCounted(file, bytes.data() + read, want, &got, read)) return GetLastError();
        if (got == 0) return ERROR_HANDLE_EOF; // shorter than its length said
    }
    return ERROR_SUCCESS;
}

WorkFileOutcome FileError(DWORD error) {
    return {WorkFileOutcome::Kind::FileError, FileErrorNumber(error)};
}

} // namespace

// A read is all or nothing: the file is read whole (a work file holds at most 101 x 101 records,
// 13.7 MB), checked and decoded into a scratch document, and the document takes the table over only
// when all of that succeeded. Writers are shut out while the file is open.
WorkFileOutcome LoadWorkFileFrom(Document& doc, const std::wstring& path, WorkFileFormat format) {
    std::vector<uint8_t> bytes;
    {
        FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        LARGE_INTEGER length{};
        if (!file.Valid() || !GetFileSizeEx(file.Get(), &length)) return FileError(GetLastError());
        const uint64_t size = static_cast<uint64_t>(length.QuadPart);
        if (size == 0 || size % RecordSize(format) != 0) return {WorkFileOutcome::Kind::WrongFormat};
        DWORD error = ReadWhole(file.Get(), size, bytes);
        if (error != ERROR_SUCCESS) return FileError(error);
    }
    std::unique_ptr<Document> scratch;
    try {
        scratch = std::make_unique<Document>();
    } catch (const std::bad_alloc&) {
        return FileError(ERROR_NOT_ENOUGH_MEMORY);
    }
    if (LoadWorkFile(*scratch, bytes, format) != WorkFileCheck::Accepted)
        return {WorkFileOutcome::Kind::WrongFormat};
    TakeOverLoadedTable(doc, *scratch);
    return {};
}

namespace {

// Writes one piece of the file, or fails as on a full disk where a test has set a limit.
DWORD WritePiece(HANDLE file, const uint8_t* bytes, size_t size, uint64_t& written) {
    const std::optional<uint64_t> limit = SaveWriteLimit();
    while (size > 0) {
        size_t chunk = size;
        if (limit) {
            if (written >= *limit) return ERROR_DISK_FULL;
            chunk = static_cast<size_t>(std::min<uint64_t>(chunk, *limit - written));
        }
        DWORD done = 0;
        if (!WriteFile(file, bytes, static_cast<DWORD>(chunk), &done, nullptr)) return GetLastError();
        if (done == 0) return ERROR_DISK_FULL;
        bytes += done;
        size -= done;
        written += done;
    }
    return ERROR_SUCCESS;
}

// The records are encoded a buffer at a time and written as they are made: the buffer stays in the
// cache and the whole 13.7 MB image never has to exist in memory.
DWORD WriteTable(HANDLE file, const Document& doc, std::vector<uint8_t>& buffer) {
    const size_t count = WorkFileRecordCount(doc);
    const size_t perBuffer = buffer.size() / kRecordSize;
    uint64_t written = 0;
    for (size_t first = 0; first < count; first += perBuffer) {
        size_t records = std::min(perBuffer, count - first);
        for (size_t i = 0; i < records; ++i)
            EncodeWorkFileRecord(doc, first + i, buffer.data() + i * kRecordSize);
        DWORD error = WritePiece(file, buffer.data(), records * kRecordSize, written);
        if (error != ERROR_SUCCESS) return error;
    }
    return ERROR_SUCCESS;
}

// A new file beside the target (same folder, so the final rename stays on one volume). CREATE_NEW
// never takes over a file that is already there.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary, DWORD& error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + L".~" + std::to_wstring(attempt) + L".tmp";
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

// Puts the finished temporary file in the target's place in one step. A read-only target is
// replaced too; if the replace fails, its attributes are put back.
DWORD ReplaceTarget(const std::wstring& temporary, const std::wstring& target) {
    DWORD attributes = GetFileAttributesW(target.c_str());
    bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
                    !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (readOnly) SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    DWORD error = GetLastError();
    if (readOnly) SetFileAttributesW(target.c_str(), attributes);
    return error;
}

template <typename Write> DWORD WriteAndReplace(const std::wstring& target, Write write) {
    std::wstring temporary;
    DWORD error = ERROR_SUCCESS;
    FileHandle file(CreateTemporaryBeside(target, temporary, error));
    if (!file.Valid()) return error;

    error = write(file.Get());
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file.Get())) error = GetLastError();
    DWORD closed = file.Close();
    if (error == ERROR_SUCCESS) error = closed;
    if (error == ERROR_SUCCESS) error = ReplaceTarget(temporary, target);
    if (error != ERROR_SUCCESS) DeleteFileW(temporary.c_str());
    return error;
}

} // namespace

WorkFileOutcome WriteWorkFile(const Document& doc, const std::wstring& path) {
    std::vector<uint8_t> buffer;
    try {
        buffer.resize(kRecordsPerPiece * kRecordSize);
    } catch (const std::bad_alloc&) {
        return FileError(ERROR_NOT_ENOUGH_MEMORY);
    }
    DWORD error = WriteAndReplace(path, [&](HANDLE file) { return WriteTable(file, doc, buffer); });
    if (error == ERROR_SUCCESS) return {};
    return FileError(error);
}

WorkFileOutcome WriteWholeFile(std::span<const uint8_t> bytes, const std::wstring& path) {
    DWORD error = WriteAndReplace(path, [&](HANDLE file) {
        uint64_t written = 0;
        return WritePiece(file, bytes.data(), bytes.size(), written);
    });
    if (error == ERROR_SUCCESS) return {};
    return FileError(error);
}

WorkFileOutcome ReadWholeFile(const std::wstring& path, uint64_t limit, std::vector<uint8_t>& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER length{};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &length)) return FileError(GetLastError());
    const uint64_t size = static_cast<uint64_t>(length.QuadPart);
    if (size == 0 || size > limit) return {WorkFileOutcome::Kind::WrongFormat};
    DWORD error = ReadWhole(file.Get(), size, bytes);
    if (error != ERROR_SUCCESS) return FileError(error);
    return {};
}

int FileErrorNumber(DWORD error) {
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return kErrorDiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
        return kErrorPermissionDenied;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
        return kErrorPathNotFound;
    case ERROR_FILE_NOT_FOUND:
        return kErrorFileNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return kErrorBadFileName;
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
        return kErrorDeviceUnavailable;
    case ERROR_NOT_READY:
        return kErrorDiskNotReady;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return kErrorOutOfMemory;
    case ERROR_HANDLE_EOF:
        return kErrorInputPastEnd;
    default: // includes a failure that left no code
        return kErrorDeviceIo;
    }
}

void SetSaveWriteLimit(std::optional<uint64_t> bytes) {
    SaveWriteLimit() = bytes;
}

void SetReadFailureAfter(std::optional<uint64_t> bytes) {
    ReadFailureAfter() = bytes;
}
