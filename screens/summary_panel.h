// The two-row summary strip that closes every calculation screen, drawn.
#pragma once

#include "calculator/panel_figures.h"
#include "calculator/resonator.h"
#include "console/console.h"

namespace screens {

// Reads the console's row count h afresh, blanks rows h-2 and h-1 in
// the current colours, then writes the seven labels (light magenta) on the
// first and the seven values (yellow) under them. Fields are not clipped: a
// long value runs into the next column and is then partly overwritten by the
// next field. Leaves the foreground at 14 and the cursor behind the Q-Factor.
void ShowSummaryPanel(console::Console& console, const calculator::Quantities& quantities,
                      const calculator::Constants& constants);

}  // namespace screens
