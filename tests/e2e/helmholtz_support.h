// What the end-to-end tests share: where the program is, and what its menu
// looks like on the screen.
#pragma once

#include <gtest/gtest.h>
#include <termios.h>

#include <string>
#include <string_view>

#include "tests/e2e/pty_session.h"
#include "tests/e2e/terminal_model.h"

namespace termtest {

// The program under test: $HELMHOLTZ_BINARY (ctest sets it).
std::string HelmholtzBinary();

// A bound for waits that should end at once; generous for sanitizer builds.
inline constexpr int kPromptlyMs = 5000;

struct MenuLine {
  int row;     // 1-based, as the program places it
  int column;  // 1-based
  std::string_view text;
  int color;  // console colour of the text
};
inline constexpr MenuLine kMenuLines[] = {
    {1, 10, "Helmholtz Resonator Calculation Utility", 12},
    {2, 10, "=======================================", 12},
    {4, 10, "1.- Calculate resonant frequency for round orifice", 10},
    {5, 10, "2.- Calculate volume for round orifice", 10},
    {6, 10, "3.- Calculate round orifice thickness", 10},
    {7, 10, "4.- Calculate round orifice diameter", 10},
    {8, 10, "5.- Calculate resonant frequency for any orifice", 10},
    {9, 10, "6.- Calculate volume for any orifice", 10},
    {10, 10, "7.- Calculate orifice thickness", 10},
    {11, 10, "8.- Calculate orifice surface", 10},
    {12, 10, "*.- QUIT", 10},
    {14, 20, "Choice ?", 14},
};
// Where typing starts behind "Choice ?" (1-based).
inline constexpr int kChoiceRow = 14;
inline constexpr int kChoiceColumn = 28;

// The menu's texts, in their colours on black, are on the screen.
bool MenuShown(const TerminalModel& model);
// The menu is shown and the cursor waits behind "Choice ?" with `typed` echoed.
bool AtChoicePrompt(const TerminalModel& model, std::string_view typed = "");
// The terminal is back in the modes it had before the program: the same
// termios, autowrap on, cursor visible, plain colours, no bracketed paste.
::testing::AssertionResult RestoredAsBefore(PtySession& session);
bool SameModes(const termios& a, const termios& b);

}  // namespace termtest
