#include "app/sweep_command/sweep_chart.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/plot/svg.h"
#include "app/plot/terminal_chart.h"
#include "app/quantities.h"
#include "app/result.h"

namespace app {
namespace {

using calculator::Quantity;

// A chart has a legend mark of its own for each curve.
constexpr std::uint64_t kMaxCurves = 10;

plot::AxisName ChartName(Quantity quantity) {
  return {std::string(EntryOf(quantity).chartTitle), std::string(EntryOf(quantity).chartUnit)};
}

// The legend of each curve, one per value of the curves' input; a single
// curve has none.
std::vector<std::string> Legends(const sweep::Sequence& curves, Quantity input) {
  std::vector<std::string> legends;
  const plot::AxisName name = ChartName(input);
  for (std::uint64_t index = 0; index < curves.Size(); ++index) {
    legends.push_back(plot::LegendText(name, curves.At(index)));
  }
  return legends;
}

// The chart of the computed quantity against the first swept input, a curve
// per value of the second, or the refusal.
Result<plot::Chart> MakeChart(calculator::Choice choice, const Designs& designs, ChartAxes& axes) {
  const std::span<const sweep::Sequence> sequences = designs.sweep.Axes();
  std::vector<std::size_t> swept;
  for (std::size_t axis = 0; axis < designs.inputs.size(); ++axis) {
    if (sequences[axis].Size() > 1) swept.push_back(axis);
  }
  if (swept.size() > 2) {
    return Refused("--plot: a chart shows at most two swept options (x and one curve per value); " +
                   std::to_string(swept.size()) + " are swept");
  }
  if (!swept.empty()) axes.x = swept.front();
  if (swept.size() == 2) axes.curve = swept.back();
  std::vector<std::string> legends(1);
  if (axes.curve) {
    const sweep::Sequence& curves = sequences[*axes.curve];
    const Quantity input = designs.inputs[*axes.curve];
    if (curves.Size() > kMaxCurves) {
      return Refused("--plot: at most " + std::to_string(kMaxCurves) + " curves, one per value of " +
                     std::string(EntryOf(input).option) + ", which has " + std::to_string(curves.Size()));
    }
    legends = Legends(curves, input);
  }
  const auto [low, high] = sequences[axes.x].Bounds();
  return plot::Chart(ChartName(designs.inputs[axes.x]), ChartName(calculator::SolvedQuantity(choice)),
                     std::pair<double, double>(low, high), std::move(legends));
}

std::string CannotWrite(const std::string& path) {
  return DiagnosticLine("--plot: cannot write '" + Printable(path, Backslash::kKept) + "'");
}

}  // namespace

std::optional<ChartTarget> OpenChart(const SweepRequest& request, const Designs& designs, std::ostream& err,
                                     int& exitCode) {
  ChartTarget target;
  if (!request.plot) return target;
  target.terminal = *request.plot == "-";
  Result<plot::Chart> chart = MakeChart(request.choice, designs, target.axes);
  if (!chart.ok()) {
    err << DiagnosticLine(chart.refusal().message);
    exitCode = kExitBadArgument;
    return std::nullopt;
  }
  target.chart = std::move(chart.value());
  if (!target.terminal) target.file = FileReplacement::Open(*request.plot);
  if (!target.terminal && !target.file) {
    err << CannotWrite(*request.plot);
    exitCode = kExitWriteFailed;
    return std::nullopt;
  }
  return target;
}

bool DrawChart(ChartTarget& target, const SweepRequest& request, Output& out, std::ostream& err) {
  if (!target.chart || out.failed()) return true;
  if (target.terminal) {
    out.Append(plot::TerminalChartText(*target.chart, plot::DetectTerminalStyle(1, request.colours)));
    return true;
  }
  if (target.file->Commit(plot::SvgText(*target.chart))) return true;
  out.Flush();
  err << CannotWrite(*request.plot);
  return false;
}

}  // namespace app
