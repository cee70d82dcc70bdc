// The canvas of the real main window driven with mouse, key and wheel messages.
#include "WinTestSupport.h"

#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "app/shell/Refresh.h"
#include "ui/FileDialogs.h"
#include "app/shell/MainWindow.h"
#include "interaction/CanvasView.h"
#include "interaction/ColourDialog.h"
#include "interaction/Redraw.h"
#include "render/ViewGeometry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <tuple>

namespace {

constexpr int kNew24Horizontal = 3309;
constexpr int kCreateTable = 3300;
constexpr int kCreateLine = 3301;
constexpr int kMergeHorizontal = 1010;
constexpr int kEditTextMode = 1009;
constexpr int kInsertImageMode = 1022;
constexpr int kInsertIconMode = 1112;
constexpr int kPitch = 25; // 24-pixel cells and a separation of 1

// Acts once on each dialog that opens while it lives, from a timer running inside the dialog's own
// modal loop, so the dialog is fully set up when the action reads or clicks it.
class DialogDriver {
  public:
    explicit DialogDriver(std::function<void(HWND)> act)
        : act_(std::move(act)), answerer_([this](HWND dialog) { OnActivate(dialog); }) {
        current_ = this;
    }
    ~DialogDriver() { current_ = nullptr; }
    int Opened() const { return opened_; }

  private:
    void OnActivate(HWND dialog) {
        // The main window is a dialog too and is activated again when a dialog closes.
        if (dialog == last_ || !GetWindow(dialog, GW_OWNER)) return;
        last_ = dialog;
        ++opened_;
        SetTimer(nullptr, 0, 20, &DialogDriver::Tick);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (current_ && IsWindow(current_->last_)) current_->act_(current_->last_);
    }
    static inline DialogDriver* current_ = nullptr;
    std::function<void(HWND)> act_;
    DialogAnswerer answerer_;
    HWND last_ = nullptr;
    int opened_ = 0;
};

struct CanvasFixture : testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();
    HWND window = nullptr;
    HWND canvas = nullptr;

    void SetUp() override {
        window = CreateMainWindowForTest(*app);
        ASSERT_NE(nullptr, window);
        canvas = GetDlgItem(window, kCanvasId);
        PumpMessages();
    }
    void TearDown() override {
        SetFileDialogSeam({});
        if (IsWindow(window)) DestroyWindow(window);
        PumpMessages();
    }

