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

#include "app/absorber_command/absorber_command.h"
#include "app/batch/batch.h"
#include "app/calculation.h"
#include "app/model_options.h"
#include "app/options/help.h"
#include "app/options/option_table.h"
#include "app/response_command/response_command.h"
#include "app/result.h"
#include "app/output/design_writer.h"
#include "app/output/output.h"
#include "app/quantities.h"
#include "app/sweep/range.h"
#include "app/sweep_command/sweep_command.h"
#include "app/units.h"
#include "calculator/design.h"

namespace app {
namespace {

using calculator::Quantity;

constexpr std::string_view kProgramName = "helmholtz";

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

bool IsHelp(std::string_view argument) {
  return argument == "-h" || argument == "--help" || (kWindows && argument == "/?");
}

Action ActionOf(std::string_view argument) {
  if (IsHelp(argument)) return Action::kShowUsage;
  if (argument == "-V" || argument == "--version") return Action::kShowVersion;
  return Action::kRejectArgument;
}

bool IsOrifice(Quantity quantity) { return quantity == Quantity::kDiameter || quantity == Quantity::kSurface; }

// What the options gave, as typed: each option's texts in order, so that a
// repeated option can be told and an input's list of values kept.
struct Request {
  Command command = Command::kFrequency;
  std::array<std::vector<std::string>, kOptionCount> texts;  // indexed by OptionId
  std::array<bool, kOptionCount> flags{};                    // indexed by OptionId, for the flags
  std::string file = "-";
  // The inputs given, in the order their options first stand on the command line.
  std::vector<Quantity> order;
  // Every option given, in the same order.
  std::vector<OptionId> given;

