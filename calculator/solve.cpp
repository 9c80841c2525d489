#include "calculator/solve.h"

#include "calculator/screen_texts.h"

namespace calculator {
namespace {

// The screens' result and cross-check lines, labels and units, for a design
// the screens' Solve did not make.
ResultLine LineOf(Quantity quantity, float value, bool result) {
  switch (quantity) {
    case Quantity::kFrequency: return {kFrequencyLabel, value, kHertz};
    case Quantity::kVolume: return {result ? kVolumeResultLabel : kVolumeLabel, value, kCubicCentimetres};
    case Quantity::kThickness: return {result ? kOrificeThicknessLabel : kWallThicknessLabel, value, kCentimetres};
    case Quantity::kDiameter: return {kDiameterLabel, value, kCentimetres};
    case Quantity::kSurface: return {kSurfaceLabel, value, kSquareCentimetres};
  }
  return {};
}

// A textbook design in the screens' shape: the solved quantity's line, then
// the other three as the model used them (the model has no cross-check of
// its own: its round trips are exact to one rounding), and no screen message.
Design TextbookDesign(Choice choice, const PortSolution& solution, Checks checks) {
  Design design;
  design.choice = choice;
  design.quantities = solution.quantities;
  design.possible = solution.possible;
  design.newLineAfterResult = true;
  const Quantity solved = SolvedQuantity(choice);
  design.result = LineOf(solved, Field(design.quantities, solved), true);
  if (checks == Checks::kSkipped) return design;
  const Quantity orifice = IsRound(choice) ? Quantity::kDiameter : Quantity::kSurface;
  auto check = design.checks.begin();
  for (const Quantity quantity : {Quantity::kFrequency, Quantity::kVolume, Quantity::kThickness, orifice}) {
    if (quantity != solved) *check++ = LineOf(quantity, Field(design.quantities, quantity), false);
  }
  return design;
}

}  // namespace

std::variant<Solution, ModelFault> SolveProblem(const Problem& problem) {
  if (const std::optional<ModelFault> fault = FaultOf(problem.choice, problem.model)) return *fault;
  Solution solution;
  solution.model = problem.model;
  if (problem.model.ends == Ends::kScreen) {
    const Quantities typed = problem.model.slot ? WithSlotOrifice(problem.typed, *problem.model.slot) : problem.typed;
    solution.design = Solve(problem.choice, typed, problem.constants, problem.checks);
    solution.figures.quantities = solution.design.quantities;
    solution.figures.possible = solution.design.possible;
    return solution;
  }
  solution.figures = SolveTextbookPort(problem.choice, problem.typed, problem.model, problem.constants);
  if (const std::optional<ModelFault> fault = OpenAreaFault(solution.figures)) return *fault;
  solution.design = TextbookDesign(problem.choice, solution.figures, problem.checks);
  return solution;
}

}  // namespace calculator
