// The subcommands run in the test process: refused command lines and batch
// rows with their exact messages and exit codes, values with units against
// hand-computed ones, the CSV reader's records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/batch/csv_reader.h"
#include "app/command_line.h"
#include "app/model_options.h"
#include "app/output/design_writer.h"
#include "app/output/output.h"
#include "app/units.h"
#include "tests/app/command_support.h"
#include "tests/support/command_rows.h"

namespace app {
namespace {

using testrows::CommandRow;
using testrows::RowName;

class CommandTest : public ::testing::TestWithParam<CommandRow> {};

// Rows of full disks, closed pipes and files on standard input are the real
// program's, in tests/e2e/command_line_e2e_test.cpp, as are the rows that
// it runs.
TEST_P(CommandTest, AnswersWithTheRowTextsAndExitCode) {
  const CommandRow& row = GetParam();
  ASSERT_TRUE(row.outputFile.empty() && row.inputFile.empty()) << "a row for the real program";
  const Ran ran = RunHelmholtz(row.arguments);
  EXPECT_EQ(ran.exitCode, row.exitCode);
  EXPECT_EQ(ran.out, row.out);
  EXPECT_EQ(ran.err, row.err);
}

const std::string kCsvHeader =
    "calculation,frequency_hz,volume_cc,thickness_cm,diameter_cm,surface_cm2,possible,message,"
    "equivalent_diameter_cm,square_side_cm,thickness_mm,q_factor,error\n";
const std::string kWorkedCsv = kCsvHeader + "1,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,\n";

std::string Refused(const std::string& line) { return "helmholtz: " + line + "\n"; }

const std::string kModelCsvHeader =
    "calculation,frequency_hz,volume_cc,thickness_cm,diameter_cm,surface_cm2,possible,message,"
    "equivalent_diameter_cm,square_side_cm,thickness_mm,q_factor,error,"
    "ends,ports,q_radiation,bandwidth_hz,lumped,end_correction_cm,q,q_viscous,peak_absorption_area_m2,slot,pitch_cm\n";
const std::string kFlangedRow =
    "1,184.66345,1000,1,2,3.1415927,true,,2,1.7724539,10,0.8798962,,flanged,1,159.07486,4.4522595,true,1.6976527,41."
    "476345,56.10482,0.417678,,\n";

// The worked example's arguments as separate words, then `more`.
std::vector<std::string> Worked(const std::string& subcommand, std::vector<std::string> more) {
  std::vector<std::string> arguments = {subcommand, "--volume=1000", "--diameter=2", "--thickness=1"};
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CommandTest,
    ::testing::Values(
        CommandRow{
            "UnitsGiveTheSameDesign",
            {"frequency", "--ends=screen", "--volume=1l", "--diameter=20mm", "--thickness=10mm", "--format", "csv"},
            0,
            kWorkedCsv,
            ""},
        CommandRow{
            "OptionsInAnyOrder",
            {"frequency", "--ends=screen", "--format=csv", "--thickness", "1", "--diameter", "2", "--volume", "&H3E8"},
            0,
            kWorkedCsv,
            ""},
        CommandRow{
            "Json",
            {"surface", "--ends=screen", "--frequency", "100", "--volume", "1000", "--thickness", "1", "--format",
             "json"},
            0,
            "{\"calculation\":8,\"frequency_hz\":100,\"volume_cc\":1000,\"thickness_cm\":1,\"diameter_cm\":null,"
            "\"surface_cm2\":0.60774153,\"possible\":true,\"message\":\"\",\"equivalent_diameter_cm\":0.87965935,"
            "\"square_side_cm\":0.7795778,\"thickness_mm\":10,\"q_factor\":9.955818,\"error\":null}\n",
            ""},
        CommandRow{"ImpossibleThicknessHasBothMessages",
                   {"thickness", "--ends=screen", "--frequency", "2000", "--volume", "1000", "--diameter", "2",
                    "--format", "csv"},
                   0,
                   kCsvHeader + "3,2000,1000,-0.86322904,2,3.1415927,false,Impossible values!!!; Impossible values !,2,"
                                "1.7724539,-8.63229,0.0024600297,\n",
                   ""},
        // Not finite: inf and nan in CSV, null in JSON.
        CommandRow{
            "InfiniteVolumeAtZeroHertz",
            {"volume", "--ends=screen", "--frequency", "0", "--diameter", "2", "--thickness", "1", "--format", "csv"},
            0,
            kCsvHeader + "2,0,inf,1,2,3.1415927,true,,2,1.7724539,10,inf,\n",
            ""},
        CommandRow{
            "InfiniteVolumeAtZeroHertzInJson",
            {"volume", "--ends=screen", "--frequency", "0", "--diameter", "2", "--thickness", "1", "--format", "json"},
            0,
            "{\"calculation\":2,\"frequency_hz\":0,\"volume_cc\":null,\"thickness_cm\":1,\"diameter_cm\":2,"
            "\"surface_cm2\":3.1415927,\"possible\":true,\"message\":\"\",\"equivalent_diameter_cm\":2,"
            "\"square_side_cm\":1.7724539,\"thickness_mm\":10,\"q_factor\":null,\"error\":null}\n",
            ""},
        CommandRow{
            "UndefinedQFactorOfNothing",
            {"frequency", "--ends=screen", "--volume", "0", "--diameter", "0", "--thickness", "0", "--format", "csv"},
            0,
            kCsvHeader + "1,0,0,0,0,0,true,,0,0,0,nan,\n",
            ""},
        // The screens' model named explicitly is the answer without it, byte for byte.
        CommandRow{"ScreenEndsAndOnePortAreToday", Worked("frequency", {"--ends=screen", "--ports=1", "--format=csv"}),
                   0, kWorkedCsv, ""},
        CommandRow{"FourPortsAreNotLumped",
                   Worked("frequency", {"--sound-speed=340m/s", "--ends", "flanged-free", "--ports", "4"}), 0,
                   "Frequency       = 386.5884 Hz\n"
                   "Volume          = 1000 cm^3\n"
                   "Wall thickness  = 1 cm\n"
                   "Orifice diameter= 2 cm\n"
                   "Model: flanged-free ends, 4 ports, c = 340 m/s: end correction 1.462126 cm, Q 14.06736 (radiation "
                   "17.36869, viscous 74.01005), bandwidth 27.48124 Hz, peak absorption area 0.07677269 m^2\n"
                   "Not lumped: the neck or the cavity is not small against the wavelength (k*L' or k*V^(1/3) is 0.5 "
                   "or more); the figures are a rough guide\n"
                   "\n"
                   "    Frequency:  Volume:    Orifice: diameter square:  Thickness   Q-Factor:\n"
                   "    387Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.2\n",
                   ""},
        CommandRow{"FreeAsJson", Worked("frequency", {"--sound-speed=340m/s", "--ends=free", "--format=json"}), 0,
                   "{\"calculation\":1,\"frequency_hz\":203.26045,\"volume_cc\":1000,\"thickness_cm\":1,"
                   "\"diameter_cm\":2,\"surface_cm2\":3.1415927,\"possible\":true,\"message\":\"\","
                   "\"equivalent_diameter_cm\":2,\"square_side_cm\":1.7724539,\"thickness_mm\":10,"
                   "\"q_factor\":0.7262524,\"error\":null,\"ends\":\"free\",\"ports\":1,\"q_radiation\":238.79897,"
                   "\"bandwidth_hz\":5.030774,\"lumped\":true,\"end_correction_cm\":1.2266,\"q\":40.40341,\"q_"
                   "viscous\":48.6316,\"peak_absorption_area_m2\":null,\"slot\":null,\"pitch_cm\":null}\n",
                   ""},
        // The slot of a 2 cm hole's surface is that hole, to single precision, in the surface calculation.
        CommandRow{"SlotOfAHolesSurface",
                   {"frequency", "--sound-speed=340m/s", "--volume=1l", "--thickness=1", "--slot=4x0.785398",
                    "--ends=flanged", "--format=csv"},
                   0,
                   kModelCsvHeader + "5,194.07216,1000,1,,3.141592,true,,1.9999998,1.7724537,10,0.79664886,,flanged,1,"
                                     "137.34763,5.5318623,true,1.4424261,35.08261,47.1179,0.37363908,4x0.785398,\n",
                   ""},
        // On the screens' model a slot is the surface choice with the slot's surface.
        CommandRow{"SlotOnTheScreensModel",
                   {"frequency", "--ends=screen", "--volume=1000", "--thickness=1", "--slot=40x10mm", "--format=csv"},
                   0,
                   kModelCsvHeader + "5,197.59157,1000,1,,4,true,,2.2567585,2,10,0.6531356,,screen,1,,,,,,,,4x1,\n",
                   ""},
        CommandRow{"ImpossibleTextbookThickness",
                   {"thickness", "--sound-speed=340m/s", "--frequency=2000", "--volume=1000", "--diameter=2",
                    "--ends=flanged-free", "--format=csv"},
                   0,
                   kModelCsvHeader + "3,2000,1000,-1.4391285,2,3.1415927,false,Impossible values "
                                     "!,2,1.7724539,-14.391285,0.00090185646,,flanged-free,1,,,false,1.4621264,,,,,\n",
                   ""},
        // The model's refusals: exit code 2 and one line naming the option and the text.
        CommandRow{"UnknownEnds", Worked("frequency", {"--ends", "Flanged"}), 2, "",
                   Refused("--ends: 'Flanged' is not one of screen, flanged, free, flanged-free")},
        CommandRow{"PortsOnTheScreens", Worked("frequency", {"--ends=screen", "--ports", "4"}), 2, "",
                   Refused("--ports needs --ends flanged, free or flanged-free")},
        CommandRow{"NoPorts", Worked("frequency", {"--ports", "0", "--ends", "free"}), 2, "",
                   Refused("--ports needs a whole number of ports, 1 or more")},
        CommandRow{"PortsNotWhole", Worked("frequency", {"--ports", "2.5", "--ends", "free"}), 2, "",
                   Refused("--ports: '2.5' is not a whole number")},
        CommandRow{"PortsNegative", Worked("frequency", {"--ports=-1", "--ends", "free"}), 2, "",
                   Refused("--ports: '-1' is not a whole number")},
        CommandRow{"EndsTwice", Worked("frequency", {"--ends=free", "--ends=free"}), 2, "",
                   Refused("--ends is given more than once")},
        CommandRow{"SlotWithSurface",
                   {"volume", "--frequency=100", "--surface=1", "--thickness=1", "--slot=4x1"},
                   2,
                   "",
                   Refused("--slot and --surface cannot be given together")},
        CommandRow{"SlotSolvedFor",
                   {"diameter", "--frequency=100", "--volume=1000", "--thickness=1", "--slot=4x1", "--ends=flanged"},
                   2,
                   "",
                   Refused("--slot gives the orifice, which cannot then be solved for")},
        CommandRow{"SlotWithoutX",
                   {"frequency", "--volume=1", "--thickness=1", "--slot=4*1"},
                   2,
                   "",
                   Refused("--slot: '4*1' is not WxH (a width, x, a height)")},
        CommandRow{"SlotOfNothing",
                   {"frequency", "--volume=1", "--thickness=1", "--slot=4x0", "--ends=free"},
                   2,
                   "",
                   Refused("--slot needs a width and a height above zero")},
        CommandRow{"SlotSideNotANumber",
                   {"frequency", "--volume=1", "--thickness=1", "--slot=4x2,5"},
                   2,
                   "",
                   Refused("--slot: '4x2,5': '2,5' is not a number (the decimal separator is '.')")},
        CommandRow{"SlotSideOfAnotherKind",
                   {"frequency", "--volume=1", "--thickness=1", "--slot=4cm2x1"},
                   2,
                   "",
                   Refused("--slot: '4cm2x1': '4cm2': 'cm2' is not a length unit (mm, cm, dm, m, in, ft)")},
        CommandRow{"SlotOfAnInfiniteSurface",
                   {"frequency", "--volume=1", "--thickness=1", "--slot=1e20x1e20"},
                   2,
                   "",
                   Refused("--slot: '1e20x1e20': the surface is not finite in single precision")},
        // &H3 followed by the height's cm would read as &H3C m.
        CommandRow{"SlotHexWidthWithoutItsUnit",
                   {"frequency", "--volume=1", "--thickness=1", "--slot=&H3x2cm"},
                   2,
                   "",
                   Refused("--slot: '&H3x2cm': write the width's unit too")},
        // A slot is each row's own: batch takes --ends and --ports for empty cells, not --slot.
        CommandRow{"BatchTakesNoSlotOption",
                   {"batch", "--slot=1x1"},
                   2,
                   "",
                   Refused("batch: unknown argument '--slot=1x1'; see 'helmholtz batch --help'")},
        CommandRow{"HelpOfASubcommand", {"batch", "--help"}, 0, SubcommandUsageText("batch"), ""},
        CommandRow{"HelpWinsOverMissingOptions", {"volume", "-h"}, 0, SubcommandUsageText("volume"), ""},
        // Refused: exit code 2 and one line naming the option and the text.
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
                   Refused("--volume: '1000mm': 'mm' is not a volume unit (cc, ml, cm3, dm3, l, L, m3, in3, ft3)")},
        CommandRow{"TextAfterTheNumber",
                   {"thickness", "--frequency", "12.5abc", "--volume", "1", "--surface", "1"},
                   2,
                   "",
                   Refused("--frequency: '12.5abc': 'abc' is not a frequency unit (Hz, kHz)")},
        CommandRow{"SurfaceUnitOnALength",
                   {"diameter", "--frequency", "1", "--volume", "1", "--thickness", "1cm2"},
                   2,
                   "",
                   Refused("--thickness: '1cm2': 'cm2' is not a length unit (mm, cm, dm, m, in, ft)")},
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
        CommandRow{
            "Repeated",
            {"diameter", "--frequency", "1", "--volume", "1", "--thickness", "1", "--format=csv", "--format=csv"},
            2,
            "",
            Refused("--format is given more than once")},
        // An input option repeated is a list of values, one design each.
        CommandRow{"RepeatedInputIsAList",
                   {"diameter", "--ends=screen", "--frequency", "1", "--frequency", "2", "--volume", "1", "--thickness",
                    "1", "--format", "csv"},
                   0,
                   kCsvHeader +
                       "4,1,1,1,0.00020853362,3.4154034e-08,true,,0.00020853362,0.0001848081,10,9.95674e+11,\n" +
                       "4,2,1,1,0.0004170865,1.3662877e-07,true,,0.0004170865,0.0003696333,10,62235365376,\n",
                   ""},
        CommandRow{"SweepAsAlignedText",
                   {"thickness", "--ends=screen", "--frequency", "100:400:100", "--volume", "1l", "--diameter", "2"},
                   0,
                   "Model: screen ends, 1 port, the screens' air, c = 340 m/s\n"
                   "   frequency_hz         volume_l      diameter_cm     thickness_cm\n"
                   "            100                1                2         8.312929\n"
                   "            200                1                2         1.413562\n"
                   "            300                1                2       0.13590148\n"
                   "            400                1                2      -0.31127968  Impossible values!!!; "
                   "Impossible values !\n",
                   ""},
        // A textbook model: its line, its figures after the computed quantity, and "Not lumped".
        CommandRow{"SweepUnderAModelAsAlignedText",
                   {"frequency", "--sound-speed=340m/s", "--volume", "1l", "--diameter", "1:2:1", "--thickness", "1",
                    "--ends", "flanged", "--ports", "4"},
                   0,
                   "Model: flanged ends, 4 ports, c = 340 m/s\n"
                   "       volume_l      diameter_cm     thickness_cm     frequency_hz  end_correction_cm      "
                   "q_radiation                q     bandwidth_hz\n"
                   "              1                1                1        223.06216         0.84882635        "
                   "91.144264        23.639471         9.436005\n"
                   "              1                2                1         369.3269          1.6976527        "
                   "19.907745        15.910251        23.213142  Not lumped\n",
                   ""},
        // The screens' formulas on a slot, which no row shows.
        CommandRow{
            "SweepOfASlotNamesIt",
            {"volume", "--ends=screen", "--frequency", "100:200:100", "--slot", "4x0.785398", "--thickness", "1"},
            0,
            "Model: screen ends, 1 port (slot 4 x 0.785398 cm), the screens' air, c = 340 m/s\n"
            "   frequency_hz     thickness_cm        volume_cc\n"
            "            100                1         3318.055\n"
            "            200                1        829.51373\n",
            ""},
        CommandRow{"SweepRefusedByItsModel",
                   {"thickness", "--ends=screen", "--frequency", "100:200:100", "--volume", "1l", "--diameter", "2",
                    "--ports", "2"},
                   2,
                   "",
                   Refused("--ports needs --ends flanged, free or flanged-free")},
        CommandRow{"SweepTakesOneModel",
                   {"thickness", "--frequency", "100:200:100", "--volume", "1l", "--diameter", "2", "--ends", "free",
                    "--ends", "flanged"},
                   2,
                   "",
                   Refused("--ends is given more than once")},
        CommandRow{"OnlyPossibleDropsTheImpossible",
                   {"thickness", "--ends=screen", "--frequency", "300:400:100", "--volume", "1l", "--diameter", "2",
                    "--only-possible", "--format", "json"},
                   0,
                   "{\"calculation\":3,\"frequency_hz\":300,\"volume_cc\":1000,\"thickness_cm\":0.13590148,"
                   "\"diameter_cm\":2,\"surface_cm2\":3.1415927,\"possible\":true,\"message\":\"\","
                   "\"equivalent_diameter_cm\":2,\"square_side_cm\":1.7724539,\"thickness_mm\":1.3590147,"
                   "\"q_factor\":0.22948049,\"error\":null}\n",
                   ""},
        // Refused before the first design, naming the option.
        CommandRow{"ZeroStep",
                   {"frequency", "--volume", "1:2:0", "--diameter", "2", "--thickness", "1"},
                   2,
                   "",
                   Refused("--volume: '1:2:0': the step is zero")},
        CommandRow{"StepAwayFromTheStop",
                   {"frequency", "--volume", "1:2:-1", "--diameter", "2", "--thickness", "1"},
                   2,
                   "",
                   Refused("--volume: '1:2:-1': the step -1 goes down, away from the stop 2")},
        CommandRow{"StepNotANumber",
                   {"frequency", "--volume", "1", "--diameter", "1:2:x", "--thickness", "1"},
                   2,
                   "",
                   Refused("--diameter: '1:2:x': the step 'x': 'x' is not a number")},
        CommandRow{"RangeUnitOnTheStart",
                   {"frequency", "--volume", "1l:2:1", "--diameter", "2", "--thickness", "1"},
                   2,
                   "",
                   Refused("--volume: '1l:2:1': write the unit once, behind the step (START:STOP:STEPl)")},
        CommandRow{
            "RangeUnitNotOfTheDimension",
            {"frequency", "--volume", "1:2:1mm", "--diameter", "2", "--thickness", "1"},
            2,
            "",
            Refused("--volume: '1:2:1mm': the start '1': '1mm': 'mm' is not a volume unit (cc, ml, cm3, dm3, l, L, "
                    "m3, in3, ft3)")},
        CommandRow{"PlotOfThreeSweptOptions",
                   {"frequency", "--volume", "1:2:1", "--diameter", "1:2:1", "--thickness", "1:2:1", "--plot", "-"},
                   2,
                   "",
                   Refused("--plot: a chart shows at most two swept options (x and one curve per value); 3 are swept")},
        CommandRow{"PlotOfTooManyCurves",
                   {"frequency", "--volume", "1:2:1", "--diameter", "1:20:1", "--thickness", "1", "--plot", "-"},
                   2,
                   "",
                   Refused("--plot: at most 10 curves, one per value of --diameter, which has 20")},
        CommandRow{"PlotIntoNoFolder",
                   {"frequency", "--volume", "1:2:1", "--diameter", "1", "--thickness", "1", "--plot",
                    "/nonexistent/chart.svg"},
                   1,
                   "",
                   Refused("--plot: cannot write '/nonexistent/chart.svg'")},
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
        CommandRow{// The speed sets c, the temperature the air's density and viscosity.
                   "SpeedAndTemperature",
                   {"frequency", "--volume=1000", "--thickness=1", "--diameter=2", "--ends=flanged",
                    "--sound-speed=340m/s", "--temperature=20", "--format=csv"},
                   0,
                   kModelCsvHeader + kFlangedRow,
                   ""},
        // The air swept like an input, varied fastest: each row shows its speed of sound.
        CommandRow{"SweptTemperatureAsAlignedText",
                   {"frequency", "--volume=1l", "--diameter=2", "--thickness=1", "--temperature=0:40:20"},
                   0,
                   "Model: flanged ends, 1 port, the air as swept\n"
                   "       volume_l      diameter_cm     thickness_cm  sound_speed_m_s     frequency_hz  "
                   "end_correction_cm      q_radiation                q     bandwidth_hz\n"
                   "              1                2                1            331.3        179.93825          "
                   "1.6976527        159.02899         43.01587        4.1830664\n"
                   "              1                2                1         343.2146        186.40941          "
                   "1.6976527        159.07043         41.61982        4.4788613\n"
                   "              1                2                1         354.7293        192.66335          "
                   "1.6976527        159.11044         40.35613         4.774079\n",
                   ""},
        CommandRow{"SweptSoundSpeedOnTheScreensModelAsCsv",
                   {"frequency", "--volume=1000", "--diameter=2", "--thickness=1", "--sound-speed=340m/s",
                    "--sound-speed=343m/s", "--ends=screen", "--format=csv"},
                   0,
                   kModelCsvHeader.substr(0, kModelCsvHeader.size() - 1) + ",sound_speed_m_s\n" +
                       "1,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,,screen,1,,,,,,,,,,340\n"
                       "1,222.78822,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6098515,,screen,1,,,,,,,,,,343\n",
                   ""},
        CommandRow{"SweptSpeedOutsideAGas",
                   {"frequency", "--volume=1000", "--diameter=2", "--thickness=1", "--sound-speed=300:400:100"},
                   2,
                   "",
                   Refused("--sound-speed: '300:400:100': the start '300': 300 cm/s is no speed of sound in a gas; "
                           "did you mean 300m/s?")},
        CommandRow{"BatchTakesOneAir",
                   {"batch", "--temperature=10", "--temperature=20"},
                   2,
                   "",
                   Refused("--temperature: batch takes one air for its rows, not a range or a list")},
        // Ports on a grid: refused where the hole-interaction factor does not hold or no panel is.
        CommandRow{"GridTooOpen",
                   {"frequency", "--volume=18l", "--diameter=8mm", "--thickness=6mm", "--ports=351", "--pitch=10mm"},
                   2,
                   "",
                   Refused("--pitch leaves an open area over 0.4 (the orifice over the pitch squared); the grid's end "
                           "correction holds up to 0.4")},
        CommandRow{"GridOnTheScreensModel",
                   {"frequency", "--volume=18l", "--diameter=8mm", "--thickness=6mm", "--pitch=32mm", "--ends=screen"},
                   2,
                   "",
                   Refused("--pitch needs --ends flanged or flanged-free")},
        CommandRow{"GridOfNoPitch",
                   {"frequency", "--volume=18l", "--diameter=8mm", "--thickness=6mm", "--ports=351", "--pitch=0"},
                   2,
                   "",
                   Refused("--pitch needs a length above zero")},
        CommandRow{"TwoUnitsOfOneDimension",
                   {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--units=l,cc"},
                   2,
                   "",
                   Refused("--units: 'l' and 'cc' both name the volume's unit")},
        CommandRow{"UnitsOfNoDesignDimension",
                   {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--units=m/s"},
                   2,
                   "",
                   Refused("--units: 'm/s' is not a unit of frequency, volume, length or surface, nor metric, "
                           "imperial or screen")},
        // Named units rename the JSON keys as the CSV header, and convert every number of their dimension.
        CommandRow{"UnitsNamedInJson",
                   {"frequency", "--volume=1000", "--diameter=2", "--thickness=1", "--sound-speed=340m/s",
                    "--units=kHz,l,mm,mm2", "--format=json"},
                   0,
                   "{\"calculation\":1,\"frequency_khz\":0.18466344,\"volume_l\":1,\"thickness_mm\":10,"
                   "\"diameter_mm\":20,\"surface_mm2\":314.15927,\"possible\":true,\"message\":\"\","
                   "\"equivalent_diameter_mm\":20,\"square_side_mm\":17.724539,\"panel_thickness_mm\":10,"
                   "\"q_factor\":0.8798962,\"error\":null,\"ends\":\"flanged\",\"ports\":1,"
                   "\"q_radiation\":159.07486,\"bandwidth_khz\":0.0044522597,\"lumped\":true,"
                   "\"end_correction_mm\":16.976526,\"q\":41.476345,\"q_viscous\":56.10482,"
                   "\"peak_absorption_area_m2\":0.417678,\"slot\":null,\"pitch_mm\":null}\n",
                   ""},
        CommandRow{"BadSpeedUnit",
                   {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--sound-speed=340km/h"},
                   2,
                   "",
                   Refused("--sound-speed: '340km/h': 'km/h' is not a speed unit (cm/s, m/s, ft/s)")},
        // No speed of sound, or a negative one, would give 0 Hz or negative hertz marked possible.
        CommandRow{"BelowAbsoluteZero",
                   {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--temperature=-300"},
                   2,
                   "",
                   Refused("--temperature: '-300' is not above absolute zero (-273.15 C)")},
        CommandRow{"AtAbsoluteZero", Worked("frequency", {"--temperature=-273.15"}), 2, "",
                   Refused("--temperature: '-273.15' is not above absolute zero (-273.15 C)")},
        CommandRow{"TemperatureBeyondSingle", Worked("frequency", {"--temperature=1e39"}), 2, "",
                   Refused("--temperature: '1e39' is not finite in single precision")},
        CommandRow{"NoSpeedOfSound", Worked("frequency", {"--sound-speed=0"}), 2, "",
                   Refused("--sound-speed: '0' is not above zero")},
        CommandRow{"NegativeSpeedOfSound", Worked("frequency", {"--sound-speed=-340m/s"}), 2, "",
                   Refused("--sound-speed: '-340m/s' is not above zero")},
        CommandRow{"UnknownTemperatureUnit",
                   {"surface", "--frequency=1", "--volume=1", "--thickness=1", "--temperature=68R"},
                   2,
                   "",
                   Refused("--temperature: '68R': 'R' is not a temperature unit (C, F or K; a degree sign may stand "
                           "before C or F)")},
        // A speed no gas has is a unit mistaken: the number as it would be meant is offered.
        CommandRow{"SpeedWithoutItsUnitIsInCentimetresPerSecond", Worked("frequency", {"--sound-speed=343"}), 2, "",
                   Refused("--sound-speed: 343 cm/s is no speed of sound in a gas; did you mean 343m/s?")},
        CommandRow{"SpeedInTheWrongUnit", Worked("frequency", {"--sound-speed=20000m/s"}), 2, "",
                   Refused("--sound-speed: 20000 m/s is no speed of sound in a gas; did you mean 20000cm/s?")},
        CommandRow{"SpeedNoGasHasInAnyUnit", Worked("frequency", {"--sound-speed=5ft/s"}), 2, "",
                   Refused("--sound-speed: 5 ft/s is no speed of sound in a gas (between 10 m/s and 10000 m/s)")},
        CommandRow{"PlotIntoAFileThatIsNoSvg", Worked("frequency", {"--volume=1:2:1", "--plot=chart.png"}), 2, "",
                   Refused("--plot: 'chart.png' is not an SVG file (FILE.svg), nor - for the terminal")},
        CommandRow{"PlotOfASingleDesign", Worked("frequency", {"--plot=-"}), 2, "",
                   Refused("--plot: a chart needs more than one design; sweep an input (START:STOP:STEP, or the "
                           "option given again)")},
        CommandRow{"LogAxisWithoutPlot", Worked("frequency", {"--log-x"}), 2, "", Refused("--log-x needs --plot")},
        CommandRow{"LogAndLinearAxis", Worked("frequency", {"--volume=1:2:1", "--plot=-", "--log-x", "--linear-x"}), 2,
                   "", Refused("--log-x and --linear-x cannot be given together")},
        CommandRow{
            "LogAxisThroughZero",
            {"frequency", "--volume", "0:1000:10", "--diameter", "2", "--thickness", "1", "--plot", "-", "--log-x"},
            2,
            "",
            Refused("--log-x: the x axis goes down to 0; a logarithmic one needs it above zero")},
        CommandRow{"DelimiterWithoutCsv", Worked("frequency", {"--delimiter=;"}), 2, "",
                   Refused("--delimiter needs --format csv")},
        CommandRow{"UnknownDelimiter", Worked("frequency", {"--format=csv", "--delimiter=|"}), 2, "",
                   Refused("--delimiter: '|' is not one of , ; tab (or comma, semicolon)")},
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
        // CLI11 would read --only-possible=no as the flag set off.
        CommandRow{"FlagGivenAValue", Worked("frequency", {"--only-possible=no"}), 2, "",
                   Refused("frequency: --only-possible takes no value; see 'helmholtz frequency --help'")},
        CommandRow{"FlagGivenAnEmptyValue",
                   {"batch", "--help="},
                   2,
                   "",
                   Refused("batch: --help takes no value; see 'helmholtz batch --help'")},
        CommandRow{"ShortFlagGivenAValue",
                   {"volume", "-h=1"},
                   2,
                   "",
                   Refused("volume: -h takes no value; see 'helmholtz volume --help'")},
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
        CommandRow{"BatchDrawsNoChart",
                   {"batch", "--plot", "chart.svg"},
                   2,
                   "",
                   Refused("batch: unknown argument '--plot'; see 'helmholtz batch --help'")},
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
    RowName);

// The response's rows: the worked example's impedance, gain and area equal
// mpmath's at 30 digits with the program's c = 343.214609375 m/s after one
// rounding to single (150 Hz: 2434.90037724 - 52403.9551331j Pa s/m^3,
// 9.15394410 dB, 0.00116467222 m^2; free ends at 100 Hz: 1694.05516414 -
// 171598.458185j, 2.38172565 dB; tests/acoustics/reference/response_rows.py).
const std::string kResponseHeader = "frequency_hz,impedance_re,impedance_im,cavity_gain_db,absorption_area_m2\n";

INSTANTIATE_TEST_SUITE_P(
    Response, CommandTest,
    ::testing::Values(
        CommandRow{"LinearBand", Worked("response", {"--band=150:200:50", "--format=csv"}), 0,
                   kResponseHeader + "150,2434.9004,-52403.957,9.153944,0.0011646722\n"
                                     "200,3120.0151,17803.4,15.910384,0.011326672\n",
                   ""},
        // A number with a unit of its own keeps it; the others take the last one's.
        CommandRow{"BandPiecesWithTheirOwnUnits", Worked("response", {"--band=0.15kHz:200Hz:0.05kHz", "--format=csv"}),
                   0,
                   kResponseHeader + "150,2434.9004,-52403.957,9.153944,0.0011646722\n"
                                     "200,3120.0151,17803.4,15.910384,0.011326672\n",
                   ""},
        CommandRow{
            "FreeEndsHaveNoAbsorptionArea",
            Worked("response", {"--ends=free", "--band=0.1:0.2kHz", "--per-octave=1", "--format=csv", "--delimiter=;"}),
            0,
            "frequency_hz;impedance_re;impedance_im;cavity_gain_db;absorption_area_m2\n"
            "100;1694,0552;-171598,45;2,3817255;\n200;2679,241;-4884,728;26,132753;\n",
            ""},
        CommandRow{
            "ABlockPerDesignBehindItsInputs",
            {"response", "--volume=1l", "--volume=2l", "--diameter=2", "--thickness=1", "--band=186.40941:186.40941",
             "--format=json"},
            0,
            "{\"volume_l\":1,\"diameter_cm\":2,\"thickness_cm\":1,\"frequency_hz\":186.40941,\"impedance_re\":"
            "2927.008,\"impedance_im\":719.07697,\"cavity_gain_db\":32.080074,\"absorption_area_m2\":0.39326575}\n"
            "{\"volume_l\":2,\"diameter_cm\":2,\"thickness_cm\":1,\"frequency_hz\":186.40941,\"impedance_re\":"
            "2927.008,\"impedance_im\":61270.312,\"cavity_gain_db\":-0.11244176,\"absorption_area_m2\":"
            "0.00094949896}\n",
            ""},
        CommandRow{"TextInTheUnitsListed", Worked("response", {"--band=186:187:1", "--units=kHz,l,mm"}), 0,
                   "Model: flanged ends, 1 port, air at 20 C, c = 343.2146 m/s: end correction 16.97653 mm, Q "
                   "41.61982 (radiation 159.0704, viscous 56.36823), bandwidth 0.004478861 kHz, peak absorption "
                   "area 0.4186148 m^2\n"
                   "Resonance: 0.1864094 kHz\n"
                   "  frequency_khz     impedance_re     impedance_im   cavity_gain_db  absorption_area_m2\n"
                   "          0.186         2921.277        185.74617         32.35318           0.4164953\n"
                   "          0.187        2935.2837        1486.3698        31.291231          0.33054858\n",
                   ""},
        CommandRow{"ADesignOfASweepRefusedAndTheOthersAnswered",
                   {"response", "--volume=1l", "--diameter=2", "--diameter=4", "--thickness=1", "--ports=2",
                    "--pitch=3cm", "--band=100:100", "--format=csv"},
                   1,
                   "volume_l,diameter_cm,thickness_cm," + kResponseHeader +
                       "1,2,1,100,1012.2874,-206768.58,0.7626217,3.0619467e-05\n",
                   Refused("volume 1 l, diameter 4 cm, wall thickness 1 cm: --pitch leaves an open area over 0.4 (the "
                           "orifice over the pitch squared); the grid's end correction holds up to 0.4")},
        CommandRow{"OneDesignRefusedAsFrequencyRefusesIt", Worked("response", {"--ports=2", "--pitch=1.5cm"}), 2, "",
                   Refused("--pitch leaves an open area over 0.4 (the orifice over the pitch squared); the grid's end "
                           "correction holds up to 0.4")},
        CommandRow{"NoResonanceWithoutAVolume",
                   {"response", "--volume=0", "--diameter=2", "--thickness=1"},
                   2,
                   "",
                   Refused("response: the design has no finite resonance above 0 Hz")},
        CommandRow{"ScreenEndsHaveNoLosses", Worked("response", {"--ends=screen"}), 2, "",
                   Refused("response: --ends screen has no losses; give --ends flanged, free or flanged-free")},
        CommandRow{"FrequencyIsWhatItComputes",
                   {"response", "--frequency=100", "--diameter=2", "--thickness=1"},
                   2,
                   "",
                   Refused("response: --frequency cannot be given: the frequency is what it computes")},
        CommandRow{"BandBackwards", Worked("response", {"--band=10:5"}), 2, "",
                   Refused("--band: '10:5': the band's end lies below its start")},
        CommandRow{"BandOfFourParts", Worked("response", {"--band=1:2:3:4"}), 2, "",
                   Refused("--band: '1:2:3:4': not FROM:TO nor START:STOP:STEP")},
        CommandRow{"BandFromZero", Worked("response", {"--band=0:100"}), 2, "",
                   Refused("--band: '0:100': every frequency must lie above 0 Hz")},
        CommandRow{"BandNotANumber", Worked("response", {"--band=x:100"}), 2, "",
                   Refused("--band: 'x' is not a number")},
        CommandRow{"BandTooLong", Worked("response", {"--band=1:1e9:1"}), 2, "",
                   Refused("--band: '1:1e9:1': more than 100000000 frequencies")},
        CommandRow{"PerOctaveOfNone", Worked("response", {"--per-octave=0"}), 2, "",
                   Refused("--per-octave: '0' is not a whole number from 1 to 1000")},
        CommandRow{"PerOctaveWithAStep", Worked("response", {"--band=100:200:50", "--per-octave=3"}), 2, "",
                   Refused("--per-octave needs a band FROM:TO, not a step")},
        CommandRow{"PlotQuantityWithoutPlot", Worked("response", {"--plot-quantity=gain"}), 2, "",
                   Refused("--plot-quantity needs --plot")},
        CommandRow{"PlotQuantityUnknown", Worked("response", {"--plot=-", "--plot-quantity=loudness"}), 2, "",
                   Refused("--plot-quantity: 'loudness' is not one of gain, absorption-area")},
        CommandRow{"NoAbsorptionAreaToPlotForFreeEnds",
                   Worked("response", {"--ends=free", "--plot=-", "--plot-quantity=absorption-area"}), 2, "",
                   Refused("--plot-quantity absorption-area: a free outer end (--ends free) has no absorption area")},
        CommandRow{"ElevenCurvesTooMany",
                   {"response", "--volume=1:11:1l", "--diameter=2", "--thickness=1", "--plot=-"},
                   2,
                   "",
                   Refused("--plot: at most 10 curves, one per design; the sweep has 11")},
        CommandRow{"OneAirForItsCurves", Worked("response", {"--temperature=10:20:5"}), 2, "",
                   Refused("--temperature: response takes one air for its curves, not a range or a list")},
        CommandRow{"TakesNoOnlyPossible", Worked("response", {"--only-possible"}), 2, "",
                   Refused("response: unknown argument '--only-possible'; see 'helmholtz response --help'")}),
    RowName);

// The default axis: an eighth to eight times the resonance, 24 points per
// octave, its last point eight times the resonance exactly.
TEST(Response, DefaultAxisSpansSixOctavesAroundTheResonance) {
  const Ran ran = RunHelmholtz(Worked("response", {"--format=csv"}));
  ASSERT_EQ(ran.exitCode, 0) << ran.err;
  std::istringstream rows(ran.out);
  std::vector<std::string> frequencies;
  for (std::string row; std::getline(rows, row);) frequencies.push_back(row.substr(0, row.find(',')));
  ASSERT_EQ(frequencies.size(), 1 + 6 * 24 + 1);
  EXPECT_EQ(frequencies[1], "23.301176");      // 186.40941 / 8
  EXPECT_EQ(frequencies[73], "186.40941");     // the resonance
  EXPECT_EQ(frequencies.back(), "1491.2753");  // 186.40941 * 8
}

// The panel absorber: the acoustics library's worked examples through the
// command line (acoustics/panel/*.h), and every refusal in one line.
std::vector<std::string> Absorber(std::vector<std::string> design, std::vector<std::string> more) {
  design.insert(design.begin(), "absorber");
  design.insert(design.end(), more.begin(), more.end());
  return design;
}
// absorber.h's example at 500 Hz: z = 0.0576234 - 0.880762j, and with 50 mm
// of fill 0.653682 - 0.389689j.
const std::vector<std::string> kHoles = {"--holes", "5mm", "--open-area", "5%", "--thickness", "3mm"};
std::vector<std::string> HolesOver50mm(std::vector<std::string> more) {
  std::vector<std::string> design = kHoles;
  design.insert(design.end(), {"--depth", "50mm", "--incidence", "normal", "--band", "500:500"});
  return Absorber(design, more);
}
// bands.h's example: third octaves 6 9 14 20 30 43 60 77 86 81 68 54 44 38 37 31 12 8 9 4 3.
const std::vector<std::string> kBandsExample = {"--holes", "5mm",   "--pitch", "25mm", "--thickness",        "3mm",
                                                "--depth", "100mm", "--fill",  "50mm", "--flow-resistivity", "10000"};
const std::string kMikiAt50Hz =
    "helmholtz: absorber: warning: the fill's Miki model is used outside the range it was fitted to (0.01 <= f/R <= "
    "1)";
const std::string kCurveHeader = "frequency_hz,alpha,impedance_re,impedance_im\n";

INSTANTIATE_TEST_SUITE_P(
    Absorber, CommandTest,
    ::testing::Values(
        CommandRow{"AbsorberRowOfTheLibrarysExample", HolesOver50mm({"--format", "csv"}), 0,
                   kCurveHeader + "500,0.12167692,0.057623424,-0.88076204\n", ""},
        CommandRow{
            "AbsorberFillInKiloPascalsAsJson",
            HolesOver50mm({"--fill", "50mm", "--flow-resistivity", "10kPa*s/m2", "--format", "json"}), 0,
            "{\"frequency_hz\":500,\"alpha\":0.9058404,\"impedance_re\":0.65368176,\"impedance_im\":-0.38968864}\n",
            ""},
        CommandRow{"AbsorberSemicolonsWithDecimalCommas", HolesOver50mm({"--format", "csv", "--delimiter", ";"}), 0,
                   "frequency_hz;alpha;impedance_re;impedance_im\n500;0,12167692;0,057623424;-0,88076204\n", ""},
        CommandRow{"AbsorberLinearFrequenciesAtAnAngle",
                   Absorber(kHoles, {"--depth", "50mm", "--band", "1:3:1kHz", "--incidence", "60", "--format", "csv"}),
                   0,
                   kCurveHeader +
                       "1000,0.09803005,0.08130686,1.5177027\n2000,0.033149645,0.11485388,4.821314\n3000,0.012566075,0."
                       "14061296,9.216121\n",
                   ""},
        CommandRow{"AbsorberTuneSolvesTheDepth",
                   Absorber(kHoles, {"--tune", "695.851", "--solve", "depth", "--incidence", "normal", "--band",
                                     "500:500", "--format", "csv"}),
                   0, "depth_mm," + kCurveHeader + "49.99997,500,0.12167678,0.057623424,-0.88076323\n", ""},
        CommandRow{"AbsorberOctavesArePracticalCoefficients",
                   Absorber(kBandsExample, {"--bands", "octave", "--format", "csv"}), 0,
                   "band_hz,alpha\n125,0.30\n250,0.75\n500,0.70\n1000,0.40\n2000,0.15\n4000,0.05\n",
                   kMikiAt50Hz + "\n"},
        CommandRow{"AbsorberThirdOctavesAtTheirExactCentres",
                   Absorber(kBandsExample, {"--bands", "third-octave", "--band", "400:400", "--format", "csv"}), 0,
                   "band_hz,frequency_hz,alpha\n50,50.118725,0.06\n63,63.095734,0.09\n80,79.43282,0.14\n100,100,0.20\n"
                   "125,125.89254,0.30\n160,158.48932,0.43\n200,199.52623,0.60\n250,251.18864,0.77\n"
                   "315,316.22775,0.86\n400,398.10718,0.81\n500,501.18723,0.68\n630,630.95734,0.54\n"
                   "800,794.32825,0.44\n1000,1000,0.38\n1250,1258.9254,0.37\n1600,1584.8932,0.31\n"
                   "2000,1995.2623,0.12\n2500,2511.8865,0.08\n3150,3162.2776,0.09\n4000,3981.0718,0.04\n"
                   "5000,5011.8726,0.03\n",
                   kMikiAt50Hz + "\n"},
        // NRC (77 + 68 + 38 + 12)/4 = 48.75 -> 0.50; SAA 596/12 = 49.7 -> 0.50.
        CommandRow{"AbsorberRatingsOfADepthSweep",
                   Absorber({"--depth", "50mm", "--depth", "100mm"},
                            {"--holes", "5mm", "--pitch", "25mm", "--thickness", "3mm", "--fill", "50mm",
                             "--flow-resistivity", "10000", "--ratings", "--format", "csv"}),
                   0,
                   "depth_mm,f0_hz,peak_hz,peak_alpha,nrc,saa,alpha_w,alpha_w_shape,alpha_w_class\n"
                   "50,541.804,454.7934,0.81910485,0.40,0.40,0.20,LM,E\n"
                   "100,383.11328,325.9716,0.8660745,0.50,0.50,0.20,LM,E\n",
                   kMikiAt50Hz + " for depth 50 mm\n" + kMikiAt50Hz + " for depth 100 mm\n"},
        // Each design's rows lead with its swept value; the 500 Hz row is
        // absorber.h's example again.
        CommandRow{"AbsorberSweepLeadsEachRowWithItsDepth",
                   Absorber(kHoles, {"--depth", "50mm", "--depth", "100mm", "--band", "500:1000", "--per-octave", "1",
                                     "--incidence", "normal", "--format", "csv"}),
                   0,
                   "depth_mm," + kCurveHeader +
                       "50,500,0.12167692,0.057623424,-0.88076204\n50,1000,0.093654074,0.08130686,1.5177027\n"
                       "100,500,0.18243198,0.057623424,0.3806347\n100,1000,0.04232399,0.08130686,2.5524516\n",
                   ""},
        CommandRow{"AbsorberTuneSolvesThePitchOfATriangularGrid",
                   Absorber({"--holes", "8mm", "--thickness", "12mm", "--depth", "100mm", "--grid", "triangular"},
                            {"--tune", "250", "--solve", "pitch", "--band", "250:250", "--incidence", "normal",
                             "--format", "csv"}),
                   0, "pitch_mm," + kCurveHeader + "40.0026,250,0.28661078,0.08786352,0.20686859\n", ""},
        CommandRow{"AbsorberTuneSolvesTheHoles",
                   Absorber({"--pitch", "4mm", "--thickness", "0.5mm", "--depth", "5cm"},
                            {"--tune", "1kHz", "--solve", "holes", "--band", "1:1:1kHz", "--incidence", "normal",
                             "--format", "csv"}),
                   0, "holes_mm," + kCurveHeader + "0.5560388,1000,0.72237104,0.3790373,0.44396758\n", ""},
        CommandRow{"AbsorberFillAgainstTheWall",
                   Absorber(kHoles, {"--depth", "100mm", "--fill", "50mm", "--flow-resistivity", "10000", "--fill-at",
                                     "wall", "--band", "500:500", "--incidence", "normal", "--format", "csv"}),
                   0, kCurveHeader + "500,0.6021105,0.29074398,0.51524657\n", ""},
        // A bare fill as deep as the cavity: no f0, and the alpha_w of a thick wool.
        CommandRow{"AbsorberBareFillRatingsAsJson",
                   Absorber({"--depth", "10cm", "--fill", "10cm", "--flow-resistivity", "1e4"},
                            {"--ratings", "--format", "json"}),
                   0,
                   "{\"f0_hz\":null,\"peak_hz\":909.39453,\"peak_alpha\":0.9433527,\"nrc\":0.85,\"saa\":0.84,"
                   "\"alpha_w\":0.90,\"alpha_w_shape\":\"\",\"alpha_w_class\":\"A\"}\n",
                   kMikiAt50Hz + "\n"},
        // A sweep's text answers, a block a design.
        CommandRow{
            "AbsorberTextOfASweep",
            Absorber({"--depth", "10cm", "--fill", "5:10:5cm", "--flow-resistivity", "1e4"},
                     {"--band", "200:3200", "--per-octave", "1", "--incidence", "normal"}),
            0,
            "Absorber: depth 100 mm, fill 50 mm, flow resistivity 10000 Pa*s/m2; fill: Miki, against the facing\n"
            "Incidence: normal incidence; air at 20 C, c = 343.2146 m/s\n"
            "f0 = none (no facing)\n"
            "Peak: alpha = 0.998 at 763 Hz\n"
            "Half absorption: 248.4 Hz to above the highest frequency\n"
            "Third octaves:\n"
            "  Hz      50   63   80  100  125  160  200  250  315  400  500\n"
            "  alpha 0.03 0.05 0.08 0.12 0.18 0.26 0.36 0.50 0.65 0.79 0.91\n"
            "  Hz     630  800 1000 1250 1600 2000 2500 3150 4000 5000\n"
            "  alpha 0.98 1.00 0.97 0.90 0.84 0.88 0.99 0.93 1.00 0.96\n"
            "Octaves (alpha_p):\n"
            "  Hz     125  250  500 1000 2000 4000\n"
            "  alpha 0.20 0.50 0.90 0.95 0.90 0.95\n"
            "NRC = 0.80\n"
            "SAA = 0.81\n"
            "\xCE\xB1"
            "w = 0.80(H)\n"
            "Class = B\n"
            "\n"
            "Absorber: depth 100 mm, fill 100 mm, flow resistivity 10000 Pa*s/m2; fill: Miki, against the facing\n"
            "Incidence: normal incidence; air at 20 C, c = 343.2146 m/s\n"
            "f0 = none (no facing)\n"
            "Peak: alpha = 0.981 at 3200 Hz\n"
            "Half absorption: 200 Hz to above the highest frequency\n"
            "Third octaves:\n"
            "  Hz      50   63   80  100  125  160  200  250  315  400  500\n"
            "  alpha 0.06 0.09 0.13 0.19 0.26 0.37 0.49 0.62 0.75 0.86 0.94\n"
            "  Hz     630  800 1000 1250 1600 2000 2500 3150 4000 5000\n"
            "  alpha 0.97 0.97 0.95 0.93 0.95 0.98 0.98 0.98 0.99 0.99\n"
            "Octaves (alpha_p):\n"
            "  Hz     125  250  500 1000 2000 4000\n"
            "  alpha 0.25 0.60 0.90 0.95 0.95 1.00\n"
            "NRC = 0.85\n"
            "SAA = 0.87\n"
            "\xCE\xB1"
            "w = 0.90\n"
            "Class = A\n",
            kMikiAt50Hz + " for fill 50 mm\n" + kMikiAt50Hz + " for fill 100 mm\n"},
        // The open area and the flow resistivity as swept columns, in % and Pa s/m^2.
        CommandRow{
            "AbsorberSlotsOfTwoOpenAreasOverTwoWools",
            Absorber({"--slots", "2mm", "--open-area", "10%", "--open-area", "20%", "--thickness", "10mm", "--depth",
                      "5cm", "--fill", "5cm", "--flow-resistivity", "5kPa*s/m2", "--flow-resistivity", "20000"},
                     {"--incidence", "45deg", "--ratings", "--format", "csv"}),
            0,
            "open_area_pct,flow_resistivity_pa_s_m2,f0_hz,peak_hz,peak_alpha,nrc,saa,alpha_w,alpha_w_shape,"
            "alpha_w_class\n"
            "10,5000,694.7945,576.6688,0.7525411,0.40,0.39,0.25,LM,E\n"
            "10,20000,694.7945,562.6692,0.9721096,0.60,0.59,0.30,LM,D\n"
            "20,5000,1018.95935,806.84937,0.72157174,0.45,0.47,0.45,,D\n"
            "20,20000,1018.95935,789.7797,0.97542363,0.70,0.71,0.55,M,D\n",
            kMikiAt50Hz + " for open area 10%, flow resistivity 5000 Pa*s/m2\n" + kMikiAt50Hz +
                " for open area 10%, flow resistivity 20000 Pa*s/m2\n" + kMikiAt50Hz +
                " for open area 20%, flow resistivity 5000 Pa*s/m2\n" + kMikiAt50Hz +
                " for open area 20%, flow resistivity 20000 Pa*s/m2\n"},
        CommandRow{"AbsorberOctavesAsJson",
                   Absorber({"--depth", "5cm", "--fill", "5cm", "--flow-resistivity", "1e4"},
                            {"--bands", "octave", "--incidence", "normal", "--format", "json"}),
                   0,
                   "{\"band_hz\":125,\"alpha\":0.05}\n{\"band_hz\":250,\"alpha\":0.20}\n"
                   "{\"band_hz\":500,\"alpha\":0.50}\n{\"band_hz\":1000,\"alpha\":0.85}\n"
                   "{\"band_hz\":2000,\"alpha\":0.95}\n{\"band_hz\":4000,\"alpha\":0.95}\n",
                   kMikiAt50Hz + "\n"},
        CommandRow{
            "AbsorberWarnsOfDelanyAndBazleyOutsideTheirFit",
            Absorber({"--depth", "10cm", "--fill", "5cm", "--flow-resistivity", "1e4", "--porous", "delany-bazley"},
                     {"--band", "50:50", "--format", "csv"}),
            0, kCurveHeader + "50,0.030731877,0.47058967,-10.123348\n",
            "helmholtz: absorber: warning: the fill's Delany-Bazley model is used outside the range it was "
            "fitted to (0.01 <= rho f/R <= 1)\n"}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    AbsorberRefusals, CommandTest,
    ::testing::Values(
        CommandRow{"AbsorberHolesWiderThanThePitch",
                   Absorber({"--holes", "5mm", "--pitch", "4mm", "--thickness", "3mm", "--depth", "5cm"}, {}), 2, "",
                   Refused("absorber: --holes 5 mm is wider than --pitch 4 mm")},
        CommandRow{"AbsorberOpenAreaOfAHundredPerCent",
                   Absorber({"--holes", "5mm", "--open-area", "100%", "--thickness", "3mm", "--depth", "5cm"}, {}), 2,
                   "", Refused("absorber: --open-area 100% is not below 100%")},
        CommandRow{"AbsorberSlotsAsWideAsTheirPitch",
                   Absorber({"--slots", "5mm", "--pitch", "5mm", "--thickness", "3mm", "--depth", "5cm"}, {}), 2, "",
                   Refused("absorber: --slots 5 mm at --pitch 5 mm leaves no plate")},
        CommandRow{"AbsorberHolesAboveTheInteractionLimit",
                   Absorber({"--holes", "5mm", "--pitch", "6mm", "--thickness", "1mm", "--depth", "5cm"}, {}), 2, "",
                   Refused("absorber: the holes' open area 54.54% is above 40%, where their end correction holds no "
                           "more")},
        CommandRow{"AbsorberZeroDepth", Absorber(kHoles, {"--depth", "0"}), 2, "",
                   Refused("absorber: --depth 0 mm is not above zero")},
        CommandRow{"AbsorberZeroDepthInASweep", Absorber(kHoles, {"--depth", "5:0:-5cm"}), 2, "",
                   Refused("absorber: --depth 0 mm is not above zero (depth 0 mm)")},
        CommandRow{"AbsorberFillThickerThanTheCavity",
                   Absorber({"--depth", "5cm", "--fill", "6cm", "--flow-resistivity", "1e4"}, {}), 2, "",
                   Refused("absorber: --fill 60 mm is thicker than --depth 50 mm")},
        CommandRow{"AbsorberFillWithoutResistivity", Absorber({"--depth", "5cm", "--fill", "3cm"}, {}), 2, "",
                   Refused("absorber: --fill needs --flow-resistivity")},
        CommandRow{"AbsorberHolesAndSlots", Absorber({"--holes", "1mm", "--slots", "1mm", "--depth", "5cm"}, {}), 2, "",
                   Refused("absorber: --holes and --slots cannot be given together")},
        CommandRow{"AbsorberPitchWithoutAFacing", Absorber({"--depth", "5cm", "--pitch", "1cm"}, {}), 2, "",
                   Refused("absorber: --pitch needs --holes or --slots")},
        CommandRow{"AbsorberMissingThickness", Absorber({"--holes", "5mm", "--depth", "5cm", "--open-area", "5%"}, {}),
                   2, "", Refused("absorber: --thickness is missing")},
        CommandRow{"AbsorberMissingDepth", Absorber(kHoles, {}), 2, "", Refused("absorber: --depth is missing")},
        CommandRow{"AbsorberResistivityInAnotherUnit",
                   Absorber({"--depth", "5cm", "--fill", "3cm", "--flow-resistivity", "10MPa"}, {}), 2, "",
                   Refused("absorber: --flow-resistivity: '10MPa' is not a flow resistivity (Pa*s/m2 or kPa*s/m2)")},
        CommandRow{"AbsorberUnknownFillModel",
                   Absorber({"--depth", "5cm", "--porous", "foam", "--fill", "3cm", "--flow-resistivity", "1e4"}, {}),
                   2, "", Refused("absorber: --porous: 'foam' is not one of miki delany-bazley")},
        CommandRow{
            "AbsorberRightAngleOfIncidence", Absorber({"--depth", "5cm", "--incidence", "90"}, {}), 2, "",
            Refused("absorber: --incidence: '90' is not normal, diffuse or an angle from 0 to below 90 degrees")},
        CommandRow{"AbsorberTuneWithoutSolve", Absorber(kHoles, {"--tune", "500"}), 2, "",
                   Refused("absorber: --tune needs --solve")},
        CommandRow{"AbsorberBandsWithRatings", Absorber({"--depth", "5cm", "--bands", "octave", "--ratings"}, {}), 2,
                   "", Refused("absorber: --bands and --ratings cannot be given together")},
        CommandRow{
            "AbsorberPitchPastTheLimit",
            Absorber({"--holes", "5mm", "--thickness", "3mm", "--tune", "5kHz", "--solve", "pitch", "--depth", "5cm"},
                     {}),
            2, "", Refused("absorber: --tune 5000 Hz: no pitch gives it")},
        CommandRow{"AbsorberSweptAir", Absorber({"--depth", "5cm", "--temperature", "10:30:10"}, {}), 2, "",
                   Refused("--temperature: absorber takes one air for its rows, not a range or a list")},
        CommandRow{"AbsorberDecimalComma", Absorber({"--depth", "2,5"}, {}), 2, "",
                   Refused("absorber: --depth: '2,5' is not a number (the decimal separator is '.')")},
        CommandRow{"AbsorberPlotsAtMostTenCurves",
                   Absorber({"--depth", "1:6:1cm", "--bands", "octave", "--plot", "x.svg"}, {}), 2, "",
                   Refused("absorber: --plot: at most 10 curves, one per design and one of its third octaves; there "
                           "are 12")},
        CommandRow{"AbsorberPlotsOnlySvg", Absorber({"--depth", "1cm", "--plot", "x.png"}, {}), 2, "",
                   Refused("absorber: --plot: 'x.png' is not an SVG file (FILE.svg), nor - for the terminal")},
        CommandRow{"AbsorberPerOctaveOfALinearBand",
                   Absorber({"--depth", "5cm", "--per-octave", "3", "--band", "1:2:1kHz"}, {}), 2, "",
                   Refused("absorber: --per-octave needs a band FROM:TO, not a step")},
        CommandRow{"AbsorberBandDownwards", Absorber({"--depth", "5cm", "--band", "2kHz:1kHz"}, {}), 2, "",
                   Refused("absorber: --band: '2kHz:1kHz': the band's end lies below its start")},
        CommandRow{"AbsorberBandOfOneNumber", Absorber({"--depth", "5cm", "--band", "100"}, {}), 2, "",
                   Refused("absorber: --band: '100': not FROM:TO nor START:STOP:STEP")},
        CommandRow{"AbsorberNoPointsAnOctave", Absorber({"--depth", "5cm", "--per-octave", "0"}, {}), 2, "",
                   Refused("absorber: --per-octave: '0' is not a whole number from 1 to 1000")},
        CommandRow{"AbsorberGridWithoutPitch",
                   Absorber({"--holes", "1mm", "--open-area", "1%", "--thickness", "1mm", "--grid", "square", "--depth",
                             "5cm"},
                            {}),
                   2, "", Refused("absorber: --grid needs --holes and --pitch")},
        CommandRow{"AbsorberModelWithoutFill", Absorber({"--depth", "5cm", "--porous", "miki"}, {}), 2, "",
                   Refused("absorber: --porous needs --fill")},
        CommandRow{"AbsorberResistivityWithoutFill", Absorber({"--depth", "5cm", "--flow-resistivity", "1e4"}, {}), 2,
                   "", Refused("absorber: --flow-resistivity needs --fill")},
        CommandRow{"AbsorberSolvedDepthGiven", Absorber({"--depth", "5cm", "--tune", "1kHz", "--solve", "depth"}, {}),
                   2, "", Refused("absorber: --depth cannot be given with --solve: it is what --tune computes")},
        CommandRow{"AbsorberGridGivenTwice",
                   Absorber({"--holes", "1mm", "--pitch", "5mm", "--thickness", "1mm", "--depth", "5cm", "--grid",
                             "square", "--grid", "triangular"},
                            {}),
                   2, "", Refused("absorber: --grid is given more than once")},
        CommandRow{"AbsorberTakesNoUnits", Absorber({"--depth", "5cm", "--units", "metric"}, {}), 2, "",
                   Refused("absorber: unknown argument '--units'; see 'helmholtz absorber --help'")}),
    RowName);

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
  const Result<float> parsed = ParseValue(row.text, row.dimension);
  ASSERT_TRUE(parsed.ok()) << parsed.refusal().message;
  EXPECT_EQ(parsed.value(), row.expected);
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
        UnitRow{"TinyUnderflowsLikeTheScreen", "1e-50", Dimension::kLength, 0},
        UnitRow{"CubicDecimetre", "60dm3", Dimension::kVolume, 60000},
        UnitRow{"Decimetre", "1dm", Dimension::kLength, 10},
        UnitRow{"SquareDecimetre", "1.5dm2", Dimension::kSurface, 150},
        UnitRow{"FeetPerSecond", "1125ft/s", Dimension::kSoundSpeed, 34290},
        UnitRow{"BlankBeforeTheUnit", "60 l", Dimension::kVolume, 60000},
        UnitRow{"BlanksAround", " 3 in ", Dimension::kLength, 7.62f},
        // An exponent letter with no digits is no exponent, as on the screens; before a unit it is the unit's.
        UnitRow{"BareExponentLetter", "60d", Dimension::kLength, 60},
        UnitRow{"ExponentThenDecimetre", "6e1dm", Dimension::kLength, 600}),
    RowName);

// c = 331.3 * sqrt(1 + T/273.15) m/s, worked out to 40 digits and rounded to single.
// The units an answer shows: as typed, or as --units lists them.
// The chart on the terminal stands in place of the rows; a closed pipe ends
// the command quietly with status 1.
TEST(AbsorberOutput, ChartInPlaceOfTheRowsAndQuietOnAClosedPipe) {
  const std::vector<std::string> arguments = {"absorber",           "--depth", "5cm",      "--fill", "5cm",
                                              "--flow-resistivity", "1e4",     "--format", "csv"};
  std::vector<std::string> chart = arguments;
  chart.insert(chart.end(), {"--plot", "-"});
  const Ran drawn = RunHelmholtz(chart);
  EXPECT_EQ(drawn.exitCode, 0);
  EXPECT_NE(drawn.out.find("Frequency (Hz)"), std::string::npos);
  EXPECT_EQ(drawn.out.find("frequency_hz"), std::string::npos);
  const Ran closed = RunHelmholtz(arguments, WriteStatus::kClosed);
  EXPECT_EQ(closed.exitCode, 1);
  EXPECT_EQ(closed.out, "");
}

// The peak of a sharp micro-perforated panel found from three frequencies
// an octave is the one a grid of 0.01 Hz finds: refined between neighbours.
TEST(AbsorberPeak, IsRefinedBetweenTheFrequenciesAsked) {
  const auto peak = [](const std::string& band, const std::string& perOctave) {
    std::vector<std::string> arguments = {"absorber", "--holes", "0.5mm",  "--open-area", "1%",     "--thickness",
                                          "0.5mm",    "--depth", "50mm",   "--incidence", "normal", "--ratings",
                                          "--format", "csv",     "--band", band};
    if (!perOctave.empty()) arguments.insert(arguments.end(), {"--per-octave", perOctave});
    const Ran ran = RunHelmholtz(arguments);
    std::istringstream row(ran.out.substr(ran.out.find('\n') + 1));
    std::string f0, hz, alpha;
    std::getline(row, f0, ',');
    std::getline(row, hz, ',');
    std::getline(row, alpha, ',');
    return std::pair(std::stod(hz), std::stod(alpha));
  };
  const auto [coarseHz, coarseAlpha] = peak("100:6400", "3");
  const auto [fineHz, fineAlpha] = peak("700:750:0.01", "");
  EXPECT_NEAR(coarseHz, fineHz, 1e-4 * fineHz);
  EXPECT_NEAR(coarseAlpha, fineAlpha, 1e-6);
}

TEST(DisplayUnits, AreTheTypedOnesOrTheListed) {
  EXPECT_EQ(TypedUnit("60l", Dimension::kVolume)->name, "l");
  EXPECT_EQ(TypedUnit("10:60:5l", Dimension::kVolume)->name, "l");
  EXPECT_EQ(TypedUnit("3 in", Dimension::kLength)->name, "in");
  EXPECT_EQ(TypedUnit("0.1:0.3:0.1kHz", Dimension::kFrequency)->fromScreen, 0.001L);
  EXPECT_FALSE(TypedUnit("2", Dimension::kLength));
  EXPECT_FALSE(TypedUnit("abc", Dimension::kLength));
  const DisplayUnits imperial = ParseUnitList("imperial,l").value();
  EXPECT_TRUE(imperial.named);
  EXPECT_EQ(imperial.Of(Dimension::kVolume).name, "l");
  EXPECT_EQ(imperial.Of(Dimension::kLength).name, "in");
  EXPECT_EQ(imperial.Of(Dimension::kLength).fromScreen, 100.0L / 254);
  EXPECT_EQ(imperial.Of(Dimension::kSurface).name, "in2");
  EXPECT_EQ(ParseUnitList("metric").value().Of(Dimension::kLength).name, "mm");
  EXPECT_EQ(ParseUnitList("").refusal().message,
            "'' is not a unit of frequency, volume, length or surface, nor metric, imperial or screen");
  for (const auto& [unit, text] : std::vector<std::pair<std::string_view, std::string_view>>{
           {"cc", "cm^3"}, {"in3", "in^3"}, {"mm2", "mm^2"}, {"l", "l"}, {"kHz", "kHz"}}) {
    EXPECT_EQ(UnitText(unit), text);
  }
}

TEST(Temperature, GivesTheSpeedOfSoundInDryAir) {
  EXPECT_EQ(ParseTemperature("20").value(), 34321.4609375f);  // 343.2146... m/s
  EXPECT_EQ(ParseTemperature("20C").value(), 34321.4609375f);
  EXPECT_EQ(ParseTemperature("0").value(), 33130.0f);
  EXPECT_EQ(ParseTemperature("-40").value(), 30608.25390625f);
  EXPECT_EQ(ParseTemperature("35").value(), 35188.59375f);
  // 72 F is 22.2 C: 344.513035... m/s; 295.15 K and 22 C are 344.383414... m/s.
  for (const char* fahrenheit : {"72F", "72 F",
                                 "72\xC2\xB0"
                                 "F"}) {
    EXPECT_EQ(ParseTemperature(fahrenheit).value(), 34451.3046875f) << fahrenheit;
  }
  for (const char* celsius : {"295.15K", "22",
                              "22\xC2\xB0"
                              "C"}) {
    EXPECT_EQ(ParseTemperature(celsius).value(), 34438.33984375f) << celsius;
  }
  EXPECT_EQ(ParseTemperature("-459.67F").refusal().message, "'-459.67F' is not above absolute zero (-273.15 C)");
  EXPECT_EQ(ParseTemperature("0K").refusal().message, "'0K' is not above absolute zero (-273.15 C)");
}

TEST(Temperature, ReplacesTheScreensSpeedInEveryFormula) {
  // f scales with c: at 0 degrees C (33130 cm/s) the worked example's frequency is lower.
  const Ran screens = RunHelmholtz({"frequency", "--volume=1000", "--diameter=2", "--thickness=1", "--format=csv",
                                    "--sound-speed=34000", "--ends=screen"});
  const Ran cold = RunHelmholtz({"frequency", "--volume=1000", "--diameter=2", "--thickness=1", "--format=csv",
                                 "--temperature=0", "--ends=screen"});
  EXPECT_EQ(screens.out, kWorkedCsv);
  EXPECT_EQ(cold.out, kCsvHeader + "1,215.18874,1000,1,2,3.1415927,true,,2,1.7724539,10,0.63138866,\n");
}

// The worked examples through the command against the hand computation
// (d = 2 cm, t = 1 cm, V = 1000 cm^3, c = 34000 cm/s; the figures and their
// derivation are in tests/calculator/port_models_test.cpp and docs/calculations.md;
// the slots' in tests/calculator/reference/slot_models.py).
struct ModelExample {
  const char* name;
  std::vector<std::string> options;
  double frequency, endCorrection;
  const char* lumped;
};

void PrintTo(const ModelExample& row, std::ostream* out) { *out << row.name; }

class ModelExampleTest : public ::testing::TestWithParam<ModelExample> {};

std::vector<std::string> SplitCells(const std::string& line) {
  std::vector<std::string> cells(1);
  for (const char c : line) {
    if (c == ',') {
      cells.emplace_back();
    } else if (c != '\n') {
      cells.back() += c;
    }
  }
  return cells;
}

// The data row of a one-design CSV answer, cell by cell.
std::vector<std::string> CsvRowOf(const std::vector<std::string>& arguments) {
  const Ran ran = RunHelmholtz(arguments);
  EXPECT_EQ(ran.exitCode, 0) << ran.err;
  return SplitCells(ran.out.substr(ran.out.find('\n') + 1));
}

TEST_P(ModelExampleTest, GivesTheHandComputedFigures) {
  const ModelExample& row = GetParam();
  std::vector<std::string> arguments = {"frequency", "--volume=1000", "--thickness=1", "--format=csv",
                                        "--sound-speed=34000"};
  arguments.insert(arguments.end(), row.options.begin(), row.options.end());
  const std::vector<std::string> cells = CsvRowOf(arguments);
  ASSERT_EQ(cells.size(), 24U);
  const auto near = [](const std::string& cell, double expected) {
    EXPECT_NEAR(std::stod(cell), expected, expected * 5e-7) << cell;  // the hand figures carry 7 digits
  };
  near(cells[1], row.frequency);
  EXPECT_EQ(cells[17], row.lumped);
  near(cells[18], row.endCorrection);
  // The losses add up: 1/q = 1/q_radiation + 1/q_viscous, and the bandwidth is f/q.
  const double q = std::stod(cells[19]);
  near(cells[19], 1 / (1 / std::stod(cells[15]) + 1 / std::stod(cells[20])));
  near(cells[16], std::stod(cells[1]) / q);
  EXPECT_EQ(cells[6], "true");
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ModelExampleTest,
    ::testing::Values(
        ModelExample{"Flanged", {"--diameter=2", "--ends=flanged"}, 184.6635, 1.697653, "true"},
        ModelExample{"FlangedFourPorts", {"--diameter=2", "--ends=flanged", "--ports=4"}, 369.3269, 1.697653, "false"},
        ModelExample{"Free", {"--diameter=2", "--ends=free"}, 203.2605, 1.2266, "true"},
        ModelExample{"FreeFourPorts", {"--diameter=2", "--ends=free", "--ports=4"}, 406.5209, 1.2266, "false"},
        ModelExample{"FlangedFree", {"--diameter=20mm", "--ends=flanged-free"}, 193.2942, 1.462126, "true"},
        ModelExample{
            "FlangedFreeFourPorts", {"--diameter=2", "--ends=flanged-free", "--ports=4"}, 386.5884, 1.462126, "false"},
        // The slot of the hole's surface, in either spelling: a rectangular piston's ends.
        ModelExample{"FlangedSlot", {"--slot=4x0.785398", "--ends=flanged"}, 194.0722, 1.442426, "true"},
        ModelExample{"FreeSlotInMillimetres",
                     {"--slot=40\xC3\x97"
                      "7.85398mm",
                      "--ends=free"},
                     212.2376,
                     1.042224,
                     "true"},
        ModelExample{"FlangedFreeSlotFourPorts",
                     {"--slot=4cmx7.85398mm", "--ends=flanged-free", "--ports=4"},
                     405.0929,
                     1.242325,
                     "false"}),
    RowName);

struct SlotRow {
  const char* name;
  std::string text;
  float width;
  float height;
};

void PrintTo(const SlotRow& row, std::ostream* out) { *out << row.name; }

class SlotTest : public ::testing::TestWithParam<SlotRow> {};

TEST_P(SlotTest, ReadsWidthAndHeightInCentimetres) {
  const SlotRow& row = GetParam();
  const Result<calculator::Slot> parsed = ParseSlot(row.text);
  ASSERT_TRUE(parsed.ok()) << parsed.refusal().message;
  EXPECT_EQ(parsed.value().width, row.width);
  EXPECT_EQ(parsed.value().height, row.height);
}

INSTANTIATE_TEST_SUITE_P(Texts, SlotTest,
                         ::testing::Values(SlotRow{"Bare", "4x0.785398", 4, 0.785398f},
                                           SlotRow{"BothUnits", "40mmx8mm", 4, 0.8f},
                                           SlotRow{"MixedUnits",
                                                   "4cm\xC3\x97"
                                                   "8mm",
                                                   4, 0.8f},
                                           SlotRow{"UnitOnceAtTheEndIsForBoth", "40x8mm", 4, 0.8f},
                                           SlotRow{"WidthUnitAloneLeavesTheHeightInCm", "40mmx8", 4, 8},
                                           SlotRow{"Inches", "1x2in", 2.54f, 5.08f},
                                           SlotRow{"Exponents", "1e1mmx2D1mm", 1, 2},
                                           SlotRow{"HexWidth", "&H4x2", 4, 2}),
                         RowName);

// A random design's frequency in every textbook model, then each other
// quantity solved from it and fed back, gives the frequency again: through
// the command, in every solve direction (the texts are the shortest that
// read back to the same float, as the CSV writes them).
TEST(ModelRoundTrip, EachSolvedQuantityFedBackGivesTheFrequency) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> octaves(0, 1);
  const auto text = [](double value) {
    std::string out;
    AppendFloat(out, static_cast<float>(value));
    return out;
  };
  // The option of each quantity and its CSV column.
  const std::vector<std::pair<std::string, std::size_t>> solvable = {
      {"volume", 2}, {"thickness", 3}, {"diameter", 4}, {"surface", 5}};
  for (const char* ends : {"flanged", "free", "flanged-free"}) {
    for (int design = 0; design < 20; ++design) {
      const std::map<std::string, std::string> typed = {{"volume", text(100 * std::pow(1000.0, octaves(random)))},
                                                        {"thickness", text(0.1 * std::pow(100.0, octaves(random)))},
                                                        {"diameter", text(0.5 * std::pow(20.0, octaves(random)))}};
      const std::vector<std::string> model = {"--ends", ends, "--ports", std::to_string(1 + design % 5),
                                              "--format=csv"};
      const auto run = [&](const std::string& subcommand, const std::map<std::string, std::string>& given) {
        std::vector<std::string> arguments = {subcommand};
        for (const auto& [name, value] : given) arguments.insert(arguments.end(), {"--" + name, value});
        arguments.insert(arguments.end(), model.begin(), model.end());
        return CsvRowOf(arguments);
      };
      const std::vector<std::string> forward = run("frequency", typed);
      ASSERT_EQ(forward.size(), 24U);
      SCOPED_TRACE(std::string(ends) + " V=" + typed.at("volume") + " t=" + typed.at("thickness") +
                   " d=" + typed.at("diameter") + " f=" + forward[1]);
      for (const auto& [solved, column] : solvable) {
        // The other quantities as the forward design holds them; a surface stands for the diameter.
        std::map<std::string, std::string> given = {{"frequency", forward[1]}};
        for (const auto& [name, cell] : solvable) {
          const bool orifice = name == "diameter" || name == "surface";
          if (name != solved && !(orifice && (solved == "diameter" || solved == "surface" || name == "surface"))) {
            given[name] = forward[cell];
          }
        }
        const std::vector<std::string> back = run(solved, given);
        ASSERT_EQ(back.size(), 24U) << solved;
        EXPECT_EQ(back[6], "true") << solved;
        std::map<std::string, std::string> again = given;
        again.erase("frequency");
        again[solved] = back[column];
        const std::vector<std::string> closed = run("frequency", again);
        ASSERT_EQ(closed.size(), 24U) << solved;
        EXPECT_NEAR(std::stod(closed[1]), std::stod(forward[1]), std::stod(forward[1]) * 2e-6) << solved;
        // The model's figures belong to the design, not to the direction it was solved in.
        ASSERT_FALSE(closed[15].empty() || forward[15].empty()) << solved << " " << closed[15] << " " << forward[15];
        EXPECT_NEAR(std::stod(closed[15]), std::stod(forward[15]), std::stod(forward[15]) * 1e-5) << solved;
        EXPECT_EQ(closed[17], forward[17]) << solved;
      }
    }
  }
}

// Batch rows, through a file of the row's input.
struct BatchRow {
  const char* name;
  std::string input;
  int exitCode;
  std::string out;
  std::string err;  // with FILE for the file's name
  // The rows are written in the screens' model and air unless they say otherwise.
  std::vector<std::string> options = {"--ends", "screen", "--sound-speed", "34000"};
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
  std::vector<std::string> arguments = {"batch", path};
  arguments.insert(arguments.end(), row.options.begin(), row.options.end());
  const Ran ran = RunHelmholtz(arguments);
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
const std::string kModelHeader = "frequency_hz,volume_cc,thickness_cm,diameter_cm,ends,ports,slot\n";
// frequency --volume 1l --slot 40x8mm --thickness 1 --ports 4 --pitch 5cm, as CSV and under --units l,mm.
const std::string kSlotOnAGridRow =
    "5,452.55936,1000,1,,3.2,true,,2.018506,1.7888544,10,0.14604628,,flanged,4,11.537458,47.368046,false,0.86479306,"
    "9.554107,55.577686,0.05489625,4x0.8,5\n";
const std::string kSlotOnAGridInMillimetres =
    "calculation;frequency_hz;volume_l;thickness_mm;diameter_mm;surface_cm2;possible;message;equivalent_diameter_mm;"
    "square_side_mm;panel_thickness_mm;q_factor;error;ends;ports;q_radiation;bandwidth_hz;lumped;end_correction_mm;q;"
    "q_viscous;peak_absorption_area_m2;slot;pitch_mm\n"
    "5;452,55936;1;10;;3,2;true;;20,18506;17,888544;10;0,14604628;;flanged;4;11,537458;47,368046;false;8,64793;9,"
    "554107;55,577686;0,05489625;40x8mm;50\n";

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
        // A model column gives every row the model's columns; an empty cell is the screens' model.
        BatchRow{"ModelColumns",
                 kModelHeader + ",1000,1,2,,,\n,1000,1,2,flanged,,\n,1000,1,,free,4,4x0.785398\n" +
                     "184.66345,1000,1,,flanged,1,\n",
                 0,
                 kModelCsvHeader +
                     "1,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,,screen,1,,,,,,,,,\n" +
                     kFlangedRow +
                     "5,424.4751,1000,1,,3.141592,true,,1.9999998,1.7724537,10,0.16652866,,free,4,26.31472,23.389772,"
                     "false,1.0422242,18.147894,58.475193,,4x0.785398,\n"
                     // The flanged frequency fed back gives the 2 cm hole again.
                     "4,184.66345,1000,1,1.9999999,3.1415923,true,,1.9999999,1.7724538,10,0.8798964,,flanged,1,159."
                     "07487,4.4522595,true,1.6976527,41.476345,56.104816,0.41767797,,\n",
                 ""},
        BatchRow{"ModelCellsRefused",
                 kModelHeader + ",1000,1,2,flang,,\n,1000,1,2,,2,\n,1000,1,2,free,,4x1\n,1000,1,,free,x,\n", 1,
                 kModelCsvHeader + kFailed +
                     "\"ends: 'flang' is not one of screen, flanged, free, flanged-free\",,,,,,,,,,,\n" + kFailed +
                     "\"ports needs ends flanged, free or flanged-free\",,,,,,,,,,,\n" + kFailed +
                     "both slot and diameter_cm are given,,,,,,,,,,,\n" + kFailed +
                     "ports: 'x' is not a whole number,,,,,,,,,,,\n",
                 "FILE:2: ends: 'flang' is not one of screen, flanged, free, flanged-free\n"
                 "FILE:3: ports needs ends flanged, free or flanged-free\n"
                 "FILE:4: both slot and diameter_cm are given\n"
                 "FILE:5: ports: 'x' is not a whole number\n"},
        BatchRow{
            "SlotOfAnInfiniteSurface", kModelHeader + ",1000,1,,,,1e20x1e20\n", 1,
            kModelCsvHeader + kFailed + "slot: '1e20x1e20': the surface is not finite in single precision,,,,,,,,,,,\n",
            "FILE:2: slot: '1e20x1e20': the surface is not finite in single precision\n"},
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
        BatchRow{
            "UnknownColumn", "frequency_hz,volume_cc,colour\n", 1, "",
            "FILE:1: unknown column 'colour' (the columns are frequency_hz, volume_cc, thickness_cm, "
            "diameter_cm, surface_cm2, ends, ports, slot, pitch, calculation; a quantity's column, and pitch's, may "
            "name a unit: volume_l, diameter_mm, pitch_mm)\n"},
        BatchRow{"ColumnTwice", "volume_cc,volume_cc\n", 1, "", "FILE:1: column 'volume_cc' appears twice\n"},
        // A file the program wrote reads back: its computed columns are passed over, and the
        // calculation column says which quantity is computed again.
        BatchRow{"OwnCsvReadBack", kWorkedCsv, 0, kWorkedCsv, ""},
        // --ends and --ports stand in the model cells a row leaves empty, or a file has not.
        BatchRow{"ModelOptionsForEmptyModelCells",
                 "frequency_hz,volume_cc,thickness_cm,diameter_cm,ends\n,1000,1,2,\n,1000,1,2,screen\n",
                 0,
                 kModelCsvHeader + kFlangedRow +
                     "1,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,,screen,1,,,,,,,,,\n",
                 "",
                 {"--ends", "flanged", "--sound-speed", "34000"}},
        BatchRow{"ModelOptionsForAFileWithoutModelColumns",
                 kHeader + ",1000,1,2\n",
                 0,
                 kModelCsvHeader + kFlangedRow,
                 "",
                 {"--ports", "1", "--ends", "flanged", "--sound-speed", "34000"}},
        // Without model options a row is an orifice in a wall (flanged ends) in air at 20 C, and
        // a row that names the screens' model computes in the screens' air.
        BatchRow{"RowsNamingNoModelAreFlangedInAirAt20C",
                 "frequency_hz,volume_cc,thickness_cm,diameter_cm,ends\n,1000,1,2,\n,1000,1,2,screen\n,1000,1,2,free\n",
                 0,
                 kModelCsvHeader + "1,186.40941,1000,1,2,3.1415927,true,,2,1.7724539,10,0.87165487,,flanged,1,159."
                                   "07043,4.4788613,true,1.6976527,41.61982,56.368225,0.41861483,,\n"
                                   "1,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,,screen,1,,,,,,,,,\n"
                                   "1,205.18222,1000,1,2,3.1415927,true,,2,1.7724539,10,0.71945024,,free,1,238.79132,5."
                                   "0586715,true,1.2266,40.560497,48.85968,,,\n",
                 "",
                 {}},
        BatchRow{"ModelOptionRefusedBeforeTheFile",
                 kHeader + ",1000,1,2\n",
                 2,
                 "",
                 "helmholtz: --ends: 'flang' is not one of screen, flanged, free, flanged-free\n",
                 {"--ends", "flang"}},
        BatchRow{"OwnModelCsvReadBack", kModelCsvHeader + kFlangedRow, 0, kModelCsvHeader + kFlangedRow, ""},
        BatchRow{"CalculationComputesItsQuantityAgain",
                 kCsvHeader + "3,220.83963,1000,99,2,3.1415927,true,,2,1.7724539,10,0.6152326,\n", 0,
                 kCsvHeader + "3,220.83963,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,\n", ""},
        BatchRow{"CalculationOfAnyShapeReadsTheSurface",
                 kCsvHeader + "5,1,1000,1,2,3.1415927,true,,2,1.7724539,10,0.6152326,\n", 0,
                 kCsvHeader + "5,182.1553,1000,1,,3.1415927,true,,2,1.7724539,10,0.90429413,\n", ""},
        BatchRow{
            "CalculationUnknown", kCsvHeader + "9,,1000,1,2,,,,,,,,\n", 1,
            kCsvHeader + kFailed + "\"calculation: '9' is not a calculation (1 to 8, as the program writes them)\"\n",
            "FILE:2: calculation: '9' is not a calculation (1 to 8, as the program writes them)\n"},
        BatchRow{"ColumnsInOtherUnits", "frequency_khz,volume_l,diameter_mm,thickness_mm\n,1,20,10\n", 0,
                 kCsvHeader + kWorkedRow, ""},
        BatchRow{"OneQuantityInTwoColumns", "volume_cc,volume_l\n", 1, "",
                 "FILE:1: columns 'volume_cc' and 'volume_l' both give the volume\n"},
        // As LibreOffice and Excel write CSV where the decimal separator is a comma.
        BatchRow{"SpreadsheetSemicolonsDecimalCommasAndEmptyTrailingColumns",
                 "frequency_hz;volume_l;thickness_cm;diameter_cm;;\r\n;1;1;2;;\r\n;2,5;1;2;;\r\n", 0,
                 kCsvHeader + kWorkedRow + "1,139.67125,2500,1,2,3.1415927,true,,2,1.7724539,10,1.5380813,\n", ""},
        BatchRow{"TabsAndADecimalComma", "frequency_hz\tvolume_cc\tthickness_cm\tdiameter_cm\n\t1000\t0,5\t2\n", 0,
                 kCsvHeader + "1,257.6065,1000,0.5,2,3.1415927,true,,2,1.7724539,5,0.37060428,\n", ""},
        BatchRow{"UnnamedColumnBeforeNamedOnes", "frequency_hz,,volume_cc\n", 1, "",
                 "FILE:1: column 2 has no name (only trailing columns may be empty)\n"},
        // A file written under --units reads back in its units, its computed columns passed over.
        BatchRow{"OwnCsvInImperialUnitsReadBack",
                 "calculation,frequency_hz,volume_ft3,thickness_in,diameter_in,surface_in2,possible,message,"
                 "equivalent_diameter_in,square_side_in,panel_thickness_mm,q_factor,error,ends,ports,q_radiation,"
                 "bandwidth_hz,lumped,end_correction_in,q,q_viscous,peak_absorption_area_m2,slot,pitch_in\n"
                 "3,40,2.11888,3.033938,3,7.0685835,true,,3,2.6586807,77.06203,6.8012977,,flanged,1,268.04147,"
                 "0.54041547,true,2.546479,74.01712,102.25345,9.400747,,\n",
                 0,
                 "calculation,frequency_hz,volume_ft3,thickness_in,diameter_in,surface_in2,possible,message,"
                 "equivalent_diameter_in,square_side_in,panel_thickness_mm,q_factor,error,ends,ports,q_radiation,"
                 "bandwidth_hz,lumped,end_correction_in,q,q_viscous,peak_absorption_area_m2,slot,pitch_in\n"
                 "3,40,2.11888,3.033938,3,7.0685835,true,,3,2.6586807,77.06203,6.8012977,,flanged,1,268.04147,"
                 "0.54041547,true,2.546479,74.01712,102.25345,9.400747,,\n",
                 "",
                 {"--units", "imperial"}},
        // A pitch column puts each row's ports on a grid; a grid too open fails its row only.
        BatchRow{"PitchColumn",
                 "frequency_hz,volume_l,thickness_mm,diameter_mm,ports,pitch\n,18,6,8,351,3.2\n,18,6,8,351,1\n",
                 1,
                 kModelCsvHeader +
                     "1,513.8744,18000,0.6,0.8,0.50265485,true,,0.8,0.7089816,6,0.33846635,,flanged,351,2.0283096,"
                     "268.8645,false,0.50754744,1.9112765,33.124474,0.07601036,,3.2\n" +
                     kFailed +
                     "pitch leaves an open area over 0.4 (the orifice over the pitch squared); the grid's end "
                     "correction holds up to 0.4,,,,,,,,,,,\n",
                 "FILE:3: pitch leaves an open area over 0.4 (the orifice over the pitch squared); the grid's end "
                 "correction holds up to 0.4\n",
                 {}},
        // The program's own row of a slot on a grid reads back as that design (its slot and pitch
        // columns), in cm and in the units it named, with semicolons and decimal commas.
        BatchRow{
            "OwnSlotOnAGridReadsBack", kModelCsvHeader + kSlotOnAGridRow, 0, kModelCsvHeader + kSlotOnAGridRow, "", {}},
        BatchRow{"OwnSlotOnAGridInMillimetresReadsBack",
                 kSlotOnAGridInMillimetres,
                 0,
                 kSlotOnAGridInMillimetres,
                 "",
                 {"--units", "l,mm", "--delimiter", ";"}},
        BatchRow{"PitchInTwoColumns", "volume_cc,pitch,pitch_mm\n", 1, "",
                 "FILE:1: column 'pitch_mm' gives the pitch a second time\n"},
        BatchRow{"ValueInAnUnnamedTrailingColumn",
                 kHeader.substr(0, kHeader.size() - 1) + ",\n,1000,1,2,x\n,1000,1,2,\n", 1,
                 kCsvHeader + kFailed + "5 cells where the header has 4\n" + kWorkedRow,
                 "FILE:2: 5 cells where the header has 4\n"}),
    RowName);

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

// `count` copies of `text`.
std::string Repeated(std::string_view text, std::size_t count) {
  std::string repeated;
  repeated.reserve(text.size() * count);
  while (count-- > 0) repeated += text;
  return repeated;
}

// Over the record limit: a cell without line ends, and a quoted cell's text
// of kLongLines line feeds.
const std::string kOverlong(CsvReader::kMaxRecordBytes + 1, 'x');
constexpr std::size_t kLongLines = CsvReader::kMaxRecordBytes / 2 + 1;
const std::string kOverlongError = "[the record is longer than 1 MiB]\n";

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
                      CsvRow{"MalformedRecordSkippedWithItsQuotedLines", "\"a\"b,\"c\nd\"\ne\n",
                             "1:[text after a closing quote]\n3:e\n"},
                      CsvRow{"LoneCarriageReturnIsText", "a\rb\n", "1:a\rb\n"},
                      // The first separator of the first record decides: ',', ';' or TAB.
                      CsvRow{"SemicolonsFromTheHeader", "a;b\n1,5;2\n", "1:a|b\n2:1,5|2\n"},
                      CsvRow{"TabsFromTheHeader", "a\tb\n1\t2\n", "1:a|b\n2:1|2\n"},
                      CsvRow{"FirstSeparatorDecides", "a;b,c\n1;2,3\n", "1:a|b,c\n2:1|2,3\n"},
                      CsvRow{"QuotedSeparatorDecidesNothing", "\"a;b\",c\n1;2,3\n", "1:a;b|c\n2:1;2|3\n"},
                      CsvRow{"OneColumnHeaderIsReadWithCommas", "a\n1;2,3\n", "1:a\n2:1;2|3\n"},
                      // An overlong record is read past to its end, line feeds in its quoted cells included.
                      CsvRow{"OverlongQuotedCellOfLinesIsOneRecord",
                             "\"" + Repeated("x\n", kLongLines) + "\",b\ngood\n\"" + kOverlong + "\"\n",
                             "1:" + kOverlongError + std::to_string(kLongLines + 2) + ":good\n" +
                                 std::to_string(kLongLines + 3) + ":" + kOverlongError},
                      CsvRow{"OverlongQuotedCellOfCrLfLines", "\"" + Repeated("x\r\n", kLongLines) + "\"\r\ngood\r\n",
                             "1:" + kOverlongError + std::to_string(kLongLines + 2) + ":good\n"},
                      CsvRow{"OverlongUnquotedCellThenQuotedLines", kOverlong + ",\"a\nb\"\ngood\n",
                             "1:" + kOverlongError + "3:good\n"},
                      CsvRow{"OverlongAtTheEndWithoutLineEnd", "a\n\"" + Repeated("x\n", kLongLines) + "\"",
                             "1:a\n2:" + kOverlongError}),
    RowName);

}  // namespace
}  // namespace app
