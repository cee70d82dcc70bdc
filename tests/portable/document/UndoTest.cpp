// Undo: snapshot levels, repeated Undo at the bottom, the full history, independence of the
// snapshots from later edits, and a long random session against a plain full-copy history.
#include "DocumentFixtures.h"

#include "document/CellEdit.h"
#include "document/Edit.h"
#include "document/Undo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>

namespace {

// Each edit writes its number into one cell so that every state of the table is recognisable.
void Edit(Document& doc, int n) {
    AssignField(doc.cellGrid(n % 7, n % 5).text, u"edit " + std::u16string(1, char16_t(u'A' + n % 60)));
    doc.cellGrid(0, 0).fontSize = int16_t(n);
}

int16_t StateOf(const Document& doc) {
    return doc.cellGrid(0, 0).fontSize;
}

std::unique_ptr<Document> SmallTable() {
    auto doc = NewTable(kHorizontal64);
    doc->cellGrid(0, 0).fontSize = 0;
    return doc;
}

} // namespace

TEST(UndoLevels, TwoUndosAfterOneSnapshotRestoreTheSameStateTwice) {
    auto doc = SmallTable();
    PushUndo(*doc);
    Edit(*doc, 1);
    UndoCommand(*doc);
    EXPECT_EQ(0, StateOf(*doc));
    Edit(*doc, 2); // a mouse edit without a snapshot of its own
    UndoCommand(*doc);
    EXPECT_EQ(0, StateOf(*doc));
    EXPECT_EQ(0, doc->undo.undoLevel);
    EXPECT_TRUE(UndoAvailable(*doc));
}

TEST(UndoLevels, TenSnapshotsThenElevenUndosStepBackAndRepeatTheOldest) {
    auto doc = SmallTable();
    for (int n = 1; n <= 10; ++n) {
        PushUndo(*doc); // taken in the state left by edit n - 1
        Edit(*doc, n);
    }
    EXPECT_EQ(10, doc->undo.undoLevel);
    for (int expected = 9; expected >= 0; --expected) {
        UndoCommand(*doc);
        EXPECT_EQ(expected, StateOf(*doc));
        EXPECT_EQ(expected, doc->undo.undoLevel);
    }
    UndoCommand(*doc);
    EXPECT_EQ(0, StateOf(*doc));
}

TEST(UndoLevels, SnapshotAfterAnUndoReplacesTheUndoneOnes) {
    auto doc = SmallTable();
    for (int n = 1; n <= 5; ++n) {
        PushUndo(*doc);
        Edit(*doc, n);
    }
    UndoCommand(*doc);
    UndoCommand(*doc); // back to the state after edit 3
    PushUndo(*doc);
    Edit(*doc, 40);
    UndoCommand(*doc);
    EXPECT_EQ(3, StateOf(*doc));
    UndoCommand(*doc);
    EXPECT_EQ(2, StateOf(*doc));
}

TEST(UndoLevels, FullHistoryKeepsTheFiftyMostRecentSnapshots) {
    auto doc = SmallTable();
    for (int n = 1; n <= 60; ++n) {
        PushUndo(*doc);
        Edit(*doc, n);
    }
    EXPECT_EQ(50, doc->undo.undoLevel);
    EXPECT_EQ(50u, doc->undo.undoStack.size());
    // The first Undo goes back one edit, not two; fifty Undos reach the state before edit 11.
    for (int expected = 59; expected >= 10; --expected) {
        UndoCommand(*doc);
        ASSERT_EQ(expected, StateOf(*doc));
    }
    UndoCommand(*doc);
    EXPECT_EQ(10, StateOf(*doc));
}

TEST(UndoLevels, FullHistoryStaysUsableAfterUndoAndNewSnapshots) {
    auto doc = SmallTable();
    for (int n = 1; n <= 55; ++n) {
        PushUndo(*doc);
        Edit(*doc, n);
    }
    UndoCommand(*doc); // state 54
    PushUndo(*doc);
    Edit(*doc, 100);
    PushUndo(*doc);
    Edit(*doc, 101);
    UndoCommand(*doc);
    EXPECT_EQ(100, StateOf(*doc));
    UndoCommand(*doc);
    EXPECT_EQ(54, StateOf(*doc));
    UndoCommand(*doc);
    EXPECT_EQ(53, StateOf(*doc));
}

