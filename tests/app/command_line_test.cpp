// The command line: which arguments are understood, and the texts and exit
// codes that answer them.
#include <gtest/gtest.h>

#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"

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
    ::testing::Values(
        ParseRow{"None", {}, Action::kRunCalculator, ""},
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
        ParseRow{"FirstUnknownIsNamed", {"-x", "-y"}, Action::kRejectArgument, "-x"}),
    [](const ::testing::TestParamInfo<ParseRow>& info) { return std::string(info.param.name); });

struct AnswerRow {
  const char* name;
  CommandLine commandLine;
  std::string out;
  std::string err;
  int exitCode;
  bool outputFails = false;
};

void PrintTo(const AnswerRow& row, std::ostream* out) { *out << row.name; }

class AnswerTest : public ::testing::TestWithParam<AnswerRow> {};

TEST_P(AnswerTest, WritesTheRowTextsAndGivesTheExitCode) {
  const AnswerRow& row = GetParam();
  std::ostringstream out;
  std::ostringstream err;
  if (row.outputFails) out.setstate(std::ios::badbit);
  EXPECT_EQ(Answer(row.commandLine, out, err), row.exitCode);
  EXPECT_EQ(out.str(), row.out);
  EXPECT_EQ(err.str(), row.err);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, AnswerTest,
    ::testing::Values(
        AnswerRow{"Usage", CommandLine{Action::kShowUsage, ""}, UsageText(), "", 0},
        AnswerRow{"Version", CommandLine{Action::kShowVersion, ""}, "helmholtz " HELMHOLTZ_TEST_VERSION "\n", "", 0},
        AnswerRow{"BadArgument",
                  CommandLine{Action::kRejectArgument, "--frobnicate"},
                  "",
                  "helmholtz: unknown argument '--frobnicate'; see 'helmholtz --help'\n",
                  kExitBadArgument},
        AnswerRow{"ControlBytesAreEscaped",
                  CommandLine{Action::kRejectArgument, "\x1b[2J\n\x7f\\"},
                  "",
                  "helmholtz: unknown argument '\\x1B[2J\\x0A\\x7F\\x5C'; see 'helmholtz --help'\n",
                  kExitBadArgument},
        AnswerRow{"BytesAboveAsciiAreEscaped",
                  CommandLine{Action::kRejectArgument, "\xc3\xa9"},
                  "",
                  "helmholtz: unknown argument '\\xC3\\xA9'; see 'helmholtz --help'\n",
                  kExitBadArgument},
        AnswerRow{"UsageThatCannotBeWritten", CommandLine{Action::kShowUsage, ""}, "",
                  "helmholtz: cannot write to standard output\n", kExitWriteFailed, true},
        AnswerRow{"VersionThatCannotBeWritten", CommandLine{Action::kShowVersion, ""}, "",
                  "helmholtz: cannot write to standard output\n", kExitWriteFailed, true}),
    [](const ::testing::TestParamInfo<AnswerRow>& info) { return std::string(info.param.name); });

TEST(UsageText, NamesEveryOptionAndEndsWithANewLine) {
  const std::string usage = UsageText();
  for (const char* option : {"-h", "--help", "-V", "--version"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(usage.rfind("Usage: helmholtz", 0), 0u);
  EXPECT_EQ(usage.back(), '\n');
}

}  // namespace
}  // namespace app
