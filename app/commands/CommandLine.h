// The work file named on the command line: the text after the program's own name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The command tail: what follows the program's own name (quoted or not), without the blanks
// around it. Empty when only the program was named.
std::wstring CommandTail(std::wstring_view commandLine);

// The work-file path of the tail: every double quote removed (and the blanks then left around it),
// whole, however long: the file functions say whether such a file exists. Empty also when the tail
// was nothing but quotes.
std::wstring CommandTailPath(const wchar_t* commandLine);
