// The chart of pages against a plain model of it: random page commands keep every page's table,
// name and place; undo, selection and the cell clipboard belong to the page; books read back.
#include "document/Chart.h"

#include "document/Clipboard.h"
#include "document/Selection.h"
#include "document/Structure.h"
#include "document/Undo.h"
#include "document/WorkFileFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

namespace {

constexpr int kHorizontal24 = 3309;

std::u16string TagText(int tag) {
    std::string digits = std::to_string(tag);
    return std::u16string(digits.begin(), digits.end());
}

// A fresh table whose first box holds the tag as its text, so that each page is told apart.
void MakeTaggedTable(Document& doc, int tag) {
    ApplyNewPreset(doc, *FindNewPreset(kHorizontal24));
    doc.cellGrid(0, 0).isBox = 1;
    AssignField(doc.cellGrid(0, 0).text, TagText(tag));
}

// The text of cell (0, 0), the work file's first record.
std::u16string TextAt(std::span<const uint8_t> workFile) {
    EXPECT_EQ(CheckWorkFile(workFile, WorkFileFormat::Current), WorkFileCheck::Accepted);
    CellRecord cell{};
    DecodeCellRecord(workFile.data(), cell);
    return std::u16string(FieldText(cell.text));
}

struct ModelPage {
    std::wstring name;
    int tag;
};

void ExpectChartIs(const Chart& chart, const Document& shown, const std::vector<ModelPage>& model,
                   int shownIndex) {
    ASSERT_EQ(PageCount(chart), int(model.size()));
    EXPECT_EQ(chart.shown, shownIndex);
    EXPECT_EQ(FieldText(shown.cellGrid(0, 0).text), TagText(model[size_t(shownIndex)].tag));
    for (size_t i = 0; i < model.size(); ++i) {
        EXPECT_EQ(chart.pages[i].name, model[i].name);
        EXPECT_EQ(TextAt(PageWorkFile(chart, shown, int(i))), TagText(model[i].tag)) << i;
    }
}

// A box edited as the editor edits it: snapshot, change, note.
void EditText(Document& doc, const std::u16string& text) {
    PushUndo(doc);
    AssignField(doc.cellGrid(0, 0).text, text);
    NoteEdit(doc);
}

} // namespace

// The model's rule for "Undo" after "Delete page": the last removal comes back while the page
// shown right after it is shown again, with no edit of that page since. The chart's change count
// grows with every command that changes the chart and with nothing else.
TEST(Chart, RandomPageCommandsFollowTheModel) {
    std::mt19937 random(2);
    Chart chart;
    auto shown = std::make_unique<Document>();
    ResetChart(chart, L"P0");
    MakeTaggedTable(*shown, 0);
    std::vector<ModelPage> model = {{L"P0", 0}};
    struct Removal {
        ModelPage page;
        int index;
        int shownAfter; // tag of the page shown then
        int editsThen;  // and its edits then
    };
    std::vector<Removal> removed;
    std::vector<int> edits(1); // by tag
    int current = 0, nextTag = 1;
    for (int step = 0; step < 300; ++step) {
        const uint32_t countBefore = ChartChangeCount(chart, *shown);
        bool changed = true;
        switch (random() % 7) {
        case 0: { // add
            const std::wstring name = L"P" + std::to_wstring(nextTag);
            AddPage(chart, *shown, name);
            MakeTaggedTable(*shown, nextTag);
            model.insert(model.begin() + current + 1, {name, nextTag++});
            edits.push_back(0);
            ++current;
            removed.clear();
            break;
        }
        case 1: { // rename
            const int index = int(random() % model.size());
            const std::wstring name = L"R" + std::to_wstring(step);
            RenamePage(chart, index, name);
            model[size_t(index)].name = name;
            break;
        }
        case 2: { // delete
            changed = model.size() > 1;
            if (!changed) break;
            DeleteShownPage(chart, *shown);
            const ModelPage page = model[size_t(current)];
            const int index = current;
            model.erase(model.begin() + current);
            current = std::min(current, int(model.size()) - 1);
            const int after = model[size_t(current)].tag;
            removed.push_back({page, index, after, edits[size_t(after)]});
            break;
        }
        case 3: { // undo a removal
            const int tag = model[size_t(current)].tag;
            const bool restorable = !removed.empty() && removed.back().shownAfter == tag &&
                                    removed.back().editsThen == edits[size_t(tag)];
            ASSERT_EQ(CanRestoreRemovedPage(chart, *shown), restorable) << "step " << step;
            changed = restorable;
            if (!restorable) break;
            RestoreRemovedPage(chart, *shown);
            model.insert(model.begin() + removed.back().index, removed.back().page);
            current = removed.back().index;
            removed.pop_back();
            break;
        }
        case 4: { // move
            const int stepBy = random() % 2 ? 1 : -1;
            MoveShownPage(chart, stepBy);
            changed = current + stepBy >= 0 && current + stepBy < int(model.size());
            if (changed) {
                std::swap(model[size_t(current)], model[size_t(current + stepBy)]);
                current += stepBy;
                removed.clear();
            }
            break;
        }
        case 5: { // show another page
            const int index = int(random() % model.size());
            ShowPage(chart, *shown, index);
            current = index;
            changed = false;
            break;
        }
        case 6: // edit the page shown, away from the cell that tells the pages apart
            PushUndo(*shown);
            AssignField(shown->cellGrid(1, 0).text, TagText(step));
            NoteEdit(*shown);
            ++edits[size_t(model[size_t(current)].tag)];
            break;
        }
        ExpectChartIs(chart, *shown, model, current);
        const uint32_t countAfter = ChartChangeCount(chart, *shown);
        if (changed)
            EXPECT_GT(countAfter, countBefore) << "step " << step;
        else
            EXPECT_EQ(countAfter, countBefore) << "step " << step;
        if (HasFatalFailure()) return;
    }
}

