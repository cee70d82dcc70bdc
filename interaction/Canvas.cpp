// The canvas input handler: it replaces the canvas control's window procedure and passes every
// message on to the previous one after its own handling.
#include "interaction/Canvas.h"

#include "app/App.h"
#include "app/MainWindow.h"
#include "app/MessageBox.h"

namespace {

void OnKeyDown(App& app, WPARAM key) {
    if (key == VK_ESCAPE) AskExitQuestion(app);
}

LRESULT CALLBACK CanvasProc(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam) {
    App* app = AppOf(canvas);
    if (!app) return DefWindowProcW(canvas, message, wParam, lParam);
    WNDPROC previous = app->canvas.previousProc;
    switch (message) {
    case WM_GETDLGCODE:
        // The main window runs a dialog loop; the canvas wants the arrows, page keys and Escape.
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | CallWindowProcW(previous, canvas, message, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(canvas, &ps);
        ShowViewPicture(*app, canvas, dc);
        EndPaint(canvas, &ps);
        return 0;
    }
    case WM_KEYDOWN:
        OnKeyDown(*app, wParam);
        break;
    }
    return CallWindowProcW(previous, canvas, message, wParam, lParam);
}

} // namespace

void InstallCanvasHandler(App& app, HWND canvas) {
    app.canvas.previousProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(canvas, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CanvasProc)));
}

void ShowViewPicture(App& app, HWND canvas, HDC dc) {
    RECT client{};
    GetClientRect(canvas, &client);
    if (app.render.viewPicture) {
        BitBlt(dc, 0, 0, client.right, client.bottom, app.render.viewPicture.Dc(), 0, 0, SRCCOPY);
    } else {
        FillSolid(dc, client, RGB(255, 255, 255));
    }
}

void AskExitQuestion(App& app) {
    int answer = ShowMessageBox(app.shell.mainWindow, Tr(app, MessageTable::ExitQuestion),
                                Tr(app, MessageTable::Caption), MB_YESNO);
    if (answer == IDYES) EndMainWindow(app);
}
