// The command tail: the program's name skipped whether quoted or not, quotes removed, length cut.
#include "app/commands/CommandLine.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandTail, FollowsTheProgramNameQuotedOrNot) {
    EXPECT_EQ(L"\"C:\\My Charts\\a b.qdrx\"",
              CommandTail(L"\"C:\\Program Files\\Cuadrix\\Cuadrix.exe\" \"C:\\My Charts\\a b.qdrx\""));
    EXPECT_EQ(L"C:\\x.qdrx", CommandTail(L"C:\\Tools\\Cuadrix.exe C:\\x.qdrx"));
    EXPECT_EQ(L"C:\\x.qdrx", CommandTail(L"Cuadrix.exe\t \tC:\\x.qdrx  \t"));
    // A quoted name needs no blank before the tail.
    EXPECT_EQ(L"C:\\x.qdrx", CommandTail(L"\"C:\\Cuadrix.exe\"C:\\x.qdrx"));
}

TEST(CommandTail, EmptyWhenOnlyTheProgramIsNamed) {
    EXPECT_TRUE(CommandTail(L"").empty());
    EXPECT_TRUE(CommandTail(L"Cuadrix.exe").empty());
    EXPECT_TRUE(CommandTail(L"Cuadrix.exe    ").empty());
    EXPECT_TRUE(CommandTail(L"\"C:\\Program Files\\Cuadrix\\Cuadrix.exe\"").empty());
    EXPECT_TRUE(CommandTail(L"\"C:\\Program Files\\Cuadrix\\Cuadrix.exe").empty()) << "unclosed quote";
    EXPECT_TRUE(CommandTailPath(nullptr).empty());
}

TEST(CommandTailPath, RemovesEveryQuoteAndKeepsSpaces) {
    EXPECT_EQ(L"C:\\My Charts\\a b.qdrx",
              CommandTailPath(L"\"C:\\Program Files\\Cuadrix\\Cuadrix.exe\" \"C:\\My Charts\\a b.qdrx\""));
    // The open command registered for work files passes the path unquoted: it still arrives whole.
    EXPECT_EQ(L"C:\\My Charts\\a b.qdrx",
              CommandTailPath(L"\"C:\\\\Tools\\\\App.exe\" C:\\My Charts\\a b.qdrx"));
    EXPECT_EQ(L"C:\\ab.qdrx", CommandTailPath(L"App.exe \"C:\\a\"b.qdrx"));
    EXPECT_EQ(L"C:\\x.qdrx", CommandTailPath(L"App.exe \" C:\\x.qdrx \""));
}

TEST(CommandTailPath, ATailOfOnlyQuotesIsAnEmptyPathButNotAnEmptyTail) {
    for (const wchar_t* line : {L"Cuadrix.exe \"\"", L"Cuadrix.exe \"\"\"", L"Cuadrix.exe \"\" \""}) {
        EXPECT_FALSE(CommandTail(line).empty());
        EXPECT_TRUE(CommandTailPath(line).empty());
    }
}

TEST(CommandTailPath, KeepsLongPathsWhole) {
    for (size_t length : {255u, 256u, 259u, 300u, 1000u}) {
        const std::wstring path = L"C:\\" + std::wstring(length - 3, L'p');
        EXPECT_EQ(path, CommandTailPath((L"Cuadrix.exe \"" + path + L"\"").c_str())) << length;
    }
}
