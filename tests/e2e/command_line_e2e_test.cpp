// The real program's command line, run with no terminal at all (a session
// of its own without a controlling terminal, standard input on /dev/null):
// --help, --version, the subcommands and a bad argument answer on the
// standard streams and never need one; in a terminal they leave it as it was.
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <sstream>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/output/design_writer.h"
#include "app/output/output.h"
#include "calculator/design.h"
#include "tests/e2e/helmholtz_support.h"
#include "tests/plot/svg_support.h"
#include "tests/support/command_rows.h"
#include "tests/support/text_lines.h"

namespace termtest {
namespace {

using testrows::CommandRow;

class CommandLineE2e : public ::testing::TestWithParam<CommandRow> {};

TEST_P(CommandLineE2e, AnswersWithoutATerminal) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const CommandRow& row = GetParam();
  LaunchOptions options;
  options.withoutTerminal = true;
  options.arguments = row.arguments;
  options.standardOutputFile = row.outputFile;
  options.standardInputFile = row.inputFile;
  PtySession session(HelmholtzBinary(), options);
  ASSERT_TRUE(session.started());
  ASSERT_EQ(session.ExitCode(kPromptlyMs), row.exitCode);
  EXPECT_EQ(session.standardOutput(), row.out);
  EXPECT_EQ(session.errorOutput(), row.err);
}

const std::string kVersionLine = "helmholtz " HELMHOLTZ_TEST_VERSION "\n";
const std::string kUsage = app::UsageText();
const std::string kWorkedText =
    "Frequency       = 220.8396 Hz\n"
    "Volume          = 1000 cm^3\n"
    "Wall thickness  = 1 cm\n"
    "Orifice diameter= 2 cm\n"
    "Model: screen ends, 1 port, the screens' air, c = 340 m/s\n"
    "\n"
    "    Frequency:  Volume:    Orifice: diameter square:  Thickness   Q-Factor:\n"
    "    221Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.6\n";

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineE2e,
    ::testing::Values(
        CommandRow{"LongVersion", {"--version"}, 0, kVersionLine, ""},
        CommandRow{"ShortVersion", {"-V"}, 0, kVersionLine, ""}, CommandRow{"LongHelp", {"--help"}, 0, kUsage, ""},
        CommandRow{"ShortHelp", {"-h"}, 0, kUsage, ""},
        CommandRow{"UnknownArgument",
                   {"--frobnicate"},
                   2,
                   "",
                   "helmholtz: unknown argument '--frobnicate'; see 'helmholtz --help'\n"},
        CommandRow{"ExtraArgument",
                   {"--version", "now"},
                   2,
                   "",
                   "helmholtz: unknown argument 'now'; see 'helmholtz --help'\n"},
        CommandRow{"ControlBytesNeverReachTheTerminal",
                   {"\x1b]0;title\x07"},
                   2,
                   "",
                   "helmholtz: unknown argument '\\x1B]0;title\\x07'; see 'helmholtz --help'\n"},
        CommandRow{
            "VersionOntoAFullDisk", {"--version"}, 1, "", "helmholtz: cannot write to standard output\n", "/dev/full"},
        CommandRow{"HelpOntoAFullDisk", {"--help"}, 1, "", "helmholtz: cannot write to standard output\n", "/dev/full"},
        // Textbook physics unless told otherwise: an orifice in a wall, in air at 20 C.
        CommandRow{"WorkedExample",
                   {"frequency", "--volume", "1000", "--diameter", "2", "--thickness", "1"},
                   0,
                   "Frequency       = 186.4094 Hz\n"
                   "Volume          = 1000 cm^3\n"
                   "Wall thickness  = 1 cm\n"
                   "Orifice diameter= 2 cm\n"
                   "Model: flanged ends, 1 port, air at 20 C, c = 343.2146 m/s: end correction 1.697653 cm, Q 41.61982 "
                   "(radiation 159.0704, viscous 56.36823), bandwidth 4.478861 Hz, peak absorption area 0.4186148 m^2\n"
                   "\n"
                   "    Frequency:  Volume:    Orifice: diameter square:  Thickness   Q-Factor:\n"
                   "    186Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.9\n",
                   ""},
        // A 3-inch port tuning 60 litres to 35 Hz at 22 C: in a wall, flush in a baffle, and on the screens.
        CommandRow{
            "PortIsInAWallByDefault",
            {"thickness", "--frequency=35", "--volume=60l", "--diameter=3in", "--temperature=22", "--format=csv"},
            0,
            app::CsvHeader(true) + "\n3,35,60000,12.171567,7.62,45.603672,true,,7.62,6.753049,121.71567,11.6663065,,"
                                   "flanged,1,404.7769,0.44750315,true,6.4680567,78.21174,96.943306,9.642238,,\n",
            ""},
        CommandRow{"PortFlushInABaffle",
                   {"thickness", "--frequency=35", "--volume=60l", "--diameter=3in", "--temperature=22",
                    "--ends=flanged-free", "--format=csv"},
                   0,
                   app::CsvHeader(true) +
                       "\n3,35,60000,13.068923,7.62,45.603672,true,,7.62,6.753049,130.68922,12.219492,,"
                       "flanged-free,1,404.96603,0.46366078,true,5.570701,75.48622,92.78066,9.382233,,\n",
                   ""},
        // The answer in the units typed: a length in inches as the diameter was, litres as the volume.
        CommandRow{"PortLengthInTheUnitsTyped",
                   {"thickness", "--frequency=35", "--volume=60l", "--diameter=3in", "--temperature=22",
                    "--ends=flanged-free"},
                   0,
                   "Orifice thickness= 5.145245 in\n"
                   "Frequency       = 35 Hz\n"
                   "Volume          = 60 l\n"
                   "Orifice diameter= 3 in\n"
                   "Model: flanged-free ends, 1 port, air at 22 C, c = 344.3834 m/s: end correction 2.193189 in, "
                   "Q 75.48622 (radiation 404.966, viscous 92.78066), bandwidth 0.4636608 Hz, peak absorption area "
                   "9.382233 m^2\n"
                   "\n"
                   "    Frequency:  Volume:    Orifice: diameter square:  Thickness   Q-Factor:\n"
                   "    35Hz        60000.cc   45.6cm^2 7.6cm    6.8cm    131mm       12.2\n",
                   ""},
        // --units names each CSV column's unit.
        CommandRow{"PortInMetricUnitsAsCsv",
                   {"thickness", "--frequency=35", "--volume=60l", "--diameter=3in", "--temperature=22",
                    "--units=metric", "--format=csv"},
                   0,
                   "calculation,frequency_hz,volume_l,thickness_mm,diameter_mm,surface_cm2,possible,message,"
                   "equivalent_diameter_mm,square_side_mm,panel_thickness_mm,q_factor,error,ends,ports,q_radiation,"
                   "bandwidth_hz,lumped,end_correction_mm,q,q_viscous,peak_absorption_area_m2,slot,pitch_mm\n"
                   "3,35,60,121.71567,76.2,45.603672,true,,76.2,67.53049,121.71567,11.6663065,,flanged,1,404.7769,"
                   "0.44750315,true,64.680565,78.21174,96.943306,9.642238,,\n",
                   ""},
        CommandRow{
            "PortOnTheScreensModel",
            {"thickness", "--frequency=35", "--volume=60l", "--diameter=3in", "--temperature=22", "--ends=screen",
             "--format=csv"},
            0,
            app::CsvHeader(false) + "\n3,35,60000,15.2631,7.62,45.603672,true,,7.62,6.753049,152.631,13.572119,\n",
            ""},
        // The screens' model named explicitly computes as the screens do, in their air.
        CommandRow{"ScreenEndsAsToday",
                   {"frequency", "--volume", "1000", "--diameter", "2", "--thickness", "1", "--ends", "screen"},
                   0,
                   kWorkedText,
                   ""},
        CommandRow{
            "FlangedEnds",
            {"frequency", "--volume", "1000", "--diameter", "2", "--thickness", "1", "--ends", "flanged",
             "--sound-speed", "340m/s"},
            0,
            "Frequency       = 184.6634 Hz\n"
            "Volume          = 1000 cm^3\n"
            "Wall thickness  = 1 cm\n"
            "Orifice diameter= 2 cm\n"
            "Model: flanged ends, 1 port, c = 340 m/s: end correction 1.697653 cm, Q 41.47635 (radiation 159.0749, "
            "viscous 56.10482), bandwidth 4.45226 Hz, peak absorption area 0.417678 m^2\n"
            "\n"
            "    Frequency:  Volume:    Orifice: diameter square:  Thickness   Q-Factor:\n"
            "    185Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.9\n",
            ""},
        // The worked example's losses at 20 C (docs/losses.md, to 30 digits): f 186.4094 Hz,
        // q_radiation 159.0704, q_viscous 56.3682, q 41.6198, bandwidth 4.4789 Hz, area 0.418615 m^2.
        CommandRow{"WorkedExampleLosses",
                   {"frequency", "--volume=1l", "--diameter=2cm", "--thickness=1cm", "--format=csv"},
                   0,
                   app::CsvHeader(true) +
                       "\n1,186.40941,1000,1,2,3.1415927,true,,2,1.7724539,10,0.87165487,,flanged,1,159.07043,"
                       "4.4788613,true,1.6976527,41.61982,56.368225,0.41861483,,\n",
                   ""},
        // 351 holes on a 32 mm grid: a radiation Q of 2.03, within 10% of the plane wave's kL'/phi = 2.1.
        CommandRow{"PanelOnAGrid",
                   {"frequency", "--ports=351", "--pitch=32mm", "--diameter=8mm", "--thickness=6mm", "--volume=18l",
                    "--format=csv"},
                   0,
                   app::CsvHeader(true) +
                       "\n1,513.8744,18000,0.6,0.8,0.50265485,true,,0.8,0.7089816,6,0.33846635,,flanged,351,2.0283096,"
                       "268.8645,false,0.50754744,1.9112765,33.124474,0.07601036,,3.2\n",
                   ""},
        CommandRow{"GridWithFreeEndsRefused",
                   {"frequency", "--volume=1l", "--diameter=2cm", "--thickness=1cm", "--pitch=3cm", "--ends=free"},
                   2,
                   "",
                   "helmholtz: --pitch needs a panel at the outer end: --ends flanged or flanged-free\n"},
        CommandRow{"SlotOfFourPortsAsCsv",
                   {"volume", "--frequency=100", "--thickness=1",
                    "--slot=4\xC3\x97"
                    "1",
                    "--ends=free", "--ports=4", "--sound-speed=340m/s", "--format=csv"},
                   0,
                   app::CsvHeader(true) + "\n6,100,21069.34,1,,4,true,,2.2567585,2,10,2.55,,free,4,95.46254,4.0162635,"
                                          "false,1.2236537,24.898764,33.68441,,4x1,\n",
                   ""},
        CommandRow{"SlotWithDiameterRefused",
                   {"frequency", "--volume=1", "--thickness=1", "--diameter=2", "--slot=4x1"},
                   2,
                   "",
                   "helmholtz: --slot and --diameter cannot be given together\n"},
        CommandRow{"SubcommandHelp", {"surface", "--help"}, 0, app::SubcommandUsageText("surface"), ""},
        CommandRow{"RefusedValue",
                   {"volume", "--frequency", "100", "--diameter", "2,5", "--thickness", "1"},
                   2,
                   "",
                   "helmholtz: --diameter: '2,5' is not a number (the decimal separator is '.')\n"},
        CommandRow{"BatchFromEmptyStandardInput", {"batch"}, 0, app::CsvHeader(false) + "\n", ""},
        // Read errors are refused as open errors are, before any output.
        CommandRow{"BatchOfADirectory", {"batch", "/"}, 2, "", "helmholtz: batch: cannot read '/': Is a directory\n"},
        CommandRow{"BatchOfADirectoryOnStandardInput",
                   {"batch"},
                   2,
                   "",
                   "helmholtz: batch: cannot read '-': Is a directory\n",
                   "",
                   "/"},
        CommandRow{"SubcommandOntoAFullDisk",
                   {"diameter", "--frequency=100", "--volume=1000", "--thickness=1"},
                   1,
                   "",
                   "helmholtz: cannot write to standard output\n",
                   "/dev/full"},
        CommandRow{
            "BatchOntoAFullDisk", {"batch", "-"}, 1, "", "helmholtz: cannot write to standard output\n", "/dev/full"},
        CommandRow{"SweepOntoAFullDisk",
                   {"frequency", "--volume=1:100000:1", "--diameter=1:10:1", "--thickness=1", "--format=csv"},
                   1,
                   "",
                   "helmholtz: cannot write to standard output\n",
                   "/dev/full"},
        // bands.h's example, its lines of fixed form with the ratings'
        // (ratings.h: alpha_p 30 75 70 40 15 5).
        CommandRow{"AbsorberTextAnswer",
                   {"absorber", "--holes", "5mm", "--pitch", "25mm", "--thickness", "3mm", "--depth", "100mm", "--fill",
                    "50mm", "--flow-resistivity", "10000"},
                   0,
                   "Absorber: holes 5 mm, pitch 25 mm, thickness 3 mm, depth 100 mm, fill 50 mm, flow resistivity "
                   "10000 Pa*s/m2; open area 3.142%; fill: Miki, against the facing\n"
                   "Incidence: diffuse field; air at 20 C, c = 343.2146 m/s\n"
                   "f0 = 383.1 Hz (lumped, the cavity without its fill)\n"
                   "Peak: alpha = 0.866 at 326 Hz\n"
                   "Half absorption: 159.3 Hz to 811.7 Hz\n"
                   "Third octaves:\n"
                   "  Hz      50   63   80  100  125  160  200  250  315  400  500\n"
                   "  alpha 0.06 0.09 0.14 0.20 0.30 0.43 0.60 0.77 0.86 0.81 0.68\n"
                   "  Hz     630  800 1000 1250 1600 2000 2500 3150 4000 5000\n"
                   "  alpha 0.54 0.44 0.38 0.37 0.31 0.12 0.08 0.09 0.04 0.03\n"
                   "Octaves (alpha_p):\n"
                   "  Hz     125  250  500 1000 2000 4000\n"
                   "  alpha 0.30 0.75 0.70 0.40 0.15 0.05\n"
                   "NRC = 0.50\n"
                   "SAA = 0.50\n"
                   "\xCE\xB1"
                   "w = 0.20(LM)\n"
                   "Class = E\n",
                   "helmholtz: absorber: warning: the fill's Miki model is used outside the range it was fitted to "
                   "(0.01 <= f/R <= 1)\n"},
        CommandRow{"AbsorberSweepOntoAFullDisk",
                   {"absorber", "--depth=1:100:0.001", "--format=csv"},
                   1,
                   "",
                   "helmholtz: cannot write to standard output\n",
                   "/dev/full"},
        // Refused before any design is computed, however long it would take.
        CommandRow{"SweepTooBig",
                   {"frequency", "--volume=1:1e6:1", "--diameter=1:1e5:1", "--thickness=0.1:1:0.1"},
                   2,
                   "",
                   "helmholtz: the sweep has 1000000 x 100000 x 10 designs, more than the 10000000000 a sweep may "
                   "have\n"}),
    testrows::RowName);

