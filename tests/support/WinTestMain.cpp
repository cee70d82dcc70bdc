// Main of the Windows test executables: common controls and GDI+ are started as the program does.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include "WinTestSupport.h"

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, 0x9FF};
    InitCommonControlsEx(&icc);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    InstallUnattendedSeam();
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    Gdiplus::GdiplusShutdown(token);
    return result;
}
