#include "acoustics/end_corrections.h"

#include <cassert>
#include <cmath>

namespace acoustics {

namespace {

// The integral of 1/|r - r'| over a rectangle a x b, both points inside it,
// divided by 2 (the radiation mass of a uniformly moving piston).
long double RectangleIntegral(long double a, long double b) {
  const long double cube_terms = (2.0L / 3) * (a * a * a + b * b * b - std::pow(a * a + b * b, 1.5L));
  return cube_terms + 2 * a * b * b * std::asinh(a / b) + 2 * a * a * b * std::asinh(b / a);
}

// A free end over a flanged end for the same orifice, as for a circle.
constexpr long double kFreeOverFlanged = 0.6133L / 0.8488L;

}  // namespace

long double RoundEndCorrection(long double radius, EndKind end) {
  assert(radius >= 0);
  return radius * (end == EndKind::kFlanged ? kFlangedEndPerRadius : kFreeEndPerRadius);
}

long double SlotEndCorrection(long double width, long double height, EndKind end) {
  assert(width > 0 && height > 0);
  const long double flanged = RectangleIntegral(width, height) / (2 * std::numbers::pi_v<long double> * width * height);
  return end == EndKind::kFlanged ? flanged : flanged * kFreeOverFlanged;
}

long double HoleInteractionFactor(long double open_area) {
  assert(open_area >= 0 && open_area <= kMaxInteractingOpenArea);
  return 1 - 1.14L * std::sqrt(open_area);
}

}  // namespace acoustics
