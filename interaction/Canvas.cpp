// The canvas input handler: it replaces the canvas control's window procedure, turns buttons,
// keys and the wheel into document changes and scrolling, and passes every message on to the
// previous procedure after its own handling.
#include "interaction/Canvas.h"

#include "interaction/Workspace.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"
#include "document/CellEdit.h"
#include "document/Selection.h"
#include "render/AnsiText.h"
#include "interaction/CanvasView.h"
#include "interaction/ColourCapture.h"
#include "interaction/Favourites.h"
#include "interaction/TextProperties.h"
#include "interaction/Redraw.h"
#include "render/Renderer.h"
#include "render/ViewGeometry.h"

#include <algorithm>
#include <string>

namespace {

// The canvas control carries the workspace it edits.
constexpr wchar_t kWorkspaceProperty[] = L"Cuadrix.CanvasWorkspace";

bool IsFreeBox(const CellRecord& cell) {
    return cell.isBox == 1 && cell.covered == 0 && cell.cancelled == 0;
}

// Left mode 2: the cell's fields go into the text-properties buffer and come back on Accept.
void EditCellText(Workspace& app, int column, int row) {
    if (!InTable(app.doc, column, row)) return;
    CellRecord& cell = app.doc.cellGrid(column, row);
    if (!IsFreeBox(cell) || app.canvas.textDialogOpen != 0) return;
    LoadTextPropertiesFromCell(cell, app.textProps);
    app.canvas.textDialogOpen = 1;
    EditTextProperties(app);
    if (app.textProps.dialogAccepted == 1) {
        CellRecord edited = cell;
        StoreTextPropertiesInCell(app.textProps, edited);
        if (ReplaceCellRecord(app.doc, column, row, edited)) RedrawCanvas(app);
    }
    app.canvas.textDialogOpen = 0;
}

// Left mode 3: a picture for a chart box; the former background is kept behind the "|" so the
// picture's transparent parts show it.
void InsertImage(Workspace& app, int column, int row) {
    const CellRecord& cell = app.doc.cellGrid(column, row);
    if (cell.isBox != 1) return;
    app.canvas.picturePath = PictureDialog(app.shell, app.shell.mainWindow, app.canvas.picturePath);
    if (app.canvas.picturePath.empty()) return;
    CellRecord edited = cell;
    AssignField(edited.imageSpec, WideToAnsi(app.canvas.picturePath) + "|" + std::to_string(cell.backColor));
    edited.backColor = kNoColor;
    if (ReplaceCellRecord(app.doc, column, row, edited)) RedrawCanvas(app);
}

// Left mode 4: an icon for any grid position.
void InsertIcon(Workspace& app, int column, int row) {
    app.canvas.iconPath = IconDialog(app.shell, app.shell.mainWindow, app.canvas.iconPath);
    if (app.canvas.iconPath.empty()) return;
    CellRecord edited = app.doc.cellGrid(column, row);
    AssignField(edited.iconPath, WideToAnsi(app.canvas.iconPath));
    if (ReplaceCellRecord(app.doc, column, row, edited)) RedrawCanvas(app);
}

// A step up stops at row 0: no paper is ever shown above the table.
void ScrollBy(Workspace& app, int32_t step) {
    app.canvas.viewOffsetY = std::min(app.canvas.viewOffsetY + step, 0);
}

void AfterScroll(Workspace& app) {
    AfterViewMoved(app, false);
}

// Ctrl with plus, minus or 0 (main keyboard or keypad) zooms around the canvas's centre.
bool ZoomKey(Workspace& app, WPARAM key) {
    if (GetKeyState(VK_CONTROL) >= 0) return false;
    const SIZE view = CanvasViewSize(app);
    int zoom = 0;
    if (key == VK_OEM_PLUS || key == VK_ADD)
        zoom = NextZoomStep(app.render.zoomPercent, 1);
    else if (key == VK_OEM_MINUS || key == VK_SUBTRACT)
        zoom = NextZoomStep(app.render.zoomPercent, -1);
    else if (key == '0' || key == VK_NUMPAD0)
        zoom = app.canvas.defaultZoom;
    else
        return false;
    SetZoom(app, zoom, view.cx / 2, view.cy / 2);
    return true;
}

int ClientX(LPARAM lParam) {
    return LOWORD(lParam);
}
int ClientY(LPARAM lParam) {
    return HIWORD(lParam);
}

LRESULT CALLBACK CanvasProc(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam) {
    Workspace* app = static_cast<Workspace*>(GetPropW(canvas, kWorkspaceProperty));
    if (!app) return DefWindowProcW(canvas, message, wParam, lParam);
    WNDPROC previous = app->canvas.previousProc;
    switch (message) {
    case WM_NCDESTROY:
        RemovePropW(canvas, kWorkspaceProperty);
        break;
    case WM_SETFOCUS:
        app->canvas.focused = true;
        break;
    case WM_KILLFOCUS:
        app->canvas.focused = false;
        break;
    case WM_GETDLGCODE:
        // The main window runs a dialog loop; the canvas wants the arrows, page keys and Escape.
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS |
               CallWindowProcW(previous, canvas, message, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(canvas, &ps);
        ShowViewPicture(*app, canvas, dc);
        EndPaint(canvas, &ps);
        return 0;
    }
    // The static control's class asks for double-clicks, so the second of two quick presses
    // arrives as a double-click; it is a press like any other.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnCanvasLeftDown(*app, ClientX(lParam), ClientY(lParam));
        if (app->chartEdited) app->chartEdited();
        break;
    case WM_LBUTTONUP:
        OnCanvasLeftUp(*app);
        break;
    case WM_MOUSEMOVE:
        OnCanvasPointerMove(*app, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_MOUSELEAVE:
        OnCanvasPointerMove(*app, -1, -1);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        OnCanvasRightDown(*app, ClientX(lParam), ClientY(lParam));
        break;
    case WM_KEYDOWN:
        OnCanvasKeyDown(*app, wParam);
        break;
    case WM_MOUSEWHEEL: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(canvas, &at);
        OnCanvasWheel(*app, wParam, at.x, at.y);
        break;
    }
    }
    return CallWindowProcW(previous, canvas, message, wParam, lParam);
}

} // namespace

