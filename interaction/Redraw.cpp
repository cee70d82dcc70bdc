// The redraw sequences over the whole program state, and the painting of the ruler controls.
#include "interaction/Redraw.h"

#include "interaction/Workspace.h"
#include "render/Renderer.h"
#include "render/Rulers.h"
#include "render/ZoomedView.h"
#include "ui/PictureMessages.h"

#include <algorithm>

namespace {

// Each ruler control carries the workspace whose pictures it paints.
constexpr wchar_t kWorkspaceProperty[] = L"Cuadrix.RulerWorkspace";

void ShowPart(HWND control, const Picture& picture, const RECT& part) {
    if (!control || !picture || part.right <= part.left || part.bottom <= part.top) return;
    WindowDC dc(control);
    BitBlt(dc.Get(), part.left, part.top, part.right - part.left, part.bottom - part.top, picture.Dc(),
           part.left, part.top, SRCCOPY);
}

void Show(HWND control, const Picture& picture) {
    if (!control || !picture) return;
    RECT client{};
    GetClientRect(control, &client);
    ShowPart(control, picture, client);
}

HWND Control(const Workspace& app, int id) {
    return MainWindowControl(app.canvas, app.shell.mainWindow, id);
}

const Picture& PictureOfRuler(const Workspace& app, HWND ruler) {
    return GetDlgCtrlID(ruler) == kHorizontalRulerId ? app.render.horizontalRulerPicture
                                                     : app.render.rulerView;
}

void PaintRuler(Workspace& app, HWND ruler) {
    ComposeViewsIfBehind(app);
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
    Workspace* app = static_cast<Workspace*>(GetPropW(ruler, kWorkspaceProperty));
    WNDPROC previous = app ? app->render.previousRulerProc : nullptr;
    if (!previous) return DefWindowProcW(ruler, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY:
        RemovePropW(ruler, kWorkspaceProperty);
        break;
    case WM_ERASEBKGND:
        return 1; // the whole client area is painted from the picture
    case WM_PAINT:
        PaintRuler(*app, ruler);
        return 0;
    }
    return CallWindowProcW(previous, ruler, message, wParam, lParam);
}

// Everything the vertical ruler's picture depends on.
void VerticalRulerKey(const Workspace& app, int32_t (&key)[5]) {
    key[0] = app.shell.rulerStyle;
    key[1] = app.doc.tableRows;
    key[2] = app.doc.cellHeight;
    key[3] = app.doc.separation;
    key[4] = app.doc.paperColor;
}

// A scroll at the table's scale: the ruler picture goes on screen at the new offset, and the
// ruler view follows when something reads it.
void ShowVerticalRuler(Workspace& app) {
    RenderState& render = app.render;
    HWND ruler = Control(app, kVerticalRulerId);
    if (!ruler) {
        ClearToPaper(render.rulerView, app.doc);
        CopyRulerToView(render, 0, app.canvas.viewOffsetY);
        return;
    }
    RECT client{};
    GetClientRect(ruler, &client);
    WindowDC dc(ruler);
    DrawRulerViewOnto(render, dc.Get(), client.bottom, app.doc.paperColor & 0xFFFFFF, app.canvas.viewOffsetY);
    render.rulerViewBehind = true;
}

// At 100 % the table picture is copied; at other zooms the table is drawn at that scale.
void ShowTableAtOffsetInView(Workspace& app) {
    RenderState& render = app.render;
    const Document& doc = app.doc;
    if (render.zoomPercent != 100) {
        ComposeZoomedTable(render, doc, app.shell.characterSet, app.canvas.viewOffsetX, app.canvas.viewOffsetY);
        return;
    }
    ComposeView(render, doc.paperColor & 0xFFFFFF, app.canvas.viewOffsetX, app.canvas.viewOffsetY,
                [&](HDC dc) {
                    DrawPageGuides(dc);
                    DrawTable(render, doc, app.shell.characterSet, dc, doc.tableColumns, doc.tableRows, 2, 2,
                              doc.lineColor & 0xFFFFFF);
                });
}

} // namespace

