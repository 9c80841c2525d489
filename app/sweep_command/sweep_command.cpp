#include "app/sweep_command/sweep_command.h"

#include <algorithm>
#include <optional>
#include <ostream>

#include "app/command_line.h"
#include "app/output/output.h"
#include "app/result.h"
#include "app/sweep/range.h"
#include "app/sweep_command/read_designs.h"
#include "app/sweep_command/stop_signals.h"
#include "app/sweep_command/sweep_chart.h"
#include "app/sweep_command/sweep_designs.h"
#include "app/sweep_command/sweep_progress.h"

namespace app {

bool IsSweep(const SweepRequest& request) {
  if (request.onlyPossible || request.plot || request.sweptAir) return true;
  return std::any_of(request.inputs.begin(), request.inputs.end(), [](const SweptInput& input) {
    return input.texts.size() > 1 || (input.texts.size() == 1 && sweep::IsRangeText(input.texts.front()));
  });
}

int RunSweep(const SweepRequest& request, Output& out, std::ostream& err) {
  const Result<Designs> designs = ReadDesigns(request);
  if (!designs.ok()) {
    err << DiagnosticLine(designs.refusal().message);
    return kExitBadArgument;
  }
  int exitCode = 0;
  std::optional<ChartTarget> chart = OpenChart(request, designs.value(), err, exitCode);
  if (!chart) return exitCode;
  const StopSignals stop;
  {
    sweep::ProgressLine progress = SweepProgress(designs.value().sweep.Count(), chart->terminal);
    // Rows go to standard output unless it is the terminal chart's.
    SweepDesigns(request, designs.value(),
                 {!chart->terminal, out, chart->chart ? &*chart->chart : nullptr, chart->axes}, stop, progress);
    progress.Erase();
  }
  if (const std::optional<int> signal = stop.Raised()) {
    out.Flush();
    return kExitSignalled + *signal;
  }
  if (!DrawChart(*chart, request, out, err)) return kExitWriteFailed;
  return FinishOutput(out, 0, err);
}

}  // namespace app
