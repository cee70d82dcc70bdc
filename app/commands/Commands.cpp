// The route from a command id to the family of commands that runs it.
#include "app/commands/Commands.h"

#include "app/commands/About.h"
#include "app/commands/BuildFromList.h"
#include "app/commands/CutExports.h"
#include "app/commands/EditCommands.h"
#include "app/commands/FileCommands.h"
#include "app/commands/FindCommand.h"
#include "app/commands/PageCommands.h"
#include "app/commands/PdfExport.h"
#include "app/commands/Print.h"
#include "app/commands/SettingsCommands.h"
#include "app/commands/UpdateFromList.h"
#include "app/state/App.h"
#include "app/state/CommandIds.h"

namespace {

void AuthorCommand(App& app) {
    if (app.shell.aboutOpen) return;
    app.shell.aboutOpen = true;
    ShowAbout(app);
    app.shell.aboutOpen = false;
}

// The exports and the about box change nothing the screen shows.
std::optional<Outcome> RunOutputCommand(App& app, int id) {
    switch (id) {
    case kCmdExportJpeg:
        ExportCutJpeg(app);
        break;
    case kCmdExportBitmap:
        ExportCutBitmap(app);
        break;
    case kCmdExportVector:
        ExportVectorPicture(app);
        break;
    case kCmdCopyChartPicture:
        CopyChartAsPicture(app);
        break;
    case kCmdAuthor:
        AuthorCommand(app);
        break;
    default:
        return std::nullopt;
    }
    return Outcome();
}

} // namespace

std::optional<Outcome> RunCommand(App& app, int id, int notifyCode) {
    if (std::optional<Outcome> done = RunSettingsCommand(app, id, notifyCode)) return done;
    // Undo right after an update from a list that replaced the pages brings them back.
    if (id == kCmdUndo)
        if (std::optional<Outcome> undone = UndoListUpdate(app)) return undone;
    // The pages take their share of "Undo", "Copy cell" and "Paste cell" first.
    if (std::optional<Outcome> done = RunPageCommand(app, id)) return done;
    if (std::optional<Outcome> done = RunFileCommand(app, id)) return done;
    if (std::optional<Outcome> done = RunEditCommand(app, id)) return done;
    if (std::optional<Outcome> done = RunFindCommand(app, id)) return done;
    if (id == kCmdBuildFromList) return BuildFromListCommand(app);
    if (id == kCmdUpdateFromList) return UpdateFromListCommand(app);
    if (id == kCmdExportPdf) return ExportPdf(app);
    if (id == kCmdPrint) return PrintChart(app);
    return RunOutputCommand(app, id);
}