TEST(Chart, ParkedPagesComeBackByteForByte) {
    std::mt19937 random(5);
    Chart chart;
    auto shown = std::make_unique<Document>();
    ResetChart(chart, L"A");
    MakeTaggedTable(*shown, 1);
    // Bytes anywhere in the grid, rows below the table included.
    for (int k = 0; k < 2000; ++k) {
        CellRecord& cell = shown->cellGrid(int(random() % kGridSize), int(random() % kGridSize));
        reinterpret_cast<uint8_t*>(&cell)[random() % sizeof(CellRecord)] = uint8_t(random());
    }
    const std::vector<CellRecord> before = shown->cellGrid.slots;
    AddPage(chart, *shown, L"B");
    ShowPage(chart, *shown, 0);
    EXPECT_EQ(std::memcmp(shown->cellGrid.slots.data(), before.data(), before.size() * sizeof(CellRecord)),
              0);
}

TEST(Chart, UndoSelectionAndChangesBelongToThePage) {
    Chart chart;
    auto shown = std::make_unique<Document>();
    ResetChart(chart, L"A");
    MakeTaggedTable(*shown, 1);
    EditText(*shown, u"a1");
    EditText(*shown, u"a2");
    CellSelectorClick(*shown, 0, 0);
    const std::vector<uint8_t> pageA = EncodeWorkFile(*shown);

    AddPage(chart, *shown, L"B");
    MakeTaggedTable(*shown, 2);
    EXPECT_FALSE(UndoAvailable(*shown));
    EXPECT_EQ(shown->selectionCount, 0);
    EditText(*shown, u"b1");
    EXPECT_TRUE(ChartModified(chart, *shown));

    ShowPage(chart, *shown, 0);
    EXPECT_EQ(EncodeWorkFile(*shown), pageA);
    EXPECT_EQ(shown->selectionCount, 1);
    PopUndo(*shown);
    EXPECT_EQ(FieldText(shown->cellGrid(0, 0).text), u"a1");
    EXPECT_EQ(TextAt(PageWorkFile(chart, *shown, 1)), u"b1");

    ShowPage(chart, *shown, 1);
    PopUndo(*shown);
    EXPECT_EQ(FieldText(shown->cellGrid(0, 0).text), u"2");
    EXPECT_EQ(TextAt(PageWorkFile(chart, *shown, 0)), u"a1");

    const uint32_t changes = ChartChangeCount(chart, *shown);
    ChartRecorded(chart, *shown);
    EXPECT_FALSE(ChartModified(chart, *shown));
    RenamePage(chart, 0, L"A2");
    EXPECT_TRUE(ChartModified(chart, *shown));
    EXPECT_GT(ChartChangeCount(chart, *shown), changes);
}

