// Whether an answer carries the port model's columns.
#include "app/model_options.h"

namespace app {

bool NeedsModelColumns(const calculator::PortModel& model) {
  return model.ends != calculator::Ends::kScreen || model.ports != 1 || model.slot.has_value() ||
         model.pitch.has_value();
}

}  // namespace app
