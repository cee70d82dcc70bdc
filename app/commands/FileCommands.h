// The chart's files: "New", "Read file", "Read previous version", "Recent charts", the chart named
// on the command line and the one restored from a recovery copy (all through one load path, which
// replaces every page there was), recording to the chart's file, the save question before the
// chart is replaced, and "Exit".
#pragma once

#include "app/state/Outcome.h"

#include <optional>
#include <string>

struct App;
struct NewPreset;

// "name.qdrx - Organigrama" once a table is shown, with "*" after the name while changes are
// unrecorded; a chart that never had a file is named "Untitled" in the language. Before any
// table the title is the chart table's title alone.
std::wstring ChartWindowTitle(const App& app);

// Runs a file command; none when the id is no file command.
std::optional<Outcome> RunFileCommand(App& app, int commandId);

// The chart on screen is now the file at path (empty for a new chart) with nothing unrecorded:
// after "New", a read or a record. Its recovery copy goes; the file heads the recent charts.
void ChartMatchesFile(App& app, const std::wstring& path);

// "Record file": asks for the file (and whether to replace one); true when the chart was written.
bool RecordWithPrompt(App& app);
// Ctrl+S and the save question's Save: to the chart's own file without asking, with the prompt
// only when the chart never had a file.
bool RecordToChartFile(App& app);

// Before the chart is replaced or the program ends: true when no unrecorded change would be lost
// without the user saying so (nothing changed, Save succeeded, or Don't Save).
bool SettleUnsavedChanges(App& app);

// The one way a chart read from a file becomes the chart shown: a work file or a chart book (told
// apart by their bytes) replaces every page there was; `nameFrom` names the page of a work file.
// None when the file was refused (reported, and nothing changed).
std::optional<Outcome> LoadChartFile(App& app, const std::wstring& path, const std::wstring& nameFrom);
// "Read file", "Recent charts" and the command line: the chart read is the file's, with nothing
// unrecorded.
std::optional<Outcome> ReadChartFile(App& app, const std::wstring& path);

// The chart of the list's entry (after the save question); a chart that no longer exists is said
// so and leaves the list.
Outcome OpenRecentChart(App& app, int index);

// The work file named by the command line (program name first): read and shown when it exists
// (after the save question when a restored chart would be replaced), reported when it does not;
// nothing when the line names only the program.
Outcome OpenCommandLineFile(App& app, const std::wstring& commandLine);

// Start of the run (once the main window exists): the recovery timer, then the offer of each chart
// left by a program that ended without recording it; one restored chart at most.
Outcome StartRecoveryCopies(App& app);
