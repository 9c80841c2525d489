// The frequency axes a response or an absorber is drawn on: logarithmic
// (points per octave) or linear (a step). Each point is computed from its
// index, so that a long axis gathers no rounding and ends where it should; the
// axis is a view that can be iterated without storing its points.
//
//   LogarithmicAxis(50, 5080, 24)      -> 161 points: 50, 51.4616, ..., 5079.68
//   LogarithmicAxis(25, 1600, 24)      -> 145 points: 25, ..., 1600 (exactly)
//   LinearAxis(100, 200, 25)           -> 100, 125, 150, 175, 200
#pragma once

#include <cstddef>
#include <iterator>

namespace acoustics {

// How far past its end an axis still takes a point, relative: rounding in the
// end's own computation must not drop it.
inline constexpr double kAxisEndTolerance = 1e-9;

class FrequencyAxis {
 public:
  class Iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = double;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = double;

    Iterator() = default;
    Iterator(const FrequencyAxis* axis, std::size_t index) : axis_(axis), index_(index) {}
    double operator*() const { return (*axis_)[index_]; }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++index_;
      return before;
    }
    difference_type operator-(const Iterator& other) const {
      return static_cast<difference_type>(index_) - static_cast<difference_type>(other.index_);
    }
    bool operator==(const Iterator& other) const { return index_ == other.index_; }

   private:
    const FrequencyAxis* axis_ = nullptr;
    std::size_t index_ = 0;
  };

  double operator[](std::size_t index) const;
  std::size_t size() const { return size_; }
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, size_}; }

 private:
  enum class Spacing { kLogarithmic, kLinear };
  friend FrequencyAxis LogarithmicAxis(double from_hz, double to_hz, int points_per_octave);
  friend FrequencyAxis LinearAxis(double start_hz, double stop_hz, double step_hz);

  Spacing spacing_ = Spacing::kLinear;
  double first_hz_ = 0;
  // Hertz a step on a linear axis, points per octave on a logarithmic one.
  double step_ = 0;
  std::size_t size_ = 0;
};

// from_hz * 2^(i/points_per_octave), i = 0, 1, ... while a point is not over
// to_hz (within kAxisEndTolerance); empty when to_hz is below from_hz.
// Contract: from_hz > 0, points_per_octave > 0.
FrequencyAxis LogarithmicAxis(double from_hz, double to_hz, int points_per_octave);

// start_hz + i * step_hz, i = 0, 1, ... while a point is not over stop_hz
// (within kAxisEndTolerance). Contract: start_hz >= 0, step_hz > 0.
FrequencyAxis LinearAxis(double start_hz, double stop_hz, double step_hz);

}  // namespace acoustics
