// The frequencies a response is computed at, as --band and --per-octave give
// them: by default from an eighth to eight times the design's resonance, 24
// per octave; FROM:TO as FROM * 2^(i/N) while a point is not over TO; or
// START:STOP:STEP on a linear axis. The unit, Hz or kHz, is written once at
// the end, as a sweep's range writes it.
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

enum class AxisKind { kAroundResonance, kLogarithmic, kLinear };

struct AxisChoice {
  AxisKind kind = AxisKind::kAroundResonance;
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

// The axis of a design resonating at `resonance_hz` (> 0 and finite).
acoustics::FrequencyAxis AxisAround(const AxisChoice& choice, double resonance_hz);

}  // namespace app
