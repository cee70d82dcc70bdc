// The one way a command's result reaches the screen. The window procedure hands a command to
// DispatchCommand, which runs it (app/commands/) and applies the outcome it returns; ApplyOutcome
// brings everything the user sees up to date with the state, in one fixed order: the canvas and the
// rulers, the title, the menu bar and the toolbar's states, the status bar, the page bar, the
// places of the controls.
#pragma once

#include "app/state/Outcome.h"

struct App;

// Shows what the outcome names, then the title, the item states and the status bar, which follow
// from the state alone.
void ApplyOutcome(App& app, Outcome outcome);

// Runs one command, unless its item is disabled (the same rule holds for a command that arrives by
// a key or a button), and shows its outcome. Unknown ids are ignored.
void DispatchCommand(App& app, int commandId, int notifyCode);

// Puts the chart's title on the main window when it differs from what the window shows.
void UpdateChartTitle(App& app);
