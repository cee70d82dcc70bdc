// The favourite colours: a palette of 13 x 10 swatches kept in "Mis Colores.log" beside the
// program, shown, edited, filed and reset in its own dialog.
#pragma once

#include "interaction/FavouriteRecords.h"
#include "render/GdiObjects.h"

#include <windows.h>

#include <string>

struct Workspace;

constexpr int kFavouritesDialogWidth = 350;
constexpr int kFavouritesDialogHeight = 357;
// Caption bar with a close box; closing acts as "Get out". Not kept on top.
constexpr DWORD kFavouritesDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kFavouritesGridId = 31001;
constexpr int kFavouritesFileId = 31002;
constexpr int kFavouritesGetOutId = 31003;
constexpr int kFavouritesResetId = 31004;
constexpr int kSelectedColourId = 31005;
constexpr int kFavouritesPictureWidth = 336;
constexpr int kFavouritesPictureHeight = 312;
constexpr wchar_t kFavouritesFileName[] = L"Mis Colores.log";

struct FavouritesState {
    FavouriteGrid favouriteGrid;
    // Grid constants, set again at each opening.
    int32_t gridColumns = kFavouriteColumns;
    int32_t gridRows = kFavouriteRows;
    int32_t pitch = kFavouritePitch;
    int32_t originX = kFavouriteOrigin;
    int32_t originY = kFavouriteOrigin;
    int32_t inset = kFavouriteInset;
    int32_t outlineWidth = 1;

    int32_t favouritesModified = 0; // a swatch changed and not filed since the dialog opened
    Picture favouritesPicture;      // 336 x 312, the grid drawn
    double gridScale = 1.0;         // the grid's picture is shown at the dialog's scale
    bool gridBusy = false;          // a colour dialog from the grid is open
    std::wstring folderOverride;    // when set, the palette file lives here instead (tests)
    std::wstring folder;            // folder of the palette file, ending with a backslash
    HWND dialog = nullptr;
    WNDPROC previousGridProc = nullptr;
    HWND savedFocus = nullptr;
};

// Runs the palette dialog modally over the main window.
void ShowFavourites(Workspace& app);

// Where the palette file is: the override folder, else the program's own folder.
std::wstring FavouritesFolder(const FavouritesState& state);
std::wstring FavouritesFilePath(const FavouritesState& state);

// Draws every swatch of the palette onto a picture: its stored rectangle inset by 3 at the top
// left, black outline, solid fill.
void DrawFavouriteGrid(const FavouritesState& state, HDC picture);

// Fills the grid from the palette file; an unreadable file gives the white palette.
void LoadFavourites(FavouritesState& state);

// Files the 130 swatches: written beside the file first and then put in its place, so a failing
// disk leaves the previous file as it was. One "Err: " message (owned by owner) on failure.
bool SaveFavourites(Workspace& app, HWND owner);

// The "Err: " text for a system error code: the program's error number with a leading blank and
// its standard text.
std::wstring FileErrorMessageFor(DWORD systemError);
