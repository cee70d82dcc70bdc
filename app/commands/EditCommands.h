// The commands of the Edit, Table and Organization chart menus that work on the cells of the page
// shown, and the messages of the edits they refuse.
#pragma once

#include "app/state/Outcome.h"
#include "document/Edit.h"

#include <optional>

struct App;

// Runs an edit command; none when the id is no edit command.
std::optional<Outcome> RunEditCommand(App& app, int commandId);

// Shows the message of a refused edit in the current language; Done shows nothing.
void ShowEditMessage(App& app, EditOutcome outcome);
