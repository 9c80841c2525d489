#include "acoustics/frequency_axis.h"

#include <cassert>
#include <cmath>

namespace acoustics {

namespace {

// i / N divided, not multiplied by 1/N: a whole number of octaves stays whole,
// and exp2 of a whole number is exact.
double LogarithmicPoint(double first_hz, double points_per_octave, std::size_t index) {
  return first_hz * std::exp2(static_cast<double>(index) / points_per_octave);
}

double LinearPoint(double first_hz, double step_hz, std::size_t index) {
  return first_hz + static_cast<double>(index) * step_hz;
}

// The number of points of an axis whose last index is about `last_estimate`
// (rounded from logarithms or quotients): corrected by the points themselves,
// so that the last one is the last within the tolerance.
template <typename PointAt>
std::size_t CountPoints(double last_estimate, double limit_hz, PointAt point_at) {
  if (!(last_estimate >= 0)) return 0;
  // Contract: an axis a size_t can count (and that could be walked).
  assert(last_estimate < 0x1p52);
  auto last = static_cast<std::size_t>(last_estimate);
  while (last > 0 && point_at(last) > limit_hz) --last;
  while (point_at(last + 1) <= limit_hz) ++last;
  return point_at(0) <= limit_hz ? last + 1 : 0;
}

}  // namespace

double FrequencyAxis::operator[](std::size_t index) const {
  assert(index < size_);
  return spacing_ == Spacing::kLogarithmic ? LogarithmicPoint(first_hz_, step_, index)
                                           : LinearPoint(first_hz_, step_, index);
}

FrequencyAxis LogarithmicAxis(double from_hz, double to_hz, int points_per_octave) {
  assert(from_hz > 0 && std::isfinite(to_hz) && points_per_octave > 0);
  FrequencyAxis axis;
  axis.spacing_ = FrequencyAxis::Spacing::kLogarithmic;
  axis.first_hz_ = from_hz;
  axis.step_ = points_per_octave;
  const double limit_hz = to_hz * (1 + kAxisEndTolerance);
  const double last_estimate = std::floor(std::log2(limit_hz / from_hz) * points_per_octave);
  axis.size_ =
      CountPoints(last_estimate, limit_hz, [&](std::size_t i) { return LogarithmicPoint(from_hz, axis.step_, i); });
  return axis;
}

FrequencyAxis LinearAxis(double start_hz, double stop_hz, double step_hz) {
  assert(start_hz >= 0 && std::isfinite(stop_hz) && step_hz > 0);
  FrequencyAxis axis;
  axis.spacing_ = FrequencyAxis::Spacing::kLinear;
  axis.first_hz_ = start_hz;
  axis.step_ = step_hz;
  const double limit_hz = stop_hz * (1 + kAxisEndTolerance);
  const double last_estimate = std::floor((limit_hz - start_hz) / step_hz);
  axis.size_ = CountPoints(last_estimate, limit_hz, [&](std::size_t i) { return LinearPoint(start_hz, step_hz, i); });
  return axis;
}

}  // namespace acoustics
