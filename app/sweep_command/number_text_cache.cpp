#include "app/sweep_command/number_text_cache.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace app {
namespace {

using calculator::Quantity;

// The input each number column follows (kNumberColumns order), if any.
std::array<std::optional<Quantity>, kNumberColumns> ColumnsFollowing(calculator::Choice choice) {
  const Quantity orifice = calculator::IsRound(choice) ? Quantity::kDiameter : Quantity::kSurface;
  return {Quantity::kFrequency, Quantity::kVolume, Quantity::kThickness, orifice, orifice, orifice, orifice,
          Quantity::kThickness, std::nullopt};
}

}  // namespace

NumberTextCache::NumberTextCache(Format format, calculator::Choice choice, const sweep::Sweep& sweep,
                                 const std::vector<Quantity>& inputs, const calculator::Constants& constants,
                                 const DisplayUnits& units)
    : format_(format), constants_(constants), units_(units) {
  const Quantity solved = calculator::SolvedQuantity(choice);
  const std::array<std::optional<Quantity>, kNumberColumns> follows = ColumnsFollowing(choice);
  axes_.resize(inputs.size());
  for (std::size_t column = 0; column < kNumberColumns; ++column) {
    if (!follows[column] || *follows[column] == solved) continue;
    const auto axis = std::find(inputs.begin(), inputs.end(), *follows[column]);
    if (axis == inputs.end()) continue;
    axes_[static_cast<std::size_t>(axis - inputs.begin())].columns.push_back(column);
  }
  for (std::size_t axis = 0; axis < axes_.size(); ++axis) {
    Axis& cached = axes_[axis];
    const std::uint64_t size = sweep.Axes()[axis].Size();
    cached.table = size <= kTableLimit;
    const std::size_t entries = cached.table ? static_cast<std::size_t>(size) : 1;
    cached.filled.assign(cached.table ? entries : 0, false);
    // Left unwritten until filled, so a table costs only the values reached.
    cached.slots.reset(new char[entries * cached.columns.size() * kSlotBytes]);
  }
}

const KnownNumberTexts& NumberTextCache::Known(const sweep::Odometer& point, const calculator::Design& design) {
  for (std::size_t axis = 0; axis < axes_.size(); ++axis) {
    Axis& cached = axes_[axis];
    if (cached.columns.empty()) continue;
    // The point's own index, not what changed since the last row written:
    // --only-possible skips rows, among them those where an input changes.
    const std::uint64_t index = point.Indices()[axis];
    const std::size_t entry = cached.table ? static_cast<std::size_t>(index) : 0;
    char* slots = cached.slots.get() + entry * cached.columns.size() * kSlotBytes;
    if (cached.table ? !cached.filled[entry] : cached.held != index) {
      Fill(slots, cached.columns, design);
      if (cached.table) {
        cached.filled[entry] = true;
      } else {
        cached.held = index;
      }
    }
    for (std::size_t i = 0; i < cached.columns.size(); ++i) {
      const char* slot = slots + i * kSlotBytes;
      known_[cached.columns[i]] = std::string_view(slot + 1, static_cast<unsigned char>(slot[0]));
    }
  }
  return known_;
}

void NumberTextCache::Fill(char* slots, const std::vector<std::size_t>& columns,
                           const calculator::Design& design) const {
  const std::array<float, kNumberColumns> values = NumberCells(design, constants_, units_);
  std::string text;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    text.clear();
    AppendNumberCell(text, format_, values[columns[i]]);
    if (text.size() >= kSlotBytes) text.clear();  // not kept: formatted afresh each time
    char* slot = slots + i * kSlotBytes;
    slot[0] = static_cast<char>(text.size());
    std::memcpy(slot + 1, text.data(), text.size());
  }
}

}  // namespace app