TEST(Chart, CellCopiedOnOnePagePastesOnAnother) {
    Chart chart;
    auto shown = std::make_unique<Document>();
    ResetChart(chart, L"A");
    MakeTaggedTable(*shown, 1);
    shown->cellGrid(0, 0).backColor = 0x123456;
    CellSelectorClick(*shown, 0, 0);
    ASSERT_EQ(CopyCellCommand(*shown), EditOutcome::Done);
    NoteCellCopied(chart);

    AddPage(chart, *shown, L"B");
    MakeTaggedTable(*shown, 2);
    shown->cellGrid(1, 0).isBox = 1;
    CellSelectorClick(*shown, 0, 0);
    CopyFlags flags{};
    flags[kCopyBackColor] = 1;
    flags[kCopyText] = 1;
    ASSERT_EQ(PasteCellOnChart(chart, *shown, flags), EditOutcome::Done);
    EXPECT_EQ(shown->cellGrid(0, 0).backColor, 0x123456);
    EXPECT_EQ(FieldText(shown->cellGrid(0, 0).text), u"1");
    PopUndo(*shown);
    EXPECT_EQ(FieldText(shown->cellGrid(0, 0).text), u"2");

    // The copied page gone, there is nothing to paste.
    ShowPage(chart, *shown, 0);
    DeleteShownPage(chart, *shown);
    CellSelectorClick(*shown, 1, 0);
    EXPECT_EQ(PasteCellOnChart(chart, *shown, flags), EditOutcome::NothingCopied);
}

TEST(Chart, BooksReadBackPageForPageAndRefusalsChangeNothing) {
    Chart chart;
    auto shown = std::make_unique<Document>();
    ResetChart(chart, L"Direcci\u00f3n general");
    MakeTaggedTable(*shown, 1);
    for (int tag = 2; tag <= 4; ++tag) {
        AddPage(chart, *shown, L"Equipo " + std::to_wstring(tag));
        MakeTaggedTable(*shown, tag);
        EditText(*shown, u"text " + TagText(tag));
    }
    ShowPage(chart, *shown, 1);
    const std::vector<uint8_t> book = EncodeChartAsBook(chart, *shown);
    std::vector<BookEntry> entries;
    ASSERT_EQ(DecodeChartBook(book, entries), BookCheck::Accepted);

    Chart read;
    auto readShown = std::make_unique<Document>();
    ASSERT_EQ(LoadChartBook(read, *readShown, book), ChartBookLoad::Accepted);
    ASSERT_EQ(PageCount(read), 4);
    EXPECT_EQ(read.shown, 0);
    EXPECT_FALSE(ChartModified(read, *readShown));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(read.pages[size_t(i)].name, chart.pages[size_t(i)].name);
        EXPECT_EQ(PageWorkFile(read, *readShown, i), PageWorkFile(chart, *shown, i));
    }

    // Pages of the largest table, more of them than a book once could hold, are written and read
    // one at a time.
    Chart large;
    ResetChart(large, L"1");
    for (int tag = 1; tag <= 20; ++tag) {
        if (tag > 1) AddPage(large, *shown, std::to_wstring(tag));
        const NewPreset largest{0, 10, kGridSize, kGridSize};
        ApplyNewPreset(*shown, largest);
        shown->cellGrid(0, 0).isBox = 1;
        AssignField(shown->cellGrid(0, 0).text, TagText(tag));
    }
    const std::vector<uint8_t> largeBook = EncodeChartAsBook(large, *shown);
    ASSERT_EQ(LoadChartBook(read, *readShown, largeBook), ChartBookLoad::Accepted);
    ASSERT_EQ(PageCount(read), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(TextAt(PageWorkFile(read, *readShown, i)), TagText(i + 1));
    }
    ASSERT_EQ(LoadChartBook(read, *readShown, book), ChartBookLoad::Accepted);

    // A book whose page is not a work file is refused whole.
    std::vector<BookEntry> bad = entries;
    bad[2].bytes.pop_back();
    const std::vector<uint8_t> before = PageWorkFile(read, *readShown, 0);
    EXPECT_EQ(LoadChartBook(read, *readShown, EncodeChartBook(bad)), ChartBookLoad::Refused);
    EXPECT_EQ(PageCount(read), 4);
    EXPECT_EQ(PageWorkFile(read, *readShown, 0), before);
    // One refused only for what it declares is told apart, so that a recovery copy is never taken
    // for a file of another kind.
    std::vector<uint8_t> declaresMore = book;
    const size_t end = declaresMore.size() - 22;
    declaresMore[end + 8] = declaresMore[end + 10] = 0xE8; // 1000 entries
    declaresMore[end + 9] = declaresMore[end + 11] = 3;
    EXPECT_EQ(LoadChartBook(read, *readShown, declaresMore), ChartBookLoad::TooLarge);
    EXPECT_EQ(PageWorkFile(read, *readShown, 0), before);
}
