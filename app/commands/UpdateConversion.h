// "/update" on the command line, run without any window: the chart read, compared with the list
// and updated, written in place (a new file moved over the old one) or to `out`, and the
// comparison written where /report says; failures end with the codes "/build" uses, nothing written.
#pragma once

#include <optional>
#include <string>

struct App;

// The exit code once the update has run; none when the command line asks for no update.
std::optional<int> RunUpdateConversion(App& app, const std::wstring& commandLine);
