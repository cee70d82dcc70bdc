// Status bar texts.
#include "app/shell/StatusTexts.h"

#include "document/Document.h"
#include "ui/Shell.h"

#include <initializer_list>
#include <utility>

namespace {

// The text with %1 and %2 replaced by the numbers.
std::wstring Filled(std::wstring text, int first, int second = 0) {
    for (auto [mark, value] : {std::pair{L"%1", first}, std::pair{L"%2", second}}) {
        const size_t at = text.find(mark);
        if (at != std::wstring::npos) text.replace(at, 2, std::to_wstring(value));
    }
    return text;
}

} // namespace

std::vector<std::wstring> StatusTexts(const ShellState& shell, const Document& doc, int zoomPercent,
                                      int column, int row, int page, int pages) {
    std::vector<std::wstring> parts(6);
    // The mode is named as its item in Mouse > Left.
    constexpr int kModeItems[] = {3, 4, 5, 9};
    if (shell.leftMouseMode >= 1 && shell.leftMouseMode <= 4)
        parts[0] = Tr(shell, MessageTable::MouseMenu, kModeItems[shell.leftMouseMode - 1]);
    if (doc.tablePresent) {
        if (InTable(doc, column, row))
            parts[1] = Filled(Tr(shell, MessageTable::StatusBar, 1), column + 1, row + 1);
        parts[2] = Filled(Tr(shell, MessageTable::StatusBar, 2), doc.tableColumns, doc.tableRows);
        parts[3] = Filled(Tr(shell, MessageTable::StatusBar, 3), doc.cellWidth);
    }
    parts[4] = Filled(Tr(shell, MessageTable::StatusBar, 4), zoomPercent);
    if (pages > 1) parts[5] = Filled(Tr(shell, MessageTable::StatusBar, 5), page + 1, pages);
    return parts;
}
