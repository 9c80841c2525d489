// The physical model of the resonator: the shared constants, the power
// operation behind every square and square root, the eight formulas that each
// solve for one design quantity, and the two plausibility tests.
//
// Units: frequency Hz, volume cm^3, thickness/radius/diameter cm, surface cm^2.
// Every formula takes its three quantities as single-precision values and the
// constants of the model, computes in the 80-bit long double working precision, rounds to
// double or single exactly where noted in formulas.cpp, and returns single.
#pragma once

namespace calculator {

// The constants every formula and the summary panel share.
struct Constants {
  double pi = 0;             // 4 * atan(1)        = 3.141592653589793
  double twoPi = 0;          // 8 * atan(1)        = 6.283185307179586
  double endCorrection = 0;  // atan(1)^0.5 = sqrt(pi/4) = 0.886226925452758 (K)
  float soundSpeed = 0;      // c, cm/s
};

// The speed of sound the screens use, cm/s: dry air at about 15 degrees C.
inline constexpr float kScreenSoundSpeed = 34000;

// pi, 2pi and K from atan(1) evaluated once in working precision, each rounded
// once when stored, and `soundSpeed` as given. MakeConstants() is the screens'
// model, bit for bit.
Constants MakeConstants(float soundSpeed = kScreenSoundSpeed);

// base^exponent in working precision, with the rules the formulas rely on:
//  1. a negative or NaN base first has its exponent rounded to the nearest
//     integer (ties to even), so an exponent of 0.5 becomes 0;
//  2. exponent 0 gives 1;
//  3. base 0 gives 0 for a positive exponent (NaN for a negative one);
//  4. an integral exponent below 65536 in magnitude is repeated squaring
//     (exponent 2 is exactly base * base), reciprocal when negative;
//  5. otherwise exp(exponent * ln base), with ln(+inf) taken as 0.
// Hence Power(x, 2) == x * x for every x, and Power(x, 0.5) is the square root
// of a finite positive x, 0 for 0, and 1 for a negative, infinite or NaN x:
//   Power(9, 0.5) == 3, Power(-9, 0.5) == 1, Power(+inf, 0.5) == 1.
long double Power(long double base, long double exponent);

// Round orifice of radius r; the neck length is t + K*r.
//   FrequencyRound(1, 1, 1000) == 220.83963f
float FrequencyRound(float radius, float thickness, float volume, const Constants& constants);
//   VolumeRound(1, 1, 100) == 4877.014f
float VolumeRound(float radius, float thickness, float frequency, const Constants& constants);
//   ThicknessRound(1, 1000, 100) == 8.312929f
float ThicknessRound(float radius, float volume, float frequency, const Constants& constants);
// Solves ThicknessRound for the radius and returns twice the larger root;
// 0 when the discriminant is negative.
//   DiameterRound(1000, 100, 1) == 0.7627487f
float DiameterRound(float volume, float frequency, float thickness, const Constants& constants);

// Orifice of any shape with surface S; the neck length is t + sqrt(S).
//   FrequencyAny(4, 1, 1000) == 197.59157f
float FrequencyAny(float surface, float thickness, float volume, const Constants& constants);
//   VolumeAny(4, 1, 100) == 3904.243f
float VolumeAny(float surface, float thickness, float frequency, const Constants& constants);
//   ThicknessAny(4, 1000, 100) == 9.7127285f
float ThicknessAny(float surface, float volume, float frequency, const Constants& constants);
// Solves ThicknessAny for sqrt(S) and returns the square of the larger root;
// 0 when the discriminant is negative.
//   SurfaceAny(1000, 100, 1) == 0.60774153f
float SurfaceAny(float volume, float frequency, float thickness, const Constants& constants);

// True (possible) when the wall thickness implied by the other three values is
// not negative, false (impossible) when it is; a comparison with NaN counts as
// possible. Evaluated without intermediate rounding, so within a rounding
// error of zero thickness it may disagree with the sign of ThicknessRound/Any.
//   ValuesPossibleRound(1, 1000, 2000) == false  (ThicknessRound gives -0.863)
bool ValuesPossibleRound(float radius, float volume, float frequency, const Constants& constants);
//   ValuesPossibleAny(4, 1000, 197.59157) == true
bool ValuesPossibleAny(float surface, float volume, float frequency, const Constants& constants);

}  // namespace calculator
