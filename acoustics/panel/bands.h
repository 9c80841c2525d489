// Third-octave bands from 50 to 5000 Hz: their exact centres 10^(n/10) Hz
// (n = 17 ... 37, the base-ten series of IEC 61260) and the preferred names
// they go by, and an absorber's value at each centre.
//
//   ThirdOctaveCentreHz(0)   -> 50.1187 (10^1.7), NominalCentreHz(0) -> 50
//   ThirdOctaveCentreHz(20)  -> 5011.87 (10^3.7), NominalCentreHz(20) -> 5000
//   ToHundredths(0.125) -> 13 (halves up), ToHundredths(0.1249) -> 12
//   holes d = 5 mm, pitch 25 mm square, t = 3 mm, D = 100 mm, 50 mm Miki fill of 10^4 Pa s/m^2 at the facing:
//   ThirdOctaveHundredths(that, Incidence::kDiffuse, AirAt(20))
//       -> 6 9 14 20 30 43 60 77 86 81 68 54 44 38 37 31 12 8 9 4 3 (50 ... 5000 Hz)
#pragma once

#include <array>

#include "acoustics/air.h"
#include "acoustics/panel/absorber.h"
#include "acoustics/panel/incidence.h"

namespace acoustics {

inline constexpr int kThirdOctaveCount = 21;
// The band index of 10^(n/10) Hz for n = 17 (50 Hz).
inline constexpr int kFirstBandExponent = 17;

// The band counted from 50 Hz (0) to 5000 Hz (20) whose nominal centre is
// `nominal_hz`, as the tables of ratings name them: BandOf(500) -> 10.
int BandOf(int nominal_hz);

// 10^((17 + band)/10) Hz, band 0 ... 20.
double ThirdOctaveCentreHz(int band);

// 50, 63, 80, 100, 125, 160, 200, 250, 315, 400, 500, 630, 800, 1000, 1250,
// 1600, 2000, 2500, 3150, 4000, 5000.
int NominalCentreHz(int band);

// `value` in whole hundredths, halves up, decided on the double's exact value
// (the product by 100 is exact in long double).
int ToHundredths(double value);

// Band values in hundredths, 50 ... 5000 Hz.
using BandHundredths = std::array<int, kThirdOctaveCount>;

// The absorption of `absorber` at each exact centre frequency (not a band
// average, which a measurement gives), unrounded.
std::array<double, kThirdOctaveCount> ThirdOctaveAbsorption(const Absorber& absorber, Incidence incidence,
                                                            const Air& air);

// The same, each rounded to 0.01.
BandHundredths ThirdOctaveHundredths(const Absorber& absorber, Incidence incidence, const Air& air);

}  // namespace acoustics
