// The main routine: start-up and the menu loop.
#include <cstdint>
#include <string>

#include "calculator/calculator.h"
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

}  // namespace

int CalculatorMain() {
  ComputeConstants();
  console::SetScreenSize(kScreenColumns, kScreenRows);

  Quantities quantities;
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
    if (choice == "1") {
      FrequencyRoundScreen(quantities);
    } else if (choice == "2") {
      VolumeRoundScreen(quantities);
    } else if (choice == "3") {
      ThicknessRoundScreen(quantities);
    } else if (choice == "4") {
      DiameterRoundScreen(quantities);
    } else if (choice == "5") {
      FrequencyAnyScreen(quantities);
    } else if (choice == "6") {
      VolumeAnyScreen(quantities);
    } else if (choice == "7") {
      ThicknessAnyScreen(quantities);
    } else if (choice == "8") {
      SurfaceAnyScreen(quantities);
    }
    WaitForAnyKey();
  }
}

}  // namespace calculator
