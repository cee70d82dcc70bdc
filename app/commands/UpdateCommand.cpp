// Reading the /update command line.
#include "app/commands/UpdateCommand.h"

#include "app/commands/CommandLine.h"
#include "app/commands/ConversionCommand.h"

#include <vector>

namespace {

std::wstring Lower(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
    return out;
}

// The option's name when the argument is "/name" or "-name" (before any colon), else empty.
std::wstring OptionName(const std::wstring& argument) {
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) return {};
    return Lower(argument.substr(1, argument.find(L':') == std::wstring::npos ? std::wstring::npos
                                                                              : argument.find(L':') - 1));
}

constexpr std::wstring_view kColumnOptions[] = {L"name", L"first", L"last", L"title", L"id", L"manager"};

} // namespace

UpdateCommand ParseUpdateCommand(std::wstring_view commandLine) {
    const std::vector<std::wstring> arguments = SplitArguments(CommandTail(commandLine));
    UpdateCommand command;
    if (arguments.empty() || OptionName(arguments[0]) != L"update" ||
        arguments[0].find(L':') != std::wstring::npos)
        return command;
    command.named = true;
    std::vector<std::wstring> names;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        const std::wstring option = OptionName(argument);
        const size_t colon = argument.find(L':');
        const std::wstring value = colon == std::wstring::npos ? L"" : argument.substr(colon + 1);
        bool known = false;
        for (size_t k = 0; k < 6; ++k)
            if (option == kColumnOptions[k] && colon != std::wstring::npos) {
                command.columns[k] = value;
                command.malformed = command.malformed || value.empty();
                known = true;
            }
        if (known) continue;
        if (option == L"report" && colon != std::wstring::npos) {
            command.report = value;
            command.malformed = command.malformed || value.empty();
        } else if (option == L"compare" && colon == std::wstring::npos) {
            command.compareOnly = true;
        } else {
            command.malformed = command.malformed || argument.empty();
            names.push_back(argument);
        }
    }
    if (names.size() < 2 || names.size() > 3 || (command.compareOnly && command.report.empty())) {
        command.malformed = true;
        return command;
    }
    command.chart = names[0];
    command.list = names[1];
    if (names.size() == 3) command.out = names[2];
    return command;
}
