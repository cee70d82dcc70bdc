// Edit > Find…: a box found by part of its name or title over every page, its page brought up,
// the box scrolled into view and selected; F3 finds the next, Shift+F3 the one before.
#pragma once

#include "app/state/Outcome.h"

#include <optional>

struct App;

// Runs kCmdFind, kCmdFindNext or kCmdFindPrevious; none for any other command. A text no box
// holds is left in App::statusNote.
std::optional<Outcome> RunFindCommand(App& app, int commandId);
