#include "app/units.h"

#include <array>
#include <cmath>
#include <span>

#include "app/command_line.h"
#include "numtext/numtext.h"

namespace app {
namespace {

// A unit is the exact ratio numerator/denominator to the screens' unit, so
// that decimal factors such as 2.54 are not first rounded to binary.
struct Unit {
  std::string_view name;
  long double numerator;
  long double denominator;
};

constexpr std::array kFrequencyUnits = {Unit{"Hz", 1, 1}, Unit{"kHz", 1000, 1}};
constexpr std::array kVolumeUnits = {Unit{"cc", 1, 1},
                                     Unit{"ml", 1, 1},
                                     Unit{"cm3", 1, 1},
                                     Unit{"l", 1000, 1},
                                     Unit{"L", 1000, 1},
                                     Unit{"m3", 1000000, 1},
                                     Unit{"in3", 16387064, 1000000},
                                     Unit{"ft3", 28316846592, 1000000}};
constexpr std::array kLengthUnits = {Unit{"mm", 1, 10}, Unit{"cm", 1, 1}, Unit{"m", 100, 1}, Unit{"in", 254, 100},
                                     Unit{"ft", 3048, 100}};
constexpr std::array kSurfaceUnits = {Unit{"mm2", 1, 100}, Unit{"cm2", 1, 1}, Unit{"m2", 10000, 1},
                                      Unit{"in2", 64516, 10000}};
constexpr std::array kSoundSpeedUnits = {Unit{"cm/s", 1, 1}, Unit{"m/s", 100, 1}};

std::span<const Unit> UnitsOf(Dimension dimension) {
  switch (dimension) {
    case Dimension::kFrequency: return kFrequencyUnits;
    case Dimension::kVolume: return kVolumeUnits;
    case Dimension::kLength: return kLengthUnits;
    case Dimension::kSurface: return kSurfaceUnits;
    case Dimension::kSoundSpeed: return kSoundSpeedUnits;
  }
  return {};
}

std::string_view NameOf(Dimension dimension) {
  switch (dimension) {
    case Dimension::kFrequency: return "frequency";
    case Dimension::kVolume: return "volume";
    case Dimension::kLength: return "length";
    case Dimension::kSurface: return "surface";
    case Dimension::kSoundSpeed: return "speed";
  }
  return {};
}

std::string Quoted(std::string_view text) { return "'" + Printable(text) + "'"; }

// The number at the start of `text` and what follows it, or the refusal.
struct Split {
  long double number = 0;
  std::string_view rest;
};

Result<Split> SplitNumber(std::string_view text) {
  const numtext::ScannedNumber scanned = numtext::ScanNumber(text);
  if (!scanned.digits || text.find(',') != std::string_view::npos) {
    std::string refusal = Quoted(text) + " is not a number";
    if (text.find(',') != std::string_view::npos) refusal += " (the decimal separator is '.')";
    return Refused(std::move(refusal));
  }
  if (scanned.overflowed) return Refused(Quoted(text) + " is not finite in single precision");
  return Split{scanned.value, text.substr(scanned.length)};
}

Result<float> Rounded(std::string_view text, long double value) {
  const float stored = static_cast<float>(value);  // the one rounding to single
  if (!std::isfinite(stored)) return Refused(Quoted(text) + " is not finite in single precision");
  return stored;
}

}  // namespace

Dimension DimensionOf(calculator::Quantity quantity) {
  switch (quantity) {
    case calculator::Quantity::kFrequency: return Dimension::kFrequency;
    case calculator::Quantity::kVolume: return Dimension::kVolume;
    case calculator::Quantity::kThickness:
    case calculator::Quantity::kDiameter: return Dimension::kLength;
    case calculator::Quantity::kSurface: return Dimension::kSurface;
  }
  return Dimension::kLength;
}

std::string UnitList(Dimension dimension) {
  std::string list;
  for (const Unit& unit : UnitsOf(dimension)) {
    if (!list.empty()) list += ", ";
    list += unit.name;
  }
  return list;
}

Result<long double> ParseWorkingValue(std::string_view text, Dimension dimension) {
  const Result<Split> split = SplitNumber(text);
  if (!split.ok()) return split.refusal();
  const auto [number, rest] = split.value();
  for (const Unit& unit : UnitsOf(dimension)) {
    if (rest.empty() || unit.name == rest) {
      const long double value = rest.empty() ? number : number * unit.numerator / unit.denominator;
      const Result<float> rounded = Rounded(text, value);
      if (!rounded.ok()) return rounded.refusal();
      return value;
    }
  }
  return Refused(Quoted(text) + ": " + Quoted(rest) + " is not a " + std::string(NameOf(dimension)) + " unit (" +
                 UnitList(dimension) + ")");
}

Result<float> ParseValue(std::string_view text, Dimension dimension) {
  const Result<long double> working = ParseWorkingValue(text, dimension);
  if (!working.ok()) return working.refusal();
  return Rounded(text, working.value());
}

Result<float> ParseTemperature(std::string_view text) {
  constexpr long double kSpeedAtZeroCelsius = 33130;  // cm/s, dry air
  constexpr long double kZeroCelsius = 273.15L;       // K
  const Result<Split> split = SplitNumber(text);
  if (!split.ok()) return split.refusal();
  const auto [celsius, rest] = split.value();
  if (!rest.empty() && rest != "C")
    return Refused(Quoted(text) + ": " + Quoted(rest) + " is not a temperature unit (C)");
  // Typed values are single precision everywhere; a temperature too.
  if (!std::isfinite(static_cast<float>(celsius))) return Refused(Quoted(text) + " is not finite in single precision");
  // At absolute zero sound does not travel: every frequency would be 0.
  const long double ratio = 1 + celsius / kZeroCelsius;
  if (!(ratio > 0)) return Refused(Quoted(text) + " is not above absolute zero (-273.15 C)");
  return Rounded(text, kSpeedAtZeroCelsius * std::sqrt(ratio));
}

Result<float> ParseSoundSpeed(std::string_view text) {
  Result<float> parsed = ParseValue(text, Dimension::kSoundSpeed);
  // A speed of 0 gives 0 Hz, a negative one negative hertz marked possible.
  if (parsed.ok() && !(parsed.value() > 0)) return Refused(Quoted(text) + " is not above zero");
  return parsed;
}

}  // namespace app
