// The response of a resonator at one frequency: its impedance, the pressure
// in the cavity over the blocked pressure outside, and its absorption area.
// One point costs a few tens of nanoseconds (bench/resonance_bench.cpp).
//
//   V = 1 l, d = 2 cm, t = 1 cm, N = 1, flanged, 20 C:
//     ResponseAt(model, 186.41) -> impedance 2927.02 + 719.84j, cavity_gain_db 32.0795,
//                                  absorption_area_m2 0.393217
//     ResponseAt(model, 20)     -> cavity_gain_db 0.102380
#pragma once

#include <complex>
#include <optional>

#include "acoustics/impedance.h"

namespace acoustics {

struct ResponsePoint {
  double frequency_hz = 0;
  std::complex<double> impedance_pa_s_m3 = 0;  // Z = Z_orifice + R_rad + Z_C
  double cavity_gain_db = 0;                   // 20 log10 |Z_C / Z|
  std::optional<double> absorption_area_m2;    // none for a free outer end
};

ResponsePoint ResponseAt(const ImpedanceModel& model, double frequency_hz);

}  // namespace acoustics
