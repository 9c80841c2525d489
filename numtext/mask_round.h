// The digits a mask section shows: the value's digit expansion, rounded at
// the section's last digit position. Internal to numtext.
#pragma once

#include <cstdint>

namespace numtext {

// A finite value keeps the 18 digits of its integer N; an infinity shows
// nineteen 9s. Every digit after them is '0'.
inline constexpr int kFiniteExpansionDigits = 18;
inline constexpr int kInfinityExpansionDigits = 19;

// The digit expansion of |value|: 0.d1d2... x 10^point, where d1..d`count`
// are `significant` and all later digits (up to the 4932 of the longest
// extended value, and beyond) are zeros. Zero, values too small to be
// normal and NaNs have no significant digit and point 1.
//   1234.5 -> "123450000000000000", count 18, point 4
//   +inf   -> "9999999999999999999", count 19, point 999
struct MaskExpansion {
  char significant[kInfinityExpansionDigits];  // [0, count) written
  int count = 0;
  int point = 1;
};
MaskExpansion ExpansionForMask(long double value);

// A digit string of `length` digits whose first `integerLength` digits stand
// before the point. Only a few digits can differ from '0' (the significant
// digits, one carried into a zero before them, or one carried out in front),
// so those are kept in a small window and the rest, however many the mask
// asks for, are zeros by position.
//   12.25 for F = 1 -> "122", integerLength 2 (the tie keeps the even 2)
struct MaskDigits {
  // A window always has room for the nineteen 9s of an infinity and one zero
  // before them that a carry can reach.
  static constexpr int kWindowCapacity = kInfinityExpansionDigits + 1;

  std::int64_t length = 0;
  std::int64_t integerLength = 0;
  std::int64_t exponent = 0;  // exponent-field sections only: the exponent shown
  char prefix = '0';
  int prefixLength = 0;  // 0 or 1: a digit placed in front of the kept digits
  // Digits [windowStart, windowStart + windowLength) after the prefix; every
  // other digit is '0'.
  std::int64_t windowStart = 0;
  int windowLength = 0;
  char window[kWindowCapacity];  // [0, windowLength) written

  char At(std::int64_t index) const {
    if (index < prefixLength) return prefix;
    const std::int64_t offset = index - prefixLength - windowStart;
    return offset >= 0 && offset < windowLength ? window[offset] : '0';
  }
  // The digit string "0" alone, which never carries a minus sign.
  bool IsSingleZero() const { return length == 1 && At(0) == '0'; }
};

// Without an exponent field: the integer digits (at least "0"), then exactly
// `fractionPositions` fraction digits, rounded to nearest, ties to even,
// judged on the whole expansion.
//   0.125 (F 2)  -> "012"        0.96 (F 0) -> "1"
//   99999.96 (F 1) -> "1000000"  (integerLength 6)
MaskDigits FixedPointDigits(const MaskExpansion& expansion, std::int64_t fractionPositions);

// With an exponent field: the first I + F digits, rounded the same way, and
// the exponent point - I; a carry out of the first digit gives "10...0" of
// the same length and one more in the exponent.
//   12345, I 1, F 2 -> "123", exponent 4
//   9.999, I 1, F 2 -> "100", exponent 1
MaskDigits ExponentDigits(const MaskExpansion& expansion, std::int64_t integerPositions,
                          std::int64_t fractionPositions);

}  // namespace numtext
