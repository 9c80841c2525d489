// Port models beyond the screens: the textbook end corrections of a neck
// flanged or free at either end, several identical ports on one cavity, slot
// ports, and what follows from the effective neck length (the radiation Q,
// the bandwidth and whether the lumped model holds).
//
// The screens' own formulas stay the reference of Ends::kScreen, which runs
// calculator::Solve unchanged. The textbook models use
//     f = (c / 2pi) * sqrt(N*S / (V*L')),   L' = t + Delta,
// Delta = (e_outer + e_inner) * a, a the radius of the orifice or, for a
// non-round one, of the circle of the same surface, and per end
// e = 8/(3pi) for a flanged end (Rayleigh; a piston in a wall) and
// e = 0.6133 for a free, unflanged end (Levine and Schwinger, 1948).
//
// Units as in resonator.h: Hz, cm^3, cm, cm^2; c in cm/s.
#pragma once

#include <array>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "calculator/design.h"
#include "calculator/resonator.h"

namespace calculator {

// The end-correction model, as the option texts name it.
enum class Ends {
  kScreen,       // "screen": the menu's formulas, bit for bit
  kFlanged,      // "flanged": both ends in a wall (a hole in a panel)
  kFree,         // "free": a tube standing free at both ends
  kFlangedFree,  // "flanged-free": flush in the baffle outside, free inside (the usual loudspeaker port)
};
inline constexpr std::array<Ends, 4> kEndsModels = {Ends::kScreen, Ends::kFlanged, Ends::kFree, Ends::kFlangedFree};

// "screen", "flanged", "free" or "flanged-free"; nothing for any other text
// (exact, case-sensitive).
std::optional<Ends> ParseEnds(std::string_view text);
// The option text of `ends`: ParseEnds(EndsName(e)) == e.
std::string_view EndsName(Ends ends);

// The end correction of one flanged end per unit radius, 8/(3pi).
inline constexpr long double kFlangedEndPerRadius = 8 / (3 * std::numbers::pi_v<long double>);
// The end correction of one free (unflanged) end per unit radius.
inline constexpr long double kFreeEndPerRadius = 0.6133L;
// Delta / a of a textbook model, both ends together: 1.6977 flanged, 1.2266
// free, 1.4621 flanged-free; nothing for kScreen, whose two families differ.
std::optional<long double> EndCorrectionPerRadius(Ends ends);

// A rectangular orifice, width x height in cm: its surface is W*H, and its end
// correction that of the circle of the same surface.
struct Slot {
  float width = 0;
  float height = 0;
};

// How the calculation is modelled, besides the menu choice.
struct PortModel {
  Ends ends = Ends::kScreen;
  // Identical orifices side by side on one cavity; the orifice quantities
  // describe one of them.
  int ports = 1;
  // When given, the orifice is this slot instead of the typed diameter or surface.
  std::optional<Slot> slot = std::nullopt;
};

struct PortSolution {
  // As calculator::Solve leaves them: the typed quantities and the solved
  // one; a typed or solved diameter also sets the radius and surface (rounded
  // to single once each). A slot sets the surface to W*H and the diameter and
  // radius to those of the circle of the same surface.
  Quantities quantities;
  // The model's plausibility test: the wall thickness implied by f, V and the
  // orifice is not negative. In the textbook models also false when no
  // orifice fits (a solved diameter or surface is then 0, as on the screens)
  // or when f, V or the orifice is not a finite number above zero.
  bool possible = false;
  // For the textbook models only; empty for kScreen and when no orifice fits.
  std::optional<float> endCorrection;  // Delta, cm, both ends of one port together
  std::optional<float> qRadiation;     // 2pi * sqrt(V * (L'/(N*S))^3)
  std::optional<float> bandwidth;      // f / qRadiation, Hz
  std::optional<bool> lumped;          // k*L' < 0.5 and k*V^(1/3) < 0.5, k = 2pi*f/c
};

// Why a combination of choice and model cannot be computed, in words the
// command line can print as they are.
struct PortRefusal {
  std::string message;
};

// Runs `choice` under `model`: the three quantities of AskedQuantities(choice)
// are taken from `typed` (with a slot, its surface replaces the typed
// orifice), the fourth is solved for. Each textbook result is computed in
// working precision and rounded to single once.
//
// Ends::kScreen is calculator::Solve itself, bit for bit, with no extra
// outputs. Refused:
//   - ports below 1;
//   - ports above 1 with Ends::kScreen (the screens have one orifice);
//   - a slot with a choice that solves for the orifice (4 and 8): a slot is
//     only ever given;
//   - a slot with Ends::kScreen in a round choice (1-3), whose formulas take
//     a radius; the surface choices (5-7) take the slot's surface.
//   - a slot whose width or height is not a finite number above zero, or
//     whose surface W*H is not finite in single precision.
// A textbook model never clamps a typed value: a negative wall thickness is
// used as typed and makes the design impossible.
//   SolvePort(kFrequencyRound, {.volume = 1000, .thickness = 1, .diameter = 2},
//             {.ends = Ends::kFlanged}, MakeConstants())
//     -> frequency 184.67 Hz, Delta 1.6977 cm, Q 158.1, bandwidth 1.168 Hz, lumped
std::variant<PortSolution, PortRefusal> SolvePort(Choice choice, const Quantities& typed, const PortModel& model,
                                                  const Constants& constants);

// SolvePort's refusal of `choice` under `model`, which depends on nothing
// else: a sweep asks once, before its first design.
std::optional<PortRefusal> RefusalOf(Choice choice, const PortModel& model);

}  // namespace calculator
