#include "numtext/mask_reference_support.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace numtext_test {
namespace {

// Biased float exponents: 0 holds the subnormals; 185 is 2^58, so magnitudes
// stay below 2^59 < 1E18 where the 18 kept digits are the whole integer.
constexpr std::uint32_t kLargestBiasedExponent = 185;
constexpr int kFloatFractionBits = 23;

// glibc prints the exact binary value rounded at the requested place. A
// float m x 2^e (m odd, e < 0) has exactly -e fraction digits, at most 149
// (the smallest subnormal 2^-149), so printing that many places is exact.
constexpr int kMostFractionPlaces = 149;

int ExactFractionPlaces(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  constexpr std::uint32_t kFractionMask = (1u << kFloatFractionBits) - 1;
  constexpr int kExponentBias = 127 + kFloatFractionBits;  // of the integer significand
  constexpr std::uint32_t kExponentMask = 0xFF;
  const std::uint32_t biased = (bits >> kFloatFractionBits) & kExponentMask;
  std::uint32_t significand = bits & kFractionMask;
  int exponent = 1 - kExponentBias;  // subnormals
  if (biased != 0) {
    significand |= kFractionMask + 1;
    exponent = static_cast<int>(biased) - kExponentBias;
  }
  if (significand == 0) return 0;
  exponent += std::countr_zero(significand);
  return exponent < 0 ? -exponent : 0;
}

// The formatter keeps the first 18 significant digits of the expansion.
constexpr std::size_t kKeptDigits = 18;

}  // namespace

ExactDecimal ExactDecimalOf(float value) {
  // Room for 39 integer digits (3.4E+38), a sign and a point besides.
  char text[kMostFractionPlaces + 64];
  std::snprintf(text, sizeof text, "%.*Lf", ExactFractionPlaces(value), static_cast<long double>(value));
  ExactDecimal exact;
  const char* c = text;
  if (*c == '-') {
    exact.negative = true;
    ++c;
  }
  std::string all;
  int integerDigits = 0;
  bool inFraction = false;
  for (; *c != '\0'; ++c) {
    if (*c == '.') {
      inFraction = true;
      continue;
    }
    all.push_back(*c);
    if (!inFraction) ++integerDigits;
  }
  const std::size_t first = all.find_first_not_of('0');
  if (first == std::string::npos) {
    exact.negative = false;  // -0 is no negative value
    return exact;
  }
  const std::size_t last = all.find_last_not_of('0');
  exact.digits = all.substr(first, last + 1 - first);
  exact.point = integerDigits - static_cast<int>(first);
  return exact;
}

std::string ReferenceMaskText(const ExactDecimal& exact, int fractionDigits) {
  const std::string kept = exact.digits.substr(0, kKeptDigits);
  // Integer and fraction digits laid out in full around the point.
  std::string integerPart;
  std::string fractionPart;
  if (exact.point > 0) {
    integerPart = kept.substr(0, static_cast<std::size_t>(exact.point));
    integerPart.resize(static_cast<std::size_t>(exact.point), '0');
    if (kept.size() > integerPart.size()) fractionPart = kept.substr(integerPart.size());
  } else {
    fractionPart = std::string(static_cast<std::size_t>(-exact.point), '0') + kept;
  }
  const std::size_t shown = static_cast<std::size_t>(fractionDigits);
  fractionPart.resize(std::max(fractionPart.size(), shown + 1), '0');

  std::string number = integerPart + fractionPart.substr(0, shown);
  const char dropped = fractionPart[shown];
  const bool restZero = fractionPart.find_first_not_of('0', shown + 1) == std::string::npos;
  const bool lastOdd = !number.empty() && (number.back() - '0') % 2 == 1;
  if (dropped > '5' || (dropped == '5' && (!restZero || lastOdd))) {
    std::size_t i = number.size();
    while (i > 0 && number[i - 1] == '9') number[--i] = '0';
    if (i == 0) {
      number.insert(number.begin(), '1');
    } else {
      ++number[i - 1];
    }
  }
  std::string whole = number.substr(0, number.size() - shown);
  if (whole.empty()) whole = "0";
  const std::string fraction = number.substr(number.size() - shown);

  std::string text;
  if (exact.negative && !(whole == "0" && shown == 0)) text = "-";
  text += whole;
  if (shown > 0) {
    text += '.';
    if (fraction.find_first_not_of('0') != std::string::npos) text += fraction;
  }
  return text;
}

float RandomMaskValue(std::mt19937_64& random) {
  std::uniform_int_distribution<int> kindOf(0, 9);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  const float sign = (random() & 1) != 0 ? -1.0f : 1.0f;
  const int kind = kindOf(random);
  if (kind < 4) {
    // Any bit pattern below 2^59: log-uniform over the whole range.
    std::uniform_int_distribution<std::uint32_t> exponentOf(0, kLargestBiasedExponent);
    std::uniform_int_distribution<std::uint32_t> fractionOf(0, (1u << kFloatFractionBits) - 1);
    const std::uint32_t bits = (exponentOf(random) << kFloatFractionBits) | fractionOf(random);
    float magnitude;
    std::memcpy(&magnitude, &bits, sizeof magnitude);
    return sign * magnitude;
  }
  if (kind < 6) return sign * unit(random) * 1E6f;  // ordinary values with fractions
  if (kind < 8) {
    // Exact ties: n.5 for whole numbers, n.25 and n.75 for tenths.
    static constexpr float kTieFractions[] = {0.5f, 0.25f, 0.75f};
    std::uniform_int_distribution<int> whole(0, 1 << 20);
    std::uniform_int_distribution<int> which(0, 2);
    return sign * (static_cast<float>(whole(random)) + kTieFractions[which(random)]);
  }
  if (kind < 9) return sign * unit(random) * 0.1f;  // most round to zero
  // Just below a power of ten: 9.96, 999.97 and the like carry into a new digit.
  std::uniform_int_distribution<int> powerOf(1, 7);
  float power = 1.0f;
  for (int p = powerOf(random); p > 0; --p) power *= 10.0f;
  return sign * (power - unit(random) * 0.1f);
}

std::string FloatText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

}  // namespace numtext_test
