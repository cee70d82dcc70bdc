// The pages of the chart as the user works them: the page bar under the canvas (tabs by name, a
// click shows a page, its right-click menu), the "Pages" popup, and the flows of its commands:
// new page, rename, delete (with a question; Undo brings it back), move, next and previous.
#pragma once

#include <windows.h>

#include <string>

struct App;
struct NewPreset;

constexpr int kPageBarId = 1040;

// Creates the page bar (hidden while the chart has one page).
void CreatePageBar(App& app, HWND window);
// The bar shows the chart's pages and the page shown; it is visible only with two pages or more.
void UpdatePageBar(App& app);
bool PageBarVisible(const App& app);
// WM_NOTIFY from the bar: a click on a tab shows that page, a right click opens the pages' menu.
void OnPageBarNotify(App& app, const NMHDR& notice);

// Adds the "Pages" popup to the menu bar.
void AppendPagesMenu(App& app, HMENU bar);
// The state of a page command's item, and the states that pages change for "Undo" and "Paste cell";
// -1 for a command pages have no say in.
int PageCommandState(const App& app, int commandId);
// Runs a page command; false when the id is none.
bool RunPageCommand(App& app, int commandId);

// The chart became one page again (after "New" or a work file read): named after the file, or
// "Page 1" for a chart without one.
void ResetChartPages(App& app, const std::wstring& path);
// Shows the page, with the zoom and scroll it was left with.
void ShowChartPage(App& app, int index);
// A chart read whole (a book): its first page is on screen.
void ShowReadChart(App& app);
