// The summary panel on its own, and on a console that cannot show 60 rows.
#include <string>

#include <gtest/gtest.h>

#include "calculator/resonator.h"
#include "screens/summary_panel.h"
#include "console/console.h"
#include "tests/support/console_probe.h"
#include "tests/support/memory_console.h"
#include "screen_support.h"

namespace screens::test_support {
namespace {

// The panel drawn straight onto an empty 80 x 60 screen, in the light cyan a
// calculation screen leaves behind.
class SummaryPanel : public ::testing::Test {
 protected:
  void SetUp() override { console_.SetColor(console::Color::kLightCyan, console::kKeepColor); }
  void Show(float frequency, float volume, float surface, float thickness) {
    ShowSummaryPanel(console_, {.frequency = frequency, .volume = volume, .thickness = thickness, .surface = surface},
                     calculator::MakeConstants());
  }
  void CompareScreens() {
    EXPECT_EQ(memory_.Text(), expected_.Text());
    EXPECT_EQ(memory_.Colors(), expected_.Colors());
    EXPECT_EQ(memory_.cursor().row, expected_.cursor().row);
    EXPECT_EQ(memory_.cursor().column, expected_.cursor().column);
  }

  console::MemoryConsole memory_{80, 60};
  console::Console console_{memory_};
  ExpectedScreen expected_;
};

TEST_F(SummaryPanel, RoundOrificeExample) {
  Show(220.83963F, 1000, 3.1415927F, 1);
  ExpectPanel(expected_, 60, {"221Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", "0.6"});
  CompareScreens();
  EXPECT_EQ(memory_.RowText(58), std::string("    221Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.6") +
                                     std::string(11, ' '));
  // Nothing is restored afterwards.
  EXPECT_EQ(console::ConsoleProbe::Record(console_).foreground, console::Color::kYellow);
}

// The screen lost rows after the menu was drawn (a terminal window made
// smaller): the panel goes above the bottom row there is now.
TEST_F(SummaryPanel, FollowsTheRowsThereAreWhenItIsDrawn) {
  memory_.SetBufferSize(80, 30);
  Show(220.83963F, 1000, 3.1415927F, 1);
  EXPECT_EQ(memory_.RowText(27).substr(4, 10), "Frequency:");
  EXPECT_EQ(memory_.RowText(28).substr(4, 5), "221Hz");
  EXPECT_EQ(memory_.cursor().row, 28);
}

TEST_F(SummaryPanel, LongValuesRunIntoTheNextFieldAndAreOverwritten) {
  // "20000.cm^2" covers columns 28 to 37; the diameter written at 37 takes
  // the last of them.
  Show(100, 1000, 20000, 1);
  ExpectPanel(expected_, 60, {"100Hz", "1000.cc", "20000.cm^2", "159.6cm", "141.4cm", "10mm", "0."});
  CompareScreens();
  EXPECT_EQ(memory_.RowText(58).substr(27, 16), "20000.cm^159.6cm");
}

TEST_F(SummaryPanel, NegativeSurfaceHasUnitRoots) {
  // sqrt of a negative surface is 1: diameter 2*1, side 1, and Q < 0:
  // A = (1 + 1) * 34000 = 68000, B = 100^2 * -4, Q = -1.7.
  Show(100, 1000, -4, 1);
  ExpectPanel(expected_, 60, {"100Hz", "1000.cc", "-4.cm^2", "2.cm", "1.cm", "10mm", "-1.7"});
  CompareScreens();
}

TEST_F(SummaryPanel, ZeroSurfaceAndThicknessGiveANotANumberQ) {
  // A = 0 and B = 0: Q is NaN, which a mask shows like zero.
  Show(100, 1000, 0, 0);
  ExpectPanel(expected_, 60, {"100Hz", "1000.cc", "0.cm^2", "0.cm", "0.cm", "0mm", "0."});
  CompareScreens();
}

TEST_F(SummaryPanel, BlanksBothRowsInTheCallersColours) {
  console_.Locate(58, 1);
  console_.PrintText(std::string(80, 'x'));
  console_.PrintText(std::string(80, 'y'));
  console_.SetColor(console::Color::kLightCyan, console::kKeepColor);
  Show(220.83963F, 1000, 3.1415927F, 1);
  ExpectPanel(expected_, 60, {"221Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", "0.6"});
  CompareScreens();
}

TEST(SmallScreen, PanelSitsAboveTheBottomOfTheRowsThereAre) {
  // A display that can show only 24 rows refuses the 60-row set-up.
  console::MemoryConsole memory(80, 25, 200, 24);
  memory.Type(kWorkedExample.keys);
  const RunOutcome outcome = RunCalculator(memory);
  ASSERT_FALSE(outcome.returned);
  EXPECT_EQ(memory.rows(), 24);
  ExpectedScreen expected(24, 80);
  ExpectCalculation(expected, kLightGrey, 24, kWorkedExample);
  EXPECT_EQ(memory.Text(), expected.Text());
  EXPECT_EQ(memory.Colors(), expected.Colors());
  EXPECT_EQ(memory.RowText(21).substr(4, 10), "Frequency:");
}

}  // namespace
}  // namespace screens::test_support
