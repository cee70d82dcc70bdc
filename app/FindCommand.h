// Edit > Find…: a box found by part of its name or title over every page, its page brought up,
// the box scrolled into view and selected; F3 finds the next, Shift+F3 the one before.
#pragma once

struct App;

// Runs kCmdFind, kCmdFindNext or kCmdFindPrevious; false for any other command.
bool RunFindCommand(App& app, int commandId);
