// The eight calculation screens that CalculatorMain runs for the choices "1"
// to "8", and the quantities they share.
#pragma once

namespace calculator {

// The six design quantities, owned by CalculatorMain for its whole run. A
// screen sets every quantity it uses before using it, so values left from an
// earlier calculation never show.
struct Quantities {
  float frequency = 0;  // f, Hz
  float volume = 0;     // V, cm^3
  float thickness = 0;  // t, cm
  float diameter = 0;   // d, cm (round orifice)
  float radius = 0;     // r = d/2, cm (round orifice)
  float surface = 0;    // S, cm^2
};

// Each screen asks for three quantities on rows 15-17 (column 10), writes the
// fourth on row 18, then either three cross-check lines on rows 19-21 or
// "Impossible values !" on row 19, and ends with the summary panel. All of it
// in the current colour, which CalculatorMain has set to light cyan.

// Round orifice, described by its diameter.
void FrequencyRoundScreen(Quantities& quantities);  // "1": V, d, t -> f
void VolumeRoundScreen(Quantities& quantities);     // "2": f, d, t -> V
void ThicknessRoundScreen(Quantities& quantities);  // "3": f, V, d -> t
void DiameterRoundScreen(Quantities& quantities);   // "4": f, V, t -> d

// Orifice of any shape, described by its surface.
void FrequencyAnyScreen(Quantities& quantities);  // "5": V, S, t -> f
void VolumeAnyScreen(Quantities& quantities);     // "6": f, S, t -> V
void ThicknessAnyScreen(Quantities& quantities);  // "7": f, V, S -> t
void SurfaceAnyScreen(Quantities& quantities);    // "8": f, V, t -> S

}  // namespace calculator
