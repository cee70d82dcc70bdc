// Command dispatch: the shell's own small actions (character set, copy configurator, mouse modes,
// languages, ruler style, favourite background, files, about box, exit) and the hand-over of
// document, drawing and export commands to their owners.
#include "app/Commands.h"

#include "app/About.h"
#include "app/BuildFromList.h"
#include "app/UpdateFromList.h"
#include "app/App.h"
#include "app/CommandIds.h"
#include "app/ChartFile.h"
#include "app/ChartPages.h"
#include "app/FindCommand.h"
#include "app/CommandStates.h"
#include "app/MainLayout.h"
#include "ui/FileDialogs.h"
#include "app/MainWindow.h"
#include "app/Menu.h"
#include "ui/MessageBox.h"
#include "app/Print.h"
#include "app/Toolbar.h"
#include "app/RecentChartsMenu.h"
#include "app/Settings.h"
#include "document/Structure.h"
#include "app/WorkFileMessages.h"
#include "document/WorkFile.h"
#include "interaction/CanvasView.h"
#include "interaction/TextStyle.h"
#include "app/CutExports.h"
#include "app/PdfExport.h"
#include "interaction/Redraw.h"
#include "render/Renderer.h"
#include "render/ViewGeometry.h"
#include "render/ZoomedView.h"

#include <new>

namespace {

HWND Owner(const App& app) {
    return app.shell.mainWindow;
}

void FocusCanvas(const App& app) {
    if (app.shell.mainWindow) SetFocus(GetDlgItem(app.shell.mainWindow, kCanvasId));
}

void SaveSettings(App& app) {
    Settings(app.shell, "save", SettingsPath());
    // In a section of its own, after the settings' two sections.
    SaveWindowPlacement(app.shell.mainWindow, app.placementFile);
}

void ShowMessage(App& app, const std::wstring& text, UINT type = MB_OK) {
    ShowMessageBox(Owner(app), text, Tr(app, MessageTable::Caption), type);
}

// Another chart is shown from its top-left corner.
void StartAtTopLeft(App& app) {
    app.canvas.viewOffsetX = 0;
    app.canvas.viewOffsetY = 0;
}

// The end of every table-shown sequence, once the table is in the canvas.
void FinishTableShown(App& app) {
    UpdateScrollBars(app);
    RedrawRulers(app);
    FocusCanvas(app);
    ApplyMenuStates(app);
    app.canvas.canvasActive = 1;
}

void NewTableCommand(App& app, const NewPreset& preset, int id) {
    if (!SettleUnsavedChanges(app)) return;
    app.shell.lastNewPreset = id;
    StartAtTopLeft(app);
    ResetChartPages(app, L"");
    ShowNewTable(app, preset);
    ChartMatchesFile(app, L"");
}

} // namespace

void ShowNewTable(App& app, const NewPreset& preset) {
    app.render.tablePicture = Picture(kTablePictureSize, kTablePictureSize);
    ForgetDrawnTable(app.render);
    // Cleared with the paper colour of the table being replaced.
    const COLORREF paper = app.doc.paperColor & 0xFFFFFF;
    ClearToPaper(app.render.tablePicture, app.doc);
    ApplyNewPreset(app.doc, preset);
    ResetTextProperties(app.textProps);
    // The fresh grid is filled with the default background of new cells, white after the reset.
    auto draw = [&](HDC dc) {
        DrawPageGuides(dc);
        DrawNewTableGrid(dc, app.doc, preset.columns, preset.rows, kNewTableOrigin, kNewTableOrigin,
                         kGuideGridColor, RGB(255, 255, 255));
    };
    draw(app.render.tablePicture.Dc());
    ComposeView(app.render, paper, app.canvas.viewOffsetX, app.canvas.viewOffsetY, draw);
    ShowCanvas(app);
    FinishTableShown(app);
}

