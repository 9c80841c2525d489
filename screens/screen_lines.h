// The pieces every calculation screen is built from: prompts and result
// lines, each drawn on the console it is given.
#pragma once

#include <string_view>

#include "calculator/design.h"
#include "console/console.h"

namespace screens {

using calculator::Choice;
using calculator::Constants;
using calculator::Design;
using calculator::Quantities;
using calculator::Quantity;

// Screen rows and column of the calculation dialogue.
inline constexpr int kFirstPromptRow = 15;
inline constexpr int kResultRow = 18;
inline constexpr int kFirstCheckRow = 19;
inline constexpr int kDialogueColumn = 10;

// The prompt that asks for `quantity`:  kVolume -> "Volume (cc) ?".
std::string_view PromptOf(Quantity quantity);

// Writes `prompt` at column 10 of `row`, reads the typed line (echoed right
// behind the prompt; Up and Down recall what was typed at the same prompt) and
// returns it as a single-precision number; a text that is no number gives 0,
// one beyond the single range an infinity.
//   typed "1e3"  -> 1000      typed "abc" -> 0
float AskQuantity(console::Console& console, int row, std::string_view prompt);

// Writes label, the free-form 7-digit text of `value` and unit at column 10
// of `row`, without a new line:  "Frequency       =" " 220.8396 " "Hz".
void WriteQuantity(console::Console& console, int row, std::string_view label, float value, std::string_view unit);

// One cross-check line: WriteQuantity followed by a new line.
void WriteCheckLine(console::Console& console, int row, std::string_view label, float value, std::string_view unit);

// Written on row 19 instead of the cross-check lines.
void WriteImpossibleValues(console::Console& console);

}  // namespace screens
