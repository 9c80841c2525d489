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

constexpr std::uint64_t kMaxCurves = plot::Chart::kMaxCurves;

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

// A swept option as the chart names and scales it: an input, or the air.
struct ChartInput {
  plot::AxisName name;
  double fromScreen = 1;  // from its values to the chart's
  std::string_view option;

  // A value as the chart shows it, rounded to single as the value was.
  float Shown(float value) const { return static_cast<float>(value * fromScreen); }
};

ChartInput InputOf(std::size_t axis, const Designs& designs, const SweepRequest& request) {
  if (designs.IsAirAxis(axis)) {
    if (designs.air == SweptAirKind::kTemperature) return {{"Temperature", "C"}, 1, "--temperature"};
    return {{"Speed of sound", "m/s"}, 0.01, "--sound-speed"};
  }
  const Quantity quantity = designs.inputs[axis];
  return {ChartName(quantity, request), FromScreen(quantity, request), EntryOf(quantity).option};
}

// A number as the model line writes it (7 significant digits): 343.2146.
std::string Shown(double value) { return numtext::RoundedPlain(value, 7); }

}  // namespace

std::string ChartTitle(const SweepRequest& request, const Designs& designs) {
  std::string title;
  const std::span<const sweep::Sequence> sequences = designs.sweep.Axes();
  for (std::size_t axis = 0; axis < sequences.size(); ++axis) {
    if (sequences[axis].Size() != 1) continue;
    const ChartInput input = InputOf(axis, designs, request);
    plot::AxisName name = input.name;
    name.quantity[0] = static_cast<char>(name.quantity[0] - 'A' + 'a');
    title += (title.empty() ? "" : ", ") + plot::LegendText(name, input.Shown(sequences[axis].At(0)));
  }
  title += (title.empty() ? "" : "; ") + ModelName(request.model, request.units);
  // A swept air is named by the axis or the legends.
  return designs.air ? title : title + "; " + AirName(request.model, request.air);
}

std::string LegendOf(std::size_t axis, float value, const Designs& designs, const SweepRequest& request) {
  const ChartInput input = InputOf(axis, designs, request);
  return plot::LegendText(input.name, input.Shown(value));
}

namespace {

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
std::vector<std::string> Legends(const sweep::Sequence& curves, const ChartInput& input) {
  std::vector<std::string> legends;
  for (std::uint64_t index = 0; index < curves.Size(); ++index) {
    legends.push_back(plot::LegendText(input.name, input.Shown(curves.At(index))));
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
  for (std::size_t axis = 0; axis < sequences.size(); ++axis) {
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
    const ChartInput input = InputOf(*axes.curve, designs, request);
    if (curves.Size() > kMaxCurves) {
      return Refused("--plot: at most " + std::to_string(kMaxCurves) + " curves, one per value of " +
                     std::string(input.option) + ", which has " + std::to_string(curves.Size()));
    }
    legends = Legends(curves, input);
  }
  const ChartInput x = InputOf(axes.x, designs, request);
  const Quantity y = calculator::SolvedQuantity(request.choice);
  axes.xFromScreen = x.fromScreen;
  axes.yFromScreen = FromScreen(y, request);
  const std::pair<float, float> bounds(x.Shown(sequences[axes.x].Bounds().first),
                                       x.Shown(sequences[axes.x].Bounds().second));
  const Result<plot::AxisScale> scale = XScale(request, bounds);
  if (!scale.ok()) return scale.refusal();
  plot::Chart chart(x.name, ChartName(y, request), std::pair<double, double>(bounds.first, bounds.second),
                    std::move(legends), scale.value());
  chart.SetTitle(ChartTitle(request, designs));
  return chart;
}

}  // namespace

std::string CannotWriteChart(const std::string& path) {
  return DiagnosticLine("--plot: cannot write '" + Printable(path, Backslash::kKept) + "'");
}

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
    err << CannotWriteChart(*request.plot);
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
  err << CannotWriteChart(*request.plot);
  return false;
}

}  // namespace app
