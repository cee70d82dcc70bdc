// Which menu items are checked and which are disabled, derived from the program state alone, so a
// rebuilt menu bar can never disagree with it.
#pragma once

#include <span>

struct ShellState;
struct Document;

// State of a command's menu item: kItemEnabled, kItemDisabled or kItemChecked.
int CommandState(const ShellState& shell, const Document& doc, int commandId);

// True when the command may run now: a command whose item is disabled is ignored even if it
// arrives by other means than the menu.
bool CommandAllowed(const ShellState& shell, const Document& doc, int commandId);

// Sets the flag of the character-set item whose code is the current character set and clears the
// others; a code outside the menu leaves none set.
void DeriveCharacterSetFlags(ShellState& shell);

// Copy flag (CopyField) of a copy-configurator field item, or -1 for any other command.
int CopyFieldOfCommand(int commandId);

// The commands whose state ApplyMenuStates sets: character sets, languages, copy fields, mouse
// modes, the table commands, "Undo" and "Paste cell".
std::span<const int> GovernedCommands();
