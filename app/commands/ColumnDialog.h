// The column choice of "Build from list…": the first rows of the list as a grid, a drop-down of
// the list's columns for each role filled in with what was found, and a line telling what that
// choice gives (people, top people, levels) or the first faulty lines.
#pragma once

#include "document/PeopleList.h"

#include <windows.h>

struct App;

// Control ids of the dialog, for the tests that work it.
constexpr int kColumnGridId = 100;
constexpr int kColumnRoleLabelId = 110; // + the role's number
constexpr int kColumnRoleComboId = 120; // + the role's number; item 0 "(none)", item n column n
constexpr int kColumnSummaryId = 130;
constexpr int kColumnHeadcountId = 140;
constexpr int kColumnColourById = 141;   // items: nothing, level, department
constexpr int kColumnDepartmentId = 142; // item 0 "(none)", item n column n

// Shows the dialog over the list read with the columns found; OK leaves `checked` read with the
// columns chosen and returns true; Cancel returns false.
// With `options`, the dialog also shows the build options and leaves those chosen there.
bool ChooseListColumns(App& app, HWND owner, CheckedList& checked, ListColumns* options = nullptr);

// The summary line of a choice, in the current language.
std::wstring ColumnChoiceSummary(const App& app, const CheckedList& checked);
