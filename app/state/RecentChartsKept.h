// The recent charts as the program keeps them: the list in a settings section of the program's own,
// brought up to date as charts are read and recorded.
#pragma once

#include <string>

struct App;
struct ShellState;

// The list from the settings file (section [Recent charts], after the settings' own sections).
void LoadRecentCharts(ShellState& shell, const std::wstring& iniPath);
// Writes the list, replacing the section whole.
void SaveRecentCharts(const ShellState& shell, const std::wstring& iniPath);

// The chart at path was read or recorded: it heads the list, which is kept at once. True when the
// list changed (the menu bar then shows it anew).
bool NoteRecentChart(App& app, const std::wstring& path);
// The chart at path no longer exists: it leaves the list, which is kept at once.
void ForgetRecentChart(App& app, const std::wstring& path);

// The full path of the entry a recent-chart command opens; empty for any other command.
std::wstring RecentChartPath(const App& app, int commandId);
