// Choices "5" to "8": an orifice of any shape, described by its surface. The
// diameter and radius of the round screens are left as they were.
#include "calculator/resonator.h"
#include "calculator/screen_lines.h"
#include "calculator/screens.h"
#include "calculator/summary_panel.h"
#include "console/console.h"

namespace calculator {

void FrequencyAnyScreen(Quantities& q) {
  q.volume = AskQuantity(kFirstPromptRow, kVolumePrompt);
  q.surface = AskQuantity(kSecondPromptRow, kSurfacePrompt);
  q.thickness = AskFlooredThickness(kThirdPromptRow);

  q.frequency = FrequencyAny(q.surface, q.thickness, q.volume);
  WriteQuantity(kResultRow, kFrequencyLabel, q.frequency, kHertz);
  console::PrintNewLine();

  if (ValuesPossibleAny(q.surface, q.volume, q.frequency) != 0) {
    WriteCheckLine(kFirstCheckRow, kVolumeLabel, VolumeAny(q.surface, q.thickness, q.frequency),
                   kCubicCentimetres);
    WriteCheckLine(kSecondCheckRow, kWallThicknessLabel,
                   ThicknessAny(q.surface, q.volume, q.frequency), kCentimetres);
    WriteCheckLine(kThirdCheckRow, kSurfaceLabel, SurfaceAny(q.volume, q.frequency, q.thickness),
                   kSquareCentimetres);
  } else {
    WriteImpossibleValues();
  }
  ShowSummaryPanel(q.frequency, q.volume, q.surface, q.thickness);
}

void VolumeAnyScreen(Quantities& q) {
  q.frequency = AskQuantity(kFirstPromptRow, kFrequencyPrompt);
  q.surface = AskQuantity(kSecondPromptRow, kSurfacePrompt);
  q.thickness = AskFlooredThickness(kThirdPromptRow);

  q.volume = VolumeAny(q.surface, q.thickness, q.frequency);
  WriteQuantity(kResultRow, kVolumeResultLabel, q.volume, kCubicCentimetres);
  console::PrintNewLine();

  if (ValuesPossibleAny(q.surface, q.volume, q.frequency) != 0) {
    WriteCheckLine(kFirstCheckRow, kFrequencyLabel, FrequencyAny(q.surface, q.thickness, q.volume),
                   kHertz);
    WriteCheckLine(kSecondCheckRow, kWallThicknessLabel,
                   ThicknessAny(q.surface, q.volume, q.frequency), kCentimetres);
    // This one line has its unit one blank further right than the others.
    WriteCheckLine(kThirdCheckRow, kSurfaceLabel, SurfaceAny(q.volume, q.frequency, q.thickness),
                   " cm^2");
  } else {
    WriteImpossibleValues();
  }
  ShowSummaryPanel(q.frequency, q.volume, q.surface, q.thickness);
}

void ThicknessAnyScreen(Quantities& q) {
  q.frequency = AskQuantity(kFirstPromptRow, kFrequencyPrompt);
  q.volume = AskQuantity(kSecondPromptRow, kVolumePrompt);
  q.surface = AskQuantity(kThirdPromptRow, kSurfacePrompt);

  // A computed thickness is reported, never clamped.
  q.thickness = ThicknessAny(q.surface, q.volume, q.frequency);
  WriteQuantity(kResultRow, kOrificeThicknessLabel, q.thickness, kCentimetres);
  if (q.thickness < 0) {
    WriteBehind("  Impossible value!");
    console::PrintNewLine();
  }

  if (ValuesPossibleAny(q.surface, q.volume, q.frequency) != 0) {
    WriteCheckLine(kFirstCheckRow, kFrequencyLabel, FrequencyAny(q.surface, q.thickness, q.volume),
                   kHertz);
    WriteCheckLine(kSecondCheckRow, kVolumeLabel, VolumeAny(q.surface, q.thickness, q.frequency),
                   kCubicCentimetres);
    WriteCheckLine(kThirdCheckRow, kSurfaceLabel, SurfaceAny(q.volume, q.frequency, q.thickness),
                   kSquareCentimetres);
  } else {
    WriteImpossibleValues();
  }
  ShowSummaryPanel(q.frequency, q.volume, q.surface, q.thickness);
}

void SurfaceAnyScreen(Quantities& q) {
  q.frequency = AskQuantity(kFirstPromptRow, kFrequencyPrompt);
  q.volume = AskQuantity(kSecondPromptRow, kVolumePrompt);
  q.thickness = AskFlooredThickness(kThirdPromptRow);

  q.surface = SurfaceAny(q.volume, q.frequency, q.thickness);
  WriteQuantity(kResultRow, kSurfaceLabel, q.surface, kSquareCentimetres);
  console::PrintNewLine();

  if (ValuesPossibleAny(q.surface, q.volume, q.frequency) != 0) {
    WriteCheckLine(kFirstCheckRow, kFrequencyLabel, FrequencyAny(q.surface, q.thickness, q.volume),
                   kHertz);
    WriteCheckLine(kSecondCheckRow, kVolumeLabel, VolumeAny(q.surface, q.thickness, q.frequency),
                   kCubicCentimetres);
    WriteCheckLine(kThirdCheckRow, kWallThicknessLabel,
                   ThicknessAny(q.surface, q.volume, q.frequency), kCentimetres);
  } else {
    WriteImpossibleValues();
  }
  ShowSummaryPanel(q.frequency, q.volume, q.surface, q.thickness);
}

}  // namespace calculator
