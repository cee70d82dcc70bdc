// The toolbar: its buttons, pictures, tooltips and states.
#include "app/Toolbar.h"

#include "app/App.h"
#include "app/CommandIds.h"
#include "app/CommandStates.h"
#include "render/Dpi.h"

#include <commctrl.h>

#include <array>
#include <string>

namespace {

struct ToolbarButton {
    int command; // 0 for a separator
    int picture; // index in the strip
    int tooltip; // item of the toolbar's message table
    bool mode;   // one of the left-button modes: a group of which one is pressed
};

constexpr std::array<ToolbarButton, 23> kButtons{{
    {kCmdToolbarNew, 0, 1, false},
    {kCmdReadFile, 1, 2, false},
    {kCmdRecordToChartFile, 2, 3, false},
    {0, 0, 0, false},
    {kCmdUndo, 3, 4, false},
    {kCmdRedo, 4, 5, false},
    {0, 0, 0, false},
    {kCmdCellSelector, 5, 6, true},
    {kCmdEditText, 6, 7, true},
    {kCmdInsertImage, 7, 8, true},
    {kCmdInsertIcon, 8, 9, true},
    {0, 0, 0, false},
    {kCmdCreateTable, 9, 10, false},
    {kCmdCreateLine, 10, 11, false},
    {kCmdMergeHorizontal, 11, 12, false},
    {kCmdMergeVertical, 12, 13, false},
    {kCmdBuildFromList, 13, 14, false},
    {0, 0, 0, false},
    {kCmdCopyChartPicture, 14, 15, false},
    {kCmdPrint, 15, 16, false},
    {0, 0, 0, false},
    {kCmdZoomIn, 16, 17, false},
    {kCmdZoomOut, 17, 18, false},
}};
// After the zoom steps, the whole chart.
constexpr ToolbarButton kWholeChartButton{kCmdZoomWholeChart, 18, 19, false};
constexpr int kPictureCount = 19;

HWND ToolbarOf(HWND window) {
    return window ? GetDlgItem(window, kToolbarId) : nullptr;
}

const ToolbarButton* ButtonOf(int command) {
    for (const ToolbarButton& button : kButtons)
        if (button.command == command && command != 0) return &button;
    return command == kWholeChartButton.command ? &kWholeChartButton : nullptr;
}

} // namespace

void FitToolbarToDpi(HWND window) {
    HWND toolbar = ToolbarOf(window);
    if (!toolbar) return;
    const int size = ToolbarPictureSize(WindowDpi(window));
    auto shown = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    int shownSize = 0, unused = 0;
    if (shown && ImageList_GetIconSize(shown, &shownSize, &unused) && shownSize == size) return;
    const int resource = size == 32 ? 852 : size == 24 ? 851 : 850;
    HIMAGELIST pictures = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kPictureCount, 0);
    if (auto* strip = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
        ImageList_AddMasked(pictures, strip, RGB(255, 0, 255));
        DeleteObject(strip);
    }
    // The toolbar does not own its image list: the old one goes once the new one is shown.
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
    SendMessageW(
        toolbar, TB_SETBUTTONSIZE, 0,
        MAKELPARAM(size + ScaleForDpi(7, WindowDpi(window)), size + ScaleForDpi(6, WindowDpi(window))));
    if (shown) ImageList_Destroy(shown);
}

void DestroyToolbarPictures(HWND window) {
    HWND toolbar = ToolbarOf(window);
    if (!toolbar) return;
    if (auto shown = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_SETIMAGELIST, 0, 0)))
        ImageList_Destroy(shown);
}

int ToolbarPictureSize(int dpi) {
    // The largest drawn size that is not larger than 16 pixels at the screen's scale.
    const int wanted = ScaleForDpi(16, dpi);
    return wanted >= 32 ? 32 : wanted >= 24 ? 24 : 16;
}

void CreateToolbar(App& app, HWND window) {
    // Kept loaded for the toolbar's life: its window class lives in the library.
    static HMODULE commonControls = LoadLibraryW(L"COMCTL32.DLL");
    if (!commonControls) return;
    HWND toolbar =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                            CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                        0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!toolbar) return;
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    FitToolbarToDpi(window);
    std::array<TBBUTTON, kButtons.size() + 1> buttons{};
    for (size_t i = 0; i <= kButtons.size(); ++i) {
        const ToolbarButton& b = i < kButtons.size() ? kButtons[i] : kWholeChartButton;
        TBBUTTON& t = buttons[i];
        t.idCommand = b.command;
        t.iBitmap = b.command ? b.picture : 0;
        t.fsState = TBSTATE_ENABLED;
        t.fsStyle = static_cast<BYTE>(b.command == 0 ? BTNS_SEP : b.mode ? BTNS_CHECKGROUP : BTNS_BUTTON);
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ShowToolbarStates(app);
}

int ToolbarHeight(HWND window) {
    HWND toolbar = ToolbarOf(window);
    if (!toolbar) return 0;
    const DWORD size = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    return HIWORD(size) + ScaleForDpi(4, WindowDpi(window));
}

void ShowToolbarStates(App& app) {
    HWND toolbar = ToolbarOf(app.shell.mainWindow);
    if (!toolbar) return;
    for (size_t i = 0; i <= kButtons.size(); ++i) {
        const ToolbarButton& b = i < kButtons.size() ? kButtons[i] : kWholeChartButton;
        if (b.command == 0) continue;
        // The toolbar's own commands follow the menu items they stand for.
        int command = b.command;
        if (command == kCmdToolbarNew) command = kCmdNewHorizontal16;
        if (command == kCmdZoomIn || command == kCmdZoomOut || command == kCmdZoomWholeChart)
            command = kCmdFirstZoom;
        const int state = CommandState(app.shell, app.doc, command);
        const bool enabled =
            state != kItemDisabled && (b.command != kCmdZoomWholeChart || app.doc.tablePresent);
        SendMessageW(toolbar, TB_ENABLEBUTTON, b.command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
        if (b.mode)
            SendMessageW(toolbar, TB_CHECKBUTTON, b.command,
                         MAKELPARAM(state == kItemChecked ? TRUE : FALSE, 0));
    }
}

bool OnToolbarTooltip(App& app, NMHDR* header) {
    if (header->code != TTN_GETDISPINFOW) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    const ToolbarButton* button = ButtonOf(static_cast<int>(header->idFrom));
    if (!button) return false;
    // The text must outlive the message: the toolbar copies it when the tip shows.
    static std::wstring text;
    text = Tr(app, MessageTable::Toolbar, button->tooltip);
    info->lpszText = text.data();
    info->hinst = nullptr;
    return true;
}
