// End corrections: how much longer than the wall an orifice's air plug moves,
// per end, for a round hole, a rectangular slot and holes close together on a
// panel. The functions take and return lengths in any one unit (the
// calculator works in cm, the acoustics in m) in the working precision.
//
//   RoundEndCorrection(1, EndKind::kFlanged)      -> 0.848826 (8/(3pi))
//   RoundEndCorrection(1, EndKind::kFree)         -> 0.6133
//   SlotEndCorrection(1, 1, EndKind::kFlanged)    -> 0.473201 (a square of side 1)
//   HoleInteractionFactor(0.04)                   -> 0.772
#pragma once

#include <numbers>

namespace acoustics {

enum class EndKind {
  kFlanged,  // the orifice ends in a wall (a piston in a baffle)
  kFree,     // the orifice ends in a tube standing free (unflanged)
};

// Per unit radius: 8/(3pi) for a flanged end (Rayleigh), 0.6133 for a free one
// (Levine and Schwinger, 1948).
inline constexpr long double kFlangedEndPerRadius = 8 / (3 * std::numbers::pi_v<long double>);
inline constexpr long double kFreeEndPerRadius = 0.6133L;

// One end of a round orifice of `radius`.
long double RoundEndCorrection(long double radius, EndKind end);

// One end of a rectangular orifice `width` x `height`: for a flanged end that
// of a rectangular piston in a baffle, I(W,H)/(2pi W H) with
//   I(a,b) = (2/3)(a^3 + b^3 - (a^2 + b^2)^(3/2)) + 2ab^2 asinh(a/b) + 2a^2 b asinh(b/a),
// and 0.6133/0.8488 of it for a free end.
long double SlotEndCorrection(long double width, long double height, EndKind end);

// The largest open area the hole-interaction factor is used for.
inline constexpr long double kMaxInteractingOpenArea = 0.4L;

// 1 - 1.14 sqrt(phi): the factor by which neighbouring holes on a panel of
// open area `open_area` (0 <= phi <= 0.4) shorten each hole's end correction
// (Jaouen and Chevillotte, 2018).
long double HoleInteractionFactor(long double open_area);

}  // namespace acoustics
