// A reference for the print-mask tests, built only from the C library's
// exact decimal expansion of a single-precision value and plain string
// rounding, so that it shares nothing with the formatter under test.
#pragma once

#include <random>
#include <string>

namespace numtext_test {

// The exact decimal expansion of a float: 0.digits x 10^point, digits without
// leading or trailing zeros (empty for zero, which has point 1).
//   12.25f -> "1225", point 2      0.04f -> "400000000707805156707763671875", point -1
struct ExactDecimal {
  bool negative = false;
  std::string digits;
  int point = 1;
};
ExactDecimal ExactDecimalOf(float value);

// What a mask of '#' positions with `fractionDigits` (0 or 1) positions after
// the point shows: the expansion cut to its first 18 significant digits (the
// ones the formatter keeps), rounded half to even at the last position, no
// padding, the fraction digit hidden when it is '0', and a minus sign unless
// the digits are the single "0".
//   12.25f, 1 -> "12.2"      -0.04f, 1 -> "-0."      -0.04f, 0 -> "0"
std::string ReferenceMaskText(const ExactDecimal& exact, int fractionDigits);

// Random single-precision values for the differential runs, all below 1E18
// in magnitude: every magnitude from the smallest subnormal up (uniform in
// the binary exponent), ordinary values, exact ties at one and two fraction
// digits, values that round to zero and values that carry into a new digit.
float RandomMaskValue(std::mt19937_64& random);

// Enough digits to read the float back: "%.9g".
std::string FloatText(float value);

}  // namespace numtext_test
