// Numbers as the command line's own lines write them: the model line, the
// rows of a sweep in text, charts' titles and legends. Plain decimals with a
// leading zero for magnitudes from 1e-4 up to 1e7, exponent notation outside
// that range only; never the screens' ".5" or "1.234568E+7", which stay in the
// lines the screens draw (numtext.h).
#pragma once

#include <string>

namespace numtext {

// The shortest text that reads back to `value`:
//   ShortestPlain(100000.f)        -> "100000"   (std::to_chars: "1e+05")
//   ShortestPlain(0.0870275f)      -> "0.0870275"
//   ShortestPlain(3.4154034e-08f)  -> "3.4154034e-08"
//   ShortestPlain(inf)             -> "inf"
void AppendShortestPlain(std::string& out, float value);
std::string ShortestPlain(float value);

// `value` rounded to `digits` significant digits (1 to 17), trailing zeros
// dropped, plain while -4 <= its exponent < digits (with 7 digits the range
// above):
//   RoundedPlain(343.214622, 7)    -> "343.2146"
//   RoundedPlain(0.087027505, 7)   -> "0.08702751"
//   RoundedPlain(2919544000, 7)    -> "2.919544e+09"
std::string RoundedPlain(double value, int digits);

}  // namespace numtext
