// The column choices remembered for lists with the same header, as kept in the program's own
// section of the settings file: one key per header, the columns of the six roles as its value.
#pragma once

#include "document/ColumnFinder.h"

#include <string>
#include <string_view>

// Section of "Cuadrix.ini" the choices are kept in, after the specified ones.
constexpr wchar_t kColumnMemorySection[] = L"ListColumns";

// The key of a header: a hash of its texts, the same for the same header whatever the rows.
std::wstring ColumnMemoryKey(const ListRow& header);

// The value kept for a choice: the six roles' columns from 1 (0 for none), comma-separated, then
// the build options asked for, each after a semicolon (";headcount;colour=department;department=5").
std::wstring FormatColumnChoice(const ColumnFinding& columns, const ListColumns& options = {});

// The choice a kept value gives for a list of `columns` columns; false (and nothing changed) for a
// value that is malformed or names a column the list does not have.
bool ParseColumnChoice(std::wstring_view value, size_t columns, ListColumns& choice);
