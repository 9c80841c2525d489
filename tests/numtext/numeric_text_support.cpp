#include "numtext/numeric_text_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace numtext_test {

std::uint32_t BitsOfFloat(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float FloatFromBits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool SameExtendedBits(long double a, long double b) {
  // Only the first ten bytes carry the value.
  constexpr std::size_t kValueBytes = 10;
  return std::memcmp(&a, &b, kValueBytes) == 0;
}

LibraryDigits LibraryDecimalDigits(long double value, int digits) {
  // "%.*Le" gives d.ddd...e+XX with digits - 1 digits after the point.
  char buffer[256];
  const int length = std::snprintf(buffer, sizeof buffer, "%.*Le", digits - 1, std::fabs(value));
  if (length <= 0 || length >= static_cast<int>(sizeof buffer)) throw std::runtime_error("snprintf failed");
  LibraryDigits result;
  const char* letter = std::strchr(buffer, 'e');
  if (letter == nullptr) throw std::runtime_error("no exponent in library text");
  for (const char* p = buffer; p != letter; ++p) {
    if (*p != '.') result.digits.push_back(*p);
  }
  result.exponent = std::atoi(letter + 1);
  return result;
}

std::uint64_t LeadingDigitsValue(const std::string& text, int count) {
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i)
    value = value * 10 + static_cast<std::uint64_t>(text[static_cast<std::size_t>(i)] - '0');
  return value;
}

}  // namespace numtext_test
