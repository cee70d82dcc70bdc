// The main window's command handling: every menu command and the ruler-style button, routed by
// command id to the operation that carries it out.
#pragma once

#include "document/Edit.h"

struct App;
struct NewPreset;

// Carries out one command; notifyCode is the notification code of the control that sent it (0 for
// menu items). Unknown ids, and commands whose menu item is disabled, are ignored.
void DispatchCommand(App& app, int commandId, int notifyCode);

// Puts a freshly read table on screen: a new table picture, the whole table drawn and shown, the
// rulers redrawn, the canvas focused, the table commands enabled with "Undo" disabled, and the
// canvas taking mouse input. Pictures of the table that cannot be read are told about again.
void ShowTableSequence(App& app);

// A fresh table of the preset on the page shown, drawn and shown (the drawing side of "New").
void ShowNewTable(App& app, const NewPreset& preset);

// Shows the message of a refused edit in the current language; Done shows nothing.
void ShowOutcome(App& app, EditOutcome outcome);

// Switches the interface language (1..6): settings written at once, menu bar rebuilt in the new
// language with the current states, window title renewed.
void SwitchLanguage(App& app, int languageIndex);
