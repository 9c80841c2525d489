#include "app/sweep/sweep.h"

#include <string>

namespace sweep {

std::optional<std::uint64_t> ProductWithin(std::span<const std::uint64_t> sizes, std::uint64_t limit) {
  std::uint64_t product = 1;
  for (const std::uint64_t size : sizes) {
    if (size == 0) return 0;
  }
  for (const std::uint64_t size : sizes) {
    if (product > limit / size) return std::nullopt;
    product *= size;
  }
  return product;
}

Result<Sweep> Sweep::Make(std::vector<Sequence> axes) {
  std::vector<std::uint64_t> sizes;
  for (const Sequence& axis : axes) sizes.push_back(axis.Size());
  const std::optional<std::uint64_t> count = ProductWithin(sizes, kMaxDesigns);
  if (!count) {
    std::string product;
    for (const std::uint64_t size : sizes) product += (product.empty() ? "" : " x ") + std::to_string(size);
    return Refused("the sweep has " + product + " designs, more than the " + std::to_string(kMaxDesigns) +
                   " a sweep may have");
  }
  return Sweep(std::move(axes), *count);
}

Odometer::Odometer(const Sweep& sweep)
    : sweep_(&sweep), indices_(sweep.Axes().size(), 0), values_(sweep.Axes().size(), 0), valid_(sweep.Count() > 0) {
  if (!valid_) return;
  for (std::size_t axis = 0; axis < values_.size(); ++axis) values_[axis] = sweep.Axes()[axis].At(0);
}

void Odometer::Next() {
  if (!valid_) return;
  const std::span<const Sequence> axes = sweep_->Axes();
  for (std::size_t axis = axes.size(); axis-- > 0;) {
    if (++indices_[axis] < axes[axis].Size()) {
      values_[axis] = axes[axis].At(indices_[axis]);
      firstChanged_ = axis;
      return;
    }
    indices_[axis] = 0;
    values_[axis] = axes[axis].At(0);
  }
  // Every axis wrapped: that was the last design.
  valid_ = false;
}

}  // namespace sweep
