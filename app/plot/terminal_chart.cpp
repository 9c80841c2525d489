#include "app/plot/terminal_chart.h"

#include <algorithm>
#include <array>
#include <optional>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace plot {
namespace {

// Below these the chart cannot hold its labels and a plot.
constexpr int kMinColumns = 30;
constexpr int kMinRows = 10;
constexpr int kMinPlotColumns = 10;
constexpr int kMinPlotRows = 3;
// Beyond these a wider or taller drawing shows nothing more (the chart keeps
// 1024 columns of a long curve), yet a window may say 65535 x 65535: cells,
// text and time would grow with it to gigabytes and minutes.
constexpr int kMaxColumns = 1000;
constexpr int kMaxRows = 500;

// The dots of one braille cell, by column and row within it.
constexpr std::uint8_t kBrailleDots[2][4] = {{0x01, 0x02, 0x04, 0x40}, {0x08, 0x10, 0x20, 0x80}};

struct Glyphs {
  std::string_view vertical, tick, corner, horizontal, bottomTick;
};
constexpr Glyphs kUtf8Glyphs = {"\u2502", "\u2524", "\u2514", "\u2500", "\u252c"};
constexpr Glyphs kAsciiGlyphs = {"|", "+", "+", "-", "+"};

// The curves' colours in turn (SGR foreground codes), close to the SVG's.
constexpr std::array<std::string_view, 10> kColorCodes = {"34", "33", "32", "31", "35", "36", "94", "93", "92", "95"};
constexpr std::string_view kColorReset = "\x1b[0m";

std::string ColorOn(std::size_t curve) { return "\x1b[" + std::string(kColorCodes[curve % kColorCodes.size()]) + "m"; }

// The length of the printable UTF-8 character that `text` starts with, 0
// for a control (C0, DEL, C1 as U+0080..U+009F) or a malformed sequence (a
// stray continuation, a truncated, overlong or surrogate one), which some
// terminal may read as a control or as swallowing what follows.
//   Utf8Character("\xc3\xa9x") -> 2;  Utf8Character("\xc2\x9b") -> 0;  Utf8Character("\xc0\x9b") -> 0
std::size_t Utf8Character(std::string_view text) {
  const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return lead >= 0x20 && lead != 0x7f ? 1 : 0;
  if (lead < 0xC2 || lead > 0xF4) return 0;
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  // The second byte's range rules out C1, overlong forms, surrogates and beyond U+10FFFF.
  const unsigned char low = lead == 0xC2 ? 0xA0 : lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Printable text only, at most `width` columns: a byte that does not start
// a printable character becomes '?', and so, when the terminal is not
// UTF-8, does any byte beyond ASCII.
std::string Printable(std::string_view text, Charset charset, int width) {
  std::string out;
  for (int columns = 0; !text.empty() && columns < width; ++columns) {
    std::size_t length = Utf8Character(text);
    if (charset == Charset::kAscii && length > 1) length = 0;
    out += length == 0 ? std::string_view("?") : text.substr(0, length);
    text.remove_prefix(std::max<std::size_t>(length, 1));
  }
  return out;
}

// Columns a UTF-8 text takes (one per character; the texts here have no wide ones).
int Width(std::string_view text) {
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The cells of the plot area: per cell the braille dots, or the ASCII mark.
class Canvas {
 public:
  Canvas(int columns, int rows, Charset charset)
      : columns_(columns),
        rows_(rows),
        charset_(charset),
        cells_(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0),
        owners_(cells_.size(), 0) {}

  int DotColumns() const { return columns_ * (charset_ == Charset::kUtf8 ? 2 : 1); }
  int DotRows() const { return rows_ * (charset_ == Charset::kUtf8 ? 4 : 1); }

  // A dot of `curve`; the cell takes the colour of the last curve in it.
  void Dot(int x, int y, std::size_t curve) {
    if (x < 0 || y < 0 || x >= DotColumns() || y >= DotRows()) return;
    const bool braille = charset_ == Charset::kUtf8;
    const std::size_t cell = Index(braille ? x / 2 : x, braille ? y / 4 : y);
    if (braille) {
      cells_[cell] |= kBrailleDots[x % 2][y % 4];
    } else {
      cells_[cell] = static_cast<std::uint8_t>(kAsciiMarks[curve % kAsciiMarks.size()]);
    }
    owners_[cell] = static_cast<std::uint16_t>(curve);
  }

  // Every dot of the cell that holds dot x, y (in ASCII, that one mark).
  void Cell(int x, int y, std::size_t curve) {
    if (charset_ == Charset::kAscii) return Dot(x, y, curve);
    for (int dot = 0; dot < 8; ++dot) Dot(x - x % 2 + dot % 2, y - y % 4 + dot / 2, curve);
  }

  // Bresenham's line, both ends included.
  void Line(int x0, int y0, int x1, int y1, std::size_t curve) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true) {
      Dot(x0, y0, curve);
      if (x0 == x1 && y0 == y1) return;
      const int twice = 2 * error;
      if (twice >= dy) error += dy, x0 += sx;
      if (twice <= dx) error += dx, y0 += sy;
    }
  }

  // The row without trailing blanks, each run of one curve's cells in its colour when `color`.
  std::string Row(int row, bool color) const {
    int end = columns_;
    while (end > 0 && cells_[Index(end - 1, row)] == 0) --end;
    std::string text;
    std::optional<std::uint16_t> colored;
    for (int column = 0; column < end; ++column) {
      const std::size_t index = Index(column, row);
      const std::uint8_t cell = cells_[index];
      if (color && cell != 0 && colored != owners_[index]) {
        colored = owners_[index];
        text += ColorOn(*colored);
      }
      if (cell == 0) {
        text += ' ';
      } else if (charset_ == Charset::kAscii) {
        text += static_cast<char>(cell);
      } else {
        // U+2800 + dots in UTF-8.
        text += static_cast<char>(0xE2);
        text += static_cast<char>(0xA0 | (cell >> 6));
        text += static_cast<char>(0x80 | (cell & 0x3F));
      }
    }
    if (colored) text += kColorReset;
    return text;
  }

 private:
  std::size_t Index(int column, int row) const { return static_cast<std::size_t>(row * columns_ + column); }

  int columns_;
  int rows_;
  Charset charset_;
  std::vector<std::uint8_t> cells_;
  std::vector<std::uint16_t> owners_;
};

// Every line of every curve, point to point (a lone point a dot), at the dots `toDotX` and `toDotY` give.
template <typename ToDotX, typename ToDotY>
void DrawCurves(const Chart& chart, Canvas& canvas, ToDotX toDotX, ToDotY toDotY) {
  for (std::size_t curve = 0; curve < chart.CurveCount(); ++curve) {
    for (const std::vector<Point>& line : chart.Lines(curve)) {
      for (std::size_t i = 0; i < line.size(); ++i) {
        const Point& to = line[i];
        const Point& from = line[i == 0 ? 0 : i - 1];
        canvas.Line(toDotX(from.x), toDotY(from.y), toDotX(to.x), toDotY(to.y), curve);
      }
    }
  }
}

// A curve of a single design would be one braille dot, hardly seen: its whole cell marks it.
template <typename ToDotX, typename ToDotY>
void MarkLoneDesigns(const Chart& chart, Canvas& canvas, ToDotX toDotX, ToDotY toDotY) {
  for (std::size_t curve = 0; curve < chart.CurveCount(); ++curve) {
    const std::vector<std::vector<Point>> lines = chart.Lines(curve);
    if (lines.size() == 1 && lines[0].size() == 1) canvas.Cell(toDotX(lines[0][0].x), toDotY(lines[0][0].y), curve);
  }
}

// Places `text` on `line` (a line of `width` blank columns so far filled to
// `used`) centred on column `centre`, when it does not run into what is there.
void PlaceLabel(std::string& line, int& used, int centre, std::string_view text, int width) {
  const int start = std::clamp(centre - Width(text) / 2, 0, std::max(0, width - Width(text)));
  if (start < used + (used > 0 ? 1 : 0)) return;
  line += std::string(static_cast<std::size_t>(start - used), ' ');
  line += text;
  used = start + Width(text);
}

// `text` as a line, centred over the plot (`plotColumns` from column
// `plotStart`) yet within the width.
std::string Centred(const std::string& text, int plotStart, int plotColumns, int width) {
  const int start = std::clamp(plotStart + (plotColumns - Width(text)) / 2, 0, width - Width(text));
  return std::string(static_cast<std::size_t>(start), ' ') + text + "\n";
}

// Printable text in at most `width` columns, its end an ellipsis where it is cut.
//   Cut("volume 60 l", kAscii, 8) -> "volum..."
std::string Cut(std::string_view text, Charset charset, int width) {
  const std::string whole = Printable(text, charset, width + 1);
  if (Width(whole) <= width) return whole;
  const std::string_view ellipsis = charset == Charset::kUtf8 ? "\u2026" : "...";
  return Printable(text, charset, width - Width(ellipsis)) + std::string(ellipsis);
}

// The x axis with a tick mark in each of `tickColumns` of the plot.
std::string XAxisLine(const Glyphs& glyphs, const std::vector<int>& tickColumns, int plotStart, int plotColumns) {
  std::string line = std::string(static_cast<std::size_t>(plotStart - 1), ' ') + std::string(glyphs.corner);
  for (int column = 0; column < plotColumns; ++column) {
    const bool tick = std::find(tickColumns.begin(), tickColumns.end(), column) != tickColumns.end();
    line += tick ? glyphs.bottomTick : glyphs.horizontal;
  }
  return line + "\n";
}

// The x tick labels under their ticks, those that fit (a log axis' decades first).
std::string XTickLabels(const Axis& axis, const std::vector<int>& tickColumns, int plotStart, int width) {
  std::vector<std::string> texts;
  std::vector<std::pair<double, double>> extents;
  for (std::size_t tick = 0; tick < axis.ticks.size(); ++tick) {
    texts.push_back(TickText(axis, axis.ticks[tick]));
    const int length = Width(texts.back());
    const int start = std::clamp(plotStart + tickColumns[tick] - length / 2, 0, std::max(0, width - length));
    extents.emplace_back(start, start + length);
  }
  const std::vector<bool> labelled = LabelledTicks(axis, extents, 1);
  std::string line;
  int used = 0;
  for (std::size_t tick = 0; tick < texts.size(); ++tick) {
    if (labelled[tick]) PlaceLabel(line, used, plotStart + tickColumns[tick], texts[tick], width);
  }
  return line + "\n";
}

// The legend: entries side by side, as many lines as they need, at most `most`.
std::vector<std::string> LegendLines(const Chart& chart, const TerminalStyle& style, int width, std::size_t most) {
  std::vector<std::string> lines;
  const bool hasLegend = chart.CurveCount() > 1 || (chart.CurveCount() == 1 && !chart.Legend(0).empty());
  if (!hasLegend) return lines;
  std::string line;
  int lineWidth = 0;
  for (std::size_t curve = 0; curve < chart.CurveCount(); ++curve) {
    std::string mark = style.charset == Charset::kUtf8 ? std::string("\u28ff")
                                                       : std::string(1, kAsciiMarks[curve % kAsciiMarks.size()]);
    const std::string legend = Printable(chart.Legend(curve), style.charset, width - 2);
    const std::string entry = mark + " " + legend;
    if (!line.empty() && lineWidth + 3 + Width(entry) > width) {
      lines.push_back(line);
      line.clear();
      lineWidth = 0;
    }
    if (style.color) mark = ColorOn(curve) + mark + std::string(kColorReset);
    line += (line.empty() ? "" : "   ") + mark + " " + legend;
    lineWidth += (lineWidth == 0 ? 0 : 3) + Width(entry);
  }
  lines.push_back(line);
  if (lines.size() > most) {
    lines.resize(most);
    lines.back() = "... " + std::to_string(chart.CurveCount()) + " curves";
  }
  return lines;
}

// The y tick labels as TickText writes them, or in six significant digits
// where those would be wider than `most` (ticks billionths apart far from 0:
// "-123456789.123456789" becomes "-1.23457e+08", at most 13 characters).
std::vector<std::string> YTickLabels(const Axis& axis, int most) {
  std::vector<std::string> labels;
  for (const double tick : axis.ticks) labels.push_back(TickText(tick, axis.step));
  if (std::all_of(labels.begin(), labels.end(), [most](const std::string& label) { return Width(label) <= most; })) {
    return labels;
  }
  for (std::size_t tick = 0; tick < labels.size(); ++tick) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", axis.ticks[tick]);
    labels[tick] = buffer;
  }
  return labels;
}

}  // namespace

