// Worked examples and special results of the resonator formulas, compared bit
// for bit at single precision: the rounding points of each formula decide the
// last bit, so a near-miss here means a rounding point moved.
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "calculator/resonator.h"

namespace calculator {
namespace {

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

const Constants kScreen = MakeConstants();

TEST(FormulasTest, ConstantsHaveTheirTabulatedValues) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(kScreen.pi), std::bit_cast<std::uint64_t>(3.141592653589793));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(kScreen.twoPi), std::bit_cast<std::uint64_t>(6.283185307179586));
  // The double nearest to sqrt(pi/4), from an independent square root.
  const double nearestRoot = static_cast<double>(std::sqrt(std::acos(-1.0L) / 4));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(kScreen.endCorrection), std::bit_cast<std::uint64_t>(nearestRoot));
  EXPECT_NEAR(kScreen.endCorrection, 0.886226925452758, 1e-15);
  EXPECT_EQ(Bits(kScreen.soundSpeed), Bits(34000.0F));
}

// Another speed of sound changes nothing but c: f is proportional to c and V
// to c^2, so doubling c doubles every frequency and quadruples every volume
// exactly (a power of two moves no rounding point), and 343.2 m/s scales them
// by its ratio to within a rounding of the result.
TEST(FormulasTest, FrequencyAndVolumeFollowTheSpeedOfSound) {
  const Constants doubled = MakeConstants(68000);
  const Constants warm = MakeConstants(34320);
  const double ratio = 34320.0 / 34000.0;
  for (const float radius : {0.25F, 1.0F, 3.5F}) {
    for (const float thickness : {0.5F, 1.0F, 12.0F}) {
      const float f = FrequencyRound(radius, thickness, 1000, kScreen);
      const float fAny = FrequencyAny(radius * radius, thickness, 1000, kScreen);
      const float v = VolumeRound(radius, thickness, 100, kScreen);
      const float vAny = VolumeAny(radius * radius, thickness, 100, kScreen);
      EXPECT_EQ(Bits(FrequencyRound(radius, thickness, 1000, doubled)), Bits(2 * f));
      EXPECT_EQ(Bits(FrequencyAny(radius * radius, thickness, 1000, doubled)), Bits(2 * fAny));
      EXPECT_EQ(Bits(VolumeRound(radius, thickness, 100, doubled)), Bits(4 * v));
      EXPECT_EQ(Bits(VolumeAny(radius * radius, thickness, 100, doubled)), Bits(4 * vAny));
      EXPECT_NEAR(FrequencyRound(radius, thickness, 1000, warm), f * ratio, f * ratio * 1e-6);
      EXPECT_NEAR(VolumeAny(radius * radius, thickness, 100, warm), vAny * ratio * ratio, vAny * 2e-6);
    }
  }
}

// One call of a three-argument formula and the single-precision result it must
// return, as the float nearest to the tabulated decimal.
struct FormulaCase {
  const char* name;
  float (*formula)(float, float, float, const Constants&);
  float first, second, third;
  float expected;
};

void PrintTo(const FormulaCase& c, std::ostream* os) { *os << c.name; }

class FormulaExamples : public ::testing::TestWithParam<FormulaCase> {};

TEST_P(FormulaExamples, ReturnsTheExactSingle) {
  const FormulaCase& c = GetParam();
  const float result = c.formula(c.first, c.second, c.third, kScreen);
  EXPECT_EQ(Bits(result), Bits(c.expected)) << c.name << " gave " << result;
}

// Round orifice, r = 1 cm, t = 1 cm, V = 1000 cm^3, and the same relation
// solved for each of the four quantities.
INSTANTIATE_TEST_SUITE_P(
    RoundOrifice, FormulaExamples,
    ::testing::Values(FormulaCase{"FrequencyRound(1,1,1000)", FrequencyRound, 1, 1, 1000, 220.83963F},
                      FormulaCase{"VolumeRound(1,1,220.83963)", VolumeRound, 1, 1, 220.83963F, 1000},
                      FormulaCase{"ThicknessRound(1,1000,220.83963)", ThicknessRound, 1, 1000, 220.83963F, 1},
                      FormulaCase{"DiameterRound(1000,220.83963,1)", DiameterRound, 1000, 220.83963F, 1, 1.9999999F},
                      FormulaCase{"VolumeRound(1,1,100)", VolumeRound, 1, 1, 100, 4877.014F},
                      FormulaCase{"ThicknessRound(1,1000,100)", ThicknessRound, 1, 1000, 100, 8.312929F},
                      FormulaCase{"DiameterRound(1000,100,1)", DiameterRound, 1000, 100, 1, 0.7627487F},
                      FormulaCase{"FrequencyRound(2,0.5,500)", FrequencyRound, 2, 0.5F, 500, 569.0775F}));

INSTANTIATE_TEST_SUITE_P(
    AnyOrifice, FormulaExamples,
    ::testing::Values(FormulaCase{"FrequencyAny(4,1,1000)", FrequencyAny, 4, 1, 1000, 197.59157F},
                      FormulaCase{"VolumeAny(4,1,197.59157)", VolumeAny, 4, 1, 197.59157F, 1000.00006F},
                      FormulaCase{"ThicknessAny(4,1000,197.59157)", ThicknessAny, 4, 1000, 197.59157F, 1.0000001F},
                      FormulaCase{"SurfaceAny(1000,197.59157,1)", SurfaceAny, 1000, 197.59157F, 1, 3.9999995F},
                      FormulaCase{"VolumeAny(4,1,100)", VolumeAny, 4, 1, 100, 3904.243F},
                      FormulaCase{"ThicknessAny(4,1000,100)", ThicknessAny, 4, 1000, 100, 9.7127285F},
                      FormulaCase{"SurfaceAny(1000,100,1)", SurfaceAny, 1000, 100, 1, 0.60774153F}));

