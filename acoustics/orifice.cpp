#include "acoustics/orifice.h"

#include <cassert>
#include <cmath>
#include <iterator>

namespace acoustics {

namespace {

// R_s = sqrt(omega rho eta / 2), the surface resistance of a wall in
// oscillating flow, Pa s/m.
double SurfaceResistance(double omega, const Air& air) {
  return std::sqrt(omega * air.density_kg_m3 * air.viscosity_pa_s / 2);
}

// 1 - tanh(s)/s = s^2/3 - 2 s^4/15 + ..., the coefficients of u = s^2 from
// the Bernoulli numbers, to u^18: below |s| = 1/2 the first term left out is
// 5e-18 of the sum.
constexpr double kOneMinusTanhRatioSeries[] = {
    0.33333333333333333333,    -0.13333333333333333333,     0.053968253968253968254,    -0.021869488536155202822,
    0.0088632355299021965689,  -0.0035921280365724810169,   0.0014558343870513182682,   -0.00059002744094558598138,
    0.00023912911424355248149, -0.000096915379569294503256, 0.000039278323883316834053, -0.000015918905069328964741,
    6.4516892156554307632e-6,  -2.6147711512907545543e-6,   1.0597268320104654351e-6,   -4.2949110782738058548e-7,
    1.740661896357164778e-7,   -7.0546369464009683252e-8};
constexpr double kTanhRatioSeriesBound = 0.5;
// Where Re(s) is over this, tanh(s) is 1 within 2 e^(-2 Re s) = 8e-18; there a
// wide slit's cosh would overflow on some libraries.
constexpr double kTanhIsOneFrom = 20;

// 1 - tanh(s)/s for the complex s of a slit. For a small |s| its real
// component (2|s|^4/15 at first, s^2 being imaginary) is what is left of
// 1 - 1 and would keep few digits: the series there.
std::complex<double> OneMinusTanhRatio(std::complex<double> s) {
  if (s.real() >= kTanhIsOneFrom) return 1.0 - 1.0 / s;
  if (std::abs(s) >= kTanhRatioSeriesBound) return 1.0 - std::tanh(s) / s;
  const std::complex<double> u = s * s;
  std::complex<double> sum = 0;
  for (auto k = std::size(kOneMinusTanhRatioSeries); k-- > 0;) sum = (sum + kOneMinusTanhRatioSeries[k]) * u;
  return sum;
}

}  // namespace

double PerforateConstant(double diameter_m, double omega, const Air& air) {
  return diameter_m * std::sqrt(omega * air.density_kg_m3 / (4 * air.viscosity_pa_s));
}

std::complex<double> RoundOrificeImpedance(double diameter_m, double thickness_m, double omega, const Air& air) {
  assert(diameter_m > 0 && thickness_m >= 0 && omega > 0);
  const double x = PerforateConstant(diameter_m, omega, air);
  const double rho_c = air.density_kg_m3 * air.sound_speed_m_s;
  // The tube's own resistance and the end resistance, written so that a wall
  // of no thickness keeps the latter: 4 R_s / (rho c).
  // 32 eta t / (rho c d^2) sqrt(1 + x^2/32) with eta inside the root: a
  // viscosity of 0 gives 0 rather than 0 times an infinite x.
  const double eta = air.viscosity_pa_s;
  const double tube = thickness_m / (rho_c * diameter_m * diameter_m) *
                      std::sqrt(1024 * eta * eta + 8 * eta * diameter_m * diameter_m * omega * air.density_kg_m3);
  const double ends = 4 * SurfaceResistance(omega, air) / rho_c;
  const double mass = omega * thickness_m / air.sound_speed_m_s * (1 + 1 / std::sqrt(9 + x * x / 2));
  return {tube + ends, mass};
}

std::complex<double> SlitImpedance(double width_m, double thickness_m, double omega, const Air& air) {
  assert(width_m > 0 && thickness_m >= 0 && omega > 0);
  using namespace std::complex_literals;
  const double rho = air.density_kg_m3;
  const std::complex<double> s = (width_m / 2) * std::sqrt(1i * omega * rho / air.viscosity_pa_s);
  const std::complex<double> effective_density = rho / OneMinusTanhRatio(s);
  const std::complex<double> z = 1i * omega * effective_density * thickness_m + 4 * SurfaceResistance(omega, air);
  return z / (rho * air.sound_speed_m_s);
}

}  // namespace acoustics
