// Whether an answer carries the port model's columns, and the air a
// design is computed in.
#include "app/model_options.h"

#include "app/units.h"

namespace app {

bool NeedsModelColumns(const calculator::PortModel& model) {
  return model.ends != calculator::Ends::kScreen || model.ports != 1 || model.slot.has_value() ||
         model.pitch.has_value();
}

calculator::Constants ConstantsFor(const calculator::PortModel& model, const AirChoice& air) {
  if (air.soundSpeed) return calculator::MakeConstants(*air.soundSpeed);
  if (air.celsius) return calculator::MakeConstants(SoundSpeedAt(*air.celsius));
  if (model.ends == calculator::Ends::kScreen) return calculator::MakeConstants();
  return calculator::MakeConstants(SoundSpeedAt(kDefaultCelsius));
}

}  // namespace app
