// The work-file association: registration and query against scratch keys that stand for the
// user's and the machine's classes.
#include "RegistryScratch.h"

#include "app/state/Association.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void SetDefault(HKEY root, const std::wstring& path, const std::wstring& value) {
    ASSERT_EQ(1, SetRegistryValue(root, path, L"", value));
}

std::wstring Environment(const wchar_t* name) {
    wchar_t buffer[1024] = {};
    DWORD length = GetEnvironmentVariableW(name, buffer, 1024);
    return std::wstring(buffer, length);
}

} // namespace

TEST(FileAssociation, NothingRegisteredGivesAnEmptyCommand) {
    RegistryScratch scratch;
    EXPECT_TRUE(QueryOpenCommand(L".qdrx", scratch.Places(L"C:\\Tools\\App.exe")).empty());
}

TEST(FileAssociation, RegistrationWritesTheThreeValuesAndTheQueryFindsThem) {
    RegistryScratch scratch;
    AssociationPlaces places = scratch.Places(L"C:\\Tools\\App.exe");
    RegisterFileType(L"qdrx", 1, places);
    EXPECT_EQ(L"qdrx-files", scratch.DefaultValue(L"User\\.qdrx"));
    EXPECT_EQ(L"C:\\\\Tools\\\\App.exe,1", scratch.DefaultValue(L"User\\qdrx-files\\DefaultIcon"));
    std::wstring command = scratch.DefaultValue(L"User\\qdrx-files\\Shell\\Open\\Command");
    EXPECT_EQ(L"\"C:\\\\Tools\\\\App.exe\" %1", command);
    EXPECT_EQ(10, scratch.Entries())
        << "seven keys (User, .qdrx, qdrx-files, DefaultIcon, Shell, Open, Command) and three values";
    // Key names are case-insensitive: the query's shell\open\command finds Shell\Open\Command.
    EXPECT_EQ(command, QueryOpenCommand(L".qdrx", places));
    EXPECT_TRUE(QueryOpenCommand(L".other", places).empty());
}

TEST(FileAssociation, AProgramPathWithSpacesIsQuotedSoNoOtherProgramCanStartInstead) {
    RegistryScratch scratch;
    AssociationPlaces places = scratch.Places(L"C:\\Program Files\\Cuadrix\\Cuadrix.exe");
    RegisterFileType(L"qdrx", 1, places);
    std::wstring command = QueryOpenCommand(L".qdrx", places);
    EXPECT_EQ(L"\"C:\\\\Program Files\\\\Cuadrix\\\\Cuadrix.exe\" %1", command);
    EXPECT_EQ(L"C:\\\\Program Files\\\\Cuadrix\\\\Cuadrix.exe,1",
              scratch.DefaultValue(L"User\\qdrx-files\\DefaultIcon"));
}

TEST(FileAssociation, TheExtensionAloneOrAnEmptyCommandCountsAsUnregistered) {
    RegistryScratch scratch;
    AssociationPlaces places = scratch.Places(L"C:\\Tools\\App.exe");
    SetDefault(HKEY_CURRENT_USER, scratch.UserPath() + L"\\.qdrx", L"qdrx-files");
    EXPECT_TRUE(QueryOpenCommand(L".qdrx", places).empty()) << "type key missing";
    SetDefault(HKEY_CURRENT_USER, scratch.UserPath() + L"\\qdrx-files\\DefaultIcon", L"C:\\App.exe,1");
    EXPECT_TRUE(QueryOpenCommand(L".qdrx", places).empty()) << "type without shell\\open\\command";
    SetDefault(HKEY_CURRENT_USER, scratch.UserPath() + L"\\qdrx-files\\shell\\open\\command", L"");
    EXPECT_TRUE(QueryOpenCommand(L".qdrx", places).empty()) << "empty command";
    SetDefault(HKEY_CURRENT_USER, scratch.UserPath() + L"\\.qdrx", L"");
    SetDefault(HKEY_CURRENT_USER, scratch.UserPath() + L"\\qdrx-files\\shell\\open\\command", L"App.exe %1");
    EXPECT_TRUE(QueryOpenCommand(L".qdrx", places).empty()) << "extension naming no type";
}

TEST(FileAssociation, AnOpenCommandWithEnvironmentReferencesIsExpandedAndCounts) {
    RegistryScratch scratch;
    AssociationPlaces places = scratch.Places(L"C:\\Tools\\App.exe");
    SetDefault(HKEY_CURRENT_USER, scratch.UserPath() + L"\\.qdrx", L"qdrx-files");
    SetDefault(HKEY_CURRENT_USER, scratch.UserPath() + L"\\qdrx-files\\shell\\open\\command",
               L"%SystemRoot%\\notepad.exe %1");
    std::wstring root = Environment(L"SystemRoot");
    ASSERT_FALSE(root.empty());
    EXPECT_EQ(root + L"\\notepad.exe %1", QueryOpenCommand(L".qdrx", places));
}

