// Commands sent to the real main window: check marks of the character set, mouse modes and copy
// configurator, the ruler button, the favourite background, language switches, the new-table
// presets, the edit messages and the read and save flows.
#include "ShellFixture.h"

#include "app/shell/MainWindow.h"
#include "app/shell/Menu.h"
#include "app/state/CommandIds.h"
#include "app/state/Settings.h"
#include "document/Structure.h"
#include "interaction/Redraw.h"
#include "render/AnsiText.h"

#include <vector>

namespace {

int IniValue(const wchar_t* section, const wchar_t* key) {
    return static_cast<int>(GetPrivateProfileIntW(section, key, -12345, SettingsPath().c_str()));
}

// Tests that look at the settings file start without one and leave none behind.
struct CommandsTest : MainWindowTest {
    void SetUp() override { DeleteFileW(SettingsPath().c_str()); }
    void TearDown() override {
        MainWindowTest::TearDown();
        DeleteFileW(SettingsPath().c_str());
    }
    bool SettingsWritten() const { return FileExistsForTest(SettingsPath()); }

    HWND Canvas() const { return GetDlgItem(window, kCanvasId); }

    // A 24-pixel landscape table with one chart box at (1, 1).
    void TableWithOneBox() {
        Command(kCmdNewHorizontal24);
        app->doc.cellGrid(1, 1).marked = 1;
        Command(kCmdCreateTable);
        ASSERT_EQ(1, app->doc.cellGrid(1, 1).isBox);
    }
    void SelectOneCell(int column, int row) {
        app->doc.selectionCount = 1;
        app->doc.selectionColumn = static_cast<int16_t>(column);
        app->doc.selectionRow = static_cast<int16_t>(row);
        app->doc.cellGrid(column, row).selected = 1;
    }
};

void ExpectTableCommands(HMENU bar, bool enabled) {
    for (int id : kTableCommands)
        EXPECT_EQ(!enabled, IsDisabled(bar, id)) << id;
}

} // namespace

TEST_F(CommandsTest, CharacterSetItemChecksItselfAloneAndWaitsForTheNextSave) {
    OpenWindow(1);
    Command(1097); // Hebrew
    EXPECT_EQ(177, app->shell.characterSet);
    for (int id = kCmdFirstCharacterSet; id <= kCmdLastCharacterSet; ++id)
        EXPECT_EQ(id == 1097, IsChecked(Bar(), id)) << id;
    EXPECT_FALSE(SettingsWritten());
    Command(1103); // OEM
    EXPECT_EQ(255, app->shell.characterSet);
    EXPECT_FALSE(IsChecked(Bar(), 1097));
    EXPECT_TRUE(IsChecked(Bar(), 1103));
}

TEST_F(CommandsTest, MouseModeItemsCheckExactlyOneOfTheirGroup) {
    OpenWindow(1);
    for (size_t mode = 0; mode < kLeftModeCommands.size(); ++mode) {
        Command(kLeftModeCommands[mode]);
        EXPECT_EQ(static_cast<int>(mode) + 1, app->shell.leftMouseMode);
        for (size_t other = 0; other < kLeftModeCommands.size(); ++other)
            EXPECT_EQ(other == mode, IsChecked(Bar(), kLeftModeCommands[other])) << mode << " " << other;
    }
    Command(kCmdFavouriteColours);
    EXPECT_EQ(2, app->shell.rightMouseMode);
    EXPECT_TRUE(IsChecked(Bar(), kCmdFavouriteColours));
    EXPECT_FALSE(IsChecked(Bar(), kCmdCapturingColor));
    EXPECT_TRUE(IsChecked(Bar(), kCmdInsertIcon)) << "the left mode is untouched";
    Command(kCmdCapturingColor);
    EXPECT_EQ(1, app->shell.rightMouseMode);
    EXPECT_FALSE(IsChecked(Bar(), kCmdFavouriteColours));
}

