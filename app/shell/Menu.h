// The menu bar in the current language: nine popups whose items carry small pictures, rebuilt
// whole on a language switch and on a new favourite background; item states set by command id.
#pragma once

#include "render/GdiObjects.h"

#include <windows.h>

struct App;

constexpr int kMenuPopupCount = 9;
constexpr int kMenuPictureSize = 16;

// Builds a complete bar in the current language (every item enabled and unchecked except "Cell
// selector" and "Capturing Color"), attaches it to the main window in place of the previous one
// and returns it. The previous bar and its pictures are released. Callers re-apply the states.
HMENU BuildMenuBar(App& app);

// Sets one item of the bar by command id: kItemEnabled, kItemDisabled or kItemChecked.
void SetCommandState(App& app, int commandId, int state);

// Sets every check mark and every disabled item of the bar from the program state (CommandState).
void ApplyMenuStates(App& app);

// Checks the Zoom menu's item of the current zoom (none for a zoom between the steps).
void ShowZoomChecks(App& app);

// The favourite-background swatch: 16 x 16, white, a rounded box with a black outline filled with
// the colour.
BitmapHandle MakeBackgroundSwatch(COLORREF colour);

// The picture with a check mark drawn over it: the checked form of a menu item that shows a picture.
BitmapHandle WithCheckMark(BitmapHandle picture);
