// Every command of the menus, the toolbar, the shortcut keys and the ruler-style button, routed by
// command id to the family that carries it out. A command changes the state, asks the user through
// the dialogs below it, and returns what changed; it never shows the result itself.
#pragma once

#include "app/state/Outcome.h"

#include <optional>

struct App;

// Carries out one command; notifyCode is the notification code of the control that sent it (0 for
// menu items). None when the id is no command of the program. The caller has checked that the
// command is allowed.
std::optional<Outcome> RunCommand(App& app, int commandId, int notifyCode);
