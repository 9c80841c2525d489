// helmholtz: wires the console's process frame around the calculator.
#include "calculator/calculator.h"
#include "console/console.h"

int main() {
  // The command line plays no part: there is nothing to configure.
  if (!console::StartUp()) return 255;
  const int exitCode = calculator::CalculatorMain();
  console::ShutDown();
  return exitCode;
}
