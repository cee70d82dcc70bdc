// "Update from list…": a newer list of people chosen and its columns confirmed as for "Build from
// list…", the chart compared with it, the comparison shown, and on "Update" the chart laid out anew
// from the list with everything the user gave its boxes. One Undo brings the chart back.
#pragma once

#include "app/state/Outcome.h"
#include "document/ChartComparison.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct App;
struct ShellState;

Outcome UpdateFromListCommand(App& app);

// Undo right after an update that replaced the chart's pages (no edit since, CanUndoListUpdate)
// brings them back; none when it cannot.
std::optional<Outcome> UndoListUpdate(App& app);

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
