// The menu loop end to end: drawing, choice matching, the key wait and quit.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calculator/resonator.h"
#include "screens/summary_panel.h"
#include "console/console.h"
#include "console/us_keyboard.h"
#include "tests/support/console_probe.h"
#include "screen_support.h"

namespace screens::test_support {
namespace {

using Menu = ScreenTest;

// Types the worked example of choice 1 and lays out the screen it leaves,
// on a menu cleared in `clearColor`.
void TypeWorkedExample(console::MemoryConsole& memory) { memory.Type(kWorkedExample.keys); }
void ExpectWorkedExample(ExpectedScreen& screen, int clearColor) {
  ExpectCalculation(screen, clearColor, 60, kWorkedExample);
}

TEST_F(Menu, IsDrawnInColourAndWaitsBehindTheChoicePrompt) {
  const RunOutcome outcome = RunCalculator(console_);
  ASSERT_FALSE(outcome.returned);
  ExpectMenu(expected_, kLightGrey, "", /*entered=*/false);
  CompareScreens();
  // Typing starts at row 14, column 28, right behind "Choice ?".
  EXPECT_EQ(memory_.cursor().row, 13);
  EXPECT_EQ(memory_.cursor().column, 27);
  EXPECT_EQ(console::ConsoleProbe::Record(console_).foreground, console::Color::kYellow);
  EXPECT_EQ(console::ConsoleProbe::Record(console_).background, console::Color::kBlack);
}

class UnmatchedChoice : public ScreenTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnmatchedChoice, WritesNothingAndWaitsForAKey) {
  const std::string typed = GetParam();
  memory_.Type(typed + "\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kLightGrey, typed);
  CompareScreens();
  // The dialogue colour is set even when no screen follows.
  EXPECT_EQ(console::ConsoleProbe::Record(console_).foreground, console::Color::kLightCyan);
}

// Only the exact one-character texts "1" to "8" and "*" are choices.
INSTANTIATE_TEST_SUITE_P(Texts, UnmatchedChoice,
                         ::testing::Values("", " 1", "1 ", "01", "1.", "+1", "0", "9", "12", "a", "**", " *", "quit"));

TEST_F(Menu, StarQuitsAtOnceLeavingTheMenuOnScreen) {
  memory_.Type("*\r");
  const RunOutcome outcome = RunCalculator(console_);
  ASSERT_TRUE(outcome.returned);
  EXPECT_EQ(outcome.exitCode, 0);
  ExpectMenu(expected_, kLightGrey, "*");
  CompareScreens();
}

TEST_F(Menu, StarAfterACalculationQuitsFromTheRedrawnMenu) {
  TypeWorkedExample(memory_);
  memory_.Type("x*\r");
  const RunOutcome outcome = RunCalculator(console_);
  ASSERT_TRUE(outcome.returned);
  EXPECT_EQ(outcome.exitCode, 0);
  // The menu is cleared in the panel's yellow; the key "x" is no part of the choice.
  ExpectMenu(expected_, kYellow, "*");
  CompareScreens();
}

TEST_F(Menu, KeyReleasesAndLoneModifiersDoNotEndTheWait) {
  TypeWorkedExample(memory_);
  console::InputRecord release;
  release.keyDown = false;
  release.character = 'x';
  release.scanCode = console::UsKeyForAscii('x').scanCode;
  memory_.Push(release);
  console::InputRecord focus;
  focus.kind = console::InputKind::kFocus;
  memory_.Push(focus);
  for (const std::uint16_t modifier :
       {console::kScanLeftShift, console::kScanRightShift, console::kScanCtrl, console::kScanAlt,
        console::kScanCapsLock, console::kScanNumLock, console::kScanScrollLock}) {
    memory_.PressScanCode(modifier);
  }
  RunWaitingForKey();
  ExpectWorkedExample(expected_, kLightGrey);
  CompareScreens();
}

struct EndingKey {
  const char* name;
  std::string typed;       // typed as text, or
  std::uint16_t scanCode;  // pressed as a key without a character
};

void PrintTo(const EndingKey& key, std::ostream* os) { *os << key.name; }

class KeyWait : public ScreenTest, public ::testing::WithParamInterface<EndingKey> {};

TEST_P(KeyWait, AnyKeyWithAKeyTextRedrawsTheMenu) {
  TypeWorkedExample(memory_);
  memory_.PressScanCode(console::kScanLeftShift);
  if (GetParam().typed.empty()) {
    memory_.PressScanCode(GetParam().scanCode);
  } else {
    memory_.Type(GetParam().typed);
  }
  RunWaitingForKey();
  // A fresh menu on a screen cleared in yellow, nothing of the calculation
  // left, and the key taken by the wait rather than by the next choice.
  ExpectMenu(expected_, kYellow, "", /*entered=*/false);
  CompareScreens();
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyWait,
                         ::testing::Values(EndingKey{"letter", "x", 0}, EndingKey{"digit", "1", 0},
                                           EndingKey{"enter", "\r", 0}, EndingKey{"escape", "\x1b", 0},
                                           EndingKey{"ctrl_c", "\x03", 0}, EndingKey{"backspace", "\b", 0},
                                           EndingKey{"f1", "", console::kScanF1},
                                           EndingKey{"arrow", "", console::kScanUp}));

TEST_F(Menu, SecondCalculationStartsFromAClearedScreen) {
  TypeWorkedExample(memory_);
  memory_.Type("x5\r1000\r4\r1\r");
  RunWaitingForKey();
  ExpectMenu(expected_, kYellow, "5");
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

// The thickness floor, by difference: where it applies, typing -5 must give
// the same results and panel as typing 0; in choice 1 it must not.
struct FloorCase {
  const char* choice;
  const char* firstTwo;  // the two answers before the thickness
  bool floored;
};

void PrintTo(const FloorCase& c, std::ostream* os) { *os << "choice " << c.choice; }

class ThicknessFloor : public ::testing::TestWithParam<FloorCase> {};

std::vector<std::string> ResultRows(const std::string& script) {
  console::MemoryConsole memory;
  memory.Type(script);
  RunCalculator(memory);
  std::vector<std::string> rows;
  for (const int row : {18, 19, 20, 21, 58, 59}) rows.push_back(memory.RowText(row - 1));
  return rows;
}

TEST_P(ThicknessFloor, ReplacesOnlyValuesBelowZero) {
  const FloorCase& c = GetParam();
  const std::string start = std::string(c.choice) + "\r" + c.firstTwo;
  const std::vector<std::string> negative = ResultRows(start + "-5\r");
  const std::vector<std::string> zero = ResultRows(start + "0\r");
  if (c.floored) {
    EXPECT_EQ(negative, zero);
  } else {
    EXPECT_NE(negative, zero);
  }
}

INSTANTIATE_TEST_SUITE_P(Choices, ThicknessFloor,
                         ::testing::Values(FloorCase{"1", "1000\r2\r", false}, FloorCase{"2", "220\r2\r", true},
                                           FloorCase{"4", "100\r1000\r", true}, FloorCase{"5", "1000\r4\r", true},
                                           FloorCase{"6", "100\r4\r", true}, FloorCase{"8", "100\r1000\r", true}));

}  // namespace
}  // namespace screens::test_support
