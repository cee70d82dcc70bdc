// The build options a chart from a list takes from the program's state.
#include "app/ChartDetails.h"

#include "app/App.h"
#include "document/ColumnFinder.h"
#include "ui/Messages.h"

void AddChartDetails(const App& app, ListColumns& columns) {
    columns.vacancyLabel = MessageText(app.shell.languageIndex, MessageTable::ChartDetails, 1);
}
