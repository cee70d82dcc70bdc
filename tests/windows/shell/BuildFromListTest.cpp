// "Build from list…" on the main window: the open dialog it asks, the message of a faulty or too
// large list (which change nothing), and a built chart that one Undo takes back, with the rulers
// of each table.
#include "ShellFixture.h"

#include "app/CommandIds.h"
#include "interaction/Redraw.h"
#include "render/Pictures.h"
#include "tests/portable/orgchart/SampleLists.h"

namespace {

struct BuildFromListTest : MainWindowTest {
    ScratchFolder folder;
    std::wstring List(const std::string& bytes) {
        std::wstring path = folder.Path() + L"people.csv";
        WriteBytes(path, bytes);
        return path;
    }
};

} // namespace

TEST_F(BuildFromListTest, FaultyAndTooLargeListsAreToldAndChangeNothing) {
    OpenWindow(5); // English
    Command(kCmdNewHorizontal64);
    std::string faulty = "Name,Title,Manager\nAna,Boss,\n,Nobody,Ana\n";
    for (int i = 0; i < 11; ++i)
        faulty += "P" + std::to_string(i) + ",Clerk,Zoe\n";
    FileDialogRecorder dialogs({List(faulty)});
    MessageBoxRecorder boxes;
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
    FileDialogRecorder dialogs({List(HundredPeopleList(';', true))});
    MessageBoxRecorder boxes;
    Command(kCmdBuildFromList);
    EXPECT_TRUE(boxes.Shown().empty());
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