std::string TerminalChartText(const Chart& chart, const TerminalStyle& style) {
  const Charset charset = style.charset;
  const Glyphs& glyphs = charset == Charset::kUtf8 ? kUtf8Glyphs : kAsciiGlyphs;
  const int width = std::clamp(style.columns, kMinColumns, kMaxColumns);
  const int height = std::clamp(style.rows, kMinRows, kMaxRows);
  // The title, the y title, the x axis, its labels, its title, and the prompt's line.
  const int fixedRows = 5 + (chart.Title().empty() ? 0 : 1);
  // At most a third of the height, and no more than leaves the plot its least rows.
  const std::vector<std::string> legendLines = LegendLines(
      chart, style, width, static_cast<std::size_t>(std::min(height / 3, height - fixedRows - kMinPlotRows)));

  const Axis& xAxis = chart.XAxis();
  const Axis yAxis = chart.YAxis();
  // The y label, a blank and the axis, then the plot, the last column left blank.
  const std::vector<std::string> yLabels = YTickLabels(yAxis, width - 3 - kMinPlotColumns);
  int labelWidth = 0;
  for (const std::string& label : yLabels) labelWidth = std::max(labelWidth, Width(label));
  const int plotRows = std::max(kMinPlotRows, height - fixedRows - static_cast<int>(legendLines.size()));
  const int plotColumns = std::max(kMinPlotColumns, width - labelWidth - 3);
  Canvas canvas(plotColumns, plotRows, charset);
  auto toDotX = [&](double x) { return static_cast<int>(std::lround(xAxis.Position(x) * (canvas.DotColumns() - 1))); };
  auto toDotY = [&](double y) {
    return static_cast<int>(std::lround((yAxis.high - y) / (yAxis.high - yAxis.low) * (canvas.DotRows() - 1)));
  };
  DrawCurves(chart, canvas, toDotX, toDotY);
  MarkLoneDesigns(chart, canvas, toDotX, toDotY);

  const int plotStart = labelWidth + 2;
  std::string text;
  if (!chart.Title().empty()) text += Centred(Cut(chart.Title(), charset, width), plotStart, plotColumns, width);
  text += Printable(chart.YName().Title(), charset, width) + "\n";
  auto rowOf = [&](double y) {
    return static_cast<int>(std::lround((yAxis.high - y) / (yAxis.high - yAxis.low) * (plotRows - 1)));
  };
  for (int row = 0; row < plotRows; ++row) {
    std::string label;
    for (std::size_t tick = 0; tick < yAxis.ticks.size(); ++tick) {
      if (rowOf(yAxis.ticks[tick]) == row) label = yLabels[tick];
    }
    text += std::string(static_cast<std::size_t>(labelWidth - Width(label)), ' ') + label + " ";
    text += (label.empty() ? glyphs.vertical : glyphs.tick);
    text += canvas.Row(row, style.color) + "\n";
  }

  std::vector<int> tickColumns;
  for (const double tick : xAxis.ticks) {
    const int dot = toDotX(tick);
    tickColumns.push_back(charset == Charset::kUtf8 ? dot / 2 : dot);
  }
  text += XAxisLine(glyphs, tickColumns, plotStart, plotColumns);
  text += XTickLabels(xAxis, tickColumns, plotStart, width);
  text += Centred(Printable(chart.XName().Title(), charset, width), plotStart, plotColumns, width);
  for (const std::string& line : legendLines) text += line + "\n";
  return text;
}

}  // namespace plot
