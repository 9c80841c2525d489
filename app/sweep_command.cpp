#include "app/sweep_command.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>
#include <variant>

#include "app/calculation.h"
#include "app/command_line.h"
#include "app/output/file_replacement.h"
#include "app/output/output.h"
#include "app/result.h"
#include "app/plot/chart.h"
#include "app/plot/svg.h"
#include "app/plot/terminal_chart.h"
#include "app/quantities.h"
#include "app/sweep/progress_line.h"
#include "app/sweep/range.h"
#include "app/sweep/sweep.h"
#include "app/system_text.h"
#include "app/units.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace app {
namespace {

using calculator::Design;
using calculator::Quantity;

plot::AxisName ChartName(Quantity quantity) {
  return {std::string(EntryOf(quantity).chartTitle), std::string(EntryOf(quantity).chartUnit)};
}

// Designs between two looks for a closed standard output, a few times a second.
constexpr std::uint64_t kLookForClosedOutputEvery = 1 << 16;

// A chart has a legend mark of its own for each curve.
constexpr std::uint64_t kMaxCurves = 10;

// Reads one option's texts with the option's own value syntax and units; the
// range's points are rounded to single once, from the unrounded value.
sweep::ValueParser ParserFor(Quantity quantity) {
  const Dimension dimension = DimensionOf(quantity);
  return [dimension](std::string_view number, std::string_view unit) {
    return ParseWorkingValue(std::string(number) + std::string(unit), dimension);
  };
}

// The signals that end a sweep (Ctrl+C, kill, the terminal closed) only
// record their number here, which the loop reads after each design, so that
// the status line is erased and the rows written so far are complete before
// the program ends with 128 + that number, as a shell reports it. They stay
// caught until then: a closed terminal often brings a second SIGHUP, from
// the shell, right behind the first.
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int signal) { stopSignal = signal; }

class StopSignals {
 public:
  StopSignals() {
    stopSignal = 0;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
      previous_[i] = std::signal(kSignals[i], OnStopSignal);
      // Ignored stays ignored: nohup, or a background job of a shell without job control.
      if (previous_[i] == SIG_IGN) std::signal(kSignals[i], SIG_IGN);
    }
  }
  ~StopSignals() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) std::signal(kSignals[i], previous_[i]);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  // The signal that asked the sweep to end, if any.
  std::optional<int> Raised() const { return stopSignal != 0 ? std::optional<int>(stopSignal) : std::nullopt; }

 private:
#ifdef SIGHUP
  static constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
#else
  static constexpr std::array<int, 2> kSignals = {SIGINT, SIGTERM};
#endif
  std::array<void (*)(int), kSignals.size()> previous_{};
};

bool StandardOutputIsTerminal() {
#ifdef _WIN32
  return _isatty(1) != 0;
#else
  return isatty(1) != 0;
#endif
}

void WriteToStandardError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

// The texts of the number columns that follow one input alone, written once
// per value of that input rather than once per design: the volume's column,
// the wall's two (cm and mm), the orifice's four (diameter, surface and the
// equivalent diameter and square side). The computed quantity's columns and
// the Q-Factor follow the whole design and are always written afresh.
class NumberTextCache {
 public:
  // A table per input with at most this many values (kept for the whole
  // sweep, at most 2 MB); a longer input keeps its current value's texts only.
  static constexpr std::uint64_t kTableLimit = 1U << 15;
  // Each text in a slot of its own: its length, then its characters (a
  // float's shortest text has at most 15).
  static constexpr std::size_t kSlotBytes = 16;

