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

TypedQuantities ParseTyped(Choice choice, const QuantityTexts& texts, const QuantityNames& names,
                           std::optional<Quantity> given) {
  // As the screen starts: every quantity 0 until typed.
  calculator::Quantities typed;
  for (const Quantity quantity : calculator::AskedQuantities(choice)) {
    if (quantity == given) continue;
    const std::optional<std::string_view>& text = texts[IndexOf(quantity)];
    const std::string name(names[IndexOf(quantity)]);
    if (!text) return {std::nullopt, name + " is missing"};
    const ParsedValue parsed = ParseValue(*text, DimensionOf(quantity));
    if (!parsed.value) return {std::nullopt, name + ": " + parsed.refusal};
    calculator::Field(typed, quantity) = *parsed.value;
  }
  return {typed, {}};
}

}  // namespace app
