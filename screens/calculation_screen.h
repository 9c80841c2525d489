// The calculation screen that CalculatorMain runs for the choices "1" to "8".
#pragma once

#include "calculator/design.h"
#include "calculator/resonator.h"
#include "console/console.h"

namespace screens {

using calculator::Choice;
using calculator::Constants;

// On `console`, asks for the three quantities of AskedQuantities(choice) on rows 15-17
// (column 10), writes the solved one on row 18, then either the three
// cross-check lines on rows 19-21 or "Impossible values !" on row 19, and
// ends with the summary panel. All of it in the current colour, which
// CalculatorMain has set to light cyan.
void RunCalculationScreen(console::Console& console, Choice choice, const Constants& constants);

}  // namespace screens
