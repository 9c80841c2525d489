#include "acoustics/frequency_axis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace acoustics {
namespace {

TEST(FrequencyAxisTest, LogarithmicAxesEndWhereTheyShould) {
  struct Row {
    double from_hz, to_hz;
    int points_per_octave;
    std::size_t size;
    double last_hz;
  };
  const double f = 186.409409190293577;
  for (const Row& row : {
           Row{f / 8, 8 * f, 24, 145, 8 * f},  // six octaves exactly
           Row{50, 5080, 24, 161, 50 * std::exp2(160 / 24.0)},
           Row{20, 20000, 3, 30, 20 * std::exp2(29 / 3.0)},
           Row{100, 100, 12, 1, 100},
           Row{100, 99, 12, 0, 0},
           // An end 1e-10 (relative) short of a point still takes it.
           Row{1, 2 * (1 - 1e-10), 1, 2, 2},
           Row{1, 2 * (1 - 1e-8), 1, 1, 1},
       }) {
    const FrequencyAxis axis = LogarithmicAxis(row.from_hz, row.to_hz, row.points_per_octave);
    ASSERT_EQ(axis.size(), row.size) << row.from_hz << " " << row.to_hz;
    if (row.size > 0) {
      EXPECT_EQ(axis[row.size - 1], row.last_hz) << row.from_hz << " " << row.to_hz;
    }
  }
}

TEST(FrequencyAxisTest, LinearAxesEndWhereTheyShould) {
  struct Row {
    double start_hz, stop_hz, step_hz;
    std::size_t size;
    double last_hz;
  };
  for (const Row& row : {
           Row{100, 200, 25, 5, 200},
           Row{0.1, 0.3, 0.1, 3, 0.1 + 2 * 0.1},  // 0.1 + 0.1 + 0.1 is over 0.3
           Row{10, 10, 1, 1, 10},
           Row{10, 19.5, 10, 1, 10},
           Row{10, 9, 1, 0, 0},
           Row{1, 1e6, 1, 1000000, 1e6},
       }) {
    const FrequencyAxis axis = LinearAxis(row.start_hz, row.stop_hz, row.step_hz);
    ASSERT_EQ(axis.size(), row.size) << row.start_hz << " " << row.stop_hz;
    if (row.size > 0) {
      EXPECT_EQ(axis[row.size - 1], row.last_hz) << row.start_hz << " " << row.stop_hz;
    }
  }
}

// Every point from its index, however long the axis: the points of a million
// steps are those of the formula to the last bit.
TEST(FrequencyAxisTest, PointsAreComputedFromTheirIndex) {
  const FrequencyAxis linear = LinearAxis(3.3, 3.3 + 1e6 * 0.7, 0.7);
  ASSERT_EQ(linear.size(), 1000001u);
  EXPECT_EQ(linear[1000000], 3.3 + 1e6 * 0.7);
  const FrequencyAxis logarithmic = LogarithmicAxis(20, 20000, 100000);
  EXPECT_EQ(logarithmic[996578], 20 * std::exp2(996578 / 100000.0));
  EXPECT_LE(logarithmic[logarithmic.size() - 1], 20000 * (1 + kAxisEndTolerance));
}

TEST(FrequencyAxisTest, IterationVisitsEachPointInOrder) {
  const FrequencyAxis axis = LogarithmicAxis(50, 5080, 24);
  std::vector<double> points(axis.begin(), axis.end());
  ASSERT_EQ(points.size(), axis.size());
  for (std::size_t i = 0; i < points.size(); ++i) EXPECT_EQ(points[i], axis[i]);
  EXPECT_EQ(axis.end() - axis.begin(), 161);
}

// Seeded random axes: the last point is within the end and the next one
// would not be.
TEST(FrequencyAxisTest, RandomAxesStopAtTheLastPointWithinTheEnd) {
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<double> log_hz(0, 15);
  std::uniform_int_distribution<int> per_octave(1, 96);
  for (int i = 0; i < 2000; ++i) {
    const double from_hz = std::exp2(log_hz(random));
    const double to_hz = std::exp2(log_hz(random));
    const int n = per_octave(random);
    const double limit_hz = to_hz * (1 + kAxisEndTolerance);
    const FrequencyAxis log_axis = LogarithmicAxis(from_hz, to_hz, n);
    if (log_axis.size() > 0) {
      ASSERT_LE(log_axis[log_axis.size() - 1], limit_hz);
    }
    ASSERT_GT(from_hz * std::exp2(static_cast<double>(log_axis.size()) / n), limit_hz);
    const double step_hz = std::exp2(log_hz(random) - 5);
    const FrequencyAxis linear_axis = LinearAxis(from_hz, to_hz, step_hz);
    if (linear_axis.size() > 0) {
      ASSERT_LE(linear_axis[linear_axis.size() - 1], limit_hz);
    }
    ASSERT_GT(from_hz + static_cast<double>(linear_axis.size()) * step_hz, limit_hz);
  }
}

}  // namespace
}  // namespace acoustics
