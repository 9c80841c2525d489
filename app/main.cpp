// helmholtz: answers the command line, or runs the calculator in the
// terminal's process frame.
#include <memory>
#include <span>

#include "app/command_line.h"
#include "app/system_text.h"
#include "screens/calculator_main.h"
#include "console/session.h"
#include "console/terminal_colours.h"

int main(int argc, char** argv) {
  const app::ProgramArguments programArguments(argc, argv);
  const std::span<const char* const> arguments = programArguments.AfterName();
  const app::CommandLine commandLine = app::ParseCommandLine(arguments);
  if (commandLine.action != app::Action::kRunCalculator)
    return app::RunCommandLine(commandLine, arguments, console::TerminalHasColours);
  const std::unique_ptr<console::Session> session = console::Session::Open();
  if (!session) return 255;
  return screens::CalculatorMain(session->console());
}
