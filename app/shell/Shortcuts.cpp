// The accelerator table and the message filter that applies it inside the dialog loop.
#include "app/shell/Shortcuts.h"

#include "app/state/CommandIds.h"

namespace {

struct Shortcuts {
    HWND window = nullptr;
    HACCEL table = nullptr;
    HHOOK hook = nullptr;
};

Shortcuts& Installed() {
    static Shortcuts shortcuts;
    return shortcuts;
}

// The dialog loop hands every message to the filter (MSGF_DIALOGBOX) before its own keyboard
// handling; a translated key is taken out of the loop.
LRESULT CALLBACK FilterKeys(int code, WPARAM wParam, LPARAM lParam) {
    Shortcuts& s = Installed();
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg && s.window &&
        (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->hwnd &&
        GetAncestor(msg->hwnd, GA_ROOT) == s.window && TranslateAcceleratorW(s.window, s.table, msg))
        return TRUE;
    return CallNextHookEx(s.hook, code, wParam, lParam);
}

} // namespace

void InstallShortcuts(HWND mainWindow) {
    RemoveShortcuts(Installed().window);
    constexpr BYTE ctrl = FVIRTKEY | FCONTROL;
    ACCEL keys[] = {
        {ctrl, 'Z', kCmdUndo},
        {ctrl, 'Y', kCmdRedo},
        {ctrl, 'C', kCmdCopyCell},
        {ctrl | FSHIFT, 'C', kCmdCopyChartPicture},
        {ctrl, 'V', kCmdPasteCell},
        {FVIRTKEY, VK_DELETE, kCmdClearCell},
        {ctrl, 'A', kCmdSelectAll},
        {ctrl, 'O', kCmdReadFile},
        {ctrl, 'S', kCmdRecordToChartFile},
        {ctrl, 'P', kCmdPrint},
        {ctrl, VK_NEXT, kCmdNextPage},
        {ctrl, VK_PRIOR, kCmdPreviousPage},
        {ctrl, 'F', kCmdFind},
        {FVIRTKEY, VK_F3, kCmdFindNext},
        {FVIRTKEY | FSHIFT, VK_F3, kCmdFindPrevious},
    };
    Shortcuts& s = Installed();
    s.table = CreateAcceleratorTableW(keys, int(std::size(keys)));
    s.hook = SetWindowsHookExW(WH_MSGFILTER, FilterKeys, nullptr, GetCurrentThreadId());
    s.window = mainWindow;
}

void RemoveShortcuts(HWND mainWindow) {
    Shortcuts& s = Installed();
    if (s.window != mainWindow) return;
    if (s.hook) UnhookWindowsHookEx(s.hook);
    if (s.table) DestroyAcceleratorTable(s.table);
    s = {};
}
