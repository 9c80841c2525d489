#include "app/sweep_command/read_designs.h"

#include <string>
#include <string_view>

#include "app/model_options.h"
#include "app/quantities.h"
#include "app/sweep/range.h"
#include "app/units.h"

namespace app {
namespace {

using calculator::Quantity;

// Reads one option's texts with the option's own value syntax and units.
sweep::ValueParser ParserFor(Quantity quantity) {
  const Dimension dimension = DimensionOf(quantity);
  return [dimension](std::string_view number, std::string_view unit) {
    return ParseWorkingValue(std::string(number) + std::string(unit), dimension);
  };
}

}  // namespace

Result<Designs> ReadDesigns(const SweepRequest& request) {
  std::vector<sweep::Sequence> axes;
  std::vector<Quantity> inputs;
  for (const SweptInput& input : request.inputs) {
    const std::vector<std::string_view> texts(input.texts.begin(), input.texts.end());
    Result<sweep::Sequence> parsed = sweep::ParseSequence(texts, ParserFor(input.quantity));
    if (!parsed.ok()) return Refused(std::string(EntryOf(input.quantity).option) + ": " + parsed.refusal().message);
    axes.push_back(std::move(parsed.value()));
    inputs.push_back(input.quantity);
  }
  Result<sweep::Sweep> made = sweep::Sweep::Make(std::move(axes));
  if (!made.ok()) return made.refusal();
  if (const std::optional<calculator::ModelFault> fault = calculator::FaultOf(request.choice, request.model)) {
    return Refused(FaultText(*fault, kModelOptionNames));
  }
  return Designs{std::move(made.value()), std::move(inputs)};
}

}  // namespace app
