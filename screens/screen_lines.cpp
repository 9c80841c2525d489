// Shared steps of the calculation screens.
#include "screens/screen_lines.h"

#include <string>

#include "calculator/screen_texts.h"
#include "console/console.h"
#include "numtext/numtext.h"

namespace screens {

std::string_view PromptOf(Quantity quantity) {
  switch (quantity) {
    case Quantity::kFrequency: return calculator::kFrequencyPrompt;
    case Quantity::kVolume: return calculator::kVolumePrompt;
    case Quantity::kThickness: return calculator::kThicknessPrompt;
    case Quantity::kDiameter: return calculator::kDiameterPrompt;
    case Quantity::kSurface: return calculator::kSurfacePrompt;
  }
  return {};
}

float AskQuantity(console::Console& console, int row, std::string_view prompt) {
  console.Locate(row, kDialogueColumn);
  console.PrintText(prompt);
  const std::string typed = console.ReadLine(prompt);
  return static_cast<float>(numtext::TextToNumber(typed));
}

void WriteQuantity(console::Console& console, int row, std::string_view label, float value, std::string_view unit) {
  console.Locate(row, kDialogueColumn);
  console.PrintText(label);
  console.PrintText(numtext::NumberToText(value, calculator::kResultDigits));
  console.PrintText(unit);
}

void WriteCheckLine(console::Console& console, int row, std::string_view label, float value, std::string_view unit) {
  WriteQuantity(console, row, label, value, unit);
  console.PrintNewLine();
}

void WriteImpossibleValues(console::Console& console) {
  console.Locate(kFirstCheckRow, kDialogueColumn);
  console.PrintText(calculator::kImpossibleValues);
}

}  // namespace screens
