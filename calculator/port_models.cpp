// The textbook port models. Everything is computed in the 80-bit working
// precision from the single-precision inputs, and each reported value is
// rounded to single exactly once, so the only error a round trip sees is that
// one rounding, amplified by the conditioning of the inversion.
#include "calculator/port_models.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

namespace calculator {
namespace {

using Extended = long double;
constexpr Extended kPi = std::numbers::pi_v<Extended>;

// The orifice of one port: its surface and the radius its end correction uses.
struct Orifice {
  Extended surface = 0;
  Extended radius = 0;
};

Extended EqualAreaRadius(Extended surface) { return std::sqrt(surface / kPi); }

bool PositiveAndFinite(Extended x) { return std::isfinite(x) && x > 0; }

Extended SlotSurface(const Slot& slot) { return Extended{slot.width} * slot.height; }

acoustics::EndKind OuterEnd(Ends ends) {
  return ends == Ends::kFree ? acoustics::EndKind::kFree : acoustics::EndKind::kFlanged;
}
acoustics::EndKind InnerEnd(Ends ends) {
  return ends == Ends::kFlanged ? acoustics::EndKind::kFlanged : acoustics::EndKind::kFree;
}

// Both ends of a slot, each a rectangular piston.
Extended SlotEnds(const Slot& slot, Ends ends) {
  return acoustics::SlotEndCorrection(slot.width, slot.height, OuterEnd(ends)) +
         acoustics::SlotEndCorrection(slot.width, slot.height, InnerEnd(ends));
}

// The factor 1 - s sqrt(S/P^2) is linear in sqrt(S/P^2): its slope s is read
// from the library's factor so that the two cannot drift apart.
Extended InteractionSlope() { return 2 * (1 - acoustics::HoleInteractionFactor(0.25L)); }

// The factor by which the grid shortens the ends; above the open area's
// limit the design is refused (OpenAreaFault), so any value does there.
Extended InteractionFactor(Extended surface, const std::optional<float>& pitch) {
  if (!pitch) return 1;
  const Extended openArea = surface / (Extended{*pitch} * *pitch);
  return acoustics::HoleInteractionFactor(std::min(openArea, kMaxOpenArea));
}

// A slot replaces the typed orifice: its surface, and the equal-area circle.
void SetSlotOrifice(Quantities& q, const Slot& slot) {
  q.surface = static_cast<float>(SlotSurface(slot));                        // -> single
  q.diameter = static_cast<float>(2 * EqualAreaRadius(SlotSurface(slot)));  // -> single
  q.radius = static_cast<float>(Extended{q.diameter} / 2);                  // exact
}

// The larger root a of aa*a^2 - beta*a - t = 0, which is the orifice radius
// when aa = N*c^2/(4pi*f^2*V); none when no positive radius fits, a negative
// discriminant included (its square root is NaN). beta is added to a positive
// square root, so nothing cancels.
std::optional<Extended> OrificeRadius(Extended aa, Extended beta, Extended t) {
  const Extended discriminant = beta * beta + 4 * aa * t;
  const Extended radius = (beta + std::sqrt(discriminant)) / (2 * aa);
  if (!PositiveAndFinite(radius)) return std::nullopt;
  return radius;
}

// Delta of a known orifice, both ends of one port together.
Extended EndCorrectionOf(const Orifice& orifice, const PortModel& model) {
  const Extended ends =
      model.slot ? SlotEnds(*model.slot, model.ends) : *EndCorrectionPerRadius(model.ends) * orifice.radius;
  return ends * InteractionFactor(orifice.surface, model.pitch);
}

PortSolution SolveTextbook(Choice choice, const Quantities& typed, const PortModel& model, const Constants& constants) {
  const Extended beta = *EndCorrectionPerRadius(model.ends);
  const Extended n = model.ports;
  const Extended c = constants.soundSpeed;
  const Quantity solved = SolvedQuantity(choice);
  const bool round = IsRound(choice);

  PortSolution solution;
  Quantities& q = solution.quantities;
  q = typed;
  Orifice orifice;
  if (model.slot) {
    SetSlotOrifice(q, *model.slot);
    orifice.surface = SlotSurface(*model.slot);
    orifice.radius = EqualAreaRadius(orifice.surface);
  } else if (round && solved != Quantity::kDiameter) {
    DeriveRoundOrifice(q, constants);
    orifice.radius = Extended{q.diameter} / 2;
    orifice.surface = kPi * orifice.radius * orifice.radius;
  } else if (!round && solved != Quantity::kSurface) {
    orifice.surface = q.surface;
    orifice.radius = EqualAreaRadius(orifice.surface);
  }

  Extended f = q.frequency;
  Extended v = q.volume;
  Extended t = q.thickness;
  Extended endCorrection = EndCorrectionOf(orifice, model);
  // (2pi f)^2 * V * L' = N * S * c^2 ties the four quantities.
  const auto stiffness = [&] { return n * orifice.surface * c * c; };
  const auto inertia = [&](Extended frequency) { return 4 * kPi * kPi * frequency * frequency; };
  bool orificeFits = true;
  switch (solved) {
    case Quantity::kFrequency:
      f = std::sqrt(stiffness() / (v * (t + endCorrection))) / (2 * kPi);
      q.frequency = static_cast<float>(f);  // -> single
      break;
    case Quantity::kVolume:
      v = stiffness() / (inertia(f) * (t + endCorrection));
      q.volume = static_cast<float>(v);  // -> single
      break;
    case Quantity::kThickness:
      t = stiffness() / (inertia(f) * v) - endCorrection;
      q.thickness = static_cast<float>(t);  // -> single
      break;
    case Quantity::kDiameter:
    case Quantity::kSurface: {
      // On a grid Delta = beta a (1 - s sqrt(pi) a / P) adds to the a^2 term.
      const Extended grid = model.pitch ? beta * InteractionSlope() * std::sqrt(kPi) / *model.pitch : 0;
      const std::optional<Extended> radius = OrificeRadius(n * kPi * c * c / (inertia(f) * v) + grid, beta, t);
      orificeFits = radius.has_value();
      orifice.radius = radius.value_or(0);
      orifice.surface = kPi * orifice.radius * orifice.radius;
      if (round) {
        q.diameter = static_cast<float>(2 * orifice.radius);  // -> single
        DeriveRoundOrifice(q, constants);
      } else {
        q.surface = static_cast<float>(orifice.surface);  // -> single
      }
      endCorrection = EndCorrectionOf(orifice, model);
      break;
    }
  }

  // In exact arithmetic the thickness implied by f, V and the orifice is the
  // typed or solved t itself; testing t avoids deciding a wall of zero by
  // the sign of a rounding error.
  solution.possible =
      orificeFits && !(t < 0) && PositiveAndFinite(f) && PositiveAndFinite(v) && PositiveAndFinite(orifice.surface);
  if (!orificeFits) return solution;

  const Extended neck = t + endCorrection;
  const Extended perSurface = neck / (n * orifice.surface);
  const Extended quality = 2 * kPi * std::sqrt(v * perSurface * perSurface * perSurface);
  const Extended k = 2 * kPi * f / c;
  solution.endCorrection = static_cast<float>(endCorrection);  // -> single
  solution.qRadiation = static_cast<float>(quality);           // -> single
  solution.bandwidth = static_cast<float>(f / quality);        // -> single
  solution.lumped = k * neck < 0.5L && k * std::cbrt(v) < 0.5L;
  if (model.pitch) solution.openArea = static_cast<float>(orifice.surface / (Extended{*model.pitch} * *model.pitch));
  return solution;
}

}  // namespace

std::optional<Ends> ParseEnds(std::string_view text) {
  for (const Ends ends : kEndsModels) {
    if (EndsName(ends) == text) return ends;
  }
  return std::nullopt;
}

std::string_view EndsName(Ends ends) {
  switch (ends) {
    case Ends::kScreen: return "screen";
    case Ends::kFlanged: return "flanged";
    case Ends::kFree: return "free";
    case Ends::kFlangedFree: return "flanged-free";
  }
  return "screen";
}

std::optional<long double> EndCorrectionPerRadius(Ends ends) {
  switch (ends) {
    case Ends::kScreen: return std::nullopt;
    case Ends::kFlanged: return 2 * kFlangedEndPerRadius;
    case Ends::kFree: return 2 * kFreeEndPerRadius;
    case Ends::kFlangedFree: return kFlangedEndPerRadius + kFreeEndPerRadius;
  }
  return std::nullopt;
}

std::optional<ModelFault> FaultOf(Choice choice, const PortModel& model) {
  const Quantity solved = SolvedQuantity(choice);
  const bool solvesOrifice = solved == Quantity::kDiameter || solved == Quantity::kSurface;
  if (model.ports < 1) return ModelFault::kPortsNotWhole;
  if (model.ports > 1 && model.ends == Ends::kScreen) return ModelFault::kPortsNeedTextbookEnds;
  if (model.pitch) {
    if (!PositiveAndFinite(*model.pitch)) return ModelFault::kPitchNotPositive;
    if (model.ends == Ends::kScreen) return ModelFault::kPitchNeedsTextbookEnds;
    if (model.ends == Ends::kFree) return ModelFault::kPitchWithFreeOuterEnd;
  }
  if (!model.slot) return std::nullopt;
  if (!(PositiveAndFinite(model.slot->width) && PositiveAndFinite(model.slot->height))) {
    return ModelFault::kSlotNotPositive;
  }
  // The surface is stored in single precision: 1e20 x 1e20 would be infinite.
  if (!std::isfinite(static_cast<float>(SlotSurface(*model.slot)))) return ModelFault::kSlotNotFinite;
  if (solvesOrifice) return ModelFault::kSlotIsSolved;
  if (model.ends == Ends::kScreen && IsRound(choice)) return ModelFault::kScreenSlotIsRound;
  return std::nullopt;
}

std::optional<ModelFault> OpenAreaFault(const PortSolution& solution) {
  if (solution.openArea && *solution.openArea > kMaxOpenArea) return ModelFault::kOpenAreaOverLimit;
  return std::nullopt;
}

Quantities WithSlotOrifice(Quantities typed, const Slot& slot) {
  SetSlotOrifice(typed, slot);
  return typed;
}

PortSolution SolveTextbookPort(Choice choice, const Quantities& typed, const PortModel& model,
                               const Constants& constants) {
  assert(model.ends != Ends::kScreen && !FaultOf(choice, model));
  return SolveTextbook(choice, typed, model, constants);
}

}  // namespace calculator
