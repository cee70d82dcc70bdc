// One line of a conversion to the standard output or error, wherever the program was started from.
#include "app/commands/ConsoleLines.h"

#include <windows.h>

namespace {

bool Usable(HANDLE handle) {
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

void WriteLine(DWORD which, const std::wstring& line) {
    const std::wstring text = line + L"\r\n";
    HANDLE handle = GetStdHandle(which);
    HANDLE console = nullptr;
    // A program of the window subsystem started with the handle redirected has it; started from a
    // console without redirection, it writes to the console of its parent.
    if (!Usable(handle) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
        handle = console;
    }
    if (!Usable(handle)) return;
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                             0, nullptr, nullptr);
        std::string bytes(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                            nullptr, nullptr);
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    if (console && console != INVALID_HANDLE_VALUE) CloseHandle(console);
}

} // namespace

void WriteErrorLine(const std::wstring& line) {
    WriteLine(STD_ERROR_HANDLE, line);
}

void WriteOutputLine(const std::wstring& line) {
    WriteLine(STD_OUTPUT_HANDLE, line);
}
