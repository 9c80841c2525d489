// Every option of the subcommands, declared once. The parser registers what
// this table says a subcommand takes, every --help text is written from it,
// and a test holds the manual and the shells' completions to it, so that a
// new option is one entry here plus its handling.
//
//   OptionFor("--volume")->takenBy  -> every calculation but volume
//   Takes(Command::kBatch, OptionId::kPlot) -> false
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "app/quantities.h"
#include "calculator/design.h"

namespace app {

// The subcommands, in the order the usage lists them.
enum class Command : std::uint8_t {
  kFrequency,
  kVolume,
  kThickness,
  kDiameter,
  kSurface,
  kResponse,
  kAbsorber,
  kBatch
};
inline constexpr std::array<Command, 8> kCommands = {Command::kFrequency, Command::kVolume,  Command::kThickness,
                                                     Command::kDiameter,  Command::kSurface, Command::kResponse,
                                                     Command::kAbsorber,  Command::kBatch};

// A set of subcommands, one bit each.
using CommandSet = std::uint8_t;
constexpr CommandSet Bit(Command command) { return static_cast<CommandSet>(1U << static_cast<unsigned>(command)); }
inline constexpr CommandSet kCalculations = Bit(Command::kFrequency) | Bit(Command::kVolume) |
                                            Bit(Command::kThickness) | Bit(Command::kDiameter) | Bit(Command::kSurface);
inline constexpr CommandSet kOrificeGiven = Bit(Command::kFrequency) | Bit(Command::kVolume) | Bit(Command::kThickness);
// The commands that take one design, or a sweep of them: the calculations and
// the response (which solves the resonance, then its curve).
inline constexpr CommandSet kDesignCommands = kCalculations | Bit(Command::kResponse);
inline constexpr CommandSet kEveryCommand = kDesignCommands | Bit(Command::kBatch);
// The panel absorber reads the answer's format and the air, not the port model.
inline constexpr CommandSet kAbsorberOnly = Bit(Command::kAbsorber);

enum class OptionId : std::uint8_t {
  kFrequency,
  kVolume,
  kThickness,
  kDiameter,
  kSurface,
  kFormat,
  kDelimiter,
  kUnits,
  kSoundSpeed,
  kTemperature,
  kEnds,
  kPorts,
  kSlot,
  kPitch,
  kOnlyPossible,
  kPlot,
  kLogX,
  kLinearX,
  kHoles,
  kSlots,
  kOpenArea,
  kGrid,
  kDepth,
  kFill,
  kFlowResistivity,
  kFillAt,
  kPorous,
  kIncidence,
  kBand,
  kPerOctave,
  kPlotQuantity,
  kBands,
  kRatings,
  kTune,
  kSolve,
  kHelp,
};
inline constexpr std::size_t kOptionCount = static_cast<std::size_t>(OptionId::kHelp) + 1;

// Where an option stands in a synopsis and a help text.
// The frequency axis (--band, --per-octave) is the response's and the
// absorber's both; a response's chart its own.
enum class OptionGroup : std::uint8_t { kInput, kCommon, kModel, kSweep, kFrequencyAxis, kResponse, kPanel, kHelp };

// What a shell offers after the option.
enum class Completion : std::uint8_t { kNothing, kWords, kSvgFileOrDash, kNoValue };

// One line of an option's help: what stands in the option column, and the
// text beside it, wrapped at 80 columns ('\n' between its lines).
struct HelpLine {
  std::string_view shown;
  std::string_view text;
};

// A flag stands alone; CLI11 would read "--help=no" as the flag set off, so
// the parser refuses a value written onto one.
enum class OptionKind : std::uint8_t { kValue, kFlag };

struct OptionEntry {
  OptionId id;
  std::string_view name;       // "--volume"
  std::string_view shortName;  // "-h"; empty for most
  OptionKind kind;
  std::string_view valueName;  // "V"; empty for a flag
  // The subcommands that read it, and those whose help, synopsis and
  // completions offer it: a calculation reads every input and --slot, to
  // refuse the one it computes by name.
  CommandSet takenBy;
  CommandSet offeredTo;
  OptionGroup group;
  // An input of the design: it may hold a range and be repeated (a sweep).
  std::optional<calculator::Quantity> quantity;
  // What a synopsis shows in its brackets; empty when another option's entry
  // shows this one too (--temperature beside --sound-speed).
  std::string_view synopsis;
  // The one option it cannot be given with, if any.
  std::optional<OptionId> excludes;
  Completion completion;
  std::string_view words;    // the values a shell offers, for Completion::kWords
  std::string_view summary;  // one phrase, as the shells' completions describe it
  // The help lines; "{format}" stands for the subcommand's default format.
  // Empty for the inputs, whose help lists their units.
  std::array<HelpLine, 2> help;
};

static_assert(static_cast<std::size_t>(calculator::Quantity::kSurface) == static_cast<std::size_t>(OptionId::kSurface),
              "an input's option stands at its quantity's index");

inline constexpr std::array<OptionEntry, kOptionCount> kOptions = {{
    {OptionId::kFrequency,
     EntryOf(calculator::Quantity::kFrequency).option,
     "",
     OptionKind::kValue,
     "F",
     kDesignCommands,
     kCalculations & ~Bit(Command::kFrequency),
     OptionGroup::kInput,
     calculator::Quantity::kFrequency,
     "",
     std::nullopt,
     Completion::kNothing,
     "",
     "frequency, Hz or kHz",
     {}},
    {OptionId::kVolume,
     EntryOf(calculator::Quantity::kVolume).option,
     "",
     OptionKind::kValue,
     "V",
     kDesignCommands,
     kDesignCommands & ~Bit(Command::kVolume),
     OptionGroup::kInput,
     calculator::Quantity::kVolume,
     "",
     std::nullopt,
     Completion::kNothing,
     "",
     "volume, cc ml cm3 dm3 l L m3 in3 ft3",
     {}},
    {OptionId::kThickness,
     EntryOf(calculator::Quantity::kThickness).option,
     "",
     OptionKind::kValue,
     "T",
     kDesignCommands | kAbsorberOnly,
     (kDesignCommands & ~Bit(Command::kThickness)) | kAbsorberOnly,
     OptionGroup::kInput,
     calculator::Quantity::kThickness,
     "",
     std::nullopt,
     Completion::kNothing,
     "",
     "wall thickness, mm cm dm m in ft",
     {}},
    {OptionId::kDiameter,
     EntryOf(calculator::Quantity::kDiameter).option,
     "",
     OptionKind::kValue,
     "D",
     kDesignCommands,
     kOrificeGiven | Bit(Command::kResponse),
     OptionGroup::kInput,
     calculator::Quantity::kDiameter,
     "",
     OptionId::kSurface,
     Completion::kNothing,
     "",
     "round orifice diameter, mm cm dm m in ft",
     {}},
    {OptionId::kSurface,
     EntryOf(calculator::Quantity::kSurface).option,
     "",
     OptionKind::kValue,
     "S",
     kDesignCommands,
     kOrificeGiven | Bit(Command::kResponse),
     OptionGroup::kInput,
     calculator::Quantity::kSurface,
     "",
     OptionId::kDiameter,
     Completion::kNothing,
     "",
     "orifice surface, mm2 cm2 dm2 m2 in2",
     {}},
    {OptionId::kFormat,
     "--format",
     "",
     OptionKind::kValue,
     "F",
     kEveryCommand | kAbsorberOnly,
     kEveryCommand | kAbsorberOnly,
     OptionGroup::kCommon,
     std::nullopt,
     "--format F",
     std::nullopt,
     Completion::kWords,
     "text csv json",
     "answer format",
     {{{"--format F", "text, csv or json (default: {format})"}}}},
    {OptionId::kDelimiter,
     "--delimiter",
     "",
     OptionKind::kValue,
     "C",
     kEveryCommand | kAbsorberOnly,
     kEveryCommand | kAbsorberOnly,
     OptionGroup::kCommon,
     std::nullopt,
     "--delimiter C",
     std::nullopt,
     Completion::kWords,
     "comma semicolon tab",
     "CSV separator",
     {{{"--delimiter C",
        "the CSV separator: , (default), tab, or ; with decimal\n"
        "commas, as spreadsheets read CSV where the decimal\n"
        "separator is a comma; also comma, semicolon"}}}},
    {OptionId::kUnits,
     "--units",
     "",
     OptionKind::kValue,
     "LIST",
     kEveryCommand,
     kEveryCommand,
     OptionGroup::kCommon,
     std::nullopt,
     "--units LIST",
     std::nullopt,
     Completion::kWords,
     "metric imperial screen",
     "units of the answer",
     {{{"--units LIST",
        "the units answers show, CSV and JSON naming them in\n"
        "their columns (volume_l): units such as l,mm, or\n"
        "metric (Hz l mm cm2), imperial (Hz ft3 in in2) or\n"
        "screen; without it text shows the units typed"}}}},
    {OptionId::kSoundSpeed,
     "--sound-speed",
     "",
     OptionKind::kValue,
     "C",
     kEveryCommand | kAbsorberOnly,
     kEveryCommand | kAbsorberOnly,
     OptionGroup::kCommon,
     std::nullopt,
     "--sound-speed C",
     std::nullopt,
     Completion::kNothing,
     "",
     "speed of sound, cm/s, m/s or ft/s",
     {{{"--sound-speed C",
        "speed of sound, cm/s (default), m/s or ft/s; without\n"
        "it, that of --temperature or of air at 20 C\n"
        "(343.2146 m/s), or the screens' 34000 cm/s under\n"
        "--ends screen"}}}},
    {OptionId::kTemperature,
     "--temperature",
     "",
     OptionKind::kValue,
     "T",
     kEveryCommand | kAbsorberOnly,
     kEveryCommand | kAbsorberOnly,
     OptionGroup::kCommon,
     std::nullopt,
     "--temperature T",
     std::nullopt,
     Completion::kNothing,
     "",
     "air temperature, C, F or K",
     {{{"--temperature T",
        "air temperature in degrees Celsius (or with C),\n"
        "or with F or K: c = 331.3 * sqrt(1 + T/273.15) m/s\n"
        "unless --sound-speed gives it, the air's density and\n"
        "viscosity for the losses; 20 C by default; a range\n"
        "or a list sweeps the air (as the speed's), each row\n"
        "with its sound_speed_m_s"}}}},
    {OptionId::kEnds,
     "--ends",
     "",
     OptionKind::kValue,
     "E",
     kEveryCommand,
     kEveryCommand,
     OptionGroup::kModel,
     std::nullopt,
     "--ends E",
     std::nullopt,
     Completion::kWords,
     "screen flanged free flanged-free",
     "end corrections of the neck",
     {{{"--ends E",
        "the neck's end corrections: flanged (default: a hole\n"
        "in a wall), free (a tube free at both ends),\n"
        "flanged-free (a port flush in the baffle, free\n"
        "inside: a loudspeaker's port) or screen (the screens'\n"
        "formulas and their 34000 cm/s, bit for bit: one end\n"
        "correction of 0.8862 r for round holes, sqrt(S) for\n"
        "any shape)"}}}},
    {OptionId::kPorts,
     "--ports",
     "",
     OptionKind::kValue,
     "N",
     kEveryCommand,
     kEveryCommand,
     OptionGroup::kModel,
     std::nullopt,
     "--ports N",
     std::nullopt,
     Completion::kNothing,
     "",
     "identical orifices on the cavity",
     {{{"--ports N",
        "N identical orifices on the cavity (default 1; more\n"
        "than 1 needs a textbook --ends)"}}}},
    {OptionId::kSlot,
     "--slot",
     "",
     OptionKind::kValue,
     "WxH",
     kDesignCommands,
     kOrificeGiven | Bit(Command::kResponse),
     OptionGroup::kModel,
     std::nullopt,
     "--slot WxH",
     std::nullopt,
     Completion::kNothing,
     "",
     "rectangular orifice WxH, mm cm dm m in ft",
     {{{"--slot WxH",
        "the orifice is a W by H rectangle, in place of\n"
        "--diameter or --surface and never computed; lengths\n"
        "as for --thickness, a width without a unit takes\n"
        "the height's (40x8mm); the multiplication sign may\n"
        "stand for the x"}}}},
    {OptionId::kPitch,
     "--pitch",
     "",
     OptionKind::kValue,
     "P",
     kDesignCommands | kAbsorberOnly,
     kDesignCommands | kAbsorberOnly,
     OptionGroup::kModel,
     std::nullopt,
     "--pitch P",
     std::nullopt,
     Completion::kNothing,
     "",
     "centre distance of ports on a square grid",
     {{{"--pitch P",
        "the ports stand on a square grid of centre distance P\n"
        "(a perforated panel), lengths as for --thickness:\n"
        "neighbours shorten each end correction; an open area\n"
        "(orifice / P^2) over 0.4 and --ends free are refused"}}}},
    {OptionId::kOnlyPossible,
     "--only-possible",
     "",
     OptionKind::kFlag,
     "",
     kCalculations,
     kCalculations,
     OptionGroup::kSweep,
     std::nullopt,
     "--only-possible",
     std::nullopt,
     Completion::kNoValue,
     "",
     "leave out the designs that fail the plausibility test",
     {{{"--only-possible", "leave out the designs that fail the plausibility test"}}}},
    {OptionId::kPlot,
     "--plot",
     "",
     OptionKind::kValue,
     "FILE.svg",
     kDesignCommands | kAbsorberOnly,
     kDesignCommands | kAbsorberOnly,
     OptionGroup::kSweep,
     std::nullopt,
     "--plot FILE.svg | --plot -",
     std::nullopt,
     Completion::kSvgFileOrDash,
     "",
     "draw a chart into an SVG file, or - for the terminal",
     {{{"--plot FILE.svg",
        "also draw the computed quantity against the first swept\n"
        "option, a curve per value of a second, into FILE.svg\n"
        "(a response: --plot-quantity against frequency, a\n"
        "curve per design)"},
       {"--plot -", "draw that chart on standard output instead of the rows"}}}},
    {OptionId::kLogX,
     "--log-x",
     "",
     OptionKind::kFlag,
     "",
     kCalculations,
     kCalculations,
     OptionGroup::kSweep,
     std::nullopt,
     "--log-x | --linear-x",
     OptionId::kLinearX,
     Completion::kNoValue,
     "",
     "a logarithmic x axis for the chart",
     {{{"--log-x", "a logarithmic x axis (the default when x spans more than\ntwo decades), or --linear-x"}}}},
    {OptionId::kLinearX,
     "--linear-x",
     "",
     OptionKind::kFlag,
     "",
     kCalculations,
     kCalculations,
     OptionGroup::kSweep,
     std::nullopt,
     "",
     OptionId::kLogX,
     Completion::kNoValue,
     "",
     "a linear x axis for the chart",
     {}},
    {OptionId::kHoles,
     "--holes",
     "",
     OptionKind::kValue,
     "D",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "",
     OptionId::kSlots,
     Completion::kNothing,
     "",
     "round holes of diameter D, mm cm m in",
     {{{"--holes D",
        "round holes of diameter D through the plate (a\n"
        "perforated or, below about 1 mm, micro-perforated\n"
        "panel), lengths as for --thickness"}}}},
    {OptionId::kSlots,
     "--slots",
     "",
     OptionKind::kValue,
     "W",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "",
     OptionId::kHoles,
     Completion::kNothing,
     "",
     "slots of width W, mm cm m in",
     {{{"--slots W", "slots of width W (their short side) through the plate"}}}},
    {OptionId::kOpenArea,
     "--open-area",
     "",
     OptionKind::kValue,
     "X%",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "--pitch P | --open-area X%",
     OptionId::kPitch,
     Completion::kNothing,
     "",
     "open area of the facing, % or a fraction",
     {{{"--open-area X%",
        "the facing's open area in place of --pitch: 5% or 0.05;\n"
        "holes above 40% and anything from 100% are refused"}}}},
    {OptionId::kGrid,
     "--grid",
     "",
     OptionKind::kValue,
     "G",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "--grid G",
     std::nullopt,
     Completion::kWords,
     "square triangular",
     "grid of the holes",
     {{{"--grid G",
        "the holes' grid for --pitch: square (default) or\n"
        "triangular"}}}},
    {OptionId::kDepth,
     "--depth",
     "",
     OptionKind::kValue,
     "D",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "",
     std::nullopt,
     Completion::kNothing,
     "",
     "cavity depth, facing to wall, mm cm m in",
     {{{"--depth D",
        "the cavity's depth from the facing to the rigid wall,\n"
        "fill included (needed)"}}}},
    {OptionId::kFill,
     "--fill",
     "",
     OptionKind::kValue,
     "H",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "--fill H --flow-resistivity R",
     std::nullopt,
     Completion::kNothing,
     "",
     "porous fill thickness, mm cm m in",
     {{{"--fill H",
        "a porous fill H thick in the cavity (with\n"
        "--flow-resistivity)"}}}},
    {OptionId::kFlowResistivity,
     "--flow-resistivity",
     "",
     OptionKind::kValue,
     "R",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "",
     std::nullopt,
     Completion::kNothing,
     "",
     "airflow resistivity of the fill, Pa*s/m2 or kPa*s/m2",
     {{{"--flow-resistivity R",
        "the fill's airflow resistivity, Pa*s/m2 (default) or\n"
        "kPa*s/m2"}}}},
    {OptionId::kFillAt,
     "--fill-at",
     "",
     OptionKind::kValue,
     "P",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "--fill-at P",
     std::nullopt,
     Completion::kWords,
     "facing wall",
     "where the fill lies",
     {{{"--fill-at P", "the fill lies against the facing (default) or the wall"}}}},
    {OptionId::kPorous,
     "--porous",
     "",
     OptionKind::kValue,
     "M",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "--porous M",
     std::nullopt,
     Completion::kWords,
     "miki delany-bazley",
     "model of the fill",
     {{{"--porous M", "the fill's model: miki (default) or delany-bazley"}}}},
    {OptionId::kIncidence,
     "--incidence",
     "",
     OptionKind::kValue,
     "I",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "--incidence I",
     std::nullopt,
     Completion::kWords,
     "normal diffuse",
     "angle of incidence",
     {{{"--incidence I",
        "diffuse (default: Paris' formula), normal, or an angle\n"
        "from the normal in degrees (0 to 89.9)"}}}},
    {OptionId::kBand,
     "--band",
     "",
     OptionKind::kValue,
     "FROM:TO",
     Bit(Command::kResponse) | kAbsorberOnly,
     Bit(Command::kResponse) | kAbsorberOnly,
     OptionGroup::kFrequencyAxis,
     std::nullopt,
     "--band FROM:TO[:STEP]",
     std::nullopt,
     Completion::kNothing,
     "",
     "frequencies, FROM:TO or START:STOP:STEP, Hz or kHz",
     {{{"--band FROM:TO",
        "the frequencies FROM * 2^(i/N) up to TO, N from\n"
        "--per-octave (default: a response's an eighth to eight\n"
        "times the resonance, an absorber's 50:5080); Hz or\n"
        "kHz, a unit at the end serving every number"},
       {"--band A:B:STEP", "the frequencies A, A + STEP, ... up to B instead"}}}},
    {OptionId::kPerOctave,
     "--per-octave",
     "",
     OptionKind::kValue,
     "N",
     Bit(Command::kResponse) | kAbsorberOnly,
     Bit(Command::kResponse) | kAbsorberOnly,
     OptionGroup::kFrequencyAxis,
     std::nullopt,
     "--per-octave N",
     std::nullopt,
     Completion::kNothing,
     "",
     "points an octave on the frequency axis",
     {{{"--per-octave N", "N frequencies per octave, 1 to 1000 (default 24)"}}}},
    {OptionId::kPlotQuantity,
     "--plot-quantity",
     "",
     OptionKind::kValue,
     "Q",
     Bit(Command::kResponse),
     Bit(Command::kResponse),
     OptionGroup::kResponse,
     std::nullopt,
     "--plot-quantity Q",
     std::nullopt,
     Completion::kWords,
     "gain absorption-area",
     "what the chart draws against frequency",
     {{{"--plot-quantity Q",
        "what --plot draws against frequency: gain (the\n"
        "cavity's, default) or absorption-area"}}}},
    {OptionId::kBands,
     "--bands",
     "",
     OptionKind::kValue,
     "B",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "--bands B | --ratings",
     OptionId::kRatings,
     Completion::kWords,
     "third-octave octave",
     "band values in place of the curve",
     {{{"--bands B",
        "rows of band values in place of the curve: third-octave\n"
        "(50 to 5000 Hz, to 0.01) or octave (alpha_p, 125 to\n"
        "4000 Hz, ISO 11654)"}}}},
    {OptionId::kRatings,
     "--ratings",
     "",
     OptionKind::kFlag,
     "",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "",
     OptionId::kBands,
     Completion::kNoValue,
     "",
     "one row of ratings per design",
     {{{"--ratings",
        "one row per design: f0, the peak, NRC, SAA, alpha_w,\n"
        "its shape and class"}}}},
    {OptionId::kTune,
     "--tune",
     "",
     OptionKind::kValue,
     "F",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "--tune F --solve S",
     std::nullopt,
     Completion::kNothing,
     "",
     "wanted lumped resonance, Hz or kHz",
     {{{"--tune F", "compute what --solve names for a lumped resonance at F"}}}},
    {OptionId::kSolve,
     "--solve",
     "",
     OptionKind::kValue,
     "S",
     kAbsorberOnly,
     kAbsorberOnly,
     OptionGroup::kPanel,
     std::nullopt,
     "",
     std::nullopt,
     Completion::kWords,
     "depth pitch holes",
     "what --tune computes",
     {{{"--solve S",
        "depth, pitch or holes (their diameter), in place of\n"
        "its option"}}}},
    {OptionId::kHelp,
     "--help",
     "-h",
     OptionKind::kFlag,
     "",
     kEveryCommand | kAbsorberOnly,
     kEveryCommand | kAbsorberOnly,
     OptionGroup::kHelp,
     std::nullopt,
     "",
     std::nullopt,
     Completion::kNoValue,
     "",
     "show the help and exit",
     {}},
}};

constexpr const OptionEntry& EntryOf(OptionId id) { return kOptions[static_cast<std::size_t>(id)]; }

static_assert(
    [] {
      for (const OptionEntry& option : kOptions) {
        if ((option.kind == OptionKind::kFlag) != option.valueName.empty()) return false;
      }
      return true;
    }(),
    "a flag, and only a flag, has no value to name");

constexpr bool Takes(Command command, OptionId id) { return (EntryOf(id).takenBy & Bit(command)) != 0; }
constexpr bool Offers(Command command, OptionId id) { return (EntryOf(id).offeredTo & Bit(command)) != 0; }

// The option named `name` ("--volume"), if any.
const OptionEntry* OptionFor(std::string_view name);

// The subcommand's name and back: Command::kBatch <-> "batch".
std::string_view NameOf(Command command);
std::optional<Command> CommandNamed(std::string_view name);

// The quantity a calculation computes (a response its resonance first); none
// for batch and absorber.
std::optional<calculator::Quantity> SolvedBy(Command command);

// The option of an input quantity: kVolume -> OptionId::kVolume.
constexpr OptionId OptionOf(calculator::Quantity quantity) { return static_cast<OptionId>(quantity); }

}  // namespace app
