// Splitting the command tail into arguments and recognising the conversions.
#include "app/commands/ConversionCommand.h"

#include "app/commands/CommandLine.h"

namespace {

bool Blank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool IsSwitch(const std::wstring& argument, std::wstring_view name) {
    if (argument.size() != name.size() + 1 || (argument[0] != L'/' && argument[0] != L'-')) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        wchar_t c = argument[i + 1];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != name[i]) return false;
    }
    return true;
}

constexpr std::wstring_view kColumnOptions[] = {L"name", L"first", L"last", L"title", L"id", L"manager"};

} // namespace

std::vector<std::wstring> SplitArguments(std::wstring_view tail) {
    std::vector<std::wstring> arguments;
    size_t at = 0;
    while (true) {
        while (at < tail.size() && Blank(tail[at]))
            ++at;
        if (at >= tail.size()) break;
        std::wstring argument;
        bool quoted = false;
        while (at < tail.size() && (quoted || !Blank(tail[at]))) {
            if (tail[at] == L'\\') {
                size_t backslashes = 0;
                while (at < tail.size() && tail[at] == L'\\') {
                    ++backslashes;
                    ++at;
                }
                if (at < tail.size() && tail[at] == L'"') {
                    argument.append(backslashes / 2, L'\\');
                    if (backslashes % 2 == 1) {
                        argument += L'"';
                        ++at;
                    }
                } else {
                    argument.append(backslashes, L'\\');
                }
            } else if (tail[at] == L'"') {
                // Inside quotes, a doubled quote stands for one quote.
                if (quoted && at + 1 < tail.size() && tail[at + 1] == L'"') {
                    argument += L'"';
                    at += 2;
                } else {
                    quoted = !quoted;
                    ++at;
                }
            } else {
                argument += tail[at++];
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

ConversionCommand ParseConversionCommand(std::wstring_view commandLine) {
    const std::vector<std::wstring> arguments = SplitArguments(CommandTail(commandLine));
    ConversionCommand command;
    if (arguments.empty()) return command;
    // Each conversion's name and how many arguments follow it.
    if (IsSwitch(arguments[0], L"export"))
        command.named = ConversionKind::Export;
    else if (IsSwitch(arguments[0], L"build"))
        command.named = ConversionKind::Build;
    else if (IsSwitch(arguments[0], L"print"))
        command.named = ConversionKind::Print;
    else
        return command;
    const size_t count = command.named == ConversionKind::Print ? 1 : 2;
    std::vector<std::wstring> names;
    bool malformed = false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        size_t colon = argument.find(L':');
        int option = -1;
        if (command.named == ConversionKind::Build && colon != std::wstring::npos)
            for (int k = 0; k < 6 && option < 0; ++k)
                if (IsSwitch(argument.substr(0, colon), kColumnOptions[k])) option = k;
        const bool pdfOption =
            command.named == ConversionKind::Export && colon != std::wstring::npos &&
            (IsSwitch(argument.substr(0, colon), L"paper") || IsSwitch(argument.substr(0, colon), L"pages"));
        const bool build = command.named == ConversionKind::Build;
        if (build && colon == std::wstring::npos && IsSwitch(argument, L"assistants")) {
            command.assistants = true;
        } else if (build && colon != std::wstring::npos && IsSwitch(argument.substr(0, colon), L"photos")) {
            command.photos = argument.substr(colon + 1);
            malformed = malformed || command.photos.empty();
        } else if (build && IsSwitch(argument, L"headcount")) {
            command.headcount = true;
        } else if (build && colon != std::wstring::npos &&
                   (IsSwitch(argument.substr(0, colon), L"colour") ||
                    IsSwitch(argument.substr(0, colon), L"color"))) {
            command.colour = argument.substr(colon + 1);
            for (wchar_t& c : command.colour)
                if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
            malformed = malformed || (command.colour != L"level" && command.colour != L"department");
        } else if (pdfOption) {
            (IsSwitch(argument.substr(0, colon), L"paper") ? command.paper : command.pages) =
                argument.substr(colon + 1);
            malformed = malformed || argument.size() == colon + 1;
        } else if (option >= 0) {
            command.columns[size_t(option)] = argument.substr(colon + 1);
            malformed = malformed || command.columns[size_t(option)].empty();
        } else {
            malformed = malformed || argument.empty();
            names.push_back(argument);
        }
    }
    if (names.size() != count || malformed) {
        command.kind = ConversionKind::Malformed;
        return command;
    }
    command.kind = command.named;
    command.source = names[0];
    if (count == 2) command.target = names[1];
    return command;
}
