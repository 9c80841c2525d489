// Values as typed on the command line or in a batch cell: the screens'
// number syntax, optionally followed at once by a unit. A value without a
// unit is in the screens' unit. The number and its unit's factor are
// combined in extended precision and rounded to single once, so a value
// without a unit is exactly what the screen stores for the same text.
//
//   ParseValue("1l", kVolume)       -> 1000
//   ParseValue("20mm", kLength)     -> 2
//   ParseValue("2,5", kLength)      -> refused: "'2,5' is not a number (the decimal separator is '.')"
#pragma once

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
// with "C"), c = 331.3 * sqrt(1 + T/273.15) m/s, in cm/s rounded to single
// once: "20" -> 34321.47 cm/s. Refused at or below absolute zero ("-273.15")
// and for a temperature not finite in single precision ("1e39").
Result<float> ParseTemperature(std::string_view text);

// A speed of sound as ParseValue reads it, refused unless above zero:
// "340m/s" -> 34000 cm/s; "0" and "-340m/s" -> refused.
Result<float> ParseSoundSpeed(std::string_view text);

// The units `dimension` accepts, as the refusals and the help list them: "mm, cm, m, in, ft".
std::string UnitList(Dimension dimension);

// The names of the units `dimension` accepts, in UnitList's order: "mm", "cm", "dm", ...
std::vector<std::string_view> UnitNames(Dimension dimension);

}  // namespace app
