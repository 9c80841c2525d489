#include "acoustics/response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>

#include "acoustics/impedance.h"
#include "acoustics/orifice.h"
#include "acoustics/resonator.h"
#include "tests/acoustics/resonator_examples.h"

namespace acoustics {
namespace {

using examples::WorkedExample;

void ExpectRelative(double actual, double expected, double tolerance, const char* what, double frequency_hz) {
  EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << what << " at " << frequency_hz;
}

// From mpmath at 30 digits (tests/acoustics/reference/resonator_losses.py):
// below, near, above the resonance and where kb is about 1.
TEST(ResponseTest, WorkedExampleMatchesMpmath) {
  struct Row {
    EndModel ends;
    double frequency_hz, orifice_re, orifice_im, radiation, cavity_im, gain_db;
    std::optional<double> area_m2;
  };
  for (const Row& row : {
           Row{EndModel::kFlanged, 20, 711.892616959660412674, 13226.473814962312836, 8.81743505049299559556,
               -1128732.06877286583546, 0.102380411503490892878, 9.45726892174522708461e-7},
           Row{EndModel::kFlanged, 186.41, 2161.17743884639343903, 121821.929484033744779, 765.838802208472259353,
               -121102.094176585575464, 32.079503178696906277, 0.393217079379196311954},
           Row{EndModel::kFlanged, 1000, 5002.80884074141813171, 651325.64206247860366, 21920.8512342107037316,
               -22574.6413754573167092, -28.9051126356557951973, 0.0000208812196752552827437},
           Row{EndModel::kFlanged, 5000, 11185.4770356392260571, 3252021.29515127266608, 479289.524846880980231,
               -4514.92827509146334185, -57.2359346539513136625, 0.00000171417150315501899442},
           Row{EndModel::kFree, 20, 711.892616959660412674, 10957.6609520329337767, 4.40871752524649779778,
               -1128732.06877286583546, 0.084732259823111411657, std::nullopt},
           Row{EndModel::kFree, 186.41, 2161.17743884639343903, 100675.459195100467643, 382.919401104236129676,
               -121102.094176585575464, 15.3922450147392175127, std::nullopt},
           Row{EndModel::kFree, 1000, 5002.80884074141813171, 537884.998916009650692, 10960.4256171053518658,
               -22574.6413754573167092, -27.1731258626043775238, std::nullopt},
           Row{EndModel::kFree, 5000, 11185.4770356392260571, 2684818.07941892790124, 239644.762423440490116,
               -4514.92827509146334185, -55.5085300220230111688, std::nullopt},
           Row{EndModel::kFlangedFree, 20, 711.892616959660412674, 12092.0673834976233063, 8.81743505049299559556,
               -1128732.06877286583546, 0.0935518424137257948133, 9.43806321056222990876e-7},
           Row{EndModel::kFlangedFree, 186.41, 2161.17743884639343903, 111248.694339567106211, 765.838802208472259353,
               -121102.094176585575464, 21.4240539132954218403, 0.0338132913512973180367},
           Row{EndModel::kFlangedFree, 1000, 5002.80884074141813171, 594605.320489244127176, 21920.8512342107037316,
               -22574.6413754573167092, -28.0855794527343034062, 0.000025217915233470952684},
           Row{EndModel::kFlangedFree, 5000, 11185.4770356392260571, 2968419.68728510028366, 479289.524846880980231,
               -4514.92827509146334185, -56.4615979862132655294, 0.00000204874514669528565575},
       }) {
    const ImpedanceModel model(WorkedExample(row.ends), AirAt(20));
    const double f = row.frequency_hz;
    ExpectRelative(model.Orifice(f).real(), row.orifice_re, 1e-13, "orifice re", f);
    ExpectRelative(model.Orifice(f).imag(), row.orifice_im, 1e-13, "orifice im", f);
    ExpectRelative(model.Radiation(f), row.radiation, 1e-13, "radiation", f);
    ExpectRelative(model.Cavity(f).imag(), row.cavity_im, 1e-14, "cavity", f);
    const ResponsePoint point = ResponseAt(model, f);
    EXPECT_EQ(point.frequency_hz, f);
    // The gain in dB near 0 is an absolute quantity.
    EXPECT_NEAR(point.cavity_gain_db, row.gain_db, 1e-11 * std::max(1.0, std::abs(row.gain_db))) << f;
    ASSERT_EQ(point.absorption_area_m2.has_value(), row.area_m2.has_value());
    if (row.area_m2) ExpectRelative(*point.absorption_area_m2, *row.area_m2, 1e-12, "area", f);
    EXPECT_EQ(point.impedance_pa_s_m3, model.Total(f));
  }
}

TEST(ResponseTest, SlotMatchesMpmath) {
  Resonator design;
  design.volume_m3 = 1e-3;
  design.thickness_m = 0.01;
  design.port = SlotPort{0.05, 0.01};
  const ImpedanceModel model(design, AirAt(20));
  struct Row {
    double frequency_hz, orifice_re, orifice_im, radiation;
  };
  for (const Row& row : {
           Row{50, 717.741811322038204611, 21611.14561072735975, 55.1078674217066026143},
           Row{300, 1736.1583614571587839, 128837.802869739429253, 1982.34063080862862539},
           Row{3000, 5458.32437180300100459, 1284456.2114447011195, 183139.502561111359305},
       }) {
    const double f = row.frequency_hz;
    ExpectRelative(model.Orifice(f).real(), row.orifice_re, 1e-13, "slot re", f);
    ExpectRelative(model.Orifice(f).imag(), row.orifice_im, 1e-13, "slot im", f);
    ExpectRelative(model.Radiation(f), row.radiation, 1e-13, "slot radiation", f);
  }
}

// R_rad -> rho c k^2 / (2 pi) at small kb (a quarter of it over pi for a free
// end), -> rho c / A at large kb, whatever the area.
TEST(ResponseTest, RadiationResistanceLimits) {
  const Air air = AirAt(20);
  const double rho_c = air.density_kg_m3 * air.sound_speed_m_s;
  for (EndModel ends : {EndModel::kFlanged, EndModel::kFree}) {
    const double share = ends == EndModel::kFree ? 0.5 : 1;
    const Resonator design = WorkedExample(ends);
    const ImpedanceModel model(design, air);
    for (double f : {0.01, 0.1, 1.0}) {
      const double k = 2 * std::numbers::pi * f / air.sound_speed_m_s;
      ExpectRelative(model.Radiation(f), share * rho_c * k * k / (2 * std::numbers::pi), 1e-8, "low kb", f);
    }
    const double area_m2 = RadiatingAreaM2(design);
    // Within 2 sqrt(2 / (pi z)) / z, z = 2kb = 3660 at 10 MHz.
    for (double f : {1e7, 1e9}) {
      ExpectRelative(model.Radiation(f), share * rho_c / area_m2, 1e-5, "high kb", f);
    }
  }
}

// The model's Orifice is the shared orifice.h impedance with the end mass,
// scaled: at seeded random designs and frequencies.
TEST(ResponseTest, OrificeIsTheSharedPortImpedancePlusTheEndMass) {
  std::mt19937_64 random(2861);
  std::uniform_real_distribution<double> unit(0, 1);
  const Air air = AirAt(20);
  for (int i = 0; i < 500; ++i) {
    Resonator design;
    design.volume_m3 = std::pow(10, -4 + 3 * unit(random));
    design.thickness_m = 0.02 * unit(random);
    const double diameter_m = std::pow(10, -4 + 3 * unit(random));
    design.port = RoundPort{diameter_m};
    design.port_count = 1 + static_cast<int>(100 * unit(random));
    const double f = std::pow(10, 1 + 3 * unit(random));
    const ImpedanceModel model(design, air);
    const double omega = 2 * std::numbers::pi * f;
    const std::complex<double> expected =
        (RoundOrificeImpedance(diameter_m, design.thickness_m, omega, air) +
         std::complex<double>(0, omega * EndCorrectionM(design) / air.sound_speed_m_s)) *
        (air.density_kg_m3 * air.sound_speed_m_s / (design.port_count * PortAreaM2(design.port)));
    const std::complex<double> actual = model.Orifice(f);
    ASSERT_NEAR(actual.real(), expected.real(), 1e-14 * expected.real()) << i;
    ASSERT_NEAR(actual.imag(), expected.imag(), 1e-14 * expected.imag()) << i;
  }
}

}  // namespace
}  // namespace acoustics