  NumberTextCache(Format format, calculator::Choice choice, const sweep::Sweep& sweep,
                  const std::vector<Quantity>& inputs, const calculator::Constants& constants)
      : format_(format), constants_(constants) {
    const Quantity solved = calculator::SolvedQuantity(choice);
    const Quantity orifice = calculator::IsRound(choice) ? Quantity::kDiameter : Quantity::kSurface;
    // The input each number column follows (kNumberColumns order), if any.
    const std::array<std::optional<Quantity>, kNumberColumns> follows = {
        Quantity::kFrequency, Quantity::kVolume, Quantity::kThickness, orifice, orifice, orifice, orifice,
        Quantity::kThickness, std::nullopt};
    axes_.resize(inputs.size());
    for (std::size_t column = 0; column < kNumberColumns; ++column) {
      if (!follows[column] || *follows[column] == solved) continue;
      const auto axis = std::find(inputs.begin(), inputs.end(), *follows[column]);
      if (axis == inputs.end()) continue;
      axes_[static_cast<std::size_t>(axis - inputs.begin())].columns.push_back(column);
    }
    for (std::size_t axis = 0; axis < axes_.size(); ++axis) {
      Axis& cached = axes_[axis];
      const std::uint64_t size = sweep.Axes()[axis].Size();
      cached.table = size <= kTableLimit;
      const std::size_t entries = cached.table ? static_cast<std::size_t>(size) : 1;
      cached.filled.assign(cached.table ? entries : 0, false);
      // Left unwritten until filled, so a table costs only the values reached.
      cached.slots.reset(new char[entries * cached.columns.size() * kSlotBytes]);
    }
  }

  // The known texts for `design`, at the odometer's current point.
  const KnownNumberTexts& Known(const sweep::Odometer& point, const Design& design) {
    for (std::size_t axis = 0; axis < axes_.size(); ++axis) {
      Axis& cached = axes_[axis];
      if (cached.columns.empty()) continue;
      // The point's own index, not what changed since the last row written:
      // --only-possible skips rows, among them those where an input changes.
      const std::uint64_t index = point.Indices()[axis];
      const std::size_t entry = cached.table ? static_cast<std::size_t>(index) : 0;
      char* slots = cached.slots.get() + entry * cached.columns.size() * kSlotBytes;
      if (cached.table ? !cached.filled[entry] : cached.held != index) {
        Fill(slots, cached.columns, design);
        if (cached.table) {
          cached.filled[entry] = true;
        } else {
          cached.held = index;
        }
      }
      for (std::size_t i = 0; i < cached.columns.size(); ++i) {
        const char* slot = slots + i * kSlotBytes;
        known_[cached.columns[i]] = std::string_view(slot + 1, static_cast<unsigned char>(slot[0]));
      }
    }
    return known_;
  }

 private:
  struct Axis {
    std::vector<std::size_t> columns;
    // Slots for every value, or (`table` false) for the value `held` only.
    bool table = false;
    std::vector<bool> filled;
    std::optional<std::uint64_t> held;
    std::unique_ptr<char[]> slots;
  };

  void Fill(char* slots, const std::vector<std::size_t>& columns, const Design& design) const {
    const std::array<float, kNumberColumns> values = NumberCells(design, constants_);
    std::string text;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      text.clear();
      AppendNumberCell(text, format_, values[columns[i]]);
      if (text.size() >= kSlotBytes) text.clear();  // not kept: formatted afresh each time
      char* slot = slots + i * kSlotBytes;
      slot[0] = static_cast<char>(text.size());
      std::memcpy(slot + 1, text.data(), text.size());
    }
  }

  Format format_;
  calculator::Constants constants_;
  std::vector<Axis> axes_;
  KnownNumberTexts known_{};
};

// The widest shortest text of a float, "-1.17549435e-38" and the like.
constexpr std::size_t kNumberWidth = 15;
constexpr std::string_view kColumnGap = "  ";

std::size_t WidthOf(std::string_view name) { return std::max(kNumberWidth, name.size()); }
std::size_t WidthOf(Quantity quantity) { return WidthOf(EntryOf(quantity).column); }

