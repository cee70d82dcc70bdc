// Pieces shared by the property-editor dialogs: picture controls that keep what is drawn on them,
// the control fonts, and the focus kept across activation.
#pragma once

#include "render/AnsiText.h"

#include "render/GdiObjects.h"

#include <windows.h>

#include <initializer_list>
#include <string>

// A picture control is a bordered static control holding an off-screen picture of its client size;
// it paints that picture, so what a dialog draws there survives every repaint.

// Creates the control at a position in the parent's client pixels, its picture cleared to white.
// With reportsClicks the control sends STN_CLICKED / STN_DBLCLK like a button.
HWND CreatePictureControl(HWND parent, int id, int x, int y, int width, int height, bool reportsClicks);

// The DC of the control's picture (nullptr for another window). Draw on it, then ShowPicture.
HDC PictureDc(HWND control);

// Size of the control's picture (its client area when it was created).
SIZE PictureSize(HWND control);

// Fills the whole picture with a colour and shows it.
void FillPicture(HWND control, COLORREF colour);

// Repaints the control from its picture now.
void ShowPicture(HWND control);

// Lays out a dialog whose controls were placed in 96-DPI pixels for a client area of width x
// height: positions and sizes are scaled to the DPI of the dialog's screen, and where the dialog is
// then taller than the work area the controls from splitY down (splitY > 0) make a second column
// beside the first, in the same order. A screen too small even for that gets a smaller scale rather
// than controls out of reach. Centres the dialog; returns the scale used (1 at 96 DPI).
double FitDialogToScreen(HWND dialog, int width, int height, int splitY);

// A font of the given face and points at the screen's resolution, bold or normal weight.
FontHandle CreateControlFont(const wchar_t* face, int points, bool bold);

// Gives a font to each listed control of a dialog.
void SetControlFont(HWND dialog, std::initializer_list<int> controlIds, const FontHandle& font);

// Handles WM_ACTIVATE of a dialog: leaving remembers the focused control, coming back gives it the
// focus again and forgets it.
void KeepFocusAcrossActivation(HWND dialog, WPARAM activateParam, HWND& savedFocus);

// The text of a window as UTF-16.
std::u16string WindowTextU16(HWND window);
