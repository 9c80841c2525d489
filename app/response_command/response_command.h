// The response command: a design's resonance solved as `frequency` solves it,
// then its impedance, cavity gain and absorption area at each frequency of an
// axis (response_axis.h), one block of rows per design of a sweep, or a
// chart of the gain or the area against frequency with a curve per design.
//
//   helmholtz response --volume 1l --diameter 2 --thickness 1 --format csv
//   -> frequency_hz,impedance_re,impedance_im,cavity_gain_db,absorption_area_m2
//      23.301176,...        (145 rows, 186.41/8 to 186.41*8 Hz, 24 per octave)
//   --volume 1l --volume 2l -> two blocks, each row beginning with its volume_cc
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "app/sweep_command/sweep_command.h"

namespace app {

class Output;

// What --plot draws against frequency.
enum class ResponsePlot { kGain, kAbsorptionArea };

struct ResponseRequest {
  // The designs as a sweep of the frequency calculation takes them, with
  // the answer's format, air, units and chart file; its --only-possible and
  // x scale are not used.
  SweepRequest designs;
  std::optional<std::string> band;
  std::optional<std::string> perOctave;
  ResponsePlot plotted = ResponsePlot::kGain;
};

// Runs it: rows on `out` (or the terminal chart for --plot -), refusals on
// `err`; a design the model refuses is named there and skipped, and the exit
// code is then kExitRowsFailed.
int RunResponse(const ResponseRequest& request, Output& out, std::ostream& err);

}  // namespace app
