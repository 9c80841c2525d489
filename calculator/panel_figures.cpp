// The summary panel's figures. Its masks never pad, so each value starts
// exactly at its column and is only as wide as its digits and unit.
#include "calculator/panel_figures.h"

#include <string>
#include <string_view>

#include "numtext/numtext.h"

namespace calculator {

namespace {

// Millimetres per centimetre, for the thickness field.
constexpr long double kMillimetresPerCentimetre = 10;

std::string Masked(long double value, std::string_view mask, std::string_view unit) {
  return numtext::FormatWithMask(value, mask) + std::string(unit);
}

}  // namespace

PanelFigures ComputePanelFigures(const Quantities& quantities, const Constants& constants) {
  const long double f = quantities.frequency;
  const long double s = quantities.surface;
  const long double t = quantities.thickness;
  const long double c = constants.soundSpeed;
  const long double pi = constants.pi;
  const long double rootOfSurface = Power(s, 0.5L);
  PanelFigures figures;
  figures.diameter = static_cast<float>(2 * Power(s / pi, 0.5L));  // -> single
  figures.side = static_cast<float>(rootOfSurface);                // -> single
  figures.thicknessMillimetres = kMillimetresPerCentimetre * t;
  // Q uses the any-orifice neck length sqrt(S) + t for every calculation.
  const float qNumerator = static_cast<float>((rootOfSurface + t) * c);  // -> single
  const float qDenominator = static_cast<float>(Power(f, 2) * s);        // -> single
  figures.quality = static_cast<long double>(qNumerator) / qDenominator;
  return figures;
}

std::array<PanelField, 7> PanelFields(const Quantities& quantities, const Constants& constants) {
  const PanelFigures figures = ComputePanelFigures(quantities, constants);
  return {PanelField{5, "Frequency:", Masked(quantities.frequency, "#####", "Hz")},
          PanelField{17, "Volume:", Masked(quantities.volume, "#####.#", "cc")},
          PanelField{28, "Orifice:", Masked(quantities.surface, "##.#", "cm^2")},
          PanelField{37, "diameter", Masked(figures.diameter, "##.#", "cm")},
          PanelField{46, "square: ", Masked(figures.side, "##.#", "cm")},
          PanelField{55, "Thickness", Masked(figures.thicknessMillimetres, "####", "mm")},
          PanelField{67, "Q-Factor:", Masked(figures.quality, "###.#", "")}};
}

}  // namespace calculator
