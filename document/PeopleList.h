// The list of people an organisation chart is built from: text lists as spreadsheets and HR
// systems save them (one row per person with name, job title and manager), read and checked.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct Person {
    std::u16string id;   // empty when the list has no id column
    std::u16string name; // blanks trimmed, inner runs of blanks and line breaks made one space
    std::u16string title;
    std::u16string manager; // an id or a name, as the list refers to managers; empty for a top person
    int line = 0;           // line of the file where the person's row starts, from 1
};

struct PeopleList {
    std::vector<Person> people;
    bool managersById = false; // the list has an id column, so managers refer to ids
};

enum class ListFault {
    MissingName,    // a row without a name
    UnknownManager, // the manager named in the row is nobody in the list
    OwnManager,     // the person is their own manager
    ManagerCycle,   // following the managers comes back to the person
    DuplicateId,    // a second person with the same id
    DuplicateName,  // a second person with the same name, where managers refer to names
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

// Reads the rows of a decoded list: the separator (comma, semicolon or tab) is found from the
// first line, fields in double quotes may hold separators, doubled quotes and line breaks, and a
// first row of recognised column names in any of the program's six languages is a header. Without
// one the columns are name, title and manager. Rows with nothing but blanks are skipped.
PeopleList ReadPeopleList(std::u16string_view text);

// The faults of a list, sorted by line. Fills managerOf with each person's manager (an index into
// the list, or -1 for a top person) when there is no fault.
std::vector<FaultyLine> CheckPeopleList(const PeopleList& list, std::vector<int>& managerOf);
