// The flows of the page commands. The chart's pages are parked in App::chart; the page shown is
// the document every other command works on.
#include "app/commands/PageCommands.h"

#include "app/commands/EditCommands.h"
#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "document/Structure.h"
#include "interaction/TextStyle.h"
#include "render/Renderer.h"
#include "render/ViewGeometry.h"
#include "render/ZoomedView.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"

namespace {

constexpr int kNameEditId = 101;
constexpr int kNameLabelId = 102;

std::wstring PageText(const App& app, int item) {
    return Tr(app, MessageTable::Pages, item);
}

std::wstring WithName(std::wstring text, const std::wstring& name) {
    size_t at = text.find(L"%1");
    if (at != std::wstring::npos) text.replace(at, 2, name);
    return text;
}

std::wstring NumberedPageName(const App& app, int number) {
    return WithName(PageText(app, 7), std::to_wstring(number));
}

// The zoom and scroll of the page shown go with it.
void KeepView(App& app) {
    ChartPage& page = app.chart.pages[size_t(app.chart.shown)];
    page.zoomPercent = app.render.zoomPercent;
    page.viewX = app.canvas.viewOffsetX;
    page.viewY = app.canvas.viewOffsetY;
}

void TakeView(App& app) {
    const ChartPage& page = app.chart.pages[size_t(app.chart.shown)];
    app.render.zoomPercent = page.zoomPercent ? page.zoomPercent : app.canvas.defaultZoom;
    app.canvas.viewOffsetX = page.zoomPercent ? page.viewX : 0;
    app.canvas.viewOffsetY = page.zoomPercent ? page.viewY : 0;
}

// Everything on screen follows the page now shown, at the zoom it was left with; like every table
// newly shown, it is shown from its top-left corner.
Outcome PageShown(App& app) {
    TakeView(app);
    app.doc.tablePresent = true;
    app.canvas.viewOffsetX = 0;
    app.canvas.viewOffsetY = 0;
    return kShownTable | kShownView | kShownPages;
}

Outcome NextPage(App& app, int step) {
    const int count = PageCount(app.chart);
    if (count < 2) return {};
    return ShowChartPage(app, (app.chart.shown + step + count) % count);
}

Outcome NewPage(App& app, const NewPreset& preset) {
    KeepView(app);
    AddPage(app.chart, app.doc, NumberedPageName(app, PageCount(app.chart) + 1));
    const Outcome drawn = DrawNewTable(app, preset);
    app.chart.pages[size_t(app.chart.shown)].zoomPercent = 0;
    return drawn | kShownPages;
}

Outcome DeletePage(App& app) {
    if (PageCount(app.chart) < 2) return {};
    const std::wstring question = WithName(PageText(app, 8), app.chart.pages[size_t(app.chart.shown)].name);
    if (ShowMessageBox(app.shell.mainWindow, question, Tr(app, MessageTable::Caption), MB_YESNO) != IDYES)
        return {};
    DeleteShownPage(app.chart, app.doc);
    return PageShown(app);
}

Outcome MovePage(App& app, int step) {
    MoveShownPage(app.chart, step);
    return kShownPages;
}

// The page-name dialog: a label, an edit box and OK / Cancel, laid out in dialog units so that it
// scales with its font on every screen.
struct NameDialogRun {
    const App& app;
    std::wstring name;
};

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto& run = *reinterpret_cast<NameDialogRun*>(lParam);
        PlaceDialogControl(dialog, L"STATIC", PageText(run.app, 9), 0, {7, 7, 193, 17}, kNameLabelId);
        PlaceDialogControl(dialog, L"EDIT", run.name, WS_TABSTOP | ES_AUTOHSCROLL | WS_BORDER,
                           {7, 19, 193, 33}, kNameEditId, WS_EX_CLIENTEDGE);
        PlaceDialogControl(dialog, L"BUTTON", Tr(run.app, MessageTable::FileNameDialog, 3),
                           WS_TABSTOP | BS_DEFPUSHBUTTON, {89, 41, 139, 55}, IDOK);
        PlaceDialogControl(dialog, L"BUTTON", Tr(run.app, MessageTable::FileNameDialog, 4), WS_TABSTOP,
                           {143, 41, 193, 55}, IDCANCEL);
        SendDlgItemMessageW(dialog, kNameEditId, EM_SETLIMITTEXT, 120, 0);
        SendDlgItemMessageW(dialog, kNameEditId, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, kNameEditId));
        return FALSE;
    }
    auto* run = reinterpret_cast<NameDialogRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_COMMAND && run && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        wchar_t text[128] = L"";
        GetDlgItemTextW(dialog, kNameEditId, text, 128);
        run->name = text;
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

