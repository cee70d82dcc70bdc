// "Build from list…": a list of people chosen in the open dialog, read, checked and laid out as a
// new chart, or the reasons it was not, told in the current language.
#pragma once

#include "document/OrgChart.h"

#include <string>

struct App;
struct ShellState;

void BuildFromListCommand(App& app);

// Reads the list file and builds its chart into the document as the command does, without any
// message; false when the file could not be read (the outcome is then left alone). With `pages`,
// a list too large for one table is built into the chart's pages.
bool BuildChartFromListFile(App& app, const std::wstring& path, BuildOutcome& outcome, bool pages = false);

// The message of a build that changed nothing: the first ten faulty lines with what is wrong in
// each, or the size the chart would need, or an empty list.
std::wstring BuildRefusalText(const ShellState& shell, const BuildOutcome& outcome);