    void NewTable() { DispatchCommand(*app, kNew24Horizontal, 0); }
    // A left click in the middle of a cell of the 24-pixel grid, at the current view offset.
    void ClickCell(int column, int row) {
        ClickAt(column * kPitch + 12, row * kPitch + 12 + app->canvas.viewOffsetY);
    }
    void ClickAt(int x, int y) {
        SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    // Two quick presses as the queue delivers them: the canvas class asks for double-clicks, so
    // the second press comes as a double-click message.
    void QuickPresses(int x, int y, UINT down, UINT doubleClick, UINT up) {
        for (UINT press : {down, doubleClick}) {
            PostMessageW(canvas, press, 0, MAKELPARAM(x, y));
            PostMessageW(canvas, up, 0, MAKELPARAM(x, y));
            PumpMessages();
        }
    }
    void QuickLeft(int column, int row) {
        QuickPresses(column * kPitch + 12, row * kPitch + 12, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
    }
    void Key(WPARAM key) { SendMessageW(canvas, WM_KEYDOWN, key, 0); }
    void Wheel(short delta) {
        SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
    }
    // Boxes made from cells marked with the cell selector.
    void MakeBoxes(std::initializer_list<std::pair<int, int>> cells) {
        for (auto [c, r] : cells)
            ClickCell(c, r);
        DispatchCommand(*app, kCreateTable, 0);
    }
    const CellRecord& Cell(int c, int r) { return app->doc.cellGrid(c, r); }
    // What the canvas shows at a client pixel.
    COLORREF Shown(int x, int y) {
        Picture shown = CaptureClient(canvas);
        return PixelAt(shown.Dc(), x, y);
    }
};

} // namespace

TEST(CanvasHitZones, PixelMapsToCellWithoutOriginAndTruncatesTowardZero) {
    Document doc;
    doc.cellWidth = 16;
    doc.cellHeight = 16;
    doc.separation = 1;
    EXPECT_EQ(0, PixelToCell(doc, 0, 16, 0).column);
    EXPECT_EQ(1, PixelToCell(doc, 0, 17, 0).column);
    // Ten pixels above the table with the view moved down by 50 still maps to row 0.
    EXPECT_EQ(0, PixelToCell(doc, 50, 0, 40).row);
    EXPECT_EQ(-1, PixelToCell(doc, 50, 0, 30).row);
    EXPECT_EQ(2, PixelToCell(doc, -20, 0, 20).row);
}

TEST_F(CanvasFixture, BeforeTheFirstTableClicksDoNothingButPageDownScrolls) {
    ClickAt(30, 30);
    SendMessageW(canvas, WM_RBUTTONDOWN, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(0, Cell(1, 1).marked);
    Key(VK_NEXT);
    EXPECT_EQ(-100, app->canvas.viewOffsetY);
}

TEST_F(CanvasFixture, MarkingShowsYellowAndAnEmptyPositionEndsTheRun) {
    NewTable();
    MakeBoxes({{2, 2}, {3, 2}});
    ClickCell(2, 2);
    ClickCell(3, 2);
    EXPECT_EQ(1, Cell(2, 2).selected);
    EXPECT_EQ(1, Cell(3, 2).selected);
    EXPECT_EQ(RGB(0, 0, 0x8B), Shown(2 * kPitch + 14, 2 * kPitch + 14));

    ClickCell(6, 6); // a guide cell: marked, and the run ends
    EXPECT_EQ(1, Cell(6, 6).marked);
    EXPECT_EQ(0, Cell(2, 2).selected);
    EXPECT_EQ(0, Cell(3, 2).selected);
    EXPECT_EQ(0, app->doc.selectionCount);
    EXPECT_EQ(RGB(255, 255, 0), Shown(6 * kPitch + 14, 6 * kPitch + 14));
}

TEST_F(CanvasFixture, ThreeBoxRunMergesAndUndoBringsTheCellsBack) {
    NewTable();
    MakeBoxes({{2, 4}, {3, 4}, {4, 4}, {2, 5}});
    CellRecord before = Cell(2, 4);
    ClickCell(2, 4);
    ClickCell(3, 4);
    ClickCell(4, 4);
    EXPECT_EQ(3, app->doc.selectionCount);
    DispatchCommand(*app, kMergeHorizontal, 0);
    EXPECT_EQ(1, Cell(3, 4).covered);
    EXPECT_EQ(Cell(4, 4).right, Cell(2, 4).right);
    // The merged box is one white box over the gaps between the three cells.
    EXPECT_EQ(RGB(255, 255, 255), Shown(3 * kPitch + 3, 4 * kPitch + 12));

    // Skipping a box ends the run; clicking the second box again deselects only it.
    ClickCell(2, 5);
    ClickCell(2, 4);
    EXPECT_EQ(0, Cell(2, 5).selected); // (2,4) spans three columns, (2,5) one: the run broke
    ClickCell(2, 5);
    EXPECT_EQ(1, Cell(2, 5).selected);

    DispatchCommand(*app, 1051, 0); // Undo
    EXPECT_EQ(0, Cell(3, 4).covered);
    EXPECT_EQ(before.right, Cell(2, 4).right);
}

TEST_F(CanvasFixture, ASecondQuickPressActsAsAFirstOneInEveryMode) {
    NewTable();
    MakeBoxes({{2, 2}});
    QuickLeft(5, 5); // a guide cell: marked and unmarked
    EXPECT_EQ(0, Cell(5, 5).marked);
    EXPECT_EQ(RGB(255, 255, 255), Shown(5 * kPitch + 14, 5 * kPitch + 14));
    QuickLeft(2, 2); // a box: selected and deselected
    EXPECT_EQ(0, Cell(2, 2).selected);
    EXPECT_EQ(RGB(255, 255, 255), Shown(2 * kPitch + 14, 2 * kPitch + 14));

    DispatchCommand(*app, kEditTextMode, 0);
    {
        DialogDriver cancel(
            [&](HWND dialog) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(10270, BN_CLICKED), 0); });
        QuickLeft(2, 2);
        EXPECT_EQ(2, cancel.Opened());
    }
    // The right button's colour capture shows its colour for each press.
    DialogDriver answer(
        [&](HWND dialog) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(21004, BN_CLICKED), 0); });
    QuickPresses(40, 40, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP);
    EXPECT_EQ(2, answer.Opened());
}

