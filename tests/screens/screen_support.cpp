#include "screen_support.h"

#include "screens/calculator_main.h"
#include "console/console.h"

namespace screens::test_support {

RunOutcome RunCalculator(console::MemoryConsole& memory) {
  console::Console console(memory);
  return RunCalculator(console);
}

RunOutcome RunCalculator(console::Console& console) {
  RunOutcome outcome;
  try {
    outcome.exitCode = CalculatorMain(console);
    outcome.returned = true;
  } catch (const console::InputExhausted&) {
    outcome.returned = false;
  }
  return outcome;
}

void ExpectMenu(ExpectedScreen& screen, int clearColor, std::string_view typed, bool entered) {
  screen.Clear(clearColor);
  screen.Put(1, 10, "Helmholtz Resonator Calculation Utility", kLightRed);
  screen.Put(2, 10, "=======================================", kLightRed);
  screen.Put(4, 10, "1.- Calculate resonant frequency for round orifice", kLightGreen);
  screen.Put(5, 10, "2.- Calculate volume for round orifice", kLightGreen);
  screen.Put(6, 10, "3.- Calculate round orifice thickness", kLightGreen);
  screen.Put(7, 10, "4.- Calculate round orifice diameter", kLightGreen);
  screen.Put(8, 10, "5.- Calculate resonant frequency for any orifice", kLightGreen);
  screen.Put(9, 10, "6.- Calculate volume for any orifice", kLightGreen);
  screen.Put(10, 10, "7.- Calculate orifice thickness", kLightGreen);
  screen.Put(11, 10, "8.- Calculate orifice surface", kLightGreen);
  screen.Put(12, 10, "*.- QUIT", kLightGreen);
  screen.Put(14, 20, "Choice ?", kYellow);
  screen.Write(typed, kYellow);
  if (entered) screen.NewLine(kYellow);
}

void ExpectPrompt(ExpectedScreen& screen, int row, std::string_view prompt, std::string_view typed) {
  screen.Put(row, 10, prompt, kLightCyan);
  screen.Write(typed, kLightCyan);
  screen.NewLine(kLightCyan);
}

void ExpectLine(ExpectedScreen& screen, int row, std::string_view text) { screen.Put(row, 10, text, kLightCyan); }

void ExpectPanel(ExpectedScreen& screen, int height, const std::array<std::string, 7>& values) {
  static constexpr std::array<int, 7> kColumns = {5, 17, 28, 37, 46, 55, 67};
  static constexpr std::array<std::string_view, 7> kLabels = {"Frequency:", "Volume:",   "Orifice:", "diameter",
                                                              "square: ",   "Thickness", "Q-Factor:"};
  const std::string blankRow(80, ' ');
  screen.Put(height - 2, 1, blankRow, kLightCyan);
  screen.Put(height - 1, 1, blankRow, kLightCyan);
  for (std::size_t i = 0; i < kLabels.size(); ++i) screen.Put(height - 2, kColumns[i], kLabels[i], kLightMagenta);
  for (std::size_t i = 0; i < values.size(); ++i) screen.Put(height - 1, kColumns[i], values[i], kYellow);
}

void ExpectCalculation(ExpectedScreen& screen, int clearColor, int height, const CalculationCase& calculation) {
  // The typed texts, in order: the choice, then the three answers.
  std::vector<std::string_view> typed;
  for (std::string_view keys = calculation.keys; !keys.empty();) {
    const std::size_t end = keys.find('\r');
    typed.push_back(keys.substr(0, end));
    keys.remove_prefix(end == std::string_view::npos ? keys.size() : end + 1);
  }
  ExpectMenu(screen, clearColor, typed.at(0));
  for (std::size_t i = 0; i < calculation.prompts.size(); ++i) {
    ExpectPrompt(screen, 15 + static_cast<int>(i), calculation.prompts[i], typed.at(i + 1));
  }
  for (std::size_t i = 0; i < calculation.lines.size(); ++i) {
    ExpectLine(screen, 18 + static_cast<int>(i), calculation.lines[i]);
  }
  ExpectPanel(screen, height, calculation.panel);
}

void ScreenTest::RunWaitingForKey() {
  const RunOutcome outcome = RunCalculator(console_);
  ASSERT_FALSE(outcome.returned);
  EXPECT_EQ(memory_.rows(), 60);
  EXPECT_EQ(memory_.columns(), 80);
  // Every scripted key was used: nothing was left over or read twice.
  EXPECT_EQ(memory_.PendingInput(), 0U);
}

void ScreenTest::CompareScreens() {
  EXPECT_EQ(memory_.Text(), expected_.Text());
  EXPECT_EQ(memory_.Colors(), expected_.Colors());
  EXPECT_EQ(memory_.cursor().row, expected_.cursor().row);
  EXPECT_EQ(memory_.cursor().column, expected_.cursor().column);
}

}  // namespace screens::test_support
