// The row path of a sweep: its designs solved one by one, until the last, a
// stop signal or a closed output, each written as a row (text, CSV or JSON)
// and added to the chart, if any. Kept apart from the setting up and ending
// of a sweep, and built for speed: a sweep runs millions of designs.
//
//   --volume 1000:2000:10 --diameter 2 --thickness 1
//   -> the header, then 101 rows: (1000, 2, 1), (1010, 2, 1), ...
#pragma once

#include "app/output/output.h"
#include "app/plot/chart.h"
#include "app/sweep/progress_line.h"
#include "app/sweep_command/read_designs.h"
#include "app/sweep_command/stop_signals.h"
#include "app/sweep_command/sweep_chart.h"
#include "app/sweep_command/sweep_command.h"

namespace app {

// Where the designs go: rows on `out` (their header first), when `rows`,
// and the chart, if any.
struct DesignsTo {
  bool rows;
  Output& out;
  plot::Chart* chart;
  ChartAxes chartAxes;
};

void SweepDesigns(const SweepRequest& request, const Designs& designs, const DesignsTo& to, const StopSignals& stop,
                  sweep::ProgressLine& progress);

}  // namespace app
