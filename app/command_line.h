// The command line: what the arguments ask for, and the texts that answer
// --help, --version and a bad argument. Kept apart from main() so that every
// answer can be checked without starting the program; none of them needs a
// terminal.
//
//   helmholtz               -> kRunCalculator
//   helmholtz --version     -> kShowVersion: "helmholtz 1.0.0\n" on stdout, exit 0
//   helmholtz -x            -> kRejectArgument: one line on stderr, exit 2
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace app {

enum class Action { kRunCalculator, kShowUsage, kShowVersion, kRejectArgument };

struct CommandLine {
  Action action = Action::kRunCalculator;
  std::string badArgument;  // the first argument not understood, for kRejectArgument
};

// Exit code for a command line that is not understood.
inline constexpr int kExitBadArgument = 2;
// Exit code when the answer to --help or --version cannot be written.
inline constexpr int kExitWriteFailed = 1;

// `arguments` without the program name. -h/--help and -V/--version are the
// only arguments understood; the first argument that is none of them is
// rejected, wherever it stands. Otherwise the first argument decides.
CommandLine ParseCommandLine(std::span<const char* const> arguments);

std::string UsageText();
std::string VersionText();
// One line naming the argument, with any byte that is not printable ASCII
// written as \xHH so that no control byte reaches the user's terminal.
std::string RejectionText(std::string_view argument);

// Writes the answer for every action but kRunCalculator and returns the exit
// code (kExitWriteFailed, with a line on `err`, when `out` fails).
int Answer(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

}  // namespace app
