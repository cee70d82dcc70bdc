// The comparison of a chart with a newer list: who joined, left, moved to another manager or
// changed name or title, which boxes could not be matched without doubt, and where the pieces that
// stand for nobody went; as lines for the dialog and as a CSV file.
#pragma once

#include "document/ChartUpdate.h"

#include <array>
#include <string>
#include <vector>

enum class ChangeKind {
    Joined,
    Left,
    Moved,       // another manager
    NameOrTitle, // another name or job title
    Unsure,      // a box more than one person of the list could be; it keeps its place and look
    Unlisted,    // a box drawn by hand whose text names nobody of the list; it stays
    Aside,       // something that stands for nobody, moved beside the chart for want of room
    NotKept,     // the same, with no room left anywhere on the table
};
constexpr int kChangeKinds = 8;

struct Change {
    ChangeKind kind = ChangeKind::Joined;
    std::u16string id, name, title, managerBefore, managerAfter;
    std::u16string person, from, to; // the dialog's line: person: from → to
};

struct Comparison {
    std::vector<Change> changes;
    std::array<int, kChangeKinds> counts{};
    int unchanged = 0; // matched, with the same manager, name and title
    int Count(ChangeKind kind) const { return counts[size_t(kind)]; }
};

// The people of the list against the boxes matched to them (see MatchPeople).
Comparison CompareChart(const OldChart& old, const std::vector<int>& boxOfPerson, const CheckedList& list);

// Adds where the update put the pieces that could not stay where they were.
void NotePiecePlacements(Comparison& comparison, const OldChart& old, const UpdateOutcome& update);

// The comparison as a CSV file: UTF-8 with a byte-order mark, one header row (`header`: kind, id,
// name, title, manager before, manager after) and one row per change, kinds named by `kindNames`,
// fields parted by `separator`.
std::string ComparisonCsv(const Comparison& comparison,
                          const std::array<std::u16string, kChangeKinds>& kindNames,
                          const std::array<std::u16string, 6>& header, char16_t separator = u',');
