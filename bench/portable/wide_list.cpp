// Finding the columns of a wide HR export (150 columns, 40,000 people) whose manager column has a
// header nobody knows, so that the data decides: the time the reader takes, with the column found.
#include "document/PeopleList.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kColumns = 150;
constexpr int kPeople = 40000;
constexpr int kManagerColumn = 97;

// Columns of every kind an export carries: unique ones (logins, phones), codes, dates and flags.
std::string Cell(int column, int person) {
    switch (column % 6) {
    case 0:
        return "u" + std::to_string(column) + "-" + std::to_string(person); // unique
    case 1:
        return std::to_string(person % 97);
    case 2:
        return "2019-0" + std::to_string(1 + person % 9) + "-1" + std::to_string(person % 10);
    case 3:
        return person % 2 ? "Y" : "N";
    case 4:
        return "Dept " + std::to_string(person % 40);
    default:
        return std::to_string(person * 7 + column);
    }
}

std::string WideExport() {
    std::string text = "Ref,Person,Post";
    for (int c = 3; c < kColumns; ++c)
        text += c == kManagerColumn ? ",Superordinate" : ",Field " + std::to_string(c);
    text += "\n";
    for (int p = 0; p < kPeople; ++p) {
        text += "P" + std::to_string(100000 + p) + ",Person " + std::string(1, char('A' + p % 26)) +
                std::string(1, char('a' + p / 26 % 26)) + std::string(1, char('a' + p / 676 % 26)) +
                std::string(1, char('a' + p / 17576 % 26)) + ",Clerk";
        for (int c = 3; c < kColumns; ++c)
            text += "," + (c == kManagerColumn
                               ? (p == 0 ? std::string() : "P" + std::to_string(100000 + (p - 1) / 8))
                               : Cell(c, p));
        text += "\n";
    }
    return text;
}

} // namespace

int main() {
    const std::string bytes = WideExport();
    const auto ansi = [](std::string_view b) { return std::u16string(b.begin(), b.end()); };
    const std::u16string text = DecodeListText(bytes, ansi);
    const auto start = std::chrono::steady_clock::now();
    const CheckedList checked = ReadCheckedList(text);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d columns x %d people (%.1f MB): read and checked in %.0f ms; manager column %d (%s), %zu "
                "faults\n",
                kColumns, kPeople, double(bytes.size()) / (1 << 20), ms, checked.columns[ListRole::Manager],
                checked.columns[ListRole::Manager] == kManagerColumn ? "the right one" : "wrong",
                checked.faults.size());
    return 0;
}
