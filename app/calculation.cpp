#include "app/calculation.h"

#include "app/units.h"

namespace app {

using calculator::Choice;
using calculator::Quantity;

Choice ChoiceFor(Quantity solved, bool anyOrifice) {
  switch (solved) {
    case Quantity::kFrequency: return anyOrifice ? Choice::kFrequencyAny : Choice::kFrequencyRound;
    case Quantity::kVolume: return anyOrifice ? Choice::kVolumeAny : Choice::kVolumeRound;
    case Quantity::kThickness: return anyOrifice ? Choice::kThicknessAny : Choice::kThicknessRound;
    case Quantity::kDiameter: return Choice::kDiameterRound;
    case Quantity::kSurface: return Choice::kSurfaceAny;
  }
  return Choice::kFrequencyRound;
}

Result<calculator::Quantities> ParseTyped(Choice choice, const QuantityTexts& texts, const QuantityNames& names,
                                          std::optional<Quantity> given) {
  // As the screen starts: every quantity 0 until typed.
  calculator::Quantities typed;
  for (const Quantity quantity : calculator::AskedQuantities(choice)) {
    if (quantity == given) continue;
    const std::optional<std::string_view>& text = texts[IndexOf(quantity)];
    const std::string name(names[IndexOf(quantity)]);
    if (!text) return Refused(name + " is missing");
    const Result<float> parsed = ParseValue(*text, DimensionOf(quantity));
    if (!parsed.ok()) return Refused(name + ": " + parsed.refusal().message);
    calculator::Field(typed, quantity) = parsed.value();
  }
  return typed;
}

}  // namespace app
