// The message-box seam and the hook answerer used by every GUI test.
#include "WinTestSupport.h"

#include <gtest/gtest.h>

TEST(MessageBoxSeam, RecordsAndAnswersInOrder) {
    MessageBoxRecorder boxes({IDYES});
    EXPECT_EQ(IDYES, ShowMessageBox(nullptr, L"first", L"cap", MB_YESNO));
    EXPECT_EQ(IDNO, ShowMessageBox(nullptr, L"second", L"cap", MB_YESNO));
    EXPECT_EQ(IDOK, ShowMessageBox(nullptr, L"third", L"cap", MB_OK));
    ASSERT_EQ(3u, boxes.Shown().size());
    EXPECT_EQ(L"second", boxes.Shown()[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Shown()[1].type & MB_TYPEMASK);
}

TEST(DialogAnswerer, AnswersARealMessageBoxRaisedBySystemCode) {
    std::wstring seenText;
    DialogAnswerer answerer([&](HWND dialog) {
        // The static text of a message box is control 0xFFFF; read it once the box is laid out.
        PostMessageW(dialog, WM_COMMAND, IDNO, 0);
    });
    int answer = MessageBoxW(nullptr, L"Answer me", L"Test", MB_YESNO);
    EXPECT_EQ(IDNO, answer);
    EXPECT_EQ(1, answerer.Count());
}
