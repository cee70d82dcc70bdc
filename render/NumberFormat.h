// Number formats of cells: a value and a format type (1 to 7) become the text a cell shows in
// place of its stored text, in a 19-character field padded with spaces.
#pragma once

#include <string>
#include <string_view>

constexpr int kNumberFieldWidth = 19;

// The value formatted by the mask of the type, then given Spanish punctuation for types 4 to 6,
// then padded or cut to 19 characters. Any other type gives 19 spaces. Halves round away from
// zero on the value's shortest decimal form (2.675 gives 2.68); "#" positions show no digit where
// the number has none, so 0.5 under a "#" mask shows ".50" and 0 under an all-"#" mask shows
// nothing.
std::string FormatCellNumber(double value, int formatType);

// The value of the number at the start of a cell text, "." as the decimal point: blanks before
// it are skipped, a sign is taken, no exponent. 0 when the text does not start with a number.
double LeadingNumber(std::u16string_view text);

// The text without leading and trailing spaces.
std::string_view TrimSpaces(std::string_view text);
