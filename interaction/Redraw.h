// The redraw sequences of the program: the table redrawn and shown in the canvas, the rulers
// redrawn and shown, and the ruler controls painting what they show.
#pragma once

#include "document/Document.h"

#include <windows.h>

#include <cstdint>

struct Workspace;

constexpr int kHorizontalRulerId = 1035;
constexpr int kVerticalRulerId = 1036;

// Brings the table picture up to date (the whole of it when `whole`, otherwise only what the
// changed cells touch), copies it into the view at the view offset and shows it in the canvas;
// then tells of the pictures that could not be read.
void RedrawCanvas(Workspace& app, bool whole = false);

// The table picture as it is, copied into the view at the view offset and shown: scrolling.
void ShowTableAtOffset(Workspace& app);

// A scroll: the table picture shown at the view offset straight on screen (at 100 %), the view
// picture composed again only when something reads it.
void ScrollTableView(Workspace& app);

// Composes the view pictures that a scroll left behind the screen; called before reading them.
void ComposeViewsIfBehind(Workspace& app);

// The vertical ruler in the current style, shifted by the view offset and shown.
void RedrawVerticalRuler(Workspace& app);

// The same after a scroll: the ruler as last drawn, shifted by the new offset, unless what it
// shows has changed since.
void ScrollVerticalRuler(Workspace& app);

// Both rulers: the horizontal one (which does not scroll) and the vertical one.
void RedrawRulers(Workspace& app);

// Everything the rulers show of a table besides their style: its counts, cell size, separation
// and paper. A change of any of them draws the rulers again.
struct RulerFrame {
    int16_t columns = 0, rows = 0, cellWidth = 0, cellHeight = 0, separation = 0;
    int32_t paperColor = 0;
    bool operator==(const RulerFrame&) const = default;
};
RulerFrame RulerFrameOf(const Document& doc);

// Copies the view picture into the canvas control now.
void ShowCanvas(Workspace& app);

// Makes the two ruler controls of the main window paint their pictures whenever they repaint.
void InstallRulerPainters(Workspace& app, HWND mainWindow);
