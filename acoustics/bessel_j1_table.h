// The coefficients of the fast Bessel J1 (acoustics/bessel.h), written by
// tests/acoustics/reference/bessel_j1_coefficients.py from mpmath.
#pragma once

#include <array>

namespace acoustics::bessel_j1_table {

// Taylor polynomials on the unit intervals [n, n + 1) for kTableStart <= n <
// kTableEnd, about n + 1/2, lowest degree first.
inline constexpr int kTableStart = 2;
inline constexpr int kTableEnd = 32;
using Taylor = std::array<double, 17>;
extern const std::array<Taylor, kTableEnd - kTableStart> kTaylor;

// Hankel's P and Q for order 1 beyond kTableEnd, in powers of 1/z^2 (Q times
// a further 1/z).
extern const std::array<double, 8> kHankelP;
extern const std::array<double, 8> kHankelQ;

}  // namespace acoustics::bessel_j1_table
