// The favourite-colours dialog, its grid handler and the palette file.
#include "interaction/Favourites.h"

#include "interaction/Workspace.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"
#include "ui/ProgramPaths.h"
#include "document/FileErrors.h"
#include "document/WorkFile.h"
#include "interaction/ColourDialog.h"
#include "interaction/DialogParts.h"
#include "render/TextLayout.h"

#include <cmath>
#include <vector>

namespace {

constexpr wchar_t kAppProperty[] = L"Cuadrix.FavouritesApp";
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhiteColour = RGB(255, 255, 255);

struct FavouritesRun {
    Workspace& app;
    FontHandle buttonFont;
    FontHandle captionFont;
};

FavouritesRun* RunOf(HWND dialog) {
    return reinterpret_cast<FavouritesRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

bool FileThere(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Deleting a missing file is not an error; a read-only one is deleted all the same.
void DeleteFavouritesFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    DeleteFileW(path.c_str());
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 24);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
              read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

// Writes the bytes to a new file in the target's folder and moves it over the target. Returns 0,
// or the system error; on error the target is as it was and no temporary file is left.
DWORD ReplaceFileWith(const std::wstring& folder, const std::wstring& target,
                      const std::vector<uint8_t>& bytes) {
    wchar_t temp[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(folder.c_str(), L"fav", 0, temp)) return GetLastError();
    HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        DeleteFileW(temp);
        return error;
    }
    DWORD written = 0;
    DWORD error = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        error = GetLastError();
    else if (written != bytes.size())
        error = ERROR_DISK_FULL;
    else if (!FlushFileBuffers(file))
        error = GetLastError();
    CloseHandle(file);
    if (!error) {
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_ARCHIVE); // a read-only palette is replaced too
        if (!MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            error = GetLastError();
    }
    if (error) DeleteFileW(temp);
    return error;
}

void CopyPictureToGrid(FavouritesState& state, HWND grid) {
    HDC dc = PictureDc(grid);
    if (!dc || !state.favouritesPicture) return;
    const Picture& picture = state.favouritesPicture;
    if (state.gridScale == 1.0) {
        BitBlt(dc, 0, 0, picture.Width(), picture.Height(), picture.Dc(), 0, 0, SRCCOPY);
        return;
    }
    // Plain swatches and outlines: whole pixels repeated, never blended.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, static_cast<int>(std::lround(picture.Width() * state.gridScale)),
               static_cast<int>(std::lround(picture.Height() * state.gridScale)), picture.Dc(), 0, 0,
               picture.Width(), picture.Height(), SRCCOPY);
}

// The palette cell under a point of the grid control; the palette is laid out at 96 DPI.
POINT PaletteCellAt(const FavouritesState& state, int x, int y) {
    auto unscaled = [&](int v) { return static_cast<int>(std::floor(v / state.gridScale)); };
    return POINT{unscaled(x) / state.pitch, unscaled(y) / state.pitch};
}

void DrawSwatch(HDC dc, const FavouriteSwatch& swatch, int inset, int outlineWidth, COLORREF outline) {
    PenHandle pen(CreatePen(PS_SOLID, outlineWidth, outline));
    BrushHandle brush(CreateSolidBrush(swatch.color & 0x00FFFFFF));
    ScopedSelect selectPen(dc, pen.Get());
    ScopedSelect selectBrush(dc, brush.Get());
    Rectangle(dc, swatch.left + inset, swatch.top + inset, swatch.right, swatch.bottom);
}

// Clears the picture, draws the grid (with the swatch under the pointer outlined in white, if any)
// and shows it in the grid control.
void RepaintGrid(FavouritesState& state, HWND grid, const FavouriteSwatch* highlighted = nullptr) {
    Picture& picture = state.favouritesPicture;
    FillSolid(picture.Dc(), RECT{0, 0, picture.Width(), picture.Height()}, kWhiteColour);
    DrawFavouriteGrid(state, picture.Dc());
    if (highlighted) DrawSwatch(picture.Dc(), *highlighted, state.inset, state.outlineWidth, kWhiteColour);
    CopyPictureToGrid(state, grid);
}

