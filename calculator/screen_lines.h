// The pieces every calculation screen is built from: prompts, result lines,
// and the rules that derive or clamp quantities right after they are typed.
#pragma once

#include <string_view>

#include "calculator/screens.h"

namespace calculator {

// Screen rows and column of the calculation dialogue.
inline constexpr int kFirstPromptRow = 15;
inline constexpr int kSecondPromptRow = 16;
inline constexpr int kThirdPromptRow = 17;
inline constexpr int kResultRow = 18;
inline constexpr int kFirstCheckRow = 19;
inline constexpr int kSecondCheckRow = 20;
inline constexpr int kThirdCheckRow = 21;
inline constexpr int kDialogueColumn = 10;

// Prompts.
inline constexpr std::string_view kVolumePrompt = "Volume (cc) ?";
inline constexpr std::string_view kFrequencyPrompt = "Frequency (Hz) ?";
inline constexpr std::string_view kDiameterPrompt = "Orifice diameter (cm)";
inline constexpr std::string_view kSurfacePrompt = "Orifice surface (cm^2)";
inline constexpr std::string_view kThicknessPrompt = "Wall thickness (cm)";

// Labels of the result lines. Their widths differ on purpose: the volume
// result label is two characters shorter than the cross-check one.
inline constexpr std::string_view kFrequencyLabel = "Frequency       =";
inline constexpr std::string_view kVolumeResultLabel = "Volume        =";
inline constexpr std::string_view kVolumeLabel = "Volume          =";
inline constexpr std::string_view kWallThicknessLabel = "Wall thickness  =";
inline constexpr std::string_view kOrificeThicknessLabel = "Orifice thickness=";
inline constexpr std::string_view kDiameterLabel = "Orifice diameter=";
inline constexpr std::string_view kSurfaceLabel = "Orifice surface=";

// Units.
inline constexpr std::string_view kHertz = "Hz";
inline constexpr std::string_view kCubicCentimetres = "cm^3";
inline constexpr std::string_view kCentimetres = "cm";
inline constexpr std::string_view kSquareCentimetres = "cm^2";

// Writes `prompt` at column 10 of `row`, reads the typed line (echoed right
// behind the prompt) and returns it as a single-precision number; a text that
// is no number gives 0, one beyond the single range an infinity.
//   typed "1e3"  -> 1000      typed "abc" -> 0
float AskQuantity(int row, std::string_view prompt);

// AskQuantity for a wall thickness that must not be negative: a value below
// zero becomes 0; 0 itself and positive values stay.
//   typed "-5" -> 0      typed "2" -> 2
float AskFlooredThickness(int row);

// Derives the radius r = d/2 and the surface S = pi*r^2 of a round orifice
// from its diameter, each rounded to single: d = 2 -> r = 1, S = 3.1415927.
void DeriveRoundOrifice(Quantities& quantities);

// Writes label, the free-form 7-digit text of `value` and unit at column 10
// of `row`, without a new line:  "Frequency       =" " 220.8396 " "Hz".
void WriteQuantity(int row, std::string_view label, float value, std::string_view unit);

// One cross-check line: WriteQuantity followed by a new line.
void WriteCheckLine(int row, std::string_view label, float value, std::string_view unit);

// Written on row 19 instead of the cross-check lines.
void WriteImpossibleValues();

// Text written right behind a row without moving the cursor first.
void WriteBehind(std::string_view text);

}  // namespace calculator