void RedrawCanvas(Workspace& app, bool whole) {
    RenderState& render = app.render;
    if (!render.tablePicture || !render.viewPicture) return;
    ComposeViewsIfBehind(app);
    TableChanges changes;
    const RECT changed = UpdateTablePicture(render, app.doc, app.shell.characterSet, whole, &changes);
    // Where the view already holds the table (the picture at 100 %, or drawn at the zoom), only the
    // part that changed is copied or drawn again, and shown.
    const int x = app.canvas.viewOffsetX, y = app.canvas.viewOffsetY;
    RECT shown{};
    if (!whole && (ComposeViewPart(render, x, y, changed, shown) ||
                   (!changes.whole &&
                    RedrawZoomedViewPart(render, app.doc, app.shell.characterSet, x, y, changes.cells, shown))))
        ShowPart(Control(app, kCanvasId), render.viewPicture, shown);
    else
        ShowTableAtOffset(app);
    ReportPictureProblems(render.pictureCache, nullptr);
}

void ShowTableAtOffset(Workspace& app) {
    RenderState& render = app.render;
    if (!render.tablePicture || !render.viewPicture) return;
    ShowTableAtOffsetInView(app);
    ShowCanvas(app);
}

void ScrollTableView(Workspace& app) {
    RenderState& render = app.render;
    HWND canvas = Control(app, kCanvasId);
    if (render.zoomPercent != 100 || !canvas || !render.tablePicture || !render.viewPicture) {
        ShowTableAtOffset(app);
        return;
    }
    // Straight from the table picture: the view is composed again only when something reads it.
    RECT client{};
    GetClientRect(canvas, &client);
    WindowDC dc(canvas);
    DrawViewOnto(render, dc.Get(), client.right, client.bottom, app.doc.paperColor & 0xFFFFFF,
                 app.canvas.viewOffsetX, app.canvas.viewOffsetY);
    render.viewBehind = true;
    render.viewComposed = false;
}

void ComposeViewsIfBehind(Workspace& app) {
    RenderState& render = app.render;
    if (render.viewBehind) ShowTableAtOffsetInView(app);
    if (render.rulerViewBehind && render.rulerView && render.rulerPicture) {
        ClearToPaper(render.rulerView, app.doc);
        CopyRulerToView(render, 0, app.canvas.viewOffsetY);
        render.rulerViewBehind = false;
    }
}

void RedrawVerticalRuler(Workspace& app) {
    RenderState& render = app.render;
    DrawShownVerticalRuler(render, app.doc, app.shell.rulerStyle, app.canvas.viewOffsetY);
    // At the table's scale the ruler picture now holds the whole ruler, which a scroll copies again;
    // zoomed or on a high-DPI screen the ruler was drawn straight into the view.
    render.verticalRulerDrawn = DrawnAtTableScale(render) && render.rulerPicture && render.rulerView;
    if (render.verticalRulerDrawn) VerticalRulerKey(app, render.verticalRulerKey);
    Show(Control(app, kVerticalRulerId), render.rulerView);
}

void ScrollVerticalRuler(Workspace& app) {
    int32_t key[5];
    VerticalRulerKey(app, key);
    if (app.render.verticalRulerDrawn && DrawnAtTableScale(app.render) &&
        std::equal(key, key + 5, app.render.verticalRulerKey))
        ShowVerticalRuler(app);
    else
        RedrawVerticalRuler(app);
}

void RedrawRulers(Workspace& app) {
    DrawShownHorizontalRuler(app.render, app.doc, app.shell.rulerStyle, app.canvas.viewOffsetX);
    Show(Control(app, kHorizontalRulerId), app.render.horizontalRulerPicture);
    RedrawVerticalRuler(app);
}

RulerFrame RulerFrameOf(const Document& doc) {
    return RulerFrame{doc.tableColumns, doc.tableRows,  doc.cellWidth,
                      doc.cellHeight,   doc.separation, doc.paperColor};
}

void ShowCanvas(Workspace& app) {
    Show(Control(app, kCanvasId), app.render.viewPicture);
}

void InstallRulerPainters(Workspace& app, HWND mainWindow) {
    for (int id : {kHorizontalRulerId, kVerticalRulerId}) {
        HWND ruler = GetDlgItem(mainWindow, id);
        if (!ruler) continue;
        SetPropW(ruler, kWorkspaceProperty, &app);
        LONG_PTR previous = SetWindowLongPtrW(ruler, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RulerProc));
        // Both rulers are static controls and share the class's window procedure.
        if (!app.render.previousRulerProc) app.render.previousRulerProc = reinterpret_cast<WNDPROC>(previous);
    }
}