// A sweep's refusals quote what was typed (a range, a list of values, with
// --only-possible or --plot): however hostile the text, one line of printable
// ASCII on standard error, so that the user's terminal is left as it was.
TEST(CommandLineSweep, RefusesHostileTextsInOnePrintableLine) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const std::vector<std::vector<std::string>> rows = {
      {"--volume", "1\x1b[2J:2:1"},                         // clears the screen
      {"--volume", "\x1b]0;owned\x07", "--only-possible"},  // sets the terminal's title
      {"--volume", "1\n:2:1"},                              // a second line
      {"--volume", "1:2:\x1b[31m", "--plot", "-"},
      {"--volume",
       "1:\x9b"
       "2J:1"},                                       // the 8-bit CSI
      {"--volume", "1l", "--thickness", "\r\x1b[A"},  // a list: the thickness repeated
  };
  for (const std::vector<std::string>& row : rows) {
    LaunchOptions options;
    options.withoutTerminal = true;
    options.arguments = {"frequency", "--diameter", "2", "--thickness", "1"};
    options.arguments.insert(options.arguments.end(), row.begin(), row.end());
    PtySession session(HelmholtzBinary(), options);
    ASSERT_TRUE(session.started());
    ASSERT_EQ(session.ExitCode(kPromptlyMs), 2);
    const std::string& error = session.errorOutput();
    SCOPED_TRACE(app::Printable(error));
    EXPECT_EQ(session.standardOutput(), "");
    EXPECT_TRUE(error.starts_with("helmholtz: --"));
    EXPECT_EQ(error.find('\n'), error.size() - 1);
    EXPECT_TRUE(std::all_of(error.begin(), error.end() - 1, [](char c) { return c >= 0x20 && c < 0x7F; }));
  }
}

