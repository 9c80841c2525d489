// The subcommands run in the test process: refused command lines and batch
// rows with their exact messages and exit codes, values with units against
// hand-computed ones, the CSV reader's records.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <optional>
#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch/csv_reader.h"
#include "app/command_line.h"
#include "app/output/output.h"
#include "app/units.h"

namespace app {
namespace {

struct Ran {
  int exitCode = -1;
  std::string out;
  std::string err;
};

Ran RunHelmholtz(const std::vector<std::string>& arguments, WriteStatus writes = WriteStatus::kWritten) {
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  StringSink sink(writes);
  Output out(sink);
  std::ostringstream err;
  Ran ran;
  ran.exitCode = RunCommand(std::span<const char* const>(pointers), out, err);
  ran.out = sink.text();
  ran.err = err.str();
  return ran;
}

struct CommandRow {
  const char* name;
  std::vector<std::string> arguments;
  int exitCode;
  std::string out;
  std::string err;
  WriteStatus writes = WriteStatus::kWritten;
};

void PrintTo(const CommandRow& row, std::ostream* out) { *out << row.name; }

class CommandTest : public ::testing::TestWithParam<CommandRow> {};

TEST_P(CommandTest, AnswersWithTheRowTextsAndExitCode) {
  const CommandRow& row = GetParam();
  const Ran ran = RunHelmholtz(row.arguments, row.writes);
  EXPECT_EQ(ran.exitCode, row.exitCode);
  EXPECT_EQ(ran.out, row.out);
  EXPECT_EQ(ran.err, row.err);
}

const std::string kCsvHeader =
    "calculation,frequency_hz,volume_cc,thickness_cm,diameter_cm,surface_cm2,possible,message,"
    "equivalent_diameter_cm,square_side_cm,thickness_mm,q_factor,error\n";
const std::string kWorkedExample =
    "Frequency       = 220.8396 Hz\n"
    "Volume          = 1000 cm^3\n"
    "Wall thickness  = 1 cm\n"
    "Orifice diameter= 2 cm\n"
    "\n"
    "    Frequency:  Volume:    Orifice: diameter square:  Thickness   Q-Factor:\n"
    "    221Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.6\n";
const std::string kWorkedCsv = kCsvHeader + "1,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,\n";

std::string Refused(const std::string& line) { return "helmholtz: " + line + "\n"; }

INSTANTIATE_TEST_SUITE_P(
    Answers, CommandTest,
    ::testing::Values(
        CommandRow{"WorkedExampleAsText",
                   {"frequency", "--volume", "1000", "--diameter", "2", "--thickness", "1"},
                   0,
                   kWorkedExample,
                   ""},
        CommandRow{"UnitsGiveTheSameDesign",
                   {"frequency", "--volume=1l", "--diameter=20mm", "--thickness=10mm", "--format", "csv"},
                   0,
                   kWorkedCsv,
                   ""},
        CommandRow{"OptionsInAnyOrder",
                   {"frequency", "--format=csv", "--thickness", "1", "--diameter", "2", "--volume", "&H3E8"},
                   0,
                   kWorkedCsv,
                   ""},
        CommandRow{
            "Json",
            {"surface", "--frequency", "100", "--volume", "1000", "--thickness", "1", "--format", "json"},
            0,
            "{\"calculation\":8,\"frequency_hz\":100,\"volume_cc\":1000,\"thickness_cm\":1,\"diameter_cm\":null,"
            "\"surface_cm2\":0.60774153,\"possible\":true,\"message\":\"\",\"equivalent_diameter_cm\":0.87965935,"
            "\"square_side_cm\":0.7795778,\"thickness_mm\":10,\"q_factor\":9.955818,\"error\":null}\n",
            ""},
        CommandRow{"ImpossibleThicknessHasBothMessages",
                   {"thickness", "--frequency", "2000", "--volume", "1000", "--diameter", "2", "--format", "csv"},
                   0,
                   kCsvHeader + "3,2000,1000,-0.86322904,2,3.1415927,false,Impossible values!!!; Impossible values !,2,"
                                "1.7724539,-8.63229,0.0024600297,\n",
                   ""},
        // Not finite: inf and nan in CSV, null in JSON.
        CommandRow{"InfiniteVolumeAtZeroHertz",
                   {"volume", "--frequency", "0", "--diameter", "2", "--thickness", "1", "--format", "csv"},
                   0,
                   kCsvHeader + "2,0,inf,1,2,3.1415927,true,,2,1.7724539,10,inf,\n",
                   ""},
        CommandRow{"InfiniteVolumeAtZeroHertzInJson",
                   {"volume", "--frequency", "0", "--diameter", "2", "--thickness", "1", "--format", "json"},
                   0,
                   "{\"calculation\":2,\"frequency_hz\":0,\"volume_cc\":null,\"thickness_cm\":1,\"diameter_cm\":2,"
                   "\"surface_cm2\":3.1415927,\"possible\":true,\"message\":\"\",\"equivalent_diameter_cm\":2,"
                   "\"square_side_cm\":1.7724539,\"thickness_mm\":10,\"q_factor\":null,\"error\":null}\n",
                   ""},
        CommandRow{"UndefinedQFactorOfNothing",
                   {"frequency", "--volume", "0", "--diameter", "0", "--thickness", "0", "--format", "csv"},
                   0,
                   kCsvHeader + "1,0,0,0,0,0,true,,0,0,0,nan,\n",
                   ""},
        CommandRow{"HelpOfASubcommand", {"batch", "--help"}, 0, SubcommandUsageText("batch"), ""},
        CommandRow{"HelpWinsOverMissingOptions", {"volume", "-h"}, 0, SubcommandUsageText("volume"), ""},
        CommandRow{"AnswerIntoAClosedPipe",
                   {"diameter", "--frequency=1", "--volume=1", "--thickness=1"},
                   1,
                   "",
                   "",
                   WriteStatus::kClosed},
        CommandRow{"AnswerOntoAFullDisk",
                   {"diameter", "--frequency=1", "--volume=1", "--thickness=1"},
                   1,
                   "",
                   "helmholtz: cannot write to standard output\n",
                   WriteStatus::kFailed},
        // Refused: exit code 2 and one line naming the option and the text.
        CommandRow{"DecimalComma",
                   {"frequency", "--volume", "1000", "--diameter", "2,5", "--thickness", "1"},
                   2,
                   "",
                   Refused("--diameter: '2,5' is not a number (the decimal separator is '.')")},
        CommandRow{"NotANumber",
                   {"volume", "--frequency", "abc", "--diameter", "2", "--thickness", "1"},
                   2,
                   "",
                   Refused("--frequency: 'abc' is not a number")},
        CommandRow{"EmptyValue",
                   {"volume", "--frequency=", "--diameter", "2", "--thickness", "1"},
                   2,
                   "",
                   Refused("--frequency: '' is not a number")},
        CommandRow{"SignBeforeRadix",
                   {"volume", "--frequency=-&H10", "--diameter", "2", "--thickness", "1"},
                   2,
                   "",
                   Refused("--frequency: '-&H10' is not a number")},
        CommandRow{"UnitOfAnotherKind",
                   {"frequency", "--volume", "1000mm", "--diameter", "2", "--thickness", "1"},
                   2,
                   "",
                   Refused("--volume: '1000mm': 'mm' is not a volume unit (cc, ml, cm3, l, L, m3, in3, ft3)")},
        CommandRow{"BlankBeforeTheUnit",
                   {"frequency", "--volume", "1 l", "--diameter", "2", "--thickness", "1"},
                   2,
                   "",
                   Refused("--volume: '1 l': ' l' is not a volume unit (cc, ml, cm3, l, L, m3, in3, ft3)")},
        CommandRow{"TextAfterTheNumber",
                   {"thickness", "--frequency", "12.5abc", "--volume", "1", "--surface", "1"},
                   2,
                   "",
                   Refused("--frequency: '12.5abc': 'abc' is not a frequency unit (Hz, kHz)")},
        CommandRow{"SurfaceUnitOnALength",
                   {"diameter", "--frequency", "1", "--volume", "1", "--thickness", "1cm2"},
                   2,
                   "",
                   Refused("--thickness: '1cm2': 'cm2' is not a length unit (mm, cm, m, in, ft)")},
        CommandRow{"BeyondSingle",
                   {"surface", "--frequency", "1e39", "--volume", "1", "--thickness", "1"},
                   2,
                   "",
                   Refused("--frequency: '1e39' is not finite in single precision")},
        CommandRow{"BeyondSingleThroughTheUnit",
                   {"surface", "--frequency", "1", "--volume", "1e33m3", "--thickness", "1"},
                   2,
                   "",
                   Refused("--volume: '1e33m3' is not finite in single precision")},
        CommandRow{"BeyondExtended",
                   {"surface", "--frequency", "1", "--volume", "1e5000", "--thickness", "1"},
                   2,
                   "",
                   Refused("--volume: '1e5000' is not finite in single precision")},
        CommandRow{"RadixBeyond64Bits",
                   {"surface", "--frequency", "1", "--volume", "&H1FFFFFFFFFFFFFFFF", "--thickness", "1"},
                   2,
                   "",
                   Refused("--volume: '&H1FFFFFFFFFFFFFFFF' is not finite in single precision")},
        CommandRow{"ControlBytesEscaped",
                   {"surface", "--frequency", "\x1b[2J", "--volume", "1", "--thickness", "1"},
                   2,
                   "",
                   Refused("--frequency: '\\x1B[2J' is not a number")},
        CommandRow{"Missing",
                   {"frequency", "--volume", "1000", "--diameter", "2"},
                   2,
                   "",
                   Refused("frequency: --thickness is missing")},
        CommandRow{"MissingOrifice",
                   {"volume", "--frequency", "100", "--thickness", "1"},
                   2,
                   "",
                   Refused("volume: --diameter or --surface is missing")},
        CommandRow{"Repeated",
                   {"diameter", "--frequency", "1", "--frequency", "1", "--volume", "1", "--thickness", "1"},
                   2,
                   "",
                   Refused("--frequency is given more than once")},
        CommandRow{"BothOrifices",
                   {"volume", "--frequency", "1", "--diameter", "1", "--surface", "1", "--thickness", "1"},
                   2,
                   "",
                   Refused("--diameter and --surface cannot be given together")},
        CommandRow{"TheComputedQuantity",
                   {"volume", "--volume", "1", "--frequency", "1", "--diameter", "1", "--thickness", "1"},
                   2,
                   "",
                   Refused("volume: --volume cannot be given: the volume is what it computes")},
        CommandRow{"TheOtherOrifice",
                   {"diameter", "--frequency", "1", "--volume", "1", "--thickness", "1", "--surface", "1"},
                   2,
                   "",
                   Refused("diameter: --surface cannot be given: the orifice is what it computes")},
        CommandRow{
            "SpeedAndTemperature",
            {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--sound-speed=340m/s", "--temperature=20"},
            2,
            "",
            Refused("--sound-speed and --temperature cannot be given together")},
        CommandRow{"BadSpeedUnit",
                   {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--sound-speed=340km/h"},
                   2,
                   "",
                   Refused("--sound-speed: '340km/h': 'km/h' is not a speed unit (cm/s, m/s)")},
        CommandRow{"BelowAbsoluteZero",
                   {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--temperature=-300"},
                   2,
                   "",
                   Refused("--temperature: '-300' is below absolute zero (-273.15 C)")},
        CommandRow{"Fahrenheit",
                   {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--temperature=68F"},
                   2,
                   "",
                   Refused("--temperature: '68F': 'F' is not a temperature unit (C)")},
        CommandRow{"UnknownFormat",
                   {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--format=xml"},
                   2,
                   "",
                   Refused("--format: 'xml' is not one of text, csv, json")},
        CommandRow{"UnknownOption",
                   {"surface", "--frobnicate"},
                   2,
                   "",
                   Refused("surface: unknown argument '--frobnicate'; see 'helmholtz surface --help'")},
        CommandRow{"TwoValuesForOneOption",
                   {"surface", "--frequency", "1", "2", "--volume=1", "--thickness=1"},
                   2,
                   "",
                   Refused("surface: unknown argument '2'; see 'helmholtz surface --help'")},
        CommandRow{"OptionWithoutValue",
                   {"surface", "--frequency=1", "--volume=1", "--thickness"},
                   2,
                   "",
                   Refused("surface: --thickness needs a value; see 'helmholtz surface --help'")},
        CommandRow{"BatchTakesNoQuantities",
                   {"batch", "--volume", "1"},
                   2,
                   "",
                   Refused("batch: unknown argument '--volume'; see 'helmholtz batch --help'")},
        CommandRow{"BatchOfTwoFiles",
                   {"batch", "a.csv", "b.csv"},
                   2,
                   "",
                   Refused("batch: unknown argument 'b.csv'; see 'helmholtz batch --help'")},
        CommandRow{"BatchOfNoFile",
                   {"batch", "/nonexistent/designs.csv"},
                   2,
                   "",
                   Refused("batch: cannot open '/nonexistent/designs.csv': " + std::string(std::strerror(ENOENT)))}),
    [](const ::testing::TestParamInfo<CommandRow>& info) { return std::string(info.param.name); });

// The screens' values through the command equal the screens' values typed
// with units, converted by hand.
struct UnitRow {
  const char* name;
  std::string text;
  Dimension dimension;
  float expected;
};

void PrintTo(const UnitRow& row, std::ostream* out) { *out << row.name; }

class UnitTest : public ::testing::TestWithParam<UnitRow> {};

TEST_P(UnitTest, ConvertsToTheScreensUnit) {
  const UnitRow& row = GetParam();
  const ParsedValue parsed = ParseValue(row.text, row.dimension);
  ASSERT_TRUE(parsed.value) << parsed.refusal;
  EXPECT_EQ(*parsed.value, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, UnitTest,
    ::testing::Values(
        UnitRow{"Litre", "1l", Dimension::kVolume, 1000}, UnitRow{"LitreUpper", "1L", Dimension::kVolume, 1000},
        UnitRow{"Millilitre", "250ml", Dimension::kVolume, 250},
        UnitRow{"CubicCentimetre", "250cm3", Dimension::kVolume, 250},
        UnitRow{"CubicMetre", "0.5m3", Dimension::kVolume, 500000},
        UnitRow{"CubicInch", "1in3", Dimension::kVolume, 16.387064f},
        UnitRow{"CubicFoot", "1ft3", Dimension::kVolume, 28316.846592f},
        UnitRow{"Millimetre", "20mm", Dimension::kLength, 2}, UnitRow{"Metre", "0.02m", Dimension::kLength, 2},
        UnitRow{"Inch", "3in", Dimension::kLength, 7.62f}, UnitRow{"Foot", "1ft", Dimension::kLength, 30.48f},
        UnitRow{"SquareMillimetre", "314mm2", Dimension::kSurface, 3.14f},
        UnitRow{"SquareMetre", "1e-4m2", Dimension::kSurface, 1},
        UnitRow{"SquareInch", "2in2", Dimension::kSurface, 12.9032f},
        UnitRow{"Kilohertz", "1.5kHz", Dimension::kFrequency, 1500},
        UnitRow{"MetresPerSecond", "343.2m/s", Dimension::kSoundSpeed, 34320},
        UnitRow{"ExponentD", "1D3Hz", Dimension::kFrequency, 1000},
        UnitRow{"HexWithUnit", "&H3E8ml", Dimension::kVolume, 1000},
        // Hexadecimal digits go as far as they can, as on the screens: "cc" is two of them.
        UnitRow{"HexDigitsBeforeAUnit", "&H3E8cc", Dimension::kVolume, 0x3E8CC},
        UnitRow{"HexSuffixThenUnit", "&HFFFF&mm", Dimension::kLength, 6553.5f},
        UnitRow{"NoUnitIsTheScreens", "220.83963", Dimension::kFrequency, 220.83963f},
        UnitRow{"NegativeAccepted", "-5mm", Dimension::kLength, -0.5f},
        UnitRow{"TinyUnderflowsLikeTheScreen", "1e-50", Dimension::kLength, 0}),
    [](const ::testing::TestParamInfo<UnitRow>& info) { return std::string(info.param.name); });

// c = 331.3 * sqrt(1 + T/273.15) m/s, worked out to 40 digits and rounded to single.
TEST(Temperature, GivesTheSpeedOfSoundInDryAir) {
  EXPECT_EQ(ParseTemperature("20").value, 34321.4609375f);  // 343.2146... m/s
  EXPECT_EQ(ParseTemperature("20C").value, 34321.4609375f);
  EXPECT_EQ(ParseTemperature("0").value, 33130.0f);
  EXPECT_EQ(ParseTemperature("-40").value, 30608.25390625f);
  EXPECT_EQ(ParseTemperature("35").value, 35188.59375f);
}

TEST(Temperature, ReplacesTheScreensSpeedInEveryFormula) {
  // f scales with c: at 0 degrees C (33130 cm/s) the worked example's frequency is lower.
  const Ran screens = RunHelmholtz(
      {"frequency", "--volume=1000", "--diameter=2", "--thickness=1", "--format=csv", "--sound-speed=34000"});
  const Ran cold =
      RunHelmholtz({"frequency", "--volume=1000", "--diameter=2", "--thickness=1", "--format=csv", "--temperature=0"});
  EXPECT_EQ(screens.out, kWorkedCsv);
  EXPECT_EQ(cold.out, kCsvHeader + "1,215.18874,1000,1,2,3.1415927,true,,2,1.7724539,10,0.63138866,\n");
}

// Batch rows, through a file of the row's input.
struct BatchRow {
  const char* name;
  std::string input;
  int exitCode;
  std::string out;
  std::string err;  // with FILE for the file's name
};

void PrintTo(const BatchRow& row, std::ostream* out) { *out << row.name; }

class BatchTest : public ::testing::TestWithParam<BatchRow> {};

TEST_P(BatchTest, AnswersEveryRow) {
  const BatchRow& row = GetParam();
  const std::string path = ::testing::TempDir() + "helmholtz_batch_" + row.name + ".csv";
  {
    std::ofstream file(path, std::ios::binary);
    file << row.input;
  }
  const Ran ran = RunHelmholtz({"batch", path});
  std::remove(path.c_str());
  std::string err = row.err;
  for (std::size_t at = err.find("FILE"); at != std::string::npos; at = err.find("FILE", at)) err.replace(at, 4, path);
  EXPECT_EQ(ran.exitCode, row.exitCode);
  EXPECT_EQ(ran.out, row.out);
  EXPECT_EQ(ran.err, err);
}

const std::string kHeader = "frequency_hz,volume_cc,thickness_cm,diameter_cm\n";
const std::string kWorkedRow = "1,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,\n";
const std::string kFailed = ",,,,,,,,,,,,";

INSTANTIATE_TEST_SUITE_P(
    Rows, BatchTest,
    ::testing::Values(
        BatchRow{"EachQuantityInTurn", kHeader + ",1000,1,2\n220.83963,,1,2\n220.83963,1000,,2\n220.83963,1000,1,\n", 0,
                 kCsvHeader + kWorkedRow + "2,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,\n" +
                     "3,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,\n" +
                     "4,220.83963,1000,1,1.9999999,3.1415923,true,,1.9999999,1.7724538,10,0.61523265,\n",
                 ""},
        BatchRow{"SurfaceColumn", "frequency_hz,volume_cc,thickness_cm,surface_cm2\n100,1000,1,\n", 0,
                 kCsvHeader + "8,100,1000,1,,0.60774153,true,,0.87965935,0.7795778,10,9.955818,\n", ""},
        BatchRow{"DiameterOrSurfacePerRow",
                 "volume_cc,diameter_cm,surface_cm2,thickness_cm,frequency_hz\n1000,2,,1,\n1000,,3.1415927,1,\n", 0,
                 kCsvHeader + kWorkedRow + "5,182.1553,1000,1,,3.1415927,true,,2,1.7724539,10,0.90429413,\n", ""},
        BatchRow{"QuotesCrLfBomBlankLinesAndUnits",
                 "\xEF\xBB\xBF\"frequency_hz\",volume_cc,thickness_cm,diameter_cm\r\n\r\n\"\",\"1l\",10mm,\"2\"\r\n", 0,
                 kCsvHeader + kWorkedRow, ""},
        BatchRow{"EmptyFile", "", 0, kCsvHeader, ""}, BatchRow{"HeaderOnly", kHeader, 0, kCsvHeader, ""},
        BatchRow{"BadRowsKeepTheirPlace",
                 kHeader + ",1000,1,2\n,abc,1,2\n,1000,1,2\n,,1,2\n220,1000,1,2\n,\"1000\"x,1,2\n,1000,1,2,3\n" +
                     ",1000,1,2\n",
                 1,
                 kCsvHeader + kWorkedRow + kFailed + "volume_cc: 'abc' is not a number\n" + kWorkedRow + kFailed +
                     "\"more than one cell is empty (frequency_hz, volume_cc): leave exactly one of frequency, volume, "
                     "thickness and orifice empty\"\n" +
                     kFailed + "no cell is empty: leave empty the one to compute\n" + kFailed +
                     "text after a closing quote\n" + kFailed + "5 cells where the header has 4\n" + kWorkedRow,
                 "FILE:3: volume_cc: 'abc' is not a number\n"
                 "FILE:5: more than one cell is empty (frequency_hz, volume_cc): leave exactly one of frequency, "
                 "volume, thickness and orifice empty\n"
                 "FILE:6: no cell is empty: leave empty the one to compute\n"
                 "FILE:7: text after a closing quote\n"
                 "FILE:8: 5 cells where the header has 4\n"},
        BatchRow{"DecimalCommaInAQuotedCell", kHeader + ",\"2,5\",1,2\n", 1,
                 kCsvHeader + kFailed + "\"volume_cc: '2,5' is not a number (the decimal separator is '.')\"\n",
                 "FILE:2: volume_cc: '2,5' is not a number (the decimal separator is '.')\n"},
        BatchRow{"BothOrificesGiven", "frequency_hz,volume_cc,diameter_cm,surface_cm2,thickness_cm\n,1,1,1,1\n", 1,
                 kCsvHeader + kFailed + "both diameter_cm and surface_cm2 are given\n",
                 "FILE:2: both diameter_cm and surface_cm2 are given\n"},
        BatchRow{"BothOrificesEmpty", "frequency_hz,volume_cc,diameter_cm,surface_cm2,thickness_cm\n1,1,,,1\n", 1,
                 kCsvHeader + kFailed + "diameter_cm and surface_cm2 are both empty: keep only the column to compute\n",
                 "FILE:2: diameter_cm and surface_cm2 are both empty: keep only the column to compute\n"},
        BatchRow{"QuoteLeftOpen", kHeader + ",1000,1,\"2\n", 1, kCsvHeader + kFailed + "a quoted cell is not closed\n",
                 "FILE:2: a quoted cell is not closed\n"},
        BatchRow{"UnknownColumn", "frequency_hz,volume_cc,colour\n", 1, "",
                 "FILE:1: unknown column 'colour' (the columns are frequency_hz, volume_cc, thickness_cm, "
                 "diameter_cm, surface_cm2, ends, ports, slot)\n"},
        BatchRow{"ColumnTwice", "volume_cc,volume_cc\n", 1, "", "FILE:1: column 'volume_cc' appears twice\n"}),
    [](const ::testing::TestParamInfo<BatchRow>& info) { return std::string(info.param.name); });

// The reader's records, cells joined by '|', errors in brackets, line numbers first.
struct CsvRow {
  const char* name;
  std::string input;
  std::string records;
};

void PrintTo(const CsvRow& row, std::ostream* out) { *out << row.name; }

class CsvReaderTest : public ::testing::TestWithParam<CsvRow> {};

std::string ReadAll(const std::string& input, std::size_t blockBytes) {
  std::size_t position = 0;
  CsvReader reader([&](char* buffer, std::size_t capacity) {
    const std::size_t count = std::min({capacity, blockBytes, input.size() - position});
    input.copy(buffer, count, position);
    position += count;
    return count;
  });
  std::string records;
  CsvRecord record;
  while (reader.Next(record)) {
    records += std::to_string(record.line) + ":";
    for (std::size_t i = 0; i < record.cells.size(); ++i) records += (i ? "|" : "") + record.cells[i];
    if (!record.error.empty()) records += "[" + record.error + "]";
    records += "\n";
  }
  return records;
}

TEST_P(CsvReaderTest, ReadsTheRowRecords) {
  const CsvRow& row = GetParam();
  EXPECT_EQ(ReadAll(row.input, row.input.size() + 1), row.records);
  // Records do not depend on where the input's blocks end.
  EXPECT_EQ(ReadAll(row.input, 1), row.records);
}

INSTANTIATE_TEST_SUITE_P(
    Records, CsvReaderTest,
    ::testing::Values(CsvRow{"Plain", "a,b\n1,2\n", "1:a|b\n2:1|2\n"},
                      CsvRow{"NoFinalLineEnd", "a,b\n1,2", "1:a|b\n2:1|2\n"},
                      CsvRow{"CrLf", "a,b\r\n1,2\r\n", "1:a|b\n2:1|2\n"},
                      CsvRow{"ByteOrderMark",
                             "\xEF\xBB\xBF"
                             "a\n",
                             "1:a\n"},
                      CsvRow{"ByteOrderMarkOnlyAtTheStart",
                             "a\n\xEF\xBB\xBF"
                             "b\n",
                             "1:a\n2:\xEF\xBB\xBF"
                             "b\n"},
                      CsvRow{"BlankLinesSkipped", "\n\r\na\n\n\nb\n", "3:a\n6:b\n"},
                      CsvRow{"EmptyQuotedCellIsARecord", "\"\"\n", "1:\n"}, CsvRow{"EmptyCells", ",,\n", "1:||\n"},
                      CsvRow{"QuotedSeparatorQuoteAndLineEnd", "\"a,b\",\"say \"\"hi\"\"\",\"x\r\ny\"\nz\n",
                             "1:a,b|say \"hi\"|x\r\ny\n3:z\n"},
                      CsvRow{"QuoteLeftOpen", "a\n\"b,c\n", "1:a\n2:[a quoted cell is not closed]\n"},
                      CsvRow{"TextAfterClosingQuoteSkipsTheLine", "\"a\"b,c\nd\n",
                             "1:[text after a closing quote]\n2:d\n"},
                      CsvRow{"QuoteInsideUnquotedCell", "a\"b,c\nd\n", "1:[a quote inside an unquoted cell]\n2:d\n"},
                      CsvRow{"LoneCarriageReturnIsText", "a\rb\n", "1:a\rb\n"}),
    [](const ::testing::TestParamInfo<CsvRow>& info) { return std::string(info.param.name); });

TEST(CsvReader, RefusesAnOverlongRecordAndGoesOn) {
  const std::string input = std::string(CsvReader::kMaxRecordBytes + 1, 'x') + "\nnext\n";
  EXPECT_EQ(ReadAll(input, 4096), "1:[the record is longer than 1 MiB]\n2:next\n");
}

}  // namespace
}  // namespace app
