// The power operation: squares are exact products, square roots are total.
#include <cmath>
#include <limits>
#include <ostream>
#include <random>

#include <gtest/gtest.h>

#include "calculator/resonator.h"

namespace calculator {
namespace {

constexpr long double kInfinity = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

struct PowerCase {
  long double base;
  long double exponent;
  long double expected;
};

// Test names show the call, not the row's bytes (which hold padding).
void PrintTo(const PowerCase& c, std::ostream* os) { *os << "Power(" << c.base << ',' << c.exponent << ')'; }

class PowerRules : public ::testing::TestWithParam<PowerCase> {};

TEST_P(PowerRules, GivesTheRuleResult) {
  const PowerCase& c = GetParam();
  const long double result = Power(c.base, c.exponent);
  if (std::isnan(c.expected)) {
    EXPECT_TRUE(std::isnan(result)) << result;
  } else {
    EXPECT_EQ(result, c.expected) << "Power(" << c.base << ", " << c.exponent << ")";
  }
}

// Square roots of values that have no finite real root are 1.
INSTANTIATE_TEST_SUITE_P(RootOfNoNumberIsOne, PowerRules,
                         ::testing::Values(PowerCase{-9, 0.5L, 1}, PowerCase{-0.25L, 0.5L, 1},
                                           PowerCase{-kInfinity, 0.5L, 1}, PowerCase{kInfinity, 0.5L, 1},
                                           PowerCase{kNaN, 0.5L, 1}));

// A negative or NaN base rounds the exponent to the nearest integer, ties to
// even, before anything else: 2.5 -> 2, 1.5 -> 2, 0.5 -> 0, -0.5 -> 0.
INSTANTIATE_TEST_SUITE_P(NegativeBaseRoundsTheExponent, PowerRules,
                         ::testing::Values(PowerCase{-3, 2.5L, 9}, PowerCase{-3, 1.5L, 9}, PowerCase{-3, 3.4L, -27},
                                           PowerCase{-2, -0.5L, 1}, PowerCase{-2, -2, 0.25L},
                                           PowerCase{kNaN, 2, kNaN}));

INSTANTIATE_TEST_SUITE_P(ZeroExponentAndZeroBase, PowerRules,
                         ::testing::Values(PowerCase{0, 0, 1}, PowerCase{kInfinity, 0, 1}, PowerCase{kNaN, 0, 1},
                                           PowerCase{0, 0.5L, 0}, PowerCase{0, 2, 0}, PowerCase{-0.0L, 0.5L, 0},
                                           PowerCase{0, -1, kNaN}));

INSTANTIATE_TEST_SUITE_P(IntegralExponents, PowerRules,
                         ::testing::Values(PowerCase{3, 2, 9}, PowerCase{-3, 2, 9}, PowerCase{2, 10, 1024},
                                           PowerCase{2, -3, 0.125L}, PowerCase{-2, 3, -8},
                                           PowerCase{kInfinity, 2, kInfinity}, PowerCase{5, 1, 5}));

INSTANTIATE_TEST_SUITE_P(ExactRoots, PowerRules,
                         ::testing::Values(PowerCase{9, 0.5L, 3}, PowerCase{0.25L, 0.5L, 0.5L}, PowerCase{1, 0.5L, 1}));

TEST(PowerTest, SquareIsExactlyTheProductForAnyValue) {
  std::mt19937_64 generator(20240601);
  std::uniform_real_distribution<long double> mantissa(-1, 1);
  std::uniform_int_distribution<int> scale(-200, 200);
  for (int i = 0; i < 2000; ++i) {
    const long double x = std::ldexp(mantissa(generator), scale(generator));
    ASSERT_EQ(Power(x, 2), x * x) << x;
  }
}

TEST(PowerTest, RootOfAPositiveNumberSquaresBackToIt) {
  std::mt19937_64 generator(7);
  std::uniform_real_distribution<long double> mantissa(0.5L, 1);
  std::uniform_int_distribution<int> scale(-120, 120);
  const long double epsilon = std::numeric_limits<long double>::epsilon();
  for (int i = 0; i < 2000; ++i) {
    const long double x = std::ldexp(mantissa(generator), scale(generator));
    const long double root = Power(x, 0.5L);
    ASSERT_LE(std::fabs(root * root - x), 2 * epsilon * x) << x;
    ASSERT_NEAR(static_cast<double>(root), std::sqrt(static_cast<double>(x)),
                1e-15 * std::sqrt(static_cast<double>(x)));
  }
}

TEST(PowerTest, HugeNonIntegralExponentGoesThroughTheLogarithm) {
  EXPECT_EQ(Power(2, 70000.5L), kInfinity);
  EXPECT_NEAR(static_cast<double>(Power(2, 0.5L)), std::sqrt(2.0), 1e-15);
}

}  // namespace
}  // namespace calculator
