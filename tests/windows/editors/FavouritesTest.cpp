// The favourite-colours dialog driven through its messages, with its palette file in a scratch
// folder: first use, changes, filing, reading odd files, capturing, resetting and failing disks.
#include "DialogScript.h"
#include "WinTestSupport.h"

#include "app/state/App.h"
#include "interaction/ColourDialog.h"
#include "interaction/Favourites.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kWhitePixel = RGB(255, 255, 255);
constexpr COLORREF kBlackPixel = RGB(0, 0, 0);

POINT SwatchCentre(int column, int row) {
    return {column * 25 + 15, row * 25 + 15};
}

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

std::vector<uint8_t> ReadBytes(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD read = 0;
    ReadFile(file, bytes.data(), size, &read, nullptr);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void Append(std::vector<uint8_t>& bytes, const FavouriteSwatch& swatch) {
    auto record = EncodeFavouriteSwatch(swatch);
    bytes.insert(bytes.end(), record.begin(), record.end());
}

FavouriteSwatch Swatch(int column, int row, uint32_t color) {
    FavouriteGrid grid;
    InitFavouriteGrid(grid, 13, 10, 1, 1);
    FavouriteSwatch s = grid(column, row);
    s.color = color;
    return s;
}

// A colour a swatch can be told apart by: distinct for every position.
uint32_t PositionColour(int column, int row) {
    return static_cast<uint32_t>(0x010000 * (column + 1) + 0x20 * row + 7);
}

std::vector<uint8_t> PaletteOfPositionColours() {
    FavouriteGrid grid;
    InitFavouriteGrid(grid, 13, 10, 1, 1);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 13; ++c)
            grid(c, r).color = PositionColour(c, r);
    return EncodeFavouritePalette(grid);
}

struct FavouritesTest : testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();
    ScratchFolder folder;
    std::wstring file;

    void SetUp() override {
        app->favourites.folderOverride = folder.Path();
        file = folder.Path() + L"Mis Colores.log";
    }
    void TearDown() override { SetColourDialogSeam({}); }

    void Run(const std::function<void(HWND)>& script) {
        RunModal([this] { ShowFavourites(*app); }, script);
    }
};

HWND Grid(HWND dialog) {
    return GetDlgItem(dialog, kFavouritesGridId);
}

COLORREF GridPixel(HWND dialog, POINT p) {
    Picture shown = CaptureClient(Grid(dialog));
    return PixelAt(shown.Dc(), p.x, p.y);
}

bool FileEnabled(HWND dialog) {
    return IsWindowEnabled(GetDlgItem(dialog, kFavouritesFileId)) != FALSE;
}

} // namespace

TEST_F(FavouritesTest, FirstUseShowsWhiteSwatchesAndLeavesWithoutAQuestion) {
    MessageBoxRecorder boxes;
    Run([&](HWND dialog) {
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(350, client.right);
        EXPECT_EQ(357, client.bottom);
        EXPECT_EQ(L"Tus Colores Favoritos Cargalos y Guardalos", WindowText(dialog));
        EXPECT_EQ(L"Archivar", WindowText(GetDlgItem(dialog, kFavouritesFileId)));
        EXPECT_EQ(L"Salir", WindowText(GetDlgItem(dialog, kFavouritesGetOutId)));
        EXPECT_EQ(L"Reseteo", WindowText(GetDlgItem(dialog, kFavouritesResetId)));
        RECT reset = ControlRect(dialog, kFavouritesResetId);
        EXPECT_EQ(136, reset.left);
        EXPECT_EQ(328, reset.top);
        RECT grid = ControlRect(dialog, kFavouritesGridId);
        EXPECT_EQ(8, grid.left);
        EXPECT_EQ(260, grid.bottom - grid.top);

        Picture shown = CaptureClient(Grid(dialog));
        int white = 0;
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 13; ++c) {
                POINT p = SwatchCentre(c, r);
                if (PixelAt(shown.Dc(), p.x, p.y) == kWhitePixel) ++white;
                EXPECT_EQ(kBlackPixel, PixelAt(shown.Dc(), c * 25 + 4, r * 25 + 10)) << c << "," << r;
            }
        EXPECT_EQ(130, white);
        EXPECT_EQ(kWhitePixel, PixelAt(shown.Dc(), 27, 10)); // the gap between two swatches
        // The selected-colour box: white with its caption in black.
        HWND box = GetDlgItem(dialog, kSelectedColourId);
        Picture selected = CaptureClient(box);
        EXPECT_GT(CountPixels(selected.Dc(), RECT{0, 0, 334, 48}, kBlackPixel), 30);
        EXPECT_EQ(kWhitePixel, PixelAt(selected.Dc(), 2, 40));
        EXPECT_FALSE(FileEnabled(dialog));
        Click(dialog, kFavouritesGetOutId);
        EXPECT_FALSE(StillOpen(dialog));
    });
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(L"", folder.Listing());
}

