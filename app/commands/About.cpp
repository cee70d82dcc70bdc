// The about box: built in code, its icon cycling through the seven animation frames every 100 ms,
// with the program's name and version from its own version resource.
#include "app/commands/About.h"

#include "app/state/App.h"
#include "ui/DialogTemplate.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr DWORD kAboutStyle = 0x80C000D4;
constexpr short kAboutWidth = 201; // dialog units, client area
constexpr short kAboutHeight = 121;
constexpr UINT kFramePeriod = 100;

struct AboutBox {
    App& app;
    int16_t frame = kAboutFirstFrame;
    FontHandle labelFont;
    FontHandle buttonFont;
    HWND savedFocus = nullptr;
};

AboutBox* BoxOf(HWND dialog) {
    return reinterpret_cast<AboutBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HICON FrameIcon(int frame) {
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(frame));
}

FontHandle BoldFont(HWND window, int points) {
    WindowDC dc(window);
    int height = -MulDiv(points, GetDeviceCaps(dc.Get(), LOGPIXELSY), 72);
    return FontHandle(CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
}

// A text of the program's own version resource in its first language, empty when missing.
std::wstring VersionText(const std::vector<BYTE>& block, const wchar_t* name) {
    void* data = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &data, &length) || length < 4) return {};
    auto language = static_cast<const WORD*>(data);
    wchar_t path[64];
    swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", language[0], language[1], name);
    if (!VerQueryValueW(block.data(), path, &data, &length) || length == 0) return {};
    return static_cast<const wchar_t*>(data);
}

} // namespace

// "Cuadrix 1.0.0": the product name and version the file's properties show, read from the same
// resource so the two never disagree.
std::wstring VersionLine() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    auto bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!bytes) return {};
    // The query may write into the block: it works on a copy, never on the mapped image.
    std::vector<BYTE> block(bytes, bytes + SizeofResource(module, found));
    std::wstring name = VersionText(block, L"ProductName");
    std::wstring version = VersionText(block, L"ProductVersion");
    return name.empty() || version.empty() ? name + version : name + L" " + version;
}

namespace {

// A control placed in dialog units.
HWND AddControl(HWND dialog, const wchar_t* className, const std::wstring& text, DWORD style, int x, int y,
                int width, int height, int id) {
    RECT r{x, y, x + width, y + height};
    MapDialogRect(dialog, &r);
    return CreateChild(dialog, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                       r.right - r.left, r.bottom - r.top, id);
}

void OnInitDialog(AboutBox& box, HWND dialog) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&box));
    CenterInWorkArea(dialog);
    HWND icon = AddControl(dialog, L"STATIC", L"", SS_ICON, 5, 5, 30, 30, kAboutIconId);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(FrameIcon(kAboutFirstFrame)), 0);
    HWND thanks = AddControl(dialog, L"STATIC", Tr(box.app, MessageTable::About, 1), SS_LEFT, 40, 10, 155, 25,
                             kAboutThanksId);
    HWND invitation = AddControl(dialog, L"STATIC", Tr(box.app, MessageTable::About, 2), SS_LEFT, 5, 50, 190,
                                 40, kAboutInvitationId);
    HWND close = AddControl(dialog, L"BUTTON", Wide(FixedInterfaceText(FixedText::AboutButton)),
                            WS_TABSTOP | BS_PUSHBUTTON, 5, 100, 50, 15, kAboutCloseId);
    HWND version = AddControl(dialog, L"STATIC", VersionLine(), SS_RIGHT | SS_NOPREFIX, 60, 104, 136, 10,
                              kAboutVersionId);
    box.labelFont = BoldFont(dialog, 10);
    box.buttonFont = BoldFont(dialog, 14);
    SendMessageW(thanks, WM_SETFONT, reinterpret_cast<WPARAM>(box.labelFont.Get()), FALSE);
    SendMessageW(invitation, WM_SETFONT, reinterpret_cast<WPARAM>(box.labelFont.Get()), FALSE);
    SendMessageW(close, WM_SETFONT, reinterpret_cast<WPARAM>(box.buttonFont.Get()), FALSE);
    // The version is small print: the shell's own face, a stock font nobody deletes.
    SendMessageW(version, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetTimer(dialog, kAboutTimerId, kFramePeriod, nullptr);
    box.frame = kAboutFirstFrame;
}

void OnActivate(AboutBox& box, HWND dialog, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) box.savedFocus = focus;
    } else if (box.savedFocus) {
        SetFocus(box.savedFocus);
        box.savedFocus = nullptr;
    }
}

void OnTimer(AboutBox& box, HWND dialog) {
    SendDlgItemMessageW(dialog, kAboutIconId, STM_SETICON, reinterpret_cast<WPARAM>(FrameIcon(box.frame)), 0);
    box.frame = box.frame >= kAboutLastFrame ? kAboutFirstFrame : static_cast<int16_t>(box.frame + 1);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        OnInitDialog(*reinterpret_cast<AboutBox*>(lParam), dialog);
        return TRUE;
    }
    AboutBox* box = BoxOf(dialog);
    if (!box) return FALSE;
    switch (message) {
    case WM_ACTIVATE:
        OnActivate(*box, dialog, wParam);
        break;
    case WM_TIMER:
        if (wParam == kAboutTimerId) OnTimer(*box, dialog);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == kAboutCloseId && HIWORD(wParam) <= 1) EndDialog(dialog, 0);
        break;
    case WM_DESTROY:
        KillTimer(dialog, kAboutTimerId);
        break;
    }
    return FALSE;
}

} // namespace

void ShowAbout(App& app) {
    AboutBox box{app};
    std::vector<WORD> tmpl = BuildDialogTemplate(kAboutStyle, 0, kAboutWidth, kAboutHeight,
                                                 Tr(app, MessageTable::OperationsMenu, 9));
    // No owner: the main window is not disabled while the box is open.
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                            nullptr, AboutProc, reinterpret_cast<LPARAM>(&box));
    // The fonts are released with the box, after its window is gone.
}
