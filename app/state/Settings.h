// The settings file "Cuadrix.ini" beside the program: read once at start-up, written on exit, on a
// language switch, on a ruler-style change and on a new favourite background.
#pragma once

#include "ui/ProgramPaths.h"
#include "ui/Shell.h"

#include <string>
#include <string_view>

// Mode "get" reads every key into the shell state (missing file or key: defaults); mode "save"
// writes every key, creating the file and its sections; any other mode does nothing. A file that
// cannot be written loses the settings without a message.
void Settings(ShellState& shell, std::string_view mode, const std::wstring& iniPath);

// "Cuadrix.ini" in the program folder.
std::wstring SettingsPath();

// A form of the path that the ANSI profile functions can open: the path itself when the system
// code page holds every character, otherwise the short form of its folder followed by the file
// name. Empty when neither works.
std::string AnsiFilePath(const std::wstring& path);
