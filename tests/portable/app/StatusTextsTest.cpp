// The status bar's texts in every language: the mode's own name, numbers where the texts hold
// their marks, the cell counted as the rulers count it and only inside the table.
#include "app/shell/StatusTexts.h"

#include "document/Document.h"
#include "ui/Shell.h"

#include <gtest/gtest.h>

#include <memory>

TEST(StatusTexts, ShowTheModeCellSizesAndZoomInEveryLanguage) {
    ShellState shell;
    auto doc = std::make_unique<Document>();
    doc->tablePresent = true;
    doc->tableColumns = 17;
    doc->tableRows = 12;
    doc->cellWidth = doc->cellHeight = 64;
    for (int language = 1; language <= kLanguageCount; ++language)
        for (int mode = 1; mode <= 4; ++mode) {
            shell.languageIndex = language;
            shell.leftMouseMode = mode;
            const auto parts = StatusTexts(shell, *doc, 150, 16, 4, 1, 3);
            ASSERT_EQ(6u, parts.size());
            // The mode is named as its menu item.
            EXPECT_EQ(Wide(MessageText(language, MessageTable::MouseMenu, mode == 4 ? 9 : mode + 2)),
                      parts[0]);
            // The last cell of the fifth row is column 17 and row 5, as the rulers number it.
            EXPECT_NE(std::wstring::npos, parts[1].find(L"17")) << language;
            EXPECT_NE(std::wstring::npos, parts[1].find(L"5")) << language;
            EXPECT_EQ(std::wstring::npos, parts[1].find(L"16")) << language;
            EXPECT_EQ(std::wstring::npos, parts[1].find(L"4")) << language;
            EXPECT_EQ(std::wstring::npos, parts[1].find(L'%')) << language;
            EXPECT_NE(std::wstring::npos, parts[2].find(L"17")) << language;
            EXPECT_NE(std::wstring::npos, parts[2].find(L"12")) << language;
            EXPECT_NE(std::wstring::npos, parts[3].find(L"64")) << language;
            EXPECT_NE(std::wstring::npos, parts[4].find(L"150 %")) << language;
            // The second of three pages.
            EXPECT_NE(std::wstring::npos, parts[5].find(L"2")) << language;
            EXPECT_NE(std::wstring::npos, parts[5].find(L"3")) << language;
            EXPECT_EQ(std::wstring::npos, parts[5].find(L'%')) << language;
        }
    // Off the table no cell shows; without a table neither do the sizes.
    EXPECT_TRUE(StatusTexts(shell, *doc, 100, 17, 0)[1].empty());
    EXPECT_TRUE(StatusTexts(shell, *doc, 100, -1, -1)[1].empty());
    // A chart of one page names no page.
    EXPECT_TRUE(StatusTexts(shell, *doc, 100, 3, 3)[5].empty());
    doc->tablePresent = false;
    const auto none = StatusTexts(shell, *doc, 100, 3, 3);
    EXPECT_TRUE(none[1].empty() && none[2].empty() && none[3].empty());
    EXPECT_FALSE(none[0].empty() || none[4].empty());
}
