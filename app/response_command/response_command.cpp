#include "app/response_command/response_command.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "acoustics/impedance.h"
#include "acoustics/response.h"
#include "app/command_line.h"
#include "app/model_options.h"
#include "app/output/output.h"
#include "app/quantities.h"
#include "app/response_command/response_axis.h"
#include "app/sweep_command/read_designs.h"
#include "app/sweep_command/stop_signals.h"
#include "app/sweep_command/sweep_chart.h"
#include "app/sweep_command/sweep_text_rows.h"
#include "numtext/plain_number.h"

namespace app {
namespace {

using calculator::Quantity;

// The response's own columns, behind the frequency.
constexpr std::array<std::string_view, 4> kResponseColumns = {"impedance_re", "impedance_im", "cavity_gain_db",
                                                              "absorption_area_m2"};
constexpr std::uint64_t kMaxCurves = plot::Chart::kMaxCurves;
// Rows between two looks for a stop signal or a closed output.
constexpr std::size_t kLookEvery = 1 << 12;

// One design solved, with what its response is computed from.
struct SolvedDesign {
  ModelDesign design;
  acoustics::ImpedanceModel impedance;
  double resonance_hz = 0;
};

// The designs of the sweep one after another, each solved or refused.
class DesignWalk {
 public:
  DesignWalk(const ResponseRequest& request, const Designs& designs)
      : designs_(designs),
        point_(designs.sweep),
        problem_{
            request.designs.choice, {}, request.designs.model, request.designs.constants, calculator::Checks::kSkipped},
        gas_(AirOf(request.designs.model, request.designs.air)) {}

  bool Valid() const { return point_.Valid(); }
  void Next() { point_.Next(); }
  const sweep::Odometer& Point() const { return point_; }

  // The design at the odometer, or why the model refuses it.
  std::variant<SolvedDesign, std::string> Solve() {
    for (std::size_t axis = 0; axis < designs_.inputs.size(); ++axis) {
      calculator::Field(problem_.typed, designs_.inputs[axis]) = point_.Values()[axis];
    }
    auto outcome = calculator::SolveProblem(problem_);
    if (const auto* fault = std::get_if<calculator::ModelFault>(&outcome)) return FaultText(*fault, kModelOptionNames);
    ModelDesign& design = std::get<ModelDesign>(outcome);
    AddLosses(design, gas_);
    const std::optional<acoustics::Resonator> resonator = ResonatorOf(design);
    const double resonance_hz = design.figures.quantities.frequency;
    if (!resonator || !std::isfinite(resonance_hz) || !(resonance_hz > 0)) {
      return std::string("response: the design has no finite resonance above 0 Hz");
    }
    return SolvedDesign{design, acoustics::ImpedanceModel(*resonator, gas_), resonance_hz};
  }

 private:
  const Designs& designs_;
  sweep::Odometer point_;
  calculator::Problem problem_;
  acoustics::Air gas_;
};

// The design's inputs as a refusal names it: "volume 2 l, diameter 3 cm".
std::string DesignName(const DesignWalk& walk, const Designs& designs, const ResponseRequest& request) {
  std::string name;
  for (std::size_t axis = 0; axis < designs.inputs.size(); ++axis) {
    std::string legend = LegendOf(axis, walk.Point().Values()[axis], designs, request.designs);
    legend[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(legend[0])));
    name += (name.empty() ? "" : ", ") + legend;
  }
  return name;
}

// The columns of every row: the design's inputs when there are several
// designs, the frequency in the unit shown, then the response's own.
struct ResponseColumns {
  bool inputs = false;
  std::vector<std::string> names;
};

ResponseColumns ColumnsOf(const ResponseRequest& request, const Designs& designs) {
  ResponseColumns columns;
  columns.inputs = designs.sweep.Count() > 1;
  const DisplayUnits& units = request.designs.units;
  if (columns.inputs) {
    for (const Quantity quantity : designs.inputs) columns.names.push_back(ColumnName(quantity, units));
  }
  columns.names.push_back(ColumnName(Quantity::kFrequency, units));
  columns.names.insert(columns.names.end(), kResponseColumns.begin(), kResponseColumns.end());
  return columns;
}

// The design's block of rows: CSV's header once for all, text's model
// lines, resonance and header for each design.
class ResponseWriter {
 public:
  ResponseWriter(const ResponseRequest& request, const Designs& designs, Output& out)
      : request_(request), designs_(designs), out_(out), columns_(ColumnsOf(request, designs)) {
    if (request.designs.format == Format::kCsv) {
      out_.Append(NamesHeader(columns_.names, request.designs.csv.separator) + "\n");
    }
  }

