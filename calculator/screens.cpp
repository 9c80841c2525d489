// The calculation screen: the dialogue around one Design.
#include "calculator/screens.h"

#include <cstddef>

#include "calculator/screen_lines.h"
#include "calculator/screen_texts.h"
#include "calculator/summary_panel.h"
#include "console/console.h"

namespace calculator {
namespace {

void DrawDesign(const Design& design) {
  WriteQuantity(kResultRow, design.result.label, design.result.value, design.result.unit);
  if (!design.resultMessage.empty()) WriteBehind(design.resultMessage);
  if (design.newLineAfterResult) console::PrintNewLine();

  if (design.possible) {
    for (std::size_t i = 0; i < design.checks.size(); ++i) {
      const ResultLine& check = design.checks[i];
      WriteCheckLine(kFirstCheckRow + static_cast<int>(i), check.label, check.value, check.unit);
    }
  } else {
    WriteImpossibleValues();
  }
}

}  // namespace

void RunCalculationScreen(Choice choice, const Constants& constants) {
  Quantities typed;
  const std::array<Quantity, 3> asked = AskedQuantities(choice);
  for (std::size_t i = 0; i < asked.size(); ++i) {
    Field(typed, asked[i]) = AskQuantity(kFirstPromptRow + static_cast<int>(i), PromptOf(asked[i]));
  }
  const Design design = Solve(choice, typed, constants);
  DrawDesign(design);
  ShowSummaryPanel(design.quantities, constants);
}

}  // namespace calculator
