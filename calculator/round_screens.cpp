// Choices "1" to "4": a round orifice, described by its diameter. The
// formulas take the radius, which DeriveRoundOrifice keeps with the surface
// the summary panel needs.
#include "calculator/resonator.h"
#include "calculator/screen_lines.h"
#include "calculator/screens.h"
#include "calculator/summary_panel.h"
#include "console/console.h"

namespace calculator {

void FrequencyRoundScreen(Quantities& q) {
  q.volume = AskQuantity(kFirstPromptRow, kVolumePrompt);
  q.diameter = AskQuantity(kSecondPromptRow, kDiameterPrompt);
  DeriveRoundOrifice(q);
  // The one screen that keeps a negative thickness: the frequency is computed
  // with it and the panel shows it.
  q.thickness = AskQuantity(kThirdPromptRow, kThicknessPrompt);

  q.frequency = FrequencyRound(q.radius, q.thickness, q.volume);
  WriteQuantity(kResultRow, kFrequencyLabel, q.frequency, kHertz);
  console::PrintNewLine();

  if (ValuesPossibleRound(q.radius, q.volume, q.frequency) != 0) {
    WriteCheckLine(kFirstCheckRow, kVolumeLabel, VolumeRound(q.radius, q.thickness, q.frequency),
                   kCubicCentimetres);
    WriteCheckLine(kSecondCheckRow, kWallThicknessLabel,
                   ThicknessRound(q.radius, q.volume, q.frequency), kCentimetres);
    WriteCheckLine(kThirdCheckRow, kDiameterLabel, DiameterRound(q.volume, q.frequency, q.thickness),
                   kCentimetres);
  } else {
    WriteImpossibleValues();
  }
  ShowSummaryPanel(q.frequency, q.volume, q.surface, q.thickness);
}

void VolumeRoundScreen(Quantities& q) {
  q.frequency = AskQuantity(kFirstPromptRow, kFrequencyPrompt);
  q.diameter = AskQuantity(kSecondPromptRow, kDiameterPrompt);
  DeriveRoundOrifice(q);
  q.thickness = AskFlooredThickness(kThirdPromptRow);

  q.volume = VolumeRound(q.radius, q.thickness, q.frequency);
  WriteQuantity(kResultRow, kVolumeResultLabel, q.volume, kCubicCentimetres);
  console::PrintNewLine();

  if (ValuesPossibleRound(q.radius, q.volume, q.frequency) != 0) {
    WriteCheckLine(kFirstCheckRow, kFrequencyLabel, FrequencyRound(q.radius, q.thickness, q.volume),
                   kHertz);
    WriteCheckLine(kSecondCheckRow, kWallThicknessLabel,
                   ThicknessRound(q.radius, q.volume, q.frequency), kCentimetres);
    WriteCheckLine(kThirdCheckRow, kDiameterLabel, DiameterRound(q.volume, q.frequency, q.thickness),
                   kCentimetres);
  } else {
    WriteImpossibleValues();
  }
  ShowSummaryPanel(q.frequency, q.volume, q.surface, q.thickness);
}

void ThicknessRoundScreen(Quantities& q) {
  q.frequency = AskQuantity(kFirstPromptRow, kFrequencyPrompt);
  q.volume = AskQuantity(kSecondPromptRow, kVolumePrompt);
  q.diameter = AskQuantity(kThirdPromptRow, kDiameterPrompt);
  DeriveRoundOrifice(q);

  // A computed thickness is reported, never clamped.
  q.thickness = ThicknessRound(q.radius, q.volume, q.frequency);
  WriteQuantity(kResultRow, kOrificeThicknessLabel, q.thickness, kCentimetres);
  if (q.thickness < 0) WriteBehind("Impossible values!!!");

  if (ValuesPossibleRound(q.radius, q.volume, q.frequency) != 0) {
    WriteCheckLine(kFirstCheckRow, kFrequencyLabel, FrequencyRound(q.radius, q.thickness, q.volume),
                   kHertz);
    WriteCheckLine(kSecondCheckRow, kVolumeLabel, VolumeRound(q.radius, q.thickness, q.frequency),
                   kCubicCentimetres);
    WriteCheckLine(kThirdCheckRow, kDiameterLabel, DiameterRound(q.volume, q.frequency, q.thickness),
                   kCentimetres);
  } else {
    WriteImpossibleValues();
  }
  ShowSummaryPanel(q.frequency, q.volume, q.surface, q.thickness);
}

void DiameterRoundScreen(Quantities& q) {
  q.frequency = AskQuantity(kFirstPromptRow, kFrequencyPrompt);
  q.volume = AskQuantity(kSecondPromptRow, kVolumePrompt);
  q.thickness = AskFlooredThickness(kThirdPromptRow);

  q.diameter = DiameterRound(q.volume, q.frequency, q.thickness);
  WriteQuantity(kResultRow, kDiameterLabel, q.diameter, kCentimetres);
  // Radius and surface follow the computed diameter only once it is shown.
  DeriveRoundOrifice(q);
  if (q.radius < 0) WriteBehind("Impossible value for diameter");

  if (ValuesPossibleRound(q.radius, q.volume, q.frequency) != 0) {
    WriteCheckLine(kFirstCheckRow, kFrequencyLabel, FrequencyRound(q.radius, q.thickness, q.volume),
                   kHertz);
    WriteCheckLine(kSecondCheckRow, kVolumeLabel, VolumeRound(q.radius, q.thickness, q.frequency),
                   kCubicCentimetres);
    WriteCheckLine(kThirdCheckRow, kWallThicknessLabel,
                   ThicknessRound(q.radius, q.volume, q.frequency), kCentimetres);
  } else {
    WriteImpossibleValues();
  }
  ShowSummaryPanel(q.frequency, q.volume, q.surface, q.thickness);
}

}  // namespace calculator