namespace {

void SelectCharacterSet(App& app, int index) {
    for (size_t i = 0; i < app.shell.characterSetFlags.size(); ++i)
        app.shell.characterSetFlags[i] = static_cast<int>(i) == index ? 1 : 0;
    app.shell.characterSet = static_cast<int16_t>(kCharacterSetCodes[static_cast<size_t>(index)]);
}

void FavouriteBackgroundCommand(App& app) {
    app.shell.favouriteBackground = app.canvas.capturedColor;
    SaveSettings(app);
    BuildMenuBar(app);
    ApplyMenuStates(app);
}

void RulerStyleCommand(App& app, int notifyCode) {
    // The button reports clicks with 0 (or 1 when pressed through the keyboard interface).
    if (notifyCode != 0 && notifyCode != 1) return;
    int& style = app.shell.rulerStyle;
    style = style >= 1 && style < 3 ? style + 1 : 1;
    RedrawRulers(app);
    FocusCanvas(app);
    SaveSettings(app);
}

// "Select all fields" and "Deselect all fields" leave the icon flag as it is.
void SetCopyFields(App& app, int value) {
    for (int field = 0; field < kCopyFieldCount; ++field)
        if (field != kCopyIcon) app.shell.copyFlags[field] = value;
}

void EditCommand(App& app, EditOutcome outcome) {
    ShowOutcome(app, outcome);
    RedrawCanvas(app);
}

// Undoing or redoing a chart built from a list brings back a table of another size, of other
// counts with the same cell size too (the 32-pixel grids of both orientations): the rulers and the
// whole table are drawn again whenever what the rulers show of the table changed.
void UndoRedoCommand(App& app, void (*step)(Document&)) {
    const RulerFrame before = RulerFrameOf(app.doc);
    step(app.doc);
    const bool otherTable = RulerFrameOf(app.doc) != before;
    RedrawCanvas(app, otherTable);
    if (otherTable) RedrawRulers(app);
}

void ReadFlow(App& app, bool previousFormat) {
    if (!SettleUnsavedChanges(app)) return;
    std::wstring& path = app.shell.workFilePath;
    path = WorkFileDialog(app.shell, Owner(app), path, 0);
    if (path.empty()) return;
    if (!FileExists(path)) {
        ShowMessage(app, Tr(app, MessageTable::WorkFile, 1) + L"\r\n" + path + L"\r\n" +
                             Tr(app, MessageTable::WorkFile, 2));
        return;
    }
    if (previousFormat) {
        if (ReadPreviousWorkFile(app.doc, path, app.shell.languageIndex, Owner(app)) != 1) return;
        ResetChartPages(app, path);
        ShowTableSequence(app);
        ChartMatchesFile(app, path);
        return;
    }
    ReadChartFile(app, path);
}

void AuthorCommand(App& app) {
    if (app.shell.aboutOpen) return;
    app.shell.aboutOpen = true;
    ShowAbout(app);
    app.shell.aboutOpen = false;
}

// The Zoom menu zooms around the canvas's centre; "fit to width" keeps the left edge; "whole
// chart" shows the chart's extent.
void ZoomCommand(App& app, int id) {
    const SIZE view = CanvasViewSize(app);
    if (id == kCmdZoomToWidth) {
        SetZoom(app, kZoomToWidth, 0, view.cy / 2);
    } else if (id == kCmdZoomWholeChart) {
        ZoomToWholeChart(app);
    } else if (id == kCmdZoomIn || id == kCmdZoomOut) {
        SetZoom(app, NextZoomStep(app.render.zoomPercent, id == kCmdZoomIn ? 1 : -1), view.cx / 2,
                view.cy / 2);
    } else {
        SetZoom(app, kZoomMenuSteps[static_cast<size_t>(id - kCmdFirstZoom)], view.cx / 2, view.cy / 2);
    }
}

void ExitCommand(App& app) {
    if (!SettleUnsavedChanges(app)) return;
    SaveSettings(app);
    EndMainWindow(app.shell);
}

// Runs the command; false when the id is not a command of the program.
bool RunCommand(App& app, int id, int notifyCode) {
    if (id >= kCmdFirstCharacterSet && id <= kCmdLastCharacterSet) {
        SelectCharacterSet(app, id - kCmdFirstCharacterSet);
        return true;
    }
    if (id >= kCmdFirstLanguage && id <= kCmdLastLanguage) {
        SwitchLanguage(app, id - kCmdFirstLanguage + 1);
        return true;
    }
    if (int field = CopyFieldOfCommand(id); field >= 0) {
        app.shell.copyFlags[field] = 1 - (app.shell.copyFlags[field] != 0 ? 1 : 0);
        return true;
    }
    for (size_t mode = 0; mode < kLeftModeCommands.size(); ++mode)
        if (id == kLeftModeCommands[mode]) {
            app.shell.leftMouseMode = static_cast<int>(mode) + 1;
            return true;
        }
    for (size_t mode = 0; mode < kRightModeCommands.size(); ++mode)
        if (id == kRightModeCommands[mode]) {
            app.shell.rightMouseMode = static_cast<int>(mode) + 1;
            return true;
        }
    if (id >= kCmdFirstZoom && id <= kCmdZoomOut) {
        ZoomCommand(app, id);
        return true;
    }
    if (id >= kCmdFirstRecentChart && id <= kCmdLastRecentChart) {
        OpenRecentChart(app, id - kCmdFirstRecentChart);
        return true;
    }
    if (RunPageCommand(app, id)) return true;
    if (RunFindCommand(app, id)) return true;
    if (const NewPreset* preset = FindNewPreset(id)) {
        NewTableCommand(app, *preset, id);
        return true;
    }
    if (id == kCmdToolbarNew) {
        // The preset last used, or the first of the menu before any.
        const int preset =
            FindNewPreset(app.shell.lastNewPreset) ? app.shell.lastNewPreset : kCmdNewHorizontal16;
        NewTableCommand(app, *FindNewPreset(preset), preset);
        return true;
    }
    switch (id) {
    case kCmdFavouriteBackground:
        FavouriteBackgroundCommand(app);
        break;
    case kCmdCreateTable:
        CreateTableCommand(app.doc);
        RedrawCanvas(app);
        break;
    case kCmdCreateLine:
        CreateLineCommand(app.doc);
        RedrawCanvas(app);
        break;
    case kCmdBuildFromList:
        BuildFromListCommand(app);
        break;
    case kCmdUpdateFromList:
        UpdateFromListCommand(app);
        break;
    case kCmdRulerStyle:
        RulerStyleCommand(app, notifyCode);
        break;
    case kCmdSelectAllFields:
        SetCopyFields(app, 1);
        break;
    case kCmdDeselectAllFields:
        SetCopyFields(app, 0);
        break;
    case kCmdSelectAll:
        SelectAllCommand(app.doc);
        RedrawCanvas(app, true);
        break;
    case kCmdClearCell:
        EditCommand(app, ClearCellCommand(app.doc));
        break;
    case kCmdPasteCell:
        EditCommand(app, PasteCellCommand(app.doc, app.shell.copyFlags));
        break;
    case kCmdCopyCell:
        EditCommand(app, CopyCellCommand(app.doc));
        break;
    case kCmdCancelCell:
        EditCommand(app, CancelCellCommand(app.doc));
        break;
    case kCmdUndo:
        UndoRedoCommand(app, UndoCommand);
        break;
    case kCmdRedo:
        UndoRedoCommand(app, RedoCommand);
        break;
    case kCmdRecordToChartFile:
        RecordToChartFile(app);
        break;
    case kCmdMergeHorizontal:
        EditCommand(app, MergeHorizontalCommand(app.doc));
        break;
    case kCmdMergeVertical:
        EditCommand(app, MergeVerticalCommand(app.doc));
        break;
    case kCmdRecordFile:
        RecordWithPrompt(app);
        break;
    case kCmdReadPrevious:
        ReadFlow(app, true);
        break;
    case kCmdReadFile:
        ReadFlow(app, false);
        break;
    case kCmdAuthor:
        AuthorCommand(app);
        break;
    case kCmdExportJpeg:
        ExportCutJpeg(app);
        break;
    case kCmdExportBitmap:
        ExportCutBitmap(app);
        break;
    case kCmdExportVector:
        ExportVectorPicture(app);
        break;
    case kCmdExportPdf:
        ExportPdf(app);
        break;
    case kCmdCopyChartPicture:
        CopyChartAsPicture(app);
        break;
    case kCmdPrint:
        PrintChart(app);
        break;
    case kCmdExit:
        ExitCommand(app);
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

void DispatchCommand(App& app, int commandId, int notifyCode) {
    // A disabled item cannot be chosen; the same rule holds for a command that arrives otherwise.
    const int pageState = PageCommandState(app, commandId);
    if (pageState == kItemDisabled || (pageState < 0 && !CommandAllowed(app.shell, app.doc, commandId)))
        return;
    // A command whose list, chart or book does not fit the memory is told and leaves the program
    // running; the commands that read change the chart only once all is read.
    bool ran = false;
    try {
        ran = RunCommand(app, commandId, notifyCode);
    } catch (const std::bad_alloc&) {
        ShowMessage(app, Tr(app, MessageTable::Memory, 1));
        return;
    }
    // Every check mark and enabled item follows from the state the command leaves.
    if (!ran) return;
    ApplyMenuStates(app);
    UpdateChartTitle(app);
}

void ShowTableSequence(App& app) {
    ForgetToldPictureProblems(app.render.pictureCache); // another chart: its pictures are news
    app.render.tablePicture = Picture(kTablePictureSize, kTablePictureSize);
    app.doc.tablePresent = true;
    StartAtTopLeft(app);
    RedrawCanvas(app, true);
    FinishTableShown(app);
}

void ShowOutcome(App& app, EditOutcome outcome) {
    const std::wstring selectCell = Tr(app, MessageTable::ClearCell, 2);
    std::wstring text;
    switch (outcome) {
    case EditOutcome::Done:
        return;
    case EditOutcome::NothingCopied:
        text = Tr(app, MessageTable::PasteCell) + L"\r\n" + Tr(app, MessageTable::NothingToPaste);
        break;
    case EditOutcome::CopyNeedsOneCell:
        text = Tr(app, MessageTable::CopyCell) + L"\r\n" + selectCell;
        break;
    case EditOutcome::PasteNeedsCell:
        text = Tr(app, MessageTable::PasteCell) + L"\r\n" + selectCell;
        break;
    case EditOutcome::ClearNeedsCell:
        text = Tr(app, MessageTable::ClearCell, 1) + L"\r\n" + selectCell;
        break;
    case EditOutcome::CancelNeedsOneCell:
        text = Tr(app, MessageTable::OverrideCell) + L"\r\n" + selectCell;
        break;
    case EditOutcome::HorizontalMergeRefused:
        text = Tr(app, MessageTable::HorizontalMergeRefused, 1) + L"\r\n" +
               Tr(app, MessageTable::HorizontalMergeRefused, 2);
        break;
    case EditOutcome::VerticalMergeRefused:
        // The second line is shared with the horizontal refusal.
        text = Tr(app, MessageTable::VerticalMergeRefused) + L"\r\n" +
               Tr(app, MessageTable::HorizontalMergeRefused, 2);
        break;
    }
    ShowMessage(app, text);
}

void SwitchLanguage(App& app, int languageIndex) {
    app.shell.languageIndex = languageIndex;
    SaveSettings(app);
    BuildMenuBar(app);
    ApplyMenuStates(app);
    UpdateChartTitle(app);
}
