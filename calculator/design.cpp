// The eight calculations. Each solves its family's relation for one quantity,
// tests the four values with the family's plausibility test and, when they
// pass, recomputes the other three from the solved one, in the order
// frequency, volume, thickness, orifice.
#include "calculator/design.h"

#include "calculator/screen_texts.h"

namespace calculator {
namespace {

// The orifice quantity of each family.
Quantity OrificeOf(bool round) { return round ? Quantity::kDiameter : Quantity::kSurface; }

// The family's formula for `quantity`, from the other three quantities of `q`.
float Formula(bool round, Quantity quantity, const Quantities& q, const Constants& k) {
  switch (quantity) {
    case Quantity::kFrequency:
      return round ? FrequencyRound(q.radius, q.thickness, q.volume, k)
                   : FrequencyAny(q.surface, q.thickness, q.volume, k);
    case Quantity::kVolume:
      return round ? VolumeRound(q.radius, q.thickness, q.frequency, k)
                   : VolumeAny(q.surface, q.thickness, q.frequency, k);
    case Quantity::kThickness:
      return round ? ThicknessRound(q.radius, q.volume, q.frequency, k)
                   : ThicknessAny(q.surface, q.volume, q.frequency, k);
    case Quantity::kDiameter: return DiameterRound(q.volume, q.frequency, q.thickness, k);
    case Quantity::kSurface: return SurfaceAny(q.volume, q.frequency, q.thickness, k);
  }
  return 0;
}

ResultLine CheckLine(Quantity quantity, float value) {
  switch (quantity) {
    case Quantity::kFrequency: return {kFrequencyLabel, value, kHertz};
    case Quantity::kVolume: return {kVolumeLabel, value, kCubicCentimetres};
    case Quantity::kThickness: return {kWallThicknessLabel, value, kCentimetres};
    case Quantity::kDiameter: return {kDiameterLabel, value, kCentimetres};
    case Quantity::kSurface: return {kSurfaceLabel, value, kSquareCentimetres};
  }
  return {};
}

// The solved quantity's line differs from its cross-check line in two labels:
// "Volume        =" is two characters shorter, and a solved thickness is the
// "Orifice thickness=".
ResultLine ResultLineOf(Quantity quantity, float value) {
  ResultLine line = CheckLine(quantity, value);
  if (quantity == Quantity::kVolume) line.label = kVolumeResultLabel;
  if (quantity == Quantity::kThickness) line.label = kOrificeThicknessLabel;
  return line;
}

}  // namespace

std::array<Quantity, 3> AskedQuantities(Choice choice) {
  using enum Quantity;
  switch (choice) {
    case Choice::kFrequencyRound: return {kVolume, kDiameter, kThickness};
    case Choice::kVolumeRound: return {kFrequency, kDiameter, kThickness};
    case Choice::kThicknessRound: return {kFrequency, kVolume, kDiameter};
    case Choice::kDiameterRound: return {kFrequency, kVolume, kThickness};
    case Choice::kFrequencyAny: return {kVolume, kSurface, kThickness};
    case Choice::kVolumeAny: return {kFrequency, kSurface, kThickness};
    case Choice::kThicknessAny: return {kFrequency, kVolume, kSurface};
    case Choice::kSurfaceAny: return {kFrequency, kVolume, kThickness};
  }
  return {};
}

Quantity SolvedQuantity(Choice choice) {
  switch (choice) {
    case Choice::kFrequencyRound:
    case Choice::kFrequencyAny: return Quantity::kFrequency;
    case Choice::kVolumeRound:
    case Choice::kVolumeAny: return Quantity::kVolume;
    case Choice::kThicknessRound:
    case Choice::kThicknessAny: return Quantity::kThickness;
    case Choice::kDiameterRound: return Quantity::kDiameter;
    case Choice::kSurfaceAny: return Quantity::kSurface;
  }
  return Quantity::kFrequency;
}

float& Field(Quantities& quantities, Quantity quantity) {
  switch (quantity) {
    case Quantity::kFrequency: return quantities.frequency;
    case Quantity::kVolume: return quantities.volume;
    case Quantity::kThickness: return quantities.thickness;
    case Quantity::kDiameter: return quantities.diameter;
    case Quantity::kSurface: return quantities.surface;
  }
  return quantities.frequency;
}

float Field(const Quantities& quantities, Quantity quantity) {
  Quantities copy = quantities;
  return Field(copy, quantity);
}

void DeriveRoundOrifice(Quantities& quantities, const Constants& constants) {
  quantities.radius = static_cast<float>(static_cast<long double>(quantities.diameter) / 2);  // -> single
  const long double radius = quantities.radius;
  // r*r is exact in working precision; the product with pi is rounded once.
  quantities.surface = static_cast<float>(radius * radius * static_cast<long double>(constants.pi));  // -> single
}

Design Solve(Choice choice, const Quantities& typed, const Constants& constants, Checks checks) {
  const bool round = IsRound(choice);
  const Quantity solved = SolvedQuantity(choice);
  Design design;
  design.choice = choice;
  Quantities& q = design.quantities;
  q = typed;

  // A typed wall thickness below zero is 0 (0 itself, -0 and NaN stay as
  // typed), except in choice "1", which computes the frequency with it and
  // shows it in the panel.
  if (solved != Quantity::kThickness && choice != Choice::kFrequencyRound && q.thickness < 0) q.thickness = 0;
  // A typed diameter gives the radius and the surface the formulas take; a
  // solved one sets them only once it is computed.
  if (round && solved != Quantity::kDiameter) DeriveRoundOrifice(q, constants);

  const float value = Formula(round, solved, q, constants);
  Field(q, solved) = value;
  if (solved == Quantity::kDiameter) DeriveRoundOrifice(q, constants);
  design.result = ResultLineOf(solved, value);
  // A solved thickness is reported, never clamped: a negative one is marked
  // behind its line (choice "7" then ends the row).
  design.newLineAfterResult = solved != Quantity::kThickness && solved != Quantity::kDiameter;
  if (choice == Choice::kThicknessRound && value < 0) design.resultMessage = kNegativeThicknessRound;
  if (choice == Choice::kDiameterRound && q.radius < 0) design.resultMessage = kNegativeDiameter;
  if (choice == Choice::kThicknessAny && value < 0) {
    design.resultMessage = kNegativeThicknessAny;
    design.newLineAfterResult = true;
  }

  design.possible = round ? ValuesPossibleRound(q.radius, q.volume, q.frequency, constants)
                          : ValuesPossibleAny(q.surface, q.volume, q.frequency, constants);
  if (checks == Checks::kSkipped) return design;
  const std::array<Quantity, 4> family = {Quantity::kFrequency, Quantity::kVolume, Quantity::kThickness,
                                          OrificeOf(round)};
  auto check = design.checks.begin();
  for (const Quantity quantity : family) {
    if (quantity != solved) *check++ = CheckLine(quantity, Formula(round, quantity, q, constants));
  }
  // This one line has its unit one blank further right than the others.
  if (choice == Choice::kVolumeAny) design.checks[2].unit = " cm^2";
  return design;
}

}  // namespace calculator
