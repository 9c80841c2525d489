// The eight calculation screens end to end on the in-memory console: the
// whole 80 x 60 screen, text and colours, as the user is left looking at it.
#include <gtest/gtest.h>

#include "screen_support.h"

namespace screens::test_support {
namespace {

constexpr std::string_view kF = "Frequency (Hz) ?";
constexpr std::string_view kV = "Volume (cc) ?";
constexpr std::string_view kT = "Wall thickness (cm)";
constexpr std::string_view kD = "Orifice diameter (cm)";
constexpr std::string_view kS = "Orifice surface (cm^2)";

const CalculationCase kCases[] = {
    kWorkedExample,
    // sqrt of the negative neck length is 1, so f = c*r/2; the panel shows -5 cm.
    {"RoundFrequencyKeepsANegativeThickness",
     "1\r1000\r2\r-5\r",
     {kV, kD, kT},
     {"Frequency       = 17000 Hz", "Impossible values !"},
     {"17000Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "-50mm", "-0."}},
    {"RoundVolumeFromTheWorkedFrequency",
     "2\r220.83963\r2\r1\r",
     {kF, kD, kT},
     {"Volume        = 1000 cm^3", "Frequency       = 220.8396 Hz", "Wall thickness  = 1 cm", "Orifice diameter= 2 cm"},
     {"221Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", "0.6"}},
    // V = c^2 r^2 / 0 is infinite; the recomputations meet 0 * inf and show NaN
    // as 0. The panel's volume (1002 characters) and Q-Factor (1000) wrap and
    // scroll the screen up from the bottom row, as any console output would.
    {"RoundVolumeAtZeroFrequencyIsInfiniteAndWrapsThePanel",
     "2\r0\r2\r1\r",
     {kF, kD, kT},
     {"Volume        = 9.999999E+998 cm^3", "Frequency       = 0 Hz", "Wall thickness  = 0 cm",
      "Orifice diameter= 0 cm"},
     {"0Hz", kInfinityDigits + ".cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", kInfinityDigits + "."}},
    {"RoundThicknessNegativeWhenTheFrequencyIsTooHigh",
     "3\r2000\r1000\r2\r",
     {kF, kV, kD},
     {"Orifice thickness=-.863229 cmImpossible values!!!", "Impossible values !"},
     {"2000Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "-9mm", "0."}},
    {"RoundThicknessFromTheWorkedFrequency",
     "3\r220.83963\r1000\r2\r",
     {kF, kV, kD},
     {"Orifice thickness= 1 cm", "Frequency       = 220.8396 Hz", "Volume          = 1000 cm^3",
      "Orifice diameter= 2 cm"},
     {"221Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", "0.6"}},
    {"RoundDiameterWithRecomputationsOffInTheLastDigit",
     "4\r100\r1000\r1\r",
     {kF, kV, kT},
     {"Orifice diameter= .7627487 cm", "Frequency       = 99.99999 Hz", "Volume          = 999.9999 cm^3",
      "Wall thickness  = .9999999 cm"},
     {"100Hz", "1000.cc", "0.5cm^2", "0.8cm", "0.7cm", "10mm", "12.5"}},
    // A negative volume makes qa negative and the discriminant K^2 + 4*qa*t
    // negative: diameter 0, which is no negative radius, so no message; the
    // zero surface makes the Q-Factor infinite.
    {"RoundDiameterWithANegativeDiscriminantIsZero",
     "4\r100\r-1000\r1\r",
     {kF, kV, kT},
     {"Orifice diameter= 0 cm", "Frequency       = 0 Hz", "Volume          = 0 cm^3", "Wall thickness  = 0 cm"},
     {"100Hz", "-1000.cc", "0.cm^2", "0.cm", "0.cm", "10mm", kInfinityDigits + "."}},
    // With a negative volume and a thin wall both roots are negative; the
    // larger one still gives a negative radius, reported behind "cm".
    {"RoundDiameterReportsANegativeRadius",
     "4\r100\r-1000\r.01\r",
     {kF, kV, kT},
     {"Orifice diameter=-2.610426E-2 cmImpossible value for diameter", "Frequency       =-100 Hz",
      "Volume          =-1000 cm^3", "Wall thickness  = .01 cm"},
     {"100Hz", "-1000.cc", "0.cm^2", "0.cm", "0.cm", "0mm", "210.5"}},
    {"AnyFrequencyWorkedExample",
     "5\r1000\r4\r1\r",
     {kV, kS, kT},
     {"Frequency       = 197.5916 Hz", "Volume          = 1000 cm^3", "Wall thickness  = 1 cm",
      "Orifice surface= 4 cm^2"},
     {"198Hz", "1000.cc", "4.cm^2", "2.3cm", "2.cm", "10mm", "0.7"}},
    // t = 0: f = (c/2pi) * sqrt(4 / (2 * 1000)) = 241.9993 Hz, and the panel
    // shows 0 mm. A zero wall is the boundary of the plausibility test, and the
    // rounded frequency lands it a hair on the impossible side.
    {"AnyFrequencyFloorsANegativeThicknessAtZero",
     "5\r1000\r4\r-5\r",
     {kV, kS, kT},
     {"Frequency       = 241.9993 Hz", "Impossible values !"},
     {"242Hz", "1000.cc", "4.cm^2", "2.3cm", "2.cm", "0mm", "0.3"}},
    {"AnyVolumeWithTheBlankBeforeTheSurfaceUnit",
     "6\r100\r4\r1\r",
     {kF, kS, kT},
     {"Volume        = 3904.243 cm^3", "Frequency       = 100 Hz", "Wall thickness  = 1 cm",
      "Orifice surface= 4  cm^2"},
     {"100Hz", "3904.2cc", "4.cm^2", "2.3cm", "2.cm", "10mm", "2.6"}},
    {"AnyThicknessNegativeWhenTheFrequencyIsTooHigh",
     "7\r2000\r1000\r4\r",
     {kF, kV, kS},
     {"Orifice thickness=-1.970718 cm  Impossible value!", "Impossible values !"},
     {"2000Hz", "1000.cc", "4.cm^2", "2.3cm", "2.cm", "-20mm", "0."}},
    {"AnyThicknessFromTheWorkedFrequency",
     "7\r197.59157\r1000\r4\r",
     {kF, kV, kS},
     {"Orifice thickness= 1 cm", "Frequency       = 197.5916 Hz", "Volume          = 1000 cm^3",
      "Orifice surface= 4 cm^2"},
     {"198Hz", "1000.cc", "4.cm^2", "2.3cm", "2.cm", "10mm", "0.7"}},
    {"AnySurfaceForAHundredHertz",
     "8\r100\r1000\r1\r",
     {kF, kV, kT},
     {"Orifice surface= .6077415 cm^2", "Frequency       = 100 Hz", "Volume          = 1000 cm^3",
      "Wall thickness  = 1 cm"},
     {"100Hz", "1000.cc", "0.6cm^2", "0.9cm", "0.8cm", "10mm", "10."}},
};

class CalculationScreens : public ScreenTest, public ::testing::WithParamInterface<CalculationCase> {};

TEST_P(CalculationScreens, LeaveTheWholeScreenAsExpected) {
  memory_.Type(GetParam().keys);
  RunWaitingForKey();
  ExpectCalculation(expected_, kLightGrey, 60, GetParam());
  CompareScreens();
}

INSTANTIATE_TEST_SUITE_P(Choices, CalculationScreens, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace screens::test_support
