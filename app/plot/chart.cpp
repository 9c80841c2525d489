#include "app/plot/chart.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace plot {
namespace {

constexpr double kNotPossible = std::numeric_limits<double>::quiet_NaN();

// The largest value an axis reaches and the narrowest it spans: within them
// the span, the step's power of ten and every position on the axis stay
// finite, normal doubles (1e308 - -1e308 is infinite, a step of 1e-320 has
// no power of ten to be written with). No drawing tells values beyond them
// apart anyway.
constexpr double kLargest = 1e300;
constexpr double kNarrowest = 1e-300;

// mantissa x 10^n as the nearest double, as its decimal text reads: std::pow
// is not correctly rounded everywhere (MinGW's 10^-3 is one unit off), and a
// step must be exactly 0.001 or 0.005. Exact up to 10^22.
double Decimal(double mantissa, int n) {
  double power = 1;
  for (int i = 0; i < std::abs(n); ++i) power *= 10;
  return n < 0 ? mantissa / power : mantissa * power;
}

// The ticks a step gives over low..high, both ends rounded out to it.
long long Intervals(double low, double high, double step) {
  return std::llround(std::ceil(high / step - 1e-9) - std::floor(low / step + 1e-9));
}

// Of the steps 1, 2 and 5 x 10^n near `raw`, the one whose tick count is
// nearest to `targetTicks`; on a tie the larger step, for fewer labels.
double NiceStep(double low, double high, int targetTicks) {
  const double raw = (high - low) / std::max(1, targetTicks - 1);
  const int exponent = static_cast<int>(std::floor(std::log10(raw)));
  double best = 0;
  long long bestMiss = 0;
  for (const int n : {exponent - 1, exponent, exponent + 1}) {
    for (const double nice : {1.0, 2.0, 5.0}) {
      const double step = Decimal(nice, n);
      const long long miss = std::llabs(Intervals(low, high, step) + 1 - targetTicks);
      if (best == 0 || miss <= bestMiss) best = step, bestMiss = miss;
    }
  }
  return best;
}

}  // namespace

Axis NiceAxis(double low, double high, int targetTicks) {
  if (!std::isfinite(low) || !std::isfinite(high)) low = 0, high = 1;
  if (low > high) std::swap(low, high);
  low = std::clamp(low, -kLargest, kLargest);
  high = std::clamp(high, -kLargest, kLargest);
  if (high - low < kNarrowest) {
    // A single value sits in the middle of an axis around it.
    const double margin = low == 0 ? 1 : std::max(std::fabs(low) / 10, kNarrowest);
    low -= margin;
    high += margin;
  }
  Axis axis;
  axis.step = NiceStep(low, high, targetTicks);
  axis.low = std::floor(low / axis.step + 1e-9) * axis.step;
  const long long intervals = Intervals(low, high, axis.step);
  for (long long i = 0; i <= intervals; ++i) {
    const double tick = axis.low + static_cast<double>(i) * axis.step;
    // A tick a rounding error away from 0 is 0.
    axis.ticks.push_back(std::fabs(tick) < axis.step * 1e-9 ? 0.0 : tick);
  }
  axis.high = axis.ticks.back();
  return axis;
}

std::string TickText(double value, double step) {
  char buffer[64];
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  if (std::fabs(value) >= 1e9 || decimals > 9) {
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  }
  std::string text = buffer;
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string LegendText(const AxisName& input, float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text = input.quantity + " " + std::string(buffer, result.ptr);
  if (!input.unit.empty()) text += " " + input.unit;
  return text;
}

Chart::Chart(AxisName x, AxisName y, std::pair<double, double> xBounds, std::vector<std::string> legends)
    : xName_(std::move(x)), yName_(std::move(y)), xAxis_(NiceAxis(xBounds.first, xBounds.second)) {
  for (std::string& legend : legends) curves_.push_back(Curve{std::move(legend), {}, {}});
}

std::size_t Chart::ColumnOf(double x) const {
  const double position = (x - xAxis_.low) / (xAxis_.high - xAxis_.low) * static_cast<double>(kColumns);
  if (!(position > 0)) return 0;
  return std::min(kColumns - 1, static_cast<std::size_t>(position));
}

void Chart::AddToColumns(Curve& curve, Point point) {
  Column& column = curve.columns[ColumnOf(point.x)];
  if (std::isnan(point.y)) {
    column.gap = column.gap ? std::pair(std::min(column.gap->first, point.x), std::max(column.gap->second, point.x))
                            : std::pair(point.x, point.x);
    return;
  }
  if (column.count++ == 0) {
    column.first = column.lowest = column.highest = point;
  } else {
    if (point.y < column.lowest.y) column.lowest = point;
    if (point.y > column.highest.y) column.highest = point;
  }
  column.last = point;
}

void Chart::Add(std::size_t curveIndex, double x, std::optional<double> y) {
  if (curveIndex >= curves_.size()) return;
  if (std::isnan(x)) return;
  Curve& curve = curves_[curveIndex];
  // Within the axes, so that every drawing of the point is inside its plot.
  const Point point{std::clamp(x, xAxis_.low, xAxis_.high),
                    y && std::isfinite(*y) ? std::clamp(*y, -kLargest, kLargest) : kNotPossible};
  if (!curve.columns.empty()) {
    AddToColumns(curve, point);
    return;
  }
  curve.exact.push_back(point);
  if (curve.exact.size() <= kExactPointsPerCurve) return;
  // More points than the drawing resolves: from here on, per column.
  curve.columns.resize(kColumns);
  for (const Point& kept : curve.exact) AddToColumns(curve, kept);
  curve.exact = {};
}

Axis Chart::YAxis() const {
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  auto include = [&](const Point& point) {
    if (std::isnan(point.y)) return;
    low = std::min(low, point.y);
    high = std::max(high, point.y);
  };
  for (const Curve& curve : curves_) {
    for (const Point& point : curve.exact) include(point);
    for (const Column& column : curve.columns) {
      if (column.count == 0) continue;
      include(column.lowest);
      include(column.highest);
    }
  }
  if (low > high) return NiceAxis(0, 1);
  return NiceAxis(low, high);
}

std::vector<std::vector<Point>> Chart::Lines(std::size_t curveIndex) const {
  std::vector<std::vector<Point>> lines(1);
  auto breakLine = [&lines] {
    if (!lines.back().empty()) lines.emplace_back();
  };
  const Curve& curve = curves_[curveIndex];
  if (curve.columns.empty()) {
    std::vector<Point> sorted = curve.exact;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
    for (const Point& point : sorted) {
      if (std::isnan(point.y)) {
        breakLine();
      } else {
        lines.back().push_back(point);
      }
    }
  } else {
    std::optional<std::pair<std::size_t, Point>> previous;
    for (std::size_t index = 0; index < curve.columns.size(); ++index) {
      const Column& column = curve.columns[index];
      if (column.count == 0) continue;
      std::array<Point, 4> points = {column.first, column.lowest, column.highest, column.last};
      std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
      for (const Point& point : points) {
        if (previous && previous->second == point) continue;
        // An impossible design between the two points, as far as the columns tell, breaks the line.
        if (previous) {
          for (std::size_t between = previous->first; between <= index; ++between) {
            const auto& gap = curve.columns[between].gap;
            if (gap && gap->second >= previous->second.x && gap->first <= point.x) {
              breakLine();
              break;
            }
          }
        }
        lines.back().push_back(point);
        previous = std::pair(index, point);
      }
    }
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace plot
