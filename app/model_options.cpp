// Each design solved under its port model: the screens' Solve for their own
// model, the textbook models in the screens' shape. Every design of a sweep
// comes through here.
#include "app/model_options.h"

#include <utility>

#include "calculator/screen_texts.h"

namespace app {
namespace {

using calculator::Quantity;

// The screens' result and cross-check lines, labels and units, for a design
// the screens' Solve did not make.
calculator::ResultLine LineOf(Quantity quantity, float value, bool result) {
  switch (quantity) {
    case Quantity::kFrequency: return {calculator::kFrequencyLabel, value, calculator::kHertz};
    case Quantity::kVolume:
      return {result ? calculator::kVolumeResultLabel : calculator::kVolumeLabel, value, calculator::kCubicCentimetres};
    case Quantity::kThickness:
      return {result ? calculator::kOrificeThicknessLabel : calculator::kWallThicknessLabel, value,
              calculator::kCentimetres};
    case Quantity::kDiameter: return {calculator::kDiameterLabel, value, calculator::kCentimetres};
    case Quantity::kSurface: return {calculator::kSurfaceLabel, value, calculator::kSquareCentimetres};
  }
  return {};
}

// A textbook design in the screens' shape: the solved quantity's line, then
// the other three as the model used them (the model has no cross-check of
// its own: its round trips are exact to one rounding), and no screen message.
calculator::Design TextbookDesign(calculator::Choice choice, const calculator::PortSolution& solution,
                                  calculator::Checks checks) {
  calculator::Design design;
  design.choice = choice;
  design.quantities = solution.quantities;
  design.possible = solution.possible;
  design.newLineAfterResult = true;
  const Quantity solved = calculator::SolvedQuantity(choice);
  design.result = LineOf(solved, calculator::Field(design.quantities, solved), true);
  if (checks == calculator::Checks::kSkipped) return design;
  const Quantity orifice = calculator::IsRound(choice) ? Quantity::kDiameter : Quantity::kSurface;
  auto check = design.checks.begin();
  for (const Quantity quantity : {Quantity::kFrequency, Quantity::kVolume, Quantity::kThickness, orifice}) {
    if (quantity != solved) *check++ = LineOf(quantity, calculator::Field(design.quantities, quantity), false);
  }
  return design;
}

}  // namespace

bool NeedsModelColumns(const calculator::PortModel& model) {
  return model.ends != calculator::Ends::kScreen || model.ports != 1 || model.slot.has_value();
}

std::variant<ModelDesign, calculator::PortRefusal> SolveDesign(calculator::Choice choice,
                                                               const calculator::Quantities& typed,
                                                               const calculator::PortModel& model,
                                                               const calculator::Constants& constants,
                                                               calculator::Checks checks) {
  if (!NeedsModelColumns(model)) return ScreenDesign(choice, typed, constants, checks);
  ModelDesign result;
  result.model = model;
  auto outcome = calculator::SolvePort(choice, typed, model, constants);
  if (auto* refusal = std::get_if<calculator::PortRefusal>(&outcome)) return std::move(*refusal);
  result.solution = std::get<calculator::PortSolution>(std::move(outcome));
  if (model.ends != calculator::Ends::kScreen) {
    result.design = TextbookDesign(choice, result.solution, checks);
    return result;
  }
  // The screens with a slot: the any-orifice choice on the slot's surface,
  // which SolvePort has set (with the diameter of the same surface).
  calculator::Quantities slotted = typed;
  slotted.surface = result.solution.quantities.surface;
  slotted.diameter = result.solution.quantities.diameter;
  slotted.radius = result.solution.quantities.radius;
  result.design = calculator::Solve(choice, slotted, constants, checks);
  return result;
}

ModelDesign ScreenDesign(calculator::Choice choice, const calculator::Quantities& typed,
                         const calculator::Constants& constants, calculator::Checks checks) {
  // The screens' calculation itself, as it always was.
  ModelDesign result;
  result.design = calculator::Solve(choice, typed, constants, checks);
  result.solution.quantities = result.design.quantities;
  result.solution.possible = result.design.possible;
  return result;
}

}  // namespace app
