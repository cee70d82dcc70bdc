// The settings file on disk: defaults without a file, the nineteen keys written as single-byte
// text, the number rule on stored text, and the occasions that write it.
#include "TempFolder.h"

#include "app/state/Settings.h"
#include "app/state/SettingsKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> KeyLines(const std::string& bytes) {
    std::vector<std::string> keys;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (size_t eq = line.find('='); eq != std::string::npos) keys.push_back(line.substr(0, eq));
        start = end + 1;
    }
    return keys;
}

} // namespace

TEST(SettingsFile, WithoutAFileTheProgramStartsInSpanishWithDefaults) {
    TempFolder folder;
    ShellState shell;
    shell.languageIndex = 5;
    shell.rulerStyle = 2;
    shell.characterSet = 204;
    shell.favouriteBackground = 0;
    shell.copyFlags.fill(0);
    Settings(shell, "get", folder.File(L"Cuadrix.ini"));
    EXPECT_EQ(1, shell.languageIndex);
    EXPECT_EQ(1, shell.rulerStyle);
    EXPECT_EQ(0, shell.characterSet);
    EXPECT_EQ(0xFFFFFF, shell.favouriteBackground);
    for (int flag : shell.copyFlags)
        EXPECT_EQ(1, flag);
    EXPECT_FALSE(FileThere(folder.File(L"Cuadrix.ini"))) << "reading must not create the file";
}

TEST(SettingsFile, SaveCreatesTheFileWithAllNineteenKeysAsSingleBytes) {
    TempFolder folder;
    std::wstring ini = folder.File(L"Cuadrix.ini");
    ShellState shell;
    shell.favouriteBackground = 16777215;
    shell.copyFlags[kCopyFontSize] = 0;
    Settings(shell, "save", ini);
    std::string bytes = ReadBytes(ini);
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(std::string::npos, bytes.find("[General]"));
    EXPECT_NE(std::string::npos, bytes.find("[Config Copia]"));
    EXPECT_NE(std::string::npos, bytes.find("Tama\xF1o=0"));
    EXPECT_EQ(std::string::npos, bytes.find("Tama\xC3\xB1o")) << "the key must not be UTF-8";
    EXPECT_NE(std::string::npos, bytes.find("Color fondo=16777215"));
    std::vector<std::string> expected;
    for (const SettingsKey& key : SettingsKeys())
        expected.emplace_back(key.name);
    EXPECT_EQ(expected, KeyLines(bytes));
    EXPECT_LT(bytes.find("[General]"), bytes.find("caracteres="));
    EXPECT_LT(bytes.find("Idioma="), bytes.find("[Config Copia]"));
}

TEST(SettingsFile, SavedChoicesComeBackAtTheNextStart) {
    TempFolder folder;
    std::wstring ini = folder.File(L"Cuadrix.ini");
    ShellState shell;
    shell.languageIndex = 5; // a language switch writes at once
    shell.characterSet = 177;
    shell.rulerStyle = 3;
    shell.favouriteBackground = 0x0080FF;
    shell.copyFlags[kCopyIcon] = 0;
    shell.copyFlags[kCopyNumberFormatAllowed] = 0;
    Settings(shell, "save", ini);
    EXPECT_NE(std::string::npos, ReadBytes(ini).find("Idioma=5"));

    ShellState next;
    Settings(next, "get", ini);
    EXPECT_EQ(5, next.languageIndex);
    EXPECT_EQ(177, next.characterSet);
    EXPECT_EQ(3, next.rulerStyle);
    EXPECT_EQ(0x0080FF, next.favouriteBackground);
    EXPECT_EQ(shell.copyFlags, next.copyFlags);
}

TEST(SettingsFile, StoredTextIsReadByTheNumberRule) {
    TempFolder folder;
    std::wstring ini = folder.File(L"Cuadrix.ini");
    ASSERT_TRUE(WriteBytes(ini, "[General]\r\nRegleta=9\r\nIdioma=abc\r\ncaracteres=  204 russian\r\n"
                                "Color fondo=-1\r\n[Config Copia]\r\nTama\xF1o=0\r\nIcono=\r\n"));
    ShellState shell;
    Settings(shell, "get", ini);
    EXPECT_EQ(9, shell.rulerStyle) << "clamped only when the window opens";
    EXPECT_EQ(1, shell.languageIndex);
    EXPECT_EQ(204, shell.characterSet);
    EXPECT_EQ(-1, shell.favouriteBackground);
    EXPECT_EQ(0, shell.copyFlags[kCopyFontSize]);
    EXPECT_EQ(0, shell.copyFlags[kCopyIcon]) << "an empty value is not a number";
    EXPECT_EQ(1, shell.copyFlags[kCopyText]) << "a missing key takes its default";
}

TEST(SettingsFile, OtherModesDoNothing) {
    TempFolder folder;
    std::wstring ini = folder.File(L"Cuadrix.ini");
    ShellState shell;
    shell.languageIndex = 4;
    Settings(shell, "Save", ini);
    Settings(shell, "", ini);
    EXPECT_FALSE(FileThere(ini));
    ASSERT_TRUE(WriteBytes(ini, "[General]\r\nIdioma=2\r\n"));
    Settings(shell, "read", ini);
    EXPECT_EQ(4, shell.languageIndex);
}

TEST(SettingsFile, AnUnwritableFolderLosesTheSettingsSilently) {
    TempFolder folder;
    std::wstring ini = folder.File(L"missing\\Cuadrix.ini");
    ShellState shell;
    shell.languageIndex = 3;
    Settings(shell, "save", ini); // must neither fail loudly nor create the folder
    EXPECT_FALSE(FileThere(ini));
    ShellState next;
    Settings(next, "get", ini);
    EXPECT_EQ(1, next.languageIndex);
}

TEST(SettingsFile, AFolderNameOutsideTheCodePageStillHoldsTheSettings) {
    TempFolder folder;
    std::wstring sub = folder.File(L"\u03A9\u0416 charts\\");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    std::wstring ini = sub + L"Cuadrix.ini";
    ASSERT_FALSE(AnsiFilePath(ini).empty());
    if (GetACP() != CP_UTF8) {
        EXPECT_EQ(std::string::npos, AnsiFilePath(ini).find(" charts")) << "short form expected";
    }
    ShellState shell;
    shell.languageIndex = 6;
    Settings(shell, "save", ini);
    EXPECT_NE(std::string::npos, ReadBytes(ini).find("Idioma=6"));
    ShellState next;
    Settings(next, "get", ini);
    EXPECT_EQ(6, next.languageIndex);
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgramWhateverTheCurrentDirectory) {
    TempFolder folder;
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    std::wstring before = ProgramFolder();
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    std::wstring after = ProgramFolder();
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(before, after);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(L'\\', after.back());
    std::wstring program = ProgramPath();
    EXPECT_EQ(0u, program.find(after));
    EXPECT_EQ(std::wstring::npos, program.find(L'\\', after.size()));
    EXPECT_EQ(after + L"Cuadrix.ini", SettingsPath());
}
