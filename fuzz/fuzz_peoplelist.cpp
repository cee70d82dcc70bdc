// Fuzzes the reading and checking of lists of people: any bytes give a list whose people all come
// from lines of the file, columns inside the table, and faults sorted by line; a list without
// faults has a manager for every report and no cycle. The first bytes also choose columns, as the
// column dialog and the command line do.
#include "document/PeopleList.h"

#include <cstdlib>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ListColumns wanted;
    // A first byte 'C' asks for columns: each of the next six bytes an index, "none" or "find".
    if (size >= 7 && data[0] == 'C') {
        for (size_t r = 0; r < kListRoles; ++r)
            wanted.at[r] = data[r + 1] >= 0xF0   ? kFindColumn
                           : data[r + 1] >= 0xE0 ? kNoColumn
                                                 : data[r + 1] % 8;
        data += 7;
        size -= 7;
    }
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto latin1 = [](std::string_view s) { return std::u16string(s.begin(), s.end()); };
    std::u16string text = DecodeListText(bytes, latin1);
    CheckedList checked = ReadCheckedList(text, wanted);
    int lines = 1;
    for (char16_t c : text)
        lines += c == u'\n' || c == u'\r';
    const ColumnFinding& columns = checked.columns;
    Require(columns.firstPerson <= checked.table.rows.size());
    Require(checked.list.people.size() == checked.table.rows.size() - columns.firstPerson);
    for (int at : columns.at)
        Require(at == kNoColumn || (at >= 0 && size_t(at) < columns.columns));
    for (const Person& p : checked.list.people)
        Require(p.line >= 1 && p.line <= lines);
    Require(checked.managerOf.size() == checked.list.people.size());
    for (size_t i = 1; i < checked.faults.size(); ++i)
        Require(checked.faults[i - 1].line <= checked.faults[i].line);
    if (!checked.faults.empty() || !columns.undecided.empty()) return 0;
    // Walking up from anyone reaches a top person within as many steps as there are people; a top
    // person's manager cell is a top marker, their own key or the one manager outside the list.
    const std::vector<Person>& people = checked.list.people;
    for (size_t i = 0; i < checked.managerOf.size(); ++i) {
        int v = int(i);
        for (size_t steps = 0; v >= 0; ++steps) {
            Require(steps <= checked.managerOf.size());
            const Person& p = people[size_t(v)];
            if (checked.managerOf[size_t(v)] < 0) {
                const std::u16string& own = checked.list.managersById ? p.id : p.name;
                Require(IsTopMarker(p.manager) || FoldCase(p.manager) == FoldCase(own) ||
                        FoldCase(p.manager) == FoldCase(checked.tops.outsideManager));
            }
            v = checked.managerOf[size_t(v)];
        }
    }
    Require(ChartLevels(checked.managerOf) <= int(people.size()));
    return 0;
}