void NewFavouritesPicture(FavouritesState& state) {
    state.favouritesPicture.Reset();
    state.favouritesPicture = Picture(kFavouritesPictureWidth, kFavouritesPictureHeight);
}

void SetGridConstants(FavouritesState& state) {
    state.gridColumns = kFavouriteColumns;
    state.gridRows = kFavouriteRows;
    state.pitch = kFavouritePitch;
    state.originX = kFavouriteOrigin;
    state.originY = kFavouriteOrigin;
    state.inset = kFavouriteInset;
    state.outlineWidth = 1;
}

// Fills the selected-colour box and writes its caption centred over it, on the kept picture so
// that it survives repaints.
void ShowSelectedColour(FavouritesRun& run, HWND dialog, COLORREF fill, COLORREF captionColour) {
    HWND box = GetDlgItem(dialog, kSelectedColourId);
    FillPicture(box, fill);
    std::u16string caption(MessageText(run.app.shell.languageIndex, MessageTable::SelectedColour));
    HDC dc = PictureDc(box);
    HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);
    DrawSampleTextOn(dc, PictureSize(box).cx, caption, kAlignCenter, 1, 12, run.captionFont.Get(),
                     captionColour);
    SelectObject(dc, previousFont); // the caption font goes with the dialog
    ShowPicture(box);
}

bool InPalette(const FavouritesState& state, int column, int row) {
    return column >= 0 && column < state.gridColumns && row >= 0 && row < state.gridRows;
}

void OnGridMouseMove(Workspace& app, HWND grid, int x, int y) {
    FavouritesState& state = app.favourites;
    auto [column, row] = PaletteCellAt(state, x, y);
    if (!InPalette(state, column, row)) return; // the last highlight stays
    RepaintGrid(state, grid, &state.favouriteGrid(column, row));
    ShowPicture(grid);
}

void OnGridLeftDown(Workspace& app, HWND grid, int x, int y) {
    FavouritesState& state = app.favourites;
    if (state.gridBusy) return;
    state.gridBusy = true;
    auto [column, row] = PaletteCellAt(state, x, y);
    if (InPalette(state, column, row)) {
        HWND dialog = GetParent(grid);
        int chosen = ChooseColour(dialog, app);
        if (chosen >= 0) {
            state.favouriteGrid(column, row).color = static_cast<uint32_t>(chosen);
            state.favouritesModified = 1;
            EnableWindow(GetDlgItem(dialog, kFavouritesFileId), TRUE);
        }
    }
    state.gridBusy = false;
}

void OnGridRightDown(Workspace& app, HWND grid, int x, int y) {
    HDC dc = PictureDc(grid);
    if (!dc) return;
    COLORREF colour = GetPixel(dc, x, y);
    if (colour == CLR_INVALID) return; // outside the picture
    app.canvas.capturedColor = static_cast<int32_t>(colour);
    HWND dialog = GetParent(grid);
    if (FavouritesRun* run = RunOf(dialog))
        ShowSelectedColour(*run, dialog, colour, colour == 0 ? kWhiteColour : kBlack);
}