TEST(UndoLevels, NothingToUndoLeavesTheTableAlone) {
    auto doc = SmallTable();
    Edit(*doc, 7);
    EXPECT_FALSE(UndoAvailable(*doc));
    UndoCommand(*doc);
    EXPECT_EQ(7, StateOf(*doc));
    EXPECT_EQ("Times New Roman", FieldText(doc->cellGrid(3, 3).fontName));
}

TEST(UndoLevels, UndoWhileAnotherRunsDoesNothing) {
    auto doc = SmallTable();
    PushUndo(*doc);
    Edit(*doc, 1);
    doc->undo.undoReady = 2;
    UndoCommand(*doc);
    EXPECT_EQ(1, StateOf(*doc));
    EXPECT_EQ(1, doc->undo.undoLevel);
    doc->undo.undoReady = 1;
    UndoCommand(*doc);
    EXPECT_EQ(0, StateOf(*doc));
    EXPECT_EQ(1, doc->undo.undoReady);
}

TEST(UndoLevels, ResetForgetsEverySnapshot) {
    auto doc = SmallTable();
    PushUndo(*doc);
    PushUndo(*doc);
    ResetUndoHistory(*doc);
    EXPECT_FALSE(UndoAvailable(*doc));
    EXPECT_EQ(0, doc->undo.undoLevel);
}

TEST(UndoSnapshots, RestoreEveryFieldAndOnlyTheTable) {
    auto doc = SmallTable();
    CellRecord& cell = doc->cellGrid(4, 4);
    std::memcpy(cell.reserved11, "file bytes", 11);
    AssignField(cell.text, u"abcdef");
    AssignField(cell.text, u"ab"); // bytes behind the terminator are part of the record
    auto before = std::make_unique<Document>(*doc);
    doc->cellGrid(0, 0).marked = 1;
    CreateTableCommand(*doc);
    cell.isBox = 1;
    cell.vLineOn = 1;
    std::memset(cell.reserved11, 'x', 11);
    std::memset(cell.text, 0x55, sizeof cell.text);
    doc->cellGrid(16, 11).covered = 1; // the last cell of the 17 x 12 table
    doc->cellGrid(17, 0).marked = 1;   // outside the table: not part of any snapshot
    UndoCommand(*doc);
    EXPECT_EQ(0, std::memcmp(&before->cellGrid(4, 4), &cell, sizeof cell));
    EXPECT_EQ(0, doc->cellGrid(16, 11).covered);
    EXPECT_EQ(1, doc->cellGrid(17, 0).marked);
}

TEST(UndoSnapshots, LaterEditsDoNotReachIntoSharedSnapshots) {
    auto doc = SmallTable();
    AssignField(doc->cellGrid(2, 2).text, u"one");
    PushUndo(*doc); // holds "one"
    PushUndo(*doc); // unchanged cell: shares the record of the first snapshot
    AssignField(doc->cellGrid(2, 2).text, u"two");
    PushUndo(*doc); // holds "two"
    AssignField(doc->cellGrid(2, 2).text, u"three");
    UndoCommand(*doc);
    EXPECT_EQ(u"two", FieldText(doc->cellGrid(2, 2).text));
    AssignField(doc->cellGrid(2, 2).text, u"changed after restoring");
    UndoCommand(*doc);
    EXPECT_EQ(u"one", FieldText(doc->cellGrid(2, 2).text));
    UndoCommand(*doc);
    EXPECT_EQ(u"one", FieldText(doc->cellGrid(2, 2).text));
    EXPECT_EQ(&*doc->undo.undoStack[0].cells[2 * 17 + 2], &*doc->undo.undoStack[1].cells[2 * 17 + 2]);
    EXPECT_NE(&*doc->undo.undoStack[1].cells[2 * 17 + 2], &*doc->undo.undoStack[2].cells[2 * 17 + 2]);
}

TEST(UndoSnapshots, SnapshotsHoldOnlyTheTablesCells) {
    auto doc = SmallTable();
    PushUndo(*doc);
    EXPECT_EQ(17u * 12u, doc->undo.undoStack[0].cells.size());
}

