// The status line of a sweep (sweep::ProgressLine) on standard error, where
// it stays out of the rows' way: shown only when standard error is a
// terminal and the rows do not go to one, which would run them through it
// (the terminal chart writes no rows until the end).
//
//   helmholtz frequency --volume 1:1e7:1 ... > rows.csv  -> the line shows
//   helmholtz frequency --volume 1:1e7:1 ...             -> no line: the rows show progress
//   helmholtz frequency --volume 1:1e7:1 ... --plot -    -> the line shows
#pragma once

#include <cstdint>

#include "app/sweep/progress_line.h"

namespace app {

sweep::ProgressLine SweepProgress(std::uint64_t designs, bool terminalChart);

}  // namespace app
