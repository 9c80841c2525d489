// A chart the chart fuzzers made, given a title and, where its x axis allows
// (bounds above zero), a log x axis: the same curves, lines and breaks, on
// the axis asked for.
//
//   const plot::Chart log = plot::Variant(chart, "volume 60 l", plot::AxisScale::kLog);
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/plot/chart.h"

namespace plot {

inline Chart Variant(const Chart& chart, std::string title, AxisScale scale) {
  const Axis& x = chart.XAxis();
  if (scale == AxisScale::kLinear || !(x.low > 0)) {
    Chart titled = chart;
    titled.SetTitle(std::move(title));
    return titled;
  }
  std::vector<std::string> legends;
  for (std::size_t curve = 0; curve < chart.CurveCount(); ++curve) legends.push_back(chart.Legend(curve));
  Chart variant(chart.XName(), chart.YName(), {x.low, x.high}, std::move(legends), scale);
  variant.SetTitle(std::move(title));
  for (std::size_t curve = 0; curve < chart.CurveCount(); ++curve) {
    std::optional<Point> previous;
    for (const std::vector<Point>& line : chart.Lines(curve)) {
      // An impossible design between two lines keeps them apart.
      if (previous) variant.Add(curve, (previous->x + line.front().x) / 2, std::nullopt);
      for (const Point& point : line) variant.Add(curve, point.x, point.y);
      previous = line.back();
    }
  }
  return variant;
}

}  // namespace plot
