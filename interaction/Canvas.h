// The canvas: the picture control that shows the table, and its input handler (mouse modes,
// selection runs, scrolling and the exit question).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct App;

constexpr int kCanvasId = 1001;

struct CanvasState {
    int32_t canvasActive = 0;
    int32_t viewOffsetY = 0; // 0 shows the top; negative values scroll down
    int32_t textDialogOpen = 0;
    int32_t favouritesOpen = 0;
    int32_t capturedColor = 0;
    std::wstring picturePath;
    std::wstring iconPath;
    WNDPROC previousProc = nullptr;
};

// Replaces the canvas control's window procedure by the canvas input handler.
void InstallCanvasHandler(App& app, HWND canvas);

// Paints the view picture into the canvas (white before any picture exists).
void ShowViewPicture(App& app, HWND canvas, HDC dc);

// Asks the exit question; Yes ends the main window without writing the settings.
void AskExitQuestion(App& app);
