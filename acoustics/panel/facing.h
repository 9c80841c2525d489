// The facing of a panel absorber: a plate with round holes (perforated, and
// below about 1 mm the micro-perforated panels of the same formula) or with
// slots, as its normalised impedance (by rho*c, over the whole panel, e^(j
// omega t)). A facing is described by its opening (the hole's diameter or the
// slot's width), its thickness and its open area; the grid functions make
// one from a pitch and say what they refuse.
//
//   NoFacing()                                               -> kind kNone
//   PerforatedWithOpenArea(0.005, 0.003, 0.05)               -> {kPerforated, 0.005, 0.003, 0.05}
//   PerforatedOnGrid(0.005, 0.003, 0.025, HoleGrid::kSquare) -> open_area 0.0314159 (pi*d^2/(4P^2))
//   GridOpenArea(0.005, 0.025, HoleGrid::kTriangular)        -> 0.0362760 (pi*d^2/(2 sqrt(3) P^2))
//   SlottedOnPitch(0.003, 0.012, 0.03)                       -> open_area 0.1
//   SlottedWithOpenArea(0.003, 0.012, 1)                     -> PanelFault::kOpenAreaTooLarge
//   FaultOf(Facing{kPerforated, 0.005, 0.003, 0.5})          -> PanelFault::kOpenAreaAboveInteractionLimit
//   PerforatedOnGrid(0.005, 0.003, 0.004, HoleGrid::kSquare) -> PanelFault::kOpeningWiderThanPitch
//   FacingImpedance(PerforatedWithOpenArea(0.005, 0.003, 0.05), 2*pi*500, AirAt(20))
//       -> 0.0576234 + 1.14948j
//   FacingEndCorrection(PerforatedWithOpenArea(0.005, 0.003, 0.05))  -> 0.00316225 m (both sides)
#pragma once

#include <complex>
#include <optional>
#include <variant>

#include "acoustics/air.h"

namespace acoustics {

// Why a panel absorber cannot be computed. The library names no option: the
// caller words each fault for what the user typed.
enum class PanelFault {
  kNonPositiveSize,                // a diameter, width, thickness, pitch, open area or flow resistivity <= 0
  kOpeningWiderThanPitch,          // holes or slots wider than their centre distance
  kOpenAreaTooLarge,               // an open area of 100% or more
  kOpenAreaAboveInteractionLimit,  // a perforated facing above kMaxInteractingOpenArea (0.4)
  kNonPositiveDepth,               // a cavity of zero or negative depth
  kFillThickerThanDepth,           // a porous fill thicker than the cavity is deep
};

enum class FacingKind {
  kNone,        // no facing: the fill or the air is the surface
  kPerforated,  // round holes (micro-perforated too)
  kSlotted,     // long slots
};

enum class HoleGrid {
  kSquare,      // phi = pi d^2 / (4 P^2)
  kTriangular,  // phi = pi d^2 / (2 sqrt(3) P^2)
};

struct Facing {
  FacingKind kind = FacingKind::kNone;
  double opening_m = 0;    // the hole's diameter or the slot's width (its short side)
  double thickness_m = 0;  // the plate's
  double open_area = 0;    // the open fraction of the surface, 0 < phi < 1
};

// A facing with no holes at all: the bare surface of what lies behind.
Facing NoFacing();

// A perforated facing of holes `hole_diameter_m` through `thickness_m` at a
// given open area, or on a grid of centre distance `pitch_m`.
std::variant<Facing, PanelFault> PerforatedWithOpenArea(double hole_diameter_m, double thickness_m, double open_area);
std::variant<Facing, PanelFault> PerforatedOnGrid(double hole_diameter_m, double thickness_m, double pitch_m,
                                                  HoleGrid grid);

// A slotted facing of slots `slot_width_m` wide at a centre distance `pitch_m`
// (phi = w/P), or at a given open area.
std::variant<Facing, PanelFault> SlottedWithOpenArea(double slot_width_m, double thickness_m, double open_area);
std::variant<Facing, PanelFault> SlottedOnPitch(double slot_width_m, double thickness_m, double pitch_m);

// The open area of holes of `hole_diameter_m` on `grid` at `pitch_m`.
double GridOpenArea(double hole_diameter_m, double pitch_m, HoleGrid grid);

// What keeps `facing` from being computed, if anything.
std::optional<PanelFault> FaultOf(const Facing& facing);

// The end correction of both sides together, m: for holes
// (8d/(3pi)) (1 - 1.14 sqrt(phi)) (Rayleigh's flanged piston on each side,
// shortened by the neighbouring holes after Jaouen and Chevillotte, 2018);
// for slots (2w/pi) ln(1/sin(pi phi/2)) (Smits and Kosten, 1951). 0 for no
// facing.
double FacingEndCorrection(const Facing& facing);

// The facing's normalised impedance at `omega`, rad/s: for holes
//   RoundOrificeImpedance(d, t) / phi + j omega delta / (phi c)   (Maa, 1998)
// for slots
//   SlitImpedance(w, t) / phi + j omega delta / (phi c)           (Stinson, 1991)
// with delta FacingEndCorrection; 0 for no facing. `facing` has no fault.
std::complex<double> FacingImpedance(const Facing& facing, double omega, const Air& air);

}  // namespace acoustics
