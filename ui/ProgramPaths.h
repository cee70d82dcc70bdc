// Where the running program lives: the settings and the favourite colours are kept beside it.
#pragma once

#include <string>

// Full path of the running program.
std::wstring ProgramPath();

// Folder of the running program, whatever the current directory; ends with a backslash.
std::wstring ProgramFolder();
