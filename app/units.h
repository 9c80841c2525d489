// Values as typed on the command line or in a batch cell: the screens'
// number syntax, optionally followed by a unit (a blank may stand between).
// A value without a unit is in the screens' unit. An exponent letter with no
// digits behind it is the unit's first letter ("60dm3" is 60 dm3). The number and its unit's factor are
// combined in extended precision and rounded to single once, so a value
// without a unit is exactly what the screen stores for the same text.
//
//   ParseValue("1l", kVolume)       -> 1000
//   ParseValue("20mm", kLength)     -> 2
//   ParseValue("60 dm3", kVolume)   -> 60000
//   ParseValue("2,5", kLength)      -> refused: "'2,5' is not a number (the decimal separator is '.')"
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/result.h"
#include "calculator/design.h"

namespace app {

enum class Dimension { kFrequency, kVolume, kLength, kSurface, kSoundSpeed };

// The dimension of a design quantity (diameter and thickness are lengths).
Dimension DimensionOf(calculator::Quantity quantity);

// A finite single-precision value in the screens' unit of `dimension`
// (Hz, cm^3, cm, cm^2, cm/s), or the reason it was refused: one phrase
// naming the text, with every byte that is not printable ASCII written as \xHH.
Result<float> ParseValue(std::string_view text, Dimension dimension);

// The same value before its one rounding to single, for a range whose points
// are computed from it (a value that would not be finite in single is refused
// as ParseValue refuses it).
Result<long double> ParseWorkingValue(std::string_view text, Dimension dimension);

// The speed of sound in dry air at `text` degrees Celsius (a bare number or
// with "C"), Fahrenheit ("F") or kelvin ("K"), a degree sign allowed before C
// or F: c = 331.3 * sqrt(1 + T/273.15) m/s, in cm/s rounded to single once:
// "20" -> 34321.47 cm/s, "72F" -> 34451.30 cm/s. Refused at or below absolute
// zero ("-273.15", "0K") and for a temperature not finite in single precision ("1e39").
Result<float> ParseTemperature(std::string_view text);
// The same temperature in degrees Celsius, refused as ParseTemperature
// refuses it: "72F" -> 22.2222, "295.15K" -> 22.
Result<long double> ParseCelsius(std::string_view text);
// The speed of sound in dry air at `celsius` (above -273.15), in cm/s rounded
// to single once: 20 -> 34321.46.
float SoundSpeedAt(long double celsius);

// A speed of sound as ParseValue reads it, refused unless above zero and
// between 10 and 10000 m/s, as in every gas, with the reading likely meant:
// "340m/s" -> 34000 cm/s; "0" and "-340m/s" -> refused;
// "343" -> refused: "343 cm/s is no speed of sound in a gas; did you mean 343m/s?"
Result<float> ParseSoundSpeed(std::string_view text);

// The units `dimension` accepts, as the refusals and the help list them: "mm, cm, m, in, ft".
std::string UnitList(Dimension dimension);

// The names of the units `dimension` accepts, in UnitList's order: "mm", "cm", "dm", ...
std::vector<std::string_view> UnitNames(Dimension dimension);

// The unit a quantity is shown in: its name as typed and the factor from the
// screens' unit (a value shown = the screens' value * fromScreen).
//   {"l", 0.001}: 60000 cm^3 shows as 60 l
struct DisplayUnit {
  std::string_view name = "cc";
  long double fromScreen = 1;
};

// The dimensions a design's quantities have, the index of DisplayUnits::units.
inline constexpr std::size_t kDesignDimensions = 4;

// The units an answer shows frequency, volume, length and surface in, and
// whether CSV and JSON name them in their columns (--units: "volume_l").
struct DisplayUnits {
  std::array<DisplayUnit, kDesignDimensions> units = {
      {{"Hz", 1}, {"cc", 1}, {"cm", 1}, {"cm2", 1}}};  // the screens' own
  bool named = false;

  const DisplayUnit& Of(Dimension dimension) const { return units[static_cast<std::size_t>(dimension)]; }
  DisplayUnit& Of(Dimension dimension) { return units[static_cast<std::size_t>(dimension)]; }
};

// A value in the screens' unit as `unit` shows it, rounded to single once
// (exactly the value in the screens' own unit): 60000 cc in l -> 60.
float InUnit(float screenValue, const DisplayUnit& unit);

// --units: a comma-separated list of unit names, each setting its
// dimension's unit, and of the sets metric (Hz, l, mm, cm2), imperial (Hz,
// ft3, in, in2) and screen (Hz, cc, cm, cm2), which a later unit overrides:
//   "l,mm"        -> Hz, l, mm, cm2
//   "imperial,l"  -> Hz, l, in, in2
//   "l,cc"        -> refused: "'l' and 'cc' both name the volume's unit"
//   "m/s"         -> refused: "'m/s' is not a unit of frequency, volume, length or surface (...)"
Result<DisplayUnits> ParseUnitList(std::string_view list);

// The unit a typed value or range names for `dimension`, if any:
//   "60l" -> l;  "10:60:5l" -> l;  "3 in" -> in;  "2" -> none.
std::optional<DisplayUnit> TypedUnit(std::string_view text, Dimension dimension);

// A unit as a column name ends: lower case, '/' as '_'. "kHz" -> "khz", "m/s" -> "m_s".
std::string ColumnSuffix(std::string_view unit);

// A unit as text lines and charts write it, the power raised:
//   "in3" -> "in^3", "cc" -> "cm^3", "l" -> "l".
std::string UnitText(std::string_view unit);

}  // namespace app
