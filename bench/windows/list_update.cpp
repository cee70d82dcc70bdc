// A chart book updated from next month's list: the list given is built into a book with
// `Cuadrix.exe /build`, a copy of it with 5 % of its people changed (joined, left, moved, renamed)
// is written, and `Cuadrix.exe /update book.qdrb newlist.csv out.qdrb /report:changes.csv` is timed
// from the program's start to its end.
// Usage: bench_list_update CUADRIX.EXE LIST.csv
#include "document/ChartBook.h"
#include "document/PeopleList.h"
#include "render/AnsiText.h"

#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

std::u16string Ansi(std::string_view bytes) {
    std::wstring wide = AnsiToWide(bytes);
    return std::u16string(wide.begin(), wide.end());
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Runs the program with the arguments; the milliseconds from its start to its end, and its exit code.
double Run(const std::wstring& program, const std::wstring& arguments, DWORD& code) {
    std::wstring command = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto start = std::chrono::steady_clock::now();
    code = 1;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return ms;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) {
        std::fprintf(stderr, "usage: bench_list_update CUADRIX.EXE LIST.csv\n");
        return 1;
    }
    const std::wstring program = argv[1], list = argv[2];
    const std::wstring book = L"bench_list_update.qdrb", next = L"bench_list_update.csv",
                       out = L"bench_list_update-out.qdrb", report = L"bench_list_update-changes.csv";
    DWORD code = 0;
    const double buildMs = Run(program, L"/build \"" + list + L"\" " + book, code);
    if (code != 0) {
        std::fprintf(stderr, "the program built no book (exit code %lu)\n", code);
        return 1;
    }

    // Next month's list: a twentieth of the people changed, a quarter of those each way.
    const CheckedList read = ReadCheckedList(DecodeListText(ReadAll(list), Ansi));
    std::vector<Person> people = read.list.people;
    std::vector<int> managerOf = read.managerOf;
    const size_t changes = people.size() / 20;
    std::mt19937 random(2026);
    std::vector<char> leaves(people.size(), 0), manages(people.size(), 0);
    for (int m : managerOf)
        if (m >= 0) manages[size_t(m)] = 1;
    size_t left = 0, moved = 0, renamed = 0;
    while (left < changes / 4) {
        const size_t p = 1 + random() % (people.size() - 1);
        if (!manages[p] && !leaves[p]) leaves[p] = 1, ++left;
    }
    while (moved < changes / 4) {
        const size_t p = 1 + random() % (people.size() - 1), to = random() % people.size();
        if (!manages[p] && !leaves[p] && !leaves[to] && int(to) != managerOf[p] && to != p)
            managerOf[p] = int(to), ++moved;
    }
    while (renamed < changes / 4) {
        const size_t p = random() % people.size();
        people[p].title += u" (acting)";
        ++renamed;
    }
    std::string file = "id,name,title,manager\r\n";
    for (size_t p = 0; p < people.size(); ++p)
        if (!leaves[p])
            file += Utf8(people[p].id) + "," + Utf8(people[p].name) + "," + Utf8(people[p].title) + "," +
                    (managerOf[p] >= 0 ? Utf8(people[size_t(managerOf[p])].id) : "") + "\r\n";
    const size_t joined = changes - left - moved - renamed;
    for (size_t j = 0; j < joined; ++j) {
        size_t to = random() % people.size();
        while (leaves[to])
            to = random() % people.size();
        file += "J-" + std::to_string(j) + ",New Person " + std::to_string(j) + ",Analyst," +
                Utf8(people[to].id) + "\r\n";
    }
    std::ofstream(next.c_str(), std::ios::binary) << file;

    const double updateMs =
        Run(program, L"/update " + book + L" " + next + L" " + out + L" /report:" + report, code);
    const std::string written = ReadAll(out), comparison = ReadAll(report);
    std::vector<BookEntry> entries;
    const std::span<const uint8_t> archive(reinterpret_cast<const uint8_t*>(written.data()), written.size());
    if (code != 0 || DecodeChartBook(archive, entries) != BookCheck::Accepted) {
        std::fprintf(stderr, "the program wrote no updated book (exit code %lu)\n", code);
        return 1;
    }
    size_t rows = 0;
    for (char c : comparison)
        rows += c == '\n';
    std::printf("people: %zu  changed: %zu (joined %zu, left %zu, moved %zu, retitled %zu)\n", people.size(),
                changes, joined, left, moved, renamed);
    std::printf("/build, program start to end: %.0f ms\n", buildMs);
    std::printf("/update, program start to end: %.0f ms  pages: %zu  comparison rows: %zu\n", updateMs,
                entries.size(), rows > 0 ? rows - 1 : 0);
    DeleteFileW(book.c_str());
    DeleteFileW(next.c_str());
    DeleteFileW(out.c_str());
    DeleteFileW(report.c_str());
    return 0;
}