// A negative discriminant means no orifice fits: the solvers give 0.
INSTANTIATE_TEST_SUITE_P(NegativeDiscriminant, FormulaExamples,
                         ::testing::Values(FormulaCase{"DiameterRound(1000,100,-50)", DiameterRound, 1000, 100, -50, 0},
                                           FormulaCase{"SurfaceAny(1000,100,-1)", SurfaceAny, 1000, 100, -1, 0}));

// Zero thickness still leaves two roots, one of them at (or next to) zero.
INSTANTIATE_TEST_SUITE_P(
    ZeroThickness, FormulaExamples,
    ::testing::Values(FormulaCase{"DiameterRound(1000,100,0)", DiameterRound, 1000, 100, 0, 0.19267571F},
                      FormulaCase{"SurfaceAny(1000,100,0)", SurfaceAny, 1000, 100, 0, 0.11662827F}));

// A frequency too high for the orifice implies a negative wall.
INSTANTIATE_TEST_SUITE_P(
    NegativeThickness, FormulaExamples,
    ::testing::Values(FormulaCase{"ThicknessRound(1,1000,2000)", ThicknessRound, 1, 1000, 2000, -0.86322904F},
                      FormulaCase{"ThicknessAny(4,1000,2000)", ThicknessAny, 4, 1000, 2000, -1.9707181F}));

// Square roots of negative or infinite values are 1, so these come out as
// c*r/2 = 17000 and c/2pi = 5411.268; a zero radius gives no frequency.
INSTANTIATE_TEST_SUITE_P(RootOfNoNumber, FormulaExamples,
                         ::testing::Values(FormulaCase{"FrequencyRound(1,1,-1000)", FrequencyRound, 1, 1, -1000, 17000},
                                           FormulaCase{"FrequencyAny(-4,1,1000)", FrequencyAny, -4, 1, 1000, 5411.268F},
                                           FormulaCase{"FrequencyRound(1,1,0)", FrequencyRound, 1, 1, 0, 17000},
                                           FormulaCase{"FrequencyAny(4,1,0)", FrequencyAny, 4, 1, 0, 5411.268F},
                                           FormulaCase{"FrequencyRound(0,1,1000)", FrequencyRound, 0, 1, 1000, 0}));

TEST(FormulasTest, SameHoleGivesALowerFrequencyWithTheAnyShapeNeck) {
  // The any-shape neck correction sqrt(S) is twice K*r, so the same round
  // hole resonates lower: 182.1553 Hz instead of 220.8396 Hz.
  const float surface = 3.1415927F;
  const float thickness = 1;
  const float volume = 1000;
  EXPECT_NEAR(FrequencyAny(surface, thickness, volume, kScreen), 182.1553F, 5e-5F);
}

struct PlausibilityCase {
  const char* name;
  bool (*test)(float, float, float, const Constants&);
  float orifice, volume, frequency;
  bool expected;
};

void PrintTo(const PlausibilityCase& c, std::ostream* os) { *os << c.name; }

class PlausibilityExamples : public ::testing::TestWithParam<PlausibilityCase> {};

TEST_P(PlausibilityExamples, IsTrueWhenPossible) {
  const PlausibilityCase& c = GetParam();
  EXPECT_EQ(c.test(c.orifice, c.volume, c.frequency, kScreen), c.expected) << c.name;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Examples, PlausibilityExamples,
    ::testing::Values(PlausibilityCase{"Round(1,1000,220.83963)", ValuesPossibleRound, 1, 1000, 220.83963F, true},
                      PlausibilityCase{"Round(1,1000,2000)", ValuesPossibleRound, 1, 1000, 2000, false},
                      PlausibilityCase{"Any(4,1000,197.59157)", ValuesPossibleAny, 4, 1000, 197.59157F, true},
                      PlausibilityCase{"Any(4,1000,2000)", ValuesPossibleAny, 4, 1000, 2000, false},
                      // Undecidable comparisons (NaN on one side) count as possible.
                      PlausibilityCase{"Round(1,inf,0) is 0/NaN", ValuesPossibleRound, 1, kInfinity, 0, true},
                      PlausibilityCase{"Round(NaN,1000,100)", ValuesPossibleRound, kNaN, 1000, 100, true},
                      PlausibilityCase{"Any(0,1000,0) is 0/0", ValuesPossibleAny, 0, 1000, 0, true},
                      // sqrt of a negative surface is 1, against a negative A: impossible.
                      PlausibilityCase{"Any(-4,1000,100)", ValuesPossibleAny, -4, 1000, 100, false},
                      // Equality counts as possible: a zero orifice implies a zero wall.
                      PlausibilityCase{"Round(0,1000,100) is 0 == 0", ValuesPossibleRound, 0, 1000, 100, true},
                      PlausibilityCase{"Any(0,1000,100) is 0 == 0", ValuesPossibleAny, 0, 1000, 100, true},
                      // A zero frequency makes A infinite: always possible.
                      PlausibilityCase{"Round(1,1000,0)", ValuesPossibleRound, 1, 1000, 0, true}));

}  // namespace
}  // namespace calculator