  const std::vector<std::string>& Texts(OptionId id) const { return texts[static_cast<std::size_t>(id)]; }
  bool Flag(OptionId id) const { return flags[static_cast<std::size_t>(id)]; }
};

// The one text of an option given at most once; a refusal when repeated.
Result<std::optional<std::string_view>> Single(const Request& request, OptionId id) {
  const std::vector<std::string>& texts = request.Texts(id);
  if (texts.size() > 1) return Refused(std::string(EntryOf(id).name) + " is given more than once");
  if (texts.empty()) return std::optional<std::string_view>();
  return std::optional<std::string_view>(texts.front());
}

std::optional<Format> ParseFormat(std::string_view text) {
  if (text == "text") return Format::kText;
  if (text == "csv") return Format::kCsv;
  if (text == "json") return Format::kJson;
  return std::nullopt;
}

// The CSV separator --delimiter names: ',', ';' or TAB, by itself or by name.
std::optional<char> ParseSeparator(std::string_view text) {
  if (text == "," || text == "comma") return ',';
  if (text == ";" || text == "semicolon") return ';';
  if (text == "\t" || text == "tab") return '\t';
  return std::nullopt;
}

// How CSV answers are written; only a CSV answer takes --delimiter.
Result<CsvStyle> ReadCsvStyle(const Request& request, Format format) {
  const auto delimiter = Single(request, OptionId::kDelimiter);
  if (!delimiter.ok()) return delimiter.refusal();
  if (!delimiter.value()) return CsvStyle{};
  if (format != Format::kCsv) return Refused("--delimiter needs --format csv");
  const std::optional<char> separator = ParseSeparator(*delimiter.value());
  if (!separator) {
    return Refused("--delimiter: '" + Printable(*delimiter.value()) + "' is not one of , ; tab (or comma, semicolon)");
  }
  return CsvStyleOf(*separator);
}

// The common options: format, speed of sound.
struct CommonSettings {
  Format format = Format::kText;
  CsvStyle csv;
  AirChoice air;
  DisplayUnits units;
  // --temperature or --sound-speed as a range or a list: a sweep of the air.
  std::optional<SweptAir> sweptAir;
};

// The air options' texts when they sweep the air, else nothing.
std::optional<SweptAir> SweptAirOf(const Request& request) {
  for (const OptionId id : {OptionId::kTemperature, OptionId::kSoundSpeed}) {
    const std::vector<std::string>& texts = request.Texts(id);
    if (texts.size() > 1 || (texts.size() == 1 && sweep::IsRangeText(texts.front()))) {
      return SweptAir{id == OptionId::kTemperature, texts};
    }
  }
  return std::nullopt;
}

Result<CommonSettings> ReadCommon(const Request& request) {
  const bool speedGiven = !request.Texts(OptionId::kSoundSpeed).empty();
  const bool temperatureGiven = !request.Texts(OptionId::kTemperature).empty();
  CommonSettings settings;
  settings.sweptAir = SweptAirOf(request);
  // Given together, the speed sets c and the temperature the air's density
  // and viscosity; a swept air is one of them.
  if (settings.sweptAir && speedGiven && temperatureGiven) {
    return Refused("--sound-speed and --temperature cannot be given together when one is swept");
  }
  if (settings.sweptAir && (!SolvedBy(request.command) || request.command == Command::kResponse)) {
    return Refused(std::string(settings.sweptAir->temperature ? "--temperature" : "--sound-speed") + ": " +
                   std::string(NameOf(request.command)) + " takes one air for its " +
                   (request.command == Command::kResponse ? "curves" : "rows") + ", not a range or a list");
  }
  // A swept air is read with the sweep's designs.
  const auto single = [&](OptionId id) {
    return settings.sweptAir ? Result<std::optional<std::string_view>>(std::optional<std::string_view>())
                             : Single(request, id);
  };
  const auto format = Single(request, OptionId::kFormat);
  const auto speed = single(OptionId::kSoundSpeed);
  const auto temperature = single(OptionId::kTemperature);
  const auto units = Single(request, OptionId::kUnits);
  for (const auto* single : {&format, &speed, &temperature, &units}) {
    if (!single->ok()) return single->refusal();
  }
  settings.format = request.command == Command::kBatch ? Format::kCsv : Format::kText;
  if (format.value()) {
    const std::optional<Format> parsed = ParseFormat(*format.value());
    if (!parsed) return Refused("--format: '" + Printable(*format.value()) + "' is not one of text, csv, json");
    settings.format = *parsed;
  }
  const Result<CsvStyle> csv = ReadCsvStyle(request, settings.format);
  if (!csv.ok()) return csv.refusal();
  settings.csv = csv.value();
  if (speed.value()) {
    const Result<float> parsed = ParseSoundSpeed(*speed.value());
    if (!parsed.ok()) return Refused("--sound-speed: " + parsed.refusal().message);
    settings.air.soundSpeed = parsed.value();
  }
  if (temperature.value()) {
    const Result<long double> parsed = ParseCelsius(*temperature.value());
    if (!parsed.ok()) return Refused("--temperature: " + parsed.refusal().message);
    settings.air.celsius = parsed.value();
  }
  if (units.value()) {
    const Result<DisplayUnits> parsed = ParseUnitList(*units.value());
    if (!parsed.ok()) return Refused("--units: " + parsed.refusal().message);
    settings.units = parsed.value();
  }
  return settings;
}

// The calculation a subcommand's options ask for.
struct Calculation {
  calculator::Choice choice = calculator::Choice::kFrequencyRound;
  calculator::Quantities typed;
};

// The port model the options ask for (the screens' when none is given).
// The model options' texts, each given at most once.
Result<ModelTexts> ReadModelTexts(const Request& request) {
  const auto ends = Single(request, OptionId::kEnds);
  const auto ports = Single(request, OptionId::kPorts);
  const auto slot = Single(request, OptionId::kSlot);
  const auto pitch = Single(request, OptionId::kPitch);
  for (const auto* single : {&ends, &ports, &slot, &pitch}) {
    if (!single->ok()) return single->refusal();
  }
  return ModelTexts{ends.value(), ports.value(), slot.value(), pitch.value()};
}

Result<calculator::PortModel> ReadModel(const Request& request) {
  const Result<ModelTexts> texts = ReadModelTexts(request);
  if (!texts.ok()) return texts.refusal();
  return ParseModel(texts.value(), kModelOptionNames);
}

// A batch: --ends and --ports stand in each row's empty model cells, so
// they are read, and refused, once before the file.
int RunBatchCommand(const Request& request, const CommonSettings& settings, Output& out, std::ostream& err) {
  const Result<ModelTexts> defaults = ReadModelTexts(request);
  const Result<calculator::PortModel> model =
      defaults.ok() ? ParseModel(defaults.value(), kModelOptionNames) : defaults.refusal();
  if (!model.ok()) {
    err << DiagnosticLine(model.refusal().message);
    return kExitBadArgument;
  }
  return RunBatch(request.file, {settings.format, defaults.value(), {settings.csv, settings.air, settings.units}}, out,
                  err);
}

// The inputs' texts: the first of each (a sweep reads them all itself); an
// input given twice outside a sweep, or one the subcommand computes, refused.
Result<QuantityTexts> ReadInputTexts(const Request& request, bool sweeping) {
  QuantityTexts texts;
  const Quantity solved = *SolvedBy(request.command);
  for (const QuantityEntry& entry : kQuantityTable) {
    const Quantity quantity = entry.quantity;
    const OptionId id = OptionOf(quantity);
    const std::vector<std::string>& given = request.Texts(id);
    if (sweeping && !given.empty()) {
      texts[IndexOf(quantity)] = given.front();
    } else {
      const auto single = Single(request, id);
      if (!single.ok()) return single.refusal();
      texts[IndexOf(quantity)] = single.value();
    }
    if (texts[IndexOf(quantity)] && !Offers(request.command, id)) {
      const std::string_view name = EntryOf(id).name;
      return Refused(std::string(NameOf(request.command)) + ": " + std::string(name) + " cannot be given: the " +
                     std::string(IsOrifice(quantity) && IsOrifice(solved) ? "orifice" : name.substr(2)) +
                     " is what it computes");
    }
  }
  return texts;
}

// Which orifice the inputs give: a refusal for two, or none where one is needed.
Result<bool> ReadOrificeKind(const Request& request, const QuantityTexts& texts, bool slot) {
  const bool diameter = texts[IndexOf(Quantity::kDiameter)].has_value();
  const bool surface = texts[IndexOf(Quantity::kSurface)].has_value();
  if (diameter && surface) return Refused("--diameter and --surface cannot be given together");
  if (slot && (diameter || surface)) {
    return Refused(std::string("--slot and ") + (diameter ? "--diameter" : "--surface") + " cannot be given together");
  }
  if (!IsOrifice(*SolvedBy(request.command)) && !diameter && !surface && !slot) {
    return Refused(std::string(NameOf(request.command)) + ": --diameter or --surface is missing");
  }
  return surface || slot;
}

// A slot gives the orifice as a surface, in place of --diameter or --surface.
// A sweep's options may be repeated, and its values are read by the sweep.
Result<Calculation> ReadCalculation(const Request& request, bool slot, bool sweeping) {
  const Result<QuantityTexts> texts = ReadInputTexts(request, sweeping);
  if (!texts.ok()) return texts.refusal();
  const Result<bool> anyOrifice = ReadOrificeKind(request, texts.value(), slot);
  if (!anyOrifice.ok()) return anyOrifice.refusal();
  Calculation calculation;
  calculation.choice = ChoiceFor(*SolvedBy(request.command), anyOrifice.value());
  const std::optional<Quantity> given = slot ? std::optional(Quantity::kSurface) : std::nullopt;
  // Each missing option is named before any value is read.
  for (const Quantity quantity : calculator::AskedQuantities(calculation.choice)) {
    if (!texts.value()[IndexOf(quantity)] && quantity != given) {
      return Refused(std::string(NameOf(request.command)) + ": " + std::string(EntryOf(OptionOf(quantity)).name) +
                     " is missing");
    }
  }
  if (sweeping) return calculation;
  const Result<calculator::Quantities> typed = ParseTyped(calculation.choice, texts.value(), kOptionNames, given);
  if (!typed.ok()) return typed.refusal();
  calculation.typed = typed.value();
  return calculation;
}

CLI::Option* AddOption(CLI::App& cli, const std::string& names, std::vector<std::string>& texts) {
  return cli.add_option(names, texts)
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

// Registers what the option table says `request.command` takes.
void RegisterOptions(CLI::App& cli, Request& request) {
  cli.set_help_flag();
  // A path such as /tmp/designs.csv is no option, on Windows either (/? is mapped below).
  cli.allow_windows_style_options(false);
  // Arguments it does not know are left over and named below, in their order.
  cli.allow_extras();
  for (const OptionEntry& option : kOptions) {
    if (!Takes(request.command, option.id)) continue;
    // CLI11's list of an option's names: "-h,--help".
    const std::string names =
        (option.shortName.empty() ? "" : std::string(option.shortName) + ",") + std::string(option.name);
    const auto id = static_cast<std::size_t>(option.id);
    if (option.kind == OptionKind::kFlag) {
      cli.add_flag(names, request.flags[id]);
    } else {
      AddOption(cli, names, request.texts[id]);
    }
  }
  if (request.command == Command::kBatch) cli.add_option("file", request.file);
}

// CLI11 reads the arguments from the back; /? is Windows' --help, and
// "--option=" an empty value (which CLI11 would take from the next argument).
std::vector<std::string> ArgumentsForCli(std::span<const char* const> arguments) {
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
  return reversed;
}

std::string SeeHelp(Command command) { return "; see 'helmholtz " + std::string(NameOf(command)) + " --help'"; }

// The first flag written with a value ("--only-possible=no", "--help="),
// which CLI11 would read as the flag set off: a flag takes none. Arguments
// after "--" are the batch's file names.
std::optional<std::string_view> FlagGivenAValue(Command command, std::span<const char* const> arguments) {
  for (const std::string_view argument : arguments.subspan(1)) {
    if (argument == "--") break;
    for (const OptionEntry& option : kOptions) {
      if (option.kind != OptionKind::kFlag || !Takes(command, option.id)) continue;
      for (const std::string_view flag : {option.name, option.shortName}) {
        if (!flag.empty() && argument.starts_with(flag) && argument.substr(flag.size()).starts_with('=')) return flag;
      }
    }
  }
  return std::nullopt;
}

// The subcommand's arguments read into a Request, or the refusal.
Result<Request> ParseRequest(Command command, std::span<const char* const> arguments) {
  if (const std::optional<std::string_view> flag = FlagGivenAValue(command, arguments)) {
    return Refused(std::string(NameOf(command)) + ": " + std::string(*flag) + " takes no value" + SeeHelp(command));
  }
  Request request;
  request.command = command;
  CLI::App cli;
  RegisterOptions(cli, request);
  try {
    cli.parse(ArgumentsForCli(arguments));
  } catch (const CLI::ParseError& error) {
    // CLI11 says "--volume: 1 required TEXT missing" for an option at the end without its value.
    std::string what = error.what();
    const std::size_t colon = what.find(':');
    if (what.ends_with("required TEXT missing") && colon != std::string::npos) {
      what.replace(colon, std::string::npos, " needs a value");
    }
    return Refused(std::string(NameOf(command)) + ": " + Printable(what) + SeeHelp(command));
  }
  for (const CLI::Option* option : cli.parse_order()) {
    const OptionEntry* entry = OptionFor(option->get_name());
    if (entry && std::find(request.given.begin(), request.given.end(), entry->id) == request.given.end()) {
      request.given.push_back(entry->id);
    }
    if (!entry || !entry->quantity) continue;
    if (std::find(request.order.begin(), request.order.end(), *entry->quantity) == request.order.end()) {
      request.order.push_back(*entry->quantity);
    }
  }
  const std::vector<std::string> unknown = cli.remaining();
  if (!unknown.empty()) {
    return Refused(std::string(NameOf(command)) + ": unknown argument '" + Printable(unknown.front()) + "'" +
                   SeeHelp(command));
  }
  return request;
}

// --plot FILE.svg or -, and the chart's x axis; only with --plot.
Result<bool> ReadChartOptions(const Request& request, SweepRequest& sweep) {
  const auto plot = Single(request, OptionId::kPlot);
  if (!plot.ok()) return plot.refusal();
  const bool logX = request.Flag(OptionId::kLogX);
  const bool linearX = request.Flag(OptionId::kLinearX);
  if (logX && linearX) return Refused("--log-x and --linear-x cannot be given together");
  if (!plot.value()) {
    if (logX || linearX) return Refused(std::string(logX ? "--log-x" : "--linear-x") + " needs --plot");
    return true;
  }
  const std::string_view file = *plot.value();
  const bool svg = file.size() > 4 && (file.ends_with(".svg") || file.ends_with(".SVG"));
  if (file != "-" && !svg) {
    return Refused("--plot: '" + Printable(file, Backslash::kKept) +
                   "' is not an SVG file (FILE.svg), nor - for the terminal");
  }
  sweep.plot = std::string(file);
  if (logX || linearX) sweep.xScale = logX ? plot::AxisScale::kLog : plot::AxisScale::kLinear;
  return true;
}

// The units an answer shows: --units, or else for each dimension the unit its
// first input typed with one was typed in (a slot's, for lengths, too).
DisplayUnits UnitsShown(const Request& request, const DisplayUnits& given) {
  if (given.named) return given;
  DisplayUnits shown;
  std::array<bool, kDesignDimensions> typed{};
  const auto take = [&](std::string_view text, Dimension dimension) {
    bool& taken = typed[static_cast<std::size_t>(dimension)];
    if (taken) return;
    if (const std::optional<DisplayUnit> unit = TypedUnit(text, dimension)) {
      shown.Of(dimension) = *unit;
      taken = true;
    }
  };
  for (const Quantity quantity : request.order) {
    for (const std::string& text : request.Texts(OptionOf(quantity))) take(text, DimensionOf(quantity));
  }
  // A slot's height carries the unit of both sides ("40x8mm").
  for (const std::string& slot : request.Texts(OptionId::kSlot)) {
    take(std::string_view(slot).substr(slot.find_last_of("x\x97") + 1), Dimension::kLength);
  }
  return shown;
}

// What a design command's options give besides the inputs' values: the
// answer's settings, the chart, the model and the calculation's choice.
SweepRequest SettingsOf(const Request& request, const CommonSettings& settings, plot::ColourQuery colours) {
  SweepRequest sweep;
  sweep.format = settings.format;
  sweep.csv = settings.csv;
  sweep.air = settings.air;
  sweep.units = UnitsShown(request, settings.units);
  sweep.sweptAir = settings.sweptAir;
  sweep.onlyPossible = request.Flag(OptionId::kOnlyPossible);
  sweep.colours = colours;
  for (const Quantity quantity : request.order) sweep.inputs.push_back({quantity, request.Texts(OptionOf(quantity))});
  return sweep;
}

// The chart, the model and the calculation `sweep` asks for, read into it;
// the inputs' values too unless it is a sweep (or `readAsSweep`), whose
// designs are read by ReadDesigns.
Result<Calculation> ReadDesignOptions(const Request& request, SweepRequest& sweep, bool readAsSweep) {
  const Result<bool> chart = ReadChartOptions(request, sweep);
  if (!chart.ok()) return chart.refusal();
  const bool sweeping = readAsSweep || IsSweep(sweep);
  const Result<calculator::PortModel> model = ReadModel(request);
  if (!model.ok()) return model.refusal();
  sweep.model = model.value();
  const Result<Calculation> calculation = ReadCalculation(request, sweep.model.slot.has_value(), sweeping);
  if (!calculation.ok()) return calculation.refusal();
  sweep.choice = calculation.value().choice;
  sweep.constants = ConstantsFor(sweep.model, sweep.air);
  return calculation;
}

std::optional<ResponsePlot> ParsePlotQuantity(std::string_view text) {
  if (text == "gain") return ResponsePlot::kGain;
  if (text == "absorption-area") return ResponsePlot::kAbsorptionArea;
  return std::nullopt;
}

// The response: its designs read as a sweep's, whatever their number.
int RunResponseCommand(const Request& request, const CommonSettings& settings, plot::ColourQuery colours, Output& out,
                       std::ostream& err) {
  ResponseRequest response;
  response.designs = SettingsOf(request, settings, colours);
  const auto band = Single(request, OptionId::kBand);
  const auto perOctave = Single(request, OptionId::kPerOctave);
  const auto plotted = Single(request, OptionId::kPlotQuantity);
  Result<Calculation> calculation = ReadDesignOptions(request, response.designs, true);
  for (const auto* single : {&band, &perOctave, &plotted}) {
    if (!single->ok() && calculation.ok()) calculation = single->refusal();
  }
  if (calculation.ok() && plotted.value()) {
    const std::optional<ResponsePlot> parsed = ParsePlotQuantity(*plotted.value());
    if (!response.designs.plot) {
      calculation = Refused("--plot-quantity needs --plot");
    } else if (!parsed) {
      calculation =
          Refused("--plot-quantity: '" + Printable(*plotted.value()) + "' is not one of gain, absorption-area");
    } else {
      response.plotted = *parsed;
    }
  }
  if (!calculation.ok()) {
    err << DiagnosticLine(calculation.refusal().message);
    return kExitBadArgument;
  }
  if (band.value()) response.band = std::string(*band.value());
  if (perOctave.value()) response.perOctave = std::string(*perOctave.value());
  return RunResponse(response, out, err);
}

// A calculation subcommand: one design, or a sweep of them.
int RunCalculation(const Request& request, const CommonSettings& settings, plot::ColourQuery colours, Output& out,
                   std::ostream& err) {
  SweepRequest sweep = SettingsOf(request, settings, colours);
  const Result<Calculation> calculation = ReadDesignOptions(request, sweep, false);
  if (!calculation.ok()) {
    err << DiagnosticLine(calculation.refusal().message);
    return kExitBadArgument;
  }
  if (IsSweep(sweep)) return RunSweep(sweep, out, err);
  const calculator::PortModel& model = sweep.model;
  const calculator::Constants& constants = sweep.constants;
  auto design = calculator::SolveProblem({calculation.value().choice, calculation.value().typed, model, constants});
  if (const auto* fault = std::get_if<calculator::ModelFault>(&design)) {
    err << DiagnosticLine(FaultText(*fault, kModelOptionNames));
    return kExitBadArgument;
  }
  AddLosses(std::get<ModelDesign>(design), AirOf(model, settings.air));
  DesignWriter writer(settings.format, out, NeedsModelColumns(model), {settings.csv, settings.air, sweep.units});
  writer.Begin();
  writer.Write(std::get<ModelDesign>(design), constants);
  return FinishOutput(out, 0, err);
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> arguments) {
  CommandLine commandLine;
  if (!arguments.empty() && CommandNamed(arguments.front())) return CommandLine{Action::kRunCommand, ""};
  for (const char* argument : arguments) {
    if (ActionOf(argument) == Action::kRejectArgument) {
      return CommandLine{Action::kRejectArgument, argument};
    }
  }
  if (!arguments.empty()) commandLine.action = ActionOf(arguments.front());
  return commandLine;
}

std::string SubcommandUsageText(std::string_view name) {
  const std::optional<Command> command = CommandNamed(name);
  return command ? SubcommandUsageText(*command) : std::string();
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

int RunCommand(std::span<const char* const> arguments, Output& out, std::ostream& err, plot::ColourQuery colours) {
  const std::optional<Command> command = arguments.empty() ? std::nullopt : CommandNamed(arguments.front());
  if (!command) {
    err << RejectionText(arguments.empty() ? "" : arguments.front());
    return kExitBadArgument;
  }
  const Result<Request> request = ParseRequest(*command, arguments);
  if (!request.ok()) {
    err << DiagnosticLine(request.refusal().message);
    return kExitBadArgument;
  }
  if (request.value().Flag(OptionId::kHelp)) {
    out.Append(SubcommandUsageText(*command));
    return FinishOutput(out, 0, err);
  }
  const Result<CommonSettings> settings = ReadCommon(request.value());
  if (!settings.ok()) {
    err << DiagnosticLine(settings.refusal().message);
    return kExitBadArgument;
  }
  if (*command == Command::kAbsorber) {
    return RunAbsorber({request.value().texts, request.value().Flag(OptionId::kRatings), request.value().given,
                        settings.value().format, settings.value().csv, settings.value().air, colours},
                       out, err);
  }
  if (!SolvedBy(*command)) return RunBatchCommand(request.value(), settings.value(), out, err);
  if (*command == Command::kResponse) return RunResponseCommand(request.value(), settings.value(), colours, out, err);
  return RunCalculation(request.value(), settings.value(), colours, out, err);
}

int RunCommandLine(const CommandLine& commandLine, std::span<const char* const> arguments, plot::ColourQuery colours) {
  IgnoreClosedPipeSignal();
  StandardOutputSink sink;
  Output out(sink);
  if (commandLine.action == Action::kRunCommand) return RunCommand(arguments, out, std::cerr, colours);
  return Answer(commandLine, out, std::cerr);
}

}  // namespace app
