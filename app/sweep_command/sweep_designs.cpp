#include "app/sweep_command/sweep_designs.h"

#include <cstdint>
#include <optional>
#include <variant>

#include "app/model_options.h"
#include "app/sweep_command/number_text_cache.h"
#include "app/sweep_command/sweep_text_rows.h"

namespace app {
namespace {

using calculator::Design;
using calculator::Quantity;

// Designs between two looks for a closed standard output, a few times a second.
constexpr std::uint64_t kLookForClosedOutputEvery = 1 << 16;

// An impossible design breaks its curve, with --only-possible too.
void AddToChart(const DesignsTo& to, const sweep::Odometer& point, const Design& design, Quantity solved) {
  const ChartAxes& axes = to.chartAxes;
  const std::size_t curve = axes.curve ? static_cast<std::size_t>(point.Indices()[*axes.curve]) : 0;
  const double y = calculator::Field(design.quantities, solved);
  to.chart->Add(curve, point.Values()[axes.x] * axes.xFromScreen,
                design.possible ? std::optional<double>(y * axes.yFromScreen) : std::nullopt);
}

// The rows' header: a text header, or CSV's; nothing for the terminal chart.
void BeginRows(const SweepRequest& request, const Designs& designs, bool rows, DesignWriter& writer, Output& out) {
  if (!rows) return;
  if (request.format == Format::kText) {
    out.Append(SweepTextHeader(request.choice, designs.inputs, request.model, request.air, request.units,
                               designs.air.has_value()));
  } else {
    writer.Begin();
  }
}

// A design the model refuses: its error row, or a text row saying why.
void WriteFault(calculator::ModelFault fault, Format format, DesignWriter& writer, const DesignsTo& to) {
  if (!to.rows) return;
  if (format == Format::kText) {
    to.out.Append(FaultText(fault, kModelOptionNames) + '\n');
    to.out.EndRow();
  } else {
    writer.WriteError(FaultText(fault, kModelOptionNames));
  }
}

}  // namespace

// The writer, the cache and the request's settings are this function's own,
// so that the loop reads them where they stand: through a reference, a row
// written into the output's buffer might, for all the compiler knows, have
// changed them.
void SweepDesigns(const SweepRequest& request, const Designs& designs, const DesignsTo& to, const StopSignals& stop,
                  sweep::ProgressLine& progress) {
  DesignWriter writer(request.format, to.out, NeedsModelColumns(request.model) || designs.air.has_value(),
                      {request.csv, request.air, request.units, designs.air.has_value()});
  BeginRows(request, designs, to.rows, writer, to.out);
  NumberTextCache cache(request.format, request.choice, designs.sweep, designs.inputs, request.constants,
                        request.units);
  // The model's faults were refused before the first design; no row shows the cross-checks.
  calculator::Problem problem{request.choice, {}, request.model, request.constants, calculator::Checks::kSkipped};
  const Format format = request.format;
  const bool onlyPossible = request.onlyPossible;
  const Quantity solved = calculator::SolvedQuantity(request.choice);
  // The air of the losses: the request's for every design, or a swept one's
  // point, made again only when the point changes it.
  acoustics::Air gas = AirOf(request.model, request.air);
  std::uint64_t count = 0;
  for (sweep::Odometer point(designs.sweep); point.Valid() && !to.out.failed() && !stop.Raised(); point.Next()) {
    // The terminal chart, or rows that --only-possible leaves out, may write
    // nothing for long: a reader that has gone meanwhile ends the sweep.
    if (++count % kLookForClosedOutputEvery == 0 && !to.out.StillOpen()) break;
    for (std::size_t axis = point.FirstChanged(); axis < designs.inputs.size(); ++axis) {
      calculator::Field(problem.typed, designs.inputs[axis]) = point.Values()[axis];
    }
    if (designs.air) {
      const float value = point.Values().back();
      problem.constants = calculator::MakeConstants(designs.SoundSpeedOf(value));
      const AirChoice air =
          designs.air == SweptAirKind::kTemperature ? AirChoice{std::nullopt, value} : AirChoice{value, std::nullopt};
      gas = AirOf(request.model, air);
    }
    auto outcome = calculator::SolveProblem(problem);
    progress.Advance();
    // A grid's open area is known only once the orifice is.
    if (const auto* fault = std::get_if<calculator::ModelFault>(&outcome)) {
      WriteFault(*fault, format, writer, to);
      continue;
    }
    ModelDesign& model = *std::get_if<ModelDesign>(&outcome);
    AddLosses(model, gas);
    if (to.chart) AddToChart(to, point, model.design, solved);
    if ((onlyPossible && !model.design.possible) || !to.rows) continue;
    if (format == Format::kText) {
      AppendSweepTextRow(to.out.buffer(), model, designs.inputs, request.units,
                         designs.air ? std::optional(problem.constants.soundSpeed) : std::nullopt);
      to.out.EndRow();
    } else {
      writer.Write(model, problem.constants, &cache.Known(point, model.design));
    }
  }
}

}  // namespace app
