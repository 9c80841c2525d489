// The texts of the calculation screens: prompts, result labels, units and
// messages. The command line prints the same texts.
#pragma once

#include <string_view>

namespace calculator {

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

// The result lines show single-precision values: 7 significant digits.
inline constexpr int kResultDigits = 7;

// Units.
inline constexpr std::string_view kHertz = "Hz";
inline constexpr std::string_view kCubicCentimetres = "cm^3";
inline constexpr std::string_view kCentimetres = "cm";
inline constexpr std::string_view kSquareCentimetres = "cm^2";

// Messages. kImpossibleValues replaces the cross-check lines; the others
// stand right behind a result line.
inline constexpr std::string_view kImpossibleValues = "Impossible values !";
inline constexpr std::string_view kNegativeThicknessRound = "Impossible values!!!";
inline constexpr std::string_view kNegativeDiameter = "Impossible value for diameter";
inline constexpr std::string_view kNegativeThicknessAny = "  Impossible value!";

}  // namespace calculator
