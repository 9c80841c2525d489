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

float AskQuantity(int row, std::string_view prompt) {
  console::Locate(row, kDialogueColumn);
  console::PrintText(std::string(prompt));
  const std::string typed = console::ReadLine();
  return static_cast<float>(numtext::TextToNumber(typed));
}

void WriteQuantity(int row, std::string_view label, float value, std::string_view unit) {
  console::Locate(row, kDialogueColumn);
  console::PrintText(std::string(label));
  console::PrintText(numtext::NumberToText(value, kResultDigits));
  console::PrintText(std::string(unit));
}

void WriteCheckLine(int row, std::string_view label, float value, std::string_view unit) {
  WriteQuantity(row, label, value, unit);
  console::PrintNewLine();
}

void WriteImpossibleValues() {
  console::Locate(kFirstCheckRow, kDialogueColumn);
  console::PrintText(std::string(kImpossibleValues));
}

void WriteBehind(std::string_view text) { console::PrintText(std::string(text)); }

}  // namespace calculator