// A plain history of whole copies, kept the way the menu describes it, with the oldest copy
// dropped once fifty are held.
struct PlainHistory {
    std::vector<std::vector<CellRecord>> slots;
    int level = 0;
};

static std::vector<CellRecord> TableCells(const Document& doc) {
    std::vector<CellRecord> cells;
    for (int r = 0; r < doc.tableRows; ++r)
        for (int c = 0; c < doc.tableColumns; ++c)
            cells.push_back(doc.cellGrid(c, r));
    return cells;
}

TEST(UndoSnapshots, RandomSessionMatchesAPlainHistoryOfWholeCopies) {
    auto doc = std::make_unique<Document>();
    doc->cellWidth = doc->cellHeight = 20;
    doc->separation = 1;
    doc->tableColumns = 6;
    doc->tableRows = 5;
    BuildNewTable(*doc, 6, 5, 2, 2, 0xC0C0C0);
    PlainHistory plain;
    std::mt19937 random(12345);
    for (int step = 0; step < 4000; ++step) {
        int action = int(random() % 10);
        if (action < 4) {
            PushUndo(*doc);
            if (plain.level == 50) {
                plain.slots.erase(plain.slots.begin());
                --plain.level;
            }
            plain.slots.resize(plain.level);
            plain.slots.push_back(TableCells(*doc));
            ++plain.level;
        } else if (action < 7) {
            UndoCommand(*doc);
            if (!plain.slots.empty()) {
                if (plain.level > 0) --plain.level;
                std::vector<CellRecord> expected = plain.slots[plain.level];
                ASSERT_EQ(30u, expected.size());
                ASSERT_EQ(0, std::memcmp(expected.data(), TableCells(*doc).data(),
                                         expected.size() * sizeof(CellRecord)))
                    << "step " << step;
            }
        } else {
            // Edits of a few cells between snapshots, as the mouse and the commands make them.
            int edits = 1 + int(random() % 3);
            for (int e = 0; e < edits; ++e) {
                CellRecord& cell = doc->cellGrid(int(random() % 6), int(random() % 5));
                cell.backColor = int32_t(random() % 4);
                cell.covered = int32_t(random() % 3);
            }
        }
        ASSERT_EQ(plain.level, doc->undo.undoLevel) << "step " << step;
    }
}