TEST_F(CommandsTest, CopyConfiguratorTogglesAndTheAllFieldsItemsLeaveTheIconAlone) {
    OpenWindow(1);
    Command(1075); // Size
    EXPECT_EQ(0, app->shell.copyFlags[kCopyFontSize]);
    EXPECT_FALSE(IsChecked(Bar(), 1075));
    Command(1075);
    EXPECT_EQ(1, app->shell.copyFlags[kCopyFontSize]);
    EXPECT_TRUE(IsChecked(Bar(), 1075));

    Command(1110); // Icon off
    Command(kCmdDeselectAllFields);
    for (int field = 0; field < kCopyFieldCount; ++field) {
        EXPECT_EQ(0, app->shell.copyFlags[field]) << field;
        EXPECT_FALSE(IsChecked(Bar(), kCopyFieldCommands[field])) << field;
    }
    Command(kCmdSelectAllFields);
    for (int field = 0; field < kCopyFieldCount; ++field)
        EXPECT_EQ(field != kCopyIcon, IsChecked(Bar(), kCopyFieldCommands[field])) << field;
    EXPECT_EQ(0, app->shell.copyFlags[kCopyIcon]) << "\"Select all fields\" leaves the icon unchecked";

    Command(1110); // Icon on
    Command(kCmdDeselectAllFields);
    EXPECT_EQ(1, app->shell.copyFlags[kCopyIcon]);
    EXPECT_TRUE(IsChecked(Bar(), 1110));
    EXPECT_FALSE(IsChecked(Bar(), 1072));
    EXPECT_FALSE(SettingsWritten());
}

TEST_F(CommandsTest, RulerButtonCyclesThreeStylesAndWritesTheSettingsEachTime) {
    OpenWindow(1);
    HWND button = GetDlgItem(window, kRulerButtonId);
    // Only clicks count.
    Command(kCmdRulerStyle, BN_SETFOCUS);
    EXPECT_EQ(1, app->shell.rulerStyle);
    EXPECT_FALSE(SettingsWritten());

    int expected[] = {2, 3, 1};
    for (int press = 0; press < 3; ++press) {
        SetFocus(button);
        SendMessageW(button, BM_CLICK, 0, 0);
        PumpMessages();
        EXPECT_EQ(expected[press], app->shell.rulerStyle) << press;
        EXPECT_EQ(expected[press], IniValue(L"General", L"Regleta")) << press;
        EXPECT_EQ(Canvas(), GetFocus()) << "the canvas takes the focus back";
        DeleteFileW(SettingsPath().c_str());
    }
}

TEST_F(CommandsTest, FavouriteBackgroundTakesTheCapturedColourIntoTheSwatchAndTheSettings) {
    OpenWindow(5);
    Command(kCmdInsertImage);
    Command(1096); // Turkish
    HMENU oldBar = Bar();
    app->canvas.capturedColor = RGB(10, 120, 230);
    Command(kCmdFavouriteBackground);

    EXPECT_EQ(static_cast<int32_t>(RGB(10, 120, 230)), app->shell.favouriteBackground);
    EXPECT_EQ(static_cast<int>(RGB(10, 120, 230)), IniValue(L"General", L"Color fondo"));
    EXPECT_FALSE(IsMenu(oldBar));
    HMENU colour = SubMenu(Bar(), 7);
    HBITMAP swatch = ItemPicture(colour, 0);
    ASSERT_NE(nullptr, swatch);
    MemoryDC dc(nullptr);
    {
        ScopedSelect select(dc.Get(), swatch);
        EXPECT_EQ(RGB(10, 120, 230), GetPixel(dc.Get(), 7, 7));
        EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc.Get(), 0, 0));
    }
    // The rebuilt bar carries the states of before.
    EXPECT_TRUE(IsChecked(Bar(), kCmdInsertImage));
    EXPECT_FALSE(IsChecked(Bar(), kCmdCellSelector));
    EXPECT_TRUE(IsChecked(Bar(), 1096));
    ExpectTableCommands(Bar(), false);
    EXPECT_EQ(L"Operations", ItemText(Bar(), 0));
    // The swatch is made in memory: nothing is left in the program folder.
    EXPECT_FALSE(FileExistsForTest(FolderPart(SettingsPath()) + L"colorp.bmp"));
}

