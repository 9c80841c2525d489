#include "acoustics/losses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

#include "acoustics/impedance.h"
#include "acoustics/resonator.h"
#include "tests/acoustics/resonator_examples.h"

namespace acoustics {
namespace {

using examples::Panel;
using examples::WorkedExample;

void ExpectRelative(double actual, double expected, double tolerance, const char* what) {
  EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << what;
}

// From mpmath at 30 digits (tests/acoustics/reference/resonator_losses.py).
TEST(LossesTest, WorkedExampleMatchesMpmathInEachModel) {
  struct Row {
    EndModel ends;
    double frequency_hz, q_radiation, q_viscous, q, bandwidth_hz;
    std::optional<double> peak_hz, peak_m2;
    double ideal_m2;
  };
  for (const Row& row : {
           Row{EndModel::kFlanged, 186.409409190293577407, 159.070441749088305995, 56.3682255400173717261,
               41.6198199241099036509, 4.47886150228892888892, 185.840382851827904999, 0.418614842885904915444,
               0.53953054526271004964},
           Row{EndModel::kFree, 205.182231300862358985, 238.791314172388725733, 48.8596811866540146962,
               40.5604975085940426993, 5.05867146371633928859, std::nullopt, std::nullopt, 0.44532},
           Row{EndModel::kFlangedFree, 195.121749603571341468, 138.760513926026857897, 52.6590175612599644754,
               38.1726581549250210803, 5.11155782790035572653, 194.481190017882905582, 0.394562622371198125711,
               0.49242527263135502482},
       }) {
    const Resonator design = WorkedExample(row.ends);
    const Air air = AirAt(20);
    const double frequency_hz = LosslessFrequencyHz(design, air);
    ExpectRelative(frequency_hz, row.frequency_hz, 1e-14, "f");
    const Losses losses = LossesAt(design, frequency_hz, air);
    ExpectRelative(losses.q_radiation, row.q_radiation, 1e-13, "q_radiation");
    ExpectRelative(losses.q_viscous, row.q_viscous, 1e-13, "q_viscous");
    ExpectRelative(losses.q, row.q, 1e-13, "q");
    ExpectRelative(losses.bandwidth_hz, row.bandwidth_hz, 1e-13, "bandwidth");
    ExpectRelative(IdealAbsorptionAreaM2(frequency_hz, air), row.ideal_m2, 1e-14, "ideal area");
    const std::optional<AbsorptionPeak> peak = PeakAbsorption(design, air);
    ASSERT_EQ(peak.has_value(), row.peak_m2.has_value());
    if (!peak) continue;
    ExpectRelative(peak->area_m2, *row.peak_m2, 1e-13, "peak area");
    // The top is flat: its frequency is known to the square root of rounding.
    ExpectRelative(peak->frequency_hz, *row.peak_hz, 1e-7, "peak frequency");
  }
}

TEST(LossesTest, FreeEndsRadiateHalfAndHaveNoAbsorptionArea) {
  const Air air = AirAt(20);
  const Resonator design = WorkedExample(EndModel::kFree);
  const double frequency_hz = LosslessFrequencyHz(design, air);
  EXPECT_FALSE(AbsorptionAreaM2(ImpedanceModel(design, air), frequency_hz));
  // Twice the textbook 2 pi sqrt(V (L'/S)^3), which takes the flanged
  // radiation, within Maa's mass factor and the higher terms in kb.
  const double length_m = design.thickness_m + EndCorrectionM(design);
  const double area_m2 = PortAreaM2(design.port);
  const double textbook = 2 * std::numbers::pi * std::sqrt(design.volume_m3 * std::pow(length_m / area_m2, 3));
  EXPECT_NEAR(LossesAt(design, frequency_hz, air).q_radiation / textbook, 2, 0.03);
}

// Matched losses: with a viscosity chosen so that Re(Z_orifice) = R_rad at the
// frequency where Im(Z) = 0, the area there is rho c / R_rad, which is
// lambda^2 / (2 pi) but for the piston's (kb)^2/6: its directivity.
TEST(LossesTest, MatchedLossesAbsorbTheIdealArea) {
  const Resonator design = WorkedExample(EndModel::kFlanged);
  Air air = AirAt(20);
  double frequency_hz = LosslessFrequencyHz(design, air);
  for (int i = 0; i < 60; ++i) {
    const ImpedanceModel model(design, air);
    // Im(Z) = 0 at omega^2 = stiffness / mass; the resistances scale as
    // sqrt(eta) in the end resistance that dominates.
    const double mass = model.Orifice(frequency_hz).imag() / frequency_hz;
    const double stiffness = -model.Cavity(frequency_hz).imag() * frequency_hz;
    frequency_hz = std::sqrt(stiffness / mass);
    const double ratio = model.Radiation(frequency_hz) / model.Orifice(frequency_hz).real();
    air.viscosity_pa_s *= ratio * ratio;
  }
  const ImpedanceModel model(design, air);
  ASSERT_NEAR(model.Orifice(frequency_hz).real() / model.Radiation(frequency_hz), 1, 1e-12);
  ASSERT_NEAR(model.Total(frequency_hz).imag() / model.Orifice(frequency_hz).imag(), 0, 1e-12);
  const double rho_c = air.density_kg_m3 * air.sound_speed_m_s;
  const double area_m2 = *AbsorptionAreaM2(model, frequency_hz);
  ExpectRelative(area_m2, rho_c / model.Radiation(frequency_hz), 1e-12, "matched area");
  const double kb = 2 * std::numbers::pi * frequency_hz / air.sound_speed_m_s * 0.01;
  ExpectRelative(area_m2, IdealAbsorptionAreaM2(frequency_hz, air) * (1 + kb * kb / 6), 1e-7, "lambda^2 / 2 pi");
  // No other frequency nor viscosity absorbs more.
  for (double factor : {0.99, 1.01}) {
    EXPECT_LT(*AbsorptionAreaM2(model, frequency_hz * factor), area_m2);
  }
}

// As the viscosity vanishes, Maa's mass factor goes to 1, the resonance to
// the lossless frequency and q_viscous grows as 1/sqrt(eta), infinite at 0.
TEST(LossesTest, LosslessLimit) {
  const Resonator design = WorkedExample(EndModel::kFlanged);
  const double lossless_hz = LosslessFrequencyHz(design, AirAt(20));
  double previous_q = 0;
  for (double viscosity_pa_s : {1.8e-9, 1.8e-13, 1.8e-17}) {
    Air air = AirAt(20);
    air.viscosity_pa_s = viscosity_pa_s;
    const Losses losses = LossesAt(design, lossless_hz, air);
    if (previous_q > 0) {
      EXPECT_NEAR(losses.q_viscous / previous_q, 100, 0.01) << viscosity_pa_s;
    }
    previous_q = losses.q_viscous;
  }
  Air inviscid = AirAt(20);
  inviscid.viscosity_pa_s = 0;
  const ImpedanceModel model(design, inviscid);
  EXPECT_EQ(LossesAt(design, lossless_hz, inviscid).q_viscous, INFINITY);
  EXPECT_NEAR(model.Total(lossless_hz).imag() / model.Orifice(lossless_hz).imag(), 0, 1e-14);
  EXPECT_EQ(model.Orifice(lossless_hz).real(), 0);
}

TEST(LossesTest, PanelRadiationQIsNearThePlaneWaveValue) {
  const Resonator design = Panel();
  const Air air = AirAt(20);
  ASSERT_FALSE(FindDesignFault(design));
  const double frequency_hz = LosslessFrequencyHz(design, air);
  ExpectRelative(frequency_hz, 513.874391544675415756, 1e-14, "panel f");
  ExpectRelative(EndCorrectionM(design), 0.00507547457126902198614, 1e-14, "panel end correction");
  const double q_radiation = LossesAt(design, frequency_hz, air).q_radiation;
  ExpectRelative(q_radiation, 2.02830932125761949617, 1e-13, "panel q_radiation");
  // k L' / phi, the plane wave's radiation Q of a perforated panel.
  const double k = 2 * std::numbers::pi * frequency_hz / air.sound_speed_m_s;
  const double plane_wave_q = k * (design.thickness_m + EndCorrectionM(design)) / *OpenAreaFraction(design);
  ExpectRelative(plane_wave_q, 2.12257725828405765437, 1e-13, "k L'/phi");
  EXPECT_NEAR(q_radiation / plane_wave_q, 1, 0.1);
  const AbsorptionPeak peak = *PeakAbsorption(design, air);
  ExpectRelative(peak.area_m2, 0.0760103556691908151214, 1e-13, "panel peak area");
  ExpectRelative(peak.frequency_hz, 538.385844772972731665, 1e-7, "panel peak frequency");
}

}  // namespace
}  // namespace acoustics
