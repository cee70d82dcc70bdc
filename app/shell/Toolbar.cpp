// The toolbar: its buttons, pictures, tooltips and states.
#include "app/shell/Toolbar.h"

#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "app/state/CommandStates.h"
#include "app/state/ItemState.h"
#include "render/Dpi.h"

#include <commctrl.h>

#include <array>
#include <string>

namespace {

struct ToolbarButton {
    int command;        // 0 for a separator
    int picture;        // index in the strip
    MessageTable table; // the tooltip: the text of the command's menu item, or one of the toolbar's own
    int item;
    bool mode; // one of the left-button modes: a group of which one is pressed
};

using T = MessageTable;
constexpr ToolbarButton kSeparator{0, 0, T::Toolbar, 0, false};
constexpr std::array<ToolbarButton, 24> kButtons{{
    {kCmdToolbarNew, 0, T::OperationsMenu, 2, false},
    {kCmdReadFile, 1, T::OperationsMenu, 3, false},
    {kCmdRecordToChartFile, 2, T::OperationsMenu, 5, false},
    kSeparator,
    {kCmdUndo, 3, T::EditMenu, 6, false},
    {kCmdRedo, 4, T::EditMenu, 7, false},
    kSeparator,
    {kCmdCellSelector, 5, T::MouseMenu, 3, true},
    {kCmdEditText, 6, T::MouseMenu, 4, true},
    {kCmdInsertImage, 7, T::MouseMenu, 5, true},
    {kCmdInsertIcon, 8, T::MouseMenu, 9, true},
    kSeparator,
    {kCmdCreateTable, 9, T::Chart, 2, false},
    {kCmdCreateLine, 10, T::Chart, 3, false},
    {kCmdMergeHorizontal, 11, T::TableMenu, 2, false},
    {kCmdMergeVertical, 12, T::TableMenu, 3, false},
    {kCmdBuildFromList, 13, T::Chart, 4, false},
    kSeparator,
    {kCmdCopyChartPicture, 14, T::VectorPicture, 6, false},
    {kCmdPrint, 15, T::Printing, 1, false},
    kSeparator,
    {kCmdZoomIn, 16, T::Toolbar, 1, false},
    {kCmdZoomOut, 17, T::Toolbar, 2, false},
    {kCmdZoomWholeChart, 18, T::ZoomMenu, 3, false},
}};
constexpr int kPictureCount = 19;

HWND ToolbarOf(HWND window) {
    return window ? GetDlgItem(window, kToolbarId) : nullptr;
}

const ToolbarButton* ButtonOf(int command) {
    for (const ToolbarButton& button : kButtons)
        if (button.command == command && command != 0) return &button;
    return nullptr;
}

// A menu item's text as a tooltip: without its shortcut and its ellipsis.
std::wstring TooltipText(std::wstring text) {
    text = text.substr(0, text.find(L'\t'));
    for (const std::wstring ending : {L"\u2026", L"..."})
        if (text.size() >= ending.size() &&
            text.compare(text.size() - ending.size(), ending.size(), ending) == 0)
            text.resize(text.size() - ending.size());
    return text;
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
    std::array<TBBUTTON, kButtons.size()> buttons{};
    for (size_t i = 0; i < kButtons.size(); ++i) {
        const ToolbarButton& b = kButtons[i];
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
    for (const ToolbarButton& b : kButtons) {
        if (b.command == 0) continue;
        // The toolbar's own commands follow the menu items they stand for.
        int command = b.command;
        if (command == kCmdToolbarNew) command = kCmdNewHorizontal16;
        if (command == kCmdZoomIn || command == kCmdZoomOut) command = kCmdFirstZoom;
        const int state = ItemState(app, command);
        const bool enabled = state != kItemDisabled;
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
    text = TooltipText(Tr(app, button->table, button->item));
    info->lpszText = text.data();
    info->hinst = nullptr;
    return true;
}
