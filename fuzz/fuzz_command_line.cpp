// Fuzzes the command-line reading: any text splits into arguments without blanks at their ends
// unless quoted, and a conversion is recognised only with both of its names present.
#include "app/CommandLine.h"
#include "app/ConversionCommand.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
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
    // Splitting never invents characters: an argument is never longer than the tail.
    const std::wstring tail = CommandTail(line);
    for (const std::wstring& argument : SplitArguments(tail))
        Require(argument.size() <= tail.size());
    (void)CommandTailPath(line.c_str());
    return 0;
}
