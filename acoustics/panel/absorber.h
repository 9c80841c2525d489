// A panel absorber: a facing (or none) over a cavity of `depth_m` on a rigid
// wall, the cavity partitioned so that it reacts locally, with a porous fill
// (or none) against the facing or against the wall. Its surface impedance,
// normalised by rho*c, e^(j omega t), from the layers' impedance translation.
//
//   Absorber{.facing = PerforatedWithOpenArea(0.005, 0.003, 0.05), .depth_m = 0.05}
//   SurfaceImpedance(that, 500, AirAt(20))             -> 0.0576234 - 0.880762j
//   with .fill = Fill{.thickness_m = 0.05, .flow_resistivity_pa_s_m2 = 10000}
//   SurfaceImpedance(that, 500, AirAt(20))             -> 0.653682 - 0.389689j
//   FillOutsideFitRange(that, 50, AirAt(20))           -> true (Miki: f/R = 0.005)
//   FaultOf(that with .depth_m = 0.04)                 -> PanelFault::kFillThickerThanDepth
#pragma once

#include <complex>
#include <optional>

#include "acoustics/air.h"
#include "acoustics/panel/facing.h"
#include "acoustics/panel/porous.h"

namespace acoustics {

enum class FillPlace {
  kAgainstFacing,  // the air gap lies between the fill and the wall
  kAgainstWall,    // the air gap lies between the facing and the fill
};

struct Fill {
  double thickness_m = 0;
  double flow_resistivity_pa_s_m2 = 0;
  PorousModel model = PorousModel::kMiki;
  FillPlace place = FillPlace::kAgainstFacing;
};

struct Absorber {
  Facing facing;
  double depth_m = 0;  // facing to wall, fill included
  std::optional<Fill> fill;
};

// What keeps `absorber` from being computed, if anything.
std::optional<PanelFault> FaultOf(const Absorber& absorber);

// The normalised impedance at the face of `absorber` at `frequency_hz`:
// from the wall out, each layer of thickness h, characteristic impedance z_c
// and wave number k_c turns the impedance z_L behind it into
//   z = z_c (z_L cos(k_c h) + j z_c sin(k_c h)) / (z_c cos(k_c h) + j z_L sin(k_c h)),
// the first against the rigid wall into z = -j z_c cot(k_c h); the facing
// adds its own in series. `absorber` has no fault.
std::complex<double> SurfaceImpedance(const Absorber& absorber, double frequency_hz, const Air& air);

// Whether the fill's model is used outside its fitted range at
// `frequency_hz` (false with no fill), for a caller that warns once.
bool FillOutsideFitRange(const Absorber& absorber, double frequency_hz, const Air& air);

}  // namespace acoustics
