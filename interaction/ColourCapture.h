// The "Color Caught" dialog: shows the captured colour as a filled picture and as its &H value.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct Workspace;

constexpr int kCaptureDialogWidth = 302;
constexpr int kCaptureDialogHeight = 170;
constexpr DWORD kCaptureDialogStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME; // no system menu
constexpr DWORD kCaptureDialogExStyle = WS_EX_TOPMOST;
constexpr int kCapturePictureId = 21002;
constexpr int kCaptureLabelId = 21003;
constexpr int kCaptureAcceptId = 21004;

// Runs the dialog modally over the main window for app.canvas.capturedColor; changes no state.
// Accept, Enter and Escape close it.
void ShowCapturedColor(Workspace& app);

// The label text: "&&H" and the colour as 8 upper-case hexadecimal digits; a label shows the
// doubled ampersand as one, so the user reads &H00BBGGRR.
std::wstring CapturedColourLabel(int32_t colour);
