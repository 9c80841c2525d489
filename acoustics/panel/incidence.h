// Absorption of a locally reacting surface of normalised impedance z (its
// impedance the same at every angle): at an angle of incidence, and in a
// diffuse field by Paris' formula.
//
//   AbsorptionAt({1, 0}, 0)              -> 1
//   AbsorptionAt({2, 1}, pi/3)           -> 0.941176 (16/17)
//   DiffuseAbsorption({1, 0})            -> 0.909645 (8 (3/2 - 2 ln 2))
//   DiffuseAbsorption({1.6, 0})          -> 0.951130 (near the largest there is)
//   Absorption({1, 0.5}, Incidence::kNormal) -> 0.941176 (16/17)
#pragma once

#include <complex>

namespace acoustics {

enum class Incidence {
  kNormal,   // theta = 0
  kDiffuse,  // every direction alike, Paris' formula
};

// alpha(theta) = 1 - |(z cos(theta) - 1) / (z cos(theta) + 1)|^2, written as
// 4 Re(z) cos(theta) / |z cos(theta) + 1|^2; `angle_rad` in [0, pi/2].
double AbsorptionAt(std::complex<double> z, double angle_rad);

// alpha_d = integral over 0..pi/2 of alpha(theta) sin(2 theta) d theta, in
// closed form (Kuttruff, Room Acoustics, 5th ed. 2009, section 2.5; Vigran,
// Building Acoustics, 2008, eq. 3.80), z = x + j y:
//   alpha_d = (8x/|z|^2) (1 - (x/|z|^2) ln|1 + z|^2 + ((x^2 - y^2)/(y |z|^2)) atan(y/(1 + x))),
// and for |z| < 1/2, where those terms cancel, by 16-point Gauss-Legendre
// quadrature of the same integral (error below 1e-15 there).
double DiffuseAbsorption(std::complex<double> z);

// Normal incidence or the diffuse field, as asked.
double Absorption(std::complex<double> z, Incidence incidence);

}  // namespace acoustics