TEST_F(CanvasFixture, CreateLineDrawsAConnectorAlongTheTopEdge) {
    NewTable();
    ClickCell(3, 5);
    ClickCell(7, 5);
    DispatchCommand(*app, kCreateLine, 0);
    EXPECT_EQ(1, Cell(3, 5).hLineOn);
    // The line runs one pixel above the top of the boxes from column 3 to beyond column 7.
    int y = 5 * kPitch + 2 + 2 - 1;
    EXPECT_EQ(RGB(0, 0, 0), Shown(5 * kPitch + 12, y));
}

TEST_F(CanvasFixture, EditModeOpensOnlyOnFreeBoxesAndAcceptWritesBack) {
    NewTable();
    MakeBoxes({{1, 1}, {2, 1}});
    DispatchCommand(*app, kEditTextMode, 0);
    ASSERT_EQ(2, app->shell.leftMouseMode);
    bool textBoxHadFocus = false;

    {
        DialogDriver accept([&](HWND dialog) {
            textBoxHadFocus = GetFocus() == GetDlgItem(dialog, 10310);
            SetDlgItemTextW(dialog, 10310, L"Hola");
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(10280, BN_CLICKED), 0);
        });
        ClickCell(5, 5); // a guide cell: nothing opens
        EXPECT_EQ(0, accept.Opened());
        ClickCell(1, 1);
        EXPECT_EQ(1, accept.Opened());
    }
    EXPECT_EQ(u"Hola", FieldText(Cell(1, 1).text));
    EXPECT_TRUE(textBoxHadFocus); // typing goes into the text first
    EXPECT_EQ(0, app->canvas.textDialogOpen);

    {
        app->doc.cellGrid(2, 1).cancelled = 1;
        DialogDriver never(
            [&](HWND dialog) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(10270, BN_CLICKED), 0); });
        ClickCell(2, 1);
        EXPECT_EQ(0, never.Opened());
    }
    {
        DialogDriver cancel([&](HWND dialog) {
            SetDlgItemTextW(dialog, 10310, L"Cambio");
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(10270, BN_CLICKED), 0);
        });
        ClickCell(1, 1);
        EXPECT_EQ(1, cancel.Opened());
    }
    EXPECT_EQ(u"Hola", FieldText(Cell(1, 1).text));
}

TEST_F(CanvasFixture, InsertImageOnlyOnBoxesKeepsTheFormerColour) {
    NewTable();
    MakeBoxes({{1, 1}});
    DispatchCommand(*app, kInsertImageMode, 0);
    int asked = 0;
    SetFileDialogSeam([&](OPENFILENAMEW& request, bool) {
        ++asked;
        wcscpy_s(request.lpstrFile, request.nMaxFile, L"C:\\pics\\boss.png");
        return true;
    });
    ClickCell(4, 4);
    EXPECT_EQ(0, asked);
    ClickCell(1, 1);
    EXPECT_EQ(1, asked);
    EXPECT_EQ("C:\\pics\\boss.png|16777215", FieldText(Cell(1, 1).imageSpec));
    EXPECT_EQ(kNoColor, Cell(1, 1).backColor);
}

TEST_F(CanvasFixture, InsertIconStoresThePathOnAGuideCellToo) {
    NewTable();
    DispatchCommand(*app, kInsertIconMode, 0);
    SetFileDialogSeam([&](OPENFILENAMEW& request, bool) {
        wcscpy_s(request.lpstrFile, request.nMaxFile, L"C:\\icons\\star.ico");
        return true;
    });
    ClickCell(3, 3);
    EXPECT_EQ("C:\\icons\\star.ico", FieldText(Cell(3, 3).iconPath));
    SetFileDialogSeam([&](OPENFILENAMEW&, bool) { return false; }); // cancelled: nothing changes
    ClickCell(4, 3);
    EXPECT_EQ("", FieldText(Cell(4, 3).iconPath));
}

