// The chart --plot asks for: the computed quantity against the first swept
// input, a curve per value of the second, opened before the first design
// and drawn after the last. An SVG file is written beside FILE and put in
// its place once whole, so that a sweep ended early leaves an older chart
// alone and a new path absent; "-" draws the chart on the terminal instead
// of the rows.
//
//   --volume 1000:2000:10 --diameter 2 --diameter 3 --plot x.svg
//   -> x: Volume (cm^3), a curve for each diameter, "Diameter 2 cm" and "Diameter 3 cm"
//   three swept inputs -> "--plot: a chart shows at most two swept options (x and one curve per value); 3 are swept"
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

#include "app/output/file_replacement.h"
#include "app/output/output.h"
#include "app/plot/chart.h"
#include "app/sweep_command/read_designs.h"
#include "app/sweep_command/sweep_command.h"

namespace app {

// The first two inputs with more than one value: the chart's x and its curves.
struct ChartAxes {
  std::size_t x = 0;
  std::optional<std::size_t> curve;
  // From the screens' units to those the axes show.
  double xFromScreen = 1;
  double yFromScreen = 1;
};

// The title: the inputs that are not swept, the model and the air.
//   "volume 1000 cm^3, wall thickness 1 cm; flanged ends, 1 port; air at 20 C, c = 343.2146 m/s"
std::string ChartTitle(const SweepRequest& request, const Designs& designs);
// A value of the sweep's `axis` as a legend names it: "diameter 7.5 cm".
std::string LegendOf(std::size_t axis, float value, const Designs& designs, const SweepRequest& request);

// The line refusing a chart file that cannot be written:
//   "helmholtz: --plot: cannot write 'x.svg'\n"
std::string CannotWriteChart(const std::string& path);

// Where --plot draws: the chart fed by the designs, and the file it goes to
// (none for the terminal chart).
struct ChartTarget {
  std::optional<plot::Chart> chart;
  std::optional<FileReplacement> file;
  ChartAxes axes;
  bool terminal = false;
};

// The chart and its file opened (no chart without --plot), or nothing with
// the refusal said on `err` and the exit code in `exitCode`.
std::optional<ChartTarget> OpenChart(const SweepRequest& request, const Designs& designs, std::ostream& err,
                                     int& exitCode);

// The chart drawn after the last design: on `out`, or into its file. False
// when the file could not be written, said on `err`.
bool DrawChart(ChartTarget& target, const SweepRequest& request, Output& out, std::ostream& err);

}  // namespace app
