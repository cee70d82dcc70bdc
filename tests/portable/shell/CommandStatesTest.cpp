// Menu item states derived from the program state: character-set flags, copy-configurator items,
// mouse modes and the commands that wait for a table, a snapshot or a copied cell.
#include "app/state/CommandIds.h"
#include "app/state/CommandStates.h"
#include "ui/Shell.h"
#include "document/Document.h"
#include "document/Undo.h"

#include <gtest/gtest.h>

#include <memory>

TEST(CharacterSetFlags, OnlyTheItemWithTheStoredCodeIsSet) {
    ShellState shell;
    const int codes[] = {0, 128, 129, 130, 136, 161, 162, 177, 178, 186, 204, 222, 238, 255};
    for (int item = 0; item < 14; ++item) {
        shell.characterSet = static_cast<int16_t>(codes[item]);
        DeriveCharacterSetFlags(shell);
        for (int other = 0; other < 14; ++other)
            EXPECT_EQ(other == item ? 1 : 0, shell.characterSetFlags[other]) << item << " " << other;
    }
    shell.characterSet = 3; // not in the menu
    DeriveCharacterSetFlags(shell);
    for (int flag : shell.characterSetFlags)
        EXPECT_EQ(0, flag);
}

TEST(CopyFieldItems, MapToTheirFlagsInMenuOrderWithTheIconBetweenImageAndAlignment) {
    EXPECT_EQ(kCopyBackColor, CopyFieldOfCommand(1072));
    EXPECT_EQ(kCopyStrikeout, CopyFieldOfCommand(1079));
    EXPECT_EQ(kCopyLeading, CopyFieldOfCommand(1080));
    EXPECT_EQ(kCopyImage, CopyFieldOfCommand(1082));
    EXPECT_EQ(kCopyIcon, CopyFieldOfCommand(1110));
    EXPECT_EQ(kCopyAlignment, CopyFieldOfCommand(1083));
    EXPECT_EQ(kCopyNumberFormatAllowed, CopyFieldOfCommand(1084));
    EXPECT_EQ(kCopyNumberFormatType, CopyFieldOfCommand(1085));
    EXPECT_EQ(-1, CopyFieldOfCommand(1070));
    EXPECT_EQ(-1, CopyFieldOfCommand(1071));
    EXPECT_EQ(-1, CopyFieldOfCommand(1112));
}

TEST(CommandStates, CheckMarksFollowFlagsAndModes) {
    ShellState shell;
    auto doc = std::make_unique<Document>();
    shell.copyFlags[kCopyText] = 0;
    shell.leftMouseMode = 4;
    shell.rightMouseMode = 2;
    shell.characterSetFlags[5] = 1;
    EXPECT_EQ(kItemEnabled, CommandState(shell, *doc, 1081));
    EXPECT_EQ(kItemChecked, CommandState(shell, *doc, 1082));
    EXPECT_EQ(kItemChecked, CommandState(shell, *doc, kCmdInsertIcon));
    EXPECT_EQ(kItemEnabled, CommandState(shell, *doc, kCmdCellSelector));
    EXPECT_EQ(kItemChecked, CommandState(shell, *doc, kCmdFavouriteColours));
    EXPECT_EQ(kItemEnabled, CommandState(shell, *doc, kCmdCapturingColor));
    EXPECT_EQ(kItemChecked, CommandState(shell, *doc, 1095));
    EXPECT_EQ(kItemEnabled, CommandState(shell, *doc, 1090));
    EXPECT_TRUE(CommandAllowed(shell, *doc, kCmdInsertIcon)) << "a checked item can still be chosen";
    // The Languages menu checks the current language alone.
    for (int language = 1; language <= kLanguageCount; ++language) {
        shell.languageIndex = language;
        for (int id = kCmdFirstLanguage; id <= kCmdLastLanguage; ++id)
            EXPECT_EQ(id - kCmdFirstLanguage + 1 == language ? kItemChecked : kItemEnabled,
                      CommandState(shell, *doc, id))
                << language << " " << id;
    }
}

TEST(CommandStates, TableUndoAndPasteCommandsWaitForWhatTheyNeed) {
    ShellState shell;
    auto doc = std::make_unique<Document>();
    for (int id : kTableCommands)
        EXPECT_EQ(kItemDisabled, CommandState(shell, *doc, id)) << id;
    EXPECT_EQ(kItemDisabled, CommandState(shell, *doc, kCmdUndo));
    EXPECT_EQ(kItemDisabled, CommandState(shell, *doc, kCmdPasteCell));
    EXPECT_EQ(kItemEnabled, CommandState(shell, *doc, kCmdReadFile));
    EXPECT_TRUE(CommandAllowed(shell, *doc, kCmdReadFile));
    EXPECT_FALSE(CommandAllowed(shell, *doc, kCmdRecordFile));

    doc->tablePresent = true;
    doc->tableColumns = 3;
    doc->tableRows = 2;
    for (int id : kTableCommands)
        EXPECT_EQ(kItemEnabled, CommandState(shell, *doc, id)) << id;
    EXPECT_EQ(kItemDisabled, CommandState(shell, *doc, kCmdUndo));
    PushUndo(*doc);
    EXPECT_EQ(kItemEnabled, CommandState(shell, *doc, kCmdUndo));
    ResetUndoHistory(*doc);
    EXPECT_EQ(kItemDisabled, CommandState(shell, *doc, kCmdUndo));

    EXPECT_EQ(kItemDisabled, CommandState(shell, *doc, kCmdPasteCell));
    doc->cellCopied = true;
    EXPECT_EQ(kItemEnabled, CommandState(shell, *doc, kCmdPasteCell));
}
