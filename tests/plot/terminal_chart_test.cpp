// The chart drawn for a terminal at 80x24, in braille for UTF-8 and in ASCII
// marks otherwise: its size, its labels and legend, where the curves go,
// and that no control byte from a legend reaches the terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/plot/terminal_chart.h"
#include "tests/support/text_lines.h"
#ifndef _WIN32
#include "tests/support/pseudo_terminal.h"
#endif

#ifndef _WIN32
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace plot {
namespace {

#ifndef _WIN32
using testterm::PseudoTerminal;
using testterm::ScopedVariable;
#endif

using testtext::Lines;
using testtext::Width;

// y = x and y = 100 - x over 0..100, with a gap in the second.
Chart CrossChart() {
  Chart chart({"Volume", "l"}, {"Frequency", "Hz"}, {0, 100}, {"rising", "falling"});
  for (int x = 0; x <= 100; ++x) {
    chart.Add(0, x, x);
    chart.Add(1, x, x >= 40 && x < 60 ? std::nullopt : std::optional<double>(100 - x));
  }
  return chart;
}

TEST(TerminalChartText, AsciiAt80x24HasLabelsLegendAndOneMarkPerCurve) {
  const std::string text = TerminalChartText(CrossChart(), {80, 24, Charset::kAscii});
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 23U);
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), 80U) << line;
    for (const char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7f) << line;
  }
  EXPECT_EQ(lines[0], "Frequency (Hz)");
  EXPECT_EQ(lines[1].substr(0, 5), "100 +");
  EXPECT_EQ(lines[19].substr(0, 10), "    ++----");
  EXPECT_EQ(lines[20].substr(0, 6), "     0");
  EXPECT_EQ(lines[20].substr(lines[20].size() - 3), "100");
  EXPECT_EQ(lines[21], std::string(37, ' ') + "Volume (l)");
  EXPECT_EQ(lines[22], "* rising   o falling");
  // The rising curve's mark climbs from the bottom left to the top right.
  EXPECT_EQ(lines[18].find('*'), 5U);
  EXPECT_EQ(lines[1].rfind('*'), 78U);
  // The falling one is broken in the middle: no 'o' in the columns of x 42..58.
  for (std::size_t row = 1; row <= 18; ++row) {
    const std::string& line = lines[row];
    for (std::size_t column = 36; column < 47 && column < line.size(); ++column) EXPECT_NE(line[column], 'o') << row;
  }
}

TEST(TerminalChartText, Utf8At80x24DrawsInBraille) {
  const std::string text = TerminalChartText(CrossChart(), {80, 24, Charset::kUtf8});
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 23U);
  std::size_t braille = 0;
  for (const std::string& line : lines) {
    EXPECT_LE(Width(line), 80U) << line;
    for (std::size_t i = 0; i + 2 < line.size(); ++i) {
      // U+2800..U+28FF: E2 A0..A3 80..BF
      if (static_cast<unsigned char>(line[i]) == 0xE2 && (static_cast<unsigned char>(line[i + 1]) & 0xFC) == 0xA0) {
        ++braille;
      }
    }
  }
  // A diagonal across about 75 columns, twice, minus the gap.
  EXPECT_GT(braille, 120U);
  EXPECT_EQ(lines[1].substr(0, 7), "100 \u2524");
  EXPECT_EQ(lines[19].substr(0, 10), "    \u2514\u252c");
  EXPECT_EQ(lines[22], "\u28ff rising   \u28ff falling");
}

// A window of 65535 x 65535 (the most a terminal can say) gets a chart of
// at most 1000 x 500, not one that takes gigabytes to draw.
TEST(TerminalChartText, FitsOtherSizesBetweenAMinimumAndAMaximum) {
  const TerminalStyle styles[] = {{132, 50, Charset::kAscii},   {40, 12, Charset::kUtf8},
                                  {5, 2, Charset::kAscii},      {65535, 65535, Charset::kUtf8},
                                  {65535, 24, Charset::kAscii}, {80, 65535, Charset::kUtf8}};
  for (const TerminalStyle& style : styles) {
    const std::vector<std::string> lines = Lines(TerminalChartText(CrossChart(), style));
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(std::clamp(style.rows, 10, 500) - 1));
    const auto columns = static_cast<std::size_t>(std::clamp(style.columns, 30, 1000));
    for (const std::string& line : lines) EXPECT_LE(Width(line), columns);
  }
}

