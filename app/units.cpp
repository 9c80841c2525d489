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
  std::string refusal;
};

Split SplitNumber(std::string_view text) {
  const numtext::ScannedNumber scanned = numtext::ScanNumber(text);
  Split split;
  if (!scanned.digits || text.find(',') != std::string_view::npos) {
    split.refusal = Quoted(text) + " is not a number";
    if (text.find(',') != std::string_view::npos) split.refusal += " (the decimal separator is '.')";
    return split;
  }
  if (scanned.overflowed) {
    split.refusal = Quoted(text) + " is not finite in single precision";
    return split;
  }
  split.number = scanned.value;
  split.rest = text.substr(scanned.length);
  return split;
}

ParsedValue Rounded(std::string_view text, long double value) {
  const float stored = static_cast<float>(value);  // the one rounding to single
  if (!std::isfinite(stored)) return {std::nullopt, Quoted(text) + " is not finite in single precision"};
  return {stored, {}};
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

WorkingValue ParseWorkingValue(std::string_view text, Dimension dimension) {
  const Split split = SplitNumber(text);
  if (!split.refusal.empty()) return {std::nullopt, split.refusal};
  for (const Unit& unit : UnitsOf(dimension)) {
    if (split.rest.empty() || unit.name == split.rest) {
      const long double value = split.rest.empty() ? split.number : split.number * unit.numerator / unit.denominator;
      const ParsedValue rounded = Rounded(text, value);
      if (!rounded.value) return {std::nullopt, rounded.refusal};
      return {value, {}};
    }
  }
  return {std::nullopt, Quoted(text) + ": " + Quoted(split.rest) + " is not a " + std::string(NameOf(dimension)) +
                            " unit (" + UnitList(dimension) + ")"};
}

ParsedValue ParseValue(std::string_view text, Dimension dimension) {
  const WorkingValue working = ParseWorkingValue(text, dimension);
  if (!working.value) return {std::nullopt, working.refusal};
  return Rounded(text, *working.value);
}

ParsedValue ParseTemperature(std::string_view text) {
  constexpr long double kSpeedAtZeroCelsius = 33130;  // cm/s, dry air
  constexpr long double kZeroCelsius = 273.15L;       // K
  const Split split = SplitNumber(text);
  if (!split.refusal.empty()) return {std::nullopt, split.refusal};
  if (!split.rest.empty() && split.rest != "C") {
    return {std::nullopt, Quoted(text) + ": " + Quoted(split.rest) + " is not a temperature unit (C)"};
  }
  // Typed values are single precision everywhere; a temperature too.
  if (!std::isfinite(static_cast<float>(split.number))) {
    return {std::nullopt, Quoted(text) + " is not finite in single precision"};
  }
  // At absolute zero sound does not travel: every frequency would be 0.
  const long double ratio = 1 + split.number / kZeroCelsius;
  if (!(ratio > 0)) return {std::nullopt, Quoted(text) + " is not above absolute zero (-273.15 C)"};
  return Rounded(text, kSpeedAtZeroCelsius * std::sqrt(ratio));
}

ParsedValue ParseSoundSpeed(std::string_view text) {
  ParsedValue parsed = ParseValue(text, Dimension::kSoundSpeed);
  // A speed of 0 gives 0 Hz, a negative one negative hertz marked possible.
  if (parsed.value && !(*parsed.value > 0)) return {std::nullopt, Quoted(text) + " is not above zero"};
  return parsed;
}

}  // namespace app
