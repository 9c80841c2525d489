// Digit preparation for print masks: the expansion of a value, and its
// rounding to the positions a section shows. The expansion is conceptually
// thousands of digits long, but only its first 18 (19 for an infinity) can
// differ from '0', so the rounding looks at those and treats the rest as
// zeros by position; nothing here grows with the number of positions.

#include "numtext/mask_round.h"

#include <algorithm>

#include "numtext/digits.h"
#include "numtext/extended_bits.h"
#include "numtext/rounded_digits.h"

namespace numtext {

namespace {

// N has 18 digits: two halves of nine.
constexpr int kHalfDigits = kFiniteExpansionDigits / 2;
constexpr std::uint64_t kTenTo9 = 1000000000;

// "000012345" for 12345: exactly nine digits, most significant first.
void WriteNineDigits(char* out, std::uint32_t value) {
  for (int i = kHalfDigits - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

}  // namespace

MaskExpansion ExpansionForMask(long double value) {
  MaskExpansion expansion;
  switch (KindOfExtended(BitsOfExtended(value))) {
    case ExtendedKind::kZeroLike:
    case ExtendedKind::kNotANumber: return expansion;
    case ExtendedKind::kInfinity:
      std::fill_n(expansion.significant, kInfinityExpansionDigits, '9');
      expansion.count = kInfinityExpansionDigits;
      expansion.point = kInfinityPoint;
      return expansion;
    case ExtendedKind::kNormal: break;
  }
  const Expansion finite = ExpandFinite(value);
  // Two 9-digit halves, each cut up with 32-bit arithmetic, which is much
  // cheaper than 18 rounds of 64-bit division.
  const std::uint32_t high = static_cast<std::uint32_t>(finite.significand / kTenTo9);
  const std::uint32_t low = static_cast<std::uint32_t>(finite.significand % kTenTo9);
  WriteNineDigits(expansion.significant, high);
  WriteNineDigits(expansion.significant + kHalfDigits, low);
  expansion.count = kFiniteExpansionDigits;
  expansion.point = finite.point;
  return expansion;
}

namespace {

// The expansion seen through `leadingZeros` extra zeros in front (a value
// below 0.1 read against the point): digit `position` of
// 0...0 d1 d2 ... d18 0 0 ...
char ShiftedDigit(const MaskExpansion& expansion, std::int64_t leadingZeros, std::int64_t position) {
  const std::int64_t index = position - leadingZeros;
  return index >= 0 && index < expansion.count ? expansion.significant[index] : '0';
}

// Keeps the first `kept` digits of the shifted expansion, rounded to nearest
// with ties to even, judged on every digit after them. The digits that can
// be non-zero go into the window; returns true when the carry left the first
// kept digit (all kept digits were 9, and are now 0).
//   "125000..." kept 2 -> window "12" (a tie: 2 is even), false
//   "999600..." kept 3 -> window "000", true
bool RoundKeptDigits(const MaskExpansion& expansion, std::int64_t leadingZeros, std::int64_t kept, MaskDigits& digits) {
  // One zero in front of the significant digits is enough for a carry to
  // stop in; everything before it stays '0'.
  const std::int64_t windowStart = std::max<std::int64_t>(0, leadingZeros - 1);
  const std::int64_t windowEnd = std::max(windowStart, std::min(kept, leadingZeros + expansion.count));
  digits.windowStart = windowStart;
  digits.windowLength = static_cast<int>(windowEnd - windowStart);
  for (int i = 0; i < digits.windowLength; ++i) {
    digits.window[i] = ShiftedDigit(expansion, leadingZeros, windowStart + i);
  }

  const char firstDropped = ShiftedDigit(expansion, leadingZeros, kept);
  bool roundUp = firstDropped > '5';
  if (firstDropped == '5') {
    bool laterNonZero = false;
    for (std::int64_t i = std::max<std::int64_t>(0, kept + 1 - leadingZeros); i < expansion.count; ++i) {
      laterNonZero = laterNonZero || expansion.significant[i] != '0';
    }
    // A tie with no kept digit at all keeps.
    const bool lastKeptOdd = kept > 0 && (ShiftedDigit(expansion, leadingZeros, kept - 1) - '0') % 2 != 0;
    roundUp = laterNonZero || lastKeptOdd;
  }
  if (!roundUp) return false;

  // A dropped digit of 5 or more is a significant digit, so the kept digits
  // end inside the window and the carry starts at its last digit.
  for (int i = digits.windowLength - 1; i >= 0; --i) {
    if (digits.window[i] != '9') {
      ++digits.window[i];
      return false;
    }
    digits.window[i] = '0';
  }
  return true;
}

}  // namespace

MaskDigits FixedPointDigits(const MaskExpansion& expansion, std::int64_t fractionPositions) {
  MaskDigits digits;
  const std::int64_t point = expansion.point;
  // A value below 1 has no integer digit and -point zeros before its first
  // fraction digit.
  const std::int64_t leadingZeros = point < 0 ? -point : 0;
  const std::int64_t integerDigits = point > 0 ? point : 0;
  const std::int64_t kept = integerDigits + fractionPositions;
  const bool carriedOut = RoundKeptDigits(expansion, leadingZeros, kept, digits);
  digits.integerLength = integerDigits;
  if (carriedOut) {
    digits.prefix = '1';
    digits.prefixLength = 1;
    ++digits.integerLength;
  } else if (integerDigits == 0) {
    digits.prefix = '0';
    digits.prefixLength = 1;
    digits.integerLength = 1;
  }
  digits.length = digits.prefixLength + kept;
  return digits;
}

MaskDigits ExponentDigits(const MaskExpansion& expansion, std::int64_t integerPositions,
                          std::int64_t fractionPositions) {
  MaskDigits digits;
  const std::int64_t kept = integerPositions + fractionPositions;
  digits.exponent = expansion.point - integerPositions;
  if (RoundKeptDigits(expansion, 0, kept, digits)) {
    // The window starts at the first digit here.
    if (digits.windowLength > 0) digits.window[0] = '1';
    ++digits.exponent;
  }
  digits.integerLength = integerPositions;
  digits.length = kept;
  return digits;
}

}  // namespace numtext
