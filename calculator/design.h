// One calculation of the menu, without a console: the three typed quantities
// in, the fourth solved for, the plausibility test, the cross-check lines and
// the messages out. The calculation screens draw a Design; the command line
// prints one. Both therefore give the same numbers, bit for bit.
#pragma once

#include <array>
#include <string_view>

#include "calculator/resonator.h"

namespace calculator {

// The six design quantities. A screen sets every quantity it uses before
// using it, so values left from an earlier calculation never show.
struct Quantities {
  float frequency = 0;  // f, Hz
  float volume = 0;     // V, cm^3
  float thickness = 0;  // t, cm
  float diameter = 0;   // d, cm (round orifice)
  float radius = 0;     // r = d/2, cm (round orifice)
  float surface = 0;    // S, cm^2
};

// The menu choices "1" to "8", by the quantity each solves for.
enum class Choice {
  kFrequencyRound = 1,  // V, d, t -> f
  kVolumeRound,         // f, d, t -> V
  kThicknessRound,      // f, V, d -> t
  kDiameterRound,       // f, V, t -> d
  kFrequencyAny,        // V, S, t -> f
  kVolumeAny,           // f, S, t -> V
  kThicknessAny,        // f, V, S -> t
  kSurfaceAny,          // f, V, t -> S
};
inline constexpr std::array<Choice, 8> kChoices = {
    Choice::kFrequencyRound, Choice::kVolumeRound, Choice::kThicknessRound, Choice::kDiameterRound,
    Choice::kFrequencyAny,   Choice::kVolumeAny,   Choice::kThicknessAny,   Choice::kSurfaceAny};

// The quantities a user can type. The radius is never typed: it follows the diameter.
enum class Quantity { kFrequency, kVolume, kThickness, kDiameter, kSurface };

// The three quantities a choice asks for, in the order its screen asks them.
//   kFrequencyRound -> volume, diameter, thickness
std::array<Quantity, 3> AskedQuantities(Choice choice);
// The quantity a choice solves for.
Quantity SolvedQuantity(Choice choice);
// The field of `quantities` that holds `quantity`.
float& Field(Quantities& quantities, Quantity quantity);
float Field(const Quantities& quantities, Quantity quantity);

// True for choices "1" to "4", whose orifice is round.
inline bool IsRound(Choice choice) { return static_cast<int>(choice) <= 4; }

// One result line: label, the value shown with 7 significant digits, unit.
struct ResultLine {
  std::string_view label;
  float value = 0;
  std::string_view unit;
};

struct Design {
  Choice choice = Choice::kFrequencyRound;
  // The typed values after the screen's rules (a negative typed wall
  // thickness is 0 in every choice but "1"; a typed or solved diameter sets
  // the radius and the surface), and the solved one.
  Quantities quantities;
  ResultLine result;
  // Written right behind the result line ("Impossible values!!!" and the like), or empty.
  std::string_view resultMessage;
  // Whether the screen ends the result row with a new line.
  bool newLineAfterResult = false;
  // The plausibility test; when false the screen shows kImpossibleValues instead of `checks`.
  bool possible = false;
  std::array<ResultLine, 3> checks;
};

// Runs `choice` on the three quantities of AskedQuantities(choice) in
// `typed`; its other fields pass through (the any-orifice choices leave the
// diameter and radius as they were).
//   Solve(kFrequencyRound, {.volume = 1000, .thickness = 1, .diameter = 2})
//     .result.value == 220.83963f, .possible, checks 1000, 1, 2
// With Checks::kSkipped `checks` stay empty (a row that never shows them,
// such as each design of a sweep, saves three formulas); the rest of the
// design is the same, bit for bit.
enum class Checks { kComputed, kSkipped };
Design Solve(Choice choice, const Quantities& typed, const Constants& constants, Checks checks = Checks::kComputed);

// Sets the radius r = d/2 and the surface S = pi*r^2 of a round orifice from
// its diameter, each rounded to single: d = 2 -> r = 1, S = 3.1415927.
void DeriveRoundOrifice(Quantities& quantities, const Constants& constants);

}  // namespace calculator
