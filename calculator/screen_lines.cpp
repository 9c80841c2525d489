// Shared steps of the calculation screens.
#include "calculator/screen_lines.h"

#include <string>

#include "calculator/resonator.h"
#include "console/console.h"
#include "numtext/numtext.h"

namespace calculator {
namespace {

// The result lines show single-precision values: 7 significant digits.
constexpr int kSingleDigits = 7;

}  // namespace

float AskQuantity(int row, std::string_view prompt) {
  console::Locate(row, kDialogueColumn);
  console::PrintText(std::string(prompt));
  const std::string typed = console::ReadLine();
  return static_cast<float>(numtext::TextToNumber(typed));
}

float AskFlooredThickness(int row) {
  const float thickness = AskQuantity(row, kThicknessPrompt);
  return thickness < 0 ? 0.0F : thickness;
}

void DeriveRoundOrifice(Quantities& quantities) {
  quantities.radius = static_cast<float>(static_cast<long double>(quantities.diameter) / 2);
  const long double radius = quantities.radius;
  // r*r is exact in working precision; the product with pi is rounded once.
  quantities.surface = static_cast<float>(radius * radius * static_cast<long double>(Pi));
}

void WriteQuantity(int row, std::string_view label, float value, std::string_view unit) {
  console::Locate(row, kDialogueColumn);
  console::PrintText(std::string(label));
  console::PrintText(numtext::NumberToText(value, kSingleDigits));
  console::PrintText(std::string(unit));
}

void WriteCheckLine(int row, std::string_view label, float value, std::string_view unit) {
  WriteQuantity(row, label, value, unit);
  console::PrintNewLine();
}

void WriteImpossibleValues() {
  console::Locate(kFirstCheckRow, kDialogueColumn);
  console::PrintText("Impossible values !");
}

void WriteBehind(std::string_view text) { console::PrintText(std::string(text)); }

}  // namespace calculator
