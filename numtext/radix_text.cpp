// The '&' forms: the digits build an unsigned 64-bit value, and the first
// digit and the type suffix decide how that value is read back as a signed
// 16-, 32- or 64-bit integer.

#include "numtext/radix_text.h"

#include <cstddef>
#include <cstdint>

namespace numtext {
namespace {

constexpr int kBinaryShift = 1;
constexpr int kOctalShift = 3;
constexpr int kHexShift = 4;
constexpr int kAccumulatorBits = 64;

// Any value at or above this is no digit in any radix.
constexpr unsigned kNotADigit = 255;
constexpr unsigned kFirstLetterValue = 10;

// Boundaries of the 16- and 32-bit readings.
constexpr std::uint64_t kTwoTo15 = std::uint64_t{1} << 15;
constexpr std::uint64_t kTwoTo16 = std::uint64_t{1} << 16;
constexpr std::uint64_t kTwoTo31 = std::uint64_t{1} << 31;
constexpr std::uint64_t kTwoTo32 = std::uint64_t{1} << 32;
constexpr std::uint64_t kTwoTo63 = std::uint64_t{1} << 63;

enum class Suffix { kNone, kPercent, kAmpersand, kDoubleAmpersand, kQuestion };

// '0'..'9' are 0..9, letters of either case 10 ('A') upward.
unsigned DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned>(c - 'A') + kFirstLetterValue;
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a') + kFirstLetterValue;
  return kNotADigit;
}

// Without a type suffix or a leading 0, the value takes the narrowest
// integer type it fits as a bit pattern: &HFFFF is the 16-bit -1, &HFFFF&
// the 32-bit 65535.
//   0xFFFF, kNone -> -1      0xFFFF, kAmpersand -> 65535
std::int64_t ReadAsNarrowestInteger(std::uint64_t value, Suffix suffix) {
  const bool longSuffix = suffix == Suffix::kAmpersand || suffix == Suffix::kDoubleAmpersand;
  if (value < kTwoTo15) return static_cast<std::int64_t>(value);
  if (value < kTwoTo16) {
    return longSuffix ? static_cast<std::int64_t>(value)
                      : static_cast<std::int64_t>(value) - static_cast<std::int64_t>(kTwoTo16);
  }
  if (value < kTwoTo31) return static_cast<std::int64_t>(value);
  if (value < kTwoTo32) {
    return suffix == Suffix::kDoubleAmpersand ? static_cast<std::int64_t>(value)
                                              : static_cast<std::int64_t>(value) - static_cast<std::int64_t>(kTwoTo32);
  }
  return static_cast<std::int64_t>(value);  // two's complement 64-bit reading
}

}  // namespace

ScannedNumber ReadRadixText(std::string_view text) {
  std::size_t i = 0;
  unsigned radix = 8;
  int shift = kOctalShift;
  if (i < text.size()) {
    switch (text[i]) {
      case 'B':
      case 'b':
        radix = 2;
        shift = kBinaryShift;
        ++i;
        break;
      case 'H':
      case 'h':
        radix = 16;
        shift = kHexShift;
        ++i;
        break;
      case 'O':
      case 'o':
      case 'Q':
      case 'q': ++i; break;
      default: break;  // octal, and this character is the first candidate digit
    }
  }

  std::uint64_t value = 0;
  bool anyDigit = false;
  bool leadingZero = false;
  bool overflowed = false;
  for (; i < text.size(); ++i) {
    const unsigned digit = DigitValue(text[i]);
    if (digit >= radix) break;
    if (!anyDigit) {
      anyDigit = true;
      leadingZero = text[i] == '0';
    }
    if ((value >> (kAccumulatorBits - shift)) != 0) overflowed = true;  // a set bit would be lost
    value = (value << shift) | digit;
  }
  // Too many bits read as 0, as no digits do; the digits are still used up.
  if (!anyDigit || overflowed) return {0.0L, i, anyDigit, overflowed};

  Suffix suffix = Suffix::kNone;
  if (i < text.size()) {
    if (text[i] == '%') {
      suffix = Suffix::kPercent;
      ++i;
    } else if (text[i] == '&') {
      const bool doubled = i + 1 < text.size() && text[i + 1] == '&';
      suffix = doubled ? Suffix::kDoubleAmpersand : Suffix::kAmpersand;
      i += doubled ? 2 : 1;
    } else if (text[i] == '?') {
      suffix = Suffix::kQuestion;  // further '?' change nothing
      while (i < text.size() && text[i] == '?') ++i;
    }
  }

  if (suffix == Suffix::kQuestion) {
    return {value >= kTwoTo63 ? 0.0L : static_cast<long double>(value), i, true, value >= kTwoTo63};
  }
  if (leadingZero) return {static_cast<long double>(static_cast<std::int64_t>(value)), i, true, false};
  return {static_cast<long double>(ReadAsNarrowestInteger(value, suffix)), i, true, false};
}

}  // namespace numtext
