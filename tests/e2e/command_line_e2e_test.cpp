// The real program's command line, run with no terminal at all (a session
// of its own without a controlling terminal, standard input on /dev/null):
// --help, --version, the subcommands and a bad argument answer on the
// standard streams and never need one; in a terminal they leave it as it was.
#include <sys/resource.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/output/design_writer.h"
#include "app/output/output.h"
#include "calculator/design.h"
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
const std::string kWorkedText =
    "Frequency       = 220.8396 Hz\n"
    "Volume          = 1000 cm^3\n"
    "Wall thickness  = 1 cm\n"
    "Orifice diameter= 2 cm\n"
    "\n"
    "    Frequency:  Volume:    Orifice: diameter square:  Thickness   Q-Factor:\n"
    "    221Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.6\n";

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
                   "/dev/full"},
        CommandRow{"WorkedExample",
                   {"frequency", "--volume", "1l", "--diameter", "20mm", "--thickness", "1"},
                   0,
                   kWorkedText,
                   ""},
        CommandRow{"ScreenEndsAsToday",
                   {"frequency", "--volume", "1l", "--diameter", "20mm", "--thickness", "1", "--ends", "screen"},
                   0,
                   kWorkedText,
                   ""},
        CommandRow{"FlangedEnds",
                   {"frequency", "--volume", "1l", "--diameter", "20mm", "--thickness", "1", "--ends", "flanged"},
                   0,
                   "Frequency       = 184.6634 Hz\n"
                   "Volume          = 1000 cm^3\n"
                   "Wall thickness  = 1 cm\n"
                   "Orifice diameter= 2 cm\n"
                   "Model: flanged ends, 1 port: end correction 1.697653 cm, Q 158.1008, bandwidth 1.168011 Hz\n"
                   "\n"
                   "    Frequency:  Volume:    Orifice: diameter square:  Thickness   Q-Factor:\n"
                   "    185Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.9\n",
                   ""},
        CommandRow{"SlotOfFourPortsAsCsv",
                   {"volume", "--frequency=100", "--thickness=1", "--slot=4\xC3\x97" "1", "--ends=free", "--ports=4",
                    "--format=csv"},
                   0,
                   std::string(app::kCsvColumns) + std::string(app::kModelCsvColumns) +
                       "\n6,100,19651.654,1,,4,true,,2.2567585,2,10,2.55,,free,4,50.661484,1.9738861,true,"
                       "1.3840699\n",
                   ""},
        CommandRow{"SlotWithDiameterRefused",
                   {"frequency", "--volume=1", "--thickness=1", "--diameter=2", "--slot=4x1"},
                   2,
                   "",
                   "helmholtz: --slot and --diameter cannot be given together\n"},
        CommandRow{"SubcommandHelp", {"surface", "--help"}, 0, app::SubcommandUsageText("surface"), ""},
        CommandRow{"RefusedValue", {"volume", "--frequency", "100", "--diameter", "2,5", "--thickness", "1"}, 2, "",
                   "helmholtz: --diameter: '2,5' is not a number (the decimal separator is '.')\n"},
        CommandRow{"BatchFromEmptyStandardInput", {"batch"}, 0, std::string(app::kCsvColumns) + "\n", ""},
        CommandRow{"SubcommandOntoAFullDisk", {"diameter", "--frequency=100", "--volume=1000", "--thickness=1"}, 1,
                   "", "helmholtz: cannot write to standard output\n", "/dev/full"},
        CommandRow{"BatchOntoAFullDisk", {"batch", "-"}, 1, "", "helmholtz: cannot write to standard output\n",
                   "/dev/full"}),
    [](const ::testing::TestParamInfo<CommandRow>& info) { return std::string(info.param.name); });

// Into a pipe nobody reads any more (`helmholtz ... | head -1` once head
// has gone): exit code 1, and not a word on standard error.
TEST(CommandLineIntoAClosedPipe, EndsQuietly) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, {"--version"}, {"frequency", "--volume=1", "--surface=1", "--thickness=1"},
        {"batch", "--format=csv"}, {"thickness", "--help"}}) {
    SCOPED_TRACE(arguments.front());
    LaunchOptions options;
    options.withoutTerminal = true;
    options.closedStandardOutput = true;
    options.arguments = arguments;
    PtySession session(HelmholtzBinary(), options);
    ASSERT_TRUE(session.started());
    int status = 0;
    ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(session.errorOutput(), "");
  }
}

// The batch rows: volumes 1000 to 1999 cc in turn, 2 cm hole, 1 cm wall;
// a few rows that cannot be computed stand in the middle.
constexpr int kBatchRows = 100000;
bool IsBadRow(int row) { return row >= 50000 && row < 50010; }
const std::string kBadRowError = "volume_cc: '10OO': 'OO' is not a volume unit (cc, ml, cm3, l, L, m3, in3, ft3)";