TEST_F(CommandsTest, LanguageSwitchWithoutTableRenamesEverythingAndKeepsTheStates) {
    OpenWindow(1);
    Command(1101); // Thai
    Command(kCmdEditText);
    Command(kCmdFavouriteColours);
    Command(1077);                  // Italic off
    Command(kCmdFirstLanguage + 4); // English

    EXPECT_EQ(5, app->shell.languageIndex);
    EXPECT_EQ(5, IniValue(L"General", L"Idioma")) << "written at once";
    EXPECT_EQ(0, IniValue(L"Config Copia", L"Italica"));
    EXPECT_EQ(L"Organization chart", WindowText(window));
    EXPECT_EQ(L"Operations", ItemText(Bar(), 0));
    EXPECT_EQ(L"Character set", ItemText(Bar(), 8));
    EXPECT_TRUE(IsChecked(Bar(), 1101));
    EXPECT_FALSE(IsChecked(Bar(), 1090));
    EXPECT_TRUE(IsChecked(Bar(), kCmdEditText));
    EXPECT_FALSE(IsChecked(Bar(), kCmdCellSelector));
    EXPECT_TRUE(IsChecked(Bar(), kCmdFavouriteColours));
    EXPECT_FALSE(IsChecked(Bar(), kCmdCapturingColor));
    EXPECT_FALSE(IsChecked(Bar(), 1077));
    EXPECT_TRUE(IsChecked(Bar(), 1076));
    ExpectTableCommands(Bar(), false);
    EXPECT_TRUE(IsDisabled(Bar(), kCmdUndo));
    EXPECT_TRUE(IsDisabled(Bar(), kCmdPasteCell));
}

TEST_F(CommandsTest, PresetDrawsTheFreshGridAndEnablesTheTableCommandsButNotUndoOrPaste) {
    OpenWindow(1);
    Command(kCmdNewHorizontal24);
    EXPECT_TRUE(app->doc.tablePresent);
    EXPECT_EQ(44, app->doc.tableColumns);
    EXPECT_EQ(31, app->doc.tableRows);
    EXPECT_EQ(1, app->canvas.canvasActive);
    ExpectTableCommands(Bar(), true);
    EXPECT_TRUE(IsDisabled(Bar(), kCmdUndo));
    EXPECT_TRUE(IsDisabled(Bar(), kCmdPasteCell));
    EXPECT_EQ(Canvas(), GetFocus());

    // The box of cell (0, 0) runs from (4, 4) to (28, 28) in light grey, filled white; the next
    // cell starts at x = 29.
    Picture shown = CaptureClient(Canvas());
    EXPECT_EQ(RGB(192, 192, 192), PixelAt(shown.Dc(), 4, 10));
    EXPECT_EQ(RGB(192, 192, 192), PixelAt(shown.Dc(), 10, 4));
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(shown.Dc(), 15, 15));
    EXPECT_EQ(RGB(192, 192, 192), PixelAt(shown.Dc(), 29, 15));
}

TEST_F(CommandsTest, SnapshotEnablesUndoAndTheFirstCopyEnablesPasteForGood) {
    OpenWindow(1);
    TableWithOneBox();
    EXPECT_FALSE(IsDisabled(Bar(), kCmdUndo)) << "\"Create table\" took a snapshot";
    EXPECT_TRUE(IsDisabled(Bar(), kCmdPasteCell));

    SelectOneCell(1, 1);
    Command(kCmdCopyCell);
    EXPECT_TRUE(app->doc.cellCopied);
    EXPECT_FALSE(IsDisabled(Bar(), kCmdPasteCell));

    {
        MessageBoxRecorder dontSave({IDNO});
        Command(kCmdNewVertical32);
        ASSERT_EQ(1u, dontSave.Shown().size()) << "the save question";
    }
    EXPECT_TRUE(IsDisabled(Bar(), kCmdUndo)) << "a new table starts without history";
    EXPECT_FALSE(IsDisabled(Bar(), kCmdPasteCell));
    Command(kCmdFirstLanguage + 3); // German
    EXPECT_FALSE(IsDisabled(Bar(), kCmdPasteCell));
    EXPECT_TRUE(IsDisabled(Bar(), kCmdUndo));
    ExpectTableCommands(Bar(), true);
}

