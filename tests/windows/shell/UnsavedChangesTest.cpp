// Never losing work: the changed mark in the title, the save question on every path that would
// drop changes, Ctrl+S and the other shortcut keys through the dialog loop, Redo in the menu and
// the recovery copies of a run.
#include "ShellFixture.h"

#include "app/commands/FileCommands.h"
#include "app/state/ChartRecovery.h"
#include "app/state/CommandIds.h"
#include "app/state/RecoveryCopies.h"
#include "app/commands/WorkFileMessages.h"
#include "document/Structure.h"
#include "document/Undo.h"
#include "document/WorkFile.h"

#include <functional>

namespace {

std::wstring Title(HWND window) {
    return WindowText(window);
}

struct UnsavedChangesTest : MainWindowTest {
    ScratchFolder folder;

    HWND Canvas() const { return GetDlgItem(window, kCanvasId); }
    std::wstring File(const wchar_t* name) const { return folder.Path() + name; }

    // A new 24-pixel chart with a box made from a marked cell: a chart with unrecorded changes.
    void ChangedChart() {
        Command(kCmdNewHorizontal24);
        app->doc.cellGrid(1, 1).marked = 1;
        Command(kCmdCreateTable);
        ASSERT_TRUE(app->doc.modified);
    }

    // Keys as the user types them: the keyboard state says which modifiers are down, and the
    // messages run through the dialog loop's own handling, as in the program.
    void Keys(UINT modifier, UINT key) {
        SetFocus(Canvas());
        BYTE state[256];
        GetKeyboardState(state);
        if (modifier) state[modifier] = 0x80;
        SetKeyboardState(state);
        PostMessageW(Canvas(), WM_KEYDOWN, key, 1);
        PostMessageW(Canvas(), WM_KEYUP, key, 0xC0000001);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(window, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (modifier) state[modifier] = 0;
        SetKeyboardState(state);
    }
};

// Another program's files, written as that program writes them (a box at (2, 2) of a chart
// recorded as C:\\Charts\\team.qdrx), its lock held open.
RecoveryRun OtherProgramsCopy(const std::wstring& rec) {
    RecoveryRun other;
    other.folder = rec;
    other.base = RecoveryBaseName(77, 1234);
    other.lock = CreateFileW((rec + RecoveryFileName(other.base, RecoveryPart::Lock)).c_str(), GENERIC_WRITE,
                             0, nullptr, CREATE_ALWAYS, 0, nullptr);
    auto chart = std::make_unique<Document>();
    ApplyNewPreset(*chart, *FindNewPreset(kCmdNewHorizontal32));
    chart->cellGrid(2, 2).isBox = 1;
    NoteEdit(*chart);
    RecoveryTick(other, *chart, L"C:\\Charts\\team.qdrx");
    EXPECT_TRUE(other.state.copyOnDisk);
    return other;
}

// What another program sees of the folder (one of another process id).
RecoveryRun AnotherProgram(const std::wstring& rec) {
    RecoveryRun next;
    next.folder = rec;
    next.base = RecoveryBaseName(88, 4321);
    return next;
}

} // namespace

TEST_F(UnsavedChangesTest, TitleShowsTheNameAndTheChangeMarkInTheLanguage) {
    OpenWindow(1);
    EXPECT_EQ(L"Organigrama", Title(window));
    Command(kCmdNewHorizontal24);
    EXPECT_EQ(L"Sin título - Organigrama", Title(window));
    // A mark made with the mouse is a change too.
    SendMessageW(Canvas(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
    SendMessageW(Canvas(), WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
    EXPECT_EQ(L"Sin título* - Organigrama", Title(window));
    FileDialogRecorder dialogs({File(L"plan.qdrx")});
    Command(kCmdRecordFile);
    EXPECT_EQ(L"plan.qdrx - Organigrama", Title(window));
    Command(kCmdFirstLanguage + 4);
    EXPECT_EQ(L"plan.qdrx - Organization chart", Title(window));
    Command(kCmdCreateLine);
    EXPECT_EQ(L"plan.qdrx* - Organization chart", Title(window));
}

// Every path that would drop the changes asks; Save records and goes on, Don't Save goes on,
// Cancel and a failing save leave the chart, its changes and the program as they were.
TEST_F(UnsavedChangesTest, EveryPathAsksAndOnlySaveOrDontSaveGoOn) {
    struct Path {
        const char* name;
        std::function<bool(UnsavedChangesTest&)> run; // true when the path went on
    };
    const Path paths[] = {
        {"exit", [](UnsavedChangesTest& t) { return t.Command(kCmdExit), t.app->shell.mainWindowEnded; }},
        {"escape",
         [](UnsavedChangesTest& t) {
             SendMessageW(t.Canvas(), WM_KEYDOWN, VK_ESCAPE, 0);
             return t.app->shell.mainWindowEnded;
         }},
        {"new",
         [](UnsavedChangesTest& t) { return t.Command(kCmdNewHorizontal16), t.app->doc.tableColumns != 44; }},
        {"read",
         [](UnsavedChangesTest& t) {
             FileDialogRecorder dialogs;
             t.Command(kCmdReadFile);
             return !dialogs.Seen().empty();
         }},
        {"read previous",
         [](UnsavedChangesTest& t) {
             FileDialogRecorder dialogs;
             t.Command(kCmdReadPrevious);
             return !dialogs.Seen().empty();
         }},
        {"end of session",
         [](UnsavedChangesTest& t) { return SendMessageW(t.window, WM_QUERYENDSESSION, 0, 0) != 0; }},
    };
    enum Answer { Save, DontSave, Cancel, FailingSave };
    for (const Path& path : paths) {
        for (Answer answer : {Save, DontSave, Cancel, FailingSave}) {
            std::string here = std::string(path.name) + " " + std::to_string(answer);
            app = std::make_unique<App>();
            OpenWindow(1);
            ChangedChart();
            const std::wstring file = File(L"chart.qdrx");
            app->shell.chartPath = file;
            DeleteFileW(file.c_str());
            MessageBoxRecorder boxes({answer == Save || answer == FailingSave ? IDYES
                                      : answer == DontSave                    ? IDNO
                                                                              : IDCANCEL,
                                      IDOK});
            if (answer == FailingSave) SetSaveWriteLimit(100);
            bool wentOn = path.run(*this);
            SetSaveWriteLimit(std::nullopt);
            ASSERT_FALSE(boxes.Shown().empty()) << here;
            EXPECT_EQ(L"¿Desea guardar los cambios en chart.qdrx?", boxes.Shown()[0].text) << here;
            EXPECT_EQ(UINT(MB_YESNOCANCEL), boxes.Shown()[0].type & 0xF) << here;
            bool goesOn = answer == Save || answer == DontSave;
            EXPECT_EQ(goesOn, wentOn) << here;
            EXPECT_EQ(answer == Save, FileExistsForTest(file)) << here;
            if (!goesOn) {
                EXPECT_TRUE(app->doc.modified) << here;
                EXPECT_EQ(1, app->doc.cellGrid(1, 1).isBox) << here;
            }
            TearDown();
        }
    }
}

TEST_F(UnsavedChangesTest, UnchangedChartsKeepTheirOwnQuestions) {
    OpenWindow(1);
    Command(kCmdNewHorizontal24);
    MessageBoxRecorder boxes({IDNO});
    Command(kCmdNewHorizontal32);
    SendMessageW(Canvas(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_EQ(1u, boxes.Shown().size()) << "only the exit question";
    EXPECT_EQ(Tr(*app, MessageTable::ExitQuestion), boxes.Shown()[0].text);
    EXPECT_FALSE(app->shell.mainWindowEnded);
    Command(kCmdExit);
    EXPECT_EQ(1u, boxes.Shown().size());
    EXPECT_TRUE(app->shell.mainWindowEnded);
}

TEST_F(UnsavedChangesTest, CtrlSRecordsToTheChartsFileAndPromptsOnlyWithoutOne) {
    OpenWindow(1);
    ChangedChart();
    FileDialogRecorder dialogs({File(L"first.qdrx")});
    Keys(VK_CONTROL, 'S');
    ASSERT_EQ(1u, dialogs.Seen().size());
    EXPECT_TRUE(FileExistsForTest(File(L"first.qdrx")));
    EXPECT_FALSE(app->doc.modified);
    Command(kCmdCreateLine);
    DeleteFileW(File(L"first.qdrx").c_str());
    Keys(VK_CONTROL, 'S');
    EXPECT_EQ(1u, dialogs.Seen().size()) << "no prompt once the chart has a file";
    EXPECT_TRUE(FileExistsForTest(File(L"first.qdrx")));
    EXPECT_EQ(L"first.qdrx - Organigrama", Title(window));
    // The menu item still asks for the file.
    Command(kCmdRecordFile);
    EXPECT_EQ(2u, dialogs.Seen().size());
}

TEST_F(UnsavedChangesTest, ShortcutKeysRunTheirCommandsUnlessDisabled) {
    OpenWindow(1);
    Keys(VK_CONTROL, 'A'); // no table: disabled
    EXPECT_EQ(0, app->doc.selectAllOn);
    Command(kCmdNewHorizontal24);
    app->doc.cellGrid(1, 1).marked = app->doc.cellGrid(2, 1).marked = 1;
    Command(kCmdCreateTable);
    {
        // Nothing copied: the key does nothing. A paste that ran would say why it cannot paste,
        // here to the recorder instead of a real box.
        ASSERT_TRUE(IsDisabled(Bar(), kCmdPasteCell));
        MessageBoxRecorder boxes;
        const uint32_t changes = app->doc.changeCount;
        Keys(VK_CONTROL, 'V');
        EXPECT_TRUE(boxes.Shown().empty());
        EXPECT_EQ(changes, app->doc.changeCount);
    }
    Keys(VK_CONTROL, 'Z');
    EXPECT_EQ(0, app->doc.cellGrid(1, 1).isBox);
    EXPECT_FALSE(IsDisabled(Bar(), kCmdRedo));
    Keys(VK_CONTROL, 'Y');
    EXPECT_EQ(1, app->doc.cellGrid(1, 1).isBox);
    EXPECT_TRUE(IsDisabled(Bar(), kCmdRedo));
    Keys(VK_CONTROL, 'A');
    EXPECT_EQ(1, app->doc.selectAllOn);
    Keys(0, VK_DELETE); // Clear cell over the selection
    EXPECT_EQ(0, app->doc.selectAllOn);
    AssignField(app->doc.cellGrid(1, 1).text, u"copied");
    SendMessageW(Canvas(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
    Keys(VK_CONTROL, 'C');
    EXPECT_TRUE(app->doc.cellCopied);
    SendMessageW(Canvas(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(65, 40));
    Keys(VK_CONTROL, 'V');
    EXPECT_EQ(u"copied", FieldText(app->doc.cellGrid(2, 1).text));
    FileDialogRecorder dialogs;
    MessageBoxRecorder boxes({IDCANCEL});
    Keys(VK_CONTROL, 'O');
    EXPECT_EQ(1u, boxes.Shown().size()) << "the save question first";
}

TEST_F(UnsavedChangesTest, RecoveryCopyIsWrittenKeptWholeAndRemoved) {
    ASSERT_TRUE(BeginRecovery(app->recovery, folder.Path()));
    OpenWindow(1);
    std::wstring copy = app->recovery.folder + RecoveryFileName(app->recovery.base, RecoveryPart::Copy);
    ChangedChart();
    SendMessageW(window, WM_TIMER, kRecoveryTimerId, 0);
    ASSERT_TRUE(FileExistsForTest(copy));
    auto back = std::make_unique<Document>();
    ASSERT_EQ(1, ReadWorkFile(*back, copy, 1, nullptr));
    EXPECT_EQ(1, back->cellGrid(1, 1).isBox);
    // A write that fails leaves the last whole copy and is tried again at the next interval.
    Command(kCmdCreateLine);
    app->doc.cellGrid(3, 3).marked = 1;
    NoteEdit(app->doc);
    SetSaveWriteLimit(100);
    SendMessageW(window, WM_TIMER, kRecoveryTimerId, 0);
    SetSaveWriteLimit(std::nullopt);
    ASSERT_EQ(1, ReadWorkFile(*back, copy, 1, nullptr));
    EXPECT_EQ(0, back->cellGrid(3, 3).marked);
    SendMessageW(window, WM_TIMER, kRecoveryTimerId, 0);
    ASSERT_EQ(1, ReadWorkFile(*back, copy, 1, nullptr));
    EXPECT_EQ(1, back->cellGrid(3, 3).marked);
    // Recorded: the copy goes.
    FileDialogRecorder dialogs({File(L"kept.qdrx")});
    Command(kCmdRecordFile);
    EXPECT_FALSE(FileExistsForTest(copy));
    // A normal end removes every file of the program.
    NoteEdit(app->doc);
    SendMessageW(window, WM_TIMER, kRecoveryTimerId, 0);
    EXPECT_TRUE(FileExistsForTest(copy));
    EndRecoveryCopies(*app);
    EXPECT_FALSE(FileExistsForTest(copy));
    EXPECT_TRUE(FindLeftCharts(app->recovery).empty());
}

TEST_F(UnsavedChangesTest, LeftCopyIsOfferedOnlyOnceItsProgramEnded) {
    std::wstring rec = folder.Path();
    RecoveryRun other = OtherProgramsCopy(rec);

    ASSERT_TRUE(BeginRecovery(app->recovery, rec));
    {
        MessageBoxRecorder boxes({IDYES});
        OpenWindow(5);
        EXPECT_TRUE(boxes.Shown().empty()) << "its program still runs";
    }
    TearDown();
    CloseHandle(other.lock); // that program has ended
    app = std::make_unique<App>();
    ASSERT_TRUE(BeginRecovery(app->recovery, rec));
    MessageBoxRecorder boxes({IDYES});
    OpenWindow(5);
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(0u, boxes.Shown()[0].text.find(L"Restore the unsaved chart from "));
    EXPECT_NE(std::wstring::npos, boxes.Shown()[0].text.find(L"C:\\Charts\\team.qdrx"));
    EXPECT_EQ(1, app->doc.cellGrid(2, 2).isBox);
    EXPECT_TRUE(app->doc.modified);
    EXPECT_EQ(L"team.qdrx* - Organization chart", Title(window));
    EXPECT_TRUE(FindLeftCharts(app->recovery).empty()) << "the left files are gone";
}

// The end of the session keeps the copy of changes nobody recorded or dropped, with the last of
// them, for the next start; an unchanged chart and Don't Save end as a normal end does.
TEST_F(UnsavedChangesTest, EndOfSessionKeepsTheCopyOfChangesNeitherSavedNorDropped) {
    enum class Before { Nothing, Save, DontSave, QuestionOpen };
    struct Case {
        const char* name;
        bool changed;
        Before before;
        bool kept;
    };
    const Case cases[] = {
        {"unchanged", false, Before::Nothing, false},
        {"forced end", true, Before::Nothing, true},
        {"saved", true, Before::Save, false},
        {"don't save", true, Before::DontSave, false},
        {"question still open", true, Before::QuestionOpen, true},
    };
    for (const Case& c : cases) {
        ScratchFolder rec;
        app = std::make_unique<App>();
        ASSERT_TRUE(BeginRecovery(app->recovery, rec.Path()));
        OpenWindow(1);
        if (c.changed) {
            ChangedChart();
            SendMessageW(window, WM_TIMER, kRecoveryTimerId, 0);
            app->doc.cellGrid(3, 3).marked = 1; // a change the copy does not hold yet
            NoteEdit(app->doc);
        } else {
            Command(kCmdNewHorizontal24);
        }
        app->shell.chartPath = File(L"chart.qdrx");
        if (c.before == Before::Save || c.before == Before::DontSave) {
            MessageBoxRecorder boxes({c.before == Before::Save ? IDYES : IDNO});
            EXPECT_NE(0, SendMessageW(window, WM_QUERYENDSESSION, 0, 0)) << c.name;
            SendMessageW(window, WM_ENDSESSION, TRUE, 0);
        } else if (c.before == Before::QuestionOpen) {
            // "Restart anyway" while the save question waits for an answer.
            HWND main = window;
            SetMessageBoxSeam([main](HWND, const std::wstring&, const std::wstring&, UINT) {
                SendMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
                return IDCANCEL;
            });
            SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP);
            InstallUnattendedSeam();
        } else {
            SendMessageW(window, WM_ENDSESSION, TRUE, c.changed ? ENDSESSION_CRITICAL : 0);
        }
        const std::vector<LeftChart> left = FindLeftCharts(AnotherProgram(rec.Path()));
        ASSERT_EQ(c.kept ? 1u : 0u, left.size()) << c.name;
        if (c.kept) {
            auto back = std::make_unique<Document>();
            ASSERT_EQ(1, ReadWorkFile(*back, left[0].copyPath, 1, nullptr)) << c.name;
            EXPECT_EQ(1, back->cellGrid(3, 3).marked) << c.name;
            EXPECT_EQ(File(L"chart.qdrx"), left[0].note.chartPath) << c.name;
        }
        TearDown();
    }
}

// A left chart goes on No and when it is no work file; any other failure to read it keeps it for
// the next start and says so, and so does a restore whose own copy could not be written. While one
// program offers it, another neither sees nor offers it.
TEST_F(UnsavedChangesTest, ALeftCopyGoesOnlyOnNoOrWhenItIsNoWorkFile) {
    enum class Copy { Whole, NoWorkFile, Unreadable, OwnCopyFails };
    struct Case {
        const char* name;
        int answer;
        Copy copy;
        bool restored;
        bool kept;
    };
    const Case cases[] = {
        {"yes", IDYES, Copy::Whole, true, false},
        {"no", IDNO, Copy::Whole, false, false},
        {"no work file", IDYES, Copy::NoWorkFile, false, false},
        {"read error", IDYES, Copy::Unreadable, false, true},
        {"own copy not written", IDYES, Copy::OwnCopyFails, true, true},
    };
    for (const Case& c : cases) {
        ScratchFolder rec;
        RecoveryRun other = OtherProgramsCopy(rec.Path());
        const std::wstring copy = rec.Path() + RecoveryFileName(other.base, RecoveryPart::Copy);
        if (c.copy == Copy::NoWorkFile) WriteBytes(copy, std::string(4000, 'k'));
        CloseHandle(other.lock); // that program has ended

        app = std::make_unique<App>();
        ASSERT_TRUE(BeginRecovery(app->recovery, rec.Path()));
        size_t seenMeanwhile = 99;
        std::vector<ShownMessage> shown;
        SetMessageBoxSeam([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
            if (shown.empty()) seenMeanwhile = FindLeftCharts(AnotherProgram(rec.Path())).size();
            shown.push_back({text, L"", 0});
            return shown.size() == 1 ? c.answer : IDOK;
        });
        if (c.copy == Copy::Unreadable) SetReadFailureAfter(100);
        if (c.copy == Copy::OwnCopyFails) SetSaveWriteLimit(100);
        OpenWindow(5);
        SetReadFailureAfter(std::nullopt);
        SetSaveWriteLimit(std::nullopt);
        InstallUnattendedSeam();

        ASSERT_FALSE(shown.empty()) << c.name;
        EXPECT_EQ(0u, seenMeanwhile) << c.name << ": offered by this program, seen by another";
        EXPECT_EQ(c.restored, app->doc.tablePresent && app->doc.cellGrid(2, 2).isBox == 1) << c.name;
        const bool told = c.copy == Copy::NoWorkFile || c.copy == Copy::Unreadable;
        ASSERT_EQ(told ? 2u : 1u, shown.size()) << c.name;
        if (told && c.kept) {
            EXPECT_NE(std::wstring::npos, shown[1].text.find(Tr(*app, MessageTable::UnsavedChanges, 10)))
                << c.name;
        }
        TearDown();
        EXPECT_EQ(c.kept ? 1u : 0u, FindLeftCharts(AnotherProgram(rec.Path())).size()) << c.name;
    }
}
