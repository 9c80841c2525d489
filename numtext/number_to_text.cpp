// Free-form number text: a sign position, the shortest form of the rounded
// digits (whole, fixed point or with an exponent), one trailing blank.

#include <cstdint>
#include <cstring>
#include <string>

#include "numtext/numtext.h"
#include "numtext/rounded_digits.h"

namespace numtext {
namespace {

// Longest text: sign, 18 digits, point, "E-4950", blank; rounded up.
constexpr int kTextCapacity = 40;

// Writes `count` digits of `value` (most significant first) ending at `end`.
//   WriteDigitsBackward(end, 1234562, 7) fills end[-7..-1] with "1234562"
void WriteDigitsBackward(char* end, std::uint64_t value, int count) {
  for (int i = 1; i <= count; ++i) {
    end[-i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

}  // namespace

std::string NumberToText(long double value, int digits) {
  const RoundedDigits rounded = RoundToDigits(value, digits);
  const int count = rounded.count;
  char text[kTextCapacity];
  char* out = text;
  *out++ = rounded.negative ? '-' : ' ';

  // Trailing zeros go; only zero loses every digit.
  std::uint64_t significant = rounded.digits;
  int shownDigits = count;
  while (shownDigits > 0 && significant % 10 == 0) {
    significant /= 10;
    --shownDigits;
  }
  if (shownDigits == 0) {
    *out++ = '0';
    *out++ = ' ';
    return std::string(text, static_cast<std::size_t>(out - text));
  }

  char digitText[kMaxDigitCount];
  WriteDigitsBackward(digitText + shownDigits, significant, shownDigits);
  const auto copyDigits = [&out, &digitText](int from, int howMany) {
    std::memcpy(out, digitText + from, static_cast<std::size_t>(howMany));
    out += howMany;
  };

  const int point = rounded.point;
  const int lastDigitPosition = point - shownDigits;  // decimal position of the last digit
  if (lastDigitPosition >= 0 && point <= count) {
    // Whole number: "440", "9999999".
    copyDigits(0, shownDigits);
    for (int i = 0; i < lastDigitPosition; ++i) *out++ = '0';
  } else if (lastDigitPosition < 0 && -lastDigitPosition <= count) {
    // Fixed point without a leading 0: "12.5", ".04".
    if (point > 0) {
      copyDigits(0, point);
      *out++ = '.';
      copyDigits(point, shownDigits - point);
    } else {
      *out++ = '.';
      for (int i = 0; i < -point; ++i) *out++ = '0';
      copyDigits(0, shownDigits);
    }
  } else {
    // Exponent form: "1.234568E+7", "1E-20".
    copyDigits(0, 1);
    if (shownDigits > 1) {
      *out++ = '.';
      copyDigits(1, shownDigits - 1);
    }
    *out++ = 'E';
    int exponent = point - 1;
    *out++ = exponent >= 0 ? '+' : '-';
    if (exponent < 0) exponent = -exponent;
    char reversed[8];
    int length = 0;
    do {
      reversed[length++] = static_cast<char>('0' + exponent % 10);
      exponent /= 10;
    } while (exponent != 0);
    while (length > 0) *out++ = reversed[--length];
  }
  *out++ = ' ';
  return std::string(text, static_cast<std::size_t>(out - text));
}

}  // namespace numtext
