// A porous fill (mineral wool, glass fibre, foam) as an equivalent fluid of
// the empirical models of Delany and Bazley (1970) and of Miki (1990): its
// characteristic impedance, normalised by rho*c, and its complex wave number,
// e^(j omega t) (a wave decays as exp(-j k x), Im k < 0).
//
//   PorousWaveAt(PorousModel::kMiki, 10000, 1000, AirAt(20))
//       -> impedance 1.29998 - 0.458547j, wavenumber_per_m 26.5871 - 12.1544j
//   OutsideFitRange(PorousModel::kDelanyBazley, 10000, 50, AirAt(20))  -> true (rho f/R = 0.006)
#pragma once

#include <complex>

#include "acoustics/air.h"

namespace acoustics {

enum class PorousModel {
  kMiki,          // Miki, J. Acoust. Soc. Jpn (E) 11(1), 19-24, 1990
  kDelanyBazley,  // Delany and Bazley, Applied Acoustics 3, 105-116, 1970
};

struct PorousWave {
  std::complex<double> impedance = 1;         // z_c / (rho c)
  std::complex<double> wavenumber_per_m = 0;  // k_c
};

// The fill of airflow resistivity `flow_resistivity_pa_s_m2` (Pa s/m^2) at
// `frequency_hz`:
//   Miki,  X = f/R:      z_c = 1 + 0.070 X^-0.632 - j 0.107 X^-0.632,
//                        k_c = (omega/c) (1 + 0.109 X^-0.618 - j 0.160 X^-0.618);
//   Delany and Bazley, X = rho f/R:
//                        z_c = 1 + 0.0571 X^-0.754 - j 0.087 X^-0.732,
//                        k_c = (omega/c) (1 + 0.0978 X^-0.700 - j 0.189 X^-0.595).
PorousWave PorousWaveAt(PorousModel model, double flow_resistivity_pa_s_m2, double frequency_hz, const Air& air);

// Whether `frequency_hz` lies outside the range of the measurements the
// model was fitted to: 0.01 <= rho f/R <= 1 for Delany and Bazley, and
// 0.01 <= f/R <= 1 for Miki (who kept to the same data).
bool OutsideFitRange(PorousModel model, double flow_resistivity_pa_s_m2, double frequency_hz, const Air& air);

}  // namespace acoustics
