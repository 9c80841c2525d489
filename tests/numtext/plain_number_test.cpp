#include "numtext/plain_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace numtext {
namespace {

TEST(PlainNumber, ShortestIsPlainFromATenThousandthToTenMillion) {
  const struct {
    float value;
    const char* text;
  } rows[] = {
      {100000.f, "100000"},
      {0.0870275f, "0.0870275"},
      {-0.5f, "-0.5"},
      {1e-4f, "0.0001"},
      {9999999.f, "9999999"},
      {1e7f, "1e+07"},
      {3.4154034e-08f, "3.4154034e-08"},
      {0.f, "0"},
      {std::numeric_limits<float>::infinity(), "inf"},
      {62235365376.f, "6.2235365e+10"},
  };
  for (const auto& row : rows) EXPECT_EQ(ShortestPlain(row.value), row.text) << row.text;
}

TEST(PlainNumber, RoundedKeepsSevenDigitsAndTheLeadingZero) {
  EXPECT_EQ(RoundedPlain(343.214622682568, 7), "343.2146");
  EXPECT_EQ(RoundedPlain(0.087027505, 7), "0.08702751");
  EXPECT_EQ(RoundedPlain(2919544000, 7), "2.919544e+09");
  EXPECT_EQ(RoundedPlain(3.425192e-15, 7), "3.425192e-15");
  EXPECT_EQ(RoundedPlain(40, 7), "40");
}

// Every shortest plain text reads back to its float, and uses an exponent
// only outside the plain range.
TEST(PlainNumber, ShortestReadsBackOnSeededRandomFloats) {
  std::mt19937 random(20261209);
  std::uniform_real_distribution<float> exponent(-12, 12);
  for (int i = 0; i < 20000; ++i) {
    const float value = std::pow(10.f, exponent(random)) * (i % 2 ? 1 : -1);
    const std::string text = ShortestPlain(value);
    EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
    const float magnitude = std::fabs(value);
    EXPECT_EQ(text.find('e') == std::string::npos, magnitude >= 1e-4f && magnitude < 1e7f) << text;
  }
}

}  // namespace
}  // namespace numtext
