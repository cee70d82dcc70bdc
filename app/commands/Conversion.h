// The conversions of the command line, run without any window: the work file is read, its cut
// chart written to the picture, and a failure told in one line on the calling console's standard
// error, with an exit code of its own.
#pragma once

#include "app/commands/ConsoleLines.h"

#include <optional>
#include <string>

struct App;

// The exit code of the conversion the command line asks for, once it has run; none when the
// command line asks for no conversion (it then names a work file to open). GDI+ must be running.
std::optional<int> RunCommandLineConversion(App& app, const std::wstring& commandLine);
