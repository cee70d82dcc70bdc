// The list of people an organisation chart is built from: text lists as spreadsheets and HR
// systems save them (one row per person with name, job title and manager), read and checked.
#pragma once

#include "document/ColumnFinder.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct Person {
    std::u16string id;   // empty when the list has no id column
    std::u16string name; // blanks trimmed, inner runs of blanks and line breaks made one space
    std::u16string title;
    std::u16string manager; // an id or a name, as the list refers to managers, as the list writes it
    int line = 0;           // line of the file where the person's row starts, from 1
};

struct PeopleList {
    std::vector<Person> people;
    bool managersById = false; // the list has an id column and its managers refer to ids
    int formerRows = 0;        // rows of former positions left aside (see HistoryRows.h)
};

enum class ListFault {
    MissingName,    // a row without a name
    UnknownManager, // the manager named in the row is nobody in the list
    ManagerCycle,   // following the managers comes back to the person
    DuplicateId,    // a second person with the same id
    DuplicateName,  // a second person with a name that a manager refers to
};

struct FaultyLine {
    int line = 0;
    ListFault fault = ListFault::MissingName;
    std::u16string detail; // the manager or id the fault is about, or empty
};

// Turns the bytes of the system's ANSI code page into UTF-16 (the program passes the code-page
// conversion of Windows; the portable tests pass a Latin-1 stand-in).
using AnsiDecoder = std::function<std::u16string(std::string_view)>;

// The text of a list file: UTF-16 with a byte-order mark, UTF-8 with or without one, otherwise
// the ANSI code page.
std::u16string DecodeListText(std::string_view bytes, const AnsiDecoder& ansi);

// The people of the rows after the header, with the columns found; managers refer to ids when
// the list has an id column and its manager values match ids at least as well as names. Rows of
// a person's former positions are left aside, and managers that name one name the present row.
PeopleList TakePeople(const ListTable& table, const ColumnFinding& columns);

// Reads a decoded list with the columns found from it: the table, the columns, the people.
PeopleList ReadPeopleList(std::u16string_view text);

// How the top of the organisation was read.
struct TopPeople {
    int count = 0;
    // The one manager that matches nobody, on a few rows, whose people are taken as top people;
    // empty when there was none.
    std::u16string outsideManager;
};

// The faults of a list, sorted by line. Fills managerOf with each person's manager (an index into
// the list, or -1 for a top person) when there is no fault. A top person's manager cell is empty,
// a top marker nobody has as id or name, their own id or name, or, where nobody is at the top so,
// the one manager outside the list on a few rows.
std::vector<FaultyLine> CheckPeopleList(const PeopleList& list, std::vector<int>& managerOf,
                                        TopPeople* tops = nullptr);

// Levels of the tree managerOf describes (1 for top people alone; 0 for nobody).
int ChartLevels(const std::vector<int>& managerOf);

// A list read, its columns found (or taken as asked) and checked, as the chart is built from it.
struct CheckedList {
    ListTable table;
    ColumnFinding columns;
    PeopleList list;
    std::vector<int> managerOf;
    std::vector<FaultyLine> faults;
    TopPeople tops;
};

// Reads and checks a decoded list with the columns asked for; when a role is undecided the
// people are read but not checked.
CheckedList ReadCheckedList(std::u16string_view text, const ListColumns& wanted = {});
// Checks the people again with other columns for the same table.
void ChooseColumns(CheckedList& checked, const ListColumns& wanted);
