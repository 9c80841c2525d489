#include "acoustics/panel/incidence.h"

#include <array>
#include <cassert>
#include <cmath>

namespace acoustics {

namespace {

// atan(s)/s, with its series where s is so small that the quotient would
// lose digits (and at s = 0 itself).
double AtanOverArgument(double s) {
  if (std::abs(s) < 1e-4) return 1 - s * s / 3;
  return std::atan(s) / s;
}

// Nodes and weights of 16-point Gauss-Legendre quadrature on [-1, 1], the
// positive half (the rule is symmetric).
constexpr std::array<double, 8> kGaussNodes{0.0950125098376374401853193354250, 0.281603550779258913230460501460,
                                            0.458016777657227386342419442984,  0.617876244402643748446671764049,
                                            0.755404408355003033895101194847,  0.865631202387831743880467897712,
                                            0.944575023073232576077988415535,  0.989400934991649932596154173450};
constexpr std::array<double, 8> kGaussWeights{0.189450610455068496285396723208,  0.182603415044923588866763667969,
                                              0.169156519395002538189312079030,  0.149595988816576732081501730547,
                                              0.124628971255533872052476282192,  0.0951585116824927848099251076022,
                                              0.0622535239386478928628438369944, 0.0271524594117540948517805724560};

// With u = cos(theta): alpha_d = 8x times the integral over 0..1 of
// u^2 / (|z|^2 u^2 + 2 x u + 1). For |z| < 1/2 its poles lie at |u| > 2, far
// enough from [0, 1] for 16 points to reach the last digit.
double DiffuseByQuadrature(std::complex<double> z) {
  const double x = z.real();
  const double magnitude_squared = std::norm(z);
  double integral = 0;
  for (std::size_t i = 0; i < kGaussNodes.size(); ++i) {
    for (const double u : {0.5 * (1 - kGaussNodes[i]), 0.5 * (1 + kGaussNodes[i])}) {
      integral += kGaussWeights[i] * u * u / (magnitude_squared * u * u + 2 * x * u + 1);
    }
  }
  return 8 * x * 0.5 * integral;
}

}  // namespace

double AbsorptionAt(std::complex<double> z, double angle_rad) {
  const double cosine = std::cos(angle_rad);
  return 4 * z.real() * cosine / std::norm(z * cosine + 1.0);
}

double DiffuseAbsorption(std::complex<double> z) {
  const double x = z.real();
  const double y = z.imag();
  const double magnitude_squared = std::norm(z);
  if (magnitude_squared < 0.25) return DiffuseByQuadrature(z);
  const double ratio = x / magnitude_squared;
  // ((x^2 - y^2)/(y |z|^2)) atan(y/(1 + x)), finite as y -> 0.
  const double arc_term = (x * x - y * y) / magnitude_squared * AtanOverArgument(y / (1 + x)) / (1 + x);
  return 8 * ratio * (1 - ratio * std::log(std::norm(1.0 + z)) + arc_term);
}

double Absorption(std::complex<double> z, Incidence incidence) {
  return incidence == Incidence::kNormal ? AbsorptionAt(z, 0) : DiffuseAbsorption(z);
}

}  // namespace acoustics
