// The state the canvas, the rulers and the editing dialogs work on: the shell settings, the
// document, the renderer's pictures and the dialogs' own state. The program assembles one for the
// whole run; tests make their own.
#pragma once

#include "document/Document.h"
#include "interaction/Canvas.h"
#include "interaction/Favourites.h"
#include "interaction/TextProperties.h"
#include "render/RenderState.h"
#include "ui/Messages.h"
#include "ui/Shell.h"

#include <functional>
#include <string>

struct Workspace {
    ShellState shell;
    Document doc;
    RenderState render;
    CanvasState canvas;
    TextPropertiesBuffer textProps;
    FavouritesState favourites;

    // Set by the program around the canvas: the title after a click that may have changed the
    // chart, and the save question that replaces the exit question while changes are unrecorded.
    std::function<void()> chartEdited;
    std::function<void()> endWithChanges;
    // Set by the program around the canvas: the pointer moved to another cell, or the view's
    // zoom changed (the status bar shows both).
    std::function<void()> viewChanged;
};

// Text of the current language.
inline std::wstring Tr(const Workspace& workspace, MessageTable table, int item = 0) {
    return Tr(workspace.shell, table, item);
}
