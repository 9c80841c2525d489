// Numeric text: numbers to the texts the user sees, and typed texts to numbers.
//
// Working precision is the x86-64 80-bit long double (64-bit significand).
// Texts are std::string and may hold any byte, NUL included.
#pragma once

#include <string>
#include <string_view>

namespace numtext {

// Free-form text with `digits` significant digits (1 to 18): a sign position
// ('-' or a blank), the shortest form of the rounded digits, one trailing blank.
//   NumberToText(440, 7)        -> " 440 "
//   NumberToText(0.5, 7)        -> " .5 "
//   NumberToText(12345678, 7)   -> " 1.234568E+7 "
std::string NumberToText(long double value, int digits);

// Formats through a print mask; never pads, rounds half to even on the full
// digit expansion.
//   "#,##0.00": 1234567.875 -> "1,234,567.88"
//   "#####.#":  440         -> "440."
std::string FormatWithMask(long double value, std::string_view mask);

// Reads the number at the start of a typed text; never fails.
//   "  12.5abc" -> 12.5     "&HFFFF" -> -1     "abc" -> 0
long double TextToNumber(std::string_view text);

}  // namespace numtext