TEST_F(FavouritesTest, AChangeEnablesFileAndGetOutAsksThenYesFilesThePalette) {
    MessageBoxRecorder boxes({IDYES});
    SetColourDialogSeam([](HWND, std::array<uint32_t, 16>&) { return 0x0000FF; });
    Run([&](HWND dialog) {
        POINT p = SwatchCentre(2, 3);
        SendMessageW(Grid(dialog), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        EXPECT_TRUE(FileEnabled(dialog));
        EXPECT_EQ(1, app->favourites.favouritesModified);
        // The new colour shows at the next movement over the grid.
        SendMessageW(Grid(dialog), WM_MOUSEMOVE, 0, At(5, 5));
        EXPECT_EQ(RGB(255, 0, 0), GridPixel(dialog, p));
        Click(dialog, kFavouritesGetOutId);
        EXPECT_FALSE(StillOpen(dialog));
    });
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(L"Desea guardar los cambios antes de Salir ?", boxes.Shown()[0].text);
    EXPECT_EQ(L"Programador", boxes.Shown()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Shown()[0].type & MB_TYPEMASK);
    std::vector<uint8_t> bytes = ReadBytes(file);
    ASSERT_EQ(3120u, bytes.size());
    FavouriteSwatch stored =
        DecodeFavouriteSwatch(std::span<const uint8_t, 24>(bytes.data() + (3 * 13 + 2) * 24, 24));
    EXPECT_EQ(Swatch(2, 3, 0x0000FF), stored);
    EXPECT_EQ(L"Mis Colores.log", folder.Listing()); // no temporary file left behind

    // The next opening shows it.
    Run([&](HWND dialog) {
        EXPECT_EQ(RGB(255, 0, 0), GridPixel(dialog, SwatchCentre(2, 3)));
        EXPECT_EQ(kWhitePixel, GridPixel(dialog, SwatchCentre(3, 3)));
        Click(dialog, kFavouritesGetOutId);
    });
}

TEST_F(FavouritesTest, TheCloseBoxLeavesAsGetOutDoesAndNoLosesTheChange) {
    MessageBoxRecorder boxes({IDNO});
    SetColourDialogSeam([](HWND, std::array<uint32_t, 16>&) { return 0x00FF00; });
    Run([&](HWND dialog) {
        EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_SYSMENU);
        POINT p = SwatchCentre(0, 0);
        SendMessageW(Grid(dialog), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        Later(dialog, [&, dialog] {
            ADD_FAILURE() << "still open after the close box";
            Click(dialog, kFavouritesGetOutId);
        });
    });
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(L"Desea guardar los cambios antes de Salir ?", boxes.Shown()[0].text);
    EXPECT_EQ(L"", folder.Listing());
    Run([&](HWND dialog) {
        EXPECT_EQ(kWhitePixel, GridPixel(dialog, SwatchCentre(0, 0)));
        Click(dialog, kFavouritesGetOutId);
    });
    EXPECT_EQ(1u, boxes.Shown().size()); // nothing changed this time: no question
}

TEST_F(FavouritesTest, FileWritesTheRecordsAndSaysSo) {
    MessageBoxRecorder boxes;
    int asked = 0;
    SetColourDialogSeam([&](HWND, std::array<uint32_t, 16>&) { return ++asked == 1 ? 0xFF0000 : -1; });
    Run([&](HWND dialog) {
        POINT p = SwatchCentre(12, 9);
        SendMessageW(Grid(dialog), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        Click(dialog, kFavouritesFileId);
        EXPECT_FALSE(FileEnabled(dialog));
        EXPECT_EQ(0, app->favourites.favouritesModified);
        // A cancelled colour dialog changes nothing.
        SendMessageW(Grid(dialog), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        EXPECT_FALSE(FileEnabled(dialog));
        Click(dialog, kFavouritesGetOutId);
        EXPECT_FALSE(StillOpen(dialog));
    });
    EXPECT_EQ(2, asked);
    ASSERT_EQ(1u, boxes.Shown().size()); // the filed message only; no question at Get out
    EXPECT_EQ(L"Mis Colores Favoritos han sido Archivados", boxes.Shown()[0].text);
    EXPECT_EQ(L"Programador", boxes.Shown()[0].caption);
    std::vector<uint8_t> bytes = ReadBytes(file);
    ASSERT_EQ(3120u, bytes.size());
    EXPECT_EQ(Swatch(12, 9, 0xFF0000),
              DecodeFavouriteSwatch(std::span<const uint8_t, 24>(bytes.data() + 129 * 24, 24)));
}

TEST_F(FavouritesTest, AFileOf3130BytesIsRead130RecordsAndClicksKeepThe25PixelPitch) {
    std::vector<uint8_t> bytes = PaletteOfPositionColours();
    bytes.insert(bytes.end(), 10, 0xEE);
    WriteBytes(file, bytes);
    Run([&](HWND dialog) {
        Picture shown = CaptureClient(Grid(dialog));
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 13; ++c) {
                POINT p = SwatchCentre(c, r);
                EXPECT_EQ(PositionColour(c, r), PixelAt(shown.Dc(), p.x, p.y)) << c << "," << r;
            }
        // A right click on a swatch captures its colour.
        POINT p = SwatchCentre(7, 4);
        SendMessageW(Grid(dialog), WM_RBUTTONDOWN, MK_RBUTTON, At(p.x, p.y));
        EXPECT_EQ(static_cast<int32_t>(PositionColour(7, 4)), app->canvas.capturedColor);
        Picture selected = CaptureClient(GetDlgItem(dialog, kSelectedColourId));
        EXPECT_EQ(PositionColour(7, 4), PixelAt(selected.Dc(), 2, 40));
        Click(dialog, kFavouritesGetOutId);
    });
}

TEST_F(FavouritesTest, AFileWithOnlyRowZeroShowsNoOtherSwatches) {
    std::vector<uint8_t> bytes;
    for (int c = 0; c < 13; ++c)
        Append(bytes, Swatch(c, 0, PositionColour(c, 0)));
    WriteBytes(file, bytes);
    Run([&](HWND dialog) {
        Picture shown = CaptureClient(Grid(dialog));
        for (int c = 0; c < 13; ++c) {
            POINT p = SwatchCentre(c, 0);
            EXPECT_EQ(PositionColour(c, 0), PixelAt(shown.Dc(), p.x, p.y));
        }
        for (int r = 1; r < 10; ++r)
            for (int c = 0; c < 13; ++c) {
                POINT p = SwatchCentre(c, r);
                EXPECT_EQ(kWhitePixel, PixelAt(shown.Dc(), p.x, p.y)) << c << "," << r;
                EXPECT_EQ(kWhitePixel, PixelAt(shown.Dc(), c * 25 + 4, r * 25 + 10)) << c << "," << r;
            }
        // The all-zero records collapse into one tiny black square at the top-left corner.
        EXPECT_EQ(kBlackPixel, PixelAt(shown.Dc(), 1, 1));
        Click(dialog, kFavouritesGetOutId);
    });
}

TEST_F(FavouritesTest, RecordsInAnotherOrderArePlacedByTheirOwnColumnAndRow) {
    std::vector<uint8_t> bytes;
    for (int r = 9; r >= 0; --r)
        for (int c = 12; c >= 0; --c)
            Append(bytes, Swatch(c, r, PositionColour(c, r)));
    WriteBytes(file, bytes);
    Run([&](HWND dialog) {
        Picture shown = CaptureClient(Grid(dialog));
        for (auto [c, r] :
             {std::pair{0, 0}, std::pair{12, 0}, std::pair{5, 5}, std::pair{0, 9}, std::pair{12, 9}}) {
            POINT p = SwatchCentre(c, r);
            EXPECT_EQ(PositionColour(c, r), PixelAt(shown.Dc(), p.x, p.y)) << c << "," << r;
        }
        Click(dialog, kFavouritesGetOutId);
    });
}

TEST_F(FavouritesTest, RightClickOnAGapCapturesWhiteAndOnAnOutlineBlackWithAWhiteCaption) {
    Run([&](HWND dialog) {
        HWND box = GetDlgItem(dialog, kSelectedColourId);
        SendMessageW(Grid(dialog), WM_RBUTTONDOWN, MK_RBUTTON, At(27, 10));
        EXPECT_EQ(0xFFFFFF, app->canvas.capturedColor);
        Picture white = CaptureClient(box);
        EXPECT_EQ(kWhitePixel, PixelAt(white.Dc(), 2, 40));
        EXPECT_GT(CountPixels(white.Dc(), RECT{0, 0, 334, 48}, kBlackPixel), 30); // the caption

        SendMessageW(Grid(dialog), WM_RBUTTONDOWN, MK_RBUTTON, At(29, 10));
        EXPECT_EQ(0, app->canvas.capturedColor);
        Picture black = CaptureClient(box);
        EXPECT_EQ(kBlackPixel, PixelAt(black.Dc(), 2, 40));
        EXPECT_GT(CountPixels(black.Dc(), RECT{0, 0, 334, 48}, kWhitePixel), 30); // the caption in white
        // The caption stays across repaints.
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Picture again = CaptureClient(box);
        EXPECT_EQ(CountPixels(black.Dc(), RECT{0, 0, 334, 48}, kWhitePixel),
                  CountPixels(again.Dc(), RECT{0, 0, 334, 48}, kWhitePixel));
        Click(dialog, kFavouritesGetOutId);
    });
}

TEST_F(FavouritesTest, HoverOutlinesTheSwatchUnderThePointerInWhite) {
    Run([&](HWND dialog) {
        POINT p = SwatchCentre(3, 2);
        SendMessageW(Grid(dialog), WM_MOUSEMOVE, 0, At(p.x, p.y));
        EXPECT_EQ(kWhitePixel, GridPixel(dialog, {3 * 25 + 4, 2 * 25 + 10}));
        EXPECT_EQ(kBlackPixel, GridPixel(dialog, {4 * 25 + 4, 2 * 25 + 10}));
        // Beyond the last column nothing happens and the highlight stays.
        SendMessageW(Grid(dialog), WM_MOUSEMOVE, 0, At(13 * 25 + 2, p.y));
        EXPECT_EQ(kWhitePixel, GridPixel(dialog, {3 * 25 + 4, 2 * 25 + 10}));
        SendMessageW(Grid(dialog), WM_MOUSEMOVE, 0, At(4 * 25 + 15, p.y));
        EXPECT_EQ(kBlackPixel, GridPixel(dialog, {3 * 25 + 4, 2 * 25 + 10}));
        EXPECT_EQ(kWhitePixel, GridPixel(dialog, {4 * 25 + 4, 2 * 25 + 10}));
        Click(dialog, kFavouritesGetOutId);
    });
}

TEST_F(FavouritesTest, StoredRectanglesAreDrawnWhereTheySayWhileClicksKeepThePitch) {
    // The last record (12, 9), drawn last, holds a rectangle in the middle of the grid.
    std::vector<uint8_t> bytes = PaletteOfPositionColours();
    FavouriteSwatch moved = Swatch(12, 9, 0x0000FF);
    moved.left = 100;
    moved.top = 100;
    moved.right = 140;
    moved.bottom = 140;
    auto record = EncodeFavouriteSwatch(moved);
    std::copy(record.begin(), record.end(), bytes.begin() + 129 * 24);
    WriteBytes(file, bytes);
    SetColourDialogSeam([](HWND, std::array<uint32_t, 16>&) { return 0x00FF00; });
    MessageBoxRecorder boxes({IDNO});
    Run([&](HWND dialog) {
        EXPECT_EQ(RGB(255, 0, 0), GridPixel(dialog, {120, 120}));
        // Its place on the pitch shows no swatch.
        POINT pitch = SwatchCentre(12, 9);
        EXPECT_EQ(kWhitePixel, GridPixel(dialog, pitch));
        // Hovering over its place on the pitch outlines the stored rectangle.
        SendMessageW(Grid(dialog), WM_MOUSEMOVE, 0, At(pitch.x, pitch.y));
        EXPECT_EQ(kWhitePixel, GridPixel(dialog, {103, 120}));
        EXPECT_EQ(RGB(255, 0, 0), GridPixel(dialog, {120, 120}));
        // Clicking there changes the swatch drawn at its stored place.
        SendMessageW(Grid(dialog), WM_LBUTTONDOWN, MK_LBUTTON, At(pitch.x, pitch.y));
        SendMessageW(Grid(dialog), WM_MOUSEMOVE, 0, At(10, 10));
        EXPECT_EQ(RGB(0, 255, 0), GridPixel(dialog, {120, 120}));
        EXPECT_EQ(kBlackPixel, GridPixel(dialog, {103, 120}));
        Click(dialog, kFavouritesGetOutId);
    });
    EXPECT_EQ(1u, boxes.Shown().size());
}

TEST_F(FavouritesTest, ResetAnsweredYesDeletesTheFileAndCapturesWhite) {
    WriteBytes(file, PaletteOfPositionColours());
    MessageBoxRecorder boxes({IDNO, IDYES});
    app->canvas.capturedColor = 0x123456;
    Run([&](HWND dialog) {
        Click(dialog, kFavouritesResetId); // No: nothing happens
        EXPECT_EQ(L"Mis Colores.log", folder.Listing());
        EXPECT_EQ(PositionColour(1, 1), GridPixel(dialog, SwatchCentre(1, 1)));
        EXPECT_EQ(0x123456, app->canvas.capturedColor);

        SendMessageW(Grid(dialog), WM_RBUTTONDOWN, MK_RBUTTON, At(29, 10)); // black box, white caption
        Click(dialog, kFavouritesResetId);                                  // Yes
        EXPECT_EQ(L"", folder.Listing());
        Picture shown = CaptureClient(Grid(dialog));
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 13; ++c) {
                POINT p = SwatchCentre(c, r);
                EXPECT_EQ(kWhitePixel, PixelAt(shown.Dc(), p.x, p.y));
            }
        EXPECT_EQ(0xFFFFFF, app->canvas.capturedColor);
        Picture selected = CaptureClient(GetDlgItem(dialog, kSelectedColourId));
        EXPECT_EQ(kWhitePixel, PixelAt(selected.Dc(), 2, 40));
        EXPECT_GT(CountPixels(selected.Dc(), RECT{0, 0, 334, 48}, kBlackPixel), 30);
        EXPECT_FALSE(FileEnabled(dialog));
        Click(dialog, kFavouritesGetOutId);
    });
    ASSERT_EQ(2u, boxes.Shown().size());
    EXPECT_EQ(L"Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos",
              boxes.Shown()[0].text);
    EXPECT_EQ(L"Programador", boxes.Shown()[1].caption);
    EXPECT_EQ(L"", folder.Listing()); // the white palette is not filed
}

TEST_F(FavouritesTest, ASecondLeftClickWhileTheColourDialogIsOpenIsIgnored) {
    int asked = 0;
    HWND grid = nullptr;
    SetColourDialogSeam([&](HWND, std::array<uint32_t, 16>&) {
        ++asked;
        SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 40));
        return 0x0000FF;
    });
    MessageBoxRecorder boxes({IDNO});
    Run([&](HWND dialog) {
        grid = Grid(dialog);
        SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
        EXPECT_EQ(1, asked);
        SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
        EXPECT_EQ(2, asked); // not left busy
        Click(dialog, kFavouritesGetOutId);
    });
}

