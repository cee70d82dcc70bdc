// The sample book as a PDF: `Cuadrix.exe /build LIST book.qdrb` makes the book (not timed), then
// `Cuadrix.exe /export book.qdrb book.pdf` is timed from the program's start to its end, and the
// document's size and pages are printed. Run it three times to see the spread.
// Usage: bench_pdf_export CUADRIX.EXE LIST.csv
#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

// Runs the program with the arguments; its exit code and the milliseconds from start to end.
DWORD RunProgram(const std::wstring& program, const std::wstring& arguments, double& milliseconds) {
    std::wstring command = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 1000;
    WaitForSingleObject(process.hProcess, INFINITE);
    milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) {
        std::fprintf(stderr, "usage: bench_pdf_export CUADRIX.EXE LIST.csv\n");
        return 1;
    }
    const std::wstring program = argv[1], list = argv[2];
    const std::wstring book = L"bench_pdf_export.qdrb", document = L"bench_pdf_export.pdf";
    DeleteFileW(book.c_str());
    DeleteFileW(document.c_str());
    double buildMs = 0;
    if (RunProgram(program, L"/build \"" + list + L"\" " + book, buildMs) != 0) {
        std::fprintf(stderr, "the program built no book\n");
        return 1;
    }
    for (int run = 1; run <= 3; ++run) {
        double exportMs = 0;
        const DWORD code = RunProgram(program, L"/export " + book + L" " + document, exportMs);
        const long long size = FileSize(document);
        if (code != 0 || size <= 0) {
            std::fprintf(stderr, "the program wrote no PDF (exit code %lu)\n", code);
            return 1;
        }
        std::printf(
            "run %d: book (%lld bytes) to PDF, program start to end: %.0f ms, PDF %lld bytes (%.2f MB)\n",
            run, FileSize(book), exportMs, size, size / 1048576.0);
    }
    DeleteFileW(book.c_str());
    DeleteFileW(document.c_str());
    return 0;
}