// Into a pipe nobody reads any more (`helmholtz ... | head -1` once head
// has gone): exit code 1, and not a word on standard error.
TEST(CommandLineIntoAClosedPipe, EndsQuietly) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"},
        {"--version"},
        {"frequency", "--volume=1", "--surface=1", "--thickness=1"},
        {"batch", "--format=csv"},
        {"thickness", "--help"},
        // A sweep that would run for minutes before its chart's one write.
        {"frequency", "--volume=1:1e9:1", "--diameter=2", "--thickness=1", "--plot=-"},
        // A response of 10^8 rows, which would take half a minute.
        {"response", "--volume=1l", "--diameter=2", "--thickness=1", "--band=1:1e8:1", "--format=csv"}}) {
    SCOPED_TRACE(arguments.front());
    LaunchOptions options;
    options.withoutTerminal = true;
    options.closedStandardOutput = true;
    options.arguments = arguments;
    PtySession session(HelmholtzBinary(), options);
    ASSERT_TRUE(session.started());
    ASSERT_EQ(session.ExitCode(kPromptlyMs), 1);
    EXPECT_EQ(session.errorOutput(), "");
  }
}

// The batch rows: volumes 1000 to 1999 cc in turn, 2 cm hole, 1 cm wall;
// a few rows that cannot be computed stand in the middle.
constexpr int kBatchRows = 100000;
bool IsBadRow(int row) { return row >= 50000 && row < 50010; }
const std::string kBadRowError = "volume_cc: '10OO': 'OO' is not a volume unit (cc, ml, cm3, dm3, l, L, m3, in3, ft3)";

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
    options.arguments = {"batch", path, "--ends", "screen"};
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
  EXPECT_EQ(output.substr(0, at), app::CsvHeader(false) + "\n");
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
  std::cout << "peak resident memory: " << smallPeak << " KiB for 100 rows, " << largePeak << " KiB for " << kBatchRows
            << " rows\n";
  ::testing::Test::RecordProperty("PeakKiB", std::to_string(largePeak));
  EXPECT_LT(largePeak - smallPeak, 1024);
}

