// Whether the terminal on a descriptor takes colour: the screens' reading of
// its terminfo entry and NO_COLOR, which the terminal chart uses too.
#include <string>

#include <gtest/gtest.h>

#include "console/terminal_colours.h"
#include "tests/support/pseudo_terminal.h"

namespace console {
namespace {

using testterm::PseudoTerminal;
using testterm::ScopedVariable;

// Colour as the screens have it: where the terminal's terminfo entry has
// colours, and NO_COLOR takes them away only when set and not empty; none
// for a terminal that does not say its type.
TEST(TerminalHasColours, WhereTheEntryHasColoursAndNoColorIsUnsetOrEmpty) {
  struct Row {
    const char* term;
    const char* noColor;
    bool color;
  };
  const Row rows[] = {{"xterm-256color", nullptr, true}, {"xterm-256color", "", true}, {"xterm-256color", "1", false},
                      {"linux", nullptr, true},          {"vt100", nullptr, false},    {"vt52", nullptr, false},
                      {"dumb", nullptr, false},          {nullptr, nullptr, false}};
  PseudoTerminal terminal;
  ASSERT_GE(terminal.Follower(), 0);
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("TERM=") + (row.term != nullptr ? row.term : "(unset)") +
                 " NO_COLOR=" + (row.noColor != nullptr ? row.noColor : "(unset)"));
    const ScopedVariable term("TERM", row.term);
    const ScopedVariable noColor("NO_COLOR", row.noColor);
    EXPECT_EQ(TerminalHasColours(terminal.Follower()), row.color);
  }
  // Not a terminal at all.
  EXPECT_FALSE(TerminalHasColours(-1));
}

}  // namespace
}  // namespace console
