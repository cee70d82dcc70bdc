// Shared pieces of the shell tests: the file-dialog recorder, a main-window fixture and readers of
// the menu bar.
#pragma once

#include "WinTestSupport.h"

#include "app/state/App.h"
#include "ui/FileDialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// What a file dialog was asked to show.
struct SeenDialog {
    bool save = false;
    HWND owner = nullptr;
    bool hasTitle = false;
    std::wstring title;
    std::vector<std::pair<std::wstring, std::wstring>> filters;
    std::wstring defaultExtension;
    std::wstring initialFolder; // empty when the system default folder is left to the dialog
    std::wstring suggestedName;
    DWORD flags = 0;
};

// While alive, every file dialog is recorded and answered from a queue of paths (an empty path, or
// an empty queue, cancels).
class FileDialogRecorder {
  public:
    explicit FileDialogRecorder(std::deque<std::wstring> answers = {});
    ~FileDialogRecorder();
    FileDialogRecorder(const FileDialogRecorder&) = delete;
    FileDialogRecorder& operator=(const FileDialogRecorder&) = delete;

    void Answer(std::wstring path) { answers_.push_back(std::move(path)); }
    const std::vector<SeenDialog>& Seen() const { return seen_; }

  private:
    std::deque<std::wstring> answers_;
    std::vector<SeenDialog> seen_;
};

// A main window on a fresh App, destroyed after the test. The language is chosen before the
// window exists.
struct MainWindowTest : testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();
    HWND window = nullptr;

    void OpenWindow(int languageIndex = 1);
    void TearDown() override;

    HMENU Bar() const { return GetMenu(window); }
    // Sends a command as the menu does (notification 0).
    void Command(int id, int notifyCode = 0);
};

// Reading the menu.
UINT ItemState(HMENU menu, int commandId);
bool IsChecked(HMENU menu, int commandId);
bool IsDisabled(HMENU menu, int commandId);
std::wstring ItemText(HMENU menu, int position);
HMENU SubMenu(HMENU menu, int position);
HBITMAP ItemPicture(HMENU menu, int position, bool checked = false);

// A scratch folder under the temporary folder, removed with its files when the test ends.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return path_; } // ends with a backslash

  private:
    std::wstring path_;
};

bool FileExistsForTest(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
