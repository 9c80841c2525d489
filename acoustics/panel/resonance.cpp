#include "acoustics/panel/resonance.h"

#include <cassert>
#include <cmath>
#include <numbers>

#include "acoustics/end_corrections.h"

namespace acoustics {

namespace {

// K = D (2 pi f0 / c)^2, so that the resonance condition reads phi = K L'.
double Stiffness(double depth_m, double resonance_hz, const Air& air) {
  const double k = 2 * std::numbers::pi * resonance_hz / air.sound_speed_m_s;
  return depth_m * k * k;
}

// Both ends of a hole per unit diameter, 8/(3pi), before the interaction factor.
double HoleEndsPerDiameter() { return static_cast<double>(2 * RoundEndCorrection(0.5L, EndKind::kFlanged)); }

// The interaction factor's slope: 1 - kInteraction sqrt(phi).
constexpr double kInteraction = 1.14;

bool WithinHoleLimit(double open_area) { return open_area <= static_cast<double>(kMaxInteractingOpenArea); }

// The root in 0 < phi < 1 of `excess`, which rises with phi from below zero
// near 0 to `excess(1) > 0`, by bisection down to adjacent doubles.
template <typename Excess>
double RootInOpenArea(const Excess& excess) {
  double low = 0.5;
  while (excess(low) >= 0) low /= 2;
  double high = 1;
  for (;;) {
    const double middle = low + (high - low) / 2;
    if (middle <= low || middle >= high) return excess(high) < -excess(low) ? high : low;
    (excess(middle) < 0 ? low : high) = middle;
  }
}

// -ln sin(pi phi / 2), the slot's end correction per unit of 2w/pi.
double SlotEndShape(double open_area) { return -std::log(std::sin(std::numbers::pi * open_area / 2)); }

}  // namespace

double LumpedResonanceHz(const Facing& facing, double depth_m, const Air& air) {
  assert(facing.kind != FacingKind::kNone && !FaultOf(facing) && depth_m > 0);
  const double effective_length_m = facing.thickness_m + FacingEndCorrection(facing);
  return air.sound_speed_m_s / (2 * std::numbers::pi) * std::sqrt(facing.open_area / (depth_m * effective_length_m));
}

double DepthForResonance(const Facing& facing, double resonance_hz, const Air& air) {
  assert(facing.kind != FacingKind::kNone && !FaultOf(facing) && resonance_hz > 0);
  const double effective_length_m = facing.thickness_m + FacingEndCorrection(facing);
  return facing.open_area / (Stiffness(1, resonance_hz, air) * effective_length_m);
}

std::optional<double> PitchForResonance(const Facing& facing, HoleGrid grid, double depth_m, double resonance_hz,
                                        const Air& air) {
  assert(facing.kind != FacingKind::kNone && depth_m > 0 && resonance_hz > 0);
  const double stiffness = Stiffness(depth_m, resonance_hz, air);
  const double t = facing.thickness_m;
  if (facing.kind == FacingKind::kSlotted) {
    if (stiffness * t >= 1) return std::nullopt;
    const double ends_m = 2 * facing.opening_m / std::numbers::pi;
    const double open_area =
        RootInOpenArea([&](double phi) { return phi - stiffness * (t + ends_m * SlotEndShape(phi)); });
    return facing.opening_m / open_area;
  }
  // s = sqrt(phi): s^2 + K b s - K (t + a) = 0 with a = 8d/(3pi), b = 1.14 a,
  // its positive root written without cancellation.
  const double a = HoleEndsPerDiameter() * facing.opening_m;
  const double b = kInteraction * a;
  const double root =
      2 * stiffness * (t + a) / (stiffness * b + std::sqrt(stiffness * stiffness * b * b + 4 * stiffness * (t + a)));
  const double open_area = root * root;
  if (!WithinHoleLimit(open_area)) return std::nullopt;
  return facing.opening_m * std::sqrt(GridOpenArea(1, 1, grid) / open_area);
}

std::optional<double> OpeningForResonance(const Facing& facing, HoleGrid grid, double pitch_m, double depth_m,
                                          double resonance_hz, const Air& air) {
  assert(facing.kind != FacingKind::kNone && pitch_m > 0 && depth_m > 0 && resonance_hz > 0);
  const double stiffness = Stiffness(depth_m, resonance_hz, air);
  const double t = facing.thickness_m;
  if (facing.kind == FacingKind::kSlotted) {
    if (stiffness * t >= 1) return std::nullopt;
    const double ends_per_open_area_m = 2 * pitch_m / std::numbers::pi;
    const double open_area = RootInOpenArea(
        [&](double phi) { return phi - stiffness * (t + ends_per_open_area_m * phi * SlotEndShape(phi)); });
    return open_area * pitch_m;
  }
  // phi = g d^2 / P^2 and L' = t + a0 d (1 - 1.14 sqrt(g) d / P): a quadratic
  // A d^2 - K a0 d - K t = 0, its positive root.
  const double g = GridOpenArea(1, 1, grid);
  const double a0 = HoleEndsPerDiameter();
  const double quadratic = g / (pitch_m * pitch_m) + kInteraction * stiffness * a0 * std::sqrt(g) / pitch_m;
  const double linear = stiffness * a0;
  const double diameter_m = (linear + std::sqrt(linear * linear + 4 * quadratic * stiffness * t)) / (2 * quadratic);
  if (!WithinHoleLimit(GridOpenArea(diameter_m, pitch_m, grid))) return std::nullopt;
  return diameter_m;
}

}  // namespace acoustics
