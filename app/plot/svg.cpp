#include "app/plot/svg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>
#include <string>

namespace plot {
namespace {

// Room around the plot area for the tick labels and the axis titles.
constexpr double kLeft = 80;
constexpr double kTop = 20;
constexpr double kBottom = 60;
constexpr double kRight = 20;
constexpr double kLegendRow = 18;
// Wide enough for about 28 characters of 12-pixel sans-serif.
constexpr double kLegendWidth = 190;
constexpr double kTickLength = 5;
// A title's row above the plot: its baseline, its font, and how wide its
// characters are (sans-serif averages about 0.55 em) to keep it within the
// document.
constexpr double kTitleRow = 22;
constexpr double kTitleBaseline = 26;
constexpr double kTitleFont = 14;
constexpr double kTitleCharacter = 7.7;
constexpr double kTitleMargin = 10;
// A curve of one design: a disc a little wider than a line.
constexpr double kMarkerRadius = 3;
// A 12-pixel digit's width, and the least room between two tick labels.
constexpr double kTickCharacter = 7;
constexpr double kTickLabelGap = 6;

// Colours that stay apart for most readers (Tableau 10).
constexpr std::array<std::string_view, 10> kColours = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd",
                                                       "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22", "#17becf"};

// A reduced curve's points closer than this (vertically) to the straight
// line that replaces them are left out: no screen shows the difference.
constexpr double kSimplifyPixels = 0.2;

// The points of a line in pixels (x never decreasing), each inner point kept
// only where a straight line from the last kept point would miss a point
// left out by more than kSimplifyPixels. The slopes from the last kept point
// that pass every point left out closely enough narrow to a cone; the first
// point outside it keeps the one before. One pass.
std::vector<Point> Simplified(const std::vector<Point>& points) {
  if (points.size() < 3) return points;
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  std::vector<Point> kept = {points.front()};
  std::size_t anchor = 0;
  double lowest = -kInfinity;
  double highest = kInfinity;
  for (std::size_t i = 1; i < points.size(); ++i) {
    double dx = points[i].x - points[anchor].x;
    const double slope = dx > 0 ? (points[i].y - points[anchor].y) / dx : 0;
    if (dx <= 0 || slope < lowest || slope > highest) {
      if (anchor != i - 1) {
        anchor = i - 1;
        kept.push_back(points[anchor]);
      }
      dx = points[i].x - points[anchor].x;
      if (dx <= 0) {
        // Straight up or down from the anchor: a point of its own.
        anchor = i;
        kept.push_back(points[anchor]);
        lowest = -kInfinity;
        highest = kInfinity;
        continue;
      }
      lowest = -kInfinity;
      highest = kInfinity;
    }
    lowest = std::max(lowest, (points[i].y - kSimplifyPixels - points[anchor].y) / dx);
    highest = std::min(highest, (points[i].y + kSimplifyPixels - points[anchor].y) / dx);
  }
  if (anchor != points.size() - 1) kept.push_back(points.back());
  return kept;
}

// Tenths of a pixel are finer than any screen shows.
void AppendCoordinate(std::string& out, double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
  std::string_view text(buffer, result.ptr);
  if (text.ends_with(".0")) text.remove_suffix(2);
  out += text;
}

std::string Number(double value) {
  std::string text;
  AppendCoordinate(text, value);
  return text;
}

std::string Text(double x, double y, std::string_view anchor, std::string_view text, std::string_view extra = "") {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" + std::string(anchor) + "\"" +
         std::string(extra) + ">" + EscapeXml(text) + "</text>\n";
}

bool HasLegend(const Chart& chart) { return chart.CurveCount() > 1 || !chart.Legend(0).empty(); }

// The plot area in pixels and the axes it maps.
struct Frame {
  bool legend = false;
  double left = 0, right = 0, top = 0, bottom = 0;
  Axis x, y;
  double ToX(double value) const { return left + x.Position(value) * (right - left); }
  double ToY(double value) const { return bottom - (value - y.low) / (y.high - y.low) * (bottom - top); }
};

Frame FrameOf(const Chart& chart) {
  Frame frame;
  frame.legend = chart.CurveCount() > 0 && HasLegend(chart);
  frame.left = kLeft;
  frame.right = kSvgWidth - kRight - (frame.legend ? kLegendWidth : 0);
  // A title takes its row from the plot: the document keeps its size.
  frame.top = kTop + (chart.Title().empty() ? 0 : kTitleRow);
  frame.bottom = kSvgHeight - kBottom;
  frame.x = chart.XAxis();
  frame.y = chart.YAxis();
  return frame;
}

// Columns a UTF-8 text takes (one per character).
double Characters(std::string_view text) {
  return static_cast<double>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Centred over the plot, yet within the document; a title wider than the
// document is squeezed into it.
std::string TitleSvg(const Chart& chart, const Frame& frame) {
  if (chart.Title().empty()) return "";
  const double width = Characters(chart.Title()) * kTitleCharacter;
  const double most = kSvgWidth - 2 * kTitleMargin;
  const std::string font = " font-size=\"" + Number(kTitleFont) + "\"";
  if (width > most) {
    return Text(kSvgWidth / 2.0, kTitleBaseline, "middle", chart.Title(),
                font + " textLength=\"" + Number(most) + "\" lengthAdjust=\"spacingAndGlyphs\"");
  }
  const double centre =
      std::clamp((frame.left + frame.right) / 2, kTitleMargin + width / 2, kSvgWidth - kTitleMargin - width / 2);
  return Text(centre, kTitleBaseline, "middle", chart.Title(), font);
}

// Every tick of a linear axis is labelled, as ever; a log axis' 1, 2 and 5
// crowd within a decade, so there labels that would overlap are left out.
std::vector<bool> XTicksLabelled(const Frame& frame) {
  if (frame.x.scale == AxisScale::kLinear) return std::vector<bool>(frame.x.ticks.size(), true);
  std::vector<std::pair<double, double>> extents;
  for (const double tick : frame.x.ticks) {
    const double half = Characters(TickText(frame.x, tick)) * kTickCharacter / 2;
    extents.emplace_back(frame.ToX(tick) - half, frame.ToX(tick) + half);
  }
  return LabelledTicks(frame.x, extents, kTickLabelGap);
}

// Grid, then the axes and their ticks over it, their labels and titles.
std::string AxesSvg(const Chart& chart, const Frame& frame) {
  std::string grid;
  std::string ticks;
  for (const double tick : frame.x.ticks) {
    const std::string x = Number(frame.ToX(tick));
    grid += "M" + x + " " + Number(frame.top) + "V" + Number(frame.bottom);
    ticks += "M" + x + " " + Number(frame.bottom) + "v" + Number(kTickLength);
  }
  for (const double tick : frame.y.ticks) {
    const std::string y = Number(frame.ToY(tick));
    grid += "M" + Number(frame.left) + " " + y + "H" + Number(frame.right);
    ticks += "M" + Number(frame.left) + " " + y + "h" + Number(-kTickLength);
  }
  std::string svg = "<path stroke=\"#e0e0e0\" fill=\"none\" d=\"" + grid + "\"/>\n";
  svg += "<path stroke=\"black\" fill=\"none\" d=\"M" + Number(frame.left) + " " + Number(frame.top) + "V" +
         Number(frame.bottom) + "H" + Number(frame.right) + ticks + "\"/>\n";
  const std::vector<bool> labelled = XTicksLabelled(frame);
  for (std::size_t tick = 0; tick < frame.x.ticks.size(); ++tick) {
    if (!labelled[tick]) continue;
    const double x = frame.x.ticks[tick];
    svg += Text(frame.ToX(x), frame.bottom + kTickLength + 14, "middle", TickText(frame.x, x));
  }
  for (const double tick : frame.y.ticks) {
    svg += Text(frame.left - kTickLength - 3, frame.ToY(tick) + 4, "end", TickText(tick, frame.y.step));
  }
  svg += Text((frame.left + frame.right) / 2, kSvgHeight - 15, "middle", chart.XName().Title());
  const double yTitleX = 18;
  const double yTitleY = (frame.top + frame.bottom) / 2;
  svg += Text(yTitleX, yTitleY, "middle", chart.YName().Title(),
              " transform=\"rotate(-90 " + Number(yTitleX) + " " + Number(yTitleY) + ")\"");
  return svg;
}

// A curve of a single design would be a dot of the line's width, hardly
// seen: a disc marks it.
std::string LoneDesignMarker(const Chart& chart, std::size_t curve, const Frame& frame) {
  const std::vector<std::vector<Point>> lines = chart.Lines(curve);
  if (lines.size() != 1 || lines[0].size() != 1) return "";
  return "<circle cx=\"" + Number(frame.ToX(lines[0][0].x)) + "\" cy=\"" + Number(frame.ToY(lines[0][0].y)) +
         "\" r=\"" + Number(kMarkerRadius) + "\" fill=\"" + std::string(kColours[curve % kColours.size()]) + "\"/>\n";
}

// The curves; round caps make a lone point a dot.
std::string CurvesSvg(const Chart& chart, const Frame& frame) {
  std::string svg = "<g fill=\"none\" stroke-width=\"1.5\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
  for (std::size_t curve = 0; curve < chart.CurveCount(); ++curve) {
    std::string path;
    for (const std::vector<Point>& line : chart.Lines(curve)) {
      std::vector<Point> pixels;
      for (const Point& point : line) pixels.push_back({frame.ToX(point.x), frame.ToY(point.y)});
      // Short curves keep every design as a point.
      if (chart.Reduced(curve)) pixels = Simplified(pixels);
      char command = 'M';
      for (const Point& pixel : pixels) {
        path += command;
        AppendCoordinate(path, pixel.x);
        path += ' ';
        AppendCoordinate(path, pixel.y);
        command = 'L';
      }
      if (pixels.size() == 1) path += "h0";
    }
    svg += "<path stroke=\"" + std::string(kColours[curve % kColours.size()]) + "\" d=\"" + path + "\"/>\n";
    svg += LoneDesignMarker(chart, curve, frame);
  }
  return svg + "</g>\n";
}

std::string LegendSvg(const Chart& chart, const Frame& frame) {
  std::string svg;
  const double left = frame.right + 15;
  // As many entries as fit; the rest are counted.
  const auto fitting = static_cast<std::size_t>((frame.bottom - frame.top) / kLegendRow);
  const std::size_t shown = chart.CurveCount() <= fitting ? chart.CurveCount() : fitting - 1;
  for (std::size_t curve = 0; curve < shown; ++curve) {
    const double y = frame.top + kLegendRow * (static_cast<double>(curve) + 0.5);
    svg += "<path stroke=\"" + std::string(kColours[curve % kColours.size()]) + "\" stroke-width=\"2\" d=\"M" +
           Number(left) + " " + Number(y) + "h20\"/>\n";
    svg += Text(left + 26, y + 4, "start", chart.Legend(curve));
  }
  if (shown < chart.CurveCount()) {
    svg += Text(left, frame.top + kLegendRow * (static_cast<double>(shown) + 0.5) + 4, "start",
                "and " + std::to_string(chart.CurveCount() - shown) + " more");
  }
  return svg;
}

}  // namespace

std::string EscapeXml(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) escaped += c;
    }
  }
  return escaped;
}

std::string SvgText(const Chart& chart) {
  const Frame frame = FrameOf(chart);
  const std::string width = std::to_string(kSvgWidth);
  const std::string height = std::to_string(kSvgHeight);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
                    "\" font-family=\"sans-serif\" font-size=\"12\">\n"
                    "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += TitleSvg(chart, frame);
  svg += AxesSvg(chart, frame);
  svg += CurvesSvg(chart, frame);
  if (frame.legend) svg += LegendSvg(chart, frame);
  svg += "</svg>\n";
  return svg;
}

}  // namespace plot