TEST_F(CanvasFixture, ScrollKeysAndWheelStopAtTheTopOfTheTable) {
    NewTable();
    app->canvas.viewOffsetY = -50;
    Key(VK_PRIOR);
    EXPECT_EQ(0, app->canvas.viewOffsetY) << "a page up stops at row 0";
    Key(VK_UP);
    EXPECT_EQ(0, app->canvas.viewOffsetY);
    Key(VK_DOWN);
    EXPECT_EQ(-1, app->canvas.viewOffsetY);
    Key(VK_END);
    EXPECT_EQ(kScrollFloor, app->canvas.viewOffsetY);
    Key(VK_DOWN);
    EXPECT_EQ(kScrollFloor, app->canvas.viewOffsetY);
    Key(VK_HOME);
    EXPECT_EQ(0, app->canvas.viewOffsetY);

    // A notch away from the user at the top does not move the view but still shows it. Scrolling
    // copies the table as the last edit drew it.
    app->doc.cellGrid(0, 0).isBox = 1;
    app->doc.cellGrid(0, 0).backColor = RGB(255, 0, 0);
    RedrawCanvas(*app);
    FillSolid(app->render.viewPicture.Dc(), RECT{0, 0, 30, 30}, RGB(0, 0, 255));
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(0, app->canvas.viewOffsetY);
    EXPECT_EQ(RGB(255, 0, 0), Shown(12, 12));
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(-15, app->canvas.viewOffsetY);
    // The table moved up with the view: the red box now starts 15 pixels higher.
    EXPECT_EQ(RGB(255, 0, 0), Shown(12, 5));
}

TEST_F(CanvasFixture, AClickAboveTheTableWithThePositiveOffsetHitsRowZero) {
    NewTable();
    app->canvas.viewOffsetY = 50;
    ClickAt(12, 40);
    EXPECT_EQ(1, Cell(0, 0).marked);
    // Further up the row is negative: off the grid, nothing is read or written.
    ClickAt(12, 10);
    EXPECT_EQ(1, Cell(0, 0).marked);
}

TEST_F(CanvasFixture, CaptureReadsTheShownPixel) {
    NewTable();
    MakeBoxes({{1, 1}});
    app->doc.cellGrid(1, 1).backColor = RGB(255, 0, 0);
    std::wstring label;
    DialogDriver answer([&](HWND dialog) {
        label = WindowText(GetDlgItem(dialog, 21003));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(21004, BN_CLICKED), 0);
    });
    ClickCell(9, 9); // any accepted click redraws the table with the red box
    SendMessageW(canvas, WM_RBUTTONDOWN, 0, MAKELPARAM(kPitch + 12, kPitch + 12));
    EXPECT_EQ(static_cast<int32_t>(RGB(255, 0, 0)), app->canvas.capturedColor);
    EXPECT_EQ(L"&&H000000FF", label); // the label doubles the ampersand to show one
    // Below the short table the paper shows.
    SendMessageW(canvas, WM_RBUTTONDOWN, 0, MAKELPARAM(500, 900));
    EXPECT_EQ(0xFFFFFF, app->canvas.capturedColor);
    EXPECT_EQ(L"&&H00FFFFFF", label);
    // After a scroll the pixel read is the one shown at the new offset: 15 pixels lower in the table.
    Wheel(-WHEEL_DELTA);
    SendMessageW(canvas, WM_RBUTTONDOWN, 0, MAKELPARAM(kPitch + 12, kPitch - 10));
    EXPECT_EQ(static_cast<int32_t>(RGB(255, 0, 0)), app->canvas.capturedColor);
    EXPECT_EQ(RGB(255, 0, 0), Shown(kPitch + 12, kPitch - 10));
}

TEST_F(CanvasFixture, EscapeThenNoKeepsTheWindowYesEndsIt) {
    MessageBoxRecorder boxes({IDNO, IDYES});
    Key(VK_ESCAPE);
    EXPECT_FALSE(app->shell.mainWindowEnded);
    Key(VK_ESCAPE);
    EXPECT_TRUE(app->shell.mainWindowEnded);
    ASSERT_EQ(2u, boxes.Shown().size());
}

TEST_F(CanvasFixture, FavouritesOpenFromTheRightButtonOnceAtATime) {
    NewTable();
    DispatchCommand(*app, 1016, 0); // right button: "My Favorite Colors"
    int guardWhileOpen = -1;
    DialogDriver getOut([&](HWND dialog) {
        guardWhileOpen = app->canvas.favouritesOpen;
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(31003, BN_CLICKED), 0);
    });
    SendMessageW(canvas, WM_RBUTTONDOWN, 0, MAKELPARAM(40, 40));
    EXPECT_EQ(1, getOut.Opened());
    EXPECT_EQ(1, guardWhileOpen);
    EXPECT_EQ(0, app->canvas.favouritesOpen);
}

