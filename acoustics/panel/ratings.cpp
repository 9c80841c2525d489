#include "acoustics/panel/ratings.h"

#include <algorithm>
#include <cassert>

namespace acoustics {

namespace {

constexpr std::array<int, 5> kReferenceCurve{80, 100, 100, 100, 90};
constexpr int kRatingStep = 5;
constexpr int kAllowedShortfall = 10;
constexpr int kShapeMargin = 25;

// `sum` / `count` to the nearest multiple of `step`, halves up, in integers:
// floor(sum / (count step) + 1/2), the floor taken towards minus infinity for
// the negative sums an empirical fill model can give at low frequencies.
int NearestMultiple(int sum, int count, int step) {
  assert(count > 0 && step > 0);
  const int numerator = 2 * sum + count * step;
  const int denominator = 2 * count * step;
  const int quotient = numerator / denominator;
  const bool rounded_up = numerator % denominator != 0 && numerator < 0;
  return (rounded_up ? quotient - 1 : quotient) * step;
}

int SumOfBands(const BandHundredths& bands, int first_nominal_hz, int last_nominal_hz) {
  int sum = 0;
  for (int band = BandOf(first_nominal_hz); band <= BandOf(last_nominal_hz); ++band) {
    sum += bands[static_cast<std::size_t>(band)];
  }
  return sum;
}

// How far the values fall short of the reference curve shifted by `shift`.
int Shortfall(const std::array<int, 5>& practical, int shift) {
  int sum = 0;
  for (std::size_t i = 0; i < practical.size(); ++i) sum += std::max(0, kReferenceCurve[i] + shift - practical[i]);
  return sum;
}

bool Exceeds(const std::array<int, 5>& practical, int shift, std::size_t octave) {
  return practical[octave] - (kReferenceCurve[octave] + shift) >= kShapeMargin;
}

}  // namespace

int PracticalAbsorption(int lower_hundredths, int centre_hundredths, int upper_hundredths) {
  const int mean = NearestMultiple(lower_hundredths + centre_hundredths + upper_hundredths, 3, 1);
  return std::min(100, NearestMultiple(mean, 1, kRatingStep));
}

OctaveHundredths PracticalOctaves(const BandHundredths& bands) {
  OctaveHundredths octaves{};
  for (std::size_t octave = 0; octave < octaves.size(); ++octave) {
    // The octave's centre band: 125 Hz is band 4, each octave three further.
    const std::size_t centre = 4 + 3 * octave;
    octaves[octave] = PracticalAbsorption(bands[centre - 1], bands[centre], bands[centre + 1]);
  }
  return octaves;
}

WeightedRating WeightedAbsorption(const std::array<int, 5>& practical_250_to_4000) {
  int shift = 0;
  while (Shortfall(practical_250_to_4000, shift) > kAllowedShortfall) shift -= kRatingStep;
  WeightedRating rating;
  rating.alpha_w_hundredths = kReferenceCurve[1] + shift;
  rating.low = Exceeds(practical_250_to_4000, shift, 0);
  rating.mid = Exceeds(practical_250_to_4000, shift, 1) || Exceeds(practical_250_to_4000, shift, 2);
  rating.high = Exceeds(practical_250_to_4000, shift, 3) || Exceeds(practical_250_to_4000, shift, 4);
  rating.absorption_class = ClassOf(rating.alpha_w_hundredths);
  return rating;
}

WeightedRating WeightedAbsorption(const OctaveHundredths& octaves) {
  return WeightedAbsorption(std::array<int, 5>{octaves[1], octaves[2], octaves[3], octaves[4], octaves[5]});
}

AbsorptionClass ClassOf(int alpha_w_hundredths) {
  if (alpha_w_hundredths >= 90) return AbsorptionClass::kA;
  if (alpha_w_hundredths >= 80) return AbsorptionClass::kB;
  if (alpha_w_hundredths >= 60) return AbsorptionClass::kC;
  if (alpha_w_hundredths >= 30) return AbsorptionClass::kD;
  if (alpha_w_hundredths >= 15) return AbsorptionClass::kE;
  return AbsorptionClass::kNotClassified;
}

int NoiseReductionCoefficient(const BandHundredths& bands) {
  const int sum = bands[static_cast<std::size_t>(BandOf(250))] + bands[static_cast<std::size_t>(BandOf(500))] +
                  bands[static_cast<std::size_t>(BandOf(1000))] + bands[static_cast<std::size_t>(BandOf(2000))];
  return NearestMultiple(sum, 4, kRatingStep);
}

int SoundAbsorptionAverage(const BandHundredths& bands) { return NearestMultiple(SumOfBands(bands, 200, 2500), 12, 1); }

}  // namespace acoustics