TEST_F(FavouritesTest, AFailingSaveKeepsThePreviousFileAndTheChanges) {
    std::vector<uint8_t> previous = PaletteOfPositionColours();
    WriteBytes(file, previous);
    SetColourDialogSeam([](HWND, std::array<uint32_t, 16>&) { return 0x0000FF; });
    MessageBoxRecorder boxes({IDOK, IDYES, IDOK, IDYES});
    Run([&](HWND dialog) {
        POINT p = SwatchCentre(0, 0);
        SendMessageW(Grid(dialog), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        // Another program holds the palette file open without sharing it.
        HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        Click(dialog, kFavouritesFileId);
        EXPECT_TRUE(FileEnabled(dialog));
        EXPECT_EQ(1, app->favourites.favouritesModified);
        Click(dialog, kFavouritesGetOutId); // Yes, but filing fails again: the dialog stays
        EXPECT_TRUE(StillOpen(dialog));
        CloseHandle(held);
        EXPECT_EQ(previous, ReadBytes(file));
        EXPECT_EQ(L"Mis Colores.log", folder.Listing());
        Click(dialog, kFavouritesGetOutId); // Yes, and now it files
        EXPECT_FALSE(StillOpen(dialog));
    });
    ASSERT_EQ(4u, boxes.Shown().size());
    EXPECT_EQ(0u, boxes.Shown()[0].text.find(L"Err:  70 "));
    EXPECT_EQ(L"Programador", boxes.Shown()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Shown()[0].type & MB_TYPEMASK);
    EXPECT_EQ(L"Desea guardar los cambios antes de Salir ?", boxes.Shown()[1].text);
    EXPECT_EQ(0u, boxes.Shown()[2].text.find(L"Err: "));
    std::vector<uint8_t> now = ReadBytes(file);
    ASSERT_EQ(3120u, now.size());
    EXPECT_EQ(Swatch(0, 0, 0x0000FF), DecodeFavouriteSwatch(std::span<const uint8_t, 24>(now.data(), 24)));
}

TEST(FavouritesFile, ErrorMessagesCarryTheNumberAndItsStandardText) {
    EXPECT_EQ(L"Err:  61 Disk full", FileErrorMessageFor(ERROR_DISK_FULL));
    EXPECT_EQ(L"Err:  70 Permission denied", FileErrorMessageFor(ERROR_ACCESS_DENIED));
    EXPECT_EQ(L"Err:  70 Permission denied", FileErrorMessageFor(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(L"Err:  76 Path not found", FileErrorMessageFor(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(L"Err:  57 Device I/O error", FileErrorMessageFor(ERROR_CRC));
}

TEST(FavouritesFile, LivesBesideTheProgramUnlessToldOtherwise) {
    FavouritesState state;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.resize(folder.find_last_of(L'\\') + 1);
    EXPECT_EQ(folder + L"Mis Colores.log", FavouritesFilePath(state));
    state.folderOverride = L"C:\\palette";
    EXPECT_EQ(L"C:\\palette\\Mis Colores.log", FavouritesFilePath(state));
}
