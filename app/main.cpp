// helmholtz: answers the command line, or wires the console's process frame
// around the calculator.
#include <span>

#include "app/command_line.h"
#include "calculator/calculator.h"
#include "console/console.h"

int main(int argc, char** argv) {
  const std::span<const char* const> arguments(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0));
  const app::CommandLine commandLine = app::ParseCommandLine(arguments);
  if (commandLine.action != app::Action::kRunCalculator) return app::RunCommandLine(commandLine, arguments);
  if (!console::StartUp()) return 255;
  const int exitCode = calculator::CalculatorMain();
  console::ShutDown();
  return exitCode;
}