HWND MainWindowControl(const CanvasState& canvas, HWND mainWindow, int id) {
    if (!mainWindow) return nullptr;
    if (canvas.controlsOf != mainWindow) {
        canvas.controlsOf = mainWindow;
        for (CanvasState::FoundControl& found : canvas.controls)
            found = {};
    }
    for (CanvasState::FoundControl& found : canvas.controls) {
        if (found.id == id) return found.window;
        if (found.id == 0) {
            HWND window = GetDlgItem(mainWindow, id);
            if (window) found = {id, window};
            return window;
        }
    }
    return GetDlgItem(mainWindow, id);
}

GridHit PixelToCell(const Document& doc, int32_t viewOffsetY, int x, int y) {
    return PixelToCell(doc, 100, 0, viewOffsetY, x, y);
}

GridHit PixelToCell(const Document& doc, int zoomPercent, int32_t viewOffsetX, int32_t viewOffsetY, int x,
                    int y) {
    int pitchX = doc.cellWidth + doc.separation;
    int pitchY = doc.cellHeight + doc.separation;
    if (pitchX <= 0 || pitchY <= 0) return {-1, -1};
    return {CanvasToTable(x, viewOffsetX, zoomPercent) / pitchX,
            CanvasToTable(y, viewOffsetY, zoomPercent) / pitchY};
}

void OnCanvasLeftDown(Workspace& app, int x, int y) {
    if (app.canvas.canvasActive == 0) return;
    GridHit hit =
        PixelToCell(app.doc, app.render.zoomPercent, app.canvas.viewOffsetX, app.canvas.viewOffsetY, x, y);
    // Positions off the grid (far right, or above the table with a positive view offset) are
    // neither read nor written.
    if (!InGrid(hit.column, hit.row)) return;
    switch (app.shell.leftMouseMode) {
    case 1:
        if (CellSelectorClick(app.doc, hit.column, hit.row)) RedrawCanvas(app);
        break;
    case 2:
        EditCellText(app, hit.column, hit.row);
        break;
    case 3:
        InsertImage(app, hit.column, hit.row);
        break;
    case 4:
        InsertIcon(app, hit.column, hit.row);
        break;
    }
}