LRESULT CALLBACK FavouritesGridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam) {
    Workspace* app = static_cast<Workspace*>(GetPropW(grid, kAppProperty));
    if (!app) return DefWindowProcW(grid, message, wParam, lParam);
    WNDPROC previous = app->favourites.previousGridProc;
    int x = LOWORD(lParam), y = HIWORD(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        OnGridMouseMove(*app, grid, x, y);
        break;
    case WM_LBUTTONDOWN:
        OnGridLeftDown(*app, grid, x, y);
        break;
    case WM_RBUTTONDOWN:
        OnGridRightDown(*app, grid, x, y);
        break;
    case WM_NCDESTROY:
        RemovePropW(grid, kAppProperty);
        SetWindowLongPtrW(grid, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        break;
    }
    return CallWindowProcW(previous, grid, message, wParam, lParam);
}

void CreateControls(FavouritesRun& run, HWND dialog) {
    Workspace& app = run.app;
    HWND grid = CreatePictureControl(dialog, kFavouritesGridId, 8, 8, 336, 260, true);
    CreatePictureControl(dialog, kSelectedColourId, 8, 270, 336, 50, false);
    auto button = [&](int id, MessageTable table, int x) {
        CreateChild(dialog, L"BUTTON", Tr(app, table), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x,
                    328, 72, 24, id);
    };
    button(kFavouritesFileId, MessageTable::FavouritesFileButton, 8);
    button(kFavouritesGetOutId, MessageTable::FavouritesGetOutButton, 272);
    button(kFavouritesResetId, MessageTable::FavouritesResetButton, 136);
    run.buttonFont = CreateControlFont(L"MS Sans Serif", 9, true);
    SetControlFont(dialog, {kFavouritesFileId, kFavouritesGetOutId, kFavouritesResetId}, run.buttonFont);
    run.captionFont = CreateControlFont(L"Tahoma", 12, true);

    SetPropW(grid, kAppProperty, &app);
    app.favourites.previousGridProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(grid, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FavouritesGridProc)));
}

void OnCreated(FavouritesRun& run, HWND dialog) {
    FavouritesState& state = run.app.favourites;
    state.dialog = dialog;
    state.folder = FavouritesFolder(state);
    SetGridConstants(state);
    state.favouritesModified = 0;
    state.gridBusy = false;
    SetClientSize(dialog, kFavouritesDialogWidth, kFavouritesDialogHeight);
    CenterInWorkArea(dialog);
    CreateControls(run, dialog);
    state.gridScale = FitDialogToScreen(dialog, kFavouritesDialogWidth, kFavouritesDialogHeight, 0);
    EnableWindow(GetDlgItem(dialog, kFavouritesFileId), FALSE);
    if (FileThere(FavouritesFilePath(state)))
        LoadFavourites(state);
    else
        InitFavouriteGrid(state.favouriteGrid, state.gridColumns, state.gridRows, state.originX,
                          state.originY);
    NewFavouritesPicture(state);
    HWND grid = GetDlgItem(dialog, kFavouritesGridId);
    RepaintGrid(state, grid);
    ShowPicture(grid);
    ShowSelectedColour(run, dialog, kWhiteColour, kBlack);
}

void OnFile(FavouritesRun& run, HWND dialog) {
    Workspace& app = run.app;
    if (!SaveFavourites(app, dialog)) return; // the error was shown; the changes stay unfiled
    app.favourites.favouritesModified = 0;
    EnableWindow(GetDlgItem(dialog, kFavouritesFileId), FALSE);
    ShowMessageBox(dialog, Tr(app, MessageTable::FavouritesFiled), Tr(app, MessageTable::Caption), MB_OK);
}

void OnGetOut(FavouritesRun& run, HWND dialog) {
    Workspace& app = run.app;
    if (app.favourites.favouritesModified == 1) {
        int answer = ShowMessageBox(dialog, Tr(app, MessageTable::SaveBeforeExit),
                                    Tr(app, MessageTable::Caption), MB_YESNO);
        // A palette that could not be filed is not thrown away: the dialog stays open.
        if (answer == IDYES && !SaveFavourites(app, dialog)) return;
    }
    EndDialog(dialog, 0);
}

