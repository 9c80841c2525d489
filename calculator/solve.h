// The one entry through which every design is solved, on the screens and on
// the command line alike: the caller says what it wants solved (a menu
// choice: the quantity and the orifice kind), under which port model and in
// which air, and gets the design in the screens' shape with the model's
// figures, or the model's fault.
//
//   SolveProblem({.choice = kFrequencyRound, .typed = {.volume = 1000, .thickness = 1, .diameter = 2},
//                 .model = {.ends = Ends::kFlanged}, .constants = MakeConstants(34321.47F)})
//   -> design: "Frequency       = 184.6634 Hz", ...; figures: end correction 1.697653 cm, Q 158.1008
//   the same with PortModel{.ports = 2} -> ModelFault::kPortsNeedTextbookEnds
#pragma once

#include <variant>

#include "calculator/design.h"
#include "calculator/port_models.h"
#include "calculator/resonator.h"

namespace calculator {

struct Problem {
  Choice choice = Choice::kFrequencyRound;
  Quantities typed;
  PortModel model;  // the screens' own unless told
  Constants constants;
  Checks checks = Checks::kComputed;
};

struct Solution {
  // The screens' shape: for their model exactly what Solve gives; for a
  // textbook model the solved quantity's line, then the other three as the
  // model used them (its round trips are exact to one rounding, so it has no
  // cross-check of its own), and no screen message.
  Design design;
  PortModel model;
  // The model's figures (for the screens' model only the quantities and the
  // plausibility test).
  PortSolution figures;
};

// Solves once: the screens' Solve for their model (on a slot's surface when
// a slot is given), the textbook models' own solution otherwise.
std::variant<Solution, ModelFault> SolveProblem(const Problem& problem);

}  // namespace calculator
