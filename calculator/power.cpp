// The power operation behind every square and square root of the model. Its
// rules make a square root total: anything that has no real finite root
// (negative, infinite, NaN) gives 1 instead of trapping, so impossible designs
// still produce numbers on the screen.
#include <cmath>
#include <limits>

#include "calculator/resonator.h"

namespace calculator {
namespace {

// Integral exponents up to this magnitude are multiplied out exactly.
constexpr long double kRepeatedSquaringLimit = 65536;
constexpr long double kSquareRootExponent = 0.5L;

// base^n for 0 < n < 65536 by square-and-multiply; n == 2 yields base * base.
long double RepeatedSquaring(long double base, unsigned n) {
  long double result = 1;
  long double square = base;
  while (true) {
    if (n & 1U) result *= square;
    n >>= 1U;
    if (n == 0) return result;
    square *= square;
  }
}

}  // namespace

long double Power(long double base, long double exponent) {
  // The model's two exponents first, without the rounding-mode work below:
  // each gives exactly what the general path gives for it (n == 2 is one
  // multiplication there too; a finite positive base reaches the square root).
  if (exponent == 2) return base * base;
  if (exponent == kSquareRootExponent && base > 0 && std::isfinite(base)) return std::sqrt(base);
  // A negative base has no real power for a fractional exponent; the model
  // rounds the exponent instead (nearbyint: ties to even in the default mode).
  if (base < 0 || std::isnan(base)) exponent = std::nearbyint(exponent);
  if (exponent == 0) return 1;
  if (base == 0) return exponent > 0 ? 0.0L : std::numeric_limits<long double>::quiet_NaN();
  const long double magnitude = std::fabs(exponent);
  if (exponent == std::trunc(exponent) && magnitude < kRepeatedSquaringLimit) {
    const long double product = RepeatedSquaring(base, static_cast<unsigned>(magnitude));
    return exponent < 0 ? 1 / product : product;
  }
  if (base < 0) {
    // Only a huge integral exponent reaches here; the model never uses one.
    return std::pow(base, exponent);
  }
  // ln(+inf) counts as 0, so +inf^0.5 is 1 rather than +inf.
  if (std::isinf(base)) return 1;
  // e^(0.5 ln x) is the square root; taken directly it is correctly rounded,
  // where the rounding of ln x, amplified by exp, would cost several bits.
  if (exponent == kSquareRootExponent) return std::sqrt(base);
  return std::exp(exponent * std::log(base));
}

}  // namespace calculator