void OnReset(FavouritesRun& run, HWND dialog) {
    Workspace& app = run.app;
    FavouritesState& state = app.favourites;
    std::wstring question =
        Tr(app, MessageTable::ResetQuestion, 1) + L"\r\n" + Tr(app, MessageTable::ResetQuestion, 2);
    if (ShowMessageBox(dialog, question, Tr(app, MessageTable::Caption), MB_YESNO) != IDYES) return;
    DeleteFavouritesFile(FavouritesFilePath(state));
    SetGridConstants(state);
    InitFavouriteGrid(state.favouriteGrid, state.gridColumns, state.gridRows, state.originX, state.originY);
    NewFavouritesPicture(state);
    HWND grid = GetDlgItem(dialog, kFavouritesGridId);
    RepaintGrid(state, grid);
    ShowPicture(grid);
    app.canvas.capturedColor = static_cast<int32_t>(kWhiteColour);
    ShowSelectedColour(run, dialog, kWhiteColour, kBlack);
}

void OnCommand(FavouritesRun& run, HWND dialog, int id, int code) {
    if (code != 0 && code != 1) return;
    switch (id) {
    case kFavouritesFileId:
        OnFile(run, dialog);
        break;
    case kFavouritesGetOutId:
    case IDCANCEL: // Escape and the close box leave as "Get out" does
        OnGetOut(run, dialog);
        break;
    case kFavouritesResetId:
        OnReset(run, dialog);
        break;
    }
}

INT_PTR CALLBACK FavouritesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        OnCreated(*reinterpret_cast<FavouritesRun*>(lParam), dialog);
        return TRUE;
    }
    FavouritesRun* run = RunOf(dialog);
    if (!run) return FALSE;
    switch (message) {
    case WM_COMMAND:
        OnCommand(*run, dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_ACTIVATE:
        KeepFocusAcrossActivation(dialog, wParam, run->app.favourites.savedFocus);
        return FALSE;
    case WM_DESTROY:
        run->app.favourites.favouritesPicture.Reset();
        run->app.favourites.dialog = nullptr;
        return FALSE;
    }
    return FALSE;
}

} // namespace

void ShowFavourites(Workspace& app) {
    FavouritesRun run{app};
    std::vector<WORD> tmpl =
        BuildDialogTemplate(kFavouritesDialogStyle, 0, 100, 100, Tr(app, MessageTable::FavouritesTitle));
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                            app.shell.mainWindow, FavouritesProc, reinterpret_cast<LPARAM>(&run));
}

std::wstring FavouritesFolder(const FavouritesState& state) {
    if (!state.folderOverride.empty()) {
        std::wstring folder = state.folderOverride;
        if (folder.back() != L'\\') folder += L'\\';
        return folder;
    }
    return ProgramFolder();
}

std::wstring FavouritesFilePath(const FavouritesState& state) {
    return FavouritesFolder(state) + kFavouritesFileName;
}

void DrawFavouriteGrid(const FavouritesState& state, HDC picture) {
    for (int row = 0; row < state.gridRows; ++row)
        for (int column = 0; column < state.gridColumns; ++column)
            DrawSwatch(picture, state.favouriteGrid(column, row), state.inset, state.outlineWidth, kBlack);
}

void LoadFavourites(FavouritesState& state) {
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(FavouritesFilePath(state), bytes))
        LoadFavouriteRecords(state.favouriteGrid, bytes);
    else
        InitFavouriteGrid(state.favouriteGrid, state.gridColumns, state.gridRows, state.originX,
                          state.originY);
}

bool SaveFavourites(Workspace& app, HWND owner) {
    FavouritesState& state = app.favourites;
    DWORD error = ReplaceFileWith(FavouritesFolder(state), FavouritesFilePath(state),
                                  EncodeFavouritePalette(state.favouriteGrid));
    if (!error) return true;
    ShowMessageBox(owner, FileErrorMessageFor(error), Tr(app, MessageTable::Caption), MB_OK);
    return false;
}

std::wstring FileErrorMessageFor(DWORD systemError) {
    return Wide(FileErrorMessage(FileErrorNumber(systemError)));
}