std::string WriteBatchFile(const std::string& path, int rows) {
  std::ofstream file(path, std::ios::binary);
  file << "frequency_hz,volume_cc,thickness_cm,diameter_cm\r\n";
  for (int row = 0; row < rows; ++row) {
    if (IsBadRow(row)) {
      file << ",10OO," << row << ",2\r\n";  // letters O, not zeros
    } else {
      // Long texts, so that a program holding the input would show it.
      file << "," << 1000 + row % 1000 << ".000000000000000000000000,1.000000000000,2\r\n";
    }
  }
  return path;
}

// The peak resident memory of the largest child waited for so far, in KiB.
long PeakChildKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_maxrss;
}

TEST(CommandLineBatch, ComputesEveryGoodRowAroundBadOnesInFlatMemory) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const auto run = [](const std::string& path, int& status) {
    LaunchOptions options;
    options.withoutTerminal = true;
    options.arguments = {"batch", path};
    auto session = std::make_unique<PtySession>(HelmholtzBinary(), options);
    EXPECT_TRUE(session->started());
    EXPECT_TRUE(session->WaitForExit(60 * kPromptlyMs, status));
    return session;
  };
  // A small batch first: its peak is the program's own size.
  const std::string small = WriteBatchFile(::testing::TempDir() + "helmholtz_batch_small.csv", 100);
  int status = 0;
  run(small, status);
  const long smallPeak = PeakChildKilobytes();

  const std::string large = WriteBatchFile(::testing::TempDir() + "helmholtz_batch_large.csv", kBatchRows);
  const std::unique_ptr<PtySession> session = run(large, status);
  const long largePeak = PeakChildKilobytes();
  std::remove(small.c_str());
  std::remove(large.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);

  // The expected row of each volume, written by the same writer in this process.
  std::vector<std::string> expected;
  for (int volume = 1000; volume < 2000; ++volume) {
    calculator::Quantities typed;
    typed.volume = static_cast<float>(volume);
    typed.diameter = 2;
    typed.thickness = 1;
    app::StringSink sink;
    app::Output out(sink);
    app::DesignWriter writer(app::Format::kCsv, out);
    const calculator::Constants constants = calculator::MakeConstants();
    writer.Write(calculator::Solve(calculator::Choice::kFrequencyRound, typed, constants), constants);
    out.Flush();
    expected.push_back(sink.text());
  }
  const std::string& output = session->standardOutput();
  std::size_t at = output.find('\n') + 1;
  EXPECT_EQ(output.substr(0, at), std::string(app::kCsvColumns) + "\n");
  std::string errors;
  int rows = 0;
  for (; at < output.size(); ++rows) {
    const std::size_t end = output.find('\n', at) + 1;
    const std::string line = output.substr(at, end - at);
    at = end;
    if (IsBadRow(rows)) {
      EXPECT_EQ(line, ",,,,,,,,,,,,\"" + kBadRowError + "\"\n") << rows;  // quoted: it holds commas
      errors += large + ":" + std::to_string(rows + 2) + ": " + kBadRowError + "\n";
    } else if (line != expected[static_cast<std::size_t>(rows % 1000)]) {
      ADD_FAILURE() << "row " << rows << ": " << line;
      break;
    }
  }
  EXPECT_EQ(rows, kBatchRows);
  EXPECT_EQ(session->errorOutput(), errors);

  // 100,000 rows (7 MB in, 9 MB out) need no more memory than 100.
  std::cout << "peak resident memory: " << smallPeak << " KiB for 100 rows, " << largePeak << " KiB for "
            << kBatchRows << " rows\n";
  ::testing::Test::RecordProperty("PeakKiB", std::to_string(largePeak));
  EXPECT_LT(largePeak - smallPeak, 1024);
}

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

// Started in a terminal, a calculation only writes its answer: the terminal's
// modes stay as they were.
TEST(CommandLineInATerminal, SubcommandLeavesTheTerminalAlone) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  LaunchOptions options;
  options.arguments = {"surface", "--frequency=100", "--volume=1000", "--thickness=1", "--format=csv"};
  PtySession session(HelmholtzBinary(), options);
  ASSERT_TRUE(session.started());
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(session.output(), std::string(app::kCsvColumns) + "\r\n8,100,1000,1,,0.60774153,true,,0.87965935,"
                                                              "0.7795778,10,9.955818,\r\n");
  EXPECT_TRUE(SameModes(session.Modes(), session.ModesAtStart()));
}

}  // namespace
}  // namespace termtest
