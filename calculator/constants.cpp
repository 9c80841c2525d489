// The calculator's shared constants. They are plain values set once at start
// rather than constexpr because arctan is evaluated at run time in working
// precision and rounded once on each store, which is what fixes their bits.
#include <cmath>

#include "calculator/resonator.h"

namespace calculator {

double Pi = 0;
double TwoPi = 0;
double EndCorrection = 0;
float SoundSpeed = 0;

// The speed of sound in air, cm/s, as the integer the model was written with.
constexpr int kSoundSpeedCentimetresPerSecond = 34000;

void ComputeConstants() {
  const long double quarterPi = std::atan(1.0L);
  Pi = static_cast<double>(4 * quarterPi);
  TwoPi = static_cast<double>(8 * quarterPi);
  // The end correction of a round orifice, sqrt(pi/4), goes through Power so
  // that it is the same square root as every other one in the model.
  EndCorrection = static_cast<double>(Power(quarterPi, 0.5L));
  SoundSpeed = static_cast<float>(kSoundSpeedCentimetresPerSecond);
}

}  // namespace calculator
