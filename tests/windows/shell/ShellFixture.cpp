// Shared pieces of the shell tests.
#include "ShellFixture.h"

#include "app/shell/MainWindow.h"

#include <filesystem>
#include <fstream>
#include <iterator>

FileDialogRecorder::FileDialogRecorder(std::deque<std::wstring> answers) : answers_(std::move(answers)) {
    SetFileDialogSeam([this](OPENFILENAMEW& request, bool save) {
        SeenDialog seen;
        seen.save = save;
        seen.owner = request.hwndOwner;
        seen.hasTitle = request.lpstrTitle != nullptr;
        if (request.lpstrTitle) seen.title = request.lpstrTitle;
        for (const wchar_t* p = request.lpstrFilter; p && *p;) {
            std::wstring name = p;
            p += name.size() + 1;
            std::wstring pattern = p;
            p += pattern.size() + 1;
            seen.filters.emplace_back(name, pattern);
        }
        if (request.lpstrDefExt) seen.defaultExtension = request.lpstrDefExt;
        if (request.lpstrInitialDir) seen.initialFolder = request.lpstrInitialDir;
        seen.suggestedName = request.lpstrFile;
        seen.flags = request.Flags;
        seen_.push_back(seen);

        std::wstring answer;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
        if (answer.empty() || answer.size() >= request.nMaxFile) return false;
        answer.copy(request.lpstrFile, answer.size());
        request.lpstrFile[answer.size()] = L'\0';
        return true;
    });
}

FileDialogRecorder::~FileDialogRecorder() {
    SetFileDialogSeam({});
}

void MainWindowTest::OpenWindow(int languageIndex) {
    app->shell.languageIndex = languageIndex;
    window = CreateMainWindowForTest(*app);
    ASSERT_NE(nullptr, window);
    PumpMessages();
}

void MainWindowTest::TearDown() {
    if (IsWindow(window)) DestroyWindow(window);
    PumpMessages();
}

void MainWindowTest::Command(int id, int notifyCode) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, notifyCode), 0);
}

UINT ItemState(HMENU menu, int commandId) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(commandId), FALSE, &info)) {
        ADD_FAILURE() << "no menu item " << commandId;
        return 0;
    }
    return info.fState;
}

bool IsChecked(HMENU menu, int commandId) {
    return (ItemState(menu, commandId) & MFS_CHECKED) != 0;
}
bool IsDisabled(HMENU menu, int commandId) {
    return (ItemState(menu, commandId) & MFS_DISABLED) != 0;
}

std::wstring ItemText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
}

HMENU SubMenu(HMENU menu, int position) {
    return GetSubMenu(menu, position);
}

HBITMAP ItemPicture(HMENU menu, int position, bool checked) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return checked ? info.hbmpChecked : info.hbmpUnchecked;
}

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    for (int n = 0;; ++n) {
        path_ = std::wstring(temp) + L"cuadrix-shell-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(n) + L"\\";
        if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
}

ScratchFolder::~ScratchFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") {
                SetFileAttributesW((path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW((path_ + name).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

bool FileExistsForTest(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
