// The real program's command line, run with no terminal at all (a session
// of its own without a controlling terminal, standard input on /dev/null):
// --help, --version and a bad argument answer on the standard streams and
// never need one; in a terminal they leave it as it was.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "tests/e2e/helmholtz_support.h"

namespace termtest {
namespace {

struct CommandRow {
  const char* name;
  std::vector<std::string> arguments;
  int exitCode;
  // Standard output and standard error, exactly.
  std::string output;
  std::string error;
  // Standard output goes to this file instead of being captured.
  std::string outputFile = {};
};

void PrintTo(const CommandRow& row, std::ostream* out) { *out << row.name; }

class CommandLineE2e : public ::testing::TestWithParam<CommandRow> {};

TEST_P(CommandLineE2e, AnswersWithoutATerminal) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const CommandRow& row = GetParam();
  LaunchOptions options;
  options.withoutTerminal = true;
  options.arguments = row.arguments;
  options.standardOutputFile = row.outputFile;
  PtySession session(HelmholtzBinary(), options);
  ASSERT_TRUE(session.started());
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), row.exitCode);
  EXPECT_EQ(session.standardOutput(), row.output);
  EXPECT_EQ(session.errorOutput(), row.error);
}

const std::string kVersionLine = "helmholtz " HELMHOLTZ_TEST_VERSION "\n";
const std::string kUsage = app::UsageText();

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineE2e,
    ::testing::Values(
        CommandRow{"LongVersion", {"--version"}, 0, kVersionLine, ""},
        CommandRow{"ShortVersion", {"-V"}, 0, kVersionLine, ""},
        CommandRow{"LongHelp", {"--help"}, 0, kUsage, ""},
        CommandRow{"ShortHelp", {"-h"}, 0, kUsage, ""},
        CommandRow{"UnknownArgument", {"--frobnicate"}, 2, "",
                   "helmholtz: unknown argument '--frobnicate'; see 'helmholtz --help'\n"},
        CommandRow{"ExtraArgument", {"--version", "now"}, 2, "",
                   "helmholtz: unknown argument 'now'; see 'helmholtz --help'\n"},
        CommandRow{"ControlBytesNeverReachTheTerminal", {"\x1b]0;title\x07"}, 2, "",
                   "helmholtz: unknown argument '\\x1B]0;title\\x07'; see 'helmholtz --help'\n"},
        CommandRow{"VersionOntoAFullDisk", {"--version"}, 1, "", "helmholtz: cannot write to standard output\n",
                   "/dev/full"},
        CommandRow{"HelpOntoAFullDisk", {"--help"}, 1, "", "helmholtz: cannot write to standard output\n",
                   "/dev/full"}),
    [](const ::testing::TestParamInfo<CommandRow>& info) { return std::string(info.param.name); });

// Started in a terminal, --version still only writes its line: no modes
// changed, no screen drawn (the terminal turns the new line into CR LF).
TEST(CommandLineInATerminal, VersionLeavesTheTerminalAlone) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  LaunchOptions options;
  options.arguments = {"--version"};
  PtySession session(HelmholtzBinary(), options);
  ASSERT_TRUE(session.started());
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(session.output(), "helmholtz " HELMHOLTZ_TEST_VERSION "\r\n");
  EXPECT_TRUE(SameModes(session.Modes(), session.ModesAtStart()));
}

}  // namespace
}  // namespace termtest
