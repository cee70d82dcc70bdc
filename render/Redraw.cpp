// The redraw sequences over the whole program state, and the painting of the ruler controls.
#include "render/Redraw.h"

#include "app/App.h"
#include "app/MainWindow.h"
#include "render/Renderer.h"
#include "render/Rulers.h"
#include "render/ZoomedView.h"

namespace {

void Show(HWND control, const Picture& picture) {
    if (!control || !picture) return;
    RECT client{};
    GetClientRect(control, &client);
    WindowDC dc(control);
    BitBlt(dc.Get(), 0, 0, client.right, client.bottom, picture.Dc(), 0, 0, SRCCOPY);
}

HWND Control(const App& app, int id) {
    return app.shell.mainWindow ? GetDlgItem(app.shell.mainWindow, id) : nullptr;
}

const Picture& PictureOfRuler(const App& app, HWND ruler) {
    return GetDlgCtrlID(ruler) == kHorizontalRulerId ? app.render.horizontalRulerPicture
                                                     : app.render.rulerView;
}

void PaintRuler(const App& app, HWND ruler) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(ruler, &ps);
    const Picture& picture = PictureOfRuler(app, ruler);
    if (picture) {
        BitBlt(dc, 0, 0, picture.Width(), picture.Height(), picture.Dc(), 0, 0, SRCCOPY);
    } else {
        FillSolid(dc, ps.rcPaint, kRulerBackground);
    }
    EndPaint(ruler, &ps);
}

LRESULT CALLBACK RulerProc(HWND ruler, UINT message, WPARAM wParam, LPARAM lParam) {
    App* app = AppOf(ruler);
    WNDPROC previous = app ? app->render.previousRulerProc : nullptr;
    if (!previous) return DefWindowProcW(ruler, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the whole client area is painted from the picture
    case WM_PAINT:
        PaintRuler(*app, ruler);
        return 0;
    }
    return CallWindowProcW(previous, ruler, message, wParam, lParam);
}

} // namespace

void RedrawCanvas(App& app) {
    RenderState& render = app.render;
    if (!render.tablePicture || !render.viewPicture) return;
    const Document& doc = app.doc;
    auto draw = [&](HDC dc) {
        DrawPageGuides(dc);
        DrawTable(render, doc, app.shell.characterSet, dc, doc.tableColumns, doc.tableRows, 2, 2,
                  doc.lineColor & 0xFFFFFF);
    };
    ClearToPaper(render.tablePicture, doc);
    draw(render.tablePicture.Dc());
    ComposeView(render, doc.paperColor & 0xFFFFFF, app.canvas.viewOffsetX, app.canvas.viewOffsetY, draw);
    ShowCanvas(app);
}

void RedrawVerticalRuler(App& app) {
    DrawShownVerticalRuler(app.render, app.doc, app.shell.rulerStyle, app.canvas.viewOffsetY);
    Show(Control(app, kVerticalRulerId), app.render.rulerView);
}

void RedrawRulers(App& app) {
    DrawShownHorizontalRuler(app.render, app.doc, app.shell.rulerStyle, app.canvas.viewOffsetX);
    Show(Control(app, kHorizontalRulerId), app.render.horizontalRulerPicture);
    RedrawVerticalRuler(app);
}

void ShowCanvas(App& app) {
    Show(Control(app, kCanvasId), app.render.viewPicture);
}

void InstallRulerPainters(App& app, HWND mainWindow) {
    for (int id : {kHorizontalRulerId, kVerticalRulerId}) {
        HWND ruler = GetDlgItem(mainWindow, id);
        if (!ruler) continue;
        LONG_PTR previous = SetWindowLongPtrW(ruler, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RulerProc));
        // Both rulers are static controls and share the class's window procedure.
        if (!app.render.previousRulerProc) app.render.previousRulerProc = reinterpret_cast<WNDPROC>(previous);
    }
}
