#include "app/options/help.h"

#include <array>
#include <string_view>

#include "app/calculation.h"
#include "app/quantities.h"
#include "app/units.h"

namespace app {
namespace {

#ifdef _WIN32
constexpr bool kWindows = true;
// The ZIP puts the manual, as a web page, in the docs folder beside the program.
constexpr std::string_view kManual = "docs\\helmholtz.1.html, beside helmholtz.exe";
#else
constexpr bool kWindows = false;
constexpr std::string_view kManual = "man helmholtz";
#endif

// What each subcommand does, as its help says it.
constexpr std::array<std::string_view, kCommands.size()> kDescriptions = {
    "Computes the resonant frequency, as menu choice 1 (round orifice, --diameter)\n"
    "or 5 (orifice of any shape, --surface) does.\n",
    "Computes the volume, as menu choice 2 (round orifice, --diameter) or 6\n"
    "(orifice of any shape, --surface) does.\n",
    "Computes the wall thickness, as menu choice 3 (round orifice, --diameter)\n"
    "or 7 (orifice of any shape, --surface) does.\n",
    "Computes the diameter of a round orifice, as menu choice 4 does.\n",
    "Computes the surface of an orifice of any shape, as menu choice 8 does.\n",
    "Computes the resonance of a design, as the frequency command does, and its\n"
    "response at each frequency of a band: one row per frequency with the\n"
    "columns frequency_hz, impedance_re and impedance_im (the acoustic impedance\n"
    "Z of the ports, their radiation and the cavity, Pa s/m^3), cavity_gain_db\n"
    "(the pressure in the cavity over the blocked pressure outside, 20 log10\n"
    "|Zc/Z|) and absorption_area_m2 (at normal incidence on the baffle; empty for\n"
    "free ends). A swept input gives a block of rows per design, its inputs in\n"
    "the first columns, and a curve per design in a chart. Textbook models only.\n",
    "Computes a panel absorber: a plate with round holes (--holes) or slots\n"
    "(--slots) of --thickness T at --pitch P or --open-area X%, or no plate at\n"
    "all, over a cavity --depth D deep on a rigid wall, with or without a porous\n"
    "fill. Rows frequency_hz, alpha, impedance_re, impedance_im (the surface\n"
    "impedance over rho*c); the text answer gives the lumped f0, the peak, the\n"
    "half-absorption band, third-octave and octave values, NRC, SAA and alpha_w\n"
    "with its shape and class. Lengths take mm, cm (default), m, in, ft.\n"
    "A design option may be a range START:STOP:STEP or be repeated: one design\n"
    "per combination, its swept values the first columns of its rows.\n"
    "--pitch P is the centre distance of the holes or slots; --plot FILE.svg\n"
    "(or - for the terminal, in place of the rows) draws alpha against\n"
    "frequency, a curve per design.\n",
    "Reads CSV from FILE (standard input for '-' or no FILE) whose header names\n"
    "some of frequency_hz, volume_cc, thickness_cm, diameter_cm, surface_cm2. In\n"
    "each row exactly one of frequency, volume, thickness and orifice (diameter or\n"
    "surface) is empty: that one is computed. Cells take the units the options\n"
    "take. One result per row, in order, CSV unless --format says otherwise; a\n"
    "row that cannot be computed gets only its error column and a line\n"
    "FILE:LINE: reason on standard error, and the exit code is then 1.\n"
    "Columns ends, ports and slot, when there, give each row's port model as\n"
    "the calculations' --ends, --ports and --slot do (an empty cell: screen, 1,\n"
    "no slot), --ends and --ports those a row leaves empty; the answer then has\n"
    "the model's columns too.\n"
    "The program's own CSV reads back: a calculation column (1 to 8) says which\n"
    "quantity each row computes, and the columns it computes are passed over. A\n"
    "quantity's column may name another unit (volume_l, diameter_mm). Cells are\n"
    "separated by the header's first ',', ';' or TAB; with ';' or TAB a decimal\n"
    "comma is a decimal point. Empty trailing columns are passed over.\n",
};

// The options' column: names start at 2, their help at 21; the inputs'
// units at 19.
constexpr std::size_t kHelpColumn = 21;
constexpr std::size_t kUnitsColumn = 19;

std::string PaddedTo(std::size_t column, std::string_view shown) {
  std::string line = "  " + std::string(shown);
  line.append(line.size() < column ? column - line.size() : 1, ' ');
  return line;
}

// "  --ports N          N identical orifices on the cavity (default 1; more\n"
// "                     than 1 needs a textbook --ends)\n"
std::string HelpEntry(const HelpLine& help, std::string_view defaultFormat) {
  std::string text(help.text);
  if (const std::size_t at = text.find("{format}"); at != std::string::npos) text.replace(at, 8, defaultFormat);
  std::string entry = PaddedTo(kHelpColumn, help.shown);
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    if (start > 0) entry.append(kHelpColumn, ' ');
    entry.append(text, start, end - start);
    entry += '\n';
    start = end + 1;
  }
  return entry;
}

// An input's units, the screens' unit marked: "mm, cm (default), m, in, ft".
std::string UnitsOf(calculator::Quantity quantity) {
  std::string list = UnitList(DimensionOf(quantity));
  const std::string_view unit = EntryOf(quantity).unit;
  const std::size_t at = (", " + list + ",").find(", " + std::string(unit) + ",");
  if (at != std::string::npos) list.insert(at + unit.size(), " (default)");
  return list;
}

// The bracketed options of one group, as a synopsis line: " [--ends E] [--ports N]".
std::string OptionalSynopsis(Command command, OptionGroup group) {
  std::string line;
  for (const OptionEntry& option : kOptions) {
    if (option.group == group && Offers(command, option.id) && !option.synopsis.empty()) {
      line += " [" + std::string(option.synopsis) + "]";
    }
  }
  return line;
}

// A synopsis line too long for 80 columns, broken before a bracket:
// " [--grid G] [--fill H]" -> "         [--grid G] [--fill H]\n".
std::string WrappedSynopsis(std::string_view options) {
  constexpr std::size_t kWidth = 80;
  std::string text;
  std::string line = "        ";
  for (std::size_t start = 0; start < options.size();) {
    // The end of this bracket, whatever brackets it holds.
    std::size_t next = start + 1;
    for (int depth = 0; next < options.size() && !(depth == 0 && options[next] == ' '); ++next) {
      depth += options[next] == '[' ? 1 : options[next] == ']' ? -1 : 0;
    }
    const std::string_view option = options.substr(start, next - start);
    if (line.size() + option.size() > kWidth && line.size() > 8) {
      text += line + "\n";
      line = "        ";
    }
    line += option;
    start = next;
  }
  return text + line + "\n";
}

std::string SynopsisText(Command command) {
  std::string text = "Usage: helmholtz " + std::string(NameOf(command)) + " " + RequiredSynopsis(command) + "\n";
  text += "        " + OptionalSynopsis(command, OptionGroup::kCommon) + "\n";
  if (command == Command::kAbsorber) {
    text += WrappedSynopsis(OptionalSynopsis(command, OptionGroup::kPanel));
    text += "        " + OptionalSynopsis(command, OptionGroup::kSweep) + "\n";
  }
  if (SolvedBy(command)) {
    text += "        " + OptionalSynopsis(command, OptionGroup::kModel) + "\n";
    text += "        " + OptionalSynopsis(command, OptionGroup::kSweep) + "\n";
  }
  const std::string axis =
      OptionalSynopsis(command, OptionGroup::kFrequencyAxis) + OptionalSynopsis(command, OptionGroup::kResponse);
  if (!axis.empty()) text += "        " + axis + "\n";
  return text;
}

// The inputs and their units: a calculation's options, a batch file's columns.
std::string InputsText(Command command) {
  std::string text;
  // The absorber's lengths are named in its description.
  if (command == Command::kAbsorber) return text;
  for (const OptionEntry& option : kOptions) {
    if (!option.quantity || (SolvedBy(command) && !Offers(command, option.id))) continue;
    const std::string shown = SolvedBy(command) ? std::string(option.name) + " " + std::string(option.valueName)
                                                : std::string(EntryOf(*option.quantity).column);
    text += PaddedTo(kUnitsColumn, shown) + UnitsOf(*option.quantity) + "\n";
  }
  return text;
}

std::string OptionsText(Command command) {
  const std::string_view defaultFormat = command == Command::kBatch ? "csv" : "text";
  std::string text;
  for (const OptionEntry& option : kOptions) {
    if (option.quantity || !Offers(command, option.id)) continue;
    // The calculations' words for --pitch and --plot do not fit a panel: its description has its own.
    if (command == Command::kAbsorber && (option.group == OptionGroup::kModel || option.group == OptionGroup::kSweep)) {
      continue;
    }
    for (const HelpLine& line : option.help) {
      if (!line.shown.empty()) text += HelpEntry(line, defaultFormat);
    }
  }
  text +=
      kWindows ? "  -h, --help, /?     show this text and exit\n" : "  -h, --help         show this text and exit\n";
  return text;
}

}  // namespace

