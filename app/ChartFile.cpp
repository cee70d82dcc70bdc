// Title, save question, records to the chart's file and the recovery copies of the run.
#include "app/ChartFile.h"

#include "app/App.h"
#include "app/ChartPages.h"
#include "app/Commands.h"
#include "app/RecentChartsMenu.h"
#include "app/WorkFileMessages.h"
#include "document/FileErrors.h"
#include "document/Undo.h"
#include "document/WorkFile.h"
#include "render/Renderer.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

#include <new>

namespace {

HWND Owner(const App& app) {
    return app.shell.mainWindow;
}

std::wstring ChartName(const App& app) {
    const std::wstring& path = app.shell.chartPath;
    if (path.empty()) return Tr(app, MessageTable::UnsavedChanges, 1);
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring WithName(std::wstring text, const std::wstring& name) {
    size_t at = text.find(L"%1");
    if (at != std::wstring::npos) text.replace(at, 2, name);
    return text;
}

// The time of a copy as the user's locale writes dates and times.
std::wstring LocalTime(uint64_t fileTime) {
    FILETIME utc{DWORD(fileTime), DWORD(fileTime >> 32)}, local;
    SYSTEMTIME time;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return {};
    wchar_t date[80] = L"", clock[80] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 80);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 80);
    return std::wstring(date) + L" " + clock;
}

bool HasBookExtension(const std::wstring& path) {
    return path.size() > 5 && _wcsicmp(path.c_str() + path.size() - 5, L".qdrb") == 0;
}

// A chart of pages, or one recorded as a book before, goes out as a book; one page as a work file.
bool WriteChart(App& app, const std::wstring& path) {
    if (PageCount(app.chart) > 1 || HasBookExtension(path))
        return SaveChartBookFile(app.chart, app.doc, path, app.shell.languageIndex, Owner(app));
    return SaveWorkFile(app.doc, path, Owner(app));
}

// A chart book's recovery copy read into the chart, as a work file's is read into the document. A
// copy refused only for its size is no wrong file: it is told as too large for the memory and kept.
WorkFileOutcome LoadChartBookFrom(App& app, const std::wstring& path) {
    const WorkFileOutcome tooLarge{WorkFileOutcome::Kind::FileError, kErrorOutOfMemory};
    std::vector<uint8_t> bytes;
    WorkFileOutcome outcome = ReadWholeFile(path, kBookFileLimit, bytes);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (outcome.kind == WorkFileOutcome::Kind::WrongFormat &&
        GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
        ((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow) > kBookFileLimit)
        return tooLarge;
    if (!outcome.Done()) return outcome;
    ChartBookLoad load = ChartBookLoad::TooLarge;
    try {
        load = LoadChartBook(app.chart, app.doc, bytes);
    } catch (const std::bad_alloc&) {
        return tooLarge;
    }
    if (load == ChartBookLoad::TooLarge) return tooLarge;
    if (load != ChartBookLoad::Accepted) return {WorkFileOutcome::Kind::WrongFormat};
    return {};
}

bool Record(App& app, const std::wstring& path) {
    if (!WriteChart(app, path)) return false;
    ChartMatchesFile(app, path);
    return true;
}

} // namespace

std::wstring ChartWindowTitle(const App& app) {
    std::wstring chart = Tr(app, MessageTable::Chart, 1);
    if (!app.doc.tablePresent) return chart;
    return ChartName(app) + (ChartModified(app.chart, app.doc) ? L"*" : L"") + L" - " + chart;
}

void UpdateChartTitle(App& app) {
    if (!app.shell.mainWindow) return;
    std::wstring title = ChartWindowTitle(app);
    wchar_t shown[512] = L"";
    GetWindowTextW(app.shell.mainWindow, shown, 512);
    if (title != shown) SetWindowTextW(app.shell.mainWindow, title.c_str());
}

void ChartMatchesFile(App& app, const std::wstring& path) {
    app.shell.chartPath = path;
    ChartRecorded(app.chart, app.doc);
    DiscardRecoveryCopy(app.recovery);
    UpdateChartTitle(app);
    if (!path.empty()) NoteRecentChart(app, path);
}

bool RecordWithPrompt(App& app) {
    std::wstring& path = app.shell.workFilePath;
    path.clear();
    path = WorkFileDialog(app.shell, Owner(app), path, 1, PageCount(app.chart) > 1);
    if (path.empty()) return false;
    if (FileExists(path)) {
        std::wstring question =
            Tr(app, MessageTable::FileExists, 1) + L"\r\n" + Tr(app, MessageTable::FileExists, 2);
        if (ShowMessageBox(Owner(app), question, Tr(app, MessageTable::Caption), MB_YESNO) != IDYES)
            return false;
    }
    return Record(app, path);
}

bool RecordToChartFile(App& app) {
    // A chart that has grown pages since it was read from a work file needs a book's name.
    if (app.shell.chartPath.empty() || (PageCount(app.chart) > 1 && !HasBookExtension(app.shell.chartPath)))
        return RecordWithPrompt(app);
    return Record(app, app.shell.chartPath);
}

bool SettleUnsavedChanges(App& app) {
    if (!ChartModified(app.chart, app.doc)) return true;
    auto text = [&app](int item) { return Tr(app, MessageTable::UnsavedChanges, item); };
    int answer = AskSaveChanges(Owner(app), WithName(text(2), ChartName(app)), Tr(app, MessageTable::Caption),
                                {text(4), text(5), text(6)});
    if (answer == IDNO) {
        app.recovery.droppedChange = ChartChangeCount(app.chart, app.doc);
        return true;
    }
    if (answer == IDYES) return RecordToChartFile(app);
    return false;
}