// A quoted cell over the 1 MiB record limit holding line feeds is one
// refused record: the rows after it are read from the next record's start.
TEST(CommandLineBatch, ReadsPastAnOverlongRecordToItsEnd) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  constexpr int kCellLines = 1 << 20;  // 2 MiB of "x\n"
  const std::string path = ::testing::TempDir() + "helmholtz_batch_overlong.csv";
  {
    std::ofstream file(path, std::ios::binary);
    file << "frequency_hz,volume_cc,thickness_cm,diameter_cm\n,\"";
    for (int line = 0; line < kCellLines; ++line) file << "x\n";
    file << "\",1,2\n,1000,1,2\n," << std::string(1 << 20, 'y') << ",1,2\n";
  }
  LaunchOptions options;
  options.withoutTerminal = true;
  options.arguments = {"batch", path, "--ends", "screen"};
  PtySession session(HelmholtzBinary(), options);
  ASSERT_TRUE(session.started());
  const std::optional<int> exitCode = session.ExitCode(20 * kPromptlyMs);
  std::remove(path.c_str());
  EXPECT_EQ(exitCode, 1);
  const std::vector<std::string> lines = testtext::Lines(session.standardOutput());
  ASSERT_EQ(lines.size(), 4U);  // the header and three rows
  const std::string failed = ",,,,,,,,,,,,the record is longer than 1 MiB";
  EXPECT_EQ(lines[1], failed);
  EXPECT_EQ(lines[2], "1,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,");
  EXPECT_EQ(lines[3], failed);
  EXPECT_EQ(session.errorOutput(), path + ":2: the record is longer than 1 MiB\n" + path + ":" +
                                       std::to_string(kCellLines + 4) + ": the record is longer than 1 MiB\n");
}

// Started in a terminal, --version and a calculation still only write their
// answer: no modes changed, no screen drawn (the terminal turns each new line
// into CR LF).
// A command's CSV, one input cell edited, read back by batch: the row computes
// what the command computes for the edited design, byte for byte. The air is
// not in the file: batch is given it as the command was.
struct RoundTrip {
  std::vector<std::string> command;
  std::string column, value, option;
  std::vector<std::string> air = {};
};

