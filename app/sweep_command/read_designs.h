// The designs a sweep asks for, read from its inputs' texts: the product of
// their values, each option's texts read with its own value syntax and units
// (a range's points rounded to single once, from the unrounded value), or
// the first refusal, naming the option. The port model's faults are refused
// here too, before the first design.
//
//   --volume 1:3:1l --diameter 2 --diameter 3 --thickness 1
//   -> 6 designs, inputs {kVolume, kDiameter, kThickness}
//   --volume x -> "--volume: 'x' is not a number"
#pragma once

#include <vector>

#include "app/result.h"
#include "app/sweep/sweep.h"
#include "app/sweep_command/sweep_command.h"
#include "calculator/design.h"

namespace app {

struct Designs {
  sweep::Sweep sweep;
  // The inputs in the sweep's order, that of the command line.
  std::vector<calculator::Quantity> inputs;
};

Result<Designs> ReadDesigns(const SweepRequest& request);

}  // namespace app
