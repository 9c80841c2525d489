// The frequencies a response or an absorber is computed at, as --band and
// --per-octave give them: by default a response's from an eighth to eight
// times the design's resonance, 24 per octave; FROM:TO as FROM * 2^(i/N) while a point is not over TO; or
// START:STOP:STEP on a linear axis. A unit, Hz or kHz, behind the last
// number serves every number written without one.
//
//   ParseAxisChoice({}, {})               -> around the resonance, 24 per octave
//   AxisAround(that, 186.41)              -> 23.3012, ..., 1491.28 (145 points)
//   ParseAxisChoice("20:2000", "12")      -> 20 * 2^(i/12) up to 2000 (80 points)
//   ParseAxisChoice("0.1:0.2:0.025kHz", {}) -> 100, 125, 150, 175, 200
//   ParseAxisChoice("100:200:25", "6")    -> "--per-octave needs a band FROM:TO, not a step"
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "acoustics/frequency_axis.h"
#include "app/result.h"

namespace app {

// kDefault: no --band, the caller's own band (a response's around its resonance).
enum class AxisKind { kDefault, kLogarithmic, kLinear };

struct AxisChoice {
  AxisKind kind = AxisKind::kDefault;
  double from_hz = 0;
  double to_hz = 0;
  double step_hz = 0;  // a linear axis'
  int per_octave = 24;
};

// A response takes no more points than this per design, so that a mistyped
// band cannot run for hours before it is noticed.
inline constexpr std::uint64_t kMaxResponsePoints = 100'000'000;

// Refusals name the option: "--band: '10:5': FROM must lie below TO".
Result<AxisChoice> ParseAxisChoice(std::optional<std::string_view> band, std::optional<std::string_view> perOctave);

// The band `choice` gives, or else from_hz to to_hz at its points per octave.
//   AxisOr(ParseAxisChoice({}, {}), 50, 5080) -> 50 * 2^(i/24), i = 0 ... 160
acoustics::FrequencyAxis AxisOr(const AxisChoice& choice, double from_hz, double to_hz);

// The axis of a design resonating at `resonance_hz` (> 0 and finite): the
// band given, or an eighth to eight times the resonance.
acoustics::FrequencyAxis AxisAround(const AxisChoice& choice, double resonance_hz);

}  // namespace app
