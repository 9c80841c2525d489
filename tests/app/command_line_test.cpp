// The command line: which arguments are understood, and the texts and exit
// codes that answer them.
#include <gtest/gtest.h>

#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/output/output.h"
#include "tests/support/command_rows.h"

namespace app {
namespace {

struct ParseRow {
  const char* name;
  std::vector<const char*> arguments;
  Action action;
  std::string badArgument;
};

void PrintTo(const ParseRow& row, std::ostream* out) { *out << row.name; }

class ParseCommandLineTest : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ParseCommandLineTest, GivesTheRowAction) {
  const ParseRow& row = GetParam();
  const CommandLine commandLine = ParseCommandLine(std::span<const char* const>(row.arguments));
  EXPECT_EQ(commandLine.action, row.action);
  EXPECT_EQ(commandLine.badArgument, row.badArgument);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ParseCommandLineTest,
    ::testing::Values(ParseRow{"None", {}, Action::kRunCalculator, ""},
                      ParseRow{"ShortHelp", {"-h"}, Action::kShowUsage, ""},
                      ParseRow{"LongHelp", {"--help"}, Action::kShowUsage, ""},
                      ParseRow{"ShortVersion", {"-V"}, Action::kShowVersion, ""},
                      ParseRow{"LongVersion", {"--version"}, Action::kShowVersion, ""},
                      ParseRow{"FirstKnownArgumentDecides", {"-V", "--help"}, Action::kShowVersion, ""},
                      ParseRow{"Unknown", {"--frobnicate"}, Action::kRejectArgument, "--frobnicate"},
                      ParseRow{"LowerCaseVIsNotVersion", {"-v"}, Action::kRejectArgument, "-v"},
                      ParseRow{"NoAbbreviations", {"--vers"}, Action::kRejectArgument, "--vers"},
                      ParseRow{"OptionWithValue", {"--help=all"}, Action::kRejectArgument, "--help=all"},
                      ParseRow{"EmptyArgument", {""}, Action::kRejectArgument, ""},
                      ParseRow{"DoubleDash", {"--"}, Action::kRejectArgument, "--"},
                      ParseRow{"UnknownAfterAKnownOne", {"--version", "extra"}, Action::kRejectArgument, "extra"},
                      ParseRow{"FirstUnknownIsNamed", {"-x", "-y"}, Action::kRejectArgument, "-x"},
                      // A subcommand name first hands every argument to RunCommand.
                      ParseRow{"Subcommand", {"frequency", "--volume", "1"}, Action::kRunCommand, ""},
                      ParseRow{"BatchAlone", {"batch"}, Action::kRunCommand, ""},
                      ParseRow{"SubcommandNotFirst", {"--help", "volume"}, Action::kRejectArgument, "volume"},
                      ParseRow{"SubcommandsAreWholeWords", {"freq"}, Action::kRejectArgument, "freq"},
#ifdef _WIN32
                      ParseRow{"SlashQuestionIsHelp", {"/?"}, Action::kShowUsage, ""}
#else
                      ParseRow{"SlashQuestionIsNoHelpOffWindows", {"/?"}, Action::kRejectArgument, "/?"}
#endif
                      ),
    testrows::RowName);

struct AnswerRow {
  const char* name;
  CommandLine commandLine;
  std::string out;
  std::string err;
  int exitCode;
};

void PrintTo(const AnswerRow& row, std::ostream* out) { *out << row.name; }

class AnswerTest : public ::testing::TestWithParam<AnswerRow> {};

TEST_P(AnswerTest, WritesTheRowTextsAndGivesTheExitCode) {
  const AnswerRow& row = GetParam();
  StringSink sink;
  Output out(sink);
  std::ostringstream err;
  EXPECT_EQ(Answer(row.commandLine, out, err), row.exitCode);
  EXPECT_EQ(sink.text(), row.out);
  EXPECT_EQ(err.str(), row.err);
}

// The usage, the version and a bad argument, whole, and each onto a full
// disk and into a closed pipe, are the real program's rows, in
// tests/e2e/command_line_e2e_test.cpp.
INSTANTIATE_TEST_SUITE_P(
    Actions, AnswerTest,
    ::testing::Values(AnswerRow{"ControlBytesAreEscaped", CommandLine{Action::kRejectArgument, "\x1b[2J\n\x7f\\"}, "",
                                "helmholtz: unknown argument '\\x1B[2J\\x0A\\x7F\\x5C'; see 'helmholtz --help'\n",
                                kExitBadArgument},
                      AnswerRow{"BytesAboveAsciiAreEscaped", CommandLine{Action::kRejectArgument, "\xc3\xa9"}, "",
                                "helmholtz: unknown argument '\\xC3\\xA9'; see 'helmholtz --help'\n",
                                kExitBadArgument}),
    testrows::RowName);

TEST(UsageText, NamesEveryOptionAndEndsWithANewLine) {
  const std::string usage = UsageText();
  for (const char* option :
       {"-h", "--help", "-V", "--version", "frequency", "volume", "thickness", "diameter", "surface", "batch",
        "--format", "--sound-speed", "--temperature", "--ends", "--ports", "--slot"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(usage.rfind("Usage: helmholtz", 0), 0u);
  EXPECT_EQ(usage.back(), '\n');
}

}  // namespace
}  // namespace app
