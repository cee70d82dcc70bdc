// Showing the state after a command: one function, one order.
#include "app/shell/Refresh.h"

#include "app/commands/Commands.h"
#include "app/commands/FileCommands.h"
#include "app/shell/MainLayout.h"
#include "app/shell/Menu.h"
#include "app/shell/PageBar.h"
#include "app/shell/StatusBar.h"
#include "app/shell/Toolbar.h"
#include "app/state/App.h"
#include "app/state/ItemState.h"
#include "interaction/CanvasView.h"
#include "interaction/Redraw.h"
#include "render/Renderer.h"
#include "ui/MessageBox.h"

#include <new>

namespace {

void FocusCanvas(const App& app) {
    if (app.shell.mainWindow) SetFocus(GetDlgItem(app.shell.mainWindow, kCanvasId));
}

// The canvas and the rulers.
void ShowCanvasPart(App& app, Outcome outcome) {
    if (outcome.zoom == kZoomWholeExtent)
        ZoomToWholeChart(app);
    else if (outcome.zoom != 0)
        SetZoom(app, outcome.zoom, outcome.zoomX, outcome.zoomY);
    if (outcome.Has(kShownTable)) {
        ForgetToldPictureProblems(app.render.pictureCache); // another chart: its pictures are news
        app.render.tablePicture = Picture(kTablePictureSize, kTablePictureSize);
        RedrawCanvas(app, true);
    } else if (outcome.Has(kShownGrid)) {
        ShowCanvas(app);
    } else if (outcome.Has(kShownWholeTable) || outcome.Has(kShownCells)) {
        RedrawCanvas(app, outcome.Has(kShownWholeTable));
    }
    if (outcome.Has(kShownTable) || outcome.Has(kShownGrid)) {
        // A table newly shown: its scroll bars and rulers, and the canvas takes the keys and the mouse.
        UpdateScrollBars(app);
        RedrawRulers(app);
        FocusCanvas(app);
        app.canvas.canvasActive = 1;
    } else {
        if (outcome.Has(kShownRulers)) RedrawRulers(app);
        if (outcome.Has(kShownFocus)) FocusCanvas(app);
    }
    // Another page's zoom: the view pictures follow the canvas at that zoom.
    if (outcome.Has(kShownView)) OnCanvasResized(app);
}

} // namespace

void UpdateChartTitle(App& app) {
    if (!app.shell.mainWindow) return;
    std::wstring title = ChartWindowTitle(app);
    wchar_t shown[512] = L"";
    GetWindowTextW(app.shell.mainWindow, shown, 512);
    if (title != shown) SetWindowTextW(app.shell.mainWindow, title.c_str());
}

void ApplyOutcome(App& app, Outcome outcome) {
    ShowCanvasPart(app, outcome);
    UpdateChartTitle(app);
    // The bar lists the recent charts: a read or a record that changed the list builds it anew.
    if (outcome.Has(kShownMenuBar) || (app.shell.menuBar && app.menuRecentCharts != app.shell.recentCharts))
        BuildMenuBar(app);
    ApplyMenuStates(app);
    ShowToolbarStates(app);
    ShowStatus(app);
    ShowStatusNote(app, app.statusNote);
    app.statusNote.clear();
    bool placed = outcome.Has(kShownLayout);
    if (outcome.Has(kShownPages) && UpdatePageBar(app)) placed = true;
    if (placed && app.shell.mainWindow) LayoutMainWindow(app, app.shell.mainWindow);
}

void DispatchCommand(App& app, int commandId, int notifyCode) {
    // A disabled item cannot be chosen; the same rule holds for a command that arrives otherwise.
    if (!ItemAllowed(app, commandId)) return;
    // A command whose list, chart or book does not fit the memory is told and leaves the program
    // running; the commands that read change the chart only once all is read.
    std::optional<Outcome> outcome;
    try {
        outcome = RunCommand(app, commandId, notifyCode);
    } catch (const std::bad_alloc&) {
        ShowMessageBox(app.shell.mainWindow, Tr(app, MessageTable::Memory, 1), Tr(app, MessageTable::Caption),
                       MB_OK);
        return;
    }
    if (outcome) ApplyOutcome(app, *outcome);
}
