// The Helmholtz resonator calculator: the main routine with its menu loop.
#pragma once

namespace calculator {

// Runs the whole dialogue on the console until the user types "*"; returns 0.
// Sets the shared constants and sizes the console to 80 x 60, then repeats:
// read the row count there really is as ScreenHeight, clear, draw the menu,
// read a choice, run its calculation screen, wait for any key.
int CalculatorMain();

}  // namespace calculator
