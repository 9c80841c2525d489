#include "numtext/plain_number.h"

#include <cassert>
#include <charconv>
#include <cmath>

namespace numtext {

namespace {

// Where plain decimals stay short enough to read: 1e-4 is "0.0001", a float
// just below 1e7 is "9999999".
bool PlainRange(double magnitude) { return magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e7); }

}  // namespace

void AppendShortestPlain(std::string& out, float value) {
  char digits[48];
  const std::chars_format format =
      std::isfinite(value) && PlainRange(std::fabs(value)) ? std::chars_format::fixed : std::chars_format::general;
  const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, value, format);
  out.append(digits, result.ptr);
}

std::string ShortestPlain(float value) {
  std::string text;
  AppendShortestPlain(text, value);
  return text;
}

std::string RoundedPlain(double value, int digits) {
  assert(digits >= 1 && digits <= 17);
  // %g's rule: fixed while -4 <= exponent < digits, so that 7 digits keep
  // the plain range above.
  char text[48];
  const std::to_chars_result result =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
  return std::string(text, result.ptr);
}

}  // namespace numtext
