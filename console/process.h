// Pieces of the process frame (Session in session.h) that are worth
// reaching on their own.
#pragma once

#include <string_view>

namespace console {

// Says on standard error, as one line "helmholtz: <why>", why start-up could
// not complete; the caller then ends the process with exit code 255.
void ReportStartUpFailure(std::string_view why);

// The arithmetic the calculator relies on: extended intermediate precision
// (x87: 64-bit significand), rounding to nearest with ties to even, and every
// floating-point exception masked, so that 1/0 gives an infinity and 0/0 a
// NaN and nothing traps. Set explicitly rather than trusted from the loader.
void SetFloatingPointMode();

}  // namespace console
