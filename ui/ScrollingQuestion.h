// A yes-or-no question whose text may be taller than the screen: the first-start offer speaks all
// six languages at once, which no message box shows whole on a small screen at a large scale.
#pragma once

#include <windows.h>

#include <string>

constexpr int kScrollingQuestionTextId = 101;

// Shows the text above Yes and No (the texts given, mnemonics included) in a dialog as large as its
// text where the work area allows; where it does not, the text scrolls and the buttons stay on the
// screen. Returns IDYES or IDNO (closing the dialog answers No). A message-box seam sees it as a
// Yes / No box.
int AskYesNoScrolling(HWND owner, const std::wstring& text, const std::wstring& caption,
                      const std::wstring& yes, const std::wstring& no);
