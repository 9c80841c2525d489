// A calculation subcommand over many designs: each input option may hold a
// range START:STOP:STEP or be repeated, and the designs of their Cartesian
// product (the options' command-line order, the last fastest) are computed
// one at a time and streamed as rows, or drawn as a chart.
//
//   helmholtz frequency --volume 10:60:5l --diameter 5 --diameter 7.5 --thickness 1 --format csv
//   -> the CSV header, then 22 rows: (10 l, 5 cm), (10 l, 7.5 cm), (15 l, 5 cm), ...
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/output/design_writer.h"
#include "app/plot/terminal_chart.h"
#include "calculator/design.h"
#include "calculator/port_models.h"
#include "calculator/resonator.h"

namespace app {

class Output;

// Exit code of a sweep stopped by a signal (Ctrl+C, SIGTERM, SIGHUP), less
// the signal's number, as a shell reports a process ended by it: 130 for
// SIGINT, 143 for SIGTERM, 129 for SIGHUP.
inline constexpr int kExitSignalled = 128;

// One input option: its quantity and every text typed for it, in order.
struct SweptInput {
  calculator::Quantity quantity = calculator::Quantity::kVolume;
  std::vector<std::string> texts;
};

// The air as a swept option: --temperature or --sound-speed given as a
// range or a list, each value one air for every design of the inputs.
struct SweptAir {
  bool temperature = false;  // else a speed of sound
  std::vector<std::string> texts;
};

struct SweepRequest {
  calculator::Choice choice = calculator::Choice::kFrequencyRound;
  // The choice's three inputs, in the order their options first stand on the command line.
  std::vector<SweptInput> inputs;
  Format format = Format::kText;
  CsvStyle csv;
  // The air as given, for the model line and the chart's title, and the
  // constants it gives under `model`.
  AirChoice air;
  // The units the answer shows (--units, or as the inputs were typed).
  DisplayUnits units;
  // A swept air, varied fastest, in place of `air`: each design then has the
  // column sound_speed_m_s.
  std::optional<SweptAir> sweptAir;
  calculator::Constants constants;
  // --ends, --ports and --slot: one model for every design (the slot, when
  // given, is the orifice and no input of the sweep).
  calculator::PortModel model;
  bool onlyPossible = false;
  // A file for the SVG chart, or "-" for the chart drawn on standard output.
  std::optional<std::string> plot;
  // The chart's x axis as asked (--log-x, --linear-x); none: logarithmic
  // when x spans more than two decades above zero.
  std::optional<plot::AxisScale> xScale;
  // Whether the terminal that receives --plot - takes colour.
  plot::ColourQuery colours = nullptr;
};

// Whether the request asks for more than today's single design: an input
// with a range or given more than once, --only-possible or --plot.
bool IsSweep(const SweepRequest& request);

// Runs the sweep: rows on `out` (or the terminal chart for --plot -), refusals
// on `err` naming the option; returns the exit code.
int RunSweep(const SweepRequest& request, Output& out, std::ostream& err);

}  // namespace app
