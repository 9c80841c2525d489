// A chart of a sweep: the computed quantity (y) against the first swept input
// (x), one curve per value of a second swept input. Designs arrive one at a
// time; the chart keeps only what a drawing can show, so its memory is
// bounded whatever the number of designs: every point while a curve has at
// most kExactPointsPerCurve, beyond that first/lowest/highest/last per column
// of kColumns across the x axis (equal in log10(x) on a log axis).
// Impossible designs break their curve.
//
//   Chart chart({"Volume", "cm^3"}, {"Frequency", "Hz"}, {1000, 60000},
//               {"diameter 5 cm", "diameter 7.5 cm"});
//   chart.SetTitle("volume 60 l, wall 1.2 cm; flanged ends, 1 port");
//   chart.Add(curve, volume, possible ? std::optional(frequency) : std::nullopt);
//   std::string svg = SvgText(chart);  // svg.h
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace plot {

// What an axis shows: "Frequency" in "Hz" is titled "Frequency (Hz)".
struct AxisName {
  std::string quantity;
  std::string unit;
  std::string Title() const { return unit.empty() ? quantity : quantity + " (" + unit + ")"; }
};

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// How values are placed along an axis: in proportion to the value, or to
// its log10 (for values > 0 only).
enum class AxisScale { kLinear, kLog };

// A nice axis: bounds and ticks at multiples of 1, 2 or 5 x 10^n, the bounds
// themselves ticks that enclose the data, as far as +-1e300 (beyond, the
// axis ends there) and at least 1e-300 wide.
//   NiceAxis(0.3, 9.6) -> 0 .. 10, ticks 0 2 4 6 8 10
//   NiceAxis(-1e308, 1e308) -> -1e300 .. 1e300, ticks every 5e299
struct Axis {
  double low = 0;
  double high = 1;
  // Between ticks of a linear axis; 0 on a log axis, whose ticks are not evenly spaced.
  double step = 1;
  std::vector<double> ticks;
  AxisScale scale = AxisScale::kLinear;
  // Where `value` lies from low (0) to high (1).
  //   linear 0 .. 10: Position(2.5) -> 0.25;  log 10 .. 1000: Position(100) -> 0.5
  double Position(double value) const;
};
Axis NiceAxis(double low, double high, int targetTicks = 6);
// A log axis over low..high (both > 0): bounds and ticks at 1, 2 or 5 x 10^n
// that enclose the data, 1 to 9 x 10^n within a decade, only decades over
// more than six decades (every 2nd, 5th, ... over more than twelve), between
// 1e-300 and 1e300.
//   LogAxis(20, 2000) -> 20 .. 2000, ticks 20 50 100 200 500 1000 2000
//   LogAxis(15, 30) -> 10 .. 30, ticks 10 20 30
//   LogAxis(3, 2e7) -> 1 .. 1e8, ticks 1 10 100 ... 1e8
Axis LogAxis(double low, double high);
// Whether low..high spans more than `decades` powers of ten (both > 0):
// a range a log axis shows better than a linear one.
//   SpansDecades(20, 20000, 2) -> true;  SpansDecades(20, 2000, 2) -> false;  SpansDecades(0, 1e6, 2) -> false
bool SpansDecades(double low, double high, double decades);
// The tick's text: as many decimals as the step needs, never "-0".
//   TickText(0.25, 0.05) -> "0.25";  TickText(3e6, 1e6) -> "3000000"
std::string TickText(double value, double step);
// The tick's text on its axis: a log axis' without exponent from 1e-4 to 1e7.
//   log: TickText(axis, 0.0002) -> "0.0002";  TickText(axis, 2000) -> "2000";  TickText(axis, 1e8) -> "1e+08"
std::string TickText(const Axis& axis, double tick);
// Which ticks keep their label so that no two labels come closer than
// `gap`: `extents` are the labels' left and right ends, in tick order. Left
// to right, but on a log axis the decades first.
//   linear, extents {0,4} {3,7} {8,12}, gap 1 -> {true, false, true}
//   log ticks 1 2 10, extents {0,2} {3,7} {6,8}, gap 1 -> {true, false, true} (linear: {true, true, false})
std::vector<bool> LabelledTicks(const Axis& axis, const std::vector<std::pair<double, double>>& extents, double gap);

// "diameter 7.5 cm": the legend of the curve of one value of a swept input.
std::string LegendText(const AxisName& input, float value);

class Chart {
 public:
  // A chart has a legend mark of its own for each curve: at most this many.
  static constexpr std::size_t kMaxCurves = 10;
  // Columns across the x axis over which a long curve is reduced: more than
  // any drawing of it has (the SVG plot area and a wide terminal in braille).
  static constexpr std::size_t kColumns = 1024;
  static constexpr std::size_t kExactPointsPerCurve = 2 * kColumns;

  // `xBounds`: the first swept input's smallest and largest value, known
  // before the first design; `legends`: one per curve (one empty text for a
  // single curve without a legend); `xScale`: kLog only for bounds > 0
  // (linear otherwise).
  Chart(AxisName x, AxisName y, std::pair<double, double> xBounds, std::vector<std::string> legends,
        AxisScale xScale = AxisScale::kLinear);

  // One line above the plot, such as "volume 60 l; air 20 C (343.2 m/s)";
  // none when empty.
  void SetTitle(std::string title) { title_ = std::move(title); }
  const std::string& Title() const { return title_; }

  // One design: `y` empty (or not finite) when it is impossible. An `x`
  // outside the x axis (which the bounds rule out) is drawn at its end, and
  // a `y` beyond +-1e300 (as far as an axis reaches) at that value; a NaN
  // `x` is left out.
  void Add(std::size_t curve, double x, std::optional<double> y);

  const AxisName& XName() const { return xName_; }
  const AxisName& YName() const { return yName_; }
  const Axis& XAxis() const { return xAxis_; }
  // From the points kept; a nice axis around 0..1 when there are none.
  Axis YAxis() const;
  std::size_t CurveCount() const { return curves_.size(); }
  const std::string& Legend(std::size_t curve) const { return curves_[curve].legend; }

  // Whether the curve is kept per column rather than point by point.
  bool Reduced(std::size_t curve) const { return !curves_[curve].columns.empty(); }
  // The curve's lines in x order: each inner vector is one unbroken line.
  std::vector<std::vector<Point>> Lines(std::size_t curve) const;

 private:
  // The possible points of one column, reduced, and the x extent of the
  // impossible designs that fell in it.
  struct Column {
    std::size_t count = 0;
    Point first, last, lowest, highest;
    std::optional<std::pair<double, double>> gap;
  };
  struct Curve {
    std::string legend;
    // Exact: every design in arrival order, impossible ones with a NaN y.
    std::vector<Point> exact;
    // Reduced, once `exact` would grow past kExactPointsPerCurve.
    std::vector<Column> columns;
  };

  std::size_t ColumnOf(double x) const;
  void AddToColumns(Curve& curve, Point point);

  AxisName xName_;
  AxisName yName_;
  Axis xAxis_;
  std::string title_;
  std::vector<Curve> curves_;
};

}  // namespace plot
