// "Build from list…": a list of people chosen in the open dialog, its columns confirmed in the
// column dialog (and remembered for lists with the same header), read, checked and laid out as a
// new chart, or the reasons it was not, told in the current language.
#pragma once

#include "document/OrgChart.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct App;
struct ShellState;

void BuildFromListCommand(App& app);

// Reads the list file and builds its chart into the document as the command does, without any
// message; false when the file could not be read (the outcome is then left alone). With `pages`,
// a list too large for one table is built into the chart's pages or, given `book`, straight into
// the bytes of a chart book, the chart left as it was.
bool BuildChartFromListFile(App& app, const std::wstring& path, BuildOutcome& outcome,
                            const ListColumns& columns = {}, bool pages = false,
                            std::vector<uint8_t>* book = nullptr);

// A role's name in the current language ("Manager").
std::wstring ListRoleName(const ShellState& shell, ListRole role);

// The message of a build that changed nothing: the first faulty lines with what is wrong in
// each, or the size the chart would need, or an empty list, or the roles no column was found for.
// `shown` faulty lines at most, then how many more there are.
std::wstring BuildRefusalText(const ShellState& shell, const BuildOutcome& outcome, size_t shown = 10);
