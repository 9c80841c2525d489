// The model's constants. arctan is evaluated at run time in working precision
// and rounded once on each store, which is what fixes their bits; that is why
// they are made by a function rather than written as literals.
#include <cmath>

#include "calculator/resonator.h"

namespace calculator {

Constants MakeConstants(float soundSpeed) {
  const long double quarterPi = std::atan(1.0L);
  Constants constants;
  constants.pi = static_cast<double>(4 * quarterPi);
  constants.twoPi = static_cast<double>(8 * quarterPi);
  // The end correction of a round orifice, sqrt(pi/4), goes through Power so
  // that it is the same square root as every other one in the model.
  constants.endCorrection = static_cast<double>(Power(quarterPi, 0.5L));
  constants.soundSpeed = soundSpeed;
  return constants;
}

}  // namespace calculator