// A session of every kind of edit, Undo and Redo against whole copies of every state: each
// command that changes the chart is one step, marks, selections and commands that change nothing
// are none, and any change of the cells ends the redo states.
TEST(Redo, RandomSessionOfEveryEditMatchesWholeCopiesOfUndoneStates) {
    auto doc = NewTable(kHorizontal64);
    PlainHistory plain;
    std::vector<std::vector<CellRecord>> redo;
    std::vector<CellRecord> current = TableCells(*doc);
    auto pushPlain = [&](const std::vector<CellRecord>& state) {
        if (plain.level == 50) {
            plain.slots.erase(plain.slots.begin());
            --plain.level;
        }
        plain.slots.resize(plain.level);
        plain.slots.push_back(state);
        ++plain.level;
    };
    CopyFlags allFields;
    allFields.fill(1);
    std::mt19937 random(777);
    auto any = [&](int n) { return int(random() % unsigned(n)); };
    int steps = 0, cellSteps = 0;
    for (int step = 0; step < 4000; ++step) {
        const std::vector<CellRecord> before = TableCells(*doc);
        const uint32_t changes = doc->changeCount;
        std::vector<std::pair<int, int>> marks; // of the table, rows outer
        for (size_t i = 0; i < before.size(); ++i)
            if (before[i].marked == 1)
                marks.emplace_back(int(i) % doc->tableColumns, int(i) / doc->tableColumns);
        bool snapshot = false;
        int action = any(20);
        if (action < 4) {
            // The cell selector: marks on guide cells, runs of boxes across or down.
            int c = any(16), r = any(11), length = 1 + any(3);
            bool across = any(2) == 0;
            for (int k = 0; k < length; ++k)
                CellSelectorClick(*doc, across ? c + k : c, across ? r : r + k);
        } else if (action < 10) {
            switch (action) {
            case 4: // boxes from the marks, when there are any
                CreateTableCommand(*doc);
                snapshot = !marks.empty();
                break;
            case 5: // a line between two marks in one row or one column
                CreateLineCommand(*doc);
                snapshot = marks.size() == 2 &&
                           (marks[0].first == marks[1].first || marks[0].second == marks[1].second);
                break;
            case 6:
                snapshot = MergeHorizontalCommand(*doc) == EditOutcome::Done;
                break;
            case 7:
                snapshot = MergeVerticalCommand(*doc) == EditOutcome::Done;
                break;
            case 8:
                if (any(2) == 0) {
                    snapshot = PasteCellCommand(*doc, allFields) == EditOutcome::Done;
                } else {
                    CopyCellCommand(*doc);
                }
                break;
            case 9:
                snapshot =
                    (any(2) == 0 ? ClearCellCommand(*doc) : CancelCellCommand(*doc)) == EditOutcome::Done;
                break;
            }
        } else if (action < 13) {
            // Text properties accepted, a picture or an icon set or removed, or a dialog accepted
            // without a change.
            int c = any(17), r = any(12);
            CellRecord edited = doc->cellGrid(c, r);
            switch (any(4)) {
            case 0:
                AssignField(edited.text, u"text " + std::u16string(1, char16_t(u'a' + any(3))));
                edited.backColor = any(3);
                break;
            case 1:
                AssignField(edited.imageSpec, any(2) ? "C:\\p.bmp|" + std::to_string(edited.backColor) : "");
                break;
            case 2:
                AssignField(edited.iconPath, any(2) ? "C:\\i.ico" : "");
                break;
            }
            const bool differs = std::memcmp(&edited, &doc->cellGrid(c, r), sizeof edited) != 0;
            ASSERT_EQ(differs, ReplaceCellRecord(*doc, c, r, edited)) << "step " << step;
            snapshot = differs;
            cellSteps += differs;
        } else if (action < 17) {
            if (!plain.slots.empty()) {
                if (plain.level > 0) {
                    redo.push_back(current);
                    --plain.level;
                }
                current = plain.slots[plain.level];
            }
            UndoCommand(*doc);
        } else {
            if (!redo.empty()) {
                pushPlain(current);
                current = redo.back();
                redo.pop_back();
            }
            RedoCommand(*doc);
        }
        if (action < 13) {
            if (snapshot) {
                pushPlain(before);
                ++steps;
            }
            // A snapshot or any change of the cells ends the redo states.
            if (snapshot || doc->changeCount != changes) redo.clear();
            current = TableCells(*doc);
        }
        ASSERT_EQ(plain.level, doc->undo.undoLevel) << "step " << step;
        ASSERT_EQ(!redo.empty(), RedoAvailable(*doc)) << "step " << step;
        ASSERT_EQ(0,
                  std::memcmp(current.data(), TableCells(*doc).data(), current.size() * sizeof(CellRecord)))
            << "step " << step;
    }
    // The session reached every kind of step often enough to mean something.
    EXPECT_GT(cellSteps, 200);
    EXPECT_GT(steps, 400);
}

TEST(Redo, FiftyUndoneStatesOfTheLargestTableShareTheirUnchangedCells) {
    auto doc = std::make_unique<Document>();
    doc->cellWidth = doc->cellHeight = 8;
    doc->tableColumns = doc->tableRows = kGridSize;
    BuildNewTable(*doc, kGridSize, kGridSize, 2, 2, 0xC0C0C0);
    for (int n = 1; n <= 60; ++n) {
        PushUndo(*doc);
        Edit(*doc, n);
    }
    for (int n = 0; n < 50; ++n)
        UndoCommand(*doc);
    ASSERT_EQ(50u, doc->undo.redoStack.size());
    std::set<const CellRecord*> records;
    for (const auto* stack : {&doc->undo.undoStack, &doc->undo.redoStack})
        for (const UndoSnapshot& snapshot : *stack)
            for (const auto& cell : snapshot.cells)
                records.insert(cell.get());
    // One table plus the two cells each edit touched, per undo and per redo state.
    EXPECT_LE(records.size(), size_t(kGridSize * kGridSize + 4 * 110));
    for (int n = 0; n < 50; ++n)
        RedoCommand(*doc);
    EXPECT_EQ(60, StateOf(*doc));
    EXPECT_FALSE(RedoAvailable(*doc));
}
