// The page commands: new page, rename, delete (with a question; Undo brings it back), move, next
// and previous, and showing a page; and the chart becoming one page again or a book read whole.
// Each changes the chart and says what changed; the shell shows it.
#pragma once

#include "app/state/Outcome.h"

#include <optional>
#include <string>

struct App;
struct NewPreset;

// Runs a page command (and the pages' share of "Undo", "Copy cell" and "Paste cell"); none when
// the id is no page command or the command is left to the others.
std::optional<Outcome> RunPageCommand(App& app, int commandId);

// Shows the page, with the zoom it was left with.
Outcome ShowChartPage(App& app, int index);
// A chart read whole (a book, or pages built from a list): its first page is on screen.
Outcome ShowReadChart(App& app);
// The chart became one page again (after "New", a work file read, a build): named after the file,
// or "Page 1" for a chart without one.
Outcome ResetChartPages(App& app, const std::wstring& path);

// A fresh table of the preset on the page shown, its grid drawn into the pictures (the drawing
// side of "New" and "New page").
Outcome DrawNewTable(App& app, const NewPreset& preset);
