// "Recent charts" in the Operations menu: the list kept in a settings section of the program's
// own, its popup, and opening a chart from it.
#pragma once

#include <windows.h>

#include <string>

struct App;
struct ShellState;

// The list from the settings file (section [Recent charts], after the settings' own sections).
void LoadRecentCharts(ShellState& shell, const std::wstring& iniPath);
// Writes the list, replacing the section whole.
void SaveRecentCharts(const ShellState& shell, const std::wstring& iniPath);

// Fills the popup with the list (or one disabled item when it is empty).
void FillRecentChartsPopup(const App& app, HMENU popup);

// The chart at path was read or recorded: it heads the list, which is kept and shown at once.
void NoteRecentChart(App& app, const std::wstring& path);

// Opens the chart of the list's entry (after the save question); a chart that no longer exists is
// said so and leaves the list.
void OpenRecentChart(App& app, int index);

// The full path of the entry a recent-chart command opens; empty for any other command.
std::wstring RecentChartPath(const App& app, int commandId);
