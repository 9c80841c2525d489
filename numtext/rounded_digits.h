// The rounded digits of the digit generator as one integer, so that the
// free-form writer can lay them out without building an intermediate string.
// Internal to numtext.
#pragma once

#include <cstdint>

namespace numtext {

// Shortest and longest digit counts the generator produces.
inline constexpr int kMinDigitCount = 1;
inline constexpr int kMaxDigitCount = 18;

// The exponent given to infinities: their digits are all 9s and the value
// reads 0.999... x 10^999, so NumberToText shows 9.999999E+998.
inline constexpr int kInfinityPoint = 999;

// `digits` holds exactly `count` decimal digits (leading zeros only for zero):
// the value is 0.d1..dcount x 10^point.
//   1234.5625, 7 -> digits 1234562, count 7, point 4
//   +inf, 7      -> digits 9999999, count 7, point 999
struct RoundedDigits {
  bool negative = false;
  std::uint64_t digits = 0;
  int count = kMinDigitCount;
  int point = 1;
};

// The integer behind DecimalDigits; `count` outside 1..18 is clamped into it.
RoundedDigits RoundToDigits(long double value, int count);

}  // namespace numtext
