// The help texts, written from the option table: the program's usage and
// each subcommand's, with its synopsis, its inputs and their units, and one
// entry per option it offers.
//
//   SubcommandUsageText(Command::kDiameter)
//   -> "Usage: helmholtz diameter --frequency F --volume V --thickness T\n"
//      "         [--format F] [--sound-speed C | --temperature T]\n" ...
#pragma once

#include <string>

#include "app/options/option_table.h"

namespace app {

std::string UsageText();
std::string SubcommandUsageText(Command command);

// What a subcommand needs, as a synopsis writes it: the inputs a calculation
// is asked for, the orifice as a choice of two, or a batch's file.
//   Command::kFrequency -> "--volume V (--diameter D | --surface S) --thickness T"
std::string RequiredSynopsis(Command command);

}  // namespace app
