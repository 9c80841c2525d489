#include "acoustics/orifice.h"

#include <cassert>
#include <cmath>

namespace acoustics {

namespace {

// R_s = sqrt(omega rho eta / 2), the surface resistance of a wall in
// oscillating flow, Pa s/m.
double SurfaceResistance(double omega, const Air& air) {
  return std::sqrt(omega * air.density_kg_m3 * air.viscosity_pa_s / 2);
}

// tanh(s)/s for the complex s of a slit; for |s| small its series, where the
// quotient would lose every digit.
std::complex<double> TanhOverArgument(std::complex<double> s) {
  if (std::abs(s) < 1e-4) return 1.0 - s * s / 3.0;
  return std::tanh(s) / s;
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
  const double tube =
      32 * air.viscosity_pa_s * thickness_m / (rho_c * diameter_m * diameter_m) * std::sqrt(1 + x * x / 32);
  const double ends = 4 * SurfaceResistance(omega, air) / rho_c;
  const double mass = omega * thickness_m / air.sound_speed_m_s * (1 + 1 / std::sqrt(9 + x * x / 2));
  return {tube + ends, mass};
}

std::complex<double> SlitImpedance(double width_m, double thickness_m, double omega, const Air& air) {
  assert(width_m > 0 && thickness_m >= 0 && omega > 0);
  using namespace std::complex_literals;
  const double rho = air.density_kg_m3;
  const std::complex<double> s = (width_m / 2) * std::sqrt(1i * omega * rho / air.viscosity_pa_s);
  const std::complex<double> effective_density = rho / (1.0 - TanhOverArgument(s));
  const std::complex<double> z = 1i * omega * effective_density * thickness_m + 4 * SurfaceResistance(omega, air);
  return z / (rho * air.sound_speed_m_s);
}

}  // namespace acoustics
