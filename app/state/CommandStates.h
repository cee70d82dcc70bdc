// Which menu items are checked and which are disabled, derived from the program state alone, so a
// rebuilt menu bar can never disagree with it.
#pragma once

#include <span>

struct ShellState;
struct Document;
struct Chart;

// State of a command's menu item: kItemEnabled, kItemDisabled or kItemChecked.
int CommandState(const ShellState& shell, const Document& doc, int commandId);

// True when the command may run now: a command whose item is disabled is ignored even if it
// arrives by other means than the menu.
bool CommandAllowed(const ShellState& shell, const Document& doc, int commandId);

// The state of a command with the chart's pages: the page commands, and the pages' say in "Undo"
// (a deleted page comes back) and "Paste cell" (a cell copied on another page). ItemState
// (app/state/ItemState.h) adds the program's own say and is what the menu bar, the toolbar and the
// command dispatch ask.
int CommandState(const ShellState& shell, const Chart& chart, const Document& doc, int commandId);
bool CommandAllowed(const ShellState& shell, const Chart& chart, const Document& doc, int commandId);

// Sets the flag of the character-set item whose code is the current character set and clears the
// others; a code outside the menu leaves none set.
void DeriveCharacterSetFlags(ShellState& shell);

// Copy flag (CopyField) of a copy-configurator field item, or -1 for any other command.
int CopyFieldOfCommand(int commandId);

// The commands whose state ApplyMenuStates sets: character sets, languages, copy fields, mouse
// modes, the table commands, "Undo", "Redo", "Paste cell", "Whole chart" and the page commands.
std::span<const int> GovernedCommands();
