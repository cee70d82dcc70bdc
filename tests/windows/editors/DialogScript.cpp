// Scripts for modal dialogs, run from timers inside the dialog's own message loop.
#include "DialogScript.h"

#include "WinTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT_PTR kScriptTimer = 0x5C01;
constexpr UINT_PTR kLaterTimer = 0x5C02;
constexpr UINT_PTR kWatchdogTimer = 0x5C03;

struct ScriptRun {
    std::function<void(HWND)> script;
    HWND dialog = nullptr;
    bool started = false;
    int waits = 0;
};

ScriptRun* currentRun = nullptr;
std::function<void()> pendingStep;

void CALLBACK Watchdog(HWND dialog, UINT, UINT_PTR id, DWORD) {
    KillTimer(dialog, id);
    ADD_FAILURE() << "the dialog was still open 10 seconds after its script started";
    EndDialog(dialog, 0);
}

// True once the dialog's face can be read back from the screen: a freshly shown window reads
// black until the display has taken it.
bool ShownOnScreen(HWND dialog) {
    if (!IsWindowVisible(dialog)) return false;
    RECT client{};
    GetClientRect(dialog, &client);
    Picture shown = CaptureClient(dialog);
    return PixelAt(shown.Dc(), client.right - 2, client.bottom - 2) == GetSysColor(COLOR_BTNFACE);
}

void CALLBACK StartScript(HWND dialog, UINT, UINT_PTR id, DWORD) {
    if (!currentRun || currentRun->started) {
        KillTimer(dialog, id);
        return;
    }
    if (!ShownOnScreen(dialog) && ++currentRun->waits < 200) return; // the timer fires again
    KillTimer(dialog, id);
    currentRun->started = true;
    SetTimer(dialog, kWatchdogTimer, 10000, Watchdog);
    currentRun->script(dialog);
}

void CALLBACK RunPendingStep(HWND dialog, UINT, UINT_PTR id, DWORD) {
    KillTimer(dialog, id);
    std::function<void()> step = std::move(pendingStep);
    pendingStep = nullptr;
    if (step) step();
}

} // namespace

void RunModal(const std::function<void()>& open, const std::function<void(HWND dialog)>& script) {
    ScriptRun run{script};
    currentRun = &run;
    // The pointer is kept off the dialogs, so that only the test moves over them.
    SetCursorPos(0, 0);
    DialogAnswerer answerer([&run](HWND dialog) {
        if (run.dialog) return; // only the dialog under test
        run.dialog = dialog;
        SetTimer(dialog, kScriptTimer, 20, StartScript);
    });
    open();
    currentRun = nullptr;
    pendingStep = nullptr;
    EXPECT_TRUE(run.started) << "the dialog never became active";
}

void Later(HWND dialog, std::function<void()> next) {
    pendingStep = std::move(next);
    SetTimer(dialog, kLaterTimer, 30, RunPendingStep);
}

void Click(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void ClickPicture(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

void ChooseInCombo(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}

std::wstring ComboText(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return L"<none>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

RECT ControlRect(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool StillOpen(HWND dialog) {
    return IsWindow(dialog) && IsWindowVisible(dialog);
}

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    path_ = std::wstring(temp) + L"cuadrix-editors-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            SetFileAttributesW((path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((path_ + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

std::wstring ScratchFolder::Listing() const {
    std::wstring names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (!names.empty()) names += L"|";
        names += name;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}
