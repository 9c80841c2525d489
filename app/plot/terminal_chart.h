// The chart drawn as text for a terminal: each curve in Unicode braille dots
// (2x4 per character cell) when the character set is UTF-8, else in ASCII
// with one mark per curve; the chart's title first (when it has one, cut
// with an ellipsis to the width), y tick labels at the left, x tick labels
// (on a log x axis those that fit, decades first) and the axis titles
// below, then the legend. The drawing is one line shorter than the
// terminal, so that the prompt after it does not scroll it away, and at most
// 1000 columns by 499 lines however large the window.
//
//   TerminalChartText(chart, {80, 24, Charset::kUtf8})       -> 23 lines of at most 80 columns
//   TerminalChartText(chart, {65535, 65535, Charset::kAscii}) -> 499 lines of at most 1000 columns
#pragma once

#include <string>

#include "app/plot/chart.h"

namespace plot {

enum class Charset { kUtf8, kAscii };

struct TerminalStyle {
  int columns = 80;
  int rows = 24;
  Charset charset = Charset::kAscii;
  // Each curve and its legend mark in its own colour (SGR), which braille
  // needs to tell curves apart.
  bool color = false;
};

// The marks of the curves in ASCII, in turn.
inline constexpr std::string_view kAsciiMarks = "*o+x#@%&=~";

// The drawing, lines ended by '\n'. No byte of it is a control character
// but the line ends and, with `color`, the drawing's own colour changes,
// whatever the legends hold.
std::string TerminalChartText(const Chart& chart, const TerminalStyle& style);

// Whether the terminal on a descriptor takes colour; the program's own
// answer (the screens' rule) comes from its caller, since the charts know
// no terminal database.
using ColourQuery = bool (*)(int fd);

// The size of the terminal on `fd` (TIOCGWINSZ; the console on Windows),
// 80x24 when it has none, whether the locale's character set is UTF-8
// (nl_langinfo(CODESET) after setlocale(LC_CTYPE, ""), the locale put back
// after; the console's output code page on Windows), and colour when `fd` is
// a terminal of which `hasColours` says so (none without a query, and never
// on Windows).
TerminalStyle DetectTerminalStyle(int fd, ColourQuery hasColours = nullptr);

}  // namespace plot
