// Helpers shared by the numeric text tests: bit patterns and reference
// decimal expansions from the C library.
#pragma once

#include <cstdint>
#include <string>

namespace numtext_test {

std::uint32_t BitsOfFloat(float value);
float FloatFromBits(std::uint32_t bits);

// True when both extended values have the same ten value bytes.
bool SameExtendedBits(long double a, long double b);

// The C library's decimal expansion of a value: `digits` significant digits,
// correctly rounded, and the decimal exponent of the first one
// (value ~= d.ddd x 10^exponent). Zero and non-finite values are not asked for.
//   1234.5, 6 -> "123450", 3
struct LibraryDigits {
  std::string digits;
  int exponent = 0;
};
LibraryDigits LibraryDecimalDigits(long double value, int digits);

// The first `count` digits of `text` in one integer.
std::uint64_t LeadingDigitsValue(const std::string& text, int count);

}  // namespace numtext_test
