// The rows and fields of a list saved by a spreadsheet or an HR system, before anyone decides
// what its columns hold.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ListRow {
    int line = 0;                       // line of the file where the row starts, from 1
    std::vector<std::u16string> fields; // blanks trimmed, inner runs of blanks and line breaks one space
};

struct ListTable {
    char16_t separator = u',';
    std::vector<ListRow> rows; // rows with nothing but blanks are left out
};

// Splits a decoded list: the separator (comma, semicolon or tab) is the one that gives the most
// rows of the same number of fields among the first rows, so blank or title lines before the
// header do not decide it; fields in double quotes may hold separators, doubled quotes and line
// breaks.
ListTable ReadListTable(std::u16string_view text);
