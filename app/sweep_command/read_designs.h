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

#include <cstddef>
#include <optional>
#include <vector>

#include "app/result.h"
#include "app/sweep/sweep.h"
#include "app/sweep_command/sweep_command.h"
#include "calculator/design.h"

namespace app {

enum class SweptAirKind { kTemperature, kSoundSpeed };

struct Designs {
  sweep::Sweep sweep;
  // The inputs in the sweep's order, that of the command line.
  std::vector<calculator::Quantity> inputs;
  // A swept air is the sweep's last axis, after the inputs': its values are
  // degrees Celsius or speeds of sound in cm/s.
  std::optional<SweptAirKind> air;

  bool IsAirAxis(std::size_t axis) const { return air && axis == inputs.size(); }
  // The speed of sound of a value of the air's axis, cm/s.
  float SoundSpeedOf(float airValue) const;
};

Result<Designs> ReadDesigns(const SweepRequest& request);

}  // namespace app
