// Edit > Find…: the small dialog that asks what to find, and showing the box found.
#include "app/commands/FindCommand.h"

#include "app/commands/PageCommands.h"
#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "document/ChartFind.h"
#include "document/Selection.h"
#include "interaction/CanvasView.h"
#include "render/ViewGeometry.h"
#include "ui/DialogTemplate.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kFindLabelId = 1101;
constexpr int kFindEditId = 1102;

std::wstring FindText(const App& app, int item) {
    return Tr(app, MessageTable::FindBox, item);
}

struct FindDialogRun {
    const App& app;
    std::wstring what;
};

INT_PTR CALLBACK FindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto& run = *reinterpret_cast<FindDialogRun*>(lParam);
        PlaceDialogControl(dialog, L"STATIC", FindText(run.app, 2), 0, {7, 7, 213, 17}, kFindLabelId);
        PlaceDialogControl(dialog, L"EDIT", run.what, WS_TABSTOP | ES_AUTOHSCROLL | WS_BORDER,
                           {7, 19, 213, 33}, kFindEditId, WS_EX_CLIENTEDGE);
        PlaceDialogControl(dialog, L"BUTTON", FindText(run.app, 3), WS_TABSTOP | BS_DEFPUSHBUTTON,
                           {97, 41, 157, 55}, IDOK);
        PlaceDialogControl(dialog, L"BUTTON", FindText(run.app, 4), WS_TABSTOP, {161, 41, 213, 55}, IDCANCEL);
        SendDlgItemMessageW(dialog, kFindEditId, EM_SETLIMITTEXT, 120, 0);
        SendDlgItemMessageW(dialog, kFindEditId, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, kFindEditId));
        return FALSE;
    }
    auto* run = reinterpret_cast<FindDialogRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_COMMAND && run && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        wchar_t text[128] = L"";
        GetDlgItemTextW(dialog, kFindEditId, text, 128);
        run->what = text;
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

bool AskWhatToFind(App& app) {
    FindDialogRun run{app, app.findText};
    std::vector<WORD> tmpl =
        BuildDialogTemplate(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                            220, 62, FindText(app, 6));
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                app.shell.mainWindow, FindDialogProc, reinterpret_cast<LPARAM>(&run)) != IDOK)
        return false;
    app.findText = run.what;
    return !run.what.empty();
}

// The offset along one axis that puts [start, end) of the table in the middle of a view `length`
// pixels long, unless it is in view already.
int32_t OffsetShowing(int start, int end, int32_t offset, int length, int zoom) {
    const int first = TableToCanvas(start, offset, zoom), last = TableToCanvas(end, offset, zoom);
    if (first >= 0 && last <= length) return offset;
    return length / 2 - ZoomedLength((start + end) / 2, zoom);
}

Outcome ShowFound(App& app, const ChartPlace& place) {
    Outcome outcome = kShownCells | kShownView | kShownRulers;
    if (place.page != app.chart.shown) outcome = ShowChartPage(app, place.page);
    Document& doc = app.doc;
    DeselectAll(doc);
    ClearSelection(doc);
    CellRecord& cell = doc.cellGrid(place.column, place.row);
    ContinueSelection(doc, place.column, place.row);
    if (cell.isBox == 1 && cell.cancelled == 0) cell.selected = 1;
    const SIZE view = CanvasViewSize(app);
    const int zoom = app.render.zoomPercent;
    const int32_t x = OffsetShowing(cell.left, cell.right, app.canvas.viewOffsetX, view.cx, zoom);
    const int32_t y = OffsetShowing(cell.top, cell.bottom, app.canvas.viewOffsetY, view.cy, zoom);
    app.canvas.viewOffsetX = std::clamp(x, HorizontalFloor(app), 0);
    app.canvas.viewOffsetY = std::clamp(y, std::min(VerticalFloor(app), 0), 0);
    return outcome;
}

Outcome FindFromSelection(App& app, bool backwards) {
    if (app.findText.empty() && !AskWhatToFind(app)) return {};
    const Document& doc = app.doc;
    // The search goes on from the box selected (the one found last), else from the page's edge.
    ChartPlace from{app.chart.shown, -1, -1};
    if (doc.selectionCount > 0 && InTable(doc, doc.selectionColumn, doc.selectionRow))
        from = {app.chart.shown, doc.selectionColumn, doc.selectionRow};
    const std::u16string what(app.findText.begin(), app.findText.end());
    ChartPlace found;
    if (!FindInChart(app.chart, app.doc, what, from, backwards, found)) {
        app.statusNote = FindText(app, 5);
        app.statusNote.replace(app.statusNote.find(L"%1"), 2, app.findText);
        return {};
    }
    return ShowFound(app, found);
}

} // namespace

std::optional<Outcome> RunFindCommand(App& app, int commandId) {
    switch (commandId) {
    case kCmdFind:
        if (!AskWhatToFind(app)) return Outcome();
        return FindFromSelection(app, false);
    case kCmdFindNext:
        return FindFromSelection(app, false);
    case kCmdFindPrevious:
        return FindFromSelection(app, true);
    }
    return std::nullopt;
}
