// The calculation screen: the dialogue around one Design.
#include "screens/calculation_screen.h"

#include <cstddef>

#include "screens/screen_lines.h"
#include "calculator/screen_texts.h"
#include "calculator/solve.h"
#include "screens/summary_panel.h"
#include "console/console.h"

namespace screens {
namespace {

void DrawDesign(console::Console& console, const Design& design) {
  WriteQuantity(console, kResultRow, design.result.label, design.result.value, design.result.unit);
  if (!design.resultMessage.empty()) console.PrintText(design.resultMessage);
  if (design.newLineAfterResult) console.PrintNewLine();

  if (design.possible) {
    for (std::size_t i = 0; i < design.checks.size(); ++i) {
      const calculator::ResultLine& check = design.checks[i];
      WriteCheckLine(console, kFirstCheckRow + static_cast<int>(i), check.label, check.value, check.unit);
    }
  } else {
    WriteImpossibleValues(console);
  }
}

}  // namespace

void RunCalculationScreen(console::Console& console, Choice choice, const Constants& constants) {
  Quantities typed;
  const std::array<Quantity, 3> asked = AskedQuantities(choice);
  for (std::size_t i = 0; i < asked.size(); ++i) {
    Field(typed, asked[i]) = AskQuantity(console, kFirstPromptRow + static_cast<int>(i), PromptOf(asked[i]));
  }
  // The screens' own model, which has no fault.
  const Design design =
      std::get<calculator::Solution>(calculator::SolveProblem({choice, typed, calculator::PortModel(), constants}))
          .design;
  DrawDesign(console, design);
  ShowSummaryPanel(console, design.quantities, constants);
}

}  // namespace screens