std::string RequiredSynopsis(Command command) {
  const std::optional<calculator::Quantity> solved = SolvedBy(command);
  if (command == Command::kAbsorber) return "--depth D [--holes D | --slots W] [--thickness T]";
  if (!solved) return "[FILE | -]";
  std::string text;
  for (const calculator::Quantity asked : calculator::AskedQuantities(ChoiceFor(*solved, false))) {
    if (!text.empty()) text += " ";
    if (asked == calculator::Quantity::kDiameter) {
      text += "(--diameter D | --surface S)";
    } else {
      text += std::string(EntryOf(OptionOf(asked)).name) + " " + std::string(EntryOf(OptionOf(asked)).valueName);
    }
  }
  return text;
}

std::string UsageText() {
  std::string text =
      "Usage: helmholtz [-h | --help | -V | --version]\n"
      "       helmholtz COMMAND OPTIONS...\n"
      "\n"
      "A calculator for Helmholtz resonators. Run without arguments in a terminal,\n"
      "it is the full-screen program: pick one of eight calculations, type three of\n"
      "frequency, volume, wall thickness and orifice size, and read the fourth; '*'\n"
      "quits. With a command it computes a design, or a CSV file of designs, with\n"
      "the same numbers, and writes the answer on standard output:\n"
      "\n";
  for (const Command command : kCommands) {
    const std::string_view name = NameOf(command);
    text += "  helmholtz " + std::string(name) + std::string(10 - name.size(), ' ') + RequiredSynopsis(command) + "\n";
  }
  text +=
      "\n"
      "Every command takes --format text|csv|json and --sound-speed C or\n"
      "--temperature T; the calculations also take the port model, --ends E,\n"
      "--ports N and --slot WxH. 'helmholtz COMMAND --help' tells more.\n"
      "\n";
  text += kWindows ? "  -h, --help, /?  show this text and exit\n"
                     "  -V, --version   show the version and exit\n"
                   : "  -h, --help     show this text and exit\n"
                     "  -V, --version  show the version and exit\n";
  text +=
      "\n"
      "Exit status: 0 after '*' and for a command that worked; 1 when the answer\n"
      "cannot be written (a closed pipe ends quietly) or a batch row failed; 2 for\n"
      "a command line not understood; 130 for an interrupted sweep; 255 when no\n"
      "terminal can be used.\n"
      "More in the manual: ";
  text += kManual;
  text += "\n";
  return text;
}