// The canvas at other zooms and sizes: clicks go through the zoom, the view is drawn at scale,
// and the last cell of either 24-pixel table can be scrolled to and marked in a small window.
TEST_F(CanvasFixture, ClicksMapThroughEveryZoomAndTheMarkIsDrawnAtScale) {
    NewTable();
    for (int zoom : {50, 100, 150, 400}) {
        SetZoom(*app, zoom, 0, 0);
        ASSERT_EQ(zoom, app->render.zoomPercent);
        // The middle of cell (3, 2), and the last pixel of cell (4, 2) just before cell (5, 2).
        const int x = TableToCanvas(3 * kPitch + 12, app->canvas.viewOffsetX, zoom);
        const int y = TableToCanvas(2 * kPitch + 12, app->canvas.viewOffsetY, zoom);
        ClickAt(x, y);
        EXPECT_EQ(1, Cell(3, 2).marked) << zoom;
        EXPECT_EQ(RGB(255, 255, 0), Shown(x, y)) << zoom;
        EXPECT_EQ(4, PixelToCell(app->doc, zoom, 0, 0, (5 * kPitch * zoom - 1) / 100, 0).column) << zoom;
        EXPECT_EQ(5, PixelToCell(app->doc, zoom, 0, 0, (5 * kPitch * zoom + 99) / 100, 0).column) << zoom;
        ClickAt(x, y);
        EXPECT_EQ(0, Cell(3, 2).marked) << zoom;
    }
}

TEST_F(CanvasFixture, CtrlWheelZoomsAroundThePointerAndShiftWheelScrollsSideways) {
    NewTable();
    SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), 0);
    EXPECT_EQ(150, app->render.zoomPercent);
    SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(-15, app->canvas.viewOffsetX);
    SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 120), 0);
    SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 120), 0);
    EXPECT_EQ(0, app->canvas.viewOffsetX) << "held at the left edge";
    SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(100, app->render.zoomPercent);
    POINT middle{400, 400};
    ClientToScreen(canvas, &middle);
    SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)),
                 MAKELPARAM(middle.x, middle.y));
    EXPECT_EQ(75, app->render.zoomPercent);
    EXPECT_EQ(0, app->canvas.viewOffsetY) << "zooming out opens no paper above the table";
}

