// A design solved without its cross-check lines is the same design, bit for
// bit, in every other field: for each choice over seeded random values,
// ordinary and awkward (zero, negative, tiny, huge, infinite, NaN).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>

#include "calculator/design.h"

namespace calculator {
namespace {

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

void ExpectSameBits(const Quantities& a, const Quantities& b) {
  EXPECT_EQ(Bits(a.frequency), Bits(b.frequency));
  EXPECT_EQ(Bits(a.volume), Bits(b.volume));
  EXPECT_EQ(Bits(a.thickness), Bits(b.thickness));
  EXPECT_EQ(Bits(a.diameter), Bits(b.diameter));
  EXPECT_EQ(Bits(a.radius), Bits(b.radius));
  EXPECT_EQ(Bits(a.surface), Bits(b.surface));
}

float Draw(std::mt19937& random) {
  constexpr float kAwkward[] = {0.0F,
                                -0.0F,
                                -1.0F,
                                1e-30F,
                                3e38F,
                                std::numeric_limits<float>::infinity(),
                                std::numeric_limits<float>::quiet_NaN()};
  if (std::uniform_int_distribution<int>(0, 7)(random) == 0) {
    return kAwkward[std::uniform_int_distribution<std::size_t>(0, std::size(kAwkward) - 1)(random)];
  }
  return std::exp(std::uniform_real_distribution<float>(-5.0F, 12.0F)(random));
}

TEST(SolveWithoutChecks, GivesTheSameDesignButTheCrossChecks) {
  std::mt19937 random(8122026);
  const Constants constants = MakeConstants();
  for (const Choice choice : kChoices) {
    for (int trial = 0; trial < 2000; ++trial) {
      Quantities typed;
      for (const Quantity quantity : AskedQuantities(choice)) Field(typed, quantity) = Draw(random);
      const Design full = Solve(choice, typed, constants);
      const Design lean = Solve(choice, typed, constants, Checks::kSkipped);
      SCOPED_TRACE(testing::Message() << "choice " << static_cast<int>(choice) << ", trial " << trial);
      ExpectSameBits(full.quantities, lean.quantities);
      EXPECT_EQ(Bits(full.result.value), Bits(lean.result.value));
      EXPECT_EQ(full.result.label, lean.result.label);
      EXPECT_EQ(full.resultMessage, lean.resultMessage);
      EXPECT_EQ(full.newLineAfterResult, lean.newLineAfterResult);
      EXPECT_EQ(full.possible, lean.possible);
      if (HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace calculator
