// The one way the program shows a message box. Tests replace it through the seam to read what was
// shown and to answer it.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

using MessageBoxSeam =
    std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)>;

// Shows the box (or asks the seam) and returns the button chosen (IDOK, IDYES, IDNO ...).
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// The save question: Save, Don't Save and Cancel (the texts given, in that order) answer IDYES,
// IDNO and IDCANCEL. A seam sees it as a Yes / No / Cancel box.
int AskSaveChanges(HWND owner, const std::wstring& text, const std::wstring& caption,
                   const std::array<std::wstring, 3>& buttons);

// The answer of the installed seam to a question of this type, or nothing when there is no seam and
// the real dialog is to be shown (for questions that are shown otherwise than as a message box).
std::optional<int> AnswerFromSeam(HWND owner, const std::wstring& text, const std::wstring& caption,
                                  UINT type);

// Installs a seam; an empty one puts the real message box back.
void SetMessageBoxSeam(MessageBoxSeam seam);
