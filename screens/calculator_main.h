// The Helmholtz resonator calculator: the main routine with its menu loop.
#pragma once

#include "console/console.h"

namespace screens {

// Runs the whole dialogue on `console` until the user types "*"; returns 0.
// Makes the constants and sizes the console to 80 x 60, then repeats: clear,
// draw the menu, read a choice, run its calculation screen, wait for any key.
int CalculatorMain(console::Console& console);

}  // namespace screens
