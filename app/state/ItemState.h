// The one state of every command's menu item and toolbar button: CommandState with the chart's
// pages, and the program's own say in "Undo" (an update from a list that replaced the pages).
#pragma once

struct App;

// kItemEnabled, kItemDisabled or kItemChecked.
int ItemState(const App& app, int commandId);
// True when the command may run now: a command whose item is disabled is ignored even if it
// arrives by other means than the menu.
bool ItemAllowed(const App& app, int commandId);

// Undo right after an update that replaced the chart's pages (no edit since) brings them back.
bool CanUndoListUpdate(const App& app);
