// The summary panel. Its masks never pad, so each value starts exactly at its
// column and is only as wide as its digits and unit.
#include "calculator/summary_panel.h"

#include <string>
#include <string_view>
#include <utility>

#include "calculator/resonator.h"
#include "console/console.h"
#include "numtext/numtext.h"

namespace calculator {

std::int16_t ScreenHeight = 0;

namespace {

constexpr int kScreenWidth = 80;
constexpr std::uint32_t kLabelColor = 13;  // light magenta
constexpr std::uint32_t kValueColor = 14;  // yellow

// Field columns, shared by a label and the value under it.
constexpr int kFrequencyColumn = 5;
constexpr int kVolumeColumn = 17;
constexpr int kSurfaceColumn = 28;
constexpr int kDiameterColumn = 37;
constexpr int kSquareColumn = 46;
constexpr int kThicknessColumn = 55;
constexpr int kQualityColumn = 67;

// Millimetres per centimetre, for the thickness field.
constexpr long double kMillimetresPerCentimetre = 10;

void WriteAt(int row, int column, std::string text) {
  console::Locate(row, column);
  console::PrintText(std::move(text));
}

void WriteValue(int row, int column, long double value, std::string_view mask, std::string_view unit) {
  WriteAt(row, column, numtext::FormatWithMask(value, mask) + std::string(unit));
}

}  // namespace

void ShowSummaryPanel(const float& frequency, const float& volume, const float& surface,
                      const float& thickness) {
  // The rows there are now, not at start-up: the window may have changed.
  ScreenHeight = static_cast<std::int16_t>(console::ScreenRows());
  const int labelRow = ScreenHeight - 2;
  const int valueRow = ScreenHeight - 1;

  // Blanked in whatever colours the screen was using, before any colour change.
  WriteAt(labelRow, 1, console::Spaces(kScreenWidth));
  WriteAt(valueRow, 1, console::Spaces(kScreenWidth));

  console::SetColor(kLabelColor, console::kKeepColor);
  WriteAt(labelRow, kFrequencyColumn, "Frequency:");
  WriteAt(labelRow, kVolumeColumn, "Volume:");
  WriteAt(labelRow, kSurfaceColumn, "Orifice:");
  WriteAt(labelRow, kDiameterColumn, "diameter");
  WriteAt(labelRow, kSquareColumn, "square: ");
  WriteAt(labelRow, kThicknessColumn, "Thickness");
  WriteAt(labelRow, kQualityColumn, "Q-Factor:");

  console::SetColor(kValueColor, console::kKeepColor);
  const long double f = frequency;
  const long double s = surface;
  const long double t = thickness;
  const long double c = SoundSpeed;
  const long double pi = Pi;
  const long double rootOfSurface = Power(s, 0.5L);
  // The round and square orifices with the same surface.
  const float diameter = static_cast<float>(2 * Power(s / pi, 0.5L));
  const float side = static_cast<float>(rootOfSurface);
  // Q uses the any-orifice neck length sqrt(S) + t for every calculation.
  const float qNumerator = static_cast<float>((rootOfSurface + t) * c);
  const float qDenominator = static_cast<float>(Power(f, 2) * s);
  const long double quality = static_cast<long double>(qNumerator) / qDenominator;

  WriteValue(valueRow, kFrequencyColumn, f, "#####", "Hz");
  WriteValue(valueRow, kVolumeColumn, volume, "#####.#", "cc");
  WriteValue(valueRow, kSurfaceColumn, s, "##.#", "cm^2");
  WriteValue(valueRow, kDiameterColumn, diameter, "##.#", "cm");
  WriteValue(valueRow, kSquareColumn, side, "##.#", "cm");
  WriteValue(valueRow, kThicknessColumn, kMillimetresPerCentimetre * t, "####", "mm");
  WriteValue(valueRow, kQualityColumn, quality, "###.#", "");
}

}  // namespace calculator
