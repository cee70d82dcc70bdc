// The redraw sequences of the program: the table redrawn and shown in the canvas, the rulers
// redrawn and shown, and the ruler controls painting what they show.
#pragma once

#include <windows.h>

struct App;

// Brings the table picture up to date (the whole of it when `whole`, otherwise only what the
// changed cells touch), copies it into the view at the view offset and shows it in the canvas.
void RedrawCanvas(App& app, bool whole = false);

// The table picture as it is, copied into the view at the view offset and shown: scrolling.
void ShowTableAtOffset(App& app);

// The vertical ruler in the current style, shifted by the view offset and shown.
void RedrawVerticalRuler(App& app);

// Both rulers: the horizontal one (which does not scroll) and the vertical one.
void RedrawRulers(App& app);

// Copies the view picture into the canvas control now.
void ShowCanvas(App& app);

// Makes the two ruler controls of the main window paint their pictures whenever they repaint.
void InstallRulerPainters(App& app, HWND mainWindow);
