#include "app/plot/chart.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <span>

#include "numtext/plain_number.h"

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

// A log axis' ticks are these times powers of ten: 1 to 9 within a decade,
// 1, 2 and 5 up to kManyDecades, else only decades, no more than
// kMostDecadeTicks of them.
constexpr std::array<double, 9> kOneToNine = {1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr std::array<double, 3> kOneTwoFive = {1, 2, 5};
constexpr double kManyDecades = 6;
constexpr int kMostDecadeTicks = 12;
// Values this close to a tick are taken as on it (a log10 or a product a unit off).
constexpr double kTolerance = 1e-9;

int Exponent(double value) { return static_cast<int>(std::floor(std::log10(value) + kTolerance)); }

bool IsDecade(double value) {
  const double exponent = std::log10(value);
  return std::fabs(exponent - std::round(exponent)) < kTolerance;
}

// The nearest m x 10^n at or below `value` (`up`: at or above), m one of
// `mantissas`, which start at 1 and increase.
//   NiceBound(15, {1, 2, 5}, false) -> 10;  NiceBound(15, {1, 2, 5}, true) -> 20
double NiceBound(double value, std::span<const double> mantissas, bool up) {
  const int n = Exponent(value);
  if (up) {
    for (const double m : mantissas) {
      if (Decimal(m, n) >= value * (1 - kTolerance)) return Decimal(m, n);
    }
    return Decimal(1, n + 1);
  }
  for (auto m = mantissas.rbegin(); m != mantissas.rend(); ++m) {
    if (Decimal(*m, n) <= value * (1 + kTolerance)) return Decimal(*m, n);
  }
  return Decimal(1, n);
}

// Every m x 10^n from the axis' low to its high, both of them such ticks.
void MantissaTicks(Axis& axis, std::span<const double> mantissas) {
  for (int n = Exponent(axis.low) - 1;; ++n) {
    for (const double m : mantissas) {
      const double tick = Decimal(m, n);
      if (tick > axis.high * (1 + kTolerance)) return;
      if (tick >= axis.low * (1 - kTolerance)) axis.ticks.push_back(tick);
    }
  }
}

// Decades, every 1, 2, 5, 10, ... so that there are at most kMostDecadeTicks + 1.
void DecadeTicks(Axis& axis, double low, double high) {
  int from = Exponent(low);
  int to = static_cast<int>(std::ceil(std::log10(high) - kTolerance));
  int every = 1;
  for (const int candidate : {1, 2, 5, 10, 20, 50, 100}) {
    every = candidate;
    if (to - from <= kMostDecadeTicks * every) break;
  }
  from = static_cast<int>(std::floor(static_cast<double>(from) / every)) * every;
  to = static_cast<int>(std::ceil(static_cast<double>(to) / every)) * every;
  for (int n = from; n <= to; n += every) axis.ticks.push_back(Decimal(1, n));
  axis.low = axis.ticks.front();
  axis.high = axis.ticks.back();
}

// The caller promises bounds > 0 for a log axis; should they not be, the
// chart is still drawn, on a linear one.
Axis XAxisOf(std::pair<double, double> bounds, AxisScale scale) {
  const bool positive = bounds.first > 0 && bounds.second > 0;
  assert(scale == AxisScale::kLinear || positive);
  if (scale == AxisScale::kLog && positive) return LogAxis(bounds.first, bounds.second);
  return NiceAxis(bounds.first, bounds.second);
}

}  // namespace

double Axis::Position(double value) const {
  // Differences of logarithms: a ratio of 1e300 to 1e-300 would overflow.
  if (scale == AxisScale::kLog) return (std::log10(value) - std::log10(low)) / (std::log10(high) - std::log10(low));
  return (value - low) / (high - low);
}

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

Axis LogAxis(double low, double high) {
  if (std::isnan(low) || std::isnan(high)) low = 1, high = 10;
  if (low > high) std::swap(low, high);
  low = std::clamp(low, kNarrowest, kLargest);
  high = std::clamp(high, kNarrowest, kLargest);
  // A single value sits in the middle of an axis around it.
  if (high < low * (1 + kTolerance)) low /= 1.1, high *= 1.1;
  Axis axis;
  axis.scale = AxisScale::kLog;
  axis.step = 0;
  if (std::log10(high) - std::log10(low) > kManyDecades) {
    DecadeTicks(axis, low, high);
    return axis;
  }
  const std::span<const double> mantissas =
      high <= low * 10 ? std::span<const double>(kOneToNine) : std::span<const double>(kOneTwoFive);
  axis.low = NiceBound(low, mantissas, false);
  axis.high = NiceBound(high, mantissas, true);
  MantissaTicks(axis, mantissas);
  return axis;
}

bool SpansDecades(double low, double high, double decades) {
  if (low > high) std::swap(low, high);
  if (!(low > 0)) return false;
  // Exactly 10^n for a whole n, for a range of exactly that many decades.
  const bool whole = decades == std::trunc(decades) && std::fabs(decades) <= 300;
  return high / low > (whole ? Decimal(1, static_cast<int>(decades)) : std::pow(10.0, decades));
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

std::string TickText(const Axis& axis, double tick) {
  if (axis.scale == AxisScale::kLinear) return TickText(tick, axis.step);
  // Digits read better than an exponent as far as they stay short.
  if (tick >= 1e-4 * (1 - kTolerance) && tick <= 1e7 * (1 + kTolerance)) return TickText(tick, tick);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", tick);
  return buffer;
}

std::vector<bool> LabelledTicks(const Axis& axis, const std::vector<std::pair<double, double>>& extents, double gap) {
  std::vector<bool> labelled(extents.size(), false);
  auto clear = [&](std::size_t i) {
    for (std::size_t j = 0; j < extents.size(); ++j) {
      if (labelled[j] && extents[i].first < extents[j].second + gap && extents[j].first < extents[i].second + gap) {
        return false;
      }
    }
    return true;
  };
  // On a log axis the decades are what a reader finds the scale by.
  const bool log = axis.scale == AxisScale::kLog;
  for (const bool decadesOnly : {log, false}) {
    for (std::size_t i = 0; i < extents.size(); ++i) {
      const bool decade = i < axis.ticks.size() && IsDecade(axis.ticks[i]);
      if (!labelled[i] && (!decadesOnly || decade) && clear(i)) labelled[i] = true;
    }
  }
  return labelled;
}

std::string LegendText(const AxisName& input, float value) {
  std::string text = input.quantity + " " + numtext::ShortestPlain(value);
  if (!input.unit.empty()) text += " " + input.unit;
  return text;
}

Chart::Chart(AxisName x, AxisName y, std::pair<double, double> xBounds, std::vector<std::string> legends,
             AxisScale xScale)
    : xName_(std::move(x)), yName_(std::move(y)), xAxis_(XAxisOf(xBounds, xScale)) {
  for (std::string& legend : legends) curves_.push_back(Curve{std::move(legend), {}, {}});
}

std::size_t Chart::ColumnOf(double x) const {
  const double position = xAxis_.Position(x) * static_cast<double>(kColumns);
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
