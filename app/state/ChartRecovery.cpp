// The chart's recovery copy: a work file for one page, a book for several.
#include "app/state/ChartRecovery.h"

#include "app/state/App.h"
#include "document/WorkFile.h"

#include <new>

void OnRecoveryTimer(App& app) {
    // One count for the chart however many pages it has: a chart that drops to one page must not
    // find its copy current by a count of another kind.
    const bool book = PageCount(app.chart) > 1;
    RecoveryTick(app.recovery, ChartModified(app.chart, app.doc), ChartChangeCount(app.chart, app.doc),
                 app.shell.chartPath, [&app, book](const std::wstring& path) {
                     if (!book) return WriteWorkFile(app.doc, path).Done();
                     try {
                         // A chart beyond what a book holds keeps the copy it had.
                         const std::vector<uint8_t> book = EncodeChartAsBook(app.chart, app.doc);
                         return !book.empty() && WriteWholeFile(book, path).Done();
                     } catch (const std::bad_alloc&) {
                         return false;
                     }
                 });
}

void EndRecoveryCopies(App& app) {
    if (app.shell.mainWindow) KillTimer(app.shell.mainWindow, kRecoveryTimerId);
    EndRecovery(app.recovery);
}

void EndSessionRecoveryCopies(App& app) {
    const bool dropped = app.recovery.droppedChange == ChartChangeCount(app.chart, app.doc);
    if (!ChartModified(app.chart, app.doc) || dropped) {
        EndRecoveryCopies(app);
        return;
    }
    // The process may be ended at any moment from here on: the copy takes the last changes now and
    // stays, to be offered at the next start as after a crash.
    if (app.shell.mainWindow) KillTimer(app.shell.mainWindow, kRecoveryTimerId);
    OnRecoveryTimer(app);
    LeaveRecovery(app.recovery);
}
