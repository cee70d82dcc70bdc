// Conversions between the ANSI text the cell records keep (font names, picture and icon paths, in
// the system code page) and the UTF-16 text of the Windows interfaces.
#pragma once

#include <string>
#include <string_view>

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);
