// "Update from list…" on the main window: the comparison dialog's Cancel changes nothing, its
// "Save comparison…" writes the CSV file, Update keeps a styled box's look, and one Undo brings the
// chart from before back whole.
#include "ShellFixture.h"

#include "app/commands/ColumnDialog.h"
#include "app/commands/ColumnMemory.h"
#include "app/state/CommandIds.h"
#include "app/commands/ComparisonDialog.h"
#include "app/state/Settings.h"
#include "document/PersonTag.h"

#include <cstring>

namespace {

struct UpdateFromListTest : MainWindowTest {
    ScratchFolder folder;
    std::wstring List(const std::wstring& name, const std::string& bytes) {
        std::wstring path = folder.Path() + name;
        WriteBytes(path, bytes);
        return path;
    }
    void TearDown() override {
        WritePrivateProfileStringW(kColumnMemorySection, nullptr, nullptr, SettingsPath().c_str());
        MainWindowTest::TearDown();
    }
    CellRecord* BoxOf(const std::u16string& id) {
        for (int r = 0; r < app->doc.tableRows; ++r)
            for (int c = 0; c < app->doc.tableColumns; ++c) {
                PersonTag tag;
                if (ReadPersonTag(app->doc.cellGrid(c, r), tag) && tag.kind == TagKind::Person &&
                    tag.key == id)
                    return &app->doc.cellGrid(c, r);
            }
        return nullptr;
    }
};

// Accepts the column dialog, and answers the comparison with `button` after `first` (0: none).
DialogAnswerer Answer(int first, int button) {
    return DialogAnswerer([first, button](HWND dialog) {
        if (GetDlgItem(dialog, kColumnSummaryId)) PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        if (GetDlgItem(dialog, kComparisonListId)) {
            if (first) PostMessageW(dialog, WM_COMMAND, first, 0);
            PostMessageW(dialog, WM_COMMAND, button, 0);
        }
    });
}

const char kBefore[] = "id,name,title,manager\r\nE1,Ana Roca,Director,\r\nE2,Jon Vidal,Sales,E1\r\n"
                       "E3,Eva Soler,Clerk,E2\r\nE4,Eva Soler,Clerk,E1\r\n";
const char kAfter[] = "id,name,title,manager\r\nE1,Ana Roca,Director,\r\nE2,Jon Vidal,Head of sales,E1\r\n"
                      "E4,Eva Soler,Clerk,E2\r\nE5,Pau Roca,Clerk,E2\r\n";

} // namespace

TEST_F(UpdateFromListTest, CancelChangesNothingUpdateKeepsLooksAndOneUndoBringsTheChartBack) {
    OpenWindow(5);
    Command(kCmdNewHorizontal24);
    const std::wstring csv = folder.Path() + L"changes.csv";
    FileDialogRecorder dialogs(
        {List(L"before.csv", kBefore), List(L"after.csv", kAfter), List(L"after.csv", kAfter), csv});
    {
        DialogAnswerer accept = Answer(0, IDOK);
        Command(kCmdBuildFromList);
    }
    ASSERT_NE(nullptr, BoxOf(u"E2"));
    BoxOf(u"E2")->backColor = 0x3366CC;
    BoxOf(u"E2")->bold = 1;
    BoxOf(u"E4")->backColor = 0x00AA00;
    const std::vector<CellRecord> before = app->doc.cellGrid.slots;
    const int16_t columns = app->doc.tableColumns, rows = app->doc.tableRows;
    auto same = [&] {
        return columns == app->doc.tableColumns && rows == app->doc.tableRows &&
               std::memcmp(before.data(), app->doc.cellGrid.slots.data(),
                           before.size() * sizeof(CellRecord)) == 0;
    };
    {
        DialogAnswerer cancel = Answer(0, IDCANCEL);
        Command(kCmdUpdateFromList);
    }
    EXPECT_TRUE(same());
    {
        DialogAnswerer update = Answer(kComparisonSaveId, IDOK);
        Command(kCmdUpdateFromList);
    }
    ASSERT_EQ(4u, dialogs.Seen().size());
    EXPECT_TRUE(dialogs.Seen()[3].save);
    // Joined Pau Roca, left the first Eva Soler, moved the second, Jon Vidal's title changed.
    EXPECT_EQ("\xEF\xBB\xBF"
              "Change,Id,Name,Title,Manager before,Manager after\r\n"
              "Name or title,E2,Jon Vidal,Sales \xE2\x86\x92 Head of sales,Ana Roca,Ana Roca\r\n"
              "Moved,E4,Eva Soler,Clerk,Ana Roca,Jon Vidal\r\n"
              "Joined,E5,Pau Roca,Clerk,,Jon Vidal\r\n"
              "Left,E3,Eva Soler,Clerk,Jon Vidal,\r\n",
              ReadBytes(csv));
    ASSERT_NE(nullptr, BoxOf(u"E2"));
    EXPECT_EQ(0x3366CC, BoxOf(u"E2")->backColor);
    EXPECT_EQ(1, BoxOf(u"E2")->bold);
    EXPECT_EQ(u"Jon Vidal Head of sales", FieldText(BoxOf(u"E2")->text));
    EXPECT_EQ(nullptr, BoxOf(u"E3"));
    ASSERT_NE(nullptr, BoxOf(u"E5"));
    EXPECT_EQ(0x00AA00, BoxOf(u"E5")->backColor) << "the look of the team joined";
    EXPECT_TRUE(app->doc.modified);
    Command(kCmdUndo);
    EXPECT_TRUE(same());
}
