#include "app/sweep_command/sweep_chart.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/model_options.h"
#include "app/plot/svg.h"
#include "app/plot/terminal_chart.h"
#include "app/quantities.h"
#include "app/result.h"
#include "numtext/plain_number.h"

namespace app {
namespace {

using calculator::Quantity;

// A chart has a legend mark of its own for each curve.
constexpr std::uint64_t kMaxCurves = 10;

// A quantity as the chart names it; the wall of a tube port (free ends) is
// the port's length, as builders call it.
plot::AxisName ChartName(Quantity quantity, const SweepRequest& request) {
  const bool tube =
      request.model.ends == calculator::Ends::kFree || request.model.ends == calculator::Ends::kFlangedFree;
  std::string unit = UnitText(request.units.Of(DimensionOf(quantity)).name);
  if (quantity == Quantity::kThickness && tube) return {"Port length", std::move(unit)};
  return {std::string(EntryOf(quantity).chartTitle), std::move(unit)};
}

// From the screens' unit of `quantity` to the one the chart shows.
double FromScreen(Quantity quantity, const SweepRequest& request) {
  return static_cast<double>(request.units.Of(DimensionOf(quantity)).fromScreen);
}

// A swept value as the chart shows it, rounded to single as the value was.
float Shown(Quantity quantity, float value, const SweepRequest& request) {
  return static_cast<float>(value * FromScreen(quantity, request));
}

// A number as the model line writes it (7 significant digits): 343.2146.
std::string Shown(double value) { return numtext::RoundedPlain(value, 7); }

// The title: the inputs that are not swept, the model and the air.
//   "volume 1000 cm^3, wall thickness 1 cm; flanged ends, 1 port; air at 20 C, c = 343.2146 m/s"
std::string ChartTitle(const SweepRequest& request, const Designs& designs) {
  std::string title;
  const std::span<const sweep::Sequence> sequences = designs.sweep.Axes();
  for (std::size_t axis = 0; axis < designs.inputs.size(); ++axis) {
    if (sequences[axis].Size() != 1) continue;
    const Quantity input = designs.inputs[axis];
    plot::AxisName name = ChartName(input, request);
    name.quantity[0] = static_cast<char>(name.quantity[0] - 'A' + 'a');
    title += (title.empty() ? "" : ", ") + plot::LegendText(name, Shown(input, sequences[axis].At(0), request));
  }
  title += (title.empty() ? "" : "; ") + ModelName(request.model, request.units);
  return title + "; " + AirName(request.model, request.air);
}

// The x axis: as asked, else logarithmic over more than two decades above zero.
Result<plot::AxisScale> XScale(const SweepRequest& request, std::pair<float, float> bounds) {
  const bool aboveZero = bounds.first > 0;
  if (request.xScale == plot::AxisScale::kLog && !aboveZero) {
    return Refused("--log-x: the x axis goes down to " + Shown(bounds.first) +
                   "; a logarithmic one needs it above zero");
  }
  if (request.xScale) return *request.xScale;
  return aboveZero && plot::SpansDecades(bounds.first, bounds.second, 2) ? plot::AxisScale::kLog
                                                                         : plot::AxisScale::kLinear;
}

// The legend of each curve, one per value of the curves' input; a single
// curve has none.
std::vector<std::string> Legends(const sweep::Sequence& curves, Quantity input, const SweepRequest& request) {
  std::vector<std::string> legends;
  const plot::AxisName name = ChartName(input, request);
  for (std::uint64_t index = 0; index < curves.Size(); ++index) {
    legends.push_back(plot::LegendText(name, Shown(input, curves.At(index), request)));
  }
  return legends;
}

// The chart of the computed quantity against the first swept input, a curve
// per value of the second, or the refusal.
Result<plot::Chart> MakeChart(const SweepRequest& request, const Designs& designs, ChartAxes& axes) {
  const std::span<const sweep::Sequence> sequences = designs.sweep.Axes();
  if (designs.sweep.Count() < 2) {
    return Refused(
        "--plot: a chart needs more than one design; sweep an input (START:STOP:STEP, or the option "
        "given again)");
  }
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
    legends = Legends(curves, input, request);
  }
  const Quantity x = designs.inputs[axes.x];
  const Quantity y = calculator::SolvedQuantity(request.choice);
  axes.xFromScreen = FromScreen(x, request);
  axes.yFromScreen = FromScreen(y, request);
  const std::pair<float, float> bounds(Shown(x, sequences[axes.x].Bounds().first, request),
                                       Shown(x, sequences[axes.x].Bounds().second, request));
  const Result<plot::AxisScale> scale = XScale(request, bounds);
  if (!scale.ok()) return scale.refusal();
  plot::Chart chart(ChartName(x, request), ChartName(y, request),
                    std::pair<double, double>(bounds.first, bounds.second), std::move(legends), scale.value());
  chart.SetTitle(ChartTitle(request, designs));
  return chart;
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
  Result<plot::Chart> chart = MakeChart(request, designs, target.axes);
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
