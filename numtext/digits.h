// Digit generation and the power-of-ten table shared by every numeric text
// conversion. Internal to numtext.
#pragma once

#include <cstdint>
#include <string>

namespace numtext {

// 10^m for 0 <= m (any size): 10^(m mod 8) from the exact integers times the
// extended constants 10^(8*2^i) for the set bits i of m div 8, lowest bit first,
// each product rounded to extended; above 4096 one factor 10^4096 comes first.
long double PowerOfTen(int m);

// a * 10^m for m >= 0, a / 10^|m| for m < 0, rounded once.
long double ScaleByPowerOfTen(long double a, int m);

// The exact constant 10^18 (also 10^17), bounds of the 18-digit integer N.
inline constexpr std::uint64_t kTenTo17 = 100000000000000000ULL;
inline constexpr std::uint64_t kTenTo18 = 1000000000000000000ULL;

// Steps 1 and 2 of the digit generator for a finite, normal, non-zero value:
// |value| ~= significand * 10^(point - 18), with 10^17 <= significand < 10^18,
// so the value is 0.d1d2...d18 x 10^point.
//   1234.5 -> significand 123450000000000000, point 4
struct Expansion {
  bool negative = false;
  std::uint64_t significand = 0;
  int point = 0;
};

// Zero (either sign), values too small to be normal, infinities and NaNs are
// the caller's to treat; for them the result is unspecified.
Expansion ExpandFinite(long double value);

// DecimalDigits: `count` digits (1 to 18) rounded from the expansion, the
// point position P (value = 0.d1..dn x 10^P) and the sign.
//   1234.5625, 7 -> "1234562", P 4 (eighth digit 5, seventh even: kept)
//   0, 7         -> "0000000", P 1, not negative
//   +inf, 7      -> "9999999", P 999
struct DigitString {
  bool negative = false;
  std::string digits;
  int point = 1;
};
DigitString DecimalDigits(long double value, int count);

}  // namespace numtext