TEST_F(CommandsTest, LanguageSwitchWithATableBeforeAnyCopyKeepsPasteDisabled) {
    OpenWindow(5);
    Command(kCmdNewHorizontal16);
    Command(kCmdFirstLanguage);
    ExpectTableCommands(Bar(), true);
    EXPECT_TRUE(IsDisabled(Bar(), kCmdPasteCell));
    EXPECT_EQ(L"Sin título - Organigrama", WindowText(window)); // a chart without a file yet
}

TEST_F(CommandsTest, RefusedEditsShowTheirMessagesInTheCurrentLanguage) {
    OpenWindow(5);
    TableWithOneBox();
    MessageBoxRecorder boxes;
    Command(kCmdCopyCell);
    Command(kCmdPasteCell); // disabled: ignored
    Command(kCmdClearCell);
    Command(kCmdCancelCell);
    Command(kCmdMergeHorizontal);
    Command(kCmdMergeVertical);
    // A copy from beyond the table (the one before was wider) leaves nothing to paste.
    app->doc.cellCopied = true;
    app->doc.copySourceColumn = static_cast<int16_t>(app->doc.tableColumns + 3);
    SelectOneCell(1, 1);
    Command(kCmdPasteCell);
    std::vector<std::wstring> expected = {
        L"To copy cell : \r\nSelect cell ...",
        L"To clear cell : \r\nSelect cell ...",
        L"To override cell : \r\nSelect cell ...",
        L"Feeling it so much I can not join Horizontal cells ...\r\nIt has not been chosen correction ...",
        L"Feeling it so much I can not join Vertical cells ...\r\nIt has not been chosen correction ...",
        L"To paste cell : \r\nCopy a cell first ...",
    };
    ASSERT_EQ(expected.size(), boxes.Shown().size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i], boxes.Shown()[i].text);
        EXPECT_EQ(L"Programmer", boxes.Shown()[i].caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Shown()[i].type & MB_TYPEMASK);
    }
}

TEST_F(CommandsTest, TableCommandsDoNothingBeforeTheFirstTable) {
    OpenWindow(1);
    MessageBoxRecorder boxes;
    FileDialogRecorder dialogs({L"C:\\never.qdrx"});
    for (int id : kTableCommands)
        Command(id);
    Command(kCmdUndo);
    Command(kCmdPasteCell);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(dialogs.Seen().empty());
    EXPECT_FALSE(app->doc.tablePresent);
}

TEST_F(CommandsTest, SaveOntoAnExistingFileAsksAndOnlyYesOverwrites) {
    ScratchFolder folder;
    std::wstring path = folder.Path() + L"chart.qdrx";
    WriteBytes(path, "old content");
    OpenWindow(5);
    Command(kCmdNewHorizontal64);
    app->shell.workFilePath = L"C:\\previous\\before.qdrx";

    FileDialogRecorder dialogs({path, path});
    MessageBoxRecorder boxes({IDNO, IDYES});
    Command(kCmdRecordFile);
    EXPECT_EQ("old content", ReadBytes(path)) << "No leaves the file untouched";
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(L"File exists ...\r\nOverwrite ?", boxes.Shown()[0].text);
    EXPECT_EQ(L"Programmer", boxes.Shown()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Shown()[0].type & MB_TYPEMASK);
    ASSERT_EQ(1u, dialogs.Seen().size());
    EXPECT_TRUE(dialogs.Seen()[0].save);
    EXPECT_EQ(L"", dialogs.Seen()[0].suggestedName) << "the save always starts without a name";

    Command(kCmdRecordFile);
    EXPECT_EQ(2u, boxes.Shown().size());
    EXPECT_EQ(17u * 12u * 1345u, ReadBytes(path).size()) << "Yes writes every cell record";
    EXPECT_EQ(path, app->shell.workFilePath);
}

