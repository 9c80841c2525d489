#include "acoustics/panel/facing.h"

#include <cassert>
#include <cmath>
#include <numbers>

#include "acoustics/end_corrections.h"
#include "acoustics/orifice.h"

namespace acoustics {

namespace {

// The open fraction of one hole per grid cell, d^2/P^2 times this.
double GridAreaFactor(HoleGrid grid) {
  return grid == HoleGrid::kSquare ? std::numbers::pi / 4 : std::numbers::pi / (2 * std::numbers::sqrt3);
}

// Written as !(x > 0) so that a NaN is refused with the sizes below zero.
bool NotPositive(double value) { return !(value > 0); }

std::variant<Facing, PanelFault> Checked(Facing facing) {
  if (const std::optional<PanelFault> fault = FaultOf(facing)) return *fault;
  return facing;
}

}  // namespace

Facing NoFacing() { return Facing{}; }

double GridOpenArea(double hole_diameter_m, double pitch_m, HoleGrid grid) {
  assert(pitch_m > 0);
  return GridAreaFactor(grid) * (hole_diameter_m / pitch_m) * (hole_diameter_m / pitch_m);
}

std::variant<Facing, PanelFault> PerforatedWithOpenArea(double hole_diameter_m, double thickness_m, double open_area) {
  return Checked({.kind = FacingKind::kPerforated,
                  .opening_m = hole_diameter_m,
                  .thickness_m = thickness_m,
                  .open_area = open_area});
}

std::variant<Facing, PanelFault> PerforatedOnGrid(double hole_diameter_m, double thickness_m, double pitch_m,
                                                  HoleGrid grid) {
  if (NotPositive(pitch_m) || NotPositive(hole_diameter_m)) return PanelFault::kNonPositiveSize;
  if (hole_diameter_m > pitch_m) return PanelFault::kOpeningWiderThanPitch;
  return PerforatedWithOpenArea(hole_diameter_m, thickness_m, GridOpenArea(hole_diameter_m, pitch_m, grid));
}

std::variant<Facing, PanelFault> SlottedWithOpenArea(double slot_width_m, double thickness_m, double open_area) {
  return Checked(
      {.kind = FacingKind::kSlotted, .opening_m = slot_width_m, .thickness_m = thickness_m, .open_area = open_area});
}

std::variant<Facing, PanelFault> SlottedOnPitch(double slot_width_m, double thickness_m, double pitch_m) {
  if (NotPositive(pitch_m) || NotPositive(slot_width_m)) return PanelFault::kNonPositiveSize;
  if (slot_width_m > pitch_m) return PanelFault::kOpeningWiderThanPitch;
  return SlottedWithOpenArea(slot_width_m, thickness_m, slot_width_m / pitch_m);
}

std::optional<PanelFault> FaultOf(const Facing& facing) {
  if (facing.kind == FacingKind::kNone) return std::nullopt;
  if (NotPositive(facing.opening_m) || NotPositive(facing.thickness_m) || NotPositive(facing.open_area)) {
    return PanelFault::kNonPositiveSize;
  }
  if (!(facing.open_area < 1)) return PanelFault::kOpenAreaTooLarge;
  if (facing.kind == FacingKind::kPerforated && facing.open_area > static_cast<double>(kMaxInteractingOpenArea)) {
    return PanelFault::kOpenAreaAboveInteractionLimit;
  }
  return std::nullopt;
}

double FacingEndCorrection(const Facing& facing) {
  switch (facing.kind) {
    case FacingKind::kNone: return 0;
    case FacingKind::kPerforated:
      return static_cast<double>(2 * RoundEndCorrection(facing.opening_m / 2.0L, EndKind::kFlanged) *
                                 HoleInteractionFactor(facing.open_area));
    case FacingKind::kSlotted:
      return 2 * facing.opening_m / std::numbers::pi * -std::log(std::sin(std::numbers::pi * facing.open_area / 2));
  }
  return 0;
}

std::complex<double> FacingImpedance(const Facing& facing, double omega, const Air& air) {
  assert(!FaultOf(facing));
  if (facing.kind == FacingKind::kNone) return 0;
  const std::complex<double> orifice = facing.kind == FacingKind::kPerforated
                                           ? RoundOrificeImpedance(facing.opening_m, facing.thickness_m, omega, air)
                                           : SlitImpedance(facing.opening_m, facing.thickness_m, omega, air);
  const double end_mass = omega * FacingEndCorrection(facing) / air.sound_speed_m_s;
  return (orifice + std::complex<double>(0, end_mass)) / facing.open_area;
}

}  // namespace acoustics
