// helmholtz: answers the command line, or runs the calculator in the
// terminal's process frame.
#include <memory>
#include <span>

#include "app/command_line.h"
#include "screens/calculator_main.h"
#include "console/session.h"

int main(int argc, char** argv) {
  const std::span<const char* const> arguments(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0));
  const app::CommandLine commandLine = app::ParseCommandLine(arguments);
  if (commandLine.action != app::Action::kRunCalculator) return app::RunCommandLine(commandLine, arguments);
  const std::unique_ptr<console::Session> session = console::Session::Open();
  if (!session) return 255;
  return screens::CalculatorMain(session->console());
}
