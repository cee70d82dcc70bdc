// Driving the program's modal dialogs from a test: once the dialog is shown, a script runs inside
// its own message loop and works it with messages; later steps run after posted input is handled.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Calls open() (which runs a modal dialog) and hands the dialog to script once it is active. The
// script must end the dialog, at once or through later steps; a dialog still open 10 seconds
// after the script started is ended and the test fails.
void RunModal(const std::function<void()>& open, const std::function<void(HWND dialog)>& script);

// Runs next from the dialog's loop once the input posted so far has been handled.
void Later(HWND dialog, std::function<void()> next);

// A button click as the user makes it (auto check boxes and options change their state).
void Click(HWND dialog, int id);

// A left click on a control that reports clicks (a picture).
void ClickPicture(HWND dialog, int id);

// Selects entry index of a combo box and ends the selection with that choice.
void ChooseInCombo(HWND dialog, int id, int index);

// Text of a combo box entry.
std::wstring ComboText(HWND dialog, int id, int index);

// Position and size of a control in its dialog's client pixels.
RECT ControlRect(HWND dialog, int id);

// True while a dialog has not been ended.
bool StillOpen(HWND dialog);

// A fresh empty folder under the temporary folder, ending with a backslash; removed with its files.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    // Names of the files in the folder.
    std::wstring Listing() const;

  private:
    std::wstring path_;
};