  void BeginDesign(const SolvedDesign& solved) {
    values_.clear();
    if (columns_.inputs) {
      for (const Quantity quantity : designs_.inputs) {
        values_.push_back(Shown(calculator::Field(solved.design.design.quantities, quantity), quantity));
      }
    }
    if (request_.designs.format != Format::kText) return;
    const DisplayUnits& units = request_.designs.units;
    const DisplayUnit& hertz = units.Of(Dimension::kFrequency);
    std::string& text = out_.buffer();
    if (!first_) text += '\n';
    text += ModelTextLines(solved.design, request_.designs.air, units);
    text += "Resonance: " + numtext::RoundedPlain(solved.resonance_hz * static_cast<double>(hertz.fromScreen), 7) +
            " " + UnitText(hertz.name) + "\n";
    for (std::size_t i = 0; i < columns_.names.size(); ++i) {
      if (i > 0) text += "  ";
      AppendRightAligned(text, columns_.names[i], WidthOf(columns_.names[i]));
    }
    text += '\n';
    first_ = false;
  }

  void Write(const acoustics::ResponsePoint& point) {
    values_.resize(columns_.inputs ? designs_.inputs.size() : 0);
    values_.push_back(Shown(static_cast<float>(point.frequency_hz), Quantity::kFrequency));
    values_.push_back(static_cast<float>(point.impedance_pa_s_m3.real()));
    values_.push_back(static_cast<float>(point.impedance_pa_s_m3.imag()));
    values_.push_back(static_cast<float>(point.cavity_gain_db));
    values_.push_back(point.absorption_area_m2 ? std::optional<float>(static_cast<float>(*point.absorption_area_m2))
                                               : std::nullopt);
    std::string& text = out_.buffer();
    if (request_.designs.format == Format::kText) {
      for (std::size_t i = 0; i < values_.size(); ++i) {
        if (i > 0) text += "  ";
        AppendNumberColumn(text, values_[i], WidthOf(columns_.names[i]));
      }
      text += '\n';
    } else {
      AppendNumbersRow(text, request_.designs.format, request_.designs.csv, columns_.names, values_);
    }
    out_.EndRow();
  }

 private:
  // A value in the screens' unit of `quantity` as the answer shows it.
  std::optional<float> Shown(float value, Quantity quantity) const {
    return InUnit(value, request_.designs.units.Of(DimensionOf(quantity)));
  }

  const ResponseRequest& request_;
  const Designs& designs_;
  Output& out_;
  ResponseColumns columns_;
  std::vector<std::optional<float>> values_;
  bool first_ = true;
};

// The chart: one curve per design, against frequency on a log axis.
Result<ChartTarget> OpenResponseChart(const ResponseRequest& request, const Designs& designs,
                                      const AxisChoice& axisChoice) {
  ChartTarget target;
  target.terminal = *request.designs.plot == "-";
  if (designs.sweep.Count() > kMaxCurves) {
    return Refused("--plot: at most " + std::to_string(kMaxCurves) + " curves, one per design; the sweep has " +
                   std::to_string(designs.sweep.Count()));
  }
  // The x axis must be known before the first point: every design's band.
  std::pair<double, double> bounds(INFINITY, 0);
  std::vector<std::string> legends;
  for (DesignWalk walk(request, designs); walk.Valid(); walk.Next()) {
    std::string legend;
    for (std::size_t axis = 0; axis < designs.inputs.size(); ++axis) {
      if (designs.sweep.Axes()[axis].Size() < 2) continue;
      legend += (legend.empty() ? "" : ", ") + LegendOf(axis, walk.Point().Values()[axis], designs, request.designs);
    }
    legends.push_back(legend);
    const auto solved = walk.Solve();
    if (const auto* design = std::get_if<SolvedDesign>(&solved)) {
      const acoustics::FrequencyAxis axis = AxisAround(axisChoice, design->resonance_hz);
      if (axis.size() == 0) continue;
      bounds = {std::min(bounds.first, axis[0]), std::max(bounds.second, axis[axis.size() - 1])};
    }
  }
  if (!(bounds.first <= bounds.second)) bounds = {1, 10};
  const double fromHertz = static_cast<double>(request.designs.units.Of(Dimension::kFrequency).fromScreen);
  const plot::AxisName x{"Frequency", UnitText(request.designs.units.Of(Dimension::kFrequency).name)};
  const plot::AxisName y = request.plotted == ResponsePlot::kGain ? plot::AxisName{"Cavity gain", "dB"}
                                                                  : plot::AxisName{"Absorption area", "m^2"};
  target.axes.xFromScreen = fromHertz;
  target.chart.emplace(x, y, std::pair(bounds.first * fromHertz, bounds.second * fromHertz), std::move(legends),
                       bounds.first < bounds.second ? plot::AxisScale::kLog : plot::AxisScale::kLinear);
  target.chart->SetTitle(ChartTitle(request.designs, designs));
  if (!target.terminal) target.file = FileReplacement::Open(*request.designs.plot);
  return target;
}

// Refusals that need no design: the axis, and what the chart can draw.
Result<AxisChoice> CheckRequest(const ResponseRequest& request) {
  const calculator::PortModel& model = request.designs.model;
  if (model.ends == calculator::Ends::kScreen) {
    return Refused("response: --ends screen has no losses; give --ends flanged, free or flanged-free");
  }
  if (request.plotted == ResponsePlot::kAbsorptionArea && model.ends == calculator::Ends::kFree) {
    return Refused("--plot-quantity absorption-area: a free outer end (--ends free) has no absorption area");
  }
  return ParseAxisChoice(request.band, request.perOctave);
}

}  // namespace

