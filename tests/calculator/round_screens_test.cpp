// Choices "1" to "4" end to end on the in-memory console: the whole 80 x 60
// screen, text and colours, as the user is left looking at it.
#include <string>

#include <gtest/gtest.h>

#include "screen_support.h"

namespace calculator::test_support {
namespace {

using RoundScreens = ScreenTest;

TEST_F(RoundScreens, FrequencyWorkedExample) {
  memory_.Type("1\r1000\r2\r1\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "1");
  ExpectPrompt(expected_, 15, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 16, "Orifice diameter (cm)", "2");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "1");
  ExpectLine(expected_, 18, "Frequency       = 220.8396 Hz");
  ExpectLine(expected_, 19, "Volume          = 1000 cm^3");
  ExpectLine(expected_, 20, "Wall thickness  = 1 cm");
  ExpectLine(expected_, 21, "Orifice diameter= 2 cm");
  ExpectPanel(expected_, 60, {"221Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", "0.6"});
  CompareScreens();
}

TEST_F(RoundScreens, FrequencyKeepsANegativeThickness) {
  // sqrt of the negative neck length is 1, so f = c*r/2; the panel shows -5 cm.
  memory_.Type("1\r1000\r2\r-5\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "1");
  ExpectPrompt(expected_, 15, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 16, "Orifice diameter (cm)", "2");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "-5");
  ExpectLine(expected_, 18, "Frequency       = 17000 Hz");
  ExpectLine(expected_, 19, "Impossible values !");
  ExpectPanel(expected_, 60, {"17000Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "-50mm", "-0."});
  CompareScreens();
}

TEST_F(RoundScreens, VolumeFromTheWorkedFrequency) {
  memory_.Type("2\r220.83963\r2\r1\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "2");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "220.83963");
  ExpectPrompt(expected_, 16, "Orifice diameter (cm)", "2");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "1");
  ExpectLine(expected_, 18, "Volume        = 1000 cm^3");
  ExpectLine(expected_, 19, "Frequency       = 220.8396 Hz");
  ExpectLine(expected_, 20, "Wall thickness  = 1 cm");
  ExpectLine(expected_, 21, "Orifice diameter= 2 cm");
  ExpectPanel(expected_, 60, {"221Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", "0.6"});
  CompareScreens();
}

TEST_F(RoundScreens, VolumeAtZeroFrequencyIsInfiniteAndWrapsThePanel) {
  // V = c^2 r^2 / 0 is infinite; the recomputations meet 0 * inf and show NaN
  // as 0. The panel's volume (1002 characters) and Q-Factor (1000) wrap and
  // scroll the screen up from the bottom row, as any console output would.
  memory_.Type("2\r0\r2\r1\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "2");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "0");
  ExpectPrompt(expected_, 16, "Orifice diameter (cm)", "2");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "1");
  ExpectLine(expected_, 18, "Volume        = 9.999999E+998 cm^3");
  ExpectLine(expected_, 19, "Frequency       = 0 Hz");
  ExpectLine(expected_, 20, "Wall thickness  = 0 cm");
  ExpectLine(expected_, 21, "Orifice diameter= 0 cm");
  ExpectPanel(expected_, 60,
              {"0Hz", kInfinityDigits + ".cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", kInfinityDigits + "."});
  CompareScreens();
  // The title has scrolled off the top.
  EXPECT_EQ(memory_.Text().find("Helmholtz"), std::string::npos);
}

TEST_F(RoundScreens, ThicknessNegativeWhenTheFrequencyIsTooHigh) {
  memory_.Type("3\r2000\r1000\r2\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "3");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "2000");
  ExpectPrompt(expected_, 16, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 17, "Orifice diameter (cm)", "2");
  ExpectLine(expected_, 18, "Orifice thickness=-.863229 cmImpossible values!!!");
  ExpectLine(expected_, 19, "Impossible values !");
  ExpectPanel(expected_, 60, {"2000Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "-9mm", "0."});
  CompareScreens();
}

TEST_F(RoundScreens, ThicknessFromTheWorkedFrequency) {
  memory_.Type("3\r220.83963\r1000\r2\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "3");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "220.83963");
  ExpectPrompt(expected_, 16, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 17, "Orifice diameter (cm)", "2");
  ExpectLine(expected_, 18, "Orifice thickness= 1 cm");
  ExpectLine(expected_, 19, "Frequency       = 220.8396 Hz");
  ExpectLine(expected_, 20, "Volume          = 1000 cm^3");
  ExpectLine(expected_, 21, "Orifice diameter= 2 cm");
  ExpectPanel(expected_, 60, {"221Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", "0.6"});
  CompareScreens();
}

TEST_F(RoundScreens, DiameterWithRecomputationsOffInTheLastDigit) {
  memory_.Type("4\r100\r1000\r1\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "4");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "100");
  ExpectPrompt(expected_, 16, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "1");
  ExpectLine(expected_, 18, "Orifice diameter= .7627487 cm");
  ExpectLine(expected_, 19, "Frequency       = 99.99999 Hz");
  ExpectLine(expected_, 20, "Volume          = 999.9999 cm^3");
  ExpectLine(expected_, 21, "Wall thickness  = .9999999 cm");
  ExpectPanel(expected_, 60, {"100Hz", "1000.cc", "0.5cm^2", "0.8cm", "0.7cm", "10mm", "12.5"});
  CompareScreens();
}

TEST_F(RoundScreens, DiameterWithANegativeDiscriminantIsZero) {
  // A negative volume makes qa negative and the discriminant K^2 + 4*qa*t
  // negative: diameter 0, which is no negative radius, so no message; the
  // zero surface makes the Q-Factor infinite.
  memory_.Type("4\r100\r-1000\r1\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "4");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "100");
  ExpectPrompt(expected_, 16, "Volume (cc) ?", "-1000");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "1");
  ExpectLine(expected_, 18, "Orifice diameter= 0 cm");
  ExpectLine(expected_, 19, "Frequency       = 0 Hz");
  ExpectLine(expected_, 20, "Volume          = 0 cm^3");
  ExpectLine(expected_, 21, "Wall thickness  = 0 cm");
  ExpectPanel(expected_, 60, {"100Hz", "-1000.cc", "0.cm^2", "0.cm", "0.cm", "10mm", kInfinityDigits + "."});
  CompareScreens();
}

TEST_F(RoundScreens, DiameterReportsANegativeRadius) {
  // With a negative volume and a thin wall both roots are negative; the
  // larger one still gives a negative radius, reported behind "cm".
  memory_.Type("4\r100\r-1000\r.01\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "4");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "100");
  ExpectPrompt(expected_, 16, "Volume (cc) ?", "-1000");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", ".01");
  ExpectLine(expected_, 18, "Orifice diameter=-2.610426E-2 cmImpossible value for diameter");
  ExpectLine(expected_, 19, "Frequency       =-100 Hz");
  ExpectLine(expected_, 20, "Volume          =-1000 cm^3");
  ExpectLine(expected_, 21, "Wall thickness  = .01 cm");
  ExpectPanel(expected_, 60, {"100Hz", "-1000.cc", "0.cm^2", "0.cm", "0.cm", "0mm", "210.5"});
  CompareScreens();
}

}  // namespace
}  // namespace calculator::test_support