TEST(FileAssociation, TheUsersClassesComeBeforeTheMachinesAndEachKeyIsLookedUpInBoth) {
    RegistryScratch scratch;
    AssociationPlaces places = scratch.Places(L"C:\\Tools\\App.exe");
    // Extension registered for the machine only, its command for the user only: as in the merged view.
    SetDefault(HKEY_CURRENT_USER, scratch.MachinePath() + L"\\.qdrx", L"qdrx-files");
    SetDefault(HKEY_CURRENT_USER, scratch.UserPath() + L"\\qdrx-files\\shell\\open\\command", L"user.exe %1");
    EXPECT_EQ(L"user.exe %1", QueryOpenCommand(L".qdrx", places));
    // The machine's own command is hidden by the user's.
    SetDefault(HKEY_CURRENT_USER, scratch.MachinePath() + L"\\qdrx-files\\shell\\open\\command",
               L"machine.exe %1");
    EXPECT_EQ(L"user.exe %1", QueryOpenCommand(L".qdrx", places));
    // A user's extension naming another type wins over the machine's.
    SetDefault(HKEY_CURRENT_USER, scratch.UserPath() + L"\\.qdrx", L"other-files");
    SetDefault(HKEY_CURRENT_USER, scratch.MachinePath() + L"\\other-files\\shell\\open\\command",
               L"other.exe %1");
    EXPECT_EQ(L"other.exe %1", QueryOpenCommand(L".qdrx", places));
}

TEST(FileAssociation, LongCommandsAreReadWhole) {
    RegistryScratch scratch;
    std::wstring deep = L"C:\\" + std::wstring(200, L'd') + L"\\Cuadrix.exe";
    AssociationPlaces places = scratch.Places(deep);
    RegisterFileType(L"qdrx", 1, places);
    EXPECT_EQ(L"\"" + DoubledBackslashes(deep) + L"\" %1", QueryOpenCommand(L".qdrx", places));
}

TEST(SetRegistryValue, TrimsBackslashesDefaultsToTheUserAndRefusesOverlongText) {
    RegistryScratch scratch;
    EXPECT_EQ(1, SetRegistryValue(nullptr, L"\\" + scratch.UserPath() + L"\\named\\", L"Name", L"text"));
    wchar_t buffer[64] = {};
    DWORD size = sizeof buffer;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, (scratch.UserPath() + L"\\named").c_str(),
                                          L"Name", RRF_RT_REG_SZ, nullptr, buffer, &size));
    EXPECT_STREQ(L"text", buffer);
    EXPECT_TRUE(scratch.DefaultValue(L"User\\named").empty()) << "a named value leaves the default alone";
    EXPECT_EQ(1, SetRegistryValue(HKEY_CURRENT_USER, scratch.UserPath() + L"\\named", L"",
                                  std::wstring(1023, L'x')));
    EXPECT_EQ(std::wstring(1023, L'x'), scratch.DefaultValue(L"User\\named"));
    EXPECT_EQ(0, SetRegistryValue(HKEY_CURRENT_USER, scratch.UserPath() + L"\\named", L"",
                                  std::wstring(1024, L'y')));
    EXPECT_EQ(0, SetRegistryValue(HKEY_CURRENT_USER, scratch.UserPath() + L"\\named",
                                  std::wstring(1024, L'n'), L"v"));
    EXPECT_EQ(std::wstring(1023, L'x'), scratch.DefaultValue(L"User\\named"));
}

TEST(FileAssociation, TheDefaultPlacesAreTheUsersClassesThenTheMergedRoot) {
    AssociationPlaces places = DefaultAssociationPlaces();
    ASSERT_EQ(2u, places.lookIn.size());
    EXPECT_EQ(HKEY_CURRENT_USER, places.lookIn[0].root);
    EXPECT_EQ(L"Software\\Classes", places.lookIn[0].path);
    EXPECT_EQ(HKEY_CLASSES_ROOT, places.lookIn[1].root);
    EXPECT_EQ(HKEY_CURRENT_USER, places.registerIn.root);
    EXPECT_EQ(L"Software\\Classes", places.registerIn.path);
    EXPECT_NE(std::wstring::npos, places.programPath.find(L"app_wintests.exe"));
}
