// The digit generator: an extended value as an 18-digit integer and a decimal
// point position, then rounded to the requested number of digits.

#include "numtext/digits.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "numtext/extended_bits.h"
#include "numtext/rounded_digits.h"

namespace numtext {
namespace {

// floor(E * kLog2Estimate / 65536) estimates floor(log10 2^E); 19728/65536 is
// a little below log10 2 (0.3010254 against 0.3010300), so the estimate may be
// one off in either direction and the generator corrects it once.
constexpr int kLog2EstimateNumerator = 19728;
constexpr int kLog2EstimateShift = 16;

// Adding and removing 2^63 rounds a non-negative extended value below 2^63 to
// an integer, to nearest with ties to even, in the current (never changed)
// rounding mode, without the slow frndint; at and above 2^63 every extended
// value is already an integer.
constexpr long double kTwoTo63 = 9223372036854775808.0L;

long double RoundToInteger(long double x) {
  if (x < kTwoTo63) return (x + kTwoTo63) - kTwoTo63;
  return x;
}

// The same rounding, read straight out of the sum's significand (2^63 plus
// the integer), for 0 <= x < 2^63: a float-to-integer conversion would switch
// the FPU control word to truncation and back, a slow serialising step.
std::uint64_t RoundToUnsigned(long double x) { return BitsOfExtended(x + kTwoTo63).significand - kExtendedIntegerBit; }

constexpr long double kTenTo17Extended = static_cast<long double>(kTenTo17);
constexpr long double kTenTo18Extended = static_cast<long double>(kTenTo18);

// 10^0 .. 10^18 for cutting and checking digit counts of the integer N.
constexpr std::size_t kIntegerPowerCount = kMaxDigitCount + 1;
constexpr std::uint64_t kIntegerPowers[kIntegerPowerCount] = {
    1ULL,
    10ULL,
    100ULL,
    1000ULL,
    10000ULL,
    100000ULL,
    1000000ULL,
    10000000ULL,
    100000000ULL,
    1000000000ULL,
    10000000000ULL,
    100000000000ULL,
    1000000000000ULL,
    10000000000000ULL,
    100000000000000ULL,
    1000000000000000ULL,
    10000000000000000ULL,
    kTenTo17,
    kTenTo18,
};

// The digit that alone decides the rounding of the kept digits.
constexpr std::uint64_t kHalfDigit = 5;

// value / 10^exponent for 0 <= exponent <= 18. A constant divisor compiles to
// a multiplication; a divisor loaded from the table would cost a full 64-bit
// division (tens of cycles, about a tenth of the free-form conversion).
template <std::size_t... kExponents>
std::uint64_t DivideByPowerOfTen(std::uint64_t value, int exponent, std::index_sequence<kExponents...>) {
  std::uint64_t quotient = value;
  // One comparison per exponent; the first match divides and ends the chain.
  static_cast<void>(
      ((exponent == static_cast<int>(kExponents) && ((quotient = value / kIntegerPowers[kExponents]), true)) || ...));
  return quotient;
}
std::uint64_t DivideByPowerOfTen(std::uint64_t value, int exponent) {
  return DivideByPowerOfTen(value, exponent, std::make_index_sequence<kIntegerPowerCount>{});
}

// ExpandFinite for a value already known to be normal, with its bits read.
Expansion ExpandNormal(long double value, ExtendedBits bits) {
  Expansion expansion;
  expansion.negative = (bits.signAndExponent & kExtendedSignBit) != 0;
  const int binaryExponent = (bits.signAndExponent & kExtendedExponentMask) - kExtendedExponentBias;
  // Arithmetic shift: floor also for negative exponents.
  int decimalExponent = (binaryExponent * kLog2EstimateNumerator) >> kLog2EstimateShift;
  const long double magnitude = std::fabs(value);

  // a x 10^(17 - K) has 18 digits before the point when K is right.
  long double scaled = RoundToInteger(ScaleByPowerOfTen(magnitude, kMaxDigitCount - 1 - decimalExponent));
  if (scaled >= kTenTo18Extended) {
    scaled = scaled / 10.0L;
    ++decimalExponent;
  } else if (scaled < kTenTo17Extended) {
    scaled = ScaleByPowerOfTen(magnitude, kMaxDigitCount - decimalExponent);
    --decimalExponent;
  }
  // Below 10^18 < 2^63.
  expansion.significand = RoundToUnsigned(scaled);
  expansion.point = decimalExponent + 1;
  return expansion;
}

}  // namespace

Expansion ExpandFinite(long double value) {
  const ExtendedBits bits = BitsOfExtended(value);
  if (KindOfExtended(bits) != ExtendedKind::kNormal) {
    Expansion outside;
    outside.negative = (bits.signAndExponent & kExtendedSignBit) != 0;
    return outside;
  }
  return ExpandNormal(value, bits);
}

RoundedDigits RoundToDigits(long double value, int count) {
  RoundedDigits rounded;
  rounded.count = count < kMinDigitCount ? kMinDigitCount : (count > kMaxDigitCount ? kMaxDigitCount : count);
  const ExtendedBits bits = BitsOfExtended(value);
  switch (KindOfExtended(bits)) {
    case ExtendedKind::kZeroLike:
    case ExtendedKind::kNotANumber: return rounded;  // all zeros, point 1, not negative
    case ExtendedKind::kInfinity:
      rounded.negative = (bits.signAndExponent & kExtendedSignBit) != 0;
      rounded.digits = kIntegerPowers[rounded.count] - 1;
      rounded.point = kInfinityPoint;
      return rounded;
    case ExtendedKind::kNormal: break;
  }

  const Expansion expansion = ExpandNormal(value, bits);
  rounded.negative = expansion.negative;
  rounded.point = expansion.point;
  if (rounded.count == kMaxDigitCount) {
    rounded.digits = expansion.significand;
    return rounded;
  }
  // The first count + 1 digits; whatever follows them is ignored.
  const std::uint64_t leading = DivideByPowerOfTen(expansion.significand, kMaxDigitCount - 1 - rounded.count);
  const std::uint64_t decider = leading % 10;
  std::uint64_t kept = leading / 10;
  if (decider > kHalfDigit || (decider == kHalfDigit && (kept & 1) != 0)) {
    ++kept;
    if (kept == kIntegerPowers[rounded.count]) {
      kept = kIntegerPowers[rounded.count - 1];
      ++rounded.point;
    }
  }
  rounded.digits = kept;
  return rounded;
}

DigitString DecimalDigits(long double value, int count) {
  const RoundedDigits rounded = RoundToDigits(value, count);
  DigitString result;
  result.negative = rounded.negative;
  result.point = rounded.point;
  result.digits.assign(static_cast<std::size_t>(rounded.count), '0');
  std::uint64_t rest = rounded.digits;
  for (int i = rounded.count - 1; i >= 0; --i) {
    result.digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  return result;
}

}  // namespace numtext
