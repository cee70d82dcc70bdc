// What the main window shows after a command: the menu bar and the toolbar take every state from
// the one state function, and every way a chart is read from a file shows the file's pages, no
// more and no fewer.
#include "ShellFixture.h"

#include "app/commands/FileCommands.h"
#include "app/shell/Refresh.h"
#include "app/shell/Toolbar.h"
#include "app/state/CommandIds.h"
#include "app/state/CommandStates.h"
#include "app/state/ItemState.h"
#include "app/state/RecoveryCopies.h"
#include "app/state/Settings.h"
#include "document/Structure.h"
#include "document/Undo.h"

#include <commctrl.h>

#include <functional>

namespace {

struct RefreshTest : MainWindowTest {
    ScratchFolder folder;
    void SetUp() override { DeleteFileW(SettingsPath().c_str()); }
    void TearDown() override {
        MainWindowTest::TearDown();
        DeleteFileW(SettingsPath().c_str());
    }
    std::wstring File(const wchar_t* name) const { return folder.Path() + name; }

    // A chart of two pages recorded as a book, then a one-page chart recorded as a work file: the
    // recent charts list the work file first, the book second.
    void BookAndWorkFile() {
        FileDialogRecorder dialogs({File(L"book.qdrb"), File(L"one.qdrx")});
        Command(kCmdNewHorizontal24);
        Command(kCmdFirstNewPage + 1);
        Command(kCmdRecordFile);
        Command(kCmdNewHorizontal32);
        Command(kCmdRecordFile);
        ASSERT_TRUE(FileExistsForTest(File(L"book.qdrb")) && FileExistsForTest(File(L"one.qdrx")));
    }
};

// Every item of the menu bar against the state function, and every toolbar button that stands
// for a menu item against that item.
void ExpectStatesOfTheState(const App& app, HWND window, const char* step) {
    HMENU bar = GetMenu(window);
    for (int id : GovernedCommands()) {
        const int state = ItemState(app, id);
        EXPECT_EQ(state == kItemDisabled, IsDisabled(bar, id)) << step << " item " << id;
        EXPECT_EQ(state == kItemChecked, IsChecked(bar, id)) << step << " item " << id;
    }
    HWND toolbar = GetDlgItem(window, kToolbarId);
    const int buttons = int(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < buttons; ++i) {
        TBBUTTON button{};
        SendMessageW(toolbar, TB_GETBUTTON, WPARAM(i), LPARAM(&button));
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        if (button.idCommand == 0 || !GetMenuItemInfoW(bar, UINT(button.idCommand), FALSE, &info)) continue;
        const bool enabled = SendMessageW(toolbar, TB_ISBUTTONENABLED, WPARAM(button.idCommand), 0) != 0;
        EXPECT_EQ((info.fState & MFS_DISABLED) == 0, enabled) << step << " button " << button.idCommand;
    }
}

} // namespace

TEST_F(RefreshTest, AfterEveryCommandMenuAndToolbarShowTheStatesOfTheState) {
    OpenWindow(3);
    MessageBoxRecorder boxes({IDYES, IDYES});
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"start", [] {}},
        {"new", [&] { Command(kCmdNewHorizontal24); }},
        {"box",
         [&] {
             app->doc.cellGrid(1, 1).marked = 1;
             Command(kCmdCreateTable);
         }},
        {"new page", [&] { Command(kCmdFirstNewPage + 2); }},
        {"previous page", [&] { Command(kCmdPreviousPage); }},
        {"move right", [&] { Command(kCmdMovePageRight); }},
        {"delete page", [&] { Command(kCmdDeletePage); }},
        {"undo delete", [&] { Command(kCmdUndo); }},
        {"select all", [&] { Command(kCmdSelectAll); }},
        {"undo", [&] { Command(kCmdUndo); }},
        {"redo", [&] { Command(kCmdRedo); }},
        {"mode", [&] { Command(kCmdInsertIcon); }},
        {"language", [&] { Command(kCmdFirstLanguage); }},
        {"delete again", [&] { Command(kCmdDeletePage); }},
    };
    for (const auto& [name, step] : steps) {
        step();
        ExpectStatesOfTheState(*app, window, name);
    }
}

// Read file, a recent chart and the command line open a book as its pages and a work file as one
// page, whatever was shown before.
TEST_F(RefreshTest, EveryWayOfReadingAChartShowsTheFilesPagesAlone) {
    OpenWindow(5);
    BookAndWorkFile();
    struct Way {
        const char* name;
        std::function<void(const std::wstring&)> open;
    };
    const std::vector<Way> ways = {
        {"read file",
         [&](const std::wstring& path) {
             FileDialogRecorder dialogs({path});
             Command(kCmdReadFile);
         }},
        {"recent chart",
         [&](const std::wstring& path) {
             Command(kCmdFirstRecentChart + (path == app->shell.recentCharts.at(0) ? 0 : 1));
         }},
        {"command line",
         [&](const std::wstring& path) {
             ApplyOutcome(*app, OpenCommandLineFile(*app, L"Cuadrix.exe \"" + path + L"\""));
         }},
    };
    for (const Way& way : ways)
        for (const auto& [file, pages] : {std::pair{L"book.qdrb", 2}, {L"one.qdrx", 1}, {L"book.qdrb", 2}}) {
            MessageBoxRecorder boxes;
            way.open(File(file));
            EXPECT_TRUE(boxes.Shown().empty()) << way.name;
            EXPECT_EQ(pages, PageCount(app->chart)) << way.name << " " << pages;
            EXPECT_EQ(std::wstring(file) + L" - Organization chart", WindowText(window)) << way.name;
        }
}

// A chart left by an ended program is offered before the chart named on the command line is read,
// which then replaces it whole (after the save question), never one of its pages.
TEST_F(RefreshTest, TheCommandLineChartIsReadAfterTheRecoveryOffer) {
    OpenWindow(5);
    BookAndWorkFile();
    TearDown();
    const std::wstring rec = File(L"rec\\");
    CreateDirectoryW(rec.c_str(), nullptr);
    {
        // A one-page chart left by a program that has ended (its lock let go).
        RecoveryRun ended;
        ended.folder = rec;
        ended.base = RecoveryBaseName(77, 1234);
        ended.lock = CreateFileW((rec + RecoveryFileName(ended.base, RecoveryPart::Lock)).c_str(),
                                 GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        auto chart = std::make_unique<Document>(); // far too large for the stack
        ApplyNewPreset(*chart, *FindNewPreset(kCmdNewHorizontal16));
        NoteEdit(*chart);
        RecoveryTick(ended, *chart, L"");
        ASSERT_TRUE(ended.state.copyOnDisk);
        CloseHandle(ended.lock);
    }
    app = std::make_unique<App>();
    app->shell.commandLine = L"Cuadrix.exe \"" + File(L"book.qdrb") + L"\"";
    ASSERT_TRUE(BeginRecovery(app->recovery, rec));
    MessageBoxRecorder boxes({IDYES, IDNO}); // restore it; then Don't Save
    OpenWindow(5);
    ASSERT_EQ(2u, boxes.Shown().size());
    EXPECT_EQ(2, PageCount(app->chart));
    EXPECT_EQ(L"book.qdrb - Organization chart", WindowText(window));
}
