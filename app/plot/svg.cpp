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
  const bool legend = chart.CurveCount() > 0 && HasLegend(chart);
  const double plotLeft = kLeft;
  const double plotRight = kSvgWidth - kRight - (legend ? kLegendWidth : 0);
  const double plotTop = kTop;
  const double plotBottom = kSvgHeight - kBottom;
  const Axis& xAxis = chart.XAxis();
  const Axis yAxis = chart.YAxis();
  auto toX = [&](double x) { return plotLeft + (x - xAxis.low) / (xAxis.high - xAxis.low) * (plotRight - plotLeft); };
  auto toY = [&](double y) { return plotBottom - (y - yAxis.low) / (yAxis.high - yAxis.low) * (plotBottom - plotTop); };

  const std::string width = std::to_string(kSvgWidth);
  const std::string height = std::to_string(kSvgHeight);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
                    "\" font-family=\"sans-serif\" font-size=\"12\">\n"
                    "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";

  // Grid, then the axes and their ticks over it.
  std::string grid;
  std::string ticks;
  for (const double tick : xAxis.ticks) {
    const std::string x = Number(toX(tick));
    grid += "M" + x + " " + Number(plotTop) + "V" + Number(plotBottom);
    ticks += "M" + x + " " + Number(plotBottom) + "v" + Number(kTickLength);
  }
  for (const double tick : yAxis.ticks) {
    const std::string y = Number(toY(tick));
    grid += "M" + Number(plotLeft) + " " + y + "H" + Number(plotRight);
    ticks += "M" + Number(plotLeft) + " " + y + "h" + Number(-kTickLength);
  }
  svg += "<path stroke=\"#e0e0e0\" fill=\"none\" d=\"" + grid + "\"/>\n";
  svg += "<path stroke=\"black\" fill=\"none\" d=\"M" + Number(plotLeft) + " " + Number(plotTop) + "V" +
         Number(plotBottom) + "H" + Number(plotRight) + ticks + "\"/>\n";
  for (const double tick : xAxis.ticks) {
    svg += Text(toX(tick), plotBottom + kTickLength + 14, "middle", TickText(tick, xAxis.step));
  }
  for (const double tick : yAxis.ticks) {
    svg += Text(plotLeft - kTickLength - 3, toY(tick) + 4, "end", TickText(tick, yAxis.step));
  }
  svg += Text((plotLeft + plotRight) / 2, kSvgHeight - 15, "middle", chart.XName().Title());
  const double yTitleX = 18;
  const double yTitleY = (plotTop + plotBottom) / 2;
  svg += Text(yTitleX, yTitleY, "middle", chart.YName().Title(),
              " transform=\"rotate(-90 " + Number(yTitleX) + " " + Number(yTitleY) + ")\"");

  // The curves; round caps make a lone point a dot.
  svg += "<g fill=\"none\" stroke-width=\"1.5\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
  for (std::size_t curve = 0; curve < chart.CurveCount(); ++curve) {
    std::string path;
    for (const std::vector<Point>& line : chart.Lines(curve)) {
      std::vector<Point> pixels;
      for (const Point& point : line) pixels.push_back({toX(point.x), toY(point.y)});
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
  }
  svg += "</g>\n";

  if (legend) {
    const double left = plotRight + 15;
    // As many entries as fit; the rest are counted.
    const auto fitting = static_cast<std::size_t>((plotBottom - plotTop) / kLegendRow);
    const std::size_t shown = chart.CurveCount() <= fitting ? chart.CurveCount() : fitting - 1;
    for (std::size_t curve = 0; curve < shown; ++curve) {
      const double y = plotTop + kLegendRow * (static_cast<double>(curve) + 0.5);
      svg += "<path stroke=\"" + std::string(kColours[curve % kColours.size()]) + "\" stroke-width=\"2\" d=\"M" +
             Number(left) + " " + Number(y) + "h20\"/>\n";
      svg += Text(left + 26, y + 4, "start", chart.Legend(curve));
    }
    if (shown < chart.CurveCount()) {
      svg += Text(left, plotTop + kLegendRow * (static_cast<double>(shown) + 0.5) + 4, "start",
                  "and " + std::to_string(chart.CurveCount() - shown) + " more");
    }
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace plot
