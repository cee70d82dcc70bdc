// The comparison of a chart with a newer list: the counts, then each change on a line (kind,
// person, from, to), sortable by any column; "Update", "Cancel" and "Save comparison…".
#pragma once

#include "document/ChartComparison.h"

#include <windows.h>

struct App;

// Control ids, for the tests that work the dialog.
constexpr int kComparisonSummaryId = 100;
constexpr int kComparisonListId = 101;
constexpr int kComparisonSaveId = 102;

// True when the user chose "Update".
bool ShowComparisonDialog(App& app, HWND owner, const Comparison& comparison);
