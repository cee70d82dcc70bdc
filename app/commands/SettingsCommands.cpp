// The shell's own small settings, each kept in the state (and the settings file where it lasts).
#include "app/commands/SettingsCommands.h"

#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "app/state/CommandStates.h"
#include "app/state/Settings.h"
#include "app/state/WindowPlacement.h"
#include "interaction/CanvasView.h"
#include "render/ViewGeometry.h"

namespace {

void SelectCharacterSet(App& app, int index) {
    for (size_t i = 0; i < app.shell.characterSetFlags.size(); ++i)
        app.shell.characterSetFlags[i] = static_cast<int>(i) == index ? 1 : 0;
    app.shell.characterSet = static_cast<int16_t>(kCharacterSetCodes[static_cast<size_t>(index)]);
}

Outcome FavouriteBackgroundCommand(App& app) {
    app.shell.favouriteBackground = app.canvas.capturedColor;
    SaveSettings(app);
    return kShownMenuBar; // its swatch shows the colour
}

Outcome RulerStyleCommand(App& app, int notifyCode) {
    // The button reports clicks with 0 (or 1 when pressed through the keyboard interface).
    if (notifyCode != 0 && notifyCode != 1) return {};
    int& style = app.shell.rulerStyle;
    style = style >= 1 && style < 3 ? style + 1 : 1;
    SaveSettings(app);
    return kShownRulers | kShownFocus;
}

// "Select all fields" and "Deselect all fields" leave the icon flag as it is.
void SetCopyFields(App& app, int value) {
    for (int field = 0; field < kCopyFieldCount; ++field)
        if (field != kCopyIcon) app.shell.copyFlags[field] = value;
}

// The Zoom menu zooms around the canvas's centre; "fit to width" keeps the left edge; "whole
// chart" shows the chart's extent.
Outcome ZoomCommand(App& app, int id) {
    const SIZE view = CanvasViewSize(app);
    Outcome zoomed;
    zoomed.zoomX = view.cx / 2;
    zoomed.zoomY = view.cy / 2;
    if (id == kCmdZoomToWidth) {
        zoomed.zoom = kZoomToWidth;
        zoomed.zoomX = 0;
    } else if (id == kCmdZoomWholeChart) {
        zoomed.zoom = kZoomWholeExtent;
    } else if (id == kCmdZoomIn || id == kCmdZoomOut) {
        zoomed.zoom = NextZoomStep(app.render.zoomPercent, id == kCmdZoomIn ? 1 : -1);
    } else {
        zoomed.zoom = kZoomMenuSteps[static_cast<size_t>(id - kCmdFirstZoom)];
    }
    return zoomed;
}

} // namespace

void SaveSettings(App& app) {
    Settings(app.shell, "save", SettingsPath());
    // In a section of its own, after the settings' two sections.
    SaveWindowPlacement(app.shell.mainWindow, app.placementFile);
}

Outcome SwitchLanguage(App& app, int languageIndex) {
    app.shell.languageIndex = languageIndex;
    SaveSettings(app);
    return kShownMenuBar;
}

std::optional<Outcome> RunSettingsCommand(App& app, int id, int notifyCode) {
    if (id >= kCmdFirstCharacterSet && id <= kCmdLastCharacterSet) {
        SelectCharacterSet(app, id - kCmdFirstCharacterSet);
        return Outcome();
    }
    if (id >= kCmdFirstLanguage && id <= kCmdLastLanguage)
        return SwitchLanguage(app, id - kCmdFirstLanguage + 1);
    if (int field = CopyFieldOfCommand(id); field >= 0) {
        app.shell.copyFlags[field] = 1 - (app.shell.copyFlags[field] != 0 ? 1 : 0);
        return Outcome();
    }
    for (size_t mode = 0; mode < kLeftModeCommands.size(); ++mode)
        if (id == kLeftModeCommands[mode]) {
            app.shell.leftMouseMode = static_cast<int>(mode) + 1;
            return Outcome();
        }
    for (size_t mode = 0; mode < kRightModeCommands.size(); ++mode)
        if (id == kRightModeCommands[mode]) {
            app.shell.rightMouseMode = static_cast<int>(mode) + 1;
            return Outcome();
        }
    if (id >= kCmdFirstZoom && id <= kCmdZoomOut) return ZoomCommand(app, id);
    switch (id) {
    case kCmdFavouriteBackground:
        return FavouriteBackgroundCommand(app);
    case kCmdRulerStyle:
        return RulerStyleCommand(app, notifyCode);
    case kCmdSelectAllFields:
        SetCopyFields(app, 1);
        return Outcome();
    case kCmdDeselectAllFields:
        SetCopyFields(app, 0);
        return Outcome();
    default:
        return std::nullopt;
    }
}
