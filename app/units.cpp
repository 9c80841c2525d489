#include "app/units.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
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
                                     Unit{"dm3", 1000, 1},
                                     Unit{"l", 1000, 1},
                                     Unit{"L", 1000, 1},
                                     Unit{"m3", 1000000, 1},
                                     Unit{"in3", 16387064, 1000000},
                                     Unit{"ft3", 28316846592, 1000000}};
constexpr std::array kLengthUnits = {Unit{"mm", 1, 10}, Unit{"cm", 1, 1},     Unit{"dm", 10, 1},
                                     Unit{"m", 100, 1}, Unit{"in", 254, 100}, Unit{"ft", 3048, 100}};
constexpr std::array kSurfaceUnits = {Unit{"mm2", 1, 100}, Unit{"cm2", 1, 1}, Unit{"dm2", 100, 1}, Unit{"m2", 10000, 1},
                                      Unit{"in2", 64516, 10000}};
constexpr std::array kSoundSpeedUnits = {Unit{"cm/s", 1, 1}, Unit{"m/s", 100, 1}, Unit{"ft/s", 3048, 100}};

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

// The number at the start of `text`, its text without blanks, and the unit
// that follows it, or the refusal.
struct Split {
  long double number = 0;
  std::string_view text;
  std::string_view rest;
};

// The screens read an exponent letter with no digits behind it as no
// exponent ("1e" is 1). Before a unit the letter is the unit's own: "60dm3"
// is 60 dm3, not 60 m3. How far the number goes, the letter given back.
std::size_t WithoutBareExponent(std::string_view text, std::size_t length) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (length == text.size() || start == std::string_view::npos || text[start] == '&') return length;
  std::size_t letter = length;
  if (letter > 0 && (text[letter - 1] == '+' || text[letter - 1] == '-')) --letter;
  if (letter == 0 || std::string_view("EeDd").find(text[letter - 1]) == std::string_view::npos) return length;
  return letter - 1;
}

Result<Split> SplitNumber(std::string_view text) {
  numtext::ScannedNumber scanned = numtext::ScanNumber(text);
  if (const std::size_t length = WithoutBareExponent(text, scanned.length); length != scanned.length) {
    scanned = numtext::ScanNumber(text.substr(0, length));
  }
  if (!scanned.digits || text.find(',') != std::string_view::npos) {
    std::string refusal = Quoted(text) + " is not a number";
    if (text.find(',') != std::string_view::npos) refusal += " (the decimal separator is '.')";
    return Refused(std::move(refusal));
  }
  if (scanned.overflowed) return Refused(Quoted(text) + " is not finite in single precision");
  // A blank may stand between the number and its unit ("60 l").
  std::string_view number = text.substr(0, scanned.length);
  number.remove_prefix(std::min(number.size(), number.find_first_not_of(" \t")));
  number = number.substr(0, number.find_last_not_of(" \t") + 1);
  std::string_view rest = text.substr(scanned.length);
  rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(" \t")));
  rest = rest.substr(0, rest.find_last_not_of(" \t") + 1);
  return Split{scanned.value, number, rest};
}

constexpr long double kZeroCelsius = 273.15L;  // K
// ASCII, as every refusal is: the degree sign is named, not written.
constexpr std::string_view kTemperatureUnits = "C, F or K; a degree sign may stand before C or F";

// A temperature in degrees Celsius from one in `unit`, or nothing for a unit
// that is not a temperature's: 72 F -> 22.2222, 295.15 K -> 22.
std::optional<long double> Celsius(long double value, std::string_view unit) {
  constexpr std::string_view kDegree = "\xC2\xB0";  // U+00B0 in UTF-8
  if (unit == "K") return value - kZeroCelsius;
  if (unit.starts_with(kDegree)) unit.remove_prefix(kDegree.size());
  if (unit.empty() || unit == "C") return value;
  if (unit == "F") return (value - 32) * 5 / 9;
  return std::nullopt;
}

// Sound in gases travels well within 10 m/s to 10 km/s (hydrogen's, about
// 1,300 m/s at room temperature, is the fastest); a speed outside is a unit
// mistaken, most often m/s typed without its unit.
constexpr std::string_view kGasSpeeds = "between 10 m/s and 10000 m/s";
bool InGas(float speedCmPerS) { return speedCmPerS >= 1000 && speedCmPerS <= 1000000; }

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