TEST(CommandLineBatch, ReadsItsOwnCsvBackWithOneCellEdited) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const auto run = [](const std::vector<std::string>& arguments) {
    LaunchOptions options;
    options.withoutTerminal = true;
    options.arguments = arguments;
    PtySession session(HelmholtzBinary(), options);
    EXPECT_TRUE(session.started());
    EXPECT_EQ(session.ExitCode(kPromptlyMs), 0) << arguments.front();
    EXPECT_EQ(session.errorOutput(), "");
    return session.standardOutput();
  };
  const std::vector<RoundTrip> trips = {
      {{"frequency", "--volume", "1000", "--diameter", "2", "--thickness", "1", "--ends", "flanged"},
       "volume_cc",
       "2000",
       "--volume"},
      {{"thickness", "--frequency", "35", "--volume", "60l", "--diameter", "3in", "--ends", "flanged-free",
        "--temperature", "22"},
       "frequency_hz",
       "40",
       "--frequency",
       {"--temperature", "22"}},
      {{"surface", "--frequency", "100", "--volume", "1000", "--thickness", "1"}, "thickness_cm", "2", "--thickness"},
      {{"volume", "--frequency", "50", "--surface", "20", "--thickness", "0.5", "--ends", "free", "--ports", "2"},
       "ports",
       "3",
       "--ports"},
      {{"diameter", "--frequency", "100", "--volume", "1000", "--thickness", "1"}, "volume_cc", "1500", "--volume"},
  };
  for (const RoundTrip& trip : trips) {
    std::vector<std::string> command = trip.command;
    command.insert(command.end(), {"--format", "csv"});
    std::vector<std::string> lines = testtext::Lines(run(command));
    ASSERT_EQ(lines.size(), 2U) << trip.command.front();
    const std::vector<std::string> header = testtext::Split(lines[0], ',');
    std::vector<std::string> cells = testtext::Split(lines[1], ',');
    const auto column = std::find(header.begin(), header.end(), trip.column);
    ASSERT_NE(column, header.end()) << trip.column;
    cells[static_cast<std::size_t>(column - header.begin())] = trip.value;
    std::string edited = lines[0] + "\n";
    for (std::size_t i = 0; i < cells.size(); ++i) edited += (i == 0 ? "" : ",") + cells[i];
    const std::string path = ::testing::TempDir() + "helmholtz_round_trip.csv";
    std::ofstream(path, std::ios::binary) << edited << "\n";
    std::vector<std::string> batchArguments = {"batch", path};
    batchArguments.insert(batchArguments.end(), trip.air.begin(), trip.air.end());
    const std::string batch = run(batchArguments);
    std::remove(path.c_str());
    const auto option = std::find(command.begin(), command.end(), trip.option);
    if (option == command.end()) {
      command.insert(command.end(), {trip.option, trip.value});
    } else {
      *(option + 1) = trip.value;
    }
    EXPECT_EQ(batch, run(command)) << trip.command.front() << " with " << trip.column << " " << trip.value;
  }
}

// CSV written with --delimiter ';' is what a spreadsheet where the decimal
// separator is a comma reads: Python's csv module, told ';', finds the cells
// of the comma CSV with decimal commas, a message holding ';' quoted; and
// batch reads the file back to the same designs.
TEST(CommandLineBatch, WritesSemicolonCsvThatPythonAndBatchReadBack) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const std::string path = ::testing::TempDir() + "helmholtz_semicolons.csv";
  const std::vector<std::string> command = {"thickness",  "--frequency", "100:2000:950", "--volume", "1000",
                                            "--diameter", "2",           "--format",     "csv",      "--ends",
                                            "screen"};
  const auto run = [](std::vector<std::string> arguments, const std::string& outputFile = "") {
    LaunchOptions options;
    options.withoutTerminal = true;
    options.arguments = std::move(arguments);
    options.standardOutputFile = outputFile;
    PtySession session(HelmholtzBinary(), options);
    EXPECT_TRUE(session.started());
    EXPECT_EQ(session.ExitCode(kPromptlyMs), 0);
    EXPECT_EQ(session.errorOutput(), "");
    return session.standardOutput();
  };
  std::vector<std::string> semicolons = command;
  semicolons.insert(semicolons.end(), {"--delimiter", ";"});
  run(semicolons, path);
  const std::string comma = run(command);
  ASSERT_NE(comma.find(",Impossible values!!!; Impossible values !,"), std::string::npos);
  // Each cell that is a number with its comma made a point, written again as plain CSV.
  const std::string script =
      "import csv, sys\n"
      "out = csv.writer(sys.stdout, lineterminator='\\n')\n"
      "for row in csv.reader(open(sys.argv[1], newline=''), delimiter=';'):\n"
      "    def plain(cell):\n"
      "        try:\n"
      "            float(cell.replace(',', '.'))\n"
      "            return cell.replace(',', '.')\n"
      "        except ValueError:\n"
      "            return cell\n"
      "    out.writerow([plain(cell) for cell in row])\n";
  const std::string scriptPath = ::testing::TempDir() + "helmholtz_semicolons.py";
  std::ofstream(scriptPath) << script;
  FILE* python = popen(("python3 '" + scriptPath + "' '" + path + "'").c_str(), "r");
  ASSERT_NE(python, nullptr);
  std::string read;
  for (int c = std::fgetc(python); c != EOF; c = std::fgetc(python)) read += static_cast<char>(c);
  const int status = pclose(python);
  EXPECT_EQ(status, 0) << "python3 is needed (.ci/run installs it)";
  EXPECT_EQ(read, comma);
  EXPECT_EQ(run({"batch", path, "--ends", "screen"}), comma);
  std::remove(path.c_str());
  std::remove(scriptPath.c_str());
}

