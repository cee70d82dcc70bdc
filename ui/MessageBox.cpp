// Message boxes go through one function so that tests can answer them.
#include "ui/MessageBox.h"

#include <commctrl.h>

namespace {
MessageBoxSeam& Seam() {
    static MessageBoxSeam seam;
    return seam;
}
} // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    if (Seam()) return Seam()(owner, text, caption, type);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

int AskSaveChanges(HWND owner, const std::wstring& text, const std::wstring& caption,
                   const std::array<std::wstring, 3>& buttons) {
    constexpr UINT type = MB_YESNOCANCEL | MB_ICONWARNING;
    if (Seam()) return Seam()(owner, text, caption, type);
    // Save / Don't Save / Cancel as buttons of a task dialog where the system has one (Vista on);
    // a plain Yes / No / Cancel box otherwise.
    using TaskDialogIndirectFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
    if (HMODULE controls = GetModuleHandleW(L"comctl32.dll")) {
        auto taskDialog = reinterpret_cast<TaskDialogIndirectFunction>(
            reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")));
        if (taskDialog) {
            const TASKDIALOG_BUTTON choices[] = {
                {IDYES, buttons[0].c_str()}, {IDNO, buttons[1].c_str()}, {IDCANCEL, buttons[2].c_str()}};
            TASKDIALOGCONFIG config{};
            config.cbSize = sizeof config;
            config.hwndParent = owner;
            config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
            config.pszWindowTitle = caption.c_str();
            config.pszMainIcon = TD_WARNING_ICON;
            config.pszMainInstruction = text.c_str();
            config.cButtons = 3;
            config.pButtons = choices;
            config.nDefaultButton = IDYES;
            int chosen = 0;
            if (SUCCEEDED(taskDialog(&config, &chosen, nullptr, nullptr))) return chosen;
        }
    }
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

std::optional<int> AnswerFromSeam(HWND owner, const std::wstring& text, const std::wstring& caption,
                                  UINT type) {
    if (!Seam()) return std::nullopt;
    return Seam()(owner, text, caption, type);
}

void SetMessageBoxSeam(MessageBoxSeam seam) {
    Seam() = std::move(seam);
}
