// A chart of any shape from a fuzzer's bytes, for the chart fuzzers: names
// and legends of any bytes, bounds and points of any double (infinities and
// NaN among them, and points outside the bounds), and runs of points long
// enough for a curve to be kept per column.
//
//   FuzzedDataProvider data(bytes, size);
//   const plot::Chart chart = fuzzchart::AnyChart(data);
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/plot/chart.h"

namespace fuzzchart {

// Enough points for a curve to be reduced, few enough for a quick run.
inline constexpr int kMostPoints = 3 * static_cast<int>(plot::Chart::kExactPointsPerCurve);

// Any eight bytes as a double, or a small whole number: random bytes alone
// would hardly ever make an ordinary chart.
inline double AnyDouble(FuzzedDataProvider& data) {
  if (data.ConsumeBool()) return data.ConsumeIntegralInRange<int>(-1000, 1000);
  double value = 0;
  const std::vector<unsigned char> bytes = data.ConsumeBytes<unsigned char>(sizeof value);
  if (!bytes.empty()) std::memcpy(&value, bytes.data(), bytes.size());
  return value;
}

inline plot::AxisName AnyAxisName(FuzzedDataProvider& data) {
  std::string quantity = data.ConsumeRandomLengthString(40);
  return {std::move(quantity), data.ConsumeRandomLengthString(20)};
}

inline plot::Chart AnyChart(FuzzedDataProvider& data) {
  plot::AxisName x = AnyAxisName(data);
  plot::AxisName y = AnyAxisName(data);
  // One more curve than the command line allows, so that colours and marks wrap.
  std::vector<std::string> legends(data.ConsumeIntegralInRange<std::size_t>(0, 11));
  for (std::string& legend : legends) legend = data.ConsumeRandomLengthString(80);
  const double low = AnyDouble(data);
  const double high = AnyDouble(data);
  plot::Chart chart(std::move(x), std::move(y), {low, high}, std::move(legends));
  // Runs of points along a straight line, possible or not; a curve past the last is ignored.
  int points = 0;
  while (data.remaining_bytes() > 0 && points < kMostPoints) {
    const auto curve = data.ConsumeIntegralInRange<std::size_t>(0, 12);
    const int run = data.ConsumeBool() ? 1 : data.ConsumeIntegralInRange<int>(1, kMostPoints - points);
    const double x0 = AnyDouble(data);
    const double dx = run > 1 ? AnyDouble(data) : 0;
    const double y0 = AnyDouble(data);
    const double dy = run > 1 ? AnyDouble(data) : 0;
    const bool possible = data.ConsumeIntegral<unsigned char>() < 224;
    for (int i = 0; i < run; ++i) {
      chart.Add(curve, x0 + i * dx, possible ? std::optional(y0 + i * dy) : std::nullopt);
    }
    points += run;
  }
  return chart;
}

}  // namespace fuzzchart
