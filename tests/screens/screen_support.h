// Support for the end-to-end tests of the calculator on the in-memory console:
// running CalculatorMain on a script, and building the screen it must leave.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "console/console.h"
#include "console/platform.h"
#include "tests/support/expected_screen.h"
#include "tests/support/memory_console.h"

namespace screens::test_support {

// Palette indices the dialogue uses.
inline constexpr int kLightGreen = 10;
inline constexpr int kLightCyan = 11;
inline constexpr int kLightRed = 12;
inline constexpr int kLightMagenta = 13;
inline constexpr int kYellow = 14;
inline constexpr int kLightGrey = 7;

// How a run of CalculatorMain ended: it returned (the user quit), or it was
// stopped because it waited for input that the script no longer had.
struct RunOutcome {
  bool returned = false;
  int exitCode = -1;
};

// Runs CalculatorMain on `console` (or on a fresh console over `memory`)
// until it returns or the script runs out.
RunOutcome RunCalculator(console::Console& console);
RunOutcome RunCalculator(console::MemoryConsole& memory);

using console::ExpectedScreen;

// The menu as drawn on a screen cleared in `clearColor`, with `typed` echoed
// behind "Choice ?"; `entered` adds the Enter's new line.
void ExpectMenu(ExpectedScreen& screen, int clearColor, std::string_view typed, bool entered = true);

// A prompt at column 10 of `row` with the typed answer behind it and Enter.
void ExpectPrompt(ExpectedScreen& screen, int row, std::string_view prompt, std::string_view typed);

// A result line at column 10: label, number text, unit (and any message).
void ExpectLine(ExpectedScreen& screen, int row, std::string_view text);

// The summary panel on rows height-2 and height-1, drawn after a screen in
// light cyan: the seven value texts (unit included) at their columns.
void ExpectPanel(ExpectedScreen& screen, int height, const std::array<std::string, 7>& values);

// One calculation screen: the keys typed (the choice and three answers, each
// with Enter), the three prompts asked, the rows written from row 18 on, and
// the panel's seven values.
struct CalculationCase {
  const char* name;
  std::string keys;
  std::array<std::string_view, 3> prompts;
  std::vector<std::string> lines;
  std::array<std::string, 7> panel;
};
// A case is shown by its name, in test listings and failures.
inline void PrintTo(const CalculationCase& calculation, std::ostream* out) { *out << calculation.name; }
// The screen `calculation` leaves on a menu cleared in `clearColor`, on a
// screen of `height` rows.
void ExpectCalculation(ExpectedScreen& screen, int clearColor, int height, const CalculationCase& calculation);
// Choice "1" on the worked example of the documentation.
inline const CalculationCase kWorkedExample = {"RoundFrequencyWorkedExample",
                                               "1\r1000\r2\r1\r",
                                               {"Volume (cc) ?", "Orifice diameter (cm)", "Wall thickness (cm)"},
                                               {"Frequency       = 220.8396 Hz", "Volume          = 1000 cm^3",
                                                "Wall thickness  = 1 cm", "Orifice diameter= 2 cm"},
                                               {"221Hz", "1000.cc", "3.1cm^2", "2.cm", "1.8cm", "10mm", "0.6"}};

// An infinity through a print mask: nineteen 9s, then zeros up to 999 digits.
inline const std::string kInfinityDigits = std::string(19, '9') + std::string(980, '0');

// Fixture for whole-screen tests: a MemoryConsole that starts at 80 x 25, so
// the calculator's own sizing to 80 x 60 is part of every run, and the 60-row
// screen the test expects.
class ScreenTest : public ::testing::Test {
 protected:
  // Runs the script up to the key wait after the calculation.
  void RunWaitingForKey();
  // Text, colours and cursor of the console against the expected screen.
  void CompareScreens();

  console::MemoryConsole memory_;
  console::Console console_{memory_};
  ExpectedScreen expected_;
};

}  // namespace screens::test_support
