// Any 80-bit pattern (including the encodings the FPU refuses) and any digit
// count: NumberToText must produce a well-formed text that reads back close
// to the value, and the digit generator must keep its 18-digit contract.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "numtext/digits.h"
#include "numtext/extended_bits.h"
#include "numtext/numtext.h"

namespace {

constexpr std::size_t kPatternBytes = 10;
// Sign, 18 digits, point, "E-4950", blank.
constexpr std::size_t kLongestText = 28;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsTextCharacter(char c) { return (c >= '0' && c <= '9') || c == '.' || c == 'E' || c == '+' || c == '-'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kPatternBytes + 1) return 0;
  numtext::ExtendedBits bits;
  std::memcpy(&bits.significand, data, sizeof bits.significand);
  std::memcpy(&bits.signAndExponent, data + sizeof bits.significand, sizeof bits.signAndExponent);
  const long double value = numtext::ExtendedFromBits(bits);
  // Counts outside 1..18 are clamped; let some through.
  const int count = static_cast<int>(data[kPatternBytes] % 24) - 2;

  const std::string text = numtext::NumberToText(value, count);
  Check(text.size() >= 3 && text.size() <= kLongestText);
  Check(text.front() == ' ' || text.front() == '-');
  Check(text.back() == ' ');
  for (std::size_t i = 1; i + 1 < text.size(); ++i) Check(IsTextCharacter(text[i]));

  const numtext::DigitString digits = numtext::DecimalDigits(value, count);
  const int clamped = count < 1 ? 1 : (count > 18 ? 18 : count);
  Check(digits.digits.size() == static_cast<std::size_t>(clamped));

  if (numtext::KindOfExtended(bits) == numtext::ExtendedKind::kNormal) {
    const numtext::Expansion expansion = numtext::ExpandFinite(value);
    Check(expansion.significand >= numtext::kTenTo17 && expansion.significand < numtext::kTenTo18);
    Check(digits.digits.front() != '0');
    // The text reads back within one unit of its last digit (plus the
    // generator's own slack) unless it is too small for the reader's range.
    const long double back = numtext::TextToNumber(text);
    const long double magnitude = std::fabs(value);
    if (magnitude > 1e-4900L && magnitude < 1e4900L) {
      const long double relative = std::fabs(back - value) / magnitude;
      Check(relative <= 10.0L * std::pow(10.0L, static_cast<long double>(1 - clamped)) + 1e-17L);
      Check(std::signbit(back) == std::signbit(value));
    }
  }
  return 0;
}
