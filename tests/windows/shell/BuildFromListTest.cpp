// "Build from list…" on the main window: the open dialog it asks, the message of a faulty or too
// large list (which change nothing), and a built chart that one Undo takes back, with the rulers
// of each table.
#include "ShellFixture.h"

#include "app/commands/ColumnDialog.h"
#include "app/commands/ColumnMemory.h"
#include "app/state/CommandIds.h"
#include "app/state/Settings.h"
#include "interaction/Redraw.h"
#include "render/Pictures.h"
#include "tests/portable/orgchart/SampleLists.h"

#include <algorithm>
#include <set>

namespace {

struct BuildFromListTest : MainWindowTest {
    ScratchFolder folder;
    std::wstring List(const std::string& bytes) {
        std::wstring path = folder.Path() + L"people.csv";
        WriteBytes(path, bytes);
        return path;
    }
    // The column choices the tests remember are not left in the settings beside the tests.
    void TearDown() override {
        WritePrivateProfileStringW(kColumnMemorySection, nullptr, nullptr, SettingsPath().c_str());
        MainWindowTest::TearDown();
    }
};

// Accepts the column dialog as it was filled in.
DialogAnswerer AcceptColumns() {
    return DialogAnswerer([](HWND dialog) {
        if (GetDlgItem(dialog, kColumnSummaryId)) PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
}

void Choose(HWND dialog, ListRole role, int item) {
    const int id = kColumnRoleComboId + int(role);
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, WPARAM(item), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(GetDlgItem(dialog, id)));
}

int Chosen(HWND dialog, ListRole role) {
    return int(SendDlgItemMessageW(dialog, kColumnRoleComboId + int(role), CB_GETCURSEL, 0, 0));
}

std::vector<std::wstring> BoxTexts(const Document& doc) {
    std::vector<std::wstring> texts;
    for (int r = 0; r < doc.tableRows; ++r)
        for (int c = 0; c < doc.tableColumns; ++c)
            if (doc.cellGrid(c, r).isBox && !doc.cellGrid(c, r).covered) {
                std::u16string_view text = FieldText(doc.cellGrid(c, r).text);
                texts.emplace_back(text.begin(), text.end());
            }
    std::sort(texts.begin(), texts.end());
    return texts;
}

} // namespace

TEST_F(BuildFromListTest, FaultyAndTooLargeListsAreToldAndChangeNothing) {
    OpenWindow(5); // English
    Command(kCmdNewHorizontal64);
    std::string faulty = "Name,Title,Manager\nAna,Boss,\n,,Ana\n";
    for (int i = 0; i < 11; ++i)
        faulty += "P" + std::to_string(i) + ",Clerk,Zoe\n";
    FileDialogRecorder dialogs({List(faulty)});
    MessageBoxRecorder boxes;
    DialogAnswerer accept = AcceptColumns();
    Command(kCmdBuildFromList);
    ASSERT_EQ(1u, dialogs.Seen().size());
    EXPECT_FALSE(dialogs.Seen()[0].save);
    EXPECT_EQ(L"*.csv;*.txt;*.tsv", dialogs.Seen()[0].filters.at(0).second);
    ASSERT_EQ(1u, boxes.Shown().size());
    std::wstring expected = L"The chart was not built; these lines of the list are wrong:\r\nLine 3: no name";
    for (int line = 4; line <= 12; ++line)
        expected +=
            L"\r\nLine " + std::to_wstring(line) + L": the manager \u201cZoe\u201d is not in the list";
    expected += L"\r\n\u2026 and 2 more faulty lines.";
    EXPECT_EQ(expected, boxes.Shown()[0].text);
    EXPECT_EQ(64, app->doc.cellWidth);

    // One manager with more direct reports than any table holds: not even pages take them.
    Command(kCmdFirstLanguage); // Spanish
    std::string flat = "Name,Title,Manager\nAna,Boss,\n";
    for (int i = 0; i < 3000; ++i)
        flat +=
            "P" + std::to_string(i) + ",Clerk with a long job title number " + std::to_string(i) + ",Ana\n";
    dialogs.Answer(List(flat));
    Command(kCmdBuildFromList);
    ASSERT_EQ(2u, boxes.Shown().size());
    EXPECT_EQ(0u, boxes.Shown()[1].text.find(L"El organigrama de 3001 personas necesitaría "))
        << boxes.Shown()[1].text;
    EXPECT_EQ(17, app->doc.tableColumns);
    EXPECT_EQ(1, PageCount(app->chart));

    // A large organisation of teams builds into pages, the first one shown.
    dialogs.Answer(List(LargeList(2000)));
    Command(kCmdBuildFromList);
    EXPECT_EQ(2u, boxes.Shown().size());
    EXPECT_GT(PageCount(app->chart), 1);
    EXPECT_EQ(0, app->chart.shown);
    EXPECT_TRUE(app->doc.tablePresent);
}

TEST_F(BuildFromListTest, ABuiltChartIsShownAndOneUndoBringsBackTheTableBefore) {
    OpenWindow(1);
    Command(kCmdNewHorizontal24);
    // The table before is a recorded chart; the built chart is a new one, recorded only where asked.
    const std::wstring team = folder.Path() + L"Team.qdrx";
    FileDialogRecorder dialogs({team, List(HundredPeopleList(';', true)), L""});
    Command(kCmdRecordFile);
    const std::string teamBytes = ReadBytes(team);
    ASSERT_FALSE(teamBytes.empty());
    MessageBoxRecorder boxes;
    DialogAnswerer accept = AcceptColumns();
    Command(kCmdBuildFromList);
    EXPECT_TRUE(boxes.Shown().empty());
    wchar_t title[200] = L"";
    GetWindowTextW(window, title, 200);
    EXPECT_EQ(Tr(*app, MessageTable::UnsavedChanges, 1) + L"* - " + Tr(*app, MessageTable::Chart, 1),
              std::wstring(title));
    Command(kCmdRecordToChartFile); // Ctrl+S
    ASSERT_EQ(3u, dialogs.Seen().size());
    EXPECT_TRUE(dialogs.Seen()[2].save);
    EXPECT_EQ(teamBytes, ReadBytes(team));
    int boxCount = 0;
    for (int r = 0; r < app->doc.tableRows; ++r)
        for (int c = 0; c < app->doc.tableColumns; ++c)
            boxCount += app->doc.cellGrid(c, r).isBox && !app->doc.cellGrid(c, r).covered;
    EXPECT_EQ(100, boxCount);
    EXPECT_TRUE(app->doc.modified);
    Command(kCmdUndo);
    EXPECT_EQ(24, app->doc.cellWidth);
    EXPECT_EQ(44, app->doc.tableColumns);
    EXPECT_EQ(0, app->doc.cellGrid(0, 0).isBox);
}

// Built over a book with an unrecorded change, a chart replaces every page after the save question,
// and one Undo brings the whole book back under its own name.
TEST_F(BuildFromListTest, ABuildOverABookReplacesEveryPageAndUndoBringsTheBookBack) {
    OpenWindow(5);
    const std::wstring book = folder.Path() + L"Book.qdrb";
    FileDialogRecorder dialogs({book, List(HundredPeopleList(';', true))});
    Command(kCmdNewHorizontal24);
    Command(kCmdFirstNewPage + 1);
    Command(kCmdRecordFile);
    app->doc.cellGrid(1, 1).marked = 1;
    Command(kCmdCreateTable);
    MessageBoxRecorder boxes({IDNO}); // Don't Save
    DialogAnswerer accept = AcceptColumns();
    Command(kCmdBuildFromList);
    EXPECT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(1, PageCount(app->chart));
    EXPECT_EQ(L"Untitled* - Organization chart", WindowText(window));
    Command(kCmdUndo);
    EXPECT_EQ(2, PageCount(app->chart));
    EXPECT_EQ(1, app->doc.cellGrid(1, 1).isBox);
    EXPECT_EQ(L"Book.qdrb* - Organization chart", WindowText(window));
}

// Each grid of the "New" presets is replaced by a built chart and brought back by Undo and Redo:
// after each step the rulers show what drawing them again shows, including the grids of the same
// cell size and other counts.
TEST_F(BuildFromListTest, UndoAndRedoOfABuildShowTheRulersOfTheTableTheyBringBack) {
    OpenWindow(5);
    app->shell.rulerStyle = 3; // a numbered box for every column and row
    auto rulers = [&] {
        const RenderState& render = app->render;
        std::vector<uint32_t> pixels = ReadPixels(render.horizontalRulerPicture.Dc(),
                                                  render.horizontalRulerPicture.Width(), kRulerThickness);
        const std::vector<uint32_t> vertical =
            ReadPixels(render.rulerView.Dc(), kRulerThickness, render.rulerView.Height());
        pixels.insert(pixels.end(), vertical.begin(), vertical.end());
        return pixels;
    };
    auto expectRedrawn = [&](const char* step, int preset) {
        const std::vector<uint32_t> shown = rulers();
        RedrawRulers(*app);
        EXPECT_TRUE(shown == rulers()) << step << " from preset " << preset;
    };
    const std::wstring list = List("Name,Title,Manager\nAna,Boss,\nLuis,Clerk,Ana\nMarta,Clerk,Ana\n");
    DialogAnswerer accept = AcceptColumns();
    for (int preset : {kCmdNewHorizontal16, kCmdNewHorizontal24, kCmdNewHorizontal32, kCmdNewHorizontal64,
                       kCmdNewVertical16, kCmdNewVertical24, kCmdNewVertical32, kCmdNewVertical64}) {
        MessageBoxRecorder boxes({IDNO}); // the built chart of the round before is dropped
        Command(preset);
        FileDialogRecorder dialogs({list});
        Command(kCmdBuildFromList);
        expectRedrawn("build", preset);
        Command(kCmdUndo);
        expectRedrawn("undo", preset);
        Command(kCmdRedo);
        expectRedrawn("redo", preset);
    }
}

TEST_F(BuildFromListTest, TheColumnDialogShowsWhatWasFoundBuildsWhatIsChosenAndRemembersIt) {
    OpenWindow(5); // English
    Command(kCmdNewHorizontal64);
    // Two columns could be the manager; the first is taken: Carl under Bea under Ana.
    const std::wstring list =
        List("Code;Who;Job;Upline;Mentor\n7;Ana;Director;;\n8;Bea;Sales;7;7\n9;Carl;Systems;8;7\n");
    auto summary = [&](int people, int tops, int levels) {
        std::wstring text = Tr(*app, MessageTable::ChartFromList, 23);
        for (int n : {people, tops, levels})
            text.replace(text.find(L'%'), 2, std::to_wstring(n));
        return text;
    };
    std::vector<std::wstring> seen;
    std::vector<int> prefilled, repeatedIds;
    bool cancel = true;
    HWND answered = nullptr;
    int shown = 0;
    DialogAnswerer answerer([&](HWND dialog) {
        // Only the column dialog, once: the main window is a dialog too, activated again after it.
        if (dialog == answered || WindowText(dialog) != Tr(*app, MessageTable::ChartFromList, 21)) return;
        answered = dialog;
        ++shown;
        prefilled.clear();
        for (int r = 0; r < kListRoles; ++r)
            prefilled.push_back(Chosen(dialog, ListRole(r)));
        seen.push_back(WindowText(GetDlgItem(dialog, kColumnSummaryId)));
        // Every control answers to an id of its own: the dialog finds its controls by id.
        std::set<int> ids;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (const int id = GetDlgCtrlID(child); id > 0 && id != 0xFFFF && !ids.insert(id).second)
                repeatedIds.push_back(id);
        // Managers from the last column, no job titles.
        Choose(dialog, ListRole::Manager, 5);
        Choose(dialog, ListRole::Title, 0);
        seen.push_back(WindowText(GetDlgItem(dialog, kColumnSummaryId)));
        PostMessageW(dialog, WM_COMMAND, cancel ? IDCANCEL : IDOK, 0);
    });
    FileDialogRecorder dialogs({list, list, list});
    MessageBoxRecorder boxes;
    Command(kCmdBuildFromList); // cancelled: nothing changes
    EXPECT_EQ(17, app->doc.tableColumns);
    EXPECT_TRUE(BoxTexts(app->doc).empty());
    EXPECT_FALSE(app->doc.modified);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ((std::vector<int>{2, 0, 0, 3, 1, 4}), prefilled);
    EXPECT_EQ(summary(3, 1, 3), seen[0]);
    EXPECT_EQ(summary(3, 1, 2), seen[1]);

    cancel = false;
    answered = nullptr;
    Command(kCmdBuildFromList);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ((std::vector<std::wstring>{L"Ana", L"Bea", L"Carl"}), BoxTexts(app->doc));
    answered = nullptr;
    // The same header again: the dialog comes filled in with the choice made.
    Command(kCmdBuildFromList);
    EXPECT_EQ((std::vector<int>{2, 0, 0, 0, 1, 5}), prefilled);
    EXPECT_EQ(3, shown);
    EXPECT_TRUE(repeatedIds.empty());
}
