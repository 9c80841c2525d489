#include "acoustics/air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "acoustics/end_corrections.h"
#include "acoustics/orifice.h"

namespace acoustics {
namespace {

// Reference values from mpmath at 30 digits, of the formulas as the headers
// write them.
TEST(AirTest, MatchesTheFormulasAtZeroAndTwentyDegrees) {
  struct Row {
    double temperature_c, sound_speed_m_s, density_kg_m3, viscosity_pa_s;
  };
  for (const Row& row : {Row{20, 343.214622682567938, 1.20411831637461574, 1.81340588214882354e-5},
                         Row{0, 331.3, 1.29228366994405493, 1.71607926624552689e-5}}) {
    const Air air = AirAt(row.temperature_c);
    EXPECT_NEAR(air.sound_speed_m_s, row.sound_speed_m_s, 1e-12 * row.sound_speed_m_s) << row.temperature_c;
    EXPECT_NEAR(air.density_kg_m3, row.density_kg_m3, 1e-14 * row.density_kg_m3) << row.temperature_c;
    EXPECT_NEAR(air.viscosity_pa_s, row.viscosity_pa_s, 1e-14 * row.viscosity_pa_s) << row.temperature_c;
  }
}

TEST(AirTest, SoundSpeedAloneKeepsDensityAndViscosity) {
  const Air air = WithSoundSpeed(AirAt(20), 340);
  EXPECT_EQ(air.sound_speed_m_s, 340);
  EXPECT_EQ(air.density_kg_m3, AirAt(20).density_kg_m3);
  EXPECT_EQ(air.viscosity_pa_s, AirAt(20).viscosity_pa_s);
}

TEST(EndCorrectionTest, SquareSlotAndInteractionFactor) {
  EXPECT_NEAR(static_cast<double>(SlotEndCorrection(1, 1, EndKind::kFlanged)), 0.473201004409338552, 1e-15);
  EXPECT_NEAR(static_cast<double>(HoleInteractionFactor(0.04L)), 0.772, 1e-15);
  EXPECT_EQ(RoundEndCorrection(2, EndKind::kFree), 2 * 0.6133L);
}

TEST(OrificeTest, MatchesTheFormulasOfTheHeader) {
  const double omega = 2 * std::numbers::pi * 186.41;
  const std::complex<double> round = RoundOrificeImpedance(0.02, 0.01, omega, AirAt(20));
  EXPECT_NEAR(round.real(), 0.00164287814563060169, 1e-15);
  EXPECT_NEAR(round.imag(), 0.0346724543810585285, 1e-14);
  const std::complex<double> slit = SlitImpedance(0.005, 0.01, 2 * std::numbers::pi * 100, AirAt(20));
  EXPECT_NEAR(slit.real(), 0.00167655833411050090, 1e-14);
  EXPECT_NEAR(slit.imag(), 0.0191051591736248107, 1e-13);
}

}  // namespace
}  // namespace acoustics
