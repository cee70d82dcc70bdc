// The chart details chosen in the column dialog of "Build from list…", as the program keeps them
// between the dialog and the build.
#pragma once

#include <string>

struct ChartDetailChoice {
    bool assistants = false;  // assistants beside their manager's line
    std::wstring photoFolder; // empty: no photos
};
