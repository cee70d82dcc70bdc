// Box colours by level or department, their contrast and the legend.
#include "document/BoxColours.h"

#include "document/ChartSplit.h"
#include "document/ListTable.h"
#include "document/OrgLayout.h"
#include "document/PeopleList.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Cell colours are kept as Windows keeps them: red in the low byte.
int32_t CellColour(uint32_t rgb) {
    return int32_t(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

double Channel(uint32_t value) {
    const double c = double(value & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t rgb) {
    return 0.2126 * Channel(rgb >> 16) + 0.7152 * Channel(rgb >> 8) + 0.0722 * Channel(rgb);
}

bool CellFree(const CellRecord& cell) {
    return cell.isBox == 0 && cell.vLineOn == 0 && cell.hLineOn == 0 && FieldText(cell.text).empty();
}

// Every cell of the rectangle, and one cell around it inside the table, holds nothing.
bool RoomFor(const Document& doc, int column, int row, int columns, int rows) {
    for (int r = std::max(row - 1, 0); r < std::min(row + rows + 1, int(doc.tableRows)); ++r)
        for (int c = std::max(column - 1, 0); c < std::min(column + columns + 1, int(doc.tableColumns)); ++c)
            if (!CellFree(doc.cellGrid(c, r))) return false;
    return true;
}

// A box as merging makes it: each row joined across, then the rows joined down.
CellRecord& MergeBox(Document& doc, int column, int row, int columns, int rows) {
    for (int r = row; r < row + rows; ++r) {
        for (int c = column; c < column + columns; ++c) {
            CellRecord& cell = doc.cellGrid(c, r);
            cell.isBox = 1;
            cell.covered = c > column ? 1 : r > row ? 2 : 0;
        }
        doc.cellGrid(column, r).right = doc.cellGrid(column + columns - 1, r).right;
    }
    CellRecord& anchor = doc.cellGrid(column, row);
    anchor.bottom = doc.cellGrid(column, row + rows - 1).bottom;
    return anchor;
}

void Paint(CellRecord& cell, const BoxColour& colour) {
    cell.backColor = CellColour(colour.fill);
    cell.fontColor = CellColour(colour.text);
}

} // namespace

const std::vector<BoxColour>& BoxPalette() {
    // Light fills of distinct hues (blue, orange, green, rose, violet, yellow, teal, sand, grey,
    // coral), each with a dark text of its own hue.
    static const std::vector<BoxColour> palette = {
        {0xDCEBFA, 0x173A5E}, {0xFDE2C8, 0x6B3400}, {0xDDF2D5, 0x1E4D12}, {0xF6D6DE, 0x6A1B31},
        {0xE6DCF5, 0x3F2466}, {0xFFF3BF, 0x574300}, {0xD3F0EE, 0x0F4A45}, {0xEDE3D6, 0x4A3821},
        {0xE5E5E5, 0x262626}, {0xF9D9C9, 0x6E2A12},
    };
    return palette;
}

double ContrastRatio(uint32_t a, uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ChartColours GroupPeople(const CheckedList& checked, ColourBy by, int departmentColumn,
                         const std::u16string& levelWord) {
    ChartColours colours;
    const std::vector<Person>& people = checked.list.people;
    if (by == ColourBy::Level) {
        colours.groupOf.resize(people.size());
        int deepest = 0;
        for (size_t i = 0; i < people.size(); ++i) {
            int level = 0;
            for (int m = checked.managerOf[i]; m >= 0 && level <= int(people.size());
                 m = checked.managerOf[size_t(m)])
                ++level;
            colours.groupOf[i] = level;
            deepest = std::max(deepest, level);
        }
        for (int level = 0; level <= deepest && !people.empty(); ++level) {
            const std::string number = std::to_string(level + 1);
            colours.names.push_back(levelWord + u' ' + std::u16string(number.begin(), number.end()));
        }
    } else if (by == ColourBy::Department && departmentColumn >= 0) {
        // The people's rows, by the line they start on.
        std::map<int, const ListRow*> rowOfLine;
        for (const ListRow& row : checked.table.rows)
            rowOfLine[row.line] = &row;
        std::map<std::u16string, int> groupOfName;
        colours.groupOf.assign(people.size(), -1);
        for (size_t i = 0; i < people.size(); ++i) {
            const auto row = rowOfLine.find(people[i].line);
            if (row == rowOfLine.end() || size_t(departmentColumn) >= row->second->fields.size()) continue;
            const std::u16string& name = row->second->fields[size_t(departmentColumn)];
            if (name.empty()) continue;
            auto [group, added] = groupOfName.emplace(name, int(colours.names.size()));
            if (added) colours.names.push_back(name);
            colours.groupOf[i] = group->second;
        }
    }
    return colours;
}

bool ColourChartBoxes(Document& doc, const ChartLayout& layout, const std::vector<int>& personOfText,
                      const ChartColours& colours) {
    if (colours.names.empty()) return true;
    const std::vector<BoxColour>& palette = BoxPalette();
    std::vector<char> shown(colours.names.size(), 0);
    for (const ChartBox& b : layout.boxes) {
        const int person = b.person < int(personOfText.size()) ? personOfText[size_t(b.person)] : -1;
        if (person < 0 || size_t(person) >= colours.groupOf.size() || colours.groupOf[size_t(person)] < 0)
            continue;
        const int group = colours.groupOf[size_t(person)];
        Paint(doc.cellGrid(b.column, b.row), palette[size_t(group) % palette.size()]);
        shown[size_t(group)] = 1;
    }
    // The legend names the colours of this chart's boxes, one small box each, stacked.
    std::vector<int> groups;
    size_t longest = 0;
    for (size_t g = 0; g < shown.size(); ++g)
        if (shown[g]) {
            groups.push_back(int(g));
            longest = std::max(longest, colours.names[g].size());
        }
    if (groups.empty()) return true;
    const int pitch = std::max(doc.cellWidth + doc.separation, 1);
    // A line of text at the chart's size needs about 1.4 times its points in pixels and each
    // character about 0.6 of that; the box keeps a little margin around it.
    const double linePixels = std::max<int>(layout.points, 6) * 96.0 / 72.0 * 1.25;
    const int rows = std::max(1, int(std::ceil((linePixels + 4) / pitch)));
    const int columns =
        std::max(2, int(std::ceil((double(std::min<size_t>(longest, 40)) * linePixels * 0.5 + 8) / pitch)));
    const int height = rows * int(groups.size());
    // The chart's own extent: its corners first, then beside it and below it, then the table's.
    int chartColumns = 0, chartRows = 0;
    for (const ChartBox& b : layout.boxes) {
        chartColumns = std::max(chartColumns, b.column + b.columns);
        chartRows = std::max(chartRows, b.row + b.rows);
    }
    const int right = chartColumns - columns, bottom = chartRows - height;
    const int lastColumn = doc.tableColumns - columns, lastRow = doc.tableRows - height;
    const int places[][2] = {{0, bottom},  {right, bottom},       {right, 0},
                             {0, 0},       {chartColumns + 1, 0}, {0, chartRows + 1},
                             {0, lastRow}, {lastColumn, lastRow}, {lastColumn, 0}};
    for (const auto& [column, row] : places) {
        if (column < 0 || row < 0 || column > lastColumn || row > lastRow) continue;
        if (!RoomFor(doc, column, row, columns, height)) continue;
        for (size_t k = 0; k < groups.size(); ++k) {
            CellRecord& box = MergeBox(doc, column, row + int(k) * rows, columns, rows);
            AssignField(box.text, colours.names[size_t(groups[k])]);
            box.fontSize = layout.points;
            box.alignment = kAlignCenter;
            Paint(box, palette[size_t(groups[k]) % palette.size()]);
        }
        return true;
    }
    return false;
}

bool ColourListChart(Document& doc, const ChartLayout& layout, const ChartColours& colours) {
    std::vector<int> personOfText(colours.groupOf.size());
    for (size_t i = 0; i < personOfText.size(); ++i)
        personOfText[i] = int(i);
    return ColourChartBoxes(doc, layout, personOfText, colours);
}

bool ColourPageBoxes(Document& doc, const SplitPage& page, const ChartColours& colours) {
    // A team's page starts with the copy of its manager's box, coloured as the manager.
    std::vector<int> personOfText;
    if (page.heading >= 0) personOfText.push_back(page.heading);
    personOfText.insert(personOfText.end(), page.people.begin(), page.people.end());
    return ColourChartBoxes(doc, page.layout, personOfText, colours);
}

int FindDepartmentColumn(const CheckedList& checked) {
    static const char* const kWords[] = {"department", "departamento", "departement", "dept",   "service",
                                         "abteilung",  "bereich",      "reparto",     "area",   "division",
                                         "divisao",    "divisione",    "unit",        "unidad", "unidade",
                                         "unite",      "unita",        "sector",      "setor",  "settore"};
    const int header = checked.columns.headerRow;
    if (header < 0 || size_t(header) >= checked.table.rows.size()) return -1;
    const std::vector<std::u16string>& fields = checked.table.rows[size_t(header)].fields;
    for (size_t c = 0; c < fields.size(); ++c) {
        if (std::find(checked.columns.at.begin(), checked.columns.at.end(), int(c)) !=
            checked.columns.at.end())
            continue;
        for (const std::string& word : HeaderWords(fields[c]))
            if (std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords)) return int(c);
    }
    return -1;
}
