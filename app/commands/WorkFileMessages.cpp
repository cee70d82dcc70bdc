// The messages of work-file reads and saves.
#include "app/commands/WorkFileMessages.h"

#include "document/FileErrors.h"
#include "document/WorkFile.h"
#include "ui/MessageBox.h"
#include "ui/Messages.h"

#include <new>
#include <vector>

namespace {

// The file-error messages keep this caption in every language.
constexpr wchar_t kFileErrorCaption[] = L"Programador";

void ShowFileError(HWND owner, int errorNumber) {
    ShowMessageBox(owner, Wide(FileErrorMessage(errorNumber)), kFileErrorCaption, MB_OK);
}

void ShowWrongFormat(HWND owner, int languageIndex, WorkFileFormat format) {
    std::wstring text = Wide(MessageText(languageIndex, MessageTable::WrongFormat));
    // Only the current-format reader points to the reader of the previous format.
    if (format == WorkFileFormat::Current)
        text += L"\r\n" + Wide(MessageText(languageIndex, MessageTable::PreviousVersionHint));
    ShowMessageBox(owner, text, Wide(MessageText(languageIndex, MessageTable::Caption)), MB_OK);
}

int ReadReporting(Document& doc, const std::wstring& path, int languageIndex, HWND owner,
                  WorkFileFormat format) {
    WorkFileOutcome outcome = LoadWorkFileFrom(doc, path, format);
    switch (outcome.kind) {
    case WorkFileOutcome::Kind::Done:
        return 1;
    case WorkFileOutcome::Kind::FileError:
        ShowFileError(owner, outcome.errorNumber);
        return 0;
    case WorkFileOutcome::Kind::WrongFormat:
        ShowWrongFormat(owner, languageIndex, format);
        return 0;
    }
    return 0;
}

} // namespace

int ReadWorkFile(Document& doc, const std::wstring& path, int languageIndex, HWND owner) {
    return ReadReporting(doc, path, languageIndex, owner, WorkFileFormat::Current);
}

int ReadPreviousWorkFile(Document& doc, const std::wstring& path, int languageIndex, HWND owner) {
    return ReadReporting(doc, path, languageIndex, owner, WorkFileFormat::Previous);
}

bool SaveWorkFile(const Document& doc, const std::wstring& path, HWND owner) {
    WorkFileOutcome outcome = WriteWorkFile(doc, path);
    if (outcome.Done()) return true;
    ShowFileError(owner, outcome.errorNumber);
    return false;
}

int ReadChartBookFile(Chart& chart, Document& shown, const std::wstring& path, int languageIndex,
                      HWND owner) {
    std::vector<uint8_t> bytes;
    WorkFileOutcome outcome = ReadWholeFile(path, kBookFileLimit, bytes);
    if (outcome.kind == WorkFileOutcome::Kind::FileError) {
        ShowFileError(owner, outcome.errorNumber);
        return 0;
    }
    ChartBookLoad load = ChartBookLoad::Refused;
    try {
        if (outcome.Done()) load = LoadChartBook(chart, shown, bytes);
    } catch (const std::bad_alloc&) {
        // The pages are read aside and take the chart's place only once all are in.
        ShowFileError(owner, kErrorOutOfMemory);
        return 0;
    }
    if (load == ChartBookLoad::Accepted) return 1;
    // The previous format has no books: no hint towards its reader.
    ShowWrongFormat(owner, languageIndex, WorkFileFormat::Previous);
    return 0;
}

bool SaveChartBookFile(const Chart& chart, const Document& shown, const std::wstring& path, int languageIndex,
                       HWND owner) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const uint32_t dosTime = (uint32_t((now.wYear - 1980) << 9 | now.wMonth << 5 | now.wDay) << 16) |
                             uint32_t(now.wHour << 11 | now.wMinute << 5 | now.wSecond / 2);
    std::vector<uint8_t> book;
    try {
        book = EncodeChartAsBook(chart, shown, dosTime);
    } catch (const std::bad_alloc&) {
        ShowFileError(owner, kErrorOutOfMemory);
        return false;
    }
    if (book.empty()) {
        // Beyond what a book may hold: the file there stays as it was.
        ShowMessageBox(owner, Wide(MessageText(languageIndex, MessageTable::Pages, 20)),
                       Wide(MessageText(languageIndex, MessageTable::Caption)), MB_OK);
        return false;
    }
    WorkFileOutcome outcome = WriteWholeFile(book, path);
    if (outcome.Done()) return true;
    ShowFileError(owner, outcome.errorNumber);
    return false;
}

bool IsChartBookFile(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const size_t dot = path.find_last_of(L'.');
        return dot != std::wstring::npos && _wcsicmp(path.c_str() + dot, L".qdrb") == 0;
    }
    uint8_t head[4] = {};
    DWORD got = 0;
    ReadFile(file, head, 4, &got, nullptr);
    CloseHandle(file);
    // Every ZIP archive starts with a local header; a work file starts with a cell's left edge.
    return got == 4 && head[0] == 'P' && head[1] == 'K' && head[2] == 3 && head[3] == 4;
}