TEST(CommandLineInATerminal, AnswersLeaveTheTerminalAlone) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const struct {
    std::vector<std::string> arguments;
    std::string output;
  } rows[] = {
      {{"--version"}, "helmholtz " HELMHOLTZ_TEST_VERSION "\r\n"},
      {{"surface", "--frequency=100", "--volume=1000", "--thickness=1", "--format=csv", "--ends=screen"},
       app::CsvHeader(false) + "\r\n8,100,1000,1,,0.60774153,true,,0.87965935,0.7795778,10,9.955818,\r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.arguments.front());
    LaunchOptions options;
    options.arguments = row.arguments;
    PtySession session(HelmholtzBinary(), options);
    ASSERT_TRUE(session.started());
    ASSERT_EQ(session.ExitCode(kPromptlyMs), 0);
    EXPECT_EQ(session.output(), row.output);
    EXPECT_TRUE(SameModes(session.Modes(), session.ModesAtStart()));
  }
}

// A sweep of a million designs into /dev/null needs no more memory than one
// of ten designs.
TEST(CommandLineSweep, StreamsInFlatMemory) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const auto run = [](const std::string& volumes) {
    LaunchOptions options;
    options.withoutTerminal = true;
    options.standardOutputFile = "/dev/null";
    options.arguments = {"frequency",   "--volume", volumes,    "--diameter", "1:10:1",
                         "--thickness", "1",        "--format", "csv"};
    PtySession session(HelmholtzBinary(), options);
    EXPECT_EQ(session.ExitCode(120 * kPromptlyMs), 0);
    EXPECT_EQ(session.errorOutput(), "");
  };
  run("1:1:1");
  const long smallPeak = PeakChildKilobytes();
  run("1:100000:1");
  const long largePeak = PeakChildKilobytes();
  std::cout << "peak resident memory: " << smallPeak << " KiB for 10 designs, " << largePeak << " KiB for 1000000\n";
  EXPECT_LT(largePeak - smallPeak, 1024);
}

// `helmholtz ... | head -1` of a sweep that would run for minutes: head's
// one line, then the program ends at once, with exit code 1 and no word.
TEST(CommandLineSweep, EndsAtOnceAndQuietlyWhenHeadHasItsLine) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const std::string status = ::testing::TempDir() + "helmholtz_sweep_head_status";
  const std::string error = ::testing::TempDir() + "helmholtz_sweep_head_error";
  const std::string command = "{ '" + HelmholtzBinary() +
                              "' frequency --volume 1:1e9:1 --diameter 2 --thickness 1 --format csv --ends screen 2>'" +
                              error + "'; echo $? >'" + status + "'; } | head -1";
  const auto start = std::chrono::steady_clock::now();
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string firstLine;
  for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) firstLine += static_cast<char>(c);
  ASSERT_EQ(pclose(pipe), 0);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::ifstream statusFile(status);
  std::ifstream errorFile(error);
  std::string exitCode;
  std::getline(statusFile, exitCode);
  const std::string errors((std::istreambuf_iterator<char>(errorFile)), std::istreambuf_iterator<char>());
  std::remove(status.c_str());
  std::remove(error.c_str());
  EXPECT_EQ(firstLine, app::CsvHeader(false) + "\n");
  EXPECT_EQ(exitCode, "1");
  EXPECT_EQ(errors, "");
  // A billion designs would take minutes; a generous bound for a loaded machine.
  std::cout << "| head -1 ended after " << seconds << " s\n";
  EXPECT_LT(seconds, 10.0);
}

