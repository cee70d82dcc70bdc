// "Update from list…": a newer list of people chosen and its columns confirmed as for "Build from
// list…", the chart compared with it, the comparison shown, and on "Update" the chart laid out anew
// from the list with everything the user gave its boxes. One Undo brings the chart back.
#pragma once

#include "document/ChartComparison.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct App;
struct ShellState;

void UpdateFromListCommand(App& app);

// Undo right after an update that replaced the chart's pages (no edit since) brings them back.
bool CanUndoListUpdate(const App& app);
bool UndoListUpdate(App& app);

// An update worked out and not yet written.
struct ListUpdate {
    ListForChart read;
    OldChart old;
    std::vector<int> boxOfPerson;
    Comparison comparison;
    UpdateOutcome plan;
};

// Reads the list's bytes with the columns asked for, compares the chart of `app` (or, with
// `chartRead`, the chart already read into update.old) with it and plans the update; false, with
// the outcome's refusal, when no chart can be laid out from the list.
bool PrepareListUpdate(App& app, std::string_view bytes, const ListColumns& columns, ListUpdate& update,
                       BuildOutcome& outcome, bool chartRead = false);
// Writes the update in the chart's place.
void ApplyListUpdate(App& app, ListUpdate& update);

// The comparison's texts in the current language: the kinds of change, the CSV file's header.
std::array<std::u16string, kChangeKinds> ChangeKindNames(const ShellState& shell);
std::array<std::u16string, 6> ComparisonHeader(const ShellState& shell);
// The summary above the comparison: the counts, then the boxes left unsure and pieces moved.
std::wstring ComparisonSummary(const ShellState& shell, const Comparison& comparison);
// Writes the comparison as a CSV file, fields parted as the user's spreadsheet expects.
bool WriteComparisonFile(const ShellState& shell, const Comparison& comparison, const std::wstring& path);

// The bytes of a file (a list of people), at most 64 MB; false when it cannot be read.
bool ReadListFile(const std::wstring& path, std::string& bytes);
std::u16string ListTextFromAnsi(std::string_view bytes);
