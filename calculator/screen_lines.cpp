// Shared steps of the calculation screens.
#include "calculator/screen_lines.h"

#include <string>

#include "calculator/screen_texts.h"
#include "console/console.h"
#include "numtext/numtext.h"

namespace calculator {

std::string_view PromptOf(Quantity quantity) {
  switch (quantity) {
    case Quantity::kFrequency: return kFrequencyPrompt;
    case Quantity::kVolume: return kVolumePrompt;
    case Quantity::kThickness: return kThicknessPrompt;
    case Quantity::kDiameter: return kDiameterPrompt;
    case Quantity::kSurface: return kSurfacePrompt;
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
  console.PrintText(numtext::NumberToText(value, kResultDigits));
  console.PrintText(unit);
}

void WriteCheckLine(console::Console& console, int row, std::string_view label, float value, std::string_view unit) {
  WriteQuantity(console, row, label, value, unit);
  console.PrintNewLine();
}

void WriteImpossibleValues(console::Console& console) {
  console.Locate(kFirstCheckRow, kDialogueColumn);
  console.PrintText(kImpossibleValues);
}

}  // namespace calculator