TEST_F(CommandsTest, SaveToANewFileAsksNothing) {
    ScratchFolder folder;
    std::wstring path = folder.Path() + L"new.qdrx";
    OpenWindow(1);
    Command(kCmdNewVertical64);
    FileDialogRecorder dialogs({path});
    MessageBoxRecorder boxes;
    Command(kCmdRecordFile);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(12u * 17u * 1345u, ReadBytes(path).size());
}

TEST_F(CommandsTest, ReadingAMissingFileSaysSoAndChangesNothing) {
    ScratchFolder folder;
    std::wstring missing = folder.Path() + L"gone.qdrx";
    OpenWindow(1);
    app->shell.workFilePath = L"C:\\charts\\last.qdrx";
    FileDialogRecorder dialogs({missing, missing});
    MessageBoxRecorder boxes;
    Command(kCmdReadFile);
    Command(kCmdReadPrevious);

    ASSERT_EQ(2u, dialogs.Seen().size());
    EXPECT_FALSE(dialogs.Seen()[0].save);
    EXPECT_EQ(L"last.qdrx", dialogs.Seen()[0].suggestedName) << "the read offers the last path";
    EXPECT_EQ(L"C:\\charts\\", dialogs.Seen()[0].initialFolder);
    ASSERT_EQ(2u, boxes.Shown().size());
    EXPECT_EQ(L"Fichero de trabajo : \r\n" + missing + L"\r\nNo Existe ...", boxes.Shown()[0].text);
    EXPECT_EQ(L"Programador", boxes.Shown()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Shown()[0].type & MB_TYPEMASK);
    EXPECT_EQ(boxes.Shown()[0].text, boxes.Shown()[1].text);
    EXPECT_FALSE(app->doc.tablePresent);
    EXPECT_EQ(0, app->canvas.canvasActive);
    ExpectTableCommands(Bar(), false);
}

TEST_F(CommandsTest, CancelledReadLeavesThePathEmptyAndReadsNothing) {
    OpenWindow(1);
    app->shell.workFilePath = L"C:\\charts\\last.qdrx";
    FileDialogRecorder dialogs({L""});
    MessageBoxRecorder boxes;
    Command(kCmdReadFile);
    EXPECT_EQ(L"", app->shell.workFilePath);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_FALSE(app->doc.tablePresent);
}

TEST_F(CommandsTest, ReadingASavedChartShowsItWithUndoDisabled) {
    ScratchFolder folder;
    std::wstring path = folder.Path() + L"round.qdrx";
    OpenWindow(1);
    TableWithOneBox();
    {
        FileDialogRecorder dialogs({path});
        Command(kCmdRecordFile);
    }
    DestroyWindow(window);
    app = std::make_unique<App>();
    OpenWindow(1);
    FileDialogRecorder dialogs({path});
    MessageBoxRecorder boxes;
    Command(kCmdReadFile);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(app->doc.tablePresent);
    EXPECT_EQ(44, app->doc.tableColumns);
    EXPECT_EQ(1, app->doc.cellGrid(1, 1).isBox);
    EXPECT_EQ(1, app->canvas.canvasActive);
    ExpectTableCommands(Bar(), true);
    EXPECT_TRUE(IsDisabled(Bar(), kCmdUndo));
    EXPECT_TRUE(IsDisabled(Bar(), kCmdPasteCell));
}

