// The designs the losses' and the response's tests and the resonance
// benchmark share.
#pragma once

#include "acoustics/resonator.h"

namespace acoustics::examples {

// V = 1 l, d = 2 cm, t = 1 cm, one port.
inline Resonator WorkedExample(EndModel ends) {
  Resonator design;
  design.volume_m3 = 1e-3;
  design.thickness_m = 0.01;
  design.port = RoundPort{0.02};
  design.ends = ends;
  return design;
}

// 351 holes of 8 mm in a 6 mm plate over 18 l, 32 mm apart.
inline Resonator Panel() {
  Resonator design;
  design.volume_m3 = 0.018;
  design.thickness_m = 0.006;
  design.port = RoundPort{0.008};
  design.port_count = 351;
  design.pitch_m = 0.032;
  return design;
}

}  // namespace acoustics::examples
