// FormatWithMask on arbitrary masks and arbitrary 80-bit values: the first
// ten bytes are the value's bit pattern (any pattern, the ones the FPU
// rejects included), the rest is the mask.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "numtext/numtext.h"

namespace {

// The bytes that carry an x86-64 extended value.
constexpr std::size_t kValueBytes = 10;

// However odd the mask, the text is bounded: at most one character per mask
// character, plus the 4933 integer digits of the largest value (4935 with
// percent, one more from a carry), a ',' per three integer digits or
// positions, and a sign and an exponent.
constexpr std::size_t kMostIntegerDigits = 4936;
constexpr std::size_t kGroupSize = 3;
constexpr std::size_t kSlack = 64;

std::size_t LongestText(std::size_t maskSize) {
  return maskSize + kMostIntegerDigits + (maskSize + kMostIntegerDigits) / kGroupSize + kSlack;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kValueBytes) return 0;
  long double value = 0.0L;
  std::memcpy(&value, data, kValueBytes);
  const std::string_view mask(reinterpret_cast<const char*>(data + kValueBytes), size - kValueBytes);
  const std::string text = numtext::FormatWithMask(value, mask);
  if (text.size() > LongestText(mask.size())) __builtin_trap();
  return 0;
}