// Told once per file over any number of redraws (TablePicturesTest); each chart read is news again.
TEST_F(CommandsTest, EveryReadOfAChartTellsItsUnreadablePictureAgain) {
    ScratchFolder folder;
    const std::wstring chart = folder.Path() + L"photos.qdrx";
    const std::wstring broken = folder.Path() + L"broken.jpg";
    WriteBytes(broken, std::string(3000, 'j'));
    OpenWindow(1);
    TableWithOneBox();
    app->doc.cellGrid(1, 1).backColor = kNoColor;
    AssignField(app->doc.cellGrid(1, 1).imageSpec, WideToAnsi(broken) + "|0");
    FileDialogRecorder dialogs({chart, chart, chart});
    Command(kCmdRecordFile);

    MessageBoxRecorder boxes;
    for (size_t read = 1; read <= 2; ++read) {
        Command(kCmdReadFile);
        ASSERT_EQ(read, boxes.Shown().size());
        EXPECT_NE(std::wstring::npos, boxes.Shown().back().text.find(L"read error on <" + broken + L">"));
    }
}

TEST_F(CommandsTest, ExitWritesTheSettingsAndEndsTheWindow) {
    OpenWindow(5);
    Command(1076); // Bold off
    Command(kCmdExit);
    EXPECT_TRUE(app->shell.mainWindowEnded);
    EXPECT_EQ(5, IniValue(L"General", L"Idioma"));
    EXPECT_EQ(0, IniValue(L"Config Copia", L"Negrita"));
}

TEST_F(CommandsTest, ExportCommandsAskForANameAndWriteTheCutPicture) {
    ScratchFolder folder;
    OpenWindow(5);
    TableWithOneBox();
    FileDialogRecorder dialogs({folder.Path() + L"cut.bmp", folder.Path() + L"cut.jpg"});
    MessageBoxRecorder boxes;
    Command(kCmdExportBitmap);
    Command(kCmdExportJpeg);
    ASSERT_EQ(2u, dialogs.Seen().size());
    EXPECT_EQ(L"bmp", dialogs.Seen()[0].defaultExtension);
    EXPECT_EQ(L"jpg", dialogs.Seen()[1].defaultExtension);
    EXPECT_EQ("BM", ReadBytes(folder.Path() + L"cut.bmp").substr(0, 2));
    EXPECT_EQ("\xFF\xD8", ReadBytes(folder.Path() + L"cut.jpg").substr(0, 2));
    EXPECT_EQ(2u, boxes.Shown().size()) << "each export confirms";
}

TEST_F(CommandsTest, ChartSelectionAndUndoCommandsReachTheDocument) {
    OpenWindow(1);
    TableWithOneBox();
    // "Create line" between two marked cells of one row.
    app->doc.cellGrid(3, 5).marked = 1;
    app->doc.cellGrid(7, 5).marked = 1;
    Command(kCmdCreateLine);
    EXPECT_EQ(1, app->doc.cellGrid(3, 5).hLineOn);
    EXPECT_EQ(0, app->doc.cellGrid(7, 5).marked);

    Command(kCmdSelectAll);
    EXPECT_EQ(1, app->doc.cellGrid(1, 1).selected);
    Command(kCmdSelectAll);
    EXPECT_EQ(0, app->doc.cellGrid(1, 1).selected);

    Command(kCmdUndo);
    EXPECT_EQ(0, app->doc.cellGrid(3, 5).hLineOn) << "the line is taken back";
    EXPECT_EQ(1, app->doc.cellGrid(3, 5).marked);
    EXPECT_EQ(1, app->doc.cellGrid(1, 1).isBox);
}

