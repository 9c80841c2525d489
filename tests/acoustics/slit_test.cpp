#include <gtest/gtest.h>

#include <complex>

#include "acoustics/air.h"
#include "acoustics/orifice.h"

namespace acoustics {
namespace {

// Narrow slits at low frequencies, where 1 - tanh(s)/s is small and its real
// component (the slit's mass) is what 1 - 1 leaves; and a wide one at 20 kHz,
// where cosh(s) overflows. mpmath at 30 digits
// (tests/acoustics/reference/resonator_losses.py).
TEST(SlitTest, MatchesMpmathForSmallAndLargeArguments) {
  struct Row {
    double width_m, frequency_hz, re, im;
  };
  for (const Row& row : {
           Row{1e-5, 10, 52.6554600595724214763, 0.00219682433972854620371},    // |s| = 0.0102
           Row{1e-4, 10, 0.526805677071221353863, 0.00219682428915329890521},   // |s| = 0.102
           Row{2e-4, 100, 0.132483289698811529338, 0.0219674344442162492711},   // |s| = 0.646
           Row{0.05, 20000, 0.0124713714145863194265, 3.66250759653192009975},  // |s| = 2.28e+3
       }) {
    const std::complex<double> z = SlitImpedance(row.width_m, 0.01, 2 * std::numbers::pi * row.frequency_hz, AirAt(20));
    EXPECT_NEAR(z.real(), row.re, 1e-13 * row.re) << row.width_m;
    EXPECT_NEAR(z.imag(), row.im, 1e-13 * row.im) << row.width_m;
  }
}

}  // namespace
}  // namespace acoustics
