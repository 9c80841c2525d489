#include "acoustics/bessel.h"

#include <array>
#include <cassert>
#include <cmath>
#include <numbers>

#include "acoustics/bessel_j1_table.h"

namespace acoustics {

namespace {

using bessel_j1_table::kTableEnd;
using bessel_j1_table::kTableStart;

// The terms of sum_m (-1)^m x^m / (m! (m+1)!), x = (z/2)^2, to m = 12: below
// z = 2 (x = 1) the first term left out is under 1e-20.
constexpr std::array<double, 13> SeriesCoefficients() {
  std::array<double, 13> coefficients{};
  double factorials = 1;  // m! (m+1)!
  for (int m = 0; m < 13; ++m) {
    if (m > 0) factorials *= static_cast<double>(m) * (m + 1);
    coefficients[m] = (m % 2 == 0 ? 1 : -1) / factorials;
  }
  return coefficients;
}
constexpr std::array<double, 13> kSeries = SeriesCoefficients();

template <std::size_t kSize>
double Horner(const std::array<double, kSize>& coefficients, double x) {
  double sum = coefficients[kSize - 1];
  for (std::size_t k = kSize - 1; k-- > 0;) sum = sum * x + coefficients[k];
  return sum;
}

// 2 J1(z) / z from the series: sum_m (-1)^m (z/2)^2m / (m! (m+1)!).
double SeriesTwoJ1OverZ(double z) { return Horner(kSeries, z * z / 4); }

double TableJ1(double z) {
  const int interval = static_cast<int>(z);
  const double t = z - interval - 0.5;
  return Horner(bessel_j1_table::kTaylor[interval - kTableStart], t);
}

// J1(z) = (P + Q) sin z - (P - Q) cos z, over sqrt(pi z): Hankel's form with
// cos(z - 3pi/4) and sin(z - 3pi/4) expanded, so that no rounded 3pi/4 is
// taken from a large z.
double HankelJ1(double z) {
  const double inverse_square = 1 / (z * z);
  const double p = Horner(bessel_j1_table::kHankelP, inverse_square);
  const double q = Horner(bessel_j1_table::kHankelQ, inverse_square) / z;
  return ((p + q) * std::sin(z) - (p - q) * std::cos(z)) / std::sqrt(std::numbers::pi * z);
}

double NonNegativeJ1(double z) {
  if (z < kTableStart) return z / 2 * SeriesTwoJ1OverZ(z);
  if (z < kTableEnd) return TableJ1(z);
  return HankelJ1(z);
}

// 1 - 2 J1(z)/z from the series without its first term:
// sum_m>=1 (-1)^(m+1) x^m / (m! (m+1)!) = x (1/2 - x/12 + ...).
double SeriesPistonFactor(double z) {
  const double x = z * z / 4;
  double sum = kSeries.back();
  for (std::size_t k = kSeries.size() - 1; k-- > 1;) sum = sum * x + kSeries[k];
  return -x * sum;
}

}  // namespace

double BesselJ1(double z) { return z < 0 ? -NonNegativeJ1(-z) : NonNegativeJ1(z); }

double PistonResistanceFactor(double z) {
  assert(z >= 0);
  if (z < kTableStart) return SeriesPistonFactor(z);
  return 1 - 2 * NonNegativeJ1(z) / z;
}

}  // namespace acoustics
