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

// A swept air's texts: temperatures in degrees Celsius, or speeds of sound
// in cm/s, each refused as the single option refuses it.
sweep::ValueParser AirParser(bool temperature) {
  return [temperature](std::string_view number, std::string_view unit) -> Result<long double> {
    const std::string text = std::string(number) + std::string(unit);
    if (temperature) return ParseCelsius(text);
    const Result<float> speed = ParseSoundSpeed(text);
    if (!speed.ok()) return speed.refusal();
    return speed.value();
  };
}

}  // namespace

float Designs::SoundSpeedOf(float airValue) const {
  return air == SweptAirKind::kTemperature ? SoundSpeedAt(airValue) : airValue;
}

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
  std::optional<SweptAirKind> air;
  if (request.sweptAir) {
    const bool temperature = request.sweptAir->temperature;
    const std::vector<std::string_view> texts(request.sweptAir->texts.begin(), request.sweptAir->texts.end());
    Result<sweep::Sequence> parsed = sweep::ParseSequence(texts, AirParser(temperature));
    if (!parsed.ok()) {
      return Refused(std::string(temperature ? "--temperature: " : "--sound-speed: ") + parsed.refusal().message);
    }
    axes.push_back(std::move(parsed.value()));
    air = temperature ? SweptAirKind::kTemperature : SweptAirKind::kSoundSpeed;
  }
  Result<sweep::Sweep> made = sweep::Sweep::Make(std::move(axes));
  if (!made.ok()) return made.refusal();
  if (const std::optional<calculator::ModelFault> fault = calculator::FaultOf(request.choice, request.model)) {
    return Refused(FaultText(*fault, kModelOptionNames));
  }
  return Designs{std::move(made.value()), std::move(inputs), air};
}

}  // namespace app
