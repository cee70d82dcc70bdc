// Item states from the whole program state.
#include "app/state/ItemState.h"

#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "app/state/CommandStates.h"

bool CanUndoListUpdate(const App& app) {
    return !app.chartBeforeUpdate.empty() && ChartModified(app.chart, app.doc) &&
           ChartChangeCount(app.chart, app.doc) == app.changeAfterUpdate &&
           app.shell.chartPath == app.pathOfUpdate;
}

int ItemState(const App& app, int commandId) {
    if (commandId == kCmdUndo && CanUndoListUpdate(app)) return kItemEnabled;
    return CommandState(app.shell, app.chart, app.doc, commandId);
}

bool ItemAllowed(const App& app, int commandId) {
    return ItemState(app, commandId) != kItemDisabled;
}
