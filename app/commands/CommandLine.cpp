// The command tail and the work-file path it names.
#include "app/commands/CommandLine.h"

namespace {

bool Blank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

} // namespace

std::wstring CommandTail(std::wstring_view commandLine) {
    size_t at = 0;
    // The program's name is taken as Windows takes it: up to the closing quote when it starts with
    // one, otherwise up to the first blank.
    if (!commandLine.empty() && commandLine[0] == L'"') {
        size_t close = commandLine.find(L'"', 1);
        at = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        while (at < commandLine.size() && !Blank(commandLine[at]))
            ++at;
    }
    while (at < commandLine.size() && Blank(commandLine[at]))
        ++at;
    size_t end = commandLine.size();
    while (end > at && Blank(commandLine[end - 1]))
        --end;
    return std::wstring(commandLine.substr(at, end - at));
}

std::wstring CommandTailPath(const wchar_t* commandLine) {
    if (!commandLine) return {};
    std::wstring path;
    for (wchar_t c : CommandTail(commandLine))
        if (c != L'"') path += c;
    // Blanks that stood between quotes are not part of any file name.
    size_t first = 0, end = path.size();
    while (first < end && Blank(path[first]))
        ++first;
    while (end > first && Blank(path[end - 1]))
        --end;
    return path.substr(first, end - first);
}
