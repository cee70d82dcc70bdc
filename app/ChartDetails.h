// What a chart built from a list shows besides names and titles, set up from the program's state:
// the word open positions show in the interface language.
#pragma once

struct App;
struct ListColumns;

// Fills in the build options that come from the program rather than from the column choice.
void AddChartDetails(const App& app, ListColumns& columns);
