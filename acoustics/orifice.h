// The impedance of the air in one orifice through a wall: its viscous
// resistance and its mass, end resistance included, end mass not (that
// depends on how the ends are mounted: see end_corrections.h, and add
// j*omega*Delta/c). Normalised by rho*c/S1, S1 the orifice's own surface,
// time convention e^(j omega t).
//
//   RoundOrificeImpedance(0.02, 0.01, 2*pi*186.41, AirAt(20))  -> 0.00164288 + 0.0346725j
//   SlitImpedance(0.005, 0.01, 2*pi*100, AirAt(20))            -> 0.00167656 + 0.0191052j
#pragma once

#include <complex>

#include "acoustics/air.h"

namespace acoustics {

// The perforate constant x = d * sqrt(omega * rho / (4 eta)): the orifice's
// diameter over its viscous boundary layer, within a constant.
double PerforateConstant(double diameter_m, double omega, const Air& air);

// A round orifice of `diameter_m` in a wall `thickness_m` thick (Maa, 1998,
// with the end resistance of Ingard as Cox and D'Antonio write it):
//   r = (32 eta t / (rho c d^2)) (sqrt(1 + x^2/32) + (sqrt(2)/8) x d/t),
//   m = (omega t / c) (1 + 1/sqrt(9 + x^2/2)).
std::complex<double> RoundOrificeImpedance(double diameter_m, double thickness_m, double omega, const Air& air);

// A slit of `width_m` (the short side; the long side is taken as much
// longer) through `thickness_m` (exact slit flow, Stinson 1991), with the same
// end resistance 4 R_s as a round orifice, R_s = sqrt(omega rho eta / 2):
//   (j omega rho_e t + 4 R_s) / (rho c),   rho_e = rho / (1 - tanh(s)/s),
//   s = (w/2) sqrt(j omega rho / eta).
std::complex<double> SlitImpedance(double width_m, double thickness_m, double omega, const Air& air);

}  // namespace acoustics
