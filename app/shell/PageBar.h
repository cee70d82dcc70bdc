// The page bar under the canvas: a tab for each page by name, the page shown selected, visible
// only while the chart has two pages or more; and the items of the pages' menu it shares with the
// menu bar.
#pragma once

#include <windows.h>

struct App;

constexpr int kPageBarId = 1040;

// Creates the page bar (hidden while the chart has one page).
void CreatePageBar(HWND window);
bool PageBarVisible(const App& app);
// The bar shows the chart's pages and the page shown; true when it appeared or went, so that the
// controls are placed again.
bool UpdatePageBar(App& app);
// The tab under a point of the screen, or -1.
int PageBarTabAt(HWND bar, POINT screen);

// The items of the "Pages" popup, also shown by the page bar's right-click menu.
void FillPagesMenu(const App& app, HMENU menu);
// Adds the "Pages" popup to the menu bar.
void AppendPagesMenu(const App& app, HMENU bar);
// Enables the items of a popup filled by FillPagesMenu as the pages allow.
void ApplyPagesMenuStates(const App& app, HMENU menu);
