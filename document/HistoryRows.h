// Rows that are a person's former positions: HR exports keep them as rows of their own, told apart
// from the present one by a status, a current flag or an end date. The chart is built from the
// present rows.
#pragma once

#include "document/ColumnFinder.h"

#include <string>
#include <vector>

struct HistoryRows {
    // For each row of the table from the first person on: the row is a former position.
    std::vector<char> former;
    int count = 0;
    // The ids of former rows and the id of the same person's present row, for managers that still
    // name a former row.
    std::vector<std::pair<std::u16string, std::u16string>> renamed;
};

// The former rows, where the header names a status, a current flag or an end date. A row is
// former when such a column says so and the same person (the same name) has exactly one row that
// none says so of: a person with one row always stays, whatever the columns say.
HistoryRows FindHistoryRows(const ListTable& table, const ColumnFinding& columns);