void AppendRightAligned(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

// A number right-aligned in its column, or blanks for none.
void AppendNumberColumn(std::string& out, std::optional<float> value, std::size_t width) {
  std::string number;  // short enough to stay in the string itself
  if (value) AppendFloat(number, *value);
  AppendRightAligned(out, number, width);
}

// The textbook models' own figures, which a text row shows after the
// computed quantity under the CSV's names; the screens' model has none.
struct ModelFigure {
  std::string_view name;
  std::optional<float> calculator::PortSolution::*value;
};
constexpr std::array<ModelFigure, 3> kModelFigures = {{{"end_correction_cm", &calculator::PortSolution::endCorrection},
                                                       {"q_radiation", &calculator::PortSolution::qRadiation},
                                                       {"bandwidth_hz", &calculator::PortSolution::bandwidth}}};

bool ShowsModelFigures(const calculator::PortModel& model) { return model.ends != calculator::Ends::kScreen; }

// The first two inputs with more than one value: the chart's x and its curves.
struct ChartAxes {
  std::size_t x = 0;
  std::optional<std::size_t> curve;
};

// The chart of the computed quantity against the first swept input, a curve
// per value of the second, or nothing with the refusal.
std::optional<plot::Chart> MakeChart(calculator::Choice choice, const sweep::Sweep& sweep,
                                     const std::vector<Quantity>& inputs, ChartAxes& axes, std::string& refusal) {
  std::vector<std::size_t> swept;
  for (std::size_t axis = 0; axis < inputs.size(); ++axis) {
    if (sweep.Axes()[axis].Size() > 1) swept.push_back(axis);
  }
  if (swept.size() > 2) {
    refusal = "--plot: a chart shows at most two swept options (x and one curve per value); " +
              std::to_string(swept.size()) + " are swept";
    return std::nullopt;
  }
  if (!swept.empty()) axes.x = swept.front();
  if (swept.size() == 2) axes.curve = swept.back();
  std::vector<std::string> legends(1);  // a single curve has no legend
  if (axes.curve) {
    const sweep::Sequence& curves = sweep.Axes()[*axes.curve];
    if (curves.Size() > kMaxCurves) {
      refusal = "--plot: at most " + std::to_string(kMaxCurves) + " curves, one per value of " +
                std::string(kOptionNames[IndexOf(inputs[*axes.curve])]) + ", which has " +
                std::to_string(curves.Size());
      return std::nullopt;
    }
    legends.clear();
    const plot::AxisName name = ChartName(inputs[*axes.curve]);
    for (std::uint64_t index = 0; index < curves.Size(); ++index) {
      legends.push_back(plot::LegendText(name, curves.At(index)));
    }
  }
  const auto [low, high] = sweep.Axes()[axes.x].Bounds();
  return plot::Chart(ChartName(inputs[axes.x]), ChartName(calculator::SolvedQuantity(choice)),
                     std::pair<double, double>(low, high), std::move(legends));
}

// Where the designs go: rows, when `rows`, and the chart, if any.
struct DesignsTo {
  bool rows;
  Output& out;
  DesignWriter& writer;
  NumberTextCache& cache;
  plot::Chart* chart;
  ChartAxes chartAxes;
};

// The designs one by one, until the last, a stop signal or a closed output:
// the row path, kept apart from the setting up and ending of a sweep.
void SweepDesigns(const SweepRequest& request, const sweep::Sweep& sweep, const std::vector<Quantity>& inputs,
                  const DesignsTo& to, const StopSignals& stop, sweep::ProgressLine& progress) {
  const Quantity solved = calculator::SolvedQuantity(request.choice);
  calculator::Quantities typed;
  std::uint64_t designs = 0;
  for (sweep::Odometer point(sweep); point.Valid() && !to.out.failed() && !stop.Raised(); point.Next()) {
    // The terminal chart, or rows that --only-possible leaves out, may write
    // nothing for long: a reader that has gone meanwhile ends the sweep.
    if (++designs % kLookForClosedOutputEvery == 0 && !to.out.StillOpen()) break;
    for (std::size_t axis = point.FirstChanged(); axis < inputs.size(); ++axis) {
      calculator::Field(typed, inputs[axis]) = point.Values()[axis];
    }
    // The model's faults were refused before the first design; no row shows the cross-checks.
    const auto outcome = calculator::SolveProblem(
        {request.choice, typed, request.model, request.constants, calculator::Checks::kSkipped});
    const ModelDesign& model = *std::get_if<ModelDesign>(&outcome);
    const Design& design = model.design;
    progress.Advance();
    // An impossible design breaks its curve, with --only-possible too.
    if (to.chart) {
      const ChartAxes& axes = to.chartAxes;
      const std::size_t curve = axes.curve ? static_cast<std::size_t>(point.Indices()[*axes.curve]) : 0;
      to.chart->Add(
          curve, point.Values()[axes.x],
          design.possible ? std::optional<double>(calculator::Field(design.quantities, solved)) : std::nullopt);
    }
    if ((request.onlyPossible && !design.possible) || !to.rows) continue;
    if (request.format == Format::kText) {
      AppendSweepTextRow(to.out.buffer(), model, inputs);
      to.out.EndRow();
    } else {
      to.writer.Write(model, request.constants, &to.cache.Known(point, design));
    }
  }
}

}  // namespace

