// The settings file "Cuadrix.ini" beside the program: read once at start-up, written on exit, on a
// language switch, on a ruler-style change and on a new favourite background.
#pragma once

#include "app/Shell.h"

#include <string>
#include <string_view>

// Mode "get" reads every key into the shell state (missing file or key: defaults); mode "save"
// writes every key, creating the file and its sections; any other mode does nothing. A file that
// cannot be written loses the settings without a message.
void Settings(ShellState& shell, std::string_view mode, const std::wstring& iniPath);

// Folder of the running program, whatever the current directory; ends with a backslash.
std::wstring ProgramFolder();

// Full path of the running program.
std::wstring ProgramPath();

// "Cuadrix.ini" in the program folder.
std::wstring SettingsPath();

// A form of the path that the ANSI profile functions can open: the path itself when the system
// code page holds every character, otherwise the short form of its folder followed by the file
// name. Empty when neither works.
std::string AnsiFilePath(const std::wstring& path);
