// Which column of a list holds what: the name (or first and last name), the job title, the id and
// the manager, found from the header's words in the six languages and from what the columns hold.
#pragma once

#include "document/ListTable.h"
#include "document/Photos.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

enum class ListRole { Name, First, Last, Title, Id, Manager };
constexpr int kListRoles = 6;

constexpr int kFindColumn = -2; // the column is found from the list
constexpr int kNoColumn = -1;   // the list has no such column

// The columns asked for: each role an index, kFindColumn or kNoColumn; a non-empty text stands
// for a column by its header text or its number from 1 and wins over the index.
// What the fills of a chart's boxes tell.
enum class ColourBy { Nothing, Level, Department };

struct ListColumns {
    std::array<int, kListRoles> at{kFindColumn, kFindColumn, kFindColumn,
                                   kFindColumn, kFindColumn, kFindColumn};
    std::array<std::u16string, kListRoles> named;
    // The word an open position's box shows above its title, in the interface language.
    std::u16string vacancyLabel = u"Vacant";
    // Assistants and secretaries beside their manager's line rather than in the team (Assistant.h).
    bool assistantsBeside = false;
    // The folder of the people's photos (empty: no photos) and the picture files found in it; a
    // column naming each one's photo file, by header text or number from 1 (empty: by id or name).
    std::u16string photoFolder;
    std::vector<PhotoFile> photoFiles;
    std::u16string photoColumn;
    // Build options kept with the column choice: a manager's box ends with the headcount.
    bool headcount = false;
    // Boxes coloured by level or department; the department column (kFindColumn: found by its
    // header) and the word before a level's number in the legend.
    ColourBy colourBy = ColourBy::Nothing;
    int departmentColumn = kFindColumn;
    std::u16string levelWord = u"Level";

    int& operator[](ListRole role) { return at[size_t(role)]; }
    int operator[](ListRole role) const { return at[size_t(role)]; }
};

struct ColumnFinding {
    // Each role's column, or kNoColumn. Name and First/Last exclude each other.
    std::array<int, kListRoles> at{kNoColumn, kNoColumn, kNoColumn, kNoColumn, kNoColumn, kNoColumn};
    int headerRow = -1;     // index into the table's rows of the header, or -1
    size_t firstPerson = 0; // index into the table's rows of the first person's row
    size_t columns = 0;     // number of columns of the widest row
    // Roles the list needs and no column was found for (the name; the manager when there are
    // two people or more), and roles asked for by a header or number no column has.
    std::vector<ListRole> undecided;

    int operator[](ListRole role) const { return at[size_t(role)]; }
};

// The words of a header in lower case without accents: split at blanks and punctuation, at a
// change between letters and digits, and where camelCase starts a word ("ParentEmployeeKey",
// "EmployeeNationalIDAlternateKey").
std::vector<std::string> HeaderWords(std::u16string_view header);

// The role a header text names by its words, or -1; `strength` is 3 for a whole known phrase,
// 2 for a known word, 1 for a known word inside a longer one, 0 for none.
int HeaderRole(std::u16string_view header, int* strength = nullptr);

// Finds the header (after any blank or title lines) and each role's column: the header's words
// first, then the data: the manager column is the one whose values are (almost all) values of a
// column of unique values (the id) or names of the name column.
ColumnFinding FindListColumns(const ListTable& table, const ListColumns& wanted = {});

// The name of the person of a row: the name column, or first and last name joined by a space.
std::u16string PersonName(const ListRow& row, const ColumnFinding& columns);

// A manager value that marks a top person when nobody in the list has it as id or name: empty,
// NULL, N/A, "-", none, 0 or any run of zeros.
bool IsTopMarker(std::u16string_view value);

// Folds the case of Latin letters, so "ana lópez" in a manager column finds "Ana López".
std::u16string FoldCase(std::u16string_view s);
