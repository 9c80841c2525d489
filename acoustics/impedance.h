// The acoustic impedances of a resonator, Pa s/m^3, time convention
// e^(j omega t): the ports' (viscous resistance, end resistance and mass, all
// N in parallel), the radiation resistance of the outer end and the cavity's.
// The design's constants are worked out once, for the million points of a
// response.
//
//   V = 1 l, d = 2 cm, t = 1 cm, N = 1, flanged, 20 C, at 186.41 Hz:
//     Orifice   -> 2161.18 + 121821.93j
//     Radiation -> 765.839
//     Cavity    -> -121102.09j
#pragma once

#include <complex>

#include "acoustics/air.h"
#include "acoustics/resonator.h"

namespace acoustics {

class ImpedanceModel {
 public:
  // Contract: FindDesignFault(design) is none.
  ImpedanceModel(const Resonator& design, const Air& air);

  // (rho c / S1) (r + j m) / N: Maa's r and m for a round port (orifice.h)
  // or the exact slit flow for a slot, plus the end mass j omega Delta / c.
  std::complex<double> Orifice(double frequency_hz) const;

  // (rho c / A) (1 - J1(2kb)/(kb)), b = sqrt(A/pi): the ports as one
  // baffled piston of their radiating area; half of it for a free outer end.
  double Radiation(double frequency_hz) const;

  // rho c^2 / (j omega V).
  std::complex<double> Cavity(double frequency_hz) const;

  // Orifice + Radiation + Cavity.
  std::complex<double> Total(double frequency_hz) const;

  const Resonator& design() const { return design_; }
  const Air& air() const { return air_; }

 private:
  Resonator design_;
  Air air_;
  double end_correction_m_ = 0;
  double orifice_scale_pa_s_m3_ = 0;    // rho c / (N S1)
  double radiation_scale_pa_s_m3_ = 0;  // rho c / A, halved for a free outer end
  double piston_radius_m_ = 0;          // b
  double cavity_stiffness_pa_m3_ = 0;   // rho c^2 / V
};

}  // namespace acoustics