// --plot FILE.svg beside the CSV rows: the file is an SVG with labelled axes
// and one path per value of the second swept option, holding one point per
// possible design of that curve, and the real renderers take it.
// The SVG a sweep draws into the file its arguments end with, checked to be
// well formed and, by the renderers the machine has, to render; `rows` gets
// what it wrote on standard output.
std::string DrawnSvg(std::vector<std::string> arguments, std::string* rows = nullptr) {
  const std::string svgFile = arguments.back();
  LaunchOptions options;
  options.withoutTerminal = true;
  options.arguments = std::move(arguments);
  PtySession session(HelmholtzBinary(), options);
  EXPECT_EQ(session.ExitCode(kPromptlyMs), 0) << session.errorOutput();
  if (rows) *rows = session.standardOutput();
  std::ifstream file(svgFile);
  const std::string svg((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(plot::WellFormedError(svg), "");
  const std::optional<std::string> rendered = plot::RendererError(svgFile);
  std::remove(svgFile.c_str());
  if (rendered) {
    EXPECT_EQ(*rendered, "");
  }
  return svg;
}

TEST(CommandLineSweep, PlotsAnSvgWithAPathPerCurveAndAPointPerPossibleDesign) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  // The thickness sweep turns impossible (negative) at high frequencies.
  std::string output;
  const std::string svg = DrawnSvg(
      {"thickness", "--frequency", "50:400:5", "--volume", "1l", "--volume", "2l", "--volume", "5l", "--diameter", "2",
       "--format", "csv", "--ends", "screen", "--plot", ::testing::TempDir() + "helmholtz_sweep_plot.svg"},
      &output);

  // The possible designs of each volume, from the rows.
  std::vector<std::size_t> possible(3);
  std::istringstream rows(output);
  std::string row;
  std::getline(rows, row);
  std::size_t designs = 0;
  for (; std::getline(rows, row); ++designs) {
    if (row.find(",true,") != std::string::npos) ++possible[designs % 3];
  }
  EXPECT_EQ(designs, 71U * 3);
  const std::vector<std::string> paths = plot::Paths(svg);
  ASSERT_EQ(paths.size(), 3U);
  for (std::size_t curve = 0; curve < 3; ++curve) {
    EXPECT_GT(possible[curve], 0U);
    EXPECT_LT(possible[curve], 71U);
    EXPECT_EQ(plot::Count(paths[curve], 'M') + plot::Count(paths[curve], 'L'), possible[curve]) << curve;
  }
  for (const char* text :
       {">Frequency (Hz)</text>", ">Wall thickness (cm)</text>", ">Volume 1 l</text>", ">Volume 5 l</text>"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
}

// A response's chart: a curve per design against frequency on a log axis,
// every point of each drawn (145 around each resonance), beside its rows.
TEST(CommandLineResponse, PlotsACurvePerDesignWithEveryPoint) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  std::string rows;
  const std::string svg =
      DrawnSvg({"response", "--volume=1l", "--volume=2l", "--diameter=2", "--thickness=1", "--format=csv",
                "--plot-quantity=absorption-area", "--plot", ::testing::TempDir() + "helmholtz_response_plot.svg"},
               &rows);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 1 + 2 * 145);
  const std::vector<std::string> paths = plot::Paths(svg);
  ASSERT_EQ(paths.size(), 2U);
  for (const std::string& path : paths) EXPECT_EQ(plot::Count(path, 'M') + plot::Count(path, 'L'), 145U);
  for (const char* text : {">Frequency (Hz)</text>", ">Absorption area (m^2)</text>", ">Volume 1 l</text>",
                           ">Volume 2 l</text>", ">diameter 2 cm, wall thickness 1 cm; flanged ends, 1 port"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
}

// The absorber draws alpha against frequency on a log axis, a curve per
// design and, with --bands, one of steps per design: two points a band.
TEST(CommandLineAbsorber, PlotsACurveAndItsThirdOctaveStepsPerDesign) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  std::string output;
  const std::string svg = DrawnSvg(
      {"absorber", "--holes", "5mm", "--pitch", "25mm", "--thickness", "3mm", "--depth", "50mm", "--depth", "100mm",
       "--bands", "third-octave", "--format", "csv", "--plot", ::testing::TempDir() + "helmholtz_absorber_plot.svg"},
      &output);
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1 + 2 * 21);
  const std::vector<std::string> paths = plot::Paths(svg);
  ASSERT_EQ(paths.size(), 4U);
  for (std::size_t design = 0; design < 2; ++design) {
    EXPECT_EQ(plot::Count(paths[2 * design], 'M') + plot::Count(paths[2 * design], 'L'), 161U) << design;
    EXPECT_EQ(plot::Count(paths[2 * design + 1], 'M') + plot::Count(paths[2 * design + 1], 'L'), 42U) << design;
  }
  for (const char* text : {">Frequency (Hz)</text>", ">Absorption coefficient</text>", ">depth 100 mm</text>",
                           ">depth 50 mm, third octaves</text>", ">5000</text>"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
}

// A sweep over three decades is drawn on a logarithmic x axis, under a title
// that names what is not swept, the model and the air; a tube port's wall is
// its length.
TEST(CommandLineSweep, TitlesTheChartAndTakesALogAxisOverThreeDecades) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const std::string svg =
      DrawnSvg({"thickness", "--frequency", "20:20000:10", "--volume", "60l", "--diameter", "3in", "--ends",
                "flanged-free", "--temperature", "22", "--plot", ::testing::TempDir() + "helmholtz_log_chart.svg"});
  for (const char* text :
       {">volume 60 l, diameter 3 in; flanged-free ends, 1 port; air at 22 C, c = 344.3834 m/s</text>",
        ">Port length (in)</text>", ">20</text>", ">50</text>", ">100</text>", ">1000</text>", ">10000</text>",
        ">20000</text>"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
}

// docs/sweep-frequency.svg, the guide's chart, is byte for byte what the
// guide's command beside it draws today.
TEST(CommandLineSweep, TheGuidesChartIsWhatItsCommandDraws) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const std::string made = ::testing::TempDir() + "helmholtz_guide_chart.svg";
  LaunchOptions options;
  options.withoutTerminal = true;
  options.standardOutputFile = "/dev/null";
  options.arguments = {"frequency",  "--volume", "10:100:1l",   "--diameter", "5",      "--diameter", "7.5",
                       "--diameter", "10",       "--thickness", "1.8",        "--plot", made};
  PtySession session(HelmholtzBinary(), options);
  ASSERT_EQ(session.ExitCode(kPromptlyMs), 0) << session.errorOutput();
  // tests/e2e/<this file> -> the repository's docs/ folder.
  const std::string docs = std::string(__FILE__).substr(0, std::string(__FILE__).rfind("/tests/")) + "/docs/";
  std::ifstream madeFile(made);
  std::ifstream docsFile(docs + "sweep-frequency.svg");
  ASSERT_TRUE(docsFile) << docs;
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(madeFile), {}),
            std::string(std::istreambuf_iterator<char>(docsFile), {}));
  std::remove(made.c_str());
}

// A chart that cannot be written whole (a file size limit of 512 bytes
// standing in for a full disk) leaves the older chart as it was, and no
// other file: one line, exit code 1.
TEST(CommandLineSweep, AChartThatCannotBeWrittenWholeLeavesTheOlderOne) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const std::string folder = ::testing::TempDir() + "helmholtz_sweep_full/";
  const std::string chart = folder + "chart.svg";
  const std::string error = ::testing::TempDir() + "helmholtz_sweep_full_error";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::ofstream(chart) << "older chart";
  // The limit's signal ignored, so that the write fails instead.
  const std::string command = "ulimit -f 1; trap '' XFSZ; exec '" + HelmholtzBinary() +
                              "' frequency --volume 1:60:1l --diameter 5 --thickness 1 --plot '" + chart +
                              "' >/dev/null 2>'" + error + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::ifstream errorFile(error);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(errorFile), {}),
            "helmholtz: --plot: cannot write '" + chart + "'\n");
  std::ifstream chartFile(chart);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(chartFile), {}), "older chart");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  std::filesystem::remove_all(folder);
  std::remove(error.c_str());
}

