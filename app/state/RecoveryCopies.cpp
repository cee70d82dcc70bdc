// Recovery copies: the folder, this program's lock, the writes at each interval and the copies
// left by programs that ended.
#include "app/state/RecoveryCopies.h"

#include "document/WorkFile.h"

#include <shlobj.h>

#include <algorithm>

namespace {

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

std::wstring PathOf(const RecoveryRun& run, const std::wstring& base, RecoveryPart part) {
    return run.folder + RecoveryFileName(base, part);
}

uint64_t Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// The note goes through a temporary file as well, so that it is always whole.
bool WriteNote(const std::wstring& path, const std::wstring& text) {
    std::wstring temporary = path + L".~tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD bytes = DWORD(text.size() * sizeof(wchar_t)), written = 0;
    bool ok =
        WriteFile(file, text.data(), bytes, &written, nullptr) && written == bytes && FlushFileBuffers(file);
    CloseHandle(file);
    ok = ok &&
         MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

std::optional<RecoveryNote> ReadNote(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::wstring text(4096, L'\0');
    DWORD read = 0;
    bool ok = ReadFile(file, text.data(), DWORD(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    text.resize(read / sizeof(wchar_t));
    return ParseRecoveryNote(text);
}

// A lock that can be opened belongs to a program that has ended: a running program holds it open
// without sharing. A missing lock means the same.
bool OwnerRuns(const std::wstring& lockPath) {
    HANDLE file = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

std::vector<std::wstring> FolderFiles(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

} // namespace

std::wstring DefaultRecoveryFolder() {
    std::wstring folder = Environment(L"CUADRIX_RECOVERY_FOLDER");
    if (folder.empty()) {
        wchar_t local[MAX_PATH];
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)))
            return {};
        folder = std::wstring(local) + L"\\Cuadrix\\Recovery";
    }
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
}

UINT RecoveryIntervalMs() {
    std::wstring value = Environment(L"CUADRIX_RECOVERY_INTERVAL_MS");
    UINT interval = value.empty() ? 0 : UINT(wcstoul(value.c_str(), nullptr, 10));
    return interval > 0 ? interval : 60000;
}

bool BeginRecovery(RecoveryRun& run, const std::wstring& folder) {
    if (folder.empty()) return false;
    // Every folder of the path, the last one included.
    for (size_t end = folder.find(L'\\', 3); end != std::wstring::npos; end = folder.find(L'\\', end + 1))
        CreateDirectoryW(folder.substr(0, end).c_str(), nullptr);
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    run.folder = folder;
    run.base = RecoveryBaseName(GetCurrentProcessId(),
                                (uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime);
    run.lock = CreateFileW(PathOf(run, run.base, RecoveryPart::Lock).c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (run.lock != INVALID_HANDLE_VALUE) return true;
    run.folder.clear();
    return false;
}

void RecoveryTick(RecoveryRun& run, const Document& doc, const std::wstring& chartPath) {
    RecoveryTick(run, doc.modified, doc.changeCount, chartPath,
                 [&doc](const std::wstring& path) { return WriteWorkFile(doc, path).Done(); });
}

void RecoveryTick(RecoveryRun& run, bool modified, uint32_t changeCount, const std::wstring& chartPath,
                  const std::function<bool(const std::wstring&)>& writeCopy) {
    if (run.folder.empty()) return;
    switch (NextRecoveryStep(modified, changeCount, run.state)) {
    case RecoveryStep::None:
        return;
    case RecoveryStep::Remove:
        DiscardRecoveryCopy(run);
        return;
    case RecoveryStep::Write:
        break;
    }
    // The copy first: a note always describes a whole copy.
    if (!writeCopy(PathOf(run, run.base, RecoveryPart::Copy))) return;
    if (!WriteNote(PathOf(run, run.base, RecoveryPart::Note), FormatRecoveryNote({chartPath, Now()}))) return;
    run.state = {true, changeCount};
}

bool OwnCopyIsCurrent(const RecoveryRun& run, uint32_t changeCount) {
    return !run.folder.empty() && NextRecoveryStep(true, changeCount, run.state) == RecoveryStep::None;
}

void DiscardRecoveryCopy(RecoveryRun& run) {
    if (run.folder.empty()) return;
    DeleteFileW(PathOf(run, run.base, RecoveryPart::Note).c_str());
    DeleteFileW(PathOf(run, run.base, RecoveryPart::Copy).c_str());
    run.state = {};
}

void EndRecovery(RecoveryRun& run) {
    if (run.folder.empty()) return;
    DiscardRecoveryCopy(run);
    CloseHandle(run.lock);
    run.lock = INVALID_HANDLE_VALUE;
    DeleteLeftChart(run, run.base);
    run.folder.clear();
}

void LeaveRecovery(RecoveryRun& run) {
    if (run.folder.empty()) return;
    CloseHandle(run.lock);
    run.lock = INVALID_HANDLE_VALUE;
    run.folder.clear();
}

std::vector<LeftChart> FindLeftCharts(const RecoveryRun& run) {
    std::vector<LeftChart> charts;
    if (run.folder.empty()) return charts;
    for (const std::wstring& base : RecoveryBases(FolderFiles(run.folder, L"*"))) {
        if (base == run.base || OwnerRuns(PathOf(run, base, RecoveryPart::Lock))) continue;
        std::wstring copy = PathOf(run, base, RecoveryPart::Copy);
        auto note = ReadNote(PathOf(run, base, RecoveryPart::Note));
        if (note && GetFileAttributesW(copy.c_str()) != INVALID_FILE_ATTRIBUTES)
            charts.push_back({base, copy, *note});
        else
            DeleteLeftChart(run, base);
    }
    std::sort(charts.begin(), charts.end(),
              [](const LeftChart& a, const LeftChart& b) { return a.note.savedAt > b.note.savedAt; });
    return charts;
}

void DeleteLeftChart(const RecoveryRun& run, const std::wstring& base) {
    // The copy, the note, the lock and any temporary file a write left half done.
    for (const std::wstring& name : FolderFiles(run.folder, base + L".*"))
        DeleteFileW((run.folder + name).c_str());
}

bool ClaimLeftChart(const RecoveryRun& run, LeftChart& left) {
    // Opened without sharing, as a running program holds its own lock: a second program that looks
    // at the chart now takes it for the copy of a running program.
    left.claim = CreateFileW(PathOf(run, left.base, RecoveryPart::Lock).c_str(), GENERIC_WRITE, 0, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (left.claim == INVALID_HANDLE_VALUE) return false;
    // Another program may have restored or dropped it between the search and the claim.
    if (GetFileAttributesW(left.copyPath.c_str()) != INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesW(PathOf(run, left.base, RecoveryPart::Note).c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    DropLeftChart(run, left);
    return false;
}

void ReleaseLeftChart(LeftChart& left) {
    if (left.claim != INVALID_HANDLE_VALUE) CloseHandle(left.claim);
    left.claim = INVALID_HANDLE_VALUE;
}

void DropLeftChart(const RecoveryRun& run, LeftChart& left) {
    // The copy and the note while the claim still keeps other programs away, then the lock.
    const std::wstring lock = RecoveryFileName(left.base, RecoveryPart::Lock);
    for (const std::wstring& name : FolderFiles(run.folder, left.base + L".*"))
        if (name != lock) DeleteFileW((run.folder + name).c_str());
    ReleaseLeftChart(left);
    DeleteFileW((run.folder + lock).c_str());
}
