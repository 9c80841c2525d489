#include "app/command_line.h"

#include <cstdio>
#include <ostream>

namespace app {
namespace {

constexpr std::string_view kProgramName = "helmholtz";

Action ActionOf(std::string_view argument) {
  if (argument == "-h" || argument == "--help") return Action::kShowUsage;
  if (argument == "-V" || argument == "--version") return Action::kShowVersion;
  return Action::kRejectArgument;
}

std::string Printable(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      shown += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    }
  }
  return shown;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> arguments) {
  CommandLine commandLine;
  for (const char* argument : arguments) {
    if (ActionOf(argument) == Action::kRejectArgument) {
      return CommandLine{Action::kRejectArgument, argument};
    }
  }
  if (!arguments.empty()) commandLine.action = ActionOf(arguments.front());
  return commandLine;
}

std::string UsageText() {
  return "Usage: helmholtz [-h | --help | -V | --version]\n"
         "\n"
         "A full-screen calculator for Helmholtz resonators. Run without arguments in a\n"
         "terminal, pick one of eight calculations, type three of frequency, volume,\n"
         "wall thickness and orifice size, and read the fourth; '*' quits.\n"
         "\n"
         "  -h, --help     show this text and exit\n"
         "  -V, --version  show the version and exit\n"
         "\n"
         "Exit status: 0 after '*' (and for --help, --version), 1 when this text\n"
         "cannot be written, 2 for a bad argument, 255 when no terminal can be used.\n"
         "More in the manual: man helmholtz\n";
}

std::string VersionText() { return std::string(kProgramName) + " " + HELMHOLTZ_VERSION + "\n"; }

std::string RejectionText(std::string_view argument) {
  return std::string(kProgramName) + ": unknown argument '" + Printable(argument) + "'; see 'helmholtz --help'\n";
}

int Answer(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
  switch (commandLine.action) {
    case Action::kShowUsage: out << UsageText(); break;
    case Action::kShowVersion: out << VersionText(); break;
    case Action::kRejectArgument: err << RejectionText(commandLine.badArgument); return kExitBadArgument;
    case Action::kRunCalculator: break;
  }
  out.flush();
  // A usage or version text that never arrived (a full disk, a closed pipe)
  // is no success.
  if (!out) {
    err << kProgramName << ": cannot write to standard output\n";
    return kExitWriteFailed;
  }
  return 0;
}

}  // namespace app
