// The chart built from a list: the people's box texts, the layout written into a fresh table as
// merged chart boxes and edge connectors like hand editing makes, and the whole command.
#include "document/OrgChart.h"

#include "document/Assistant.h"
#include "document/Headcount.h"
#include "document/PersonTag.h"
#include "document/Structure.h"
#include "document/Undo.h"
#include "document/Vacancy.h"

#include <algorithm>
#include <unordered_map>

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

// Each person's photo from the folder's files, by the photo column or by id or name.
void FindPhotos(ListForChart& read, const ListColumns& columns, BuildOutcome& outcome) {
    CheckedList& checked = read.checked;
    int column = kNoColumn;
    if (!columns.photoColumn.empty()) {
        ListColumns asked;
        asked.named[size_t(ListRole::Name)] = columns.photoColumn;
        column = FindListColumns(checked.table, asked)[ListRole::Name];
    } else if (checked.columns.headerRow >= 0) {
        column = PhotoColumn(checked.table.rows[size_t(checked.columns.headerRow)]);
    }
    std::unordered_map<int, const ListRow*> rowAt;
    for (size_t r = checked.columns.firstPerson; r < checked.table.rows.size(); ++r)
        rowAt[checked.table.rows[r].line] = &checked.table.rows[r];
    read.options.photo.assign(checked.list.people.size(), 0);
    for (size_t i = 0; i < checked.list.people.size(); ++i) {
        Person& p = checked.list.people[i];
        if (p.isVacancy) continue; // nobody's face to show
        std::u16string named;
        if (column >= 0)
            if (auto it = rowAt.find(p.line); it != rowAt.end() && size_t(column) < it->second->fields.size())
                named = it->second->fields[size_t(column)];
        const std::u16string& shown = p.name.empty() ? p.title : p.name;
        const int found =
            column >= 0 && named.empty() ? -1 : FindPhoto(columns.photoFiles, p.id, p.name, named);
        if (found < 0) {
            outcome.withoutPhoto.push_back(shown);
        } else if (!columns.photoFiles[size_t(found)].readable) {
            outcome.unreadablePhoto.push_back(shown);
        } else {
            p.photo = columns.photoFiles[size_t(found)].path;
            read.options.photo[i] = 1;
            ++outcome.photosFound;
        }
    }
}

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
        if (p.isVacancy) {
            read.texts.push_back(VacancyBoxText(columns.vacancyLabel, p.title));
            read.options.nameLength.push_back(int(columns.vacancyLabel.size()));
            continue;
        }
        read.texts.push_back(BoxText(p));
        read.options.nameLength.push_back(int(std::min(p.name.size(), read.texts.back().size())));
    }
    if (!columns.photoFolder.empty()) FindPhotos(read, columns, outcome);
    if (columns.assistantsBeside) read.options.assistant = FindAssistants(list, read.checked.managerOf);
    if (columns.colourBy != ColourBy::Nothing) {
        const int department = columns.departmentColumn == kFindColumn ? FindDepartmentColumn(read.checked)
                                                                       : columns.departmentColumn;
        read.colours = GroupPeople(read.checked, columns.colourBy, department, columns.levelWord);
    }
    if (columns.headcount) {
        // Open positions are counted apart.
        std::vector<char> apart(list.people.size(), 0);
        for (size_t i = 0; i < list.people.size(); ++i)
            apart[i] = list.people[i].isVacancy ? 1 : 0;
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
