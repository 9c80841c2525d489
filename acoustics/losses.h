// The losses of a resonator at its resonance and the sound it absorbs in a
// wall: the quality factors of radiation and of the viscous flow in the
// ports, the bandwidth, and the absorption area at normal incidence on the
// baffle.
//
//   V = 1 l, d = 2 cm, t = 1 cm, N = 1, flanged, 20 C, at f = 186.410 Hz:
//     LossesAt -> q_radiation 159.070, q_viscous 56.3682, q 41.6198, bandwidth_hz 4.47886
//     PeakAbsorption -> area_m2 0.418615 at 185.840 Hz (IdealAbsorptionAreaM2 0.539531)
//   the same with free ends -> no absorption area
#pragma once

#include <optional>

#include "acoustics/air.h"
#include "acoustics/impedance.h"
#include "acoustics/resonator.h"

namespace acoustics {

struct Losses {
  double q_radiation = 0;   // omega M / R_rad
  double q_viscous = 0;     // omega M / Re(Z_orifice); infinite without viscosity
  double q = 0;             // omega M / (R_rad + Re(Z_orifice))
  double bandwidth_hz = 0;  // f / q
};

// The losses at the resonance `frequency_hz` the caller computed (in its own
// model; LosslessFrequencyHz is the textbook one), M = Im(Z_orifice)/omega.
// Contract: FindDesignFault(design) is none, frequency_hz > 0.
Losses LossesAt(const Resonator& design, double frequency_hz, const Air& air);

// sigma = 4 rho c Re(Z_orifice) / |Z|^2, m^2: the power absorbed over the
// intensity of a plane wave meeting the baffle head on. None for a free outer
// end (no baffle).
std::optional<double> AbsorptionAreaM2(const ImpedanceModel& model, double frequency_hz);

// lambda^2 / (2pi), the largest absorption area at `frequency_hz`.
double IdealAbsorptionAreaM2(double frequency_hz, const Air& air);

struct AbsorptionPeak {
  double frequency_hz = 0;
  double area_m2 = 0;
};

// The largest absorption area over frequency and where it is, maximised from
// a scan of f/16 to 16 f (f the lossless frequency) by golden sections: the
// ports' viscous mass moves it a little away from f. None for a free outer end.
std::optional<AbsorptionPeak> PeakAbsorption(const Resonator& design, const Air& air);

}  // namespace acoustics
