// The canvas: the picture control that shows the table, and its input handler (mouse modes,
// selection runs, scrolling and the exit question).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct Workspace;
struct Document;

constexpr int kCanvasId = 1001;
constexpr int32_t kScrollFloor = -561; // half the table picture's height at 100 %
constexpr int kArrowStep = 1;
constexpr int kPageStep = 100;
constexpr int kWheelStep = 15;

struct CanvasState {
    int32_t canvasActive = 0;
    int32_t viewOffsetY = 0;   // 0 shows the top; negative values scroll down
    int32_t viewOffsetX = 0;   // 0 shows the left edge; negative values scroll right
    int32_t defaultZoom = 100; // the screen's scale; Ctrl+0 returns to it
    int32_t textDialogOpen = 0;
    int32_t favouritesOpen = 0;
    int32_t capturedColor = 0;
    // The grid position under the pointer (-1 when the pointer is off the canvas).
    int pointerColumn = -1;
    int pointerRow = -1;
    std::wstring picturePath;
    std::wstring iconPath;
    WNDPROC previousProc = nullptr;
    bool focused = false; // the canvas holds the keyboard focus
    // Controls of the main window by id, found once for that window: a scroll looks several up,
    // and each look-up asks the window system.
    struct FoundControl {
        int id = 0;
        HWND window = nullptr;
    };
    mutable HWND controlsOf = nullptr;
    mutable FoundControl controls[8];
};

// The control of the main window with this id (none without a main window).
HWND MainWindowControl(const CanvasState& canvas, HWND mainWindow, int id);

// Grid position under a canvas pixel. The drawing origin is not subtracted and the division
// truncates toward zero, so the hit zone of column c is [c * pitch, (c + 1) * pitch).
struct GridHit {
    int column;
    int row;
};
GridHit PixelToCell(const Document& doc, int32_t viewOffsetY, int x, int y);
// The same through the zoom and both view offsets: the canvas pixel is mapped to a table pixel
// first (CanvasToTable).
GridHit PixelToCell(const Document& doc, int zoomPercent, int32_t viewOffsetX, int32_t viewOffsetY, int x,
                    int y);

// Replaces the canvas control's window procedure by the canvas input handler.
void InstallCanvasHandler(Workspace& app, HWND canvas);

// Paints the view picture into the canvas (white before any picture exists).
void ShowViewPicture(Workspace& app, HWND canvas, HDC dc);

// Asks the exit question; Yes ends the main window without writing the settings. A chart with
// unrecorded changes gets the save question instead, when the program has set one.
void AskExitQuestion(Workspace& app);

// What the canvas does with its input; x and y are client pixels as the messages carry them.
void OnCanvasLeftDown(Workspace& app, int x, int y);
void OnCanvasLeftUp(Workspace& app);
// The pointer is at (x, y) of the canvas, or off it at (-1, -1): the cell under it is kept.
void OnCanvasPointerMove(Workspace& app, int x, int y);
void OnCanvasRightDown(Workspace& app, int x, int y);
void OnCanvasKeyDown(Workspace& app, WPARAM key);
// The wheel scrolls vertically; with Shift sideways, with Ctrl it zooms around (x, y).
void OnCanvasWheel(Workspace& app, WPARAM wParam, int x = 0, int y = 0);
