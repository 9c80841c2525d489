// The command line: what the arguments ask for, the subcommands that run one
// calculation or a batch file, and the texts that answer --help, --version
// and a bad argument. Kept apart from main() so that every answer can be
// checked without starting the program; none of them needs a terminal.
//
//   helmholtz                         -> kRunCalculator (the full-screen program)
//   helmholtz --version               -> kShowVersion: "helmholtz 1.0.0\n" on stdout, exit 0
//   helmholtz frequency --volume 1l ... -> kRunCommand: the answer on stdout
//   helmholtz -x                      -> kRejectArgument: one line on stderr, exit 2
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "app/plot/terminal_chart.h"
#include "numtext/printable_text.h"

namespace app {

class Output;

enum class Action { kRunCalculator, kShowUsage, kShowVersion, kRejectArgument, kRunCommand };

struct CommandLine {
  Action action = Action::kRunCalculator;
  std::string badArgument;  // the first argument not understood, for kRejectArgument
};

// Exit code for a command line that is not understood.
inline constexpr int kExitBadArgument = 2;
// Exit code when the answer cannot be written, and for a batch with rows
// that could not be computed.
inline constexpr int kExitWriteFailed = 1;
inline constexpr int kExitRowsFailed = 1;
// The line on standard error when standard output fails other than by a closed pipe.
inline constexpr std::string_view kWriteFailureText = "helmholtz: cannot write to standard output\n";

// `arguments` without the program name. A first argument that names a
// subcommand is kRunCommand (its own options are read by RunCommand).
// Otherwise -h/--help (and /? on Windows) and -V/--version are the only
// arguments understood; the first argument that is none of them is
// rejected, wherever it stands. Otherwise the first argument decides.
CommandLine ParseCommandLine(std::span<const char* const> arguments);

std::string UsageText();
std::string VersionText();
// One line naming the argument, with any byte that is not printable ASCII
// written as \xHH so that no control byte reaches the user's terminal.
std::string RejectionText(std::string_view argument);
// Arguments and paths are shown through numtext::Printable.
using numtext::Backslash;
using numtext::Printable;

// The help of one subcommand ("frequency", ..., "batch").
std::string SubcommandUsageText(std::string_view subcommand);

// Writes the answer for kShowUsage, kShowVersion and kRejectArgument and
// returns the exit code (FinishOutput's for a failed write).
int Answer(const CommandLine& commandLine, Output& out, std::ostream& err);

// Runs the subcommand in `arguments` (its name first): its answer on `out`,
// refusals on `err`; returns the exit code.
// `colours` says whether a terminal takes colour, for a chart drawn there
// (none without it).
int RunCommand(std::span<const char* const> arguments, Output& out, std::ostream& err,
               plot::ColourQuery colours = nullptr);

// What main() runs for every action but kRunCalculator: the answer on the
// standard output, a closed pipe ending quietly.
int RunCommandLine(const CommandLine& commandLine, std::span<const char* const> arguments,
                   plot::ColourQuery colours = nullptr);

}  // namespace app
