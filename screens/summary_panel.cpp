// The summary panel drawn: labels over values, each at its field's column.
#include "screens/summary_panel.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "console/console.h"

namespace screens {

namespace {

constexpr console::Color kLabelColor = console::Color::kLightMagenta;
constexpr console::Color kValueColor = console::Color::kYellow;

void WriteAt(console::Console& console, int row, int column, std::string_view text) {
  console.Locate(row, column);
  console.PrintText(text);
}

}  // namespace

void ShowSummaryPanel(console::Console& console, const calculator::Quantities& quantities,
                      const calculator::Constants& constants) {
  // The rows there are now, not at start-up: the window may have changed.
  // Held as the 16-bit height the layout was written for.
  const int height = static_cast<std::int16_t>(console.ScreenRows());
  const int labelRow = height - 2;
  const int valueRow = height - 1;

  // Blanked in whatever colours the screen was using, before any colour change.
  WriteAt(console, labelRow, 1, console.Spaces(calculator::kPanelWidth));
  WriteAt(console, valueRow, 1, console.Spaces(calculator::kPanelWidth));

  const std::array<calculator::PanelField, 7> fields = PanelFields(quantities, constants);
  console.SetColor(kLabelColor, console::kKeepColor);
  for (const calculator::PanelField& field : fields) WriteAt(console, labelRow, field.column, field.label);
  console.SetColor(kValueColor, console::kKeepColor);
  for (const calculator::PanelField& field : fields) WriteAt(console, valueRow, field.column, field.value);
}

}  // namespace screens
