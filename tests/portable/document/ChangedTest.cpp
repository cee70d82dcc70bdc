// The changed mark: every edit of the cells sets it, selection and copying do not, "New" clears it.
#include "DocumentFixtures.h"

#include "document/Clipboard.h"
#include "document/Edit.h"
#include "document/Undo.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A 17 x 12 table with two boxes side by side, a copied cell and two marked guide cells.
std::unique_ptr<Document> Prepared() {
    auto doc = NewTable(kHorizontal64);
    MakeBoxes(*doc, {{1, 1}, {2, 1}});
    doc->cellGrid(4, 4).marked = doc->cellGrid(4, 6).marked = 1;
    Click(*doc, {{1, 1}});
    CopyCellCommand(*doc);
    EXPECT_FALSE(doc->modified);
    return doc;
}

} // namespace

TEST(ChangedMark, EveryEditSetsItAndSelectionDoesNot) {
    CopyFlags flags{};
    SelectAllFields(flags);
    const std::pair<const char*, std::function<void(Document&)>> edits[] = {
        {"mark", [](Document& d) { CellSelectorClick(d, 5, 5); }},
        {"boxes", [](Document& d) { CreateTableCommand(d); }},
        {"line", [](Document& d) { CreateLineCommand(d); }},
        {"merge",
         [](Document& d) {
             Click(d, {{1, 1}, {2, 1}}), MergeHorizontalCommand(d);
         }},
        {"cancel",
         [](Document& d) {
             Click(d, {{1, 1}}), CancelCellCommand(d);
         }},
        {"clear",
         [](Document& d) {
             Click(d, {{2, 1}}), ClearCellCommand(d);
         }},
        {"paste",
         [&](Document& d) {
             Click(d, {{2, 1}}), PasteCellCommand(d, flags);
         }},
        {"undo", [](Document& d) { PushUndo(d), d.modified = false, UndoCommand(d); }},
        {"redo", [](Document& d) { PushUndo(d), UndoCommand(d), d.modified = false, RedoCommand(d); }},
    };
    for (const auto& [name, edit] : edits) {
        auto doc = Prepared();
        uint32_t count = doc->changeCount;
        edit(*doc);
        EXPECT_TRUE(doc->modified) << name;
        EXPECT_NE(count, doc->changeCount) << name;
    }

    const std::pair<const char*, std::function<void(Document&)>> others[] = {
        {"select box",
         [](Document& d) {
             Click(d, {{2, 1}});
         }},
        {"copy",
         [](Document& d) {
             Click(d, {{2, 1}}), CopyCellCommand(d);
         }},
        {"select all", [](Document& d) { SelectAllCommand(d), SelectAllCommand(d); }},
        {"refused merge",
         [](Document& d) {
             Click(d, {{1, 1}}), MergeVerticalCommand(d);
         }},
        {"nothing to undo or redo", [](Document& d) { UndoCommand(d), RedoCommand(d); }},
    };
    for (const auto& [name, action] : others) {
        auto doc = Prepared();
        action(*doc);
        EXPECT_FALSE(doc->modified) << name;
    }

    auto doc = Prepared();
    CreateTableCommand(*doc);
    ApplyNewPreset(*doc, *FindNewPreset(kHorizontal16));
    EXPECT_FALSE(doc->modified);
}
