// Direct access to the fields of the x86-64 80-bit extended format, so that
// every bit pattern (including the encodings the FPU rejects) can be sorted
// out before any arithmetic touches it. Internal to numtext.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

namespace numtext {

static_assert(std::numeric_limits<long double>::digits == 64, "numtext needs the 80-bit extended long double");

// Biased exponent field values of the format.
inline constexpr int kExtendedExponentBias = 16383;
inline constexpr std::uint16_t kExtendedExponentMask = 0x7FFF;
inline constexpr std::uint16_t kExtendedSignBit = 0x8000;
// The significand stores its integer bit explicitly, as its top bit.
inline constexpr std::uint64_t kExtendedIntegerBit = std::uint64_t{1} << 63;

// The ten bytes that carry a value (the rest of the 16-byte object is padding).
//   1.0L -> significand 0x8000000000000000, signAndExponent 0x3FFF
struct ExtendedBits {
  std::uint64_t significand = 0;
  std::uint16_t signAndExponent = 0;
};

inline ExtendedBits BitsOfExtended(long double value) {
  ExtendedBits bits;
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof value);
  std::memcpy(&bits.significand, bytes, sizeof bits.significand);
  std::memcpy(&bits.signAndExponent, bytes + sizeof bits.significand, sizeof bits.signAndExponent);
  return bits;
}

inline long double ExtendedFromBits(ExtendedBits bits) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &bits.significand, sizeof bits.significand);
  std::memcpy(bytes + sizeof bits.significand, &bits.signAndExponent, sizeof bits.signAndExponent);
  long double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// How the digit generator treats a bit pattern. Patterns the FPU refuses as
// operands (unnormals, pseudo-infinities, pseudo-NaNs) would turn into NaN at
// the first operation, so they are sorted with the NaNs.
enum class ExtendedKind { kZeroLike, kNormal, kInfinity, kNotANumber };

inline ExtendedKind KindOfExtended(ExtendedBits bits) {
  const int exponent = bits.signAndExponent & kExtendedExponentMask;
  const bool integerBit = (bits.significand & kExtendedIntegerBit) != 0;
  if (exponent == 0) return ExtendedKind::kZeroLike;  // zero, subnormal, pseudo-subnormal
  if (!integerBit) return ExtendedKind::kNotANumber;
  if (exponent == kExtendedExponentMask) {
    return (bits.significand << 1) == 0 ? ExtendedKind::kInfinity : ExtendedKind::kNotANumber;
  }
  return ExtendedKind::kNormal;
}

}  // namespace numtext
