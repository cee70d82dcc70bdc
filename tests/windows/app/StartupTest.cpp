// Start-up: the registration offer, the common controls, the main window's creation-time state and
// the work file named on the command line.
#include "RegistryScratch.h"
#include "TempFolder.h"
#include "WinTestSupport.h"

#include "app/state/App.h"
#include "app/shell/MainWindow.h"
#include "app/state/Settings.h"
#include "app/commands/FileCommands.h"
#include "app/shell/WindowInit.h"
#include "document/Structure.h"
#include "app/commands/WorkFileMessages.h"
#include "document/WorkFile.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct WindowFixture : testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();
    HWND window = nullptr;
    void Create() {
        window = CreateMainWindowForTest(*app);
        ASSERT_NE(nullptr, window);
        PumpMessages();
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        PumpMessages();
    }
};

} // namespace

TEST(AssociationOffer, DecliningWritesNothingAndTheOfferReturns) {
    RegistryScratch scratch;
    AssociationPlaces places = scratch.Places(L"C:\\Tools\\Cuadrix.exe");
    for (int start = 0; start < 2; ++start) {
        MessageBoxRecorder boxes({IDNO});
        EXPECT_FALSE(OfferFileAssociation(places));
        ASSERT_EQ(1u, boxes.Shown().size());
        EXPECT_EQ(Wide(AssociationOfferText()), boxes.Shown()[0].text);
        EXPECT_EQ(L"...", boxes.Shown()[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Shown()[0].type & MB_TYPEMASK);
        EXPECT_EQ(0, scratch.Entries());
    }
}

TEST(AssociationOffer, AcceptingRegistersAndTheNextStartAsksNoMore) {
    RegistryScratch scratch;
    AssociationPlaces places = scratch.Places(L"C:\\Tools\\Cuadrix.exe");
    {
        MessageBoxRecorder boxes({IDYES});
        EXPECT_TRUE(OfferFileAssociation(places));
        EXPECT_EQ(1u, boxes.Shown().size());
    }
    EXPECT_EQ(L"qdrx-files", scratch.DefaultValue(L"User\\.qdrx"));
    EXPECT_EQ(L"C:\\\\Tools\\\\Cuadrix.exe,1", scratch.DefaultValue(L"User\\qdrx-files\\DefaultIcon"));
    MessageBoxRecorder boxes;
    EXPECT_FALSE(OfferFileAssociation(places));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(AssociationOffer, ACommandOfOnlyBlanksIsNoAssociation) {
    RegistryScratch scratch;
    AssociationPlaces places = scratch.Places(L"C:\\Tools\\Cuadrix.exe");
    ASSERT_EQ(1, SetRegistryValue(HKEY_CURRENT_USER, scratch.UserPath() + L"\\.qdrx", L"", L"qdrx-files"));
    ASSERT_EQ(1, SetRegistryValue(HKEY_CURRENT_USER,
                                  scratch.UserPath() + L"\\qdrx-files\\shell\\open\\command", L"", L"  \t "));
    MessageBoxRecorder boxes({IDNO});
    OfferFileAssociation(places);
    EXPECT_EQ(1u, boxes.Shown().size());
}

TEST(CommonControls, TheExtendedInitialiserIsFoundByName) {
    EXPECT_EQ(CommonControlsInit::Extended, InitialiseCommonControls());
}

TEST_F(WindowFixture, CreationResetsTheWorkingStateAndClampsTheRulerStyle) {
    app->shell.languageIndex = 5;
    app->shell.rulerStyle = 7;
    app->shell.leftMouseMode = 3;
    app->shell.rightMouseMode = 2;
    app->shell.aboutOpen = true;
    app->doc.tablePresent = true;
    app->doc.cellCopied = true;
    app->doc.lineColor = 0x00FF00;
    app->doc.lineThickness = 4;
    app->doc.selectionCount = 3;
    app->textProps.currentStyle.fontName = "Arial";
    app->textProps.currentStyle.fontSize = 24;
    app->textProps.currentStyle.backColor = 0x0000FF;
    app->textProps.workingStyle.fontColor = 0x00FF00;
    MessageBoxRecorder boxes;
    Create();
    EXPECT_TRUE(boxes.Shown().empty()) << "no command line, no message";
    EXPECT_EQ(L"Organization chart", WindowText(window));
    EXPECT_EQ(1, app->shell.rulerStyle);
    EXPECT_EQ(1, app->shell.leftMouseMode);
    EXPECT_EQ(1, app->shell.rightMouseMode);
    EXPECT_FALSE(app->shell.aboutOpen);
    EXPECT_FALSE(app->doc.tablePresent);
    EXPECT_FALSE(app->doc.cellCopied);
    EXPECT_EQ(0, app->doc.lineColor);
    EXPECT_EQ(1, app->doc.lineThickness);
    EXPECT_EQ(0, app->doc.selectionCount);
    EXPECT_EQ(ProgramFolder(), app->shell.programFolder);
    EXPECT_EQ(app->shell.programFolder, app->shell.dialogFolder);
    EXPECT_EQ(GetDlgItem(window, kCanvasId), GetFocus());
    EXPECT_EQ(kTablePictureSize, app->render.tablePicture.Width());
    // New cells start in Times New Roman 10, black on white.
    for (const TextStyle* style : {&app->textProps.currentStyle, &app->textProps.workingStyle}) {
        EXPECT_EQ("Times New Roman", style->fontName);
        EXPECT_EQ(10, style->fontSize);
        EXPECT_EQ(0xFFFFFF, style->backColor);
        EXPECT_EQ(0, style->fontColor);
    }
}

TEST_F(WindowFixture, CreationChecksTheStoredChoicesAndDisablesTheDocumentCommands) {
    app->shell.characterSet = 177; // Hebrew
    app->shell.copyFlags[kCopyBold] = 0;
    app->shell.copyFlags[kCopyIcon] = 0;
    Create();
    HMENU bar = GetMenu(window);
    ASSERT_NE(nullptr, bar);
    auto checked = [&](int id) { return (GetMenuState(bar, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    auto grey = [&](int id) { return (GetMenuState(bar, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    for (int id = 1090; id <= 1103; ++id)
        EXPECT_EQ(id == 1097, checked(id)) << id;
    EXPECT_EQ(1, app->shell.characterSetFlags[7]);
    EXPECT_FALSE(checked(1076)) << "bold";
    EXPECT_FALSE(checked(1110)) << "icon";
    EXPECT_TRUE(checked(1072));
    EXPECT_TRUE(checked(1085));
    for (int id : {1104, 1006, 1012, 1010, 1011, 1051, 1021, 1020, 1025, 1050, 1023, 3300, 3301})
        EXPECT_TRUE(grey(id)) << id;
    EXPECT_FALSE(grey(1007));
    EXPECT_TRUE(checked(1008));
    EXPECT_TRUE(checked(1015));
}

TEST_F(WindowFixture, ACharacterSetOutsideTheMenuChecksNoItemAndIsKept) {
    app->shell.characterSet = 77;
    Create();
    HMENU bar = GetMenu(window);
    for (int id = 1090; id <= 1103; ++id)
        EXPECT_FALSE(GetMenuState(bar, id, MF_BYCOMMAND) & MF_CHECKED) << id;
    EXPECT_EQ(77, app->shell.characterSet);
}

TEST_F(WindowFixture, AStoredRulerStyleOfNineIsStoredBackAsOne) {
    TempFolder folder;
    std::wstring ini = folder.File(L"Cuadrix.ini");
    ASSERT_TRUE(WriteBytes(ini, "[General]\r\nRegleta=9\r\n"));
    Settings(app->shell, "get", ini);
    EXPECT_EQ(9, app->shell.rulerStyle);
    Create();
    EXPECT_EQ(1, app->shell.rulerStyle);
    Settings(app->shell, "save", ini);
    std::string bytes = ReadBytes(ini);
    EXPECT_NE(std::string::npos, bytes.find("Regleta=1"));
    EXPECT_EQ(std::string::npos, bytes.find("Regleta=9"));
}

TEST_F(WindowFixture, AMissingCommandLineFileIsReportedAndNoTableIsShown) {
    TempFolder folder;
    std::wstring missing = folder.File(L"no such chart.qdrx");
    app->shell.commandLine = L"\"C:\\Program Files\\Cuadrix\\Cuadrix.exe\" \"" + missing + L"\"";
    MessageBoxRecorder boxes;
    Create();
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(L"Fichero de trabajo : \r\n" + missing + L"\r\nNo Existe ...", boxes.Shown()[0].text);
    EXPECT_EQ(L"Programador", boxes.Shown()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Shown()[0].type & MB_TYPEMASK);
    EXPECT_EQ(missing, app->shell.workFilePath);
    EXPECT_FALSE(app->doc.tablePresent);
}

TEST(CommandLineFile, ATailOfOnlyQuotesIsReportedAsAnEmptyPath) {
    auto app = std::make_unique<App>();
    app->shell.languageIndex = 5;
    MessageBoxRecorder boxes;
    OpenCommandLineFile(*app, L"Cuadrix.exe \"\"");
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(L"Work file : \r\n\r\nNot Exist ...", boxes.Shown()[0].text);
    EXPECT_EQ(L"Programmer", boxes.Shown()[0].caption);
}

TEST(CommandLineFile, NothingHappensWhenOnlyTheProgramIsNamed) {
    auto app = std::make_unique<App>();
    app->shell.workFilePath = L"C:\\before.qdrx";
    MessageBoxRecorder boxes;
    OpenCommandLineFile(*app, L"\"C:\\Program Files\\Cuadrix\\Cuadrix.exe\"   ");
    OpenCommandLineFile(*app, L"");
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(L"C:\\before.qdrx", app->shell.workFilePath);
}

TEST_F(WindowFixture, AQuotedPathWithSpacesToAWorkFileIsReadAndShown) {
    TempFolder folder;
    std::wstring chart = folder.File(L"my charts 2024.qdrx");
    const NewPreset* preset = FindNewPreset(3303); // landscape, 32 pixels
    ASSERT_NE(nullptr, preset);
    {
        auto saved = std::make_unique<Document>();
        ApplyNewPreset(*saved, *preset);
        ASSERT_TRUE(SaveWorkFile(*saved, chart, nullptr));
    }
    app->shell.commandLine = L"\"C:\\Tools\\Cuadrix.exe\" \"" + chart + L"\"";
    MessageBoxRecorder boxes;
    Create();
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(chart, app->shell.workFilePath);
    EXPECT_EQ(preset->columns, app->doc.tableColumns);
    EXPECT_EQ(preset->rows, app->doc.tableRows);
    EXPECT_EQ(preset->cellSize, app->doc.cellWidth);
    // The table is on screen and the document commands work, except "Undo" and "Paste cell".
    EXPECT_TRUE(app->doc.tablePresent);
    EXPECT_EQ(1, app->canvas.canvasActive);
    HMENU bar = GetMenu(window);
    auto grey = [&](int id) { return (GetMenuState(bar, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    for (int id : {1104, 1006, 1012, 1010, 1011, 1020, 1025, 1050, 1023, 3300, 3301})
        EXPECT_FALSE(grey(id)) << id;
    EXPECT_TRUE(grey(1051));
    EXPECT_TRUE(grey(1021));
    // The guide grid's light grey lines reached the table picture.
    RECT table{0, 0, preset->columns * preset->cellSize, preset->rows * preset->cellSize};
    EXPECT_GT(CountPixels(app->render.tablePicture.Dc(), table, RGB(0xC0, 0xC0, 0xC0)), 0);
}

TEST(CommandLineFile, AFileInTheWrongFormatIsReportedByTheReaderAlone) {
    TempFolder folder;
    std::wstring notChart = folder.File(L"notes.qdrx");
    ASSERT_TRUE(WriteBytes(notChart, "not a chart"));
    auto app = std::make_unique<App>();
    MessageBoxRecorder boxes;
    OpenCommandLineFile(*app, L"Cuadrix.exe " + notChart);
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(0u, boxes.Shown()[0].text.find(Tr(*app, MessageTable::WrongFormat)));
    EXPECT_FALSE(app->doc.tablePresent);
    EXPECT_EQ(0, app->doc.tableColumns);
}

TEST(CommandLineFile, AFolderIsNotAWorkFile) {
    TempFolder folder;
    auto app = std::make_unique<App>();
    MessageBoxRecorder boxes;
    OpenCommandLineFile(*app, L"Cuadrix.exe " + folder.Path());
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_NE(std::wstring::npos, boxes.Shown()[0].text.find(L"No Existe ..."));
}
