// The chart built from a list: the people's box texts, the layout written into a fresh table as
// merged chart boxes and edge connectors like hand editing makes, and the whole command.
#include "document/OrgChart.h"

#include "document/Headcount.h"
#include "document/PersonTag.h"
#include "document/Structure.h"
#include "document/Undo.h"

#include <algorithm>

std::u16string BoxText(const Person& person) {
    std::u16string text = person.name;
    if (!person.title.empty()) text += u" " + person.title;
    if (text.size() > size_t(kTextCapacity - 1)) text.resize(size_t(kTextCapacity - 1));
    return text;
}

ChartLayout LayOutChart(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                        const BoxTextMeasure& measure, const LayoutOptions& options) {
    std::vector<int> everyone(texts.size());
    for (size_t i = 0; i < everyone.size(); ++i)
        everyone[i] = int(i);
    return LayOutTeam(texts, managerOf, everyone, measure, options);
}

void WriteChart(Document& doc, const ChartLayout& layout, const std::vector<std::u16string>& texts) {
    const NewPreset shape{0, layout.cellSize, layout.columns, layout.rows};
    SetPresetTableValues(doc, shape);
    doc.tablePresent = true;
    BuildNewTable(doc, doc.tableColumns, doc.tableRows, kNewTableOrigin, kNewTableOrigin, kGuideGridColor);
    const int pitch = doc.cellWidth + doc.separation;
    for (const ChartBox& b : layout.boxes) {
        // The box as merging makes it: each row joined across, then the rows joined down.
        for (int r = b.row; r < b.row + b.rows; ++r) {
            for (int c = b.column; c < b.column + b.columns; ++c) {
                CellRecord& cell = doc.cellGrid(c, r);
                cell.isBox = 1;
                cell.covered = c > b.column ? 1 : r > b.row ? 2 : 0;
            }
            doc.cellGrid(b.column, r).right = doc.cellGrid(b.column + b.columns - 1, r).right;
        }
        CellRecord& anchor = doc.cellGrid(b.column, b.row);
        anchor.bottom = doc.cellGrid(b.column, b.row + b.rows - 1).bottom;
        AssignField(anchor.text, texts[size_t(b.person)]);
        anchor.fontSize = layout.points;
        anchor.alignment = kAlignCenter;
    }
    for (const ChartLine& l : layout.lines) {
        // From the separation before the first cell to the one after the last, so that lines meet
        // each other and the outlines of the boxes.
        CellRecord& cell = doc.cellGrid(l.column, l.row);
        if (l.vertical) {
            cell.vLineX1 = cell.vLineX2 = cell.left - 1;
            cell.vLineY1 = cell.top - 1;
            cell.vLineY2 = cell.top + l.length * pitch;
            cell.vLineOn = 1;
        } else {
            cell.hLineY1 = cell.hLineY2 = cell.top - 1;
            cell.hLineX1 = cell.left - 1;
            cell.hLineX2 = cell.left + l.length * pitch;
            cell.hLineOn = 1;
        }
    }
}

namespace {

// The headcount goes after the title, where the box's text may still hold it.
void AppendHeadcount(std::u16string& text, const Headcount& count) {
    const std::u16string figures = HeadcountText(count);
    if (figures.empty() || text.size() + 1 + figures.size() > size_t(kTextCapacity - 1)) return;
    text += u' ';
    text += figures;
}

} // namespace

bool ReadListForChart(std::string_view bytes, const AnsiDecoder& ansi, const ListColumns& columns,
                      ListForChart& read, BuildOutcome& outcome) {
    read.checked = ReadCheckedList(DecodeListText(bytes, ansi), columns);
    const PeopleList& list = read.checked.list;
    outcome.people = int(list.people.size());
    outcome.formerRows = list.formerRows;
    if (list.people.empty()) return false;
    outcome.undecided = read.checked.columns.undecided;
    if (!outcome.undecided.empty()) {
        outcome.result = BuildResult::Undecided;
        return false;
    }
    outcome.faults = read.checked.faults;
    if (!outcome.faults.empty()) {
        outcome.result = BuildResult::FaultyList;
        return false;
    }
    read.texts.reserve(list.people.size());
    for (const Person& p : list.people) {
        read.texts.push_back(BoxText(p));
        read.options.nameLength.push_back(int(std::min(p.name.size(), read.texts.back().size())));
    }
    if (columns.colourBy != ColourBy::Nothing) {
        const int department = columns.departmentColumn == kFindColumn ? FindDepartmentColumn(read.checked)
                                                                       : columns.departmentColumn;
        read.colours = GroupPeople(read.checked, columns.colourBy, department, columns.levelWord);
    }
    if (columns.headcount) {
        // Open positions are counted apart: none are marked yet.
        const std::vector<char> apart(list.people.size(), 0);
        const std::vector<Headcount> counts = CountHeads(read.checked.managerOf, apart);
        for (size_t i = 0; i < counts.size(); ++i)
            AppendHeadcount(read.texts[i], counts[i]);
    }
    return true;
}

BuildOutcome BuildChartFromList(Document& doc, std::string_view bytes, const AnsiDecoder& ansi,
                                const BoxTextMeasure& measure, const ListColumns& columns) {
    BuildOutcome outcome;
    ListForChart read;
    if (!ReadListForChart(bytes, ansi, columns, read, outcome)) return outcome;
    const std::vector<int>& managerOf = read.checked.managerOf;
    const std::vector<std::u16string>& texts = read.texts;
    const LayoutOptions& options = read.options;
    ChartLayout layout = LayOutChart(texts, managerOf, measure, options);
    outcome.chartColumns = layout.chartColumns;
    outcome.chartRows = layout.chartRows;
    if (!layout.fits) {
        outcome.result = BuildResult::TooLarge;
        return outcome;
    }
    // The table from before is the first undo snapshot; a new table empties the history.
    UndoHistory before;
    if (doc.tablePresent) {
        ResetUndoHistory(doc);
        PushUndo(doc);
        before = std::move(doc.undo);
    }
    WriteChart(doc, layout, texts);
    TagListChart(doc, layout, read.checked);
    ColourListChart(doc, layout, read.colours);
    if (!before.undoStack.empty()) doc.undo = std::move(before);
    // The chart exists nowhere else yet.
    doc.modified = true;
    ++doc.changeCount;
    outcome.result = BuildResult::Built;
    return outcome;
}
