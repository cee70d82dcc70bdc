// What a chart built from a list shows besides names and titles, set up from the program's state:
// the word open positions show in the interface language, and the photos of a folder, each one
// tried once so that a file that cannot be read is told rather than drawn.
#pragma once

#include "app/state/ChartDetailChoice.h"

#include <windows.h>

#include <string>
#include <vector>

struct App;
struct BuildOutcome;
struct ListColumns;
struct PhotoFile;

// Fills in the build options that come from the program rather than from the column choice.
void AddChartDetails(const App& app, ListColumns& columns);
// The same with the details chosen in the column dialog, kept for lists with the header `key`.
void AddChosenDetails(const App& app, const std::wstring& key, ListColumns& columns);

// Control ids of the column dialog's details row.
constexpr int kDetailAssistantsId = 160;
constexpr int kDetailFolderLabelId = 161;
constexpr int kDetailFolderId = 162;
constexpr int kDetailBrowseId = 163;
// Height the details row adds to the column dialog, in 96-DPI pixels.
constexpr int kDetailRowHeight = 40;

struct CheckedList;
// The details row of the column dialog at `top`: filled with what was kept for the list's header.
void AddDetailControls(App& app, HWND dialog, const CheckedList& checked, int top);
// Its buttons; false for a command that is not one of them.
bool OnDetailCommand(App& app, HWND dialog, int id);
// What the row shows, taken when the dialog is accepted.
void TakeDetailControls(App& app, HWND dialog);

// The folder's JPEG, PNG, BMP and GIF files, each marked readable when the picture loader opens it.
std::vector<PhotoFile> ListPhotoFolder(const std::wstring& folder);

// Takes the photos of `folder` (nothing when it is empty).
void AddPhotoFolder(ListColumns& columns, const std::wstring& folder);

// What the build found of the photos, in the current language: the count, then the people without
// one and those whose photo could not be read, a line each. Nothing when no folder was given.
std::vector<std::wstring> PhotoReport(const App& app, const ListColumns& columns,
                                      const BuildOutcome& outcome);
// The same in a message after "Build from list…".
void ShowPhotoReport(App& app, const ListColumns& columns, const BuildOutcome& outcome);