std::vector<std::string_view> UnitNames(Dimension dimension) {
  std::vector<std::string_view> names;
  for (const Unit& unit : UnitsOf(dimension)) names.push_back(unit.name);
  return names;
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
  const auto [number, numberText, rest] = split.value();
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

Result<long double> ParseCelsius(std::string_view text) {
  const Result<Split> split = SplitNumber(text);
  if (!split.ok()) return split.refusal();
  const Split& typed = split.value();
  // Typed values are single precision everywhere; a temperature too.
  if (!std::isfinite(static_cast<float>(typed.number))) {
    return Refused(Quoted(text) + " is not finite in single precision");
  }
  const std::optional<long double> celsius = Celsius(typed.number, typed.rest);
  if (!celsius)
    return Refused(Quoted(text) + ": " + Quoted(typed.rest) + " is not a temperature unit (" +
                   std::string(kTemperatureUnits) + ")");
  // At absolute zero sound does not travel: every frequency would be 0.
  if (!(1 + *celsius / kZeroCelsius > 0)) return Refused(Quoted(text) + " is not above absolute zero (-273.15 C)");
  return *celsius;
}

float SoundSpeedAt(long double celsius) {
  constexpr long double kSpeedAtZeroCelsius = 33130;                                       // cm/s, dry air
  return static_cast<float>(kSpeedAtZeroCelsius * std::sqrt(1 + celsius / kZeroCelsius));  // -> single
}

Result<float> ParseTemperature(std::string_view text) {
  const Result<long double> celsius = ParseCelsius(text);
  if (!celsius.ok()) return celsius.refusal();
  return Rounded(text, SoundSpeedAt(celsius.value()));
}

Result<float> ParseSoundSpeed(std::string_view text) {
  Result<float> parsed = ParseValue(text, Dimension::kSoundSpeed);
  if (!parsed.ok()) return parsed;
  // A speed of 0 gives 0 Hz, a negative one negative hertz marked possible.
  if (!(parsed.value() > 0)) return Refused(Quoted(text) + " is not above zero");
  if (InGas(parsed.value())) return parsed;
  // A number typed without its unit is read in cm/s, the screens' unit: "343" is 3.43 m/s.
  const Split typed = SplitNumber(text).value();
  const std::string number = Printable(typed.text);
  std::string refusal = number + " " + std::string(typed.rest.empty() ? "cm/s" : Printable(typed.rest)) +
                        " is no speed of sound in a gas";
  for (const Unit& unit : kSoundSpeedUnits) {
    if (unit.name != typed.rest && !(typed.rest.empty() && unit.name == "cm/s") &&
        InGas(static_cast<float>(typed.number * unit.numerator / unit.denominator))) {
      return Refused(refusal + "; did you mean " + number + std::string(unit.name) + "?");
    }
  }
  return Refused(refusal + " (" + std::string(kGasSpeeds) + ")");
}

}  // namespace app

namespace app {
namespace {

constexpr std::array<Dimension, kDesignDimensions> kDesignDimensionList = {Dimension::kFrequency, Dimension::kVolume,
                                                                           Dimension::kLength, Dimension::kSurface};

DisplayUnit DisplayOf(const Unit& unit) { return {unit.name, unit.denominator / unit.numerator}; }

// The named sets of --units, each a unit per design dimension.
struct UnitSet {
  std::string_view name;
  std::array<std::string_view, kDesignDimensions> units;
};
constexpr std::array<UnitSet, 3> kUnitSets = {{{"metric", {"Hz", "l", "mm", "cm2"}},
                                               {"imperial", {"Hz", "ft3", "in", "in2"}},
                                               {"screen", {"Hz", "cc", "cm", "cm2"}}}};

std::optional<std::pair<Dimension, DisplayUnit>> DesignUnitNamed(std::string_view name) {
  for (const Dimension dimension : kDesignDimensionList) {
    for (const Unit& unit : UnitsOf(dimension)) {
      if (unit.name == name) return std::pair(dimension, DisplayOf(unit));
    }
  }
  return std::nullopt;
}

}  // namespace

Result<DisplayUnits> ParseUnitList(std::string_view list) {
  DisplayUnits shown;
  shown.named = true;
  std::array<std::string_view, kDesignDimensions> given{};  // the unit named for each dimension so far
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t end = std::min(list.find(',', start), list.size());
    const std::string_view item = list.substr(start, end - start);
    start = end + 1;
    const auto set =
        std::find_if(kUnitSets.begin(), kUnitSets.end(), [item](const UnitSet& s) { return s.name == item; });
    if (set != kUnitSets.end()) {
      for (std::size_t i = 0; i < kDesignDimensions; ++i) shown.units[i] = DesignUnitNamed(set->units[i])->second;
      continue;
    }
    const auto unit = DesignUnitNamed(item);
    if (!unit) {
      return Refused(Quoted(item) +
                     " is not a unit of frequency, volume, length or surface, nor metric, imperial or screen");
    }
    std::string_view& before = given[static_cast<std::size_t>(unit->first)];
    if (!before.empty()) {
      return Refused(Quoted(before) + " and " + Quoted(item) + " both name the " + std::string(NameOf(unit->first)) +
                     "'s unit");
    }
    before = item;
    shown.Of(unit->first) = unit->second;
  }
  return shown;
}

std::optional<DisplayUnit> TypedUnit(std::string_view text, Dimension dimension) {
  // A range names its unit once, behind the step.
  const std::size_t colon = text.rfind(':');
  if (colon != std::string_view::npos) text.remove_prefix(colon + 1);
  const Result<Split> split = SplitNumber(text);
  if (!split.ok() || split.value().rest.empty()) return std::nullopt;
  for (const Unit& unit : UnitsOf(dimension)) {
    if (unit.name == split.value().rest) return DisplayOf(unit);
  }
  return std::nullopt;
}

float InUnit(float screenValue, const DisplayUnit& unit) {
  if (unit.fromScreen == 1) return screenValue;
  return static_cast<float>(screenValue * unit.fromScreen);  // -> single
}

std::string ColumnSuffix(std::string_view unit) {
  std::string suffix(unit);
  for (char& c : suffix) c = c == '/' ? '_' : static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return suffix;
}

std::string UnitText(std::string_view unit) {
  if (unit == "cc") return "cm^3";
  std::string text(unit);
  if (!text.empty() && (text.back() == '2' || text.back() == '3')) text.insert(text.size() - 1, "^");
  return text;
}

}  // namespace app
