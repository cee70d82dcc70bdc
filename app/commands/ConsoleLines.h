// The conversions' lines on the console: a failure on the standard error, what a conversion that
// succeeded has to tell on the standard output.
#pragma once

#include <string>

// Writes one line to the standard error the program was given, or else to the console of the
// process that started it.
void WriteErrorLine(const std::wstring& line);
// The same on the standard output.
void WriteOutputLine(const std::wstring& line);
