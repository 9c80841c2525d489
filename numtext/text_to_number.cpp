// Typed text to a number: leading blanks, then either the '&' radix form or a
// decimal number with optional sign, point and exponent. Scanning stops at the
// first character that does not fit; nothing ever fails.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "numtext/digits.h"
#include "numtext/numtext.h"
#include "numtext/radix_text.h"

namespace numtext {
namespace {

// At most 18 significant digits are kept: 999 999 999 999 999 999 < 2^63, so
// the mantissa converts to extended exactly. Later digits only scale.
constexpr std::int64_t kMaxMantissaDigits = 18;

// Read exponents saturate here; with at most ~10^6 digits on either side of
// the point no number needs more to reach the overflow or underflow limits.
constexpr std::int64_t kExponentCap = 9999;

// Decimal positions (value = 0.d1d2... x 10^position) from which the text
// counts as too large or too small for the extended format (~1.19E+4932,
// ~3.4E-4932 at the smallest normal).
constexpr std::int64_t kOverflowPosition = 4933;
constexpr std::int64_t kUnderflowPosition = -4933;

// What overflowing text yields: 2^127 (single-precision pattern 7F000000),
// finite, so that it stays a number after the store to single precision.
constexpr long double kOverflowValue = 0x1p127L;

bool IsSkippedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

long double WithSign(long double magnitude, bool negative) { return negative ? -magnitude : magnitude; }

//   "-.25" -> -0.25    "1.2.3" -> 1.2    "2d-2" -> 0.02    "--5" -> -0
ScannedNumber ReadDecimalText(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  std::uint64_t mantissa = 0;
  std::int64_t significantDigits = 0;
  std::int64_t digitsBeforePoint = 0;
  std::int64_t zerosAfterPoint = 0;  // point-side zeros ahead of the first significant digit
  bool anyDigit = false;
  bool sawPoint = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      anyDigit = true;
      if (significantDigits == 0 && c == '0') {
        if (sawPoint) ++zerosAfterPoint;
        continue;
      }
      if (significantDigits < kMaxMantissaDigits) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      }
      ++significantDigits;
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
      digitsBeforePoint = significantDigits;
    } else {
      break;
    }
  }

  std::int64_t exponent = 0;
  if (i < text.size() && IsExponentLetter(text[i])) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      ++i;
    }
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      exponent = exponent * 10 + (text[i] - '0');
      if (exponent > kExponentCap) exponent = kExponentCap;
    }
    if (negativeExponent) exponent = -exponent;
  }

  ScannedNumber scanned{WithSign(0.0L, negative), i, anyDigit, false};
  if (!anyDigit || significantDigits == 0) return scanned;

  const std::int64_t point = sawPoint ? digitsBeforePoint - zerosAfterPoint : significantDigits;
  const std::int64_t position = point + exponent;
  if (position >= kOverflowPosition) {
    scanned.value = WithSign(kOverflowValue, negative);
    scanned.overflowed = true;
    return scanned;
  }
  if (position <= kUnderflowPosition) return scanned;

  const std::int64_t keptDigits = significantDigits < kMaxMantissaDigits ? significantDigits : kMaxMantissaDigits;
  // Within the limits above: -4950 <= scale <= 4931.
  const int scale = static_cast<int>(position - keptDigits);
  const long double exact = static_cast<long double>(static_cast<std::int64_t>(mantissa));
  scanned.value = WithSign(scale == 0 ? exact : ScaleByPowerOfTen(exact, scale), negative);
  return scanned;
}

}  // namespace

ScannedNumber ScanNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsSkippedBlank(text[start])) ++start;
  text.remove_prefix(start);
  ScannedNumber scanned;
  if (!text.empty() && text.front() == '&') {
    scanned = ReadRadixText(text.substr(1));
    ++scanned.length;  // the '&'
  } else {
    scanned = ReadDecimalText(text);
  }
  scanned.length += start;
  return scanned;
}

long double TextToNumber(std::string_view text) { return ScanNumber(text).value; }

}  // namespace numtext
