// The chart model: nice axes, tick texts, lines broken by impossible designs,
// and the per-column reduction of long curves, which must keep every
// extreme while bounding what is kept.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "app/plot/chart.h"

namespace plot {
namespace {

struct AxisRow {
  double low, high;
  double niceLow, niceHigh, step;
};

TEST(NiceAxis, TicksAreOneTwoOrFiveTimesAPowerOfTen) {
  const std::vector<AxisRow> rows = {
      {0.3, 9.6, 0, 10, 2},     {0, 1, 0, 1, 0.2},           {1000, 60000, 0, 60000, 10000},
      {20, 200, 0, 200, 50},    {-3, 7, -4, 8, 2},           {0.001, 0.0042, 0.001, 0.005, 0.001},
      {5, 5, 4.4, 5.6, 0.2},    {0, 0, -1, 1, 0.5},          {1e6, 3.3e6, 1e6, 3.5e6, 5e5},
      {-250, -10, -250, 0, 50}, {17.3, 17.9, 17.2, 18, 0.2},
  };
  for (const AxisRow& row : rows) {
    const Axis axis = NiceAxis(row.low, row.high);
    EXPECT_NEAR(axis.low, row.niceLow, 1e-9 * std::fabs(row.step)) << row.low << ".." << row.high;
    EXPECT_NEAR(axis.high, row.niceHigh, 1e-9 * std::fabs(row.niceHigh) + 1e-12) << row.low << ".." << row.high;
    EXPECT_DOUBLE_EQ(axis.step, row.step) << row.low << ".." << row.high;
    ASSERT_GE(axis.ticks.size(), 2U);
    EXPECT_LE(axis.ticks.size(), 12U);
    EXPECT_LE(axis.low, row.low);
    EXPECT_GE(axis.high, row.high);
  }
}

TEST(NiceAxis, EveryTickIsAMultipleOfTheStep) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> exponent(-6, 9);
  std::uniform_real_distribution<double> unit(-1, 1);
  for (int trial = 0; trial < 500; ++trial) {
    const double scale = std::pow(10.0, exponent(random));
    const double a = unit(random) * scale;
    const double b = unit(random) * scale;
    const Axis axis = NiceAxis(std::min(a, b), std::max(a, b));
    const double mantissa = axis.step / std::pow(10.0, std::floor(std::log10(axis.step) + 1e-9));
    EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
        << axis.step;
    for (const double tick : axis.ticks) {
      const double multiple = tick / axis.step;
      EXPECT_NEAR(multiple, std::round(multiple), 1e-6) << tick;
    }
    EXPECT_LE(axis.low, std::min(a, b));
    EXPECT_GE(axis.high, std::max(a, b));
  }
}

// Finite values however far apart, close together or near 0 give a short
// axis of normal numbers: its span, step and ticks stay within double's range.
TEST(NiceAxis, IsShortAndFiniteForAnyFiniteValues) {
  constexpr double kMost = std::numeric_limits<double>::max();
  constexpr double kLeast = std::numeric_limits<double>::denorm_min();
  const std::vector<std::pair<double, double>> rows = {{-kMost, kMost},
                                                       {-1e308, 1e308},
                                                       {kMost, kMost},
                                                       {0, kLeast},
                                                       {1e-320, 2e-320},
                                                       {-kLeast, -kLeast},
                                                       {1, std::nextafter(1.0, 2.0)}};
  for (const auto& [low, high] : rows) {
    const Axis axis = NiceAxis(low, high);
    EXPECT_TRUE(std::isnormal(axis.step) && axis.step > 0) << low << ".." << high << ": " << axis.step;
    EXPECT_TRUE(std::isfinite(axis.low) && std::isfinite(axis.high) && axis.low < axis.high) << low << ".." << high;
    EXPECT_GE(axis.ticks.size(), 2U);
    EXPECT_LE(axis.ticks.size(), 12U);
  }
}

TEST(TickText, HasTheDecimalsTheStepNeeds) {
  struct Row {
    double value, step;
    std::string text;
  };
  const std::vector<Row> rows = {{0.25, 0.05, "0.25"},  {3e6, 1e6, "3000000"}, {-0.0, 0.1, "0.0"},
                                 {-1e-17, 0.2, "0.0"},  {40, 20, "40"},        {0.0015, 0.0005, "0.0015"},
                                 {2e12, 1e12, "2e+12"}, {-5, 5, "-5"}};
  for (const Row& row : rows) EXPECT_EQ(TickText(row.value, row.step), row.text) << row.value;
}

TEST(LogAxis, TicksAreOneTwoOrFiveTimesAPowerOfTenOrDecades) {
  struct Row {
    double low, high;
    std::vector<double> ticks;
  };
  const std::vector<Row> rows = {
      {20, 2000, {20, 50, 100, 200, 500, 1000, 2000}},
      {2000, 20, {20, 50, 100, 200, 500, 1000, 2000}},
      {15, 30, {10, 20, 30}},
      {5, 5, {4, 5, 6}},
      {0.00015, 0.03, {0.0001, 0.0002, 0.0005, 0.001, 0.002, 0.005, 0.01, 0.02, 0.05}},
      {3, 2e7, {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8}},
      {1e-300, 1e300, {1e-300, 1e-250, 1e-200, 1e-150, 1e-100, 1e-50, 1, 1e50, 1e100, 1e150, 1e200, 1e250, 1e300}},
  };
  for (const Row& row : rows) {
    const Axis axis = LogAxis(row.low, row.high);
    EXPECT_EQ(axis.scale, AxisScale::kLog);
    ASSERT_EQ(axis.ticks.size(), row.ticks.size()) << row.low << ".." << row.high;
    for (std::size_t i = 0; i < row.ticks.size(); ++i) EXPECT_NEAR(axis.ticks[i], row.ticks[i], row.ticks[i] * 1e-12);
    EXPECT_EQ(axis.low, axis.ticks.front());
    EXPECT_EQ(axis.high, axis.ticks.back());
  }
}

TEST(Axis, PlacesAValueInProportionToItOrItsLogarithm) {
  struct Row {
    Axis axis;
    double value, position;
  };
  const std::vector<Row> rows = {{NiceAxis(0, 10), 2.5, 0.25},
                                 {LogAxis(10, 1000), 100, 0.5},
                                 {LogAxis(1, 1e8), 1e6, 0.75},
                                 {LogAxis(1e-300, 1e300), 1e300, 1}};
  for (const Row& row : rows) EXPECT_NEAR(row.axis.Position(row.value), row.position, 1e-12) << row.value;
}

TEST(SpansDecades, TellsARangeOfMoreThanSoManyPowersOfTen) {
  struct Row {
    double low, high, decades;
    bool spans;
  };
  const std::vector<Row> rows = {{20, 20000, 2, true}, {20, 2000, 2, false}, {2000, 20, 1.5, true},
                                 {0, 1e6, 2, false},   {-1, 1e6, 2, false},  {1e-300, 1e300, 2, true},
                                 {1, 31.7, 1.5, true}, {1, 31.6, 1.5, false}};
  for (const Row& row : rows)
    EXPECT_EQ(SpansDecades(row.low, row.high, row.decades), row.spans) << row.low << ".." << row.high;
}

TEST(TickText, WritesALogAxisTickWithoutExponentFrom1eMinus4To1e7) {
  const Axis log = LogAxis(1e-6, 1e9);
  const std::vector<std::pair<double, std::string>> rows = {{0.0002, "0.0002"}, {1e-4, "0.0001"},  {20, "20"},
                                                            {2000, "2000"},     {1e7, "10000000"}, {1e8, "1e+08"},
                                                            {5e-5, "5e-05"},    {1, "1"}};
  for (const auto& [tick, text] : rows) EXPECT_EQ(TickText(log, tick), text);
  EXPECT_EQ(TickText(NiceAxis(0, 1), 0.4), "0.4");
}

// Left to right, but a log axis' decades first.
TEST(LabelledTicks, KeepsLabelsApartDecadesFirst) {
  struct Row {
    Axis axis;
    std::vector<std::pair<double, double>> extents;
    std::vector<bool> labelled;
  };
  Axis log = LogAxis(1, 10);
  log.ticks = {1, 2, 10};
  Axis linear = NiceAxis(0, 10);
  const std::vector<Row> rows = {
      {linear, {{0, 4}, {3, 7}, {8, 12}}, {true, false, true}},
      {linear, {{0, 2}, {3, 7}, {6, 8}}, {true, true, false}},
      {log, {{0, 2}, {3, 7}, {6, 8}}, {true, false, true}},
      {log, {{0, 2}, {3, 4}, {6, 8}}, {true, true, true}},
  };
  for (const Row& row : rows) EXPECT_EQ(LabelledTicks(row.axis, row.extents, 1), row.labelled);
}

TEST(LegendText, NamesTheInputWithItsShortestValueAndUnit) {
  EXPECT_EQ(LegendText({"diameter", "cm"}, 7.5F), "diameter 7.5 cm");
  EXPECT_EQ(LegendText({"thickness", "cm"}, 0.1F), "thickness 0.1 cm");
  EXPECT_EQ(LegendText({"count", ""}, 3), "count 3");
}

Chart MakeChart(double xLow, double xHigh, std::size_t curves = 1) {
  return Chart({"Volume", "cm^3"}, {"Frequency", "Hz"}, {xLow, xHigh}, std::vector<std::string>(curves));
}

TEST(Chart, KeepsEveryPointOfAShortCurveInXOrderAndBreaksAtImpossibleDesigns) {
  Chart chart = MakeChart(0, 10);
  for (const double x : {0.0, 1.0, 2.0}) chart.Add(0, x, x * 2);
  chart.Add(0, 3, std::nullopt);
  chart.Add(0, 4, std::numeric_limits<double>::infinity());
  chart.Add(0, 6, 5);
  chart.Add(0, 5, 4);  // a list typed out of order is drawn in x order
  chart.Add(0, 7, std::nullopt);
  chart.Add(0, 8, 1);
  const std::vector<std::vector<Point>> expected = {{{0, 0}, {1, 2}, {2, 4}}, {{5, 4}, {6, 5}}, {{8, 1}}};
  EXPECT_EQ(chart.Lines(0), expected);
  const Axis y = chart.YAxis();
  EXPECT_EQ(y.low, 0);
  EXPECT_EQ(y.high, 5);
}

// So that every drawing of a point is inside its plot: an x outside the
// axis (which the bounds rule out) at the axis' end, a y beyond +-1e300 at
// that value, and no point for an x that is not a number.
TEST(Chart, KeepsEveryPointWithinTheAxes) {
  Chart chart = MakeChart(0, 10);
  chart.Add(0, -1e308, 1);
  chart.Add(0, std::numeric_limits<double>::quiet_NaN(), 2);
  chart.Add(0, 5, 1e308);
  chart.Add(0, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::max());
  const std::vector<std::vector<Point>> expected = {{{0, 1}, {5, 1e300}, {10, -1e300}}};
  EXPECT_EQ(chart.Lines(0), expected);
  EXPECT_DOUBLE_EQ(chart.YAxis().high, 1e300);
}

TEST(Chart, IgnoresACurveItDoesNotHave) {
  Chart chart = MakeChart(0, 1, 2);
  chart.Add(2, 0.5, 1);
  EXPECT_TRUE(chart.Lines(0).empty());
  EXPECT_TRUE(chart.Lines(1).empty());
}

std::size_t PointCount(const std::vector<std::vector<Point>>& lines) {
  std::size_t count = 0;
  for (const auto& line : lines) count += line.size();
  return count;
}

// A million designs of a noisy curve keep at most four points per column,
// and its lowest and highest values exactly.
TEST(Chart, ReducesALongCurvePerColumnKeepingItsExtremes) {
  constexpr int kDesigns = 1000000;
  Chart chart = MakeChart(0, kDesigns - 1);
  std::mt19937 random(11);
  std::uniform_real_distribution<double> noise(-1, 1);
  double low = 1e9;
  double high = -1e9;
  for (int i = 0; i < kDesigns; ++i) {
    const double y = std::sin(i * 1e-5) * 100 + noise(random);
    low = std::min(low, y);
    high = std::max(high, y);
    chart.Add(0, i, y);
  }
  const auto lines = chart.Lines(0);
  ASSERT_EQ(lines.size(), 1U);
  EXPECT_LE(PointCount(lines), 4 * Chart::kColumns);
  EXPECT_GE(PointCount(lines), 2 * Chart::kColumns);
  double keptLow = 1e9;
  double keptHigh = -1e9;
  for (std::size_t i = 0; i < lines[0].size(); ++i) {
    keptLow = std::min(keptLow, lines[0][i].y);
    keptHigh = std::max(keptHigh, lines[0][i].y);
    if (i > 0) {
      EXPECT_LE(lines[0][i - 1].x, lines[0][i].x);
    }
  }
  EXPECT_EQ(keptLow, low);
  EXPECT_EQ(keptHigh, high);
  EXPECT_EQ(lines[0].front().x, 0);
  EXPECT_EQ(lines[0].back().x, kDesigns - 1);
}

// Once reduced, a stretch of impossible designs still breaks the line, and a
// range walked downwards gives the same lines as upwards.
TEST(Chart, AReducedCurveBreaksAtImpossibleDesignsInEitherDirection) {
  constexpr int kDesigns = 100000;
  auto yOf = [](int i) -> std::optional<double> {
    if (i >= 40000 && i < 41000) return std::nullopt;
    return i * 0.5;
  };
  Chart up = MakeChart(0, kDesigns - 1);
  Chart down = MakeChart(0, kDesigns - 1);
  for (int i = 0; i < kDesigns; ++i) {
    up.Add(0, i, yOf(i));
    down.Add(0, kDesigns - 1 - i, yOf(kDesigns - 1 - i));
  }
  const auto lines = up.Lines(0);
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_LT(lines[0].back().x, 40000);
  EXPECT_GE(lines[1].front().x, 41000);
  EXPECT_EQ(down.Lines(0), lines);
}

// The columns of a long curve on a log axis are equal in log10(x): designs
// spread evenly in log10(x) keep as many points per decade, not all of the
// lower decades in the first column.
TEST(Chart, ReducesALongCurveOnALogAxisPerColumnOfItsLogarithm) {
  constexpr int kDesigns = 1000000;
  Chart chart({"x", ""}, {"y", ""}, {1, 1e6}, {""}, AxisScale::kLog);
  for (int i = 0; i <= kDesigns; ++i) chart.Add(0, std::pow(10.0, 6.0 * i / kDesigns), i % 7);
  ASSERT_TRUE(chart.Reduced(0));
  const auto lines = chart.Lines(0);
  EXPECT_LE(PointCount(lines), 4 * Chart::kColumns);
  std::size_t belowAThousand = 0;
  for (const auto& line : lines) {
    for (const Point& point : line) belowAThousand += point.x < 1000 ? 1 : 0;
  }
  EXPECT_GE(belowAThousand, Chart::kColumns);
}

TEST(Chart, TakesALogAxisOnlyForBoundsAboveZeroAndATitle) {
  Chart chart({"x", ""}, {"y", ""}, {20, 20000}, {""}, AxisScale::kLog);
  EXPECT_EQ(chart.XAxis().scale, AxisScale::kLog);
  EXPECT_EQ(chart.Title(), "");
  chart.SetTitle("volume 60 l");
  EXPECT_EQ(chart.Title(), "volume 60 l");
  chart.Add(0, -5, 1);  // drawn at the axis' end, as on a linear one
  EXPECT_EQ(chart.Lines(0)[0][0].x, 20);
#ifdef NDEBUG
  // Bounds the caller promised to be above zero, and are not: still a chart.
  EXPECT_EQ(Chart({"x", ""}, {"y", ""}, {0, 100}, {""}, AxisScale::kLog).XAxis().scale, AxisScale::kLinear);
#endif
}

}  // namespace
}  // namespace plot
