#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <optional>
#include <ostream>
#include <utility>
#include <variant>
#include <vector>

#include "app/batch/batch.h"
#include "app/calculation.h"
#include "app/model_options.h"
#include "app/output/design_writer.h"
#include "app/output/output.h"
#include "app/sweep_command.h"
#include "app/units.h"
#include "calculator/design.h"

namespace app {
namespace {

using calculator::Quantity;

constexpr std::string_view kProgramName = "helmholtz";

#ifdef _WIN32
constexpr bool kWindows = true;
constexpr std::string_view kManual = "helmholtz.html (beside helmholtz.exe)";
#else
constexpr bool kWindows = false;
constexpr std::string_view kManual = "man helmholtz";
#endif

bool IsHelp(std::string_view argument) {
  return argument == "-h" || argument == "--help" || (kWindows && argument == "/?");
}

Action ActionOf(std::string_view argument) {
  if (IsHelp(argument)) return Action::kShowUsage;
  if (argument == "-V" || argument == "--version") return Action::kShowVersion;
  return Action::kRejectArgument;
}

// The subcommands: the quantity each computes (none for batch) and the
// options it takes besides the common ones.
struct Subcommand {
  std::string_view name;
  std::optional<Quantity> solved;
  std::string_view synopsis;
  std::string_view what;
};

constexpr std::array<Subcommand, 6> kSubcommands = {{
    {"frequency", Quantity::kFrequency, "--volume V (--diameter D | --surface S) --thickness T",
     "Computes the resonant frequency, as menu choice 1 (round orifice, --diameter)\n"
     "or 5 (orifice of any shape, --surface) does.\n"},
    {"volume", Quantity::kVolume, "--frequency F (--diameter D | --surface S) --thickness T",
     "Computes the volume, as menu choice 2 (round orifice, --diameter) or 6\n"
     "(orifice of any shape, --surface) does.\n"},
    {"thickness", Quantity::kThickness, "--frequency F --volume V (--diameter D | --surface S)",
     "Computes the wall thickness, as menu choice 3 (round orifice, --diameter)\n"
     "or 7 (orifice of any shape, --surface) does.\n"},
    {"diameter", Quantity::kDiameter, "--frequency F --volume V --thickness T",
     "Computes the diameter of a round orifice, as menu choice 4 does.\n"},
    {"surface", Quantity::kSurface, "--frequency F --volume V --thickness T",
     "Computes the surface of an orifice of any shape, as menu choice 8 does.\n"},
    {"batch", std::nullopt, "[FILE | -]",
     "Reads CSV from FILE (standard input for '-' or no FILE) whose header names\n"
     "some of frequency_hz, volume_cc, thickness_cm, diameter_cm, surface_cm2. In\n"
     "each row exactly one of frequency, volume, thickness and orifice (diameter or\n"
     "surface) is empty: that one is computed. Cells take the units the options\n"
     "take. One result per row, in order, CSV unless --format says otherwise; a\n"
     "row that cannot be computed gets only its error column and a line\n"
     "FILE:LINE: reason on standard error, and the exit code is then 1.\n"
     "Columns ends, ports and slot, when there, give each row's port model as\n"
     "the calculations' --ends, --ports and --slot do (an empty cell: screen, 1,\n"
     "no slot); the answer then has the model's columns too.\n"},
}};

const Subcommand* FindSubcommand(std::string_view name) {
  for (const Subcommand& subcommand : kSubcommands) {
    if (subcommand.name == name) return &subcommand;
  }
  return nullptr;
}

bool IsOrifice(Quantity quantity) { return quantity == Quantity::kDiameter || quantity == Quantity::kSurface; }

// Whether `subcommand` takes `quantity` as an input option.
bool TakesQuantity(const Subcommand& subcommand, Quantity quantity) {
  if (!subcommand.solved) return false;
  if (IsOrifice(*subcommand.solved)) return !IsOrifice(quantity);
  return quantity != *subcommand.solved;
}

constexpr std::array<Quantity, 5> kQuantities = {Quantity::kFrequency, Quantity::kVolume, Quantity::kThickness,
                                                 Quantity::kDiameter, Quantity::kSurface};

constexpr std::array<std::string_view, 5> kValueNames = {"F", "V", "T", "D", "S"};

// What the options gave, as typed: each option's texts in order, so that a
// repeated option can be told (and, later, lists of values kept).
struct Request {
  std::array<std::vector<std::string>, 5> quantities;  // indexed by Quantity
  std::vector<std::string> format;
  std::vector<std::string> soundSpeed;
  std::vector<std::string> temperature;
  std::vector<std::string> ends;
  std::vector<std::string> ports;
  std::vector<std::string> slot;
  std::string file = "-";
  bool help = false;
  bool onlyPossible = false;
  std::vector<std::string> plot;
  // The quantities given, in the order their options first stand on the command line.
  std::vector<Quantity> order;
};

std::string Refusal(std::string_view text) { return std::string(kProgramName) + ": " + std::string(text) + "\n"; }

// The one text of an option given at most once; a refusal when repeated.
std::optional<std::string_view> Single(const std::vector<std::string>& texts, std::string_view name,
                                       std::string& refusal) {
  if (texts.size() > 1 && refusal.empty()) refusal = std::string(name) + " is given more than once";
  if (texts.empty()) return std::nullopt;
  return texts.front();
}

std::optional<Format> ParseFormat(std::string_view text) {
  if (text == "text") return Format::kText;
  if (text == "csv") return Format::kCsv;
  if (text == "json") return Format::kJson;
  return std::nullopt;
}

CLI::Option* AddOption(CLI::App& cli, std::string_view name, std::vector<std::string>& texts) {
  return cli.add_option(std::string(name), texts)
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

// The common options: format, speed of sound, into the refusal on the first fault.
struct CommonSettings {
  Format format = Format::kText;
  calculator::Constants constants;
};

std::optional<CommonSettings> ReadCommon(const Request& request, Format defaultFormat, std::string& refusal) {
  const std::optional<std::string_view> format = Single(request.format, "--format", refusal);
  const std::optional<std::string_view> speed = Single(request.soundSpeed, "--sound-speed", refusal);
  const std::optional<std::string_view> temperature = Single(request.temperature, "--temperature", refusal);
  if (!refusal.empty()) return std::nullopt;
  if (speed && temperature) {
    refusal = "--sound-speed and --temperature cannot be given together";
    return std::nullopt;
  }
  CommonSettings settings;
  settings.format = defaultFormat;
  if (format) {
    const std::optional<Format> parsed = ParseFormat(*format);
    if (!parsed) {
      refusal = "--format: '" + Printable(*format) + "' is not one of text, csv, json";
      return std::nullopt;
    }
    settings.format = *parsed;
  }
  float soundSpeed = calculator::kScreenSoundSpeed;
  if (speed || temperature) {
    const ParsedValue parsed = speed ? ParseSoundSpeed(*speed) : ParseTemperature(*temperature);
    if (!parsed.value) {
      refusal = std::string(speed ? "--sound-speed: " : "--temperature: ") + parsed.refusal;
      return std::nullopt;
    }
    soundSpeed = *parsed.value;
  }
  settings.constants = calculator::MakeConstants(soundSpeed);
  return settings;
}

// The calculation a subcommand's options ask for, or the refusal.
struct Calculation {
  calculator::Choice choice = calculator::Choice::kFrequencyRound;
  calculator::Quantities typed;
};

// The port model the options ask for (the screens' when none is given).
std::optional<calculator::PortModel> ReadModel(const Request& request, std::string& refusal) {
  ModelTexts texts;
  texts.ends = Single(request.ends, kModelOptionNames.ends, refusal);
  texts.ports = Single(request.ports, kModelOptionNames.ports, refusal);
  texts.slot = Single(request.slot, kModelOptionNames.slot, refusal);
  if (!refusal.empty()) return std::nullopt;
  ParsedModel parsed = ParseModel(texts, kModelOptionNames);
  refusal = std::move(parsed.refusal);
  return parsed.model;
}

// A slot gives the orifice as a surface, in place of --diameter or --surface.
// A sweep's options may be repeated, and its values are read by the sweep.
std::optional<Calculation> ReadCalculation(const Subcommand& subcommand, const Request& request, bool slot,
                                           bool sweeping, std::string& refusal) {
  QuantityTexts texts;
  for (const Quantity quantity : kQuantities) {
    const std::string_view name = kOptionNames[IndexOf(quantity)];
    const std::vector<std::string>& given = request.quantities[IndexOf(quantity)];
    texts[IndexOf(quantity)] = sweeping && !given.empty() ? std::optional<std::string_view>(given.front())
                                                          : Single(given, name, refusal);
    if (!refusal.empty()) return std::nullopt;
    if (texts[IndexOf(quantity)] && !TakesQuantity(subcommand, quantity)) {
      refusal = std::string(subcommand.name) + ": " + std::string(name) + " cannot be given: the " +
                std::string(IsOrifice(quantity) && IsOrifice(*subcommand.solved) ? "orifice" : name.substr(2)) +
                " is what it computes";
      return std::nullopt;
    }
  }
  const bool diameter = texts[IndexOf(Quantity::kDiameter)].has_value();
  const bool surface = texts[IndexOf(Quantity::kSurface)].has_value();
  if (diameter && surface) {
    refusal = "--diameter and --surface cannot be given together";
    return std::nullopt;
  }
  if (slot && (diameter || surface)) {
    refusal = std::string("--slot and ") + (diameter ? "--diameter" : "--surface") + " cannot be given together";
    return std::nullopt;
  }
  const Quantity solved = *subcommand.solved;
  if (!IsOrifice(solved) && !diameter && !surface && !slot) {
    refusal = std::string(subcommand.name) + ": --diameter or --surface is missing";
    return std::nullopt;
  }
  Calculation calculation;
  calculation.choice = ChoiceFor(solved, surface || slot);
  const std::optional<Quantity> given = slot ? std::optional(Quantity::kSurface) : std::nullopt;
  // Each missing option is named before any value is read.
  for (const Quantity quantity : calculator::AskedQuantities(calculation.choice)) {
    if (!texts[IndexOf(quantity)] && quantity != given) {
      refusal = std::string(subcommand.name) + ": " + std::string(kOptionNames[IndexOf(quantity)]) + " is missing";
      return std::nullopt;
    }
  }
  if (sweeping) return calculation;
  const TypedQuantities typed = ParseTyped(calculation.choice, texts, kOptionNames, given);
  if (!typed.quantities) {
    refusal = typed.refusal;
    return std::nullopt;
  }
  calculation.typed = *typed.quantities;
  return calculation;
}

std::string UnitsOf(Quantity quantity) {
  std::string list = UnitList(DimensionOf(quantity));
  // The default unit is the screens' one.
  static constexpr std::array<std::string_view, 5> kDefaults = {"Hz", "cm3", "cm", "cm", "cm2"};
  const std::string_view unit = kDefaults[IndexOf(quantity)];
  const std::size_t at = (", " + list + ",").find(", " + std::string(unit) + ",");
  if (at != std::string::npos) list.insert(at + unit.size(), " (default)");
  return list;
}

// The flags a subcommand takes.
constexpr std::array<std::string_view, 3> kFlags = {"-h", "--help", "--only-possible"};

// The first flag written with a value ("--only-possible=no", "--help="),
// which CLI11 would read as the flag set off: a flag takes none. Arguments
// after "--" are the batch's file names.
std::optional<std::string_view> FlagGivenAValue(const Subcommand& subcommand,
                                                std::span<const char* const> arguments) {
  for (const std::string_view argument : arguments.subspan(1)) {
    if (argument == "--") break;
    for (const std::string_view flag : kFlags) {
      if (flag == "--only-possible" && !subcommand.solved) continue;
      if (argument.starts_with(flag) && argument.substr(flag.size()).starts_with('=')) return flag;
    }
  }
  return std::nullopt;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> arguments) {
  CommandLine commandLine;
  if (!arguments.empty() && FindSubcommand(arguments.front())) return CommandLine{Action::kRunCommand, ""};
  for (const char* argument : arguments) {
    if (ActionOf(argument) == Action::kRejectArgument) {
      return CommandLine{Action::kRejectArgument, argument};
    }
  }
  if (!arguments.empty()) commandLine.action = ActionOf(arguments.front());
  return commandLine;
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
  for (const Subcommand& subcommand : kSubcommands) {
    text += "  helmholtz " + std::string(subcommand.name) + std::string(10 - subcommand.name.size(), ' ') +
            std::string(subcommand.synopsis) + "\n";
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

std::string SubcommandUsageText(std::string_view name) {
  const Subcommand* subcommand = FindSubcommand(name);
  if (!subcommand) return {};
  // A slot is only ever given: the subcommands that compute the orifice do not take it.
  const bool slot = subcommand->solved && TakesQuantity(*subcommand, Quantity::kSurface);
  std::string text = "Usage: helmholtz " + std::string(subcommand->name) + " " + std::string(subcommand->synopsis) +
                     "\n         [--format F] [--sound-speed C | --temperature T]\n" +
                     (subcommand->solved ? "         [--ends E] [--ports N]" : "") + (slot ? " [--slot WxH]" : "") +
                     (subcommand->solved ? "\n         [--only-possible] [--plot FILE.svg | --plot -]\n\n" : "\n") +
                     std::string(subcommand->what);
  text +=
      "\n"
      "Values: the screens' number syntax (1e3, 1D3, &H3E8), followed directly by\n"
      "a unit or by nothing for the screens' unit. Nothing else may follow.\n";
  if (subcommand->solved) {
    text +=
        "A value may be a range START:STOP:STEP (STOP included, the unit once at the\n"
        "end: 10:60:5l), and an option may be repeated for a list: every design of\n"
        "the combinations is computed, the last option varied fastest, all under\n"
        "one port model.\n";
  }
  for (const Quantity quantity : kQuantities) {
    const bool listed = subcommand->solved ? TakesQuantity(*subcommand, quantity) : true;
    if (!listed) continue;
    // A calculation's option with its value, or a batch file's column.
    const std::string shown = subcommand->solved ? std::string(kOptionNames[IndexOf(quantity)]) + " " +
                                                       std::string(kValueNames[IndexOf(quantity)])
                                                 : std::string(kColumnNames[IndexOf(quantity)]);
    text += "  " + shown + std::string(shown.size() < 17 ? 17 - shown.size() : 1, ' ') + UnitsOf(quantity) + "\n";
  }
  const std::string defaultFormat = subcommand->solved ? "text" : "csv";
  text += "\n  --format F         text, csv or json (default: " + defaultFormat + ")\n";
  text +=
      "  --sound-speed C    speed of sound, cm/s (default) or m/s; without it and\n"
      "                     --temperature, 34000 cm/s as on the screens\n"
      "  --temperature T    air temperature in degrees Celsius (or with C):\n"
      "                     c = 331.3 * sqrt(1 + T/273.15) m/s\n";
  if (subcommand->solved) {
    text +=
        "  --ends E           the neck's end corrections: screen (default: the\n"
        "                     screens' formulas), flanged (a hole in a wall), free\n"
        "                     (a tube free at both ends) or flanged-free (a port\n"
        "                     flush in the baffle, free inside)\n"
        "  --ports N          N identical orifices on the cavity (default 1; more\n"
        "                     than 1 needs a textbook --ends)\n";
  }
  if (slot) {
    text +=
        "  --slot WxH         the orifice is a W by H rectangle, in place of\n"
        "                     --diameter or --surface and never computed; lengths\n"
        "                     as for --thickness, a width without a unit takes\n"
        "                     the height's (40x8mm); the multiplication sign may\n"
        "                     stand for the x\n";
  }
  if (subcommand->solved) {
    text +=
        "  --only-possible    leave out the designs that fail the plausibility test\n"
        "  --plot FILE.svg    also draw the computed quantity against the first swept\n"
        "                     option, a curve per value of a second, into FILE.svg\n"
        "  --plot -           draw that chart on standard output instead of the rows\n";
  }
  text += kWindows ? "  -h, --help, /?     show this text and exit\n" : "  -h, --help         show this text and exit\n";
  if (subcommand->solved) {
    text +=
        "\nWith --ends other than screen, --ports or --slot, CSV and JSON add the\n"
        "columns ends, ports, q_radiation, bandwidth_hz, lumped, end_correction_cm.\n";
  }
  return text;
}

std::string VersionText() { return std::string(kProgramName) + " " + HELMHOLTZ_VERSION + "\n"; }

std::string RejectionText(std::string_view argument) {
  return std::string(kProgramName) + ": unknown argument '" + Printable(argument) + "'; see 'helmholtz --help'\n";
}

int Answer(const CommandLine& commandLine, Output& out, std::ostream& err) {
  switch (commandLine.action) {
    case Action::kShowUsage: out.Append(UsageText()); break;
    case Action::kShowVersion: out.Append(VersionText()); break;
    case Action::kRejectArgument: err << RejectionText(commandLine.badArgument); return kExitBadArgument;
    case Action::kRunCalculator:
    case Action::kRunCommand: break;
  }
  // A usage or version text that never arrived is no success.
  return FinishOutput(out, 0, err);
}

int RunCommand(std::span<const char* const> arguments, Output& out, std::ostream& err) {
  const Subcommand* subcommand = arguments.empty() ? nullptr : FindSubcommand(arguments.front());
  if (!subcommand) {
    err << RejectionText(arguments.empty() ? "" : arguments.front());
    return kExitBadArgument;
  }
  if (const std::optional<std::string_view> flag = FlagGivenAValue(*subcommand, arguments)) {
    err << Refusal(std::string(subcommand->name) + ": " + std::string(*flag) + " takes no value; see 'helmholtz " +
                   std::string(subcommand->name) + " --help'");
    return kExitBadArgument;
  }
  Request request;
  CLI::App cli;
  cli.set_help_flag();
  // A path such as /tmp/designs.csv is no option, on Windows either (/? is mapped below).
  cli.allow_windows_style_options(false);
  // Arguments it does not know are left over and named below, in their order.
  cli.allow_extras();
  cli.add_flag("-h,--help", request.help);
  std::array<CLI::Option*, 5> quantityOptions{};
  for (const Quantity quantity : kQuantities) {
    if (subcommand->solved) {
      quantityOptions[IndexOf(quantity)] =
          AddOption(cli, kOptionNames[IndexOf(quantity)], request.quantities[IndexOf(quantity)]);
    }
  }
  if (subcommand->solved) {
    cli.add_flag("--only-possible", request.onlyPossible);
    AddOption(cli, "--plot", request.plot);
  }
  AddOption(cli, "--format", request.format);
  AddOption(cli, "--sound-speed", request.soundSpeed);
  AddOption(cli, "--temperature", request.temperature);
  if (subcommand->solved) {
    AddOption(cli, kModelOptionNames.ends, request.ends);
    AddOption(cli, kModelOptionNames.ports, request.ports);
    AddOption(cli, kModelOptionNames.slot, request.slot);
  }
  if (!subcommand->solved) cli.add_option("file", request.file);

  // CLI11 reads the arguments from the back; /? is Windows' --help, and
  // "--option=" an empty value (which CLI11 would take from the next argument).
  std::vector<std::string> reversed;
  for (auto argument = arguments.rbegin(); argument + 1 != arguments.rend(); ++argument) {
    const std::string_view text = *argument;
    if (text.starts_with("--") && text.find('=') == text.size() - 1) {
      reversed.emplace_back();
      reversed.emplace_back(text.substr(0, text.size() - 1));
    } else {
      reversed.emplace_back(kWindows && text == "/?" ? "--help" : text);
    }
  }
  try {
    cli.parse(std::move(reversed));
  } catch (const CLI::ParseError& error) {
    // CLI11 says "--volume: 1 required TEXT missing" for an option at the end without its value.
    std::string what = error.what();
    const std::size_t colon = what.find(':');
    if (what.ends_with("required TEXT missing") && colon != std::string::npos) {
      what.replace(colon, std::string::npos, " needs a value");
    }
    err << Refusal(std::string(subcommand->name) + ": " + Printable(what) + "; see 'helmholtz " +
                   std::string(subcommand->name) + " --help'");
    return kExitBadArgument;
  }
  for (const CLI::Option* option : cli.parse_order()) {
    const auto given = std::find(quantityOptions.begin(), quantityOptions.end(), option);
    if (given == quantityOptions.end()) continue;
    const Quantity quantity = kQuantities[static_cast<std::size_t>(given - quantityOptions.begin())];
    if (std::find(request.order.begin(), request.order.end(), quantity) == request.order.end()) {
      request.order.push_back(quantity);
    }
  }
  const std::vector<std::string> unknown = cli.remaining();
  if (!unknown.empty()) {
    err << Refusal(std::string(subcommand->name) + ": unknown argument '" + Printable(unknown.front()) +
                   "'; see 'helmholtz " + std::string(subcommand->name) + " --help'");
    return kExitBadArgument;
  }
  if (request.help) {
    out.Append(SubcommandUsageText(subcommand->name));
    return FinishOutput(out, 0, err);
  }

  std::string refusal;
  const std::optional<CommonSettings> settings =
      ReadCommon(request, subcommand->solved ? Format::kText : Format::kCsv, refusal);
  if (!settings) {
    err << Refusal(refusal);
    return kExitBadArgument;
  }
  if (!subcommand->solved) {
    return RunBatch(request.file, settings->format, settings->constants, out, err);
  }
  SweepRequest sweep;
  sweep.format = settings->format;
  sweep.constants = settings->constants;
  sweep.onlyPossible = request.onlyPossible;
  if (const std::optional<std::string_view> plot = Single(request.plot, "--plot", refusal)) sweep.plot = *plot;
  for (const Quantity quantity : request.order) {
    sweep.inputs.push_back({quantity, request.quantities[IndexOf(quantity)]});
  }
  const std::optional<calculator::PortModel> model = refusal.empty() ? ReadModel(request, refusal) : std::nullopt;
  const std::optional<Calculation> calculation =
      model ? ReadCalculation(*subcommand, request, model->slot.has_value(), IsSweep(sweep), refusal) : std::nullopt;
  if (!calculation) {
    err << Refusal(refusal);
    return kExitBadArgument;
  }
  if (IsSweep(sweep)) {
    sweep.choice = calculation->choice;
    sweep.model = *model;
    return RunSweep(sweep, out, err);
  }
  const auto design = SolveDesign(calculation->choice, calculation->typed, *model, settings->constants);
  if (const auto* modelRefusal = std::get_if<calculator::PortRefusal>(&design)) {
    err << Refusal(modelRefusal->message);
    return kExitBadArgument;
  }
  DesignWriter writer(settings->format, out, NeedsModelColumns(*model));
  writer.Begin();
  writer.Write(std::get<ModelDesign>(design), settings->constants);
  return FinishOutput(out, 0, err);
}

int RunCommandLine(const CommandLine& commandLine, std::span<const char* const> arguments) {
  IgnoreClosedPipeSignal();
  StandardOutputSink sink;
  Output out(sink);
  if (commandLine.action == Action::kRunCommand) return RunCommand(arguments, out, std::cerr);
  return Answer(commandLine, out, std::cerr);
}

}  // namespace app
