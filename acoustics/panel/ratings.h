// Single-number ratings of sound absorption from third-octave values in
// hundredths, computed in whole hundredths so that no binary fraction moves a
// rating: ISO 11654's practical coefficients alpha_p, weighted coefficient
// alpha_w with its shape indicators and class, and ASTM C423's NRC and SAA.
//
//   PracticalAbsorption(20, 30, 43)             -> 30 (31 to the nearest 5)
//   PracticalOctaves(the bands of bands.h's example) -> 30 75 70 40 15 5
//   WeightedAbsorption({35, 100, 65, 60, 55})  -> alpha_w 60, shape M, class C (ISO 11654's example)
//   ClassOf(60) -> AbsorptionClass::kC, ClassOf(10) -> AbsorptionClass::kNotClassified
//   NoiseReductionCoefficient(bands with 250..2000 Hz at 50, 60, 70, 85)       -> 65 (66.25 to 65)
//   SoundAbsorptionAverage(twelve bands of 200..2500 Hz summing to 606)         -> 51 (50.5, halves up)
#pragma once

#include <array>

#include "acoustics/panel/bands.h"

namespace acoustics {

// Octaves 125, 250, 500, 1000, 2000, 4000 Hz.
inline constexpr int kOctaveCount = 6;
using OctaveHundredths = std::array<int, kOctaveCount>;

// alpha_p of one octave from its three third-octaves (ISO 11654, 4.1): their
// mean to 0.01, then to the nearest 0.05, at most 1.00.
int PracticalAbsorption(int lower_hundredths, int centre_hundredths, int upper_hundredths);

// alpha_p at 125 ... 4000 Hz from the third-octaves 100 ... 5000 Hz.
OctaveHundredths PracticalOctaves(const BandHundredths& bands);

enum class AbsorptionClass { kA, kB, kC, kD, kE, kNotClassified };

struct WeightedRating {
  int alpha_w_hundredths = 0;
  // Where alpha_p exceeds the shifted reference curve by 0.25 or more:
  bool low = false;   // L: at 250 Hz
  bool mid = false;   // M: at 500 or 1000 Hz
  bool high = false;  // H: at 2000 or 4000 Hz
  AbsorptionClass absorption_class = AbsorptionClass::kNotClassified;
};

// alpha_w from alpha_p at 250, 500, 1000, 2000, 4000 Hz (ISO 11654, 4.2): the
// reference curve 0.80, 1.00, 1.00, 1.00, 0.90 shifted down in steps of 0.05
// until the values below it fall short of it by 0.10 or less in sum;
// alpha_w is the shifted curve at 500 Hz.
WeightedRating WeightedAbsorption(const std::array<int, 5>& practical_250_to_4000);

// The same from the six octaves (the 125 Hz one is not used).
WeightedRating WeightedAbsorption(const OctaveHundredths& octaves);

// The class of `alpha_w_hundredths` (ISO 11654, annex B): A 0.90-1.00,
// B 0.80-0.85, C 0.60-0.75, D 0.30-0.55, E 0.15-0.25, below that none.
AbsorptionClass ClassOf(int alpha_w_hundredths);

// NRC (ASTM C423): the mean at 250, 500, 1000 and 2000 Hz to the nearest
// 0.05, halves up, not capped.
int NoiseReductionCoefficient(const BandHundredths& bands);

// SAA (ASTM C423): the mean of the twelve third-octaves 200 ... 2500 Hz to
// the nearest 0.01, halves up.
int SoundAbsorptionAverage(const BandHundredths& bands);

}  // namespace acoustics