std::string SubcommandUsageText(Command command) {
  std::string text = SynopsisText(command) + "\n" + std::string(kDescriptions[static_cast<std::size_t>(command)]);
  text +=
      "\n"
      "Values: the screens' number syntax (1e3, 1D3, &H3E8), followed by a unit\n"
      "(a blank may stand between) or by nothing for the screens' unit.\n"
      "Nothing else may follow.\n";
  if (SolvedBy(command)) {
    text +=
        "A value may be a range START:STOP:STEP (STOP included, the unit once at the\n"
        "end: 10:60:5l), and an option may be repeated for a list: every design of\n"
        "the combinations is computed, the last option varied fastest, all under\n"
        "one port model.\n";
  }
  text += InputsText(command) + "\n" + OptionsText(command);
  if (SolvedBy(command)) {
    text +=
        "\nThe commands compute with textbook physics: an orifice in a wall\n"
        "(--ends flanged) in air at 20 C. --ends screen gives the full-screen\n"
        "program's numbers bit for bit: its formulas (one end correction, 0.8862 r\n"
        "for a round hole, sqrt(S) for any shape) and its 34000 cm/s.\n";
  }
  if (SolvedBy(command) && command != Command::kResponse) {
    text +=
        "CSV and JSON add the columns ends, ports, q_radiation, bandwidth_hz,\n"
        "lumped, end_correction_cm, q, q_viscous, peak_absorption_area_m2, slot,\n"
        "pitch_cm, except under --ends screen with one port and no --slot or\n"
        "--pitch: the Q of the radiation, of the viscous flow and of both, f/q,\n"
        "the largest absorption area at normal incidence on the baffle (empty for\n"
        "free ends), and the slot and the pitch, so that batch reads a row back\n"
        "as the design it was.\n";
  }
  return text;
}

}  // namespace app
