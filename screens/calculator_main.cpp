// The main routine: start-up and the menu loop.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "screens/calculator_main.h"
#include "calculator/design.h"
#include "calculator/resonator.h"
#include "screens/calculation_screen.h"
#include "screens/summary_panel.h"
#include "console/console.h"

namespace screens {
namespace {

constexpr std::uint32_t kScreenColumns = 80;
constexpr std::uint32_t kScreenRows = 60;

constexpr console::Color kTitleColor = console::Color::kLightRed;
constexpr console::Color kEntryColor = console::Color::kLightGreen;
constexpr console::Color kChoiceColor = console::Color::kYellow;
constexpr console::Color kDialogueColor = console::Color::kLightCyan;  // for every calculation screen

constexpr int kMenuColumn = 10;
constexpr int kChoiceRow = 14;
constexpr int kChoiceColumn = 20;

constexpr char kChoicePrompt[] = "Choice ?";

void WriteAt(console::Console& console, int row, int column, std::string_view text) {
  console.Locate(row, column);
  console.PrintText(text);
}

void DrawMenu(console::Console& console) {
  console.SetColor(kTitleColor, console::kKeepColor);
  WriteAt(console, 1, kMenuColumn, "Helmholtz Resonator Calculation Utility");
  console.PrintNewLine();
  WriteAt(console, 2, kMenuColumn, "=======================================");
  console.PrintNewLine();

  console.SetColor(kEntryColor, console::kKeepColor);
  WriteAt(console, 4, kMenuColumn, "1.- Calculate resonant frequency for round orifice");
  WriteAt(console, 5, kMenuColumn, "2.- Calculate volume for round orifice");
  WriteAt(console, 6, kMenuColumn, "3.- Calculate round orifice thickness");
  WriteAt(console, 7, kMenuColumn, "4.- Calculate round orifice diameter");
  WriteAt(console, 8, kMenuColumn, "5.- Calculate resonant frequency for any orifice");
  WriteAt(console, 9, kMenuColumn, "6.- Calculate volume for any orifice");
  WriteAt(console, 10, kMenuColumn, "7.- Calculate orifice thickness");
  WriteAt(console, 11, kMenuColumn, "8.- Calculate orifice surface");
  WriteAt(console, 12, kMenuColumn, "*.- QUIT");

  console.SetColor(kChoiceColor, console::kKeepColor);
  WriteAt(console, kChoiceRow, kChoiceColumn, kChoicePrompt);
}

// Holds the finished screen until a key that gives a key text arrives; key
// releases and lone modifiers give none. AwaitKey blocks instead of spinning.
void WaitForAnyKey(console::Console& console) {
  while (console.PollKey().empty()) console.AwaitKey();
}

// The calculation a typed choice names: exactly "1" to "8".
std::optional<Choice> ChoiceOf(const std::string& typed) {
  if (typed.size() != 1 || typed[0] < '1' || typed[0] > '8') return std::nullopt;
  return static_cast<Choice>(typed[0] - '0');
}

}  // namespace

int CalculatorMain(console::Console& console) {
  const Constants constants = calculator::MakeConstants();
  console.SetScreenSize(kScreenColumns, kScreenRows);

  while (true) {
    console.ClearScreen();
    DrawMenu(console);
    const std::string choice = console.ReadLine(kChoicePrompt);
    console.SetColor(kDialogueColor, console::kKeepColor);

    // Exact comparisons: " 1", "01" or "1." are no choice.
    if (choice == "*") return 0;
    if (const std::optional<Choice> calculation = ChoiceOf(choice)) {
      RunCalculationScreen(console, *calculation, constants);
    }
    WaitForAnyKey(console);
  }
}

}  // namespace screens