// --plot - in an 80x24 terminal: the chart alone, a line shorter than the
// terminal, in braille under a UTF-8 locale and in ASCII under another.
TEST(CommandLineSweep, DrawsTheChartInTheTerminalInBrailleOrAscii) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  for (const char* locale : {"C.UTF-8", "C"}) {
    SCOPED_TRACE(locale);
    LaunchOptions options;
    options.columns = 80;
    options.rows = 24;
    // LC_ALL stands above LANG and LC_CTYPE.
    options.environment = {std::string("LC_ALL=") + locale};
    options.noColor = "1";
    options.arguments = {"frequency", "--volume",    "1:60:1l", "--diameter", "5", "--diameter",
                         "10",        "--thickness", "1",       "--plot",     "-"};
    PtySession session(HelmholtzBinary(), options);
    ASSERT_EQ(session.ExitCode(kPromptlyMs), 0);
    const std::string& output = session.output();
    const bool utf8 = std::string(locale) == "C.UTF-8";
    EXPECT_EQ(output.find("\xE2\xA3") != std::string::npos || output.find("\xE2\xA0") != std::string::npos, utf8);
    if (!utf8) {
      EXPECT_TRUE(std::all_of(output.begin(), output.end(), [](char c) { return (c & 0x80) == 0; }));
    }
    EXPECT_EQ(output.find("frequency_hz"), std::string::npos);  // no rows
    EXPECT_NE(output.find("Volume (l)"), std::string::npos);    // as typed
    EXPECT_NE(output.find("Diameter 10 cm"), std::string::npos);
    EXPECT_EQ(static_cast<int>(std::count(output.begin(), output.end(), '\n')), 23);
    // Each line fits: characters, not bytes (a braille cell is three bytes).
    for (std::string line : testtext::Lines(output)) {
      if (line.ends_with('\r')) line.pop_back();
      EXPECT_LE(testtext::Width(line), 80U) << line;
    }
  }
}

// A long sweep whose standard error is a terminal shows its status line
// there; Ctrl+C, SIGTERM and SIGHUP end it with exit code 128 + the signal,
// the line erased, the rows written so far whole, and no chart file.
TEST(CommandLineSweep, ShowsProgressOnATerminalAndErasesItWhenEndedBySignal) {
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const std::string folder = ::testing::TempDir() + "helmholtz_sweep_signal/";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    LaunchOptions options;
    options.standardOutputFile = folder + "rows.csv";
    // Rows only at the start (the wall turns negative above about 320 Hz), so that the file stays small.
    options.arguments = {"thickness", "--frequency", "1:1e9:1", "--volume",        "1l",     "--diameter",
                         "2",         "--format",    "csv",     "--only-possible", "--plot", folder + "chart.svg",
                         "--ends",    "screen"};
    PtySession session(HelmholtzBinary(), options);
    ASSERT_TRUE(session.started());
    ASSERT_TRUE(session.WaitUntil(
        [](const TerminalModel& screen) { return screen.RowText(0).find("designs/s") != std::string::npos; },
        10 * kPromptlyMs))
        << session.output();
    EXPECT_NE(session.screen().RowText(0).find("of 1000000000 designs"), std::string::npos);
    session.Signal(signal);
    ASSERT_EQ(session.ExitCode(kPromptlyMs), 128 + signal);
    EXPECT_EQ(session.screen().RowText(0).find_first_not_of(' '), std::string::npos) << session.screen().RowText(0);
    std::ifstream file(options.standardOutputFile);
    const std::string written(std::istreambuf_iterator<char>(file), {});
    const std::vector<std::string> rows = testtext::Lines(written);
    ASSERT_GT(rows.size(), 1U);
    EXPECT_EQ(written.back(), '\n');
    EXPECT_EQ(rows.front(), app::CsvHeader(false));
    EXPECT_EQ(std::count(rows.back().begin(), rows.back().end(), ','), 12) << rows.back();
    std::filesystem::remove(options.standardOutputFile);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace termtest
