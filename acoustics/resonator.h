// A Helmholtz resonator as the losses see it: N identical ports, round or
// rectangular, through a wall into a cavity, each end flanged or free, the
// ports either a compact cluster or a square grid on a panel. Its geometry:
// the ports' area, their end correction and the area they radiate from, and
// the lossless resonance frequency. SI units.
//
//   V = 1 l, d = 2 cm, t = 1 cm, N = 1, flanged, 20 C:
//     EndCorrectionM     -> 0.0169765 (2 * 8/(3pi) * 1 cm)
//     LosslessFrequencyHz -> 186.409
//   351 holes of 8 mm in 6 mm, pitch 32 mm, 18 l: OpenAreaFraction -> 0.0490874,
//     EndCorrectionM -> 0.00507547 (the interaction factor 0.747425)
//   a 1 m pitch with a free outer end -> DesignFault::kPitchWithFreeOuterEnd
#pragma once

#include <optional>
#include <variant>

#include "acoustics/air.h"
#include "acoustics/end_corrections.h"

namespace acoustics {

// How the two ends of each port are mounted.
enum class EndModel {
  kFlanged,      // both ends in a wall
  kFree,         // both ends free (a tube standing out on both sides)
  kFlangedFree,  // the outer end in a wall, the inner end free in the cavity
};

struct RoundPort {
  double diameter_m = 0;
};

// A rectangular slot; height_m is the short side.
struct SlotPort {
  double width_m = 0;
  double height_m = 0;
};

using PortShape = std::variant<RoundPort, SlotPort>;

struct Resonator {
  double volume_m3 = 0;
  double thickness_m = 0;  // of the wall, the length of each port
  PortShape port = RoundPort{};
  int port_count = 1;
  EndModel ends = EndModel::kFlanged;
  // The centre distance of ports on a square grid; none for a compact cluster.
  std::optional<double> pitch_m;
};

// What makes a design one the model does not take; the caller words it.
enum class DesignFault {
  kOpenAreaOverLimit,      // S1/P^2 over kMaxInteractingOpenArea
  kPitchWithFreeOuterEnd,  // a grid of ports needs a panel at its outer end
};

// The fault of `design`, or none. The other functions' contract is a design
// without one (and positive sizes, a thickness >= 0, at least one port).
std::optional<DesignFault> FindDesignFault(const Resonator& design);

EndKind OuterEnd(EndModel ends);
EndKind InnerEnd(EndModel ends);

// The diameter of the circle of `area_m2`: 1e-4 pi m^2 -> 0.02 m.
double EqualAreaDiameterM(double area_m2);

// One port's area S1: a round one pi d^2 / 4, a slot W H.
double PortAreaM2(const PortShape& port);

// S1 / P^2 on a grid; none for a cluster.
std::optional<double> OpenAreaFraction(const Resonator& design);

// Delta, both ends of one port together, each end shortened by the
// hole-interaction factor when the ports stand on a grid.
double EndCorrectionM(const Resonator& design);

// The area A the ports radiate from as one piston: N P^2 on a grid, N S1 for
// a cluster.
double RadiatingAreaM2(const Resonator& design);

// f = (c / 2pi) sqrt(N S1 / (V (t + Delta))), the lossless textbook formula.
double LosslessFrequencyHz(const Resonator& design, const Air& air);

}  // namespace acoustics
