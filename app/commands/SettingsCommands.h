// The commands that change how the program works rather than the chart: character set, copy
// configurator, mouse modes, languages, ruler style, favourite background, and the zoom.
#pragma once

#include "app/state/Outcome.h"

#include <optional>

struct App;

// Runs a settings or view command; none when the id is none of them.
std::optional<Outcome> RunSettingsCommand(App& app, int commandId, int notifyCode);

// Switches the interface language (1..6): settings written at once, the menu bar built anew in
// the new language.
Outcome SwitchLanguage(App& app, int languageIndex);

// Writes the settings file and the window's place beside it.
void SaveSettings(App& app);
