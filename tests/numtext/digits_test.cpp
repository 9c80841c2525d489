// The power-of-ten table and the digit generator.

#include "numtext/digits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <random>
#include <string>

#include "numtext/extended_bits.h"
#include "numtext/numeric_text_support.h"
#include "tests/support/row_names.h"

namespace {

using numtext::DecimalDigits;
using numtext::ExpandFinite;
using numtext::ExtendedBits;
using numtext::ExtendedFromBits;
using numtext::PowerOfTen;
using numtext::ScaleByPowerOfTen;
using numtext_test::LibraryDecimalDigits;
using numtext_test::SameExtendedBits;

constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

// glibc's strtold rounds correctly, so it gives the nearest extended value to
// any exact power independently of our table.
long double LibraryPower(int m) {
  const std::string text = "1e" + std::to_string(m);
  return std::strtold(text.c_str(), nullptr);
}

TEST(PowerOfTenTest, ExactIntegersAndExtendedConstantsAreNearestToTheExactPowers) {
  // 10^0..10^27 are exact in 64 bits (5^27 < 2^64); the chain never rounds them.
  for (int m = 0; m <= 27; ++m) {
    EXPECT_TRUE(SameExtendedBits(PowerOfTen(m), LibraryPower(m))) << "10^" << m;
  }
  for (int i = 0, m = 8; i < 10; ++i, m *= 2) {
    EXPECT_TRUE(SameExtendedBits(PowerOfTen(m), LibraryPower(m))) << "10^" << m;
  }
}

// The chain as described for the table, multiplied at run time (volatile keeps
// the compiler from folding it), from constants that come from the C library.
long double RunTimeChain(int m) {
  static const long double kConstants[10] = {
      LibraryPower(8),   LibraryPower(16),  LibraryPower(32),   LibraryPower(64),   LibraryPower(128),
      LibraryPower(256), LibraryPower(512), LibraryPower(1024), LibraryPower(2048), LibraryPower(4096)};
  volatile long double power = 1.0L;
  if (m > 4096) {
    power = kConstants[9];
    m -= 4096;
  }
  long double small = 1.0L;
  for (int j = 0; j < m % 8; ++j) small *= 10.0L;
  power = power * small;
  for (int i = 0; i < 10; ++i) {
    if (((m / 8) >> i) & 1) power = power * kConstants[i];
  }
  return power;
}

TEST(PowerOfTenTest, EveryPowerEqualsTheChainOfRoundedProductsLowestBitFirst) {
  int mismatches = 0;
  for (int m = 0; m <= 8192; ++m) {
    if (!SameExtendedBits(PowerOfTen(m), RunTimeChain(m)) && ++mismatches <= 5) {
      ADD_FAILURE() << "10^" << m;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(PowerOfTenTest, OverflowsToInfinityOnlyBeyondTheExtendedRange) {
  EXPECT_TRUE(std::isfinite(PowerOfTen(4932)));
  EXPECT_EQ(PowerOfTen(4933), kInfinity);
  EXPECT_EQ(PowerOfTen(100000), kInfinity);
}

TEST(ScaleByPowerOfTenTest, MultipliesForPositiveAndDividesForNegativeExponents) {
  struct Row {
    long double a;
    int m;
    long double expected;
  };
  const Row rows[] = {
      {3.0L, 0, 3.0L},
      {3.0L, 2, 300.0L},
      // Division by 10 rounds once; multiplying by a rounded 0.1 would not.
      {3.0L, -1, 3.0L / 10.0L},
      {123456789012345678.0L, -17, 123456789012345678.0L / 1e17L},
      {1.0L, 4932, RunTimeChain(4932)},
  };
  for (const Row& row : rows) {
    EXPECT_TRUE(SameExtendedBits(ScaleByPowerOfTen(row.a, row.m), row.expected)) << row.a << " x 10^" << row.m;
  }
}

TEST(ScaleByPowerOfTenTest, StaysFiniteWhereOnlyThePowerWouldOverflow) {
  const long double smallestNormal = std::numeric_limits<long double>::min();
  const long double scaled = ScaleByPowerOfTen(smallestNormal, 4949);
  EXPECT_NEAR(static_cast<double>(scaled / 1e17L), 3.3621031431120935, 1e-15);
  const long double divided = ScaleByPowerOfTen(999999999999999999.0L, -4950);
  EXPECT_GT(divided, 0.0L);
  EXPECT_LT(divided, smallestNormal);
}

struct ExpansionRow {
  long double value;
  std::uint64_t significand;
  int point;
  bool negative;
};

TEST(ExpandFiniteTest, GivesEighteenDigitsAndThePointPosition) {
  const ExpansionRow rows[] = {
      {1234.5L, 123450000000000000ULL, 4, false},
      {-1234.5L, 123450000000000000ULL, 4, true},
      {1.0L, 100000000000000000ULL, 1, false},
      {0.5L, 500000000000000000ULL, 0, false},
      {913.77105712890625L, 913771057128906250ULL, 3, false},
      {static_cast<long double>(1e-5f), 999999974737875164ULL, -5, false},
      {999999999999999999.0L, 999999999999999999ULL, 18, false},
      {9.5L, 950000000000000000ULL, 1, false},
      // The decimal exponent estimate falls one short: 19 digits, divided by 10.
      {10.0L, 100000000000000000ULL, 2, false},
      // The estimate is one too high (only from 2^-681 down): scaled again.
      {0x1p-681L, 996719495109756754ULL, -205, false},
      {0x1p-16374L, 860698404636695938ULL, -4929, false},
      {std::numeric_limits<long double>::max(), 118973149535723176ULL, 4933, false},
      {std::numeric_limits<long double>::min(), 336210314311209351ULL, -4931, false},
  };
  for (const ExpansionRow& row : rows) {
    const numtext::Expansion expansion = ExpandFinite(row.value);
    EXPECT_EQ(expansion.significand, row.significand) << static_cast<double>(row.value);
    EXPECT_EQ(expansion.point, row.point) << static_cast<double>(row.value);
    EXPECT_EQ(expansion.negative, row.negative) << static_cast<double>(row.value);
  }
}

// Uniform over the bit patterns of normal extended values: every binade and
// both scaling paths get visited.
long double RandomNormalExtended(std::mt19937_64& random) {
  ExtendedBits bits;
  bits.significand = random() | numtext::kExtendedIntegerBit;
  bits.signAndExponent = static_cast<std::uint16_t>(1 + random() % 0x7FFE);
  if (random() & 1) bits.signAndExponent |= numtext::kExtendedSignBit;
  return ExtendedFromBits(bits);
}

TEST(ExpandFiniteTest, StaysWithinOneUnitOfTheCorrectlyRoundedEighteenDigits) {
  std::mt19937_64 random(20240601);
  int offByOne = 0;
  constexpr int kSamples = 100000;
  for (int i = 0; i < kSamples; ++i) {
    const long double value = RandomNormalExtended(random);
    const numtext::Expansion expansion = ExpandFinite(value);
    ASSERT_GE(expansion.significand, numtext::kTenTo17);
    ASSERT_LT(expansion.significand, numtext::kTenTo18);
    ASSERT_EQ(expansion.negative, std::signbit(value));
    const auto library = LibraryDecimalDigits(value, 18);
    const std::uint64_t expected = numtext_test::LeadingDigitsValue(library.digits, 18);
    // Compare as integers at the same decimal scale (a carry can move the point).
    const int scaleDifference = expansion.point - (library.exponent + 1);
    ASSERT_LE(std::abs(scaleDifference), 1) << static_cast<double>(value);
    const __int128 ours = static_cast<__int128>(expansion.significand) * (scaleDifference == 1 ? 10 : 1);
    const __int128 theirs = static_cast<__int128>(expected) * (scaleDifference == -1 ? 10 : 1);
    const __int128 difference = ours > theirs ? ours - theirs : theirs - ours;
    ASSERT_LE(difference, scaleDifference == 0 ? 1 : 10) << static_cast<double>(value);
    offByOne += difference != 0 ? 1 : 0;
  }
  // Some rounding in the scaling is expected, but it must stay rare.
  EXPECT_LT(offByOne, kSamples / 10);
}

struct DigitsRow {
  const char* name;
  long double value;
  int count;
  const char* digits;
  int point;
  bool negative;
};

class DecimalDigitsTest : public testing::TestWithParam<DigitsRow> {};

TEST_P(DecimalDigitsTest, MatchesRow) {
  const DigitsRow& row = GetParam();
  const numtext::DigitString result = DecimalDigits(row.value, row.count);
  EXPECT_EQ(result.digits, row.digits);
  EXPECT_EQ(result.point, row.point);
  EXPECT_EQ(result.negative, row.negative);
}

using testrows::RowName;

// Failures name the row instead of dumping its bytes.
void PrintTo(const DigitsRow& row, std::ostream* out) { *out << row.name; }

long double ExtendedWithBits(std::uint16_t signAndExponent, std::uint64_t significand) {
  ExtendedBits bits;
  bits.signAndExponent = signAndExponent;
  bits.significand = significand;
  return ExtendedFromBits(bits);
}

INSTANTIATE_TEST_SUITE_P(
    SpecialValues, DecimalDigitsTest,
    testing::Values(DigitsRow{"Zero", 0.0L, 7, "0000000", 1, false},
                    DigitsRow{"NegativeZero", -0.0L, 7, "0000000", 1, false},
                    DigitsRow{"Subnormal", -std::numeric_limits<long double>::denorm_min(), 7, "0000000", 1, false},
                    DigitsRow{"Infinity", kInfinity, 7, "9999999", 999, false},
                    DigitsRow{"NegativeInfinity", -kInfinity, 15, "999999999999999", 999, true},
                    DigitsRow{"NaN", -std::numeric_limits<long double>::quiet_NaN(), 7, "0000000", 1, false},
                    // Encodings the FPU refuses (integer bit clear) behave like NaN.
                    DigitsRow{"Unnormal", ExtendedWithBits(0x3FFF, 0x4000000000000000ULL), 7, "0000000", 1, false},
                    DigitsRow{"PseudoInfinity", ExtendedWithBits(0x7FFF, 0), 7, "0000000", 1, false}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    RoundingOnOneDigit, DecimalDigitsTest,
    testing::Values(DigitsRow{"EighthDigitFiveSeventhEven", 1234.5625L, 7, "1234562", 4, false},
                    DigitsRow{"EighthDigitFiveMoreDigitsIgnored", 913.77105712890625L, 7, "9137710", 3, false},
                    DigitsRow{"EighthDigitFiveSeventhOdd", 16777215.0L, 7, "1677722", 8, false},
                    DigitsRow{"EighthDigitAboveFive", 2.0L / 3.0L, 7, "6666667", 0, false},
                    DigitsRow{"EighthDigitBelowFive", 1.0L / 3.0L, 7, "3333333", 0, false},
                    DigitsRow{"CarryPastFirstDigit", static_cast<long double>(1e-5f), 7, "1000000", -4, false},
                    DigitsRow{"NegativeKeepsItsSign", -3.25L, 2, "32", 1, true},
                    DigitsRow{"OneDigit", 95.0L, 1, "1", 3, false},
                    DigitsRow{"FifteenDigits", static_cast<long double>(-3.2f), 15, "320000004768372", 1, true},
                    DigitsRow{"EighteenDigitsUnrounded", 0.1L, 18, "100000000000000000", 0, false}),
    RowName);

INSTANTIATE_TEST_SUITE_P(CountOutsideOneToEighteen, DecimalDigitsTest,
                         testing::Values(DigitsRow{"ZeroCountMeansOne", 440.0L, 0, "4", 3, false},
                                         DigitsRow{"NegativeCountMeansOne", 560.0L, -5, "6", 3, false},
                                         DigitsRow{"LargeCountMeansEighteen", 0.5L, 40, "500000000000000000", 0,
                                                   false}),
                         RowName);

}  // namespace
