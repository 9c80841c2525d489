// The figures of the two-row summary strip that closes every calculation
// screen, and their texts as the screen writes them: pure values, which the
// screens draw and the commands print.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calculator/design.h"
#include "calculator/resonator.h"

namespace calculator {
// The values the panel derives from a design.
struct PanelFigures {
  float diameter = 0;                    // of the round orifice with the same surface, 2*sqrt(S/pi), cm
  float side = 0;                        // of the square orifice with the same surface, sqrt(S), cm
  long double thicknessMillimetres = 0;  // 10*t
  long double quality = 0;               // the Q-Factor c*(sqrt(S)+t) / (f^2*S)
};
//   f 220.83963, S 3.1415927, t 1 -> diameter 2, side 1.7724539, 10 mm, Q 0.6...
PanelFigures ComputePanelFigures(const Quantities& quantities, const Constants& constants);

// One field of the panel: its 1-based column, its label and its value text
// (the value through the field's print mask, with the unit behind it).
struct PanelField {
  int column = 0;
  std::string_view label;
  std::string value;
};
inline constexpr int kPanelWidth = 80;
// The seven fields in drawing order: frequency, volume, surface, equivalent
// diameter, square side, thickness in mm, Q-Factor.
//   f 220.83963, V 1000, S 3.1415927, t 1 -> "221Hz", "1000.cc", "3.1cm^2",
//   "2.cm", "1.8cm", "10mm", "0.6"
std::array<PanelField, 7> PanelFields(const Quantities& quantities, const Constants& constants);

}  // namespace calculator
