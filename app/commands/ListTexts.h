// The texts of "Build from list…" in the current language, shared by its dialog, the command and
// the command line's build.
#pragma once

#include "document/OrgChart.h"
#include "ui/Shell.h"

#include <cstddef>
#include <string>

// A role's name in the current language ("Manager").
std::wstring ListRoleName(const ShellState& shell, ListRole role);

// The message of a build that changed nothing: the first faulty lines with what is wrong in
// each, or the size the chart would need, or an empty list, or the roles no column was found for.
// `shown` faulty lines at most, then how many more there are.
std::wstring BuildRefusalText(const ShellState& shell, const BuildOutcome& outcome, size_t shown = 10);
