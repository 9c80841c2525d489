// The eight resonator formulas and the two plausibility tests.
//
// All of them rest on one relation between frequency f, volume V, orifice
// surface S and effective neck length L:
//     f = (c / 2pi) * sqrt(S / (V * L))
// with L = t + K*r for a round orifice (S = pi r^2) and L = t + sqrt(S) for
// an orifice of any shape. Each formula is that relation solved for one
// quantity, in a fixed order of operations: the inputs are widened to the
// 80-bit working precision, and results are rounded to double or to single
// exactly at the points marked "-> double" and "-> single". Those points are
// what make the results bit-for-bit reproducible, so keep every step in
// Extended (a float or double operand alone would compute in SSE precision).
#include "calculator/resonator.h"

#include <optional>

namespace calculator {
namespace {

using Extended = long double;

Extended Square(Extended x) { return Power(x, 2); }
Extended Root(Extended x) { return Power(x, 0.5L); }

// The larger root of qa*x^2 + qb*x + qc = 0, as both orifice solvers compute
// it; none when the discriminant is negative (no orifice fits). A NaN
// discriminant is treated as positive: its root is then 1 by Power's rules.
//   qa = 1.886227, qb = -K, qc = -1: D = 8.330306, roots -0.5301589 and
//   0.99999994, so root = 0.99999994.
std::optional<float> LargerRoot(float qa, float qb, float qc) {
  const Extended a = qa;
  const Extended b = qb;
  const float discriminant = static_cast<float>(Square(b) - (a * 4) * qc);  // -> single
  if (discriminant < 0) return std::nullopt;
  float first;
  float second;
  if (discriminant == 0) {
    first = second = static_cast<float>(-b / (2 * a));  // -> single
  } else {
    const Extended rootOfDiscriminant = Root(discriminant);
    first = static_cast<float>((-b - rootOfDiscriminant) / (2 * a));   // -> single
    second = static_cast<float>((-b + rootOfDiscriminant) / (2 * a));  // -> single
  }
  return first > second ? first : second;
}

}  // namespace

float FrequencyRound(float radius, float thickness, float volume, const Constants& constants) {
  const Extended c = constants.soundSpeed, k = constants.endCorrection, pi = constants.pi;
  const Extended r = radius, t = thickness, v = volume;
  const double a = static_cast<double>((c * r) / 2);                   // -> double
  const double b = static_cast<double>(1 / ((pi * v) * (r * k + t)));  // -> double
  return static_cast<float>(Root(b) * a);                              // -> single
}

float FrequencyAny(float surface, float thickness, float volume, const Constants& constants) {
  const Extended c = constants.soundSpeed, twoPi = constants.twoPi;
  const Extended s = surface, t = thickness, v = volume;
  const double a = static_cast<double>(c / twoPi);                // -> double
  const double b = static_cast<double>(s / ((Root(s) + t) * v));  // -> double
  return static_cast<float>(Root(b) * a);                         // -> single
}

float VolumeRound(float radius, float thickness, float frequency, const Constants& constants) {
  const Extended c = constants.soundSpeed, k = constants.endCorrection, pi = constants.pi;
  const Extended r = radius, t = thickness, f = frequency;
  const double a = static_cast<double>(Square(c * r));                       // -> double
  const double b = static_cast<double>((pi * (r * k + t)) * Square(2 * f));  // -> double
  return static_cast<float>(Extended{a} / b);                                // -> single
}

float VolumeAny(float surface, float thickness, float frequency, const Constants& constants) {
  const Extended c = constants.soundSpeed, twoPi = constants.twoPi;
  const Extended s = surface, t = thickness, f = frequency;
  const double a = static_cast<double>(Square(c) * s);                      // -> double
  const double b = static_cast<double>(Square(twoPi * f) * (Root(s) + t));  // -> double
  return static_cast<float>(Extended{a} / b);                               // -> single
}

float ThicknessRound(float radius, float volume, float frequency, const Constants& constants) {
  const Extended c = constants.soundSpeed, k = constants.endCorrection, pi = constants.pi;
  const Extended r = radius, v = volume, f = frequency;
  const double a = static_cast<double>(Square(c * r));               // -> double
  const double b = static_cast<double>(((4 * v) * pi) * Square(f));  // -> double
  return static_cast<float>(Extended{a} / b - r * k);                // -> single
}

float ThicknessAny(float surface, float volume, float frequency, const Constants& constants) {
  const Extended c = constants.soundSpeed, twoPi = constants.twoPi;
  const Extended s = surface, v = volume, f = frequency;
  const double a = static_cast<double>(Square(c) * s);          // -> double
  const double b = static_cast<double>(Square(f * twoPi) * v);  // -> double
  return static_cast<float>(Extended{a} / b - Root(s));         // -> single
}

// ThicknessRound solved for the radius: t = qa*r^2 - K*r.
float DiameterRound(float volume, float frequency, float thickness, const Constants& constants) {
  const Extended c = constants.soundSpeed, k = constants.endCorrection, pi = constants.pi;
  const Extended v = volume, f = frequency, t = thickness;
  const float qa = static_cast<float>(Square(c) / (((pi * 4) * v) * Square(f)));  // -> single
  const float qb = static_cast<float>(-k);                                        // -> single
  const float qc = static_cast<float>(-t);                                        // -> single
  const std::optional<float> radius = LargerRoot(qa, qb, qc);
  if (!radius) return 0.0F;
  return static_cast<float>(2 * Extended{*radius});  // -> single
}

// ThicknessAny solved for x = sqrt(S): t = qa*x^2 - x.
float SurfaceAny(float volume, float frequency, float thickness, const Constants& constants) {
  const Extended c = constants.soundSpeed, pi = constants.pi;
  const Extended v = volume, f = frequency, t = thickness;
  const float qa = static_cast<float>(Square(c) / ((((pi * pi) * 4) * v) * Square(f)));  // -> single
  const float qb = -1;
  const float qc = static_cast<float>(-t);  // -> single
  const std::optional<float> side = LargerRoot(qa, qb, qc);
  if (!side) return 0.0F;
  return static_cast<float>(Extended{*side} * *side);  // -> single
}

// Possible when the implied thickness A - K*r is not negative; both sides stay
// in working precision, and "!(x > y)" lets a NaN count as possible.
bool ValuesPossibleRound(float radius, float volume, float frequency, const Constants& constants) {
  const Extended c = constants.soundSpeed, k = constants.endCorrection, pi = constants.pi;
  const Extended r = radius, v = volume, f = frequency;
  const Extended a = Square(c * r) / (((pi * 4) * v) * Square(f));
  return !(r * k > a);
}

bool ValuesPossibleAny(float surface, float volume, float frequency, const Constants& constants) {
  const Extended c = constants.soundSpeed, pi = constants.pi;
  const Extended s = surface, v = volume, f = frequency;
  const Extended a = (Square(c) * s) / ((((pi * pi) * 4) * v) * Square(f));
  return !(Root(s) > a);
}

}  // namespace calculator
