// Port models beyond the screens: the textbook end corrections of a neck
// flanged or free at either end, several identical ports on one cavity, slot
// ports, and what follows from the effective neck length (the radiation Q,
// the bandwidth and whether the lumped model holds).
//
// The screens' own formulas stay the reference of Ends::kScreen, which runs
// calculator::Solve unchanged. The textbook models use
//     f = (c / 2pi) * sqrt(N*S / (V*L')),   L' = t + Delta,
// Delta = (e_outer + e_inner) * a, a the radius of the orifice or, for a
// typed surface, of the circle of the same surface, and per end
// e = 8/(3pi) for a flanged end (Rayleigh; a piston in a wall) and
// e = 0.6133 for a free, unflanged end (Levine and Schwinger, 1948). A slot's
// ends are those of a rectangular piston (acoustics::SlotEndCorrection): a
// long slot's plug is much shorter than that of the circle of its surface.
// Ports on a square grid of pitch P shorten each other's ends by
// acoustics::HoleInteractionFactor(S/P^2).
//
// Units as in resonator.h: Hz, cm^3, cm, cm^2; c in cm/s.
#pragma once

#include <array>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "acoustics/end_corrections.h"
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
inline constexpr long double kFlangedEndPerRadius = acoustics::kFlangedEndPerRadius;
// The end correction of one free (unflanged) end per unit radius.
inline constexpr long double kFreeEndPerRadius = acoustics::kFreeEndPerRadius;
// Delta / a of a textbook model, both ends together: 1.6977 flanged, 1.2266
// free, 1.4621 flanged-free; nothing for kScreen, whose two families differ.
std::optional<long double> EndCorrectionPerRadius(Ends ends);

// A rectangular orifice, width x height in cm: its surface is W*H, and its end
// correction that of a rectangular piston: 4 x 0.5 cm flanged at both ends ->
// Delta = 2 * 0.527377 cm (the circle of the same surface would give 1.354 cm).
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
  // When given, the ports stand on a square grid of this centre distance, cm
  // (a perforated panel), and shorten each other's end corrections.
  std::optional<float> pitch = std::nullopt;
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
  // The losses: as solved, the lossless plug's radiation Q 2pi * sqrt(V *
  // (L'/(N*S))^3) and f over it; a caller that knows the air's density and
  // viscosity puts in the acoustics' figures (app::AddLosses): the radiation
  // and viscous Q, their total, f over the total and the peak absorption area.
  std::optional<float> qRadiation;
  std::optional<float> bandwidth;  // Hz
  std::optional<float> qViscous;
  std::optional<float> q;
  std::optional<float> peakAbsorptionArea;  // m^2, at normal incidence on the baffle
  std::optional<bool> lumped;               // k*L' < 0.5 and k*V^(1/3) < 0.5, k = 2pi*f/c
  std::optional<float> openArea;            // S/P^2 on a grid; empty without a pitch
};

// Why a combination of choice and model cannot be computed, in words the
// command line can print as they are.
// What keeps a model from being solved for a choice. The model names no
// option: the command line words each fault for its options or batch columns.
enum class ModelFault {
  kPortsNotWhole,           // fewer than one port
  kPortsNeedTextbookEnds,   // several ports on the screens' model
  kSlotNotPositive,         // a slot side that is not finite and above zero
  kSlotNotFinite,           // a slot whose surface is not finite in single precision
  kSlotIsSolved,            // a slot given to a choice that computes the orifice
  kScreenSlotIsRound,       // a slot on the screens' round-orifice choices
  kPitchNotPositive,        // a pitch that is not finite and above zero
  kPitchNeedsTextbookEnds,  // a pitch on the screens' model
  kPitchWithFreeOuterEnd,   // a grid of ports needs a panel at its outer end
  kOpenAreaOverLimit,       // S/P^2 over kMaxOpenArea, typed or solved
};

// The largest open area S/P^2 a grid is computed for: the hole-interaction
// factor is fitted up to it.
inline constexpr long double kMaxOpenArea = acoustics::kMaxInteractingOpenArea;

// The fault of `model` for `choice`, if any; an open area over the limit is
// known only once the orifice is (OpenAreaFault).
std::optional<ModelFault> FaultOf(Choice choice, const PortModel& model);

// kOpenAreaOverLimit when `solution`'s open area is over kMaxOpenArea:
// a 1 cm^2 hole on a 1.5 cm pitch (0.444) -> kOpenAreaOverLimit; on 2 cm -> none.
std::optional<ModelFault> OpenAreaFault(const PortSolution& solution);

// The typed quantities with a slot's orifice in place of the typed one: the
// surface W*H and the diameter and radius of the circle of that surface.
Quantities WithSlotOrifice(Quantities typed, const Slot& slot);

// `choice` on `typed` under a textbook model (ends other than kScreen), whose
// FaultOf is none.
PortSolution SolveTextbookPort(Choice choice, const Quantities& typed, const PortModel& model,
                               const Constants& constants);

}  // namespace calculator
