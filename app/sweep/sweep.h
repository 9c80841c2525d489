// The designs of a sweep: the Cartesian product of the swept options' values,
// varied like nested loops in the order the options stand on the command
// line, the last fastest. An odometer walks it one design at a time without
// ever holding the product.
//
//   const Sweep sweep = std::get<Sweep>(Sweep::Make({volumes, diameters}));  // 3 x 2
//   for (Odometer design(sweep); design.Valid(); design.Next())
//     Use(design.Values()[0], design.Values()[1]);
//   // (v0,d0) (v0,d1) (v1,d0) (v1,d1) (v2,d0) (v2,d1)
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "app/sweep/range.h"

namespace sweep {

class Sweep {
 public:
  // Refused when the product exceeds kMaxDesigns (counted without overflow).
  static Result<Sweep> Make(std::vector<Sequence> axes);

  std::span<const Sequence> Axes() const { return axes_; }
  std::uint64_t Count() const { return count_; }

 private:
  Sweep(std::vector<Sequence> axes, std::uint64_t count) : axes_(std::move(axes)), count_(count) {}
  std::vector<Sequence> axes_;
  std::uint64_t count_ = 0;
};

// The product of `sizes`, or nothing when it exceeds `limit`; never overflows.
//   ProductWithin({100000, 100000, 2}, kMaxDesigns) -> nothing (2*10^10)
std::optional<std::uint64_t> ProductWithin(std::span<const std::uint64_t> sizes, std::uint64_t limit);

// One design of the sweep after another. The sweep must outlive it.
class Odometer {
 public:
  explicit Odometer(const Sweep& sweep);

  bool Valid() const { return valid_; }
  // The current design's value of each axis, in the axes' order.
  std::span<const float> Values() const { return values_; }
  // The current design's position in each axis.
  std::span<const std::uint64_t> Indices() const { return indices_; }
  // The first axis whose value changed with the last Next() (0 at the
  // start): what was computed from the axes before it still holds.
  std::size_t FirstChanged() const { return firstChanged_; }

  // Goes to the next design; Valid() turns false after the last one.
  void Next();

 private:
  const Sweep* sweep_;
  std::vector<std::uint64_t> indices_;
  std::vector<float> values_;
  std::size_t firstChanged_ = 0;
  bool valid_ = false;
};

}  // namespace sweep