TEST_F(CommandsTest, PasteCarriesTheConfiguredFieldsOfTheCopiedBox) {
    OpenWindow(1);
    Command(kCmdNewHorizontal24);
    app->doc.cellGrid(1, 1).marked = 1;
    app->doc.cellGrid(2, 1).marked = 1;
    Command(kCmdCreateTable);
    app->doc.cellGrid(1, 1).fontSize = 22;
    app->doc.cellGrid(1, 1).backColor = 0x123456;
    SelectOneCell(1, 1);
    Command(kCmdCopyCell);
    Command(kCmdDeselectAllFields);
    Command(1075); // Size only
    SelectOneCell(2, 1);
    MessageBoxRecorder boxes;
    Command(kCmdPasteCell);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(22, app->doc.cellGrid(2, 1).fontSize);
    EXPECT_NE(0x123456, app->doc.cellGrid(2, 1).backColor) << "background not configured for copying";
    EXPECT_EQ(0, app->doc.selectionCount) << "the selection ends with the command";
}

// "Recent charts": what was recorded or read heads the list, in the menu (after "Read Format
// Previous" and a separator) and in the program's own settings section; a chart that is gone is
// said so and leaves both.
TEST_F(CommandsTest, RecentChartsListWhatWasReadOrRecordedAndDropAChartThatIsGone) {
    ScratchFolder folder;
    const std::wstring first = folder.Path() + L"first.qdrx", second = folder.Path() + L"second.qdrx";
    OpenWindow(5);
    auto recentItems = [&] {
        HMENU operations = SubMenu(Bar(), 0);
        EXPECT_EQ(L"Recent charts", ItemText(operations, 6));
        EXPECT_TRUE(GetMenuState(operations, 5, MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_TRUE(GetMenuState(operations, 7, MF_BYPOSITION) & MF_SEPARATOR);
        HMENU recent = SubMenu(operations, 6);
        std::vector<std::wstring> texts;
        for (int i = 0; i < GetMenuItemCount(recent); ++i)
            texts.push_back(ItemText(recent, i));
        return texts;
    };
    auto kept = [&](int n) {
        wchar_t text[512] = L"";
        GetPrivateProfileStringW(L"Recent charts", (L"Chart" + std::to_wstring(n)).c_str(), L"", text, 512,
                                 SettingsPath().c_str());
        return std::wstring(text);
    };
    EXPECT_EQ(std::vector<std::wstring>{L"(none)"}, recentItems());
    Command(kCmdNewHorizontal64);
    for (const std::wstring& path : {first, second}) {
        FileDialogRecorder dialogs({path});
        Command(kCmdRecordFile);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"&1 second.qdrx", L"&2 first.qdrx"}), recentItems());
    EXPECT_EQ(second, kept(1));
    EXPECT_EQ(first, kept(2));

    // The second entry opens the first chart, which heads the list from then on.
    Command(kCmdFirstRecentChart + 1);
    EXPECT_EQ(first, app->shell.chartPath);
    EXPECT_EQ((std::vector<std::wstring>{L"&1 first.qdrx", L"&2 second.qdrx"}), recentItems());

    DeleteFileW(second.c_str());
    MessageBoxRecorder boxes({IDOK});
    Command(kCmdFirstRecentChart + 1);
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_NE(std::wstring::npos, boxes.Shown()[0].text.find(second));
    EXPECT_EQ(first, app->shell.chartPath) << "the chart on screen stays";
    EXPECT_EQ(std::vector<std::wstring>{L"&1 first.qdrx"}, recentItems());
    EXPECT_EQ(first, kept(1));
    EXPECT_EQ(L"", kept(2));
}

// A chart never grows more pages than a book holds, so that it can always be recorded.
TEST_F(CommandsTest, NewPageStopsAtThePagesABookHolds) {
    OpenWindow(1);
    Command(kCmdNewHorizontal64);
    while (PageCount(app->chart) < int(kBookPageLimit) - 1)
        AddPage(app->chart, app->doc, L"p");
    ApplyNewPreset(app->doc, NewPreset{0, 64, 10, 10}); // the page shown has a table, as New page leaves it
    Command(kCmdFirstNewPage);
    EXPECT_EQ(PageCount(app->chart), int(kBookPageLimit));
    Command(kCmdFirstNewPage);
    EXPECT_EQ(PageCount(app->chart), int(kBookPageLimit));
}
