#include "acoustics/panel/bands.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace acoustics {

namespace {

constexpr std::array<int, kThirdOctaveCount> kNominalHz{50,  63,  80,   100,  125,  160,  200,  250,  315,  400, 500,
                                                        630, 800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000};

}  // namespace

int BandOf(int nominal_hz) {
  const auto found = std::find(kNominalHz.begin(), kNominalHz.end(), nominal_hz);
  assert(found != kNominalHz.end());
  return static_cast<int>(found - kNominalHz.begin());
}

double ThirdOctaveCentreHz(int band) {
  assert(band >= 0 && band < kThirdOctaveCount);
  return std::pow(10.0, (kFirstBandExponent + band) / 10.0);
}

int NominalCentreHz(int band) {
  assert(band >= 0 && band < kThirdOctaveCount);
  return kNominalHz[static_cast<std::size_t>(band)];
}

int ToHundredths(double value) {
  assert(std::isfinite(value));
  return static_cast<int>(std::floor(static_cast<long double>(value) * 100 + 0.5L));
}

std::array<double, kThirdOctaveCount> ThirdOctaveAbsorption(const Absorber& absorber, Incidence incidence,
                                                            const Air& air) {
  std::array<double, kThirdOctaveCount> values{};
  for (int band = 0; band < kThirdOctaveCount; ++band) {
    values[static_cast<std::size_t>(band)] =
        Absorption(SurfaceImpedance(absorber, ThirdOctaveCentreHz(band), air), incidence);
  }
  return values;
}

BandHundredths ThirdOctaveHundredths(const Absorber& absorber, Incidence incidence, const Air& air) {
  const std::array<double, kThirdOctaveCount> values = ThirdOctaveAbsorption(absorber, incidence, air);
  BandHundredths hundredths{};
  std::transform(values.begin(), values.end(), hundredths.begin(), ToHundredths);
  return hundredths;
}

}  // namespace acoustics
