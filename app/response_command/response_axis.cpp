#include "app/response_command/response_axis.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "app/sweep/range.h"
#include "app/units.h"
#include "numtext/printable_text.h"

namespace app {
namespace {

constexpr int kMaxPerOctave = 1000;
// The default band's reach each side of the resonance.
constexpr double kOctavesAround = 3;

// "0.1:0.2:0.025kHz" -> {"0.1", "0.2", "0.025"}, each read with "kHz";
// "500Hz:2kHz" -> {"500Hz", "2kHz"}: a piece with a unit of its own keeps it.
struct BandParts {
  std::vector<std::string_view> pieces;
  std::string_view unit;  // the last piece's, for the pieces without one

  std::string TextOf(std::string_view piece) const {
    const bool ownUnit = !sweep::SplitNumberAndUnit(piece).second.empty();
    return std::string(piece) + std::string(ownUnit ? std::string_view() : unit);
  }
};

BandParts SplitBand(std::string_view text) {
  BandParts parts;
  for (std::size_t start = 0;;) {
    const std::size_t colon = text.find(':', start);
    parts.pieces.push_back(
        text.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  parts.unit = sweep::SplitNumberAndUnit(parts.pieces.back()).second;
  return parts;
}

Result<AxisChoice> Refusal(std::string_view text, std::string_view reason) {
  return Refused("--band: '" + numtext::Printable(text) + "': " + std::string(reason));
}

// The points a choice gives, counted without building the axis.
double PointsOf(const AxisChoice& choice) {
  if (choice.kind == AxisKind::kLinear) return std::floor((choice.to_hz - choice.from_hz) / choice.step_hz) + 1;
  return std::floor(choice.per_octave * std::log2(choice.to_hz / choice.from_hz)) + 1;
}

Result<int> ParsePerOctave(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kMaxPerOctave) {
    return Refused("--per-octave: '" + numtext::Printable(text) + "' is not a whole number from 1 to " +
                   std::to_string(kMaxPerOctave));
  }
  return value;
}

Result<AxisChoice> ParseBand(std::string_view text, AxisChoice choice) {
  const BandParts parts = SplitBand(text);
  if (parts.pieces.size() != 2 && parts.pieces.size() != 3) {
    return Refusal(text, "not FROM:TO nor START:STOP:STEP");
  }
  std::vector<double> hertz;
  for (const std::string_view piece : parts.pieces) {
    const Result<long double> value = ParseWorkingValue(parts.TextOf(piece), Dimension::kFrequency);
    if (!value.ok()) return Refused("--band: " + value.refusal().message);
    if (!(value.value() > 0)) return Refusal(text, "every frequency must lie above 0 Hz");
    hertz.push_back(static_cast<double>(value.value()));
  }
  choice.from_hz = hertz[0];
  choice.to_hz = hertz[1];
  if (choice.to_hz < choice.from_hz) return Refusal(text, "the band's end lies below its start");
  choice.kind = hertz.size() == 3 ? AxisKind::kLinear : AxisKind::kLogarithmic;
  if (choice.kind == AxisKind::kLinear) choice.step_hz = hertz[2];
  if (PointsOf(choice) > static_cast<double>(kMaxResponsePoints)) {
    return Refusal(text, "more than " + std::to_string(kMaxResponsePoints) + " frequencies");
  }
  return choice;
}

}  // namespace

Result<AxisChoice> ParseAxisChoice(std::optional<std::string_view> band, std::optional<std::string_view> perOctave) {
  AxisChoice choice;
  if (perOctave) {
    const Result<int> parsed = ParsePerOctave(*perOctave);
    if (!parsed.ok()) return parsed.refusal();
    choice.per_octave = parsed.value();
  }
  if (!band) return choice;
  const Result<AxisChoice> parsed = ParseBand(*band, choice);
  if (parsed.ok() && perOctave && parsed.value().kind == AxisKind::kLinear) {
    return Refused("--per-octave needs a band FROM:TO, not a step");
  }
  return parsed;
}

acoustics::FrequencyAxis AxisOr(const AxisChoice& choice, double from_hz, double to_hz) {
  switch (choice.kind) {
    case AxisKind::kLinear: return acoustics::LinearAxis(choice.from_hz, choice.to_hz, choice.step_hz);
    case AxisKind::kLogarithmic: return acoustics::LogarithmicAxis(choice.from_hz, choice.to_hz, choice.per_octave);
    case AxisKind::kDefault: break;
  }
  return acoustics::LogarithmicAxis(from_hz, to_hz, choice.per_octave);
}

acoustics::FrequencyAxis AxisAround(const AxisChoice& choice, double resonance_hz) {
  const double reach = std::exp2(kOctavesAround);
  return AxisOr(choice, resonance_hz / reach, resonance_hz * reach);
}

}  // namespace app
