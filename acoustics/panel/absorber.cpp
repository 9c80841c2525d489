#include "acoustics/panel/absorber.h"

#include <cassert>
#include <cmath>
#include <numbers>

namespace acoustics {

namespace {

// exp(-2 j k h): the round trip of a wave through a layer, which decays in a
// lossy layer, so that the translation below stays finite for thick fills
// where cot and tan of a complex argument would overflow.
std::complex<double> RoundTrip(std::complex<double> wavenumber_per_m, double thickness_m) {
  return std::exp(std::complex<double>(0, -2) * wavenumber_per_m * thickness_m);
}

// The layer against the rigid wall: -j z_c cot(k h) = z_c (1 + E) / (1 - E).
std::complex<double> OnRigidWall(std::complex<double> characteristic, std::complex<double> round_trip) {
  return characteristic * (1.0 + round_trip) / (1.0 - round_trip);
}

// The translation through a layer over `behind`, written with E = exp(-2 j k h)
// in place of cos and sin (multiply numerator and denominator by 2 exp(-j k h)).
std::complex<double> Translated(std::complex<double> behind, std::complex<double> characteristic,
                                std::complex<double> round_trip) {
  const std::complex<double> sum = 1.0 + round_trip;
  const std::complex<double> difference = 1.0 - round_trip;
  return characteristic * (behind * sum + characteristic * difference) / (characteristic * sum + behind * difference);
}

struct Layer {
  double thickness_m = 0;
  PorousWave wave;
};

// The layers from the wall out: an air gap and the fill, in the fill's place.
struct Stack {
  Layer first;
  std::optional<Layer> second;
};

Stack Layers(const Absorber& absorber, double frequency_hz, const Air& air) {
  const double k_air = 2 * std::numbers::pi * frequency_hz / air.sound_speed_m_s;
  const Layer all_air{.thickness_m = absorber.depth_m, .wave = {.impedance = 1, .wavenumber_per_m = k_air}};
  if (!absorber.fill) return {.first = all_air, .second = std::nullopt};
  const Fill& fill = *absorber.fill;
  const Layer porous{.thickness_m = fill.thickness_m,
                     .wave = PorousWaveAt(fill.model, fill.flow_resistivity_pa_s_m2, frequency_hz, air)};
  const double gap_m = absorber.depth_m - fill.thickness_m;
  if (!(gap_m > 0)) return {.first = porous, .second = std::nullopt};
  const Layer gap{.thickness_m = gap_m, .wave = all_air.wave};
  if (fill.place == FillPlace::kAgainstWall) return {.first = porous, .second = gap};
  return {.first = gap, .second = porous};
}

}  // namespace

std::optional<PanelFault> FaultOf(const Absorber& absorber) {
  if (const std::optional<PanelFault> fault = FaultOf(absorber.facing)) return fault;
  if (!(absorber.depth_m > 0)) return PanelFault::kNonPositiveDepth;
  if (!absorber.fill) return std::nullopt;
  if (!(absorber.fill->thickness_m > 0) || !(absorber.fill->flow_resistivity_pa_s_m2 > 0)) {
    return PanelFault::kNonPositiveSize;
  }
  if (absorber.fill->thickness_m > absorber.depth_m) return PanelFault::kFillThickerThanDepth;
  return std::nullopt;
}

std::complex<double> SurfaceImpedance(const Absorber& absorber, double frequency_hz, const Air& air) {
  assert(!FaultOf(absorber) && frequency_hz > 0);
  const Stack stack = Layers(absorber, frequency_hz, air);
  std::complex<double> z =
      OnRigidWall(stack.first.wave.impedance, RoundTrip(stack.first.wave.wavenumber_per_m, stack.first.thickness_m));
  if (stack.second) {
    z = Translated(z, stack.second->wave.impedance,
                   RoundTrip(stack.second->wave.wavenumber_per_m, stack.second->thickness_m));
  }
  if (absorber.facing.kind == FacingKind::kNone) return z;
  return z + FacingImpedance(absorber.facing, 2 * std::numbers::pi * frequency_hz, air);
}

bool FillOutsideFitRange(const Absorber& absorber, double frequency_hz, const Air& air) {
  return absorber.fill &&
         OutsideFitRange(absorber.fill->model, absorber.fill->flow_resistivity_pa_s_m2, frequency_hz, air);
}

}  // namespace acoustics
