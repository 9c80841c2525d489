// The lumped resonance of a panel over an air cavity with no fill: the air in
// the openings as a mass, the cavity as a spring,
//   f0 = (c / 2pi) sqrt(phi / (D L')),   L' = t + the end corrections of both sides
// (FacingEndCorrection), and its inversion for the depth, the pitch or the
// opening that gives a wanted f0. Where no such value exists (an open area
// past its limit, a slot wider than its pitch) the inversion says so with
// nullopt.
//
//   facing: holes d = 5 mm, t = 3 mm, phi = 0.05 (L' = 6.16225 mm)
//   LumpedResonanceHz(facing, 0.05, AirAt(20))                  -> 695.851 Hz
//   DepthForResonance(facing, 695.851, AirAt(20))               -> 0.05 m
//   PitchForResonance(facing, HoleGrid::kSquare, 0.05, 695.851) -> 0.0198166 m (phi = 0.05)
//   OpeningForResonance(facing, HoleGrid::kSquare, 0.0198166, 0.05, 695.851) -> 0.005 m
//   PitchForResonance(facing, HoleGrid::kSquare, 0.05, 5000)    -> nullopt (phi would pass 0.4)
#pragma once

#include <optional>

#include "acoustics/air.h"
#include "acoustics/panel/facing.h"

namespace acoustics {

// f0 of `facing` (holes or slots, no fault) over `depth_m` (> 0) of air.
double LumpedResonanceHz(const Facing& facing, double depth_m, const Air& air);

// The depth giving `resonance_hz`: D = phi c^2 / ((2 pi f0)^2 L'), closed form.
double DepthForResonance(const Facing& facing, double resonance_hz, const Air& air);

// The pitch giving `resonance_hz` with the facing's opening and thickness
// over `depth_m` (its open area is what changes): for holes on `grid` in
// closed form (a quadratic in sqrt(phi)), nullopt where phi would exceed 0.4;
// for slots (`grid` unused) by a bracketed root finder, nullopt where even
// phi -> 1 is too low.
std::optional<double> PitchForResonance(const Facing& facing, HoleGrid grid, double depth_m, double resonance_hz,
                                        const Air& air);

// The opening (hole diameter or slot width) giving `resonance_hz` at a fixed
// `pitch_m`, thickness and depth: for holes in closed form (a quadratic in
// d), nullopt where phi would exceed 0.4; for slots by a bracketed root
// finder, nullopt where even a slot as wide as its pitch is too low.
std::optional<double> OpeningForResonance(const Facing& facing, HoleGrid grid, double pitch_m, double depth_m,
                                          double resonance_hz, const Air& air);

}  // namespace acoustics