void StartRecoveryCopies(App& app) {
    if (app.recovery.folder.empty() || !app.shell.mainWindow) return;
    SetTimer(app.shell.mainWindow, kRecoveryTimerId, RecoveryIntervalMs(), nullptr);
    for (LeftChart& left : FindLeftCharts(app.recovery)) {
        // Claimed first: a program started at the same moment neither offers nor deletes it.
        if (!ClaimLeftChart(app.recovery, left)) continue;
        std::wstring name =
            left.note.chartPath.empty() ? Tr(app, MessageTable::UnsavedChanges, 1) : left.note.chartPath;
        std::wstring question =
            WithName(Tr(app, MessageTable::UnsavedChanges, 3), LocalTime(left.note.savedAt)) + L"\r\n" + name;
        if (ShowMessageBox(Owner(app), question, Tr(app, MessageTable::Caption), MB_YESNO) != IDYES) {
            DropLeftChart(app.recovery, left);
            continue;
        }
        const bool book = IsChartBookFile(left.copyPath);
        const WorkFileOutcome read = book ? LoadChartBookFrom(app, left.copyPath)
                                          : LoadWorkFileFrom(app.doc, left.copyPath, WorkFileFormat::Current);
        if (read.kind == WorkFileOutcome::Kind::WrongFormat) {
            // No work file: nothing in it could ever be restored.
            ShowMessageBox(Owner(app), Tr(app, MessageTable::WrongFormat), Tr(app, MessageTable::Caption),
                           MB_OK);
            DropLeftChart(app.recovery, left);
            continue;
        }
        if (!read.Done()) {
            // A file error (the copy in use, no memory) may be gone at the next start: the copy stays.
            ReleaseLeftChart(left);
            ShowMessageBox(Owner(app),
                           Wide(FileErrorMessage(read.errorNumber)) + L"\r\n" +
                               Tr(app, MessageTable::UnsavedChanges, 10),
                           Tr(app, MessageTable::Caption), MB_OK);
            continue;
        }
        // At the start the chart is still the one page of a fresh run: a work file's copy fills it.
        if (book)
            ShowReadChart(app);
        else
            ShowTableSequence(app);
        // The restored chart is a changed chart under its own name; this program's copy replaces
        // the one left behind at once.
        app.shell.chartPath = left.note.chartPath;
        NoteEdit(app.doc);
        OnRecoveryTimer(app);
        // The left copy goes only once this program's copy holds the chart on disk (a full disk,
        // no memory for a book's copy): otherwise the restored work would live in memory alone.
        if (OwnCopyIsCurrent(app.recovery, ChartChangeCount(app.chart, app.doc)))
            DropLeftChart(app.recovery, left);
        else
            ReleaseLeftChart(left);
        UpdateChartTitle(app);
        break; // one chart at a time: the others wait for the next start
    }
}

void OnRecoveryTimer(App& app) {
    // One count for the chart however many pages it has: a chart that drops to one page must not
    // find its copy current by a count of another kind.
    const bool book = PageCount(app.chart) > 1;
    RecoveryTick(app.recovery, ChartModified(app.chart, app.doc), ChartChangeCount(app.chart, app.doc),
                 app.shell.chartPath, [&app, book](const std::wstring& path) {
                     if (!book) return WriteWorkFile(app.doc, path).Done();
                     try {
                         // A chart beyond what a book holds keeps the copy it had.
                         const std::vector<uint8_t> book = EncodeChartAsBook(app.chart, app.doc);
                         return !book.empty() && WriteWholeFile(book, path).Done();
                     } catch (const std::bad_alloc&) {
                         return false;
                     }
                 });
}

bool LoadChartFile(App& app, const std::wstring& path, const std::wstring& nameFrom) {
    if (IsChartBookFile(path)) {
        if (ReadChartBookFile(app.chart, app.doc, path, app.shell.languageIndex, Owner(app)) != 1)
            return false;
        ShowReadChart(app);
        return true;
    }
    if (ReadWorkFile(app.doc, path, app.shell.languageIndex, Owner(app)) != 1) return false;
    ResetChartPages(app, nameFrom);
    ShowTableSequence(app);
    return true;
}

bool ReadChartFile(App& app, const std::wstring& path) {
    if (!LoadChartFile(app, path, path)) return false;
    ChartMatchesFile(app, path);
    return true;
}

void EndRecoveryCopies(App& app) {
    if (app.shell.mainWindow) KillTimer(app.shell.mainWindow, kRecoveryTimerId);
    EndRecovery(app.recovery);
}

void EndSessionRecoveryCopies(App& app) {
    const bool dropped = app.recovery.droppedChange == ChartChangeCount(app.chart, app.doc);
    if (!ChartModified(app.chart, app.doc) || dropped) {
        EndRecoveryCopies(app);
        return;
    }
    // The process may be ended at any moment from here on: the copy takes the last changes now and
    // stays, to be offered at the next start as after a crash.
    if (app.shell.mainWindow) KillTimer(app.shell.mainWindow, kRecoveryTimerId);
    OnRecoveryTimer(app);
    LeaveRecovery(app.recovery);
}
