// Any bytes as typed text: TextToNumber must return a number (never NaN,
// never beyond the overflow value's range), in time linear in the text, and
// skipping a leading blank must not change it.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "numtext/numtext.h"

namespace {

bool SameValueBytes(long double a, long double b) {
  constexpr std::size_t kValueBytes = 10;  // the rest of a long double is padding
  return std::memcmp(&a, &b, kValueBytes) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const long double value = numtext::TextToNumber(text);
  if (std::isnan(value) || std::isinf(value)) std::abort();

  const std::string indented = " " + std::string(text);
  if (!SameValueBytes(numtext::TextToNumber(indented), value)) std::abort();

  // The calculator's store to single precision is part of the road.
  volatile float stored = static_cast<float>(value);
  (void)stored;
  return 0;
}
