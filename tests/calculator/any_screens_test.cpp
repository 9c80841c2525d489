// Choices "5" to "8" end to end on the in-memory console: the whole 80 x 60
// screen, text and colours.
#include <string>

#include <gtest/gtest.h>

#include "screen_support.h"

namespace calculator::test_support {
namespace {

using AnyScreens = ScreenTest;

TEST_F(AnyScreens, FrequencyWorkedExample) {
  memory_.Type("5\r1000\r4\r1\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "5");
  ExpectPrompt(expected_, 15, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 16, "Orifice surface (cm^2)", "4");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "1");
  ExpectLine(expected_, 18, "Frequency       = 197.5916 Hz");
  ExpectLine(expected_, 19, "Volume          = 1000 cm^3");
  ExpectLine(expected_, 20, "Wall thickness  = 1 cm");
  ExpectLine(expected_, 21, "Orifice surface= 4 cm^2");
  ExpectPanel(expected_, 60, {"198Hz", "1000.cc", "4.cm^2", "2.3cm", "2.cm", "10mm", "0.7"});
  CompareScreens();
}

TEST_F(AnyScreens, FrequencyFloorsANegativeThicknessAtZero) {
  // t = 0: f = (c/2pi) * sqrt(4 / (2 * 1000)) = 241.9993 Hz, and the panel
  // shows 0 mm. A zero wall is the boundary of the plausibility test, and the
  // rounded frequency lands it a hair on the impossible side.
  memory_.Type("5\r1000\r4\r-5\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "5");
  ExpectPrompt(expected_, 15, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 16, "Orifice surface (cm^2)", "4");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "-5");
  ExpectLine(expected_, 18, "Frequency       = 241.9993 Hz");
  ExpectLine(expected_, 19, "Impossible values !");
  ExpectPanel(expected_, 60, {"242Hz", "1000.cc", "4.cm^2", "2.3cm", "2.cm", "0mm", "0.3"});
  CompareScreens();
}

TEST_F(AnyScreens, VolumeWithTheBlankBeforeTheSurfaceUnit) {
  memory_.Type("6\r100\r4\r1\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "6");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "100");
  ExpectPrompt(expected_, 16, "Orifice surface (cm^2)", "4");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "1");
  ExpectLine(expected_, 18, "Volume        = 3904.243 cm^3");
  ExpectLine(expected_, 19, "Frequency       = 100 Hz");
  ExpectLine(expected_, 20, "Wall thickness  = 1 cm");
  ExpectLine(expected_, 21, "Orifice surface= 4  cm^2");
  ExpectPanel(expected_, 60, {"100Hz", "3904.2cc", "4.cm^2", "2.3cm", "2.cm", "10mm", "2.6"});
  CompareScreens();
}

TEST_F(AnyScreens, ThicknessNegativeWhenTheFrequencyIsTooHigh) {
  memory_.Type("7\r2000\r1000\r4\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "7");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "2000");
  ExpectPrompt(expected_, 16, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 17, "Orifice surface (cm^2)", "4");
  ExpectLine(expected_, 18, "Orifice thickness=-1.970718 cm  Impossible value!");
  ExpectLine(expected_, 19, "Impossible values !");
  ExpectPanel(expected_, 60, {"2000Hz", "1000.cc", "4.cm^2", "2.3cm", "2.cm", "-20mm", "0."});
  CompareScreens();
}

TEST_F(AnyScreens, ThicknessFromTheWorkedFrequency) {
  memory_.Type("7\r197.59157\r1000\r4\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "7");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "197.59157");
  ExpectPrompt(expected_, 16, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 17, "Orifice surface (cm^2)", "4");
  ExpectLine(expected_, 18, "Orifice thickness= 1 cm");
  ExpectLine(expected_, 19, "Frequency       = 197.5916 Hz");
  ExpectLine(expected_, 20, "Volume          = 1000 cm^3");
  ExpectLine(expected_, 21, "Orifice surface= 4 cm^2");
  ExpectPanel(expected_, 60, {"198Hz", "1000.cc", "4.cm^2", "2.3cm", "2.cm", "10mm", "0.7"});
  CompareScreens();
}

TEST_F(AnyScreens, SurfaceForAHundredHertz) {
  memory_.Type("8\r100\r1000\r1\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, "8");
  ExpectPrompt(expected_, 15, "Frequency (Hz) ?", "100");
  ExpectPrompt(expected_, 16, "Volume (cc) ?", "1000");
  ExpectPrompt(expected_, 17, "Wall thickness (cm)", "1");
  ExpectLine(expected_, 18, "Orifice surface= .6077415 cm^2");
  ExpectLine(expected_, 19, "Frequency       = 100 Hz");
  ExpectLine(expected_, 20, "Volume          = 1000 cm^3");
  ExpectLine(expected_, 21, "Wall thickness  = 1 cm");
  ExpectPanel(expected_, 60, {"100Hz", "1000.cc", "0.6cm^2", "0.9cm", "0.8cm", "10mm", "10."});
  CompareScreens();
}

}  // namespace
}  // namespace calculator::test_support
