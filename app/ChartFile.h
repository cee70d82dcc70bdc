// The chart's own file and its unrecorded changes: the window title, the save question,
// recording to the chart's file, and the recovery copies kept over the run.
#pragma once

#include <string>

struct App;

// "name.qdrx - Organigrama" once a table is shown, with "*" after the name while changes are
// unrecorded; a chart that never had a file is named "Untitled" in the language. Before any
// table the title is the chart table's title alone.
std::wstring ChartWindowTitle(const App& app);
// Puts the title on the main window when it differs from what the window shows.
void UpdateChartTitle(App& app);

// The chart on screen is now the file at path (empty for a new chart) with nothing unrecorded:
// after "New", a read or a record. Its recovery copy goes.
void ChartMatchesFile(App& app, const std::wstring& path);

// "Record file": asks for the file (and whether to replace one); true when the chart was written.
bool RecordWithPrompt(App& app);
// Ctrl+S and the save question's Save: to the chart's own file without asking, with the prompt
// only when the chart never had a file.
bool RecordToChartFile(App& app);

// Before the chart is replaced or the program ends: true when no unrecorded change would be lost
// without the user saying so (nothing changed, Save succeeded, or Don't Save).
bool SettleUnsavedChanges(App& app);

// Reads a work file or a chart book (told apart by their bytes) and shows it; `nameFrom` names
// the page of a work file. A refused file has been reported and changed nothing.
bool LoadChartFile(App& app, const std::wstring& path, const std::wstring& nameFrom);
// "Read file" and the command line: the chart read is the file's, with nothing unrecorded.
bool ReadChartFile(App& app, const std::wstring& path);

// Start of the run (once the main window exists): the recovery timer, then the offer of each chart
// left by a program that ended without recording it.
void StartRecoveryCopies(App& app);
// The recovery timer's interval has passed.
void OnRecoveryTimer(App& app);
// The program ends normally: this program's recovery files go.
void EndRecoveryCopies(App& app);
// The Windows session ends: as a normal end when the chart is unchanged or the user answered Don't
// Save; otherwise the copy is brought up to date and left for the next start.
void EndSessionRecoveryCopies(App& app);
