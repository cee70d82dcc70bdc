// What a chart built from a list shows besides names and titles, set up from the program's state:
// the word open positions show in the interface language, and the photos of a folder, each one
// tried once so that a file that cannot be read is told rather than drawn.
#pragma once

#include <string>
#include <vector>

struct App;
struct BuildOutcome;
struct ListColumns;
struct PhotoFile;

// Fills in the build options that come from the program rather than from the column choice.
void AddChartDetails(const App& app, ListColumns& columns);

// The folder's JPEG, PNG, BMP and GIF files, each marked readable when the picture loader opens it.
std::vector<PhotoFile> ListPhotoFolder(const std::wstring& folder);

// Takes the photos of `folder` (nothing when it is empty).
void AddPhotoFolder(ListColumns& columns, const std::wstring& folder);

// What the build found of the photos, in the current language: the count, then the people without
// one and those whose photo could not be read, a line each. Nothing when no folder was given.
std::vector<std::wstring> PhotoReport(const App& app, const ListColumns& columns,
                                      const BuildOutcome& outcome);
