// The main routine: start-up and the menu loop.
#include <cstdint>
#include <optional>
#include <string>

#include "calculator/calculator.h"
#include "calculator/design.h"
#include "calculator/resonator.h"
#include "calculator/screens.h"
#include "calculator/summary_panel.h"
#include "console/console.h"

namespace calculator {
namespace {

constexpr std::uint32_t kScreenColumns = 80;
constexpr std::uint32_t kScreenRows = 60;

constexpr std::uint32_t kTitleColor = 12;   // light red
constexpr std::uint32_t kEntryColor = 10;   // light green
constexpr std::uint32_t kChoiceColor = 14;  // yellow
constexpr std::uint32_t kDialogueColor = 11;  // light cyan, for every calculation screen

constexpr int kMenuColumn = 10;
constexpr int kChoiceRow = 14;
constexpr int kChoiceColumn = 20;

void WriteAt(int row, int column, const char* text) {
  console::Locate(row, column);
  console::PrintText(text);
}

void DrawMenu() {
  console::SetColor(kTitleColor, console::kKeepColor);
  WriteAt(1, kMenuColumn, "Helmholtz Resonator Calculation Utility");
  console::PrintNewLine();
  WriteAt(2, kMenuColumn, "=======================================");
  console::PrintNewLine();

  console::SetColor(kEntryColor, console::kKeepColor);
  WriteAt(4, kMenuColumn, "1.- Calculate resonant frequency for round orifice");
  WriteAt(5, kMenuColumn, "2.- Calculate volume for round orifice");
  WriteAt(6, kMenuColumn, "3.- Calculate round orifice thickness");
  WriteAt(7, kMenuColumn, "4.- Calculate round orifice diameter");
  WriteAt(8, kMenuColumn, "5.- Calculate resonant frequency for any orifice");
  WriteAt(9, kMenuColumn, "6.- Calculate volume for any orifice");
  WriteAt(10, kMenuColumn, "7.- Calculate orifice thickness");
  WriteAt(11, kMenuColumn, "8.- Calculate orifice surface");
  WriteAt(12, kMenuColumn, "*.- QUIT");

  console::SetColor(kChoiceColor, console::kKeepColor);
  WriteAt(kChoiceRow, kChoiceColumn, "Choice ?");
}

// Holds the finished screen until a key that gives a key text arrives; key
// releases and lone modifiers give none. AwaitKey blocks instead of spinning.
void WaitForAnyKey() {
  while (console::PollKey().empty()) console::AwaitKey();
}

// The calculation a typed choice names: exactly "1" to "8".
std::optional<Choice> ChoiceOf(const std::string& typed) {
  if (typed.size() != 1 || typed[0] < '1' || typed[0] > '8') return std::nullopt;
  return static_cast<Choice>(typed[0] - '0');
}

}  // namespace

int CalculatorMain() {
  const Constants constants = MakeConstants();
  console::SetScreenSize(kScreenColumns, kScreenRows);

  while (true) {
    // The console may have refused 60 rows, and a terminal window can be
    // resized at any time: each cycle is laid out for the rows there are.
    ScreenHeight = static_cast<std::int16_t>(console::ScreenRows());
    console::ClearScreen();
    DrawMenu();
    const std::string choice = console::ReadLine();
    console::SetColor(kDialogueColor, console::kKeepColor);

    // Exact comparisons: " 1", "01" or "1." are no choice.
    if (choice == "*") return 0;
    if (const std::optional<Choice> calculation = ChoiceOf(choice)) RunCalculationScreen(*calculation, constants);
    WaitForAnyKey();
  }
}

}  // namespace calculator
