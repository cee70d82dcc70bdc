// In-memory dialog templates for the program's windows, which are laid out in code.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A template without controls; the controls are created in pixels when the dialog starts.
// Size in dialog units; with DS_SETFONT in the style the given font is used.
std::vector<WORD> BuildDialogTemplate(DWORD style, DWORD exStyle, short width, short height,
                                      const std::wstring& title, WORD pointSize = 8,
                                      const std::wstring& face = L"MS Sans Serif");

// Resizes a window so that its client area (without menu) is width x height pixels.
void SetClientSize(HWND window, int width, int height);

// Centres a window in the work area of the screen.
void CenterInWorkArea(HWND window);

// Creates a child control at a position in client pixels.
HWND CreateChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int x, int y,
                 int width, int height, int id, DWORD exStyle = 0);

// Creates a visible child control placed in dialog units, in the dialog's own font, so that it
// scales with that font on every screen.
void PlaceDialogControl(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style, RECT units,
                        int id, DWORD exStyle = 0);
