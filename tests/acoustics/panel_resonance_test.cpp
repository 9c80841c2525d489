#include "acoustics/panel/resonance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <variant>

#include "acoustics/panel/absorber.h"
#include "acoustics/panel/incidence.h"

namespace acoustics {
namespace {

Facing Made(const std::variant<Facing, PanelFault>& made) {
  EXPECT_TRUE(std::holds_alternative<Facing>(made));
  return std::get<Facing>(made);
}

// f0 = (c/2pi) sqrt(phi / (D L')) from tests/acoustics/reference/panel_absorber.py.
TEST(PanelResonanceTest, LumpedResonanceOfTheHeader) {
  const Facing holes = Made(PerforatedWithOpenArea(0.005, 0.003, 0.05));
  EXPECT_NEAR(LumpedResonanceHz(holes, 0.05, AirAt(20)), 695.850847819, 1e-8);
  EXPECT_NEAR(FacingEndCorrection(holes), 0.0031622527, 1e-10);
  EXPECT_NEAR(PitchForResonance(holes, HoleGrid::kSquare, 0.05, 695.850847819, AirAt(20)).value(), 0.019816636, 1e-9);
}

// The frequency of the highest normal-incidence absorption, on a grid of
// 4001 points over +-30% of `around_hz`.
double PeakHz(const Absorber& absorber, double around_hz) {
  double best_hz = 0;
  double best = -1;
  for (int i = 0; i <= 4000; ++i) {
    const double frequency_hz = around_hz * (0.7 + 0.6 * i / 4000);
    const double alpha = Absorption(SurfaceImpedance(absorber, frequency_hz, AirAt(20)), Incidence::kNormal);
    if (alpha > best) best = alpha, best_hz = frequency_hz;
  }
  return best_hz;
}

// The lumped model takes the cavity as a spring (cot(kD) ~ 1/(kD)) and the
// plug's mass without Maa's viscous correction: the peak lies a few per cent
// lower (mpmath: -4.9%, -4.4%, -1.7% for these three).
TEST(PanelResonanceTest, LumpedResonanceIsNearTheAbsorptionPeak) {
  struct Row {
    double diameter_m, thickness_m, open_area, depth_m;
  };
  for (const Row& row : {Row{0.005, 0.003, 0.05, 0.05}, Row{0.003, 0.0015, 0.01, 0.1}, Row{0.008, 0.012, 0.02, 0.05}}) {
    const Facing holes = Made(PerforatedWithOpenArea(row.diameter_m, row.thickness_m, row.open_area));
    const double lumped_hz = LumpedResonanceHz(holes, row.depth_m, AirAt(20));
    const double peak_hz = PeakHz({.facing = holes, .depth_m = row.depth_m, .fill = std::nullopt}, lumped_hz);
    EXPECT_NEAR(peak_hz / lumped_hz, 1, 0.05) << row.diameter_m;
    EXPECT_LT(peak_hz, lumped_hz) << row.diameter_m;
  }
}

// Seeded random designs: each inversion gives back what made the resonance.
TEST(PanelResonanceTest, InversionsGiveBackTheDesign) {
  std::mt19937_64 random(20260101);
  std::uniform_real_distribution<double> unit(0, 1);
  const Air air = AirAt(20);
  for (int trial = 0; trial < 500; ++trial) {
    const bool slotted = trial % 2 == 1;
    const HoleGrid grid = trial % 4 == 0 ? HoleGrid::kSquare : HoleGrid::kTriangular;
    const double opening_m = slotted ? 0.0005 + 0.01 * unit(random) : 0.0001 + 0.01 * unit(random);
    const double thickness_m = 0.0002 + 0.02 * unit(random);
    const double open_area = 0.002 + (slotted ? 0.9 : 0.39) * unit(random);
    const double depth_m = 0.01 + 0.3 * unit(random);
    const Facing facing = Made(slotted ? SlottedWithOpenArea(opening_m, thickness_m, open_area)
                                       : PerforatedWithOpenArea(opening_m, thickness_m, open_area));
    const double resonance_hz = LumpedResonanceHz(facing, depth_m, air);
    EXPECT_NEAR(DepthForResonance(facing, resonance_hz, air) / depth_m, 1, 1e-13) << trial;
    const double pitch_m =
        slotted ? opening_m / open_area : opening_m * std::sqrt(GridOpenArea(1, 1, grid) / open_area);
    const std::optional<double> pitch = PitchForResonance(facing, grid, depth_m, resonance_hz, air);
    ASSERT_TRUE(pitch) << trial;
    EXPECT_NEAR(*pitch / pitch_m, 1, 1e-11) << trial;
    const std::optional<double> opening = OpeningForResonance(facing, grid, pitch_m, depth_m, resonance_hz, air);
    ASSERT_TRUE(opening) << trial;
    EXPECT_NEAR(*opening / opening_m, 1, 1e-11) << trial;
  }
}

TEST(PanelResonanceTest, NoValueWhereNoneExists) {
  const Air air = AirAt(20);
  const Facing holes = Made(PerforatedWithOpenArea(0.005, 0.003, 0.05));
  // At phi = 0.4 this facing over 5 cm resonates near 2.4 kHz; 5 kHz needs more.
  EXPECT_FALSE(PitchForResonance(holes, HoleGrid::kSquare, 0.05, 5000, air));
  EXPECT_FALSE(OpeningForResonance(holes, HoleGrid::kSquare, 0.01, 0.05, 5000, air));
  // Slots 12 mm deep over 10 cm: K t reaches 1 (phi -> 1) near 1.58 kHz.
  const Facing slots = Made(SlottedWithOpenArea(0.003, 0.012, 0.1));
  EXPECT_FALSE(PitchForResonance(slots, HoleGrid::kSquare, 0.1, 2000, air));
  EXPECT_FALSE(OpeningForResonance(slots, HoleGrid::kSquare, 0.03, 0.1, 2000, air));
  EXPECT_TRUE(PitchForResonance(slots, HoleGrid::kSquare, 0.1, 300, air));
}

}  // namespace
}  // namespace acoustics
