// The "Color Caught" dialog, built in code in pixels and run modally.
#include "interaction/ColourCapture.h"

#include "interaction/Workspace.h"
#include "ui/DialogTemplate.h"
#include "interaction/DialogParts.h"

#include <cwchar>

namespace {

struct CaptureDialogRun {
    Workspace& app;
    FontHandle labelFont;
    FontHandle buttonFont;
    HWND savedFocus = nullptr;
};

void OnCreated(CaptureDialogRun& run, HWND dialog) {
    SetClientSize(dialog, kCaptureDialogWidth, kCaptureDialogHeight);
    CenterInWorkArea(dialog);
    HWND picture = CreatePictureControl(dialog, kCapturePictureId, 8, 8, 288, 88, false);
    CreateChild(dialog, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 8, 104, 288, 24, kCaptureLabelId);
    CreateChild(dialog, L"BUTTON", Tr(run.app, MessageTable::FileNameDialog, 3),
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 202, 136, 94, 24, kCaptureAcceptId);
    run.labelFont = CreateControlFont(L"MS Sans Serif", 14, true);
    run.buttonFont = CreateControlFont(L"MS Sans Serif", 10, true);
    SetControlFont(dialog, {kCaptureLabelId}, run.labelFont);
    SetControlFont(dialog, {kCaptureAcceptId}, run.buttonFont);
    SendMessageW(dialog, DM_SETDEFID, kCaptureAcceptId, 0);

    int32_t colour = run.app.canvas.capturedColor;
    FillPicture(picture, static_cast<COLORREF>(colour) & 0x00FFFFFF);
    SetDlgItemTextW(dialog, kCaptureLabelId, CapturedColourLabel(colour).c_str());
}

INT_PTR CALLBACK CaptureProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        OnCreated(*reinterpret_cast<CaptureDialogRun*>(lParam), dialog);
        SetFocus(GetDlgItem(dialog, kCaptureAcceptId));
        return FALSE;
    }
    auto* run = reinterpret_cast<CaptureDialogRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!run) return FALSE;
    switch (message) {
    case WM_COMMAND: {
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if ((id == kCaptureAcceptId || id == IDCANCEL) && (code == 0 || code == 1)) EndDialog(dialog, 0);
        return TRUE;
    }
    case WM_ACTIVATE:
        KeepFocusAcrossActivation(dialog, wParam, run->savedFocus);
        return FALSE;
    }
    return FALSE;
}

} // namespace

void ShowCapturedColor(Workspace& app) {
    CaptureDialogRun run{app};
    std::vector<WORD> tmpl = BuildDialogTemplate(kCaptureDialogStyle, kCaptureDialogExStyle, 100, 60,
                                                 Tr(app, MessageTable::ColourCaught));
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                            app.shell.mainWindow, CaptureProc, reinterpret_cast<LPARAM>(&run));
}

std::wstring CapturedColourLabel(int32_t colour) {
    wchar_t digits[16];
    swprintf(digits, 16, L"%08X", static_cast<unsigned>(colour));
    return std::wstring(L"&&H") + digits;
}