// Any mix of scroll keys, wheel notches, zoom steps about the pointer or the centre and "Whole
// chart" keeps the view on the table: never paper above row 0 or left of column 0, never far past
// the floors; a zoom about a point keeps the table pixel under it; a new grid starts at the top-left.
TEST_F(CanvasFixture, NoScrollOrZoomShowsPaperBeforeTheTable) {
    NewTable();
    MakeBoxes({{3, 3}, {9, 20}});
    std::mt19937 random(4);
    const WPARAM keys[] = {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
    for (int step = 0; step < 400; ++step) {
        const int x = int(random() % 600), y = int(random() % 600);
        const int zoom = app->render.zoomPercent;
        const int tableX = CanvasToTable(x, app->canvas.viewOffsetX, zoom);
        const int tableY = CanvasToTable(y, app->canvas.viewOffsetY, zoom);
        const int action = int(random() % 6);
        switch (action) {
        case 0:
            Key(keys[random() % 6]);
            break;
        case 1:
            Wheel(random() % 2 ? WHEEL_DELTA : -WHEEL_DELTA);
            break;
        case 2:
            SendMessageW(canvas, WM_MOUSEWHEEL,
                         MAKEWPARAM(MK_SHIFT, static_cast<WORD>(random() % 2 ? 120 : -120)), 0);
            break;
        case 3: {
            POINT at{x, y};
            ClientToScreen(canvas, &at);
            SendMessageW(canvas, WM_MOUSEWHEEL,
                         MAKEWPARAM(MK_CONTROL, static_cast<WORD>(random() % 2 ? 120 : -120)),
                         MAKELPARAM(at.x, at.y));
            break;
        }
        case 4:
            DispatchCommand(*app, kCmdFirstZoom + int(random() % 8), 0);
            break;
        default:
            DispatchCommand(*app, random() % 2 ? kCmdZoomIn : kCmdZoomOut, 0);
        }
        SCOPED_TRACE("step " + std::to_string(step) + ", action " + std::to_string(action));
        ASSERT_LE(app->canvas.viewOffsetY, 0);
        ASSERT_LE(app->canvas.viewOffsetX, 0);
        // Downwards a step is taken while the view is above its floor, so it may end less than a
        // step below it.
        ASSERT_GT(app->canvas.viewOffsetY, VerticalFloor(*app) - kPageStep);
        ASSERT_GE(app->canvas.viewOffsetX, HorizontalFloor(*app));
        // About the pointer, as long as the offsets were free to follow it.
        if (action == 3 && app->canvas.viewOffsetX < 0 && app->canvas.viewOffsetY < 0 &&
            app->canvas.viewOffsetX > HorizontalFloor(*app) &&
            app->canvas.viewOffsetY > VerticalFloor(*app)) {
            EXPECT_NEAR(tableX, CanvasToTable(x, app->canvas.viewOffsetX, app->render.zoomPercent), 2);
            EXPECT_NEAR(tableY, CanvasToTable(y, app->canvas.viewOffsetY, app->render.zoomPercent), 2);
        }
    }
    // "Whole chart" shows both boxes; a new grid starts at the top-left.
    DispatchCommand(*app, kCmdZoomWholeChart, 0);
    const SIZE view = CanvasViewSize(*app);
    for (auto [c, r] : {std::pair{3, 3}, std::pair{9, 20}})
        for (int corner = 0; corner < 2; ++corner) {
            const int tx = (c + corner) * kPitch + 2, ty = (r + corner) * kPitch + 2;
            const int cx = TableToCanvas(tx, app->canvas.viewOffsetX, app->render.zoomPercent);
            const int cy = TableToCanvas(ty, app->canvas.viewOffsetY, app->render.zoomPercent);
            EXPECT_TRUE(cx >= 0 && cx <= view.cx && cy >= 0 && cy <= view.cy) << c << "," << r;
        }
    app->canvas.viewOffsetX = HorizontalFloor(*app);
    app->canvas.viewOffsetY = VerticalFloor(*app);
    app->doc.modified = false; // as recorded: no save question
    NewTable();
    EXPECT_EQ(0, app->canvas.viewOffsetX);
    EXPECT_EQ(0, app->canvas.viewOffsetY);
}

// A connector running between two columns, on the pixel next to the cells drawn after it, shows
// all along at every zoom, shrunk or enlarged.
TEST_F(CanvasFixture, ConnectorsBetweenCellsShowAtEveryZoom) {
    NewTable();
    CellRecord& cell = app->doc.cellGrid(4, 2);
    cell.vLineOn = 1;
    cell.vLineX1 = cell.vLineX2 = cell.left - 1;
    cell.vLineY1 = cell.top;
    cell.vLineY2 = cell.top + 3 * kPitch;
    RedrawCanvas(*app, true);
    const int lineX = 4 + cell.left - 1 + 2; // as the table picture has it
    for (int zoom : {50, 75, 150, 200}) {
        SetZoom(*app, zoom, 0, 0);
        for (int row : {3, 4}) {
            const int x = TableToCanvas(lineX, app->canvas.viewOffsetX, zoom);
            const int y = TableToCanvas(row * kPitch + 12, app->canvas.viewOffsetY, zoom);
            EXPECT_TRUE(Shown(x - 1, y) == 0 || Shown(x, y) == 0 || Shown(x + 1, y) == 0)
                << zoom << " % row " << row;
        }
    }
}

TEST_F(CanvasFixture, TheLastCellOfEitherTableIsReachedInASmallWindow) {
    constexpr int kNew24Vertical = 3310;
    // A 1366 x 768 laptop at 100 % and a 1920 x 1080 screen at 150 % (1280 x 720 of its units).
    for (auto [width, height, zoom] : {std::tuple{1366, 728, 100}, std::tuple{1920, 1040, 150}}) {
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
        for (int command : {kNew24Horizontal, kNew24Vertical}) {
            {
                MessageBoxRecorder dontSave({IDNO}); // the cell marked before is a change
                DispatchCommand(*app, command, 0);
            }
            SetZoom(*app, zoom, 0, 0);
            RECT view{};
            GetClientRect(canvas, &view);
            SendMessageW(window, WM_VSCROLL, SB_BOTTOM,
                         reinterpret_cast<LPARAM>(GetDlgItem(window, kVerticalScrollBarId)));
            SendMessageW(window, WM_HSCROLL, SB_BOTTOM,
                         reinterpret_cast<LPARAM>(GetDlgItem(window, kHorizontalScrollBarId)));
            const int c = app->doc.tableColumns - 1, r = app->doc.tableRows - 1;
            const int x = TableToCanvas(c * kPitch + 12, app->canvas.viewOffsetX, zoom);
            const int y = TableToCanvas(r * kPitch + 12, app->canvas.viewOffsetY, zoom);
            EXPECT_LT(x, view.right) << command << " at " << width;
            EXPECT_LT(y, view.bottom) << command << " at " << width;
            ClickAt(x, y);
            EXPECT_EQ(1, Cell(c, r).marked) << command << " at " << width;
        }
    }
}