Outcome RenameShownPage(App& app) {
    NameDialogRun run{app, app.chart.pages[size_t(app.chart.shown)].name};
    std::vector<WORD> tmpl =
        BuildDialogTemplate(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                            200, 62, PageText(app, 3));
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                app.shell.mainWindow, NameDialogProc, reinterpret_cast<LPARAM>(&run)) != IDOK)
        return {};
    // Blanks around the name mean nothing; an empty name keeps the old one.
    const size_t first = run.name.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    run.name = run.name.substr(first, run.name.find_last_not_of(L' ') - first + 1);
    RenamePage(app.chart, app.chart.shown, run.name);
    return kShownPages;
}

const NewPreset* PageNewPreset(int commandId) {
    if (commandId < kCmdFirstNewPage || commandId >= kCmdFirstNewPage + 8) return nullptr;
    constexpr int presets[] = {kCmdNewHorizontal16, kCmdNewHorizontal24, kCmdNewHorizontal32,
                               kCmdNewHorizontal64, kCmdNewVertical16,   kCmdNewVertical24,
                               kCmdNewVertical32,   kCmdNewVertical64};
    return FindNewPreset(presets[commandId - kCmdFirstNewPage]);
}

} // namespace

std::optional<Outcome> RunPageCommand(App& app, int commandId) {
    if (const NewPreset* preset = PageNewPreset(commandId)) return NewPage(app, *preset);
    switch (commandId) {
    case kCmdRenamePage:
        return RenameShownPage(app);
    case kCmdDeletePage:
        return DeletePage(app);
    case kCmdMovePageLeft:
        return MovePage(app, -1);
    case kCmdMovePageRight:
        return MovePage(app, 1);
    case kCmdNextPage:
        return NextPage(app, 1);
    case kCmdPreviousPage:
        return NextPage(app, -1);
    case kCmdUndo:
        if (CanRestoreReplacedChart(app.chart, app.doc)) {
            // The chart a build replaced comes back whole, under its own file.
            app.shell.chartPath = RestoreReplacedChart(app.chart, app.doc);
            return PageShown(app);
        }
        if (!CanRestoreRemovedPage(app.chart, app.doc)) return std::nullopt;
        RestoreRemovedPage(app.chart, app.doc);
        return PageShown(app);
    case kCmdPasteCell:
        if (app.chart.copyPage < 0 || app.chart.copyPage == app.chart.shown) return std::nullopt;
        ShowEditMessage(app, PasteCellOnChart(app.chart, app.doc, app.shell.copyFlags));
        return Outcome(kShownCells);
    case kCmdCopyCell:
        // The copy is noted for the other pages; the command itself runs as always.
        if (app.doc.selectionCount == 1) NoteCellCopied(app.chart);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

Outcome ResetChartPages(App& app, const std::wstring& path) {
    std::wstring name = NumberedPageName(app, 1);
    if (!path.empty()) {
        const size_t slash = path.find_last_of(L"\\/");
        name = slash == std::wstring::npos ? path : path.substr(slash + 1);
        const size_t dot = name.find_last_of(L'.');
        if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    }
    ResetChart(app.chart, name);
    return kShownPages;
}

Outcome ShowChartPage(App& app, int index) {
    // A click on the shown tab leaves the bar as it was.
    if (index == app.chart.shown || index < 0 || index >= PageCount(app.chart)) return kShownPages;
    KeepView(app);
    ShowPage(app.chart, app.doc, index);
    return PageShown(app);
}

Outcome ShowReadChart(App& app) {
    return PageShown(app);
}

Outcome DrawNewTable(App& app, const NewPreset& preset) {
    app.render.tablePicture = Picture(kTablePictureSize, kTablePictureSize);
    ForgetDrawnTable(app.render);
    // Cleared with the paper colour of the table being replaced.
    const COLORREF paper = app.doc.paperColor & 0xFFFFFF;
    ClearToPaper(app.render.tablePicture, app.doc);
    ApplyNewPreset(app.doc, preset);
    ResetTextProperties(app.textProps);
    // The fresh grid is filled with the default background of new cells, white after the reset.
    auto draw = [&](HDC dc) {
        DrawPageGuides(dc);
        DrawNewTableGrid(dc, app.doc, preset.columns, preset.rows, kNewTableOrigin, kNewTableOrigin,
                         kGuideGridColor, RGB(255, 255, 255));
    };
    draw(app.render.tablePicture.Dc());
    ComposeView(app.render, paper, app.canvas.viewOffsetX, app.canvas.viewOffsetY, draw);
    return kShownGrid;
}
