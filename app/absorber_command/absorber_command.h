// `helmholtz absorber`: a panel absorber (acoustics/panel) from the command
// line. The options' texts arrive as typed; every design of a sweep of them is
// computed at the frequencies asked and written as rows (CSV, JSON Lines),
// band values, ratings, a text answer or a chart.
//
//   absorber --holes 5mm --pitch 25mm --thickness 3mm --depth 100mm --format csv
//   -> frequency_hz,alpha,impedance_re,impedance_im
//      50,0.0018128093,0.030125106,-10.698103   (161 rows, 50 Hz to 5080 Hz, diffuse field)
//   absorber --holes 5mm --pitch 4mm ...   -> "helmholtz: absorber: --holes 5 mm is wider than --pitch 4 mm", 2
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/model_options.h"
#include "app/options/option_table.h"
#include "app/output/design_writer.h"
#include "app/output/output.h"
#include "app/plot/terminal_chart.h"

namespace app {

struct AbsorberRequest {
  // Each option's texts in the order typed, indexed by OptionId.
  std::array<std::vector<std::string>, kOptionCount> texts;
  bool ratings = false;
  // The options in the order they first stand on the command line: a
  // sweep varies the last fastest.
  std::vector<OptionId> order;
  Format format = Format::kText;
  CsvStyle csv;
  AirChoice air;
  plot::ColourQuery colours = nullptr;
};

// Runs the command; its exit code (kExitBadArgument after a refusal, said in
// one line on `err`).
int RunAbsorber(const AbsorberRequest& request, Output& out, std::ostream& err);

}  // namespace app
