// Fuzzes the command-line reading: any text splits into arguments that, quoted again as a program
// quotes them, split back into the same list and make the same conversion; a conversion is
// recognised only with both of its names present; so is an update with its chart and list.
#include "app/commands/CommandLine.h"
#include "app/commands/ConversionCommand.h"
#include "app/commands/UpdateCommand.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// One argument quoted for a command line: in double quotes, a quote inside as \", and the
// backslashes before a quote or the closing quote doubled.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring line;
    for (size_t i = 0; i + 1 < size; i += 2)
        line += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const ConversionCommand command = ParseConversionCommand(line);
    const bool named = command.kind == ConversionKind::Export || command.kind == ConversionKind::Build;
    if (named) Require(!command.source.empty() && !command.target.empty());
    if (command.kind == ConversionKind::Print) Require(!command.source.empty() && command.target.empty());
    if (!named && command.kind != ConversionKind::Print)
        Require(command.source.empty() && command.target.empty());
    const std::vector<std::wstring> arguments = SplitArguments(CommandTail(line));
    std::wstring requoted = L"Cuadrix.exe";
    for (const std::wstring& argument : arguments)
        requoted += L" " + Quoted(argument);
    Require(SplitArguments(CommandTail(requoted)) == arguments);
    const ConversionCommand again = ParseConversionCommand(requoted);
    Require(again.kind == command.kind && again.source == command.source && again.target == command.target);
    // An update is taken with its chart and list, and reads the same quoted again.
    const UpdateCommand update = ParseUpdateCommand(line);
    if (update.named && !update.malformed) Require(!update.chart.empty() && !update.list.empty());
    if (!update.named) Require(update.chart.empty() && !update.malformed);
    const UpdateCommand updateAgain = ParseUpdateCommand(requoted);
    Require(updateAgain.named == update.named && updateAgain.malformed == update.malformed &&
            updateAgain.chart == update.chart && updateAgain.list == update.list &&
            updateAgain.out == update.out && updateAgain.report == update.report &&
            updateAgain.compareOnly == update.compareOnly);
    (void)CommandTailPath(line.c_str());
    return 0;
}
