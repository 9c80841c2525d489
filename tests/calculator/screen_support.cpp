#include "screen_support.h"

#include "calculator/calculator.h"
#include "console/console.h"

namespace calculator::test_support {
namespace {

constexpr console::CharCell kDefaultBlank{' ', 0x07};

std::string TrimRight(std::string text, char blank) {
  text.erase(text.find_last_not_of(blank) + 1);
  return text;
}

std::string JoinRows(const std::vector<std::string>& rows) {
  std::size_t used = rows.size();
  while (used > 0 && rows[used - 1].empty()) --used;
  std::string all;
  for (std::size_t i = 0; i < used; ++i) all += rows[i] + '\n';
  return all;
}

}  // namespace

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

ExpectedScreen::ExpectedScreen(int rows, int columns)
    : rows_(rows), columns_(columns), cells_(static_cast<std::size_t>(rows * columns), kDefaultBlank) {}

void ExpectedScreen::Clear(int color) {
  for (auto& cell : cells_) cell = {' ', static_cast<std::uint8_t>(color)};
  Locate(1, 1);
}

void ExpectedScreen::Locate(int row, int column) {
  row_ = row - 1;
  column_ = column - 1;
  scrollPending_ = false;
}

void ExpectedScreen::ScrollUp(int color) {
  for (int r = 0; r + 1 < rows_; ++r) {
    for (int c = 0; c < columns_; ++c) {
      cells_[static_cast<std::size_t>(r * columns_ + c)] = cells_[static_cast<std::size_t>((r + 1) * columns_ + c)];
    }
  }
  for (int c = 0; c < columns_; ++c) {
    cells_[static_cast<std::size_t>((rows_ - 1) * columns_ + c)] = {' ', static_cast<std::uint8_t>(color)};
  }
}

void ExpectedScreen::Write(std::string_view text, int color) {
  for (const char character : text) {
    if (scrollPending_) {
      scrollPending_ = false;
      ScrollUp(color);
    }
    cells_[static_cast<std::size_t>(row_ * columns_ + column_)] = {static_cast<std::uint8_t>(character),
                                                                   static_cast<std::uint8_t>(color)};
    if (++column_ == columns_) {
      column_ = 0;
      if (row_ == rows_ - 1) {
        scrollPending_ = true;
      } else {
        ++row_;
      }
    }
  }
}

void ExpectedScreen::NewLine(int color) {
  if (row_ < rows_ - 1) {
    ++row_;
  } else {
    if (scrollPending_) ScrollUp(color);
    ScrollUp(color);
  }
  column_ = 0;
  scrollPending_ = false;
}

std::string ExpectedScreen::Text() const {
  std::vector<std::string> rows;
  for (int r = 0; r < rows_; ++r) {
    std::string row;
    for (int c = 0; c < columns_; ++c) row += static_cast<char>(cells_[static_cast<std::size_t>(r * columns_ + c)].character);
    rows.push_back(TrimRight(row, ' '));
  }
  return JoinRows(rows);
}

std::string ExpectedScreen::Colors() const {
  static constexpr char kHex[] = "0123456789abcdef";
  std::vector<std::string> rows;
  for (int r = 0; r < rows_; ++r) {
    std::string row;
    for (int c = 0; c < columns_; ++c) {
      const console::CharCell cell = cells_[static_cast<std::size_t>(r * columns_ + c)];
      row += cell == kDefaultBlank ? '.' : kHex[cell.attribute & 0x0F];
    }
    rows.push_back(TrimRight(row, '.'));
  }
  return JoinRows(rows);
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
  static constexpr std::array<std::string_view, 7> kLabels = {
      "Frequency:", "Volume:", "Orifice:", "diameter", "square: ", "Thickness", "Q-Factor:"};
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

}  // namespace calculator::test_support