// The smallest chart with an x title as wide as the terminal, y tick labels
// of 20 characters (an axis of a few billionths far from 0) and a legend of
// a line per curve.
TEST(TerminalChartText, KeepsToTheSmallestSizeWithTheWidestTitleTickLabelsAndLegend) {
  Chart chart({std::string(40, 'x'), ""}, {"y", ""}, {0, 1}, std::vector<std::string>(10, std::string(25, 'c')));
  chart.Add(0, 0, -123456789.123456789);
  chart.Add(0, 1, -123456789.12345678);
  for (const Charset charset : {Charset::kAscii, Charset::kUtf8}) {
    const std::vector<std::string> lines = Lines(TerminalChartText(chart, {30, 10, charset}));
    ASSERT_EQ(lines.size(), 9U);
    for (const std::string& line : lines) EXPECT_LE(Width(line), 30U) << line;
    EXPECT_EQ(lines[1].substr(0, 13), "-1.23457e+08 ");
    EXPECT_EQ(lines[6], std::string(30, 'x'));
    EXPECT_EQ(lines[8], "... 10 curves");
  }
}

TEST(TerminalChartText, GivesEachOfManyCurvesItsOwnMarkInTurn) {
  std::vector<std::string> legends;
  for (int curve = 0; curve < 4; ++curve) legends.push_back("c" + std::to_string(curve));
  Chart chart({"x", ""}, {"y", ""}, {0, 10}, legends);
  for (int curve = 0; curve < 4; ++curve) {
    for (int x = 0; x <= 10; ++x) chart.Add(static_cast<std::size_t>(curve), x, curve * 10 + x);
  }
  const std::string text = TerminalChartText(chart, {80, 24, Charset::kAscii});
  std::set<char> marks;
  for (const char c : text) {
    if (kAsciiMarks.find(c) != std::string_view::npos) marks.insert(c);
  }
  EXPECT_EQ(marks, (std::set<char>{'*', 'o', '+', 'x'}));
}

// Malformed UTF-8 too: a lead byte without its continuation (before ')'),
// ESC written overlong, a stray continuation byte.
TEST(TerminalChartText, WritesNoControlByteFromALegendOrTitleAndCutsLongOnes) {
  Chart chart({"x\x1b[2J", "\x07\xc2"}, {"y\r", std::string(200, 'u')}, {0, 1},
              {"a\x1b]0;t\x07",
               "\xc3\xa9\xc2\x9b"
               "6n",
               "\xc0\x9b[2J\x9b"});
  chart.Add(0, 0, 0);
  chart.Add(1, 1, 1);
  for (const Charset charset : {Charset::kAscii, Charset::kUtf8}) {
    const std::string text = TerminalChartText(chart, {80, 24, charset});
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      EXPECT_TRUE(byte == '\n' || (byte >= 0x20 && byte != 0x7f)) << static_cast<int>(byte);
      if (charset == Charset::kAscii) {
        EXPECT_LT(byte, 0x80);
      }
    }
    // No C1 control (CSI as U+009B), and the long title cut at the width.
    EXPECT_EQ(text.find("\xc2\x9b"), std::string::npos);
    EXPECT_TRUE(testtext::PrintableUtf8(text)) << text;
    for (const std::string& line : Lines(text)) EXPECT_LE(Width(line), 80U);
  }
}

// The title is the first line, centred, printable only, cut with an
// ellipsis at the width; the plot gives up a row for it.
TEST(TerminalChartText, ShowsATitleAsItsFirstLine) {
  struct Row {
    std::string title;
    Charset charset;
    int columns;
    std::string line;
  };
  const std::vector<Row> rows = {
      {"volume 60 l", Charset::kAscii, 80, std::string(36, ' ') + "volume 60 l"},
      {"a\x1b[2J\xc2\x9b"
       "b",
       Charset::kAscii, 80, std::string(38, ' ') + "a?[2J??b"},
      {"\xc3\xa9t\xc3\xa9", Charset::kUtf8, 30, std::string(15, ' ') + "\xc3\xa9t\xc3\xa9"},
      {std::string(100, 'v'), Charset::kAscii, 80, std::string(77, 'v') + "..."},
      {std::string(100, 'v'), Charset::kUtf8, 30, std::string(29, 'v') + "\u2026"},
  };
  for (const Row& row : rows) {
    Chart chart = CrossChart();
    chart.SetTitle(row.title);
    const std::vector<std::string> lines = Lines(TerminalChartText(chart, {row.columns, 24, row.charset}));
    ASSERT_EQ(lines.size(), 23U);
    EXPECT_EQ(lines[0], row.line);
    EXPECT_EQ(lines[1], "Frequency (Hz)");
    EXPECT_EQ(lines[22].substr(0, 8),
              Lines(TerminalChartText(CrossChart(), {row.columns, 24, row.charset}))[22].substr(0, 8));
  }
}