int RunResponse(const ResponseRequest& request, Output& out, std::ostream& err) {
  const Result<AxisChoice> axisChoice = CheckRequest(request);
  const Result<Designs> designs = axisChoice.ok() ? ReadDesigns(request.designs) : axisChoice.refusal();
  if (!designs.ok()) {
    err << DiagnosticLine(designs.refusal().message);
    return kExitBadArgument;
  }
  ChartTarget chart;
  if (request.designs.plot) {
    Result<ChartTarget> opened = OpenResponseChart(request, designs.value(), axisChoice.value());
    if (!opened.ok()) {
      err << DiagnosticLine(opened.refusal().message);
      return kExitBadArgument;
    }
    chart = std::move(opened.value());
    if (!chart.terminal && !chart.file) {
      err << CannotWriteChart(*request.designs.plot);
      return kExitWriteFailed;
    }
  }
  const bool rows = !chart.terminal;
  int exitCode = 0;
  const StopSignals stop;
  std::optional<ResponseWriter> writer;
  if (rows) writer.emplace(request, designs.value(), out);
  std::size_t curve = 0;
  std::size_t count = 0;
  for (DesignWalk walk(request, designs.value()); walk.Valid() && !out.failed() && !stop.Raised();
       walk.Next(), ++curve) {
    const auto solved = walk.Solve();
    if (const auto* refusal = std::get_if<std::string>(&solved)) {
      // One design is refused as the frequency command refuses it; in a
      // sweep the others go on.
      if (designs.value().sweep.Count() == 1) {
        err << DiagnosticLine(*refusal);
        return kExitBadArgument;
      }
      err << DiagnosticLine(DesignName(walk, designs.value(), request) + ": " + *refusal);
      exitCode = kExitRowsFailed;
      continue;
    }
    const SolvedDesign& design = std::get<SolvedDesign>(solved);
    if (writer) writer->BeginDesign(design);
    for (const double frequency_hz : AxisAround(axisChoice.value(), design.resonance_hz)) {
      if (++count % kLookEvery == 0 && (stop.Raised() || !out.StillOpen())) break;
      const acoustics::ResponsePoint point = acoustics::ResponseAt(design.impedance, frequency_hz);
      if (writer) writer->Write(point);
      if (chart.chart) {
        const std::optional<double> y =
            request.plotted == ResponsePlot::kGain ? std::optional(point.cavity_gain_db) : point.absorption_area_m2;
        chart.chart->Add(curve, frequency_hz * chart.axes.xFromScreen, y);
      }
    }
  }
  if (const std::optional<int> signal = stop.Raised()) {
    out.Flush();
    return kExitSignalled + *signal;
  }
  if (!DrawChart(chart, request.designs, out, err)) return kExitWriteFailed;
  return FinishOutput(out, exitCode, err);
}

}  // namespace app
