// The messages of work-file reads and saves.
#include "app/WorkFileMessages.h"

#include "document/FileErrors.h"
#include "document/WorkFile.h"
#include "ui/MessageBox.h"
#include "ui/Messages.h"

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
