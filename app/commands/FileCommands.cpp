// The chart's files: reads through the one load path, records, the save question, the recovery
// offer at start.
#include "app/commands/FileCommands.h"

#include "app/commands/CommandLine.h"
#include "app/commands/PageCommands.h"
#include "app/commands/SettingsCommands.h"
#include "app/commands/WorkFileMessages.h"
#include "app/state/App.h"
#include "app/state/ChartRecovery.h"
#include "app/state/CommandIds.h"
#include "app/state/RecentChartsKept.h"
#include "document/FileErrors.h"
#include "document/Structure.h"
#include "document/Undo.h"
#include "document/WorkFile.h"
#include "render/Renderer.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

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

// The file named is not there.
void TellMissing(App& app, const std::wstring& path) {
    ShowMessageBox(Owner(app),
                   Tr(app, MessageTable::WorkFile, 1) + L"\r\n" + path + L"\r\n" +
                       Tr(app, MessageTable::WorkFile, 2),
                   Tr(app, MessageTable::Caption), MB_OK);
}

// The chart just read into the document (a work file) or the chart (a book) is the one shown, from
// its top-left corner: a work file's page replaces every page there was.
Outcome ChartRead(App& app, bool book, const std::wstring& nameFrom) {
    if (book) return ShowReadChart(app);
    app.doc.tablePresent = true;
    app.canvas.viewOffsetX = 0;
    app.canvas.viewOffsetY = 0;
    return ResetChartPages(app, nameFrom) | kShownTable;
}

Outcome NewTableCommand(App& app, const NewPreset& preset, int id) {
    if (!SettleUnsavedChanges(app)) return {};
    app.shell.lastNewPreset = id;
    // Another chart is shown from its top-left corner.
    app.canvas.viewOffsetX = 0;
    app.canvas.viewOffsetY = 0;
    const Outcome pages = ResetChartPages(app, L"");
    const Outcome drawn = DrawNewTable(app, preset);
    ChartMatchesFile(app, L"");
    return pages | drawn;
}

Outcome ReadFlow(App& app, bool previousFormat) {
    if (!SettleUnsavedChanges(app)) return {};
    std::wstring& path = app.shell.workFilePath;
    path = WorkFileDialog(app.shell, Owner(app), path, 0);
    if (path.empty()) return {};
    if (!FileExists(path)) {
        TellMissing(app, path);
        return {};
    }
    if (previousFormat) {
        if (ReadPreviousWorkFile(app.doc, path, app.shell.languageIndex, Owner(app)) != 1) return {};
        const Outcome read = ChartRead(app, false, path);
        ChartMatchesFile(app, path);
        return read;
    }
    return ReadChartFile(app, path).value_or(Outcome());
}

Outcome ExitCommand(App& app) {
    if (!SettleUnsavedChanges(app)) return {};
    SaveSettings(app);
    EndMainWindow(app.shell);
    return {};
}

} // namespace

std::wstring ChartWindowTitle(const App& app) {
    std::wstring chart = Tr(app, MessageTable::Chart, 1);
    if (!app.doc.tablePresent) return chart;
    return ChartName(app) + (ChartModified(app.chart, app.doc) ? L"*" : L"") + L" - " + chart;
}

void ChartMatchesFile(App& app, const std::wstring& path) {
    app.shell.chartPath = path;
    ChartRecorded(app.chart, app.doc);
    DiscardRecoveryCopy(app.recovery);
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

Outcome StartRecoveryCopies(App& app) {
    if (app.recovery.folder.empty() || !app.shell.mainWindow) return {};
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
        const Outcome restored = ChartRead(app, book, left.note.chartPath);
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
        return restored; // one chart at a time: the others wait for the next start
    }
    return {};
}

std::optional<Outcome> LoadChartFile(App& app, const std::wstring& path, const std::wstring& nameFrom) {
    const bool book = IsChartBookFile(path);
    const int read = book ? ReadChartBookFile(app.chart, app.doc, path, app.shell.languageIndex, Owner(app))
                          : ReadWorkFile(app.doc, path, app.shell.languageIndex, Owner(app));
    if (read != 1) return std::nullopt;
    return ChartRead(app, book, nameFrom);
}

std::optional<Outcome> ReadChartFile(App& app, const std::wstring& path) {
    std::optional<Outcome> read = LoadChartFile(app, path, path);
    if (read) ChartMatchesFile(app, path);
    return read;
}

Outcome OpenRecentChart(App& app, int index) {
    if (index < 0 || size_t(index) >= app.shell.recentCharts.size()) return {};
    const std::wstring path = app.shell.recentCharts[size_t(index)];
    if (!SettleUnsavedChanges(app)) return {};
    if (!FileExists(path)) {
        ForgetRecentChart(app, path);
        ShowMessageBox(app.shell.mainWindow, Tr(app, MessageTable::RecentCharts, 3) + L"\r\n" + path,
                       Tr(app, MessageTable::Caption), MB_OK | MB_ICONEXCLAMATION);
        return {};
    }
    app.shell.workFilePath = path;
    return ReadChartFile(app, path).value_or(Outcome());
}

Outcome OpenCommandLineFile(App& app, const std::wstring& commandLine) {
    if (CommandTail(commandLine).empty()) return {};
    app.shell.workFilePath = CommandTailPath(commandLine.c_str());
    const std::wstring& path = app.shell.workFilePath;
    if (path.empty() || !FileExists(path)) {
        TellMissing(app, path);
        return {};
    }
    // A chart restored from its recovery copy is replaced only as "Read file" replaces a chart.
    if (!SettleUnsavedChanges(app)) return {};
    // A refused file has been reported by the reader; the program runs without a table.
    return ReadChartFile(app, path).value_or(Outcome());
}

std::optional<Outcome> RunFileCommand(App& app, int id) {
    if (id >= kCmdFirstRecentChart && id <= kCmdLastRecentChart)
        return OpenRecentChart(app, id - kCmdFirstRecentChart);
    if (const NewPreset* preset = FindNewPreset(id)) return NewTableCommand(app, *preset, id);
    switch (id) {
    case kCmdToolbarNew: {
        // The preset last used, or the first of the menu before any.
        const int preset =
            FindNewPreset(app.shell.lastNewPreset) ? app.shell.lastNewPreset : kCmdNewHorizontal16;
        return NewTableCommand(app, *FindNewPreset(preset), preset);
    }
    case kCmdRecordToChartFile:
        RecordToChartFile(app);
        return Outcome();
    case kCmdRecordFile:
        RecordWithPrompt(app);
        return Outcome();
    case kCmdReadPrevious:
        return ReadFlow(app, true);
    case kCmdReadFile:
        return ReadFlow(app, false);
    case kCmdExit:
        return ExitCommand(app);
    default:
        return std::nullopt;
    }
}
