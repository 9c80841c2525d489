// Numeric text: numbers to the texts the user sees, and typed texts to numbers.
//
// Working precision is the x86-64 80-bit long double (64-bit significand).
// Texts are std::string and may hold any byte, NUL included.
#pragma once

#include <cstddef>
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

// What TextToNumber reads, and how far: `length` counts the skipped blanks
// and every character the number used (an exponent letter, a radix suffix).
// `digits` is false when no digit was read, so the value is a 0 by default;
// `overflowed` when the value stands for a number it could not hold (text
// from 10^4932 up, a radix form beyond 64 bits or an unsigned one from 2^63).
//   "20mm" -> 20, length 2      "&HFFFF&x" -> 65535, length 7      "abc" -> 0, no digits
struct ScannedNumber {
  long double value = 0;
  std::size_t length = 0;
  bool digits = false;
  bool overflowed = false;
};
ScannedNumber ScanNumber(std::string_view text);

}  // namespace numtext
