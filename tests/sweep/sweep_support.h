// A value parser for the sweep tests, standing in for the command line's:
// numbers as strtold reads them (the whole text), units l (1000 cm^3), mm
// (0.1 cm) and cm, or none.
#pragma once

#include "app/sweep/range.h"

namespace sweep {

ValueParser TestParser();

}  // namespace sweep