bool IsSweep(const SweepRequest& request) {
  if (request.onlyPossible || request.plot) return true;
  return std::any_of(request.inputs.begin(), request.inputs.end(), [](const SweptInput& input) {
    return input.texts.size() > 1 || (input.texts.size() == 1 && sweep::IsRangeText(input.texts.front()));
  });
}

std::string SweepTextHeader(calculator::Choice choice, const std::vector<Quantity>& inputs,
                            const calculator::PortModel& model) {
  std::string header;
  std::vector<Quantity> columns = inputs;
  columns.push_back(calculator::SolvedQuantity(choice));
  for (const Quantity quantity : columns) {
    if (!header.empty()) header += kColumnGap;
    AppendRightAligned(header, EntryOf(quantity).column, WidthOf(quantity));
  }
  if (ShowsModelFigures(model)) {
    for (const ModelFigure& figure : kModelFigures) {
      header += kColumnGap;
      AppendRightAligned(header, figure.name, WidthOf(figure.name));
    }
  }
  // The rows do not show a slot, which is no input.
  return (NeedsModelColumns(model) ? "Model: " + ModelName(model) + "\n" : "") + header + "\n";
}

void AppendSweepTextRow(std::string& out, const ModelDesign& model, const std::vector<Quantity>& inputs) {
  const Design& design = model.design;
  for (const Quantity quantity : inputs) {
    AppendNumberColumn(out, calculator::Field(design.quantities, quantity), WidthOf(quantity));
    out += kColumnGap;
  }
  const Quantity solved = calculator::SolvedQuantity(design.choice);
  AppendNumberColumn(out, calculator::Field(design.quantities, solved), WidthOf(solved));
  if (ShowsModelFigures(model.model)) {
    for (const ModelFigure& figure : kModelFigures) {
      out += kColumnGap;
      AppendNumberColumn(out, model.figures.*figure.value, WidthOf(figure.name));
    }
  }
  std::string message;
  AppendDesignMessage(message, design);
  if (model.figures.lumped == false) message += message.empty() ? "Not lumped" : "; Not lumped";
  if (!message.empty()) {
    out += kColumnGap;
    out += message;
  }
  out += '\n';
}