// On a log axis 1, 10, 100 and 1000 are as far apart, all labelled.
TEST(TerminalChartText, PlacesTicksOnALogAxisByTheirLogarithm) {
  Chart chart({"Volume", "l"}, {"y", ""}, {1, 1000}, {""}, AxisScale::kLog);
  for (int x = 1; x <= 1000; ++x) chart.Add(0, x, std::log10(x));
  const std::vector<std::string> lines = Lines(TerminalChartText(chart, {80, 24, Charset::kAscii}));
  ASSERT_EQ(lines.size(), 23U);
  std::vector<std::size_t> ticks;
  for (std::size_t column = 5; column < lines[20].size(); ++column) {
    if (lines[20][column] == '+') ticks.push_back(column);
  }
  ASSERT_EQ(ticks.size(), 10U) << lines[20];
  EXPECT_NEAR(static_cast<double>(ticks[3] - ticks[0]), static_cast<double>(ticks[6] - ticks[3]), 1);
  EXPECT_NEAR(static_cast<double>(ticks[9] - ticks[6]), static_cast<double>(ticks[6] - ticks[3]), 1);
  for (const char* label : {" 1 ", " 10 ", " 100 ", " 1000"}) {
    EXPECT_NE((" " + lines[21]).find(label), std::string::npos) << lines[21];
  }
  // y = log10(x) is a straight line: the mark half way up is half way across.
  EXPECT_NEAR(static_cast<double>(lines[10].find('*')), (ticks[0] + ticks[9]) / 2.0, 3) << lines[10];
}

TEST(TerminalChartText, MarksACurveOfASingleDesignWithAWholeCell) {
  Chart chart({"x", ""}, {"y", ""}, {5, 5}, {""});
  chart.Add(0, 5, 3);
  EXPECT_NE(TerminalChartText(chart, {80, 24, Charset::kUtf8}).find("\u28ff"), std::string::npos);
  chart.Add(0, 5.5, 3.2);
  EXPECT_EQ(TerminalChartText(chart, {80, 24, Charset::kUtf8}).find("\u28ff"), std::string::npos);
}

// `text` without its colour changes (ESC [ digits m).
std::string WithoutColour(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\x1b[") == 0) {
      std::size_t end = i + 2;
      while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
      if (end > i + 2 && end < text.size() && text[end] == 'm') {
        i = end;
        continue;
      }
    }
    plain += text[i];
  }
  return plain;
}

// Colour only adds the curves' own SGR changes: without them the text is the
// colourless drawing, and every line that changes colour resets it last.
TEST(TerminalChartText, ColorWrapsEachCurveInItsOwnColour) {
  for (const Charset charset : {Charset::kUtf8, Charset::kAscii}) {
    const std::string plain = TerminalChartText(CrossChart(), {80, 24, charset, false});
    const std::string colored = TerminalChartText(CrossChart(), {80, 24, charset, true});
    EXPECT_EQ(WithoutColour(colored), plain);
    EXPECT_NE(colored.find("\x1b[34m"), std::string::npos);
    EXPECT_NE(colored.find("\x1b[33m"), std::string::npos);
    for (const std::string& line : Lines(colored)) {
      const std::size_t last = line.rfind('\x1b');
      if (last != std::string::npos) {
        EXPECT_EQ(line.substr(last, 4), "\x1b[0m") << line;
      }
    }
  }
}

TEST(DetectTerminalStyle, Is80x24WithoutATerminal) {
  const TerminalStyle style = DetectTerminalStyle(-1);
  EXPECT_EQ(style.columns, 80);
  EXPECT_EQ(style.rows, 24);
  EXPECT_FALSE(style.color);
}

#ifndef _WIN32
TEST(DetectTerminalStyle, ReadsTheSizeAndCharacterSetOfAPseudoTerminal) {
  PseudoTerminal terminal;
  ASSERT_GE(terminal.Follower(), 0);
  ASSERT_TRUE(terminal.Resize(100, 30));
  {
    const ScopedVariable locale("LC_ALL", "C");
    const TerminalStyle style = DetectTerminalStyle(terminal.Follower());
    EXPECT_EQ(style.columns, 100);
    EXPECT_EQ(style.rows, 30);
    EXPECT_EQ(style.charset, Charset::kAscii);
  }
  {
    const ScopedVariable locale("LC_ALL", "C.UTF-8");
    EXPECT_EQ(DetectTerminalStyle(terminal.Follower()).charset, Charset::kUtf8);
  }
  // The program's own locale is left as it was.
  EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "C");
}

// Colour is what the caller's query says of the terminal, and none without a query.
TEST(DetectTerminalStyle, ColoursWhereTheQuerySaysSo) {
  PseudoTerminal terminal;
  ASSERT_GE(terminal.Follower(), 0);
  EXPECT_TRUE(DetectTerminalStyle(terminal.Follower(), [](int) { return true; }).color);
  EXPECT_FALSE(DetectTerminalStyle(terminal.Follower(), [](int) { return false; }).color);
  EXPECT_FALSE(DetectTerminalStyle(terminal.Follower()).color);
  EXPECT_FALSE(DetectTerminalStyle(-1, [](int) { return true; }).color);
}
#endif

}  // namespace
}  // namespace plot
