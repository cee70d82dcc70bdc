// The texts of the status bar's parts, from the state alone (no window here).
#pragma once

#include <string>
#include <vector>

struct ShellState;
struct Document;

// The parts, left to right: the left-button mode, the cell under the pointer (column and row
// counted from 1 as the rulers count them; empty off the table), the table's size, its cell size
// the zoom and, in a chart of several pages, the page shown (`page` counted from 0 of `pages`).
// Without a table the cell and the sizes are empty; in a chart of one page, the page.
std::vector<std::wstring> StatusTexts(const ShellState& shell, const Document& doc, int zoomPercent,
                                      int column, int row, int page = 0, int pages = 1);