namespace {

// The designs of a sweep: the product of its inputs' values, the inputs in
// their order.
struct Designs {
  sweep::Sweep sweep;
  std::vector<Quantity> inputs;
};

// The inputs' texts read into the sweep, or the first refusal (naming the option).
Result<Designs> ReadDesigns(const SweepRequest& request) {
  std::vector<sweep::Sequence> axes;
  std::vector<Quantity> inputs;
  for (const SweptInput& input : request.inputs) {
    const std::vector<std::string_view> texts(input.texts.begin(), input.texts.end());
    Result<sweep::Sequence> parsed = sweep::ParseSequence(texts, ParserFor(input.quantity));
    if (!parsed.ok()) {
      return Refused(std::string(kOptionNames[IndexOf(input.quantity)]) + ": " + parsed.refusal().message);
    }
    axes.push_back(std::move(parsed.value()));
    inputs.push_back(input.quantity);
  }
  Result<sweep::Sweep> made = sweep::Sweep::Make(std::move(axes));
  if (!made.ok()) return made.refusal();
  if (const std::optional<calculator::ModelFault> fault = calculator::FaultOf(request.choice, request.model)) {
    return Refused(FaultText(*fault, kModelOptionNames));
  }
  return Designs{std::move(made.value()), std::move(inputs)};
}

// Where --plot draws: the chart fed by the designs, and the file it goes to
// (none for the terminal chart).
struct ChartTarget {
  std::optional<plot::Chart> chart;
  std::optional<FileReplacement> file;
  ChartAxes axes;
  bool terminal = false;
};

std::string CannotWrite(const std::string& path) {
  return DiagnosticLine("--plot: cannot write '" + Printable(path, Backslash::kKept) + "'");
}

// The chart --plot asks for, and its file opened, before the first design.
// The file is written beside FILE and put in its place once whole, so that
// a sweep ended early leaves an older chart alone and a new path absent.
std::optional<ChartTarget> OpenChart(const SweepRequest& request, const Designs& designs, std::ostream& err,
                                     int& exitCode) {
  ChartTarget target;
  if (!request.plot) return target;
  target.terminal = *request.plot == "-";
  std::string refusal;
  target.chart = MakeChart(request.choice, designs.sweep, designs.inputs, target.axes, refusal);
  if (!target.chart) {
    err << DiagnosticLine(refusal);
    exitCode = kExitBadArgument;
    return std::nullopt;
  }
  if (!target.terminal) target.file = FileReplacement::Open(*request.plot);
  if (!target.terminal && !target.file) {
    err << CannotWrite(*request.plot);
    exitCode = kExitWriteFailed;
    return std::nullopt;
  }
  return target;
}

// The rows' header: a text header, or CSV's; nothing for the terminal chart.
void BeginRows(const SweepRequest& request, const Designs& designs, bool rows, DesignWriter& writer, Output& out) {
  if (!rows) return;
  if (request.format == Format::kText) {
    out.Append(SweepTextHeader(request.choice, designs.inputs, request.model));
  } else {
    writer.Begin();
  }
}

}  // namespace

int RunSweep(const SweepRequest& request, Output& out, std::ostream& err) {
  const Result<Designs> designs = ReadDesigns(request);
  if (!designs.ok()) {
    err << DiagnosticLine(designs.refusal().message);
    return kExitBadArgument;
  }
  int exitCode = 0;
  std::optional<ChartTarget> chart = OpenChart(request, designs.value(), err, exitCode);
  if (!chart) return exitCode;
  // Rows go to standard output unless it is the terminal chart's.
  const bool rows = !chart->terminal;
  DesignWriter writer(request.format, out, NeedsModelColumns(request.model));
  BeginRows(request, designs.value(), rows, writer, out);
  NumberTextCache cache(request.format, request.choice, designs.value().sweep, designs.value().inputs,
                        request.constants);
  const StopSignals stop;
  {
    // Rows on a terminal would run through the status line; they show progress themselves.
    sweep::ProgressLine progress(designs.value().sweep.Count(),
                                 sweep::StandardErrorIsTerminal() && (chart->terminal || !StandardOutputIsTerminal()),
                                 std::chrono::steady_clock::now, WriteToStandardError, sweep::StandardErrorColumns);
    SweepDesigns(request, designs.value().sweep, designs.value().inputs,
                 {rows, out, writer, cache, chart->chart ? &*chart->chart : nullptr, chart->axes}, stop, progress);
    progress.Erase();
  }
  if (const std::optional<int> signal = stop.Raised()) {
    out.Flush();
    return kExitSignalled + *signal;
  }
  if (chart->chart && !out.failed()) {
    if (chart->terminal) {
      out.Append(plot::TerminalChartText(*chart->chart, plot::DetectTerminalStyle(1, request.colours)));
    } else if (!chart->file->Commit(plot::SvgText(*chart->chart))) {
      out.Flush();
      err << CannotWrite(*request.plot);
      return kExitWriteFailed;
    }
  }
  return FinishOutput(out, 0, err);
}

}  // namespace app