void OnCanvasPointerMove(Workspace& app, int x, int y) {
    GridHit hit{-1, -1};
    if (x >= 0 && y >= 0) {
        hit = PixelToCell(app.doc, app.render.zoomPercent, app.canvas.viewOffsetX, app.canvas.viewOffsetY, x,
                          y);
        // Told when the pointer leaves, so the cell does not stay shown.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE,
                              MainWindowControl(app.canvas, app.shell.mainWindow, kCanvasId), 0};
        if (track.hwndTrack) TrackMouseEvent(&track);
    }
    if (!InTable(app.doc, hit.column, hit.row)) hit = {-1, -1};
    if (hit.column == app.canvas.pointerColumn && hit.row == app.canvas.pointerRow) return;
    app.canvas.pointerColumn = hit.column;
    app.canvas.pointerRow = hit.row;
    if (app.viewChanged) app.viewChanged();
}

void OnCanvasLeftUp(Workspace&) {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void OnCanvasRightDown(Workspace& app, int x, int y) {
    if (app.canvas.canvasActive == 0) return;
    if (app.shell.rightMouseMode == 1) {
        // The shown picture is already shifted by the view offset: read it as received.
        if (!app.render.viewPicture) return;
        ComposeViewsIfBehind(app);
        COLORREF colour = GetPixel(app.render.viewPicture.Dc(), x, y);
        if (colour == CLR_INVALID) return;
        app.canvas.capturedColor = static_cast<int32_t>(colour);
        ShowCapturedColor(app);
    } else if (app.shell.rightMouseMode == 2 && app.canvas.favouritesOpen == 0) {
        app.canvas.favouritesOpen = 1;
        ShowFavourites(app);
        app.canvas.favouritesOpen = 0;
    }
}

void OnCanvasKeyDown(Workspace& app, WPARAM key) {
    if (ZoomKey(app, key)) return;
    int32_t& offset = app.canvas.viewOffsetY;
    // Half the table picture, further where the view is shorter than the zoomed picture needs.
    const int32_t floor = VerticalFloor(app);
    // The condition is tested before the step; a step up stops at the table's top.
    switch (key) {
    case VK_DOWN:
        if (offset <= floor) return;
        ScrollBy(app, -kArrowStep);
        break;
    case VK_UP:
        if (offset >= 0) return;
        ScrollBy(app, kArrowStep);
        break;
    case VK_NEXT:
        if (offset <= floor) return;
        ScrollBy(app, -kPageStep);
        break;
    case VK_PRIOR:
        if (offset >= 0) return;
        ScrollBy(app, kPageStep);
        break;
    case VK_END:
        offset = floor;
        break;
    case VK_HOME:
        offset = 0;
        break;
    case VK_ESCAPE:
        AskExitQuestion(app);
        return;
    default:
        return;
    }
    AfterScroll(app);
}

void OnCanvasWheel(Workspace& app, WPARAM wParam, int x, int y) {
    unsigned delta = HIWORD(wParam);
    int32_t step = delta > 0x8000 ? -kWheelStep : kWheelStep;
    if (LOWORD(wParam) & MK_CONTROL) {
        ZoomByWheel(app, step > 0 ? 1 : -1, x, y);
        return;
    }
    if (LOWORD(wParam) & MK_SHIFT) {
        ScrollHorizontallyTo(app, app.canvas.viewOffsetX + step);
        return;
    }
    int32_t& offset = app.canvas.viewOffsetY;
    if ((step < 0 && offset > VerticalFloor(app)) || (step > 0 && offset < 0)) ScrollBy(app, step);
    AfterScroll(app);
}

void InstallCanvasHandler(Workspace& app, HWND canvas) {
    SetPropW(canvas, kWorkspaceProperty, &app);
    app.canvas.previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(canvas, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CanvasProc)));
}

void ShowViewPicture(Workspace& app, HWND canvas, HDC dc) {
    ComposeViewsIfBehind(app);
    RECT client{};
    GetClientRect(canvas, &client);
    if (app.render.viewPicture) {
        BitBlt(dc, 0, 0, client.right, client.bottom, app.render.viewPicture.Dc(), 0, 0, SRCCOPY);
    } else {
        FillSolid(dc, client, RGB(255, 255, 255));
    }
}

void AskExitQuestion(Workspace& app) {
    // With unrecorded changes the program asks whether to save them instead.
    if (app.doc.modified && app.endWithChanges) {
        app.endWithChanges();
        return;
    }
    int answer = ShowMessageBox(app.shell.mainWindow, Tr(app, MessageTable::ExitQuestion),
                                Tr(app, MessageTable::Caption), MB_YESNO);
    if (answer == IDYES) EndMainWindow(app.shell);
}
