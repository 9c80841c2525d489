// The texts of the number columns that follow one input alone, written once
// per value of that input rather than once per design: the volume's column,
// the wall's two (cm and mm), the orifice's four (diameter, surface and the
// equivalent diameter and square side). The computed quantity's columns and
// the Q-Factor follow the whole design and are always written afresh.
//
//   NumberTextCache cache(Format::kCsv, kFrequencyRound, sweep, {kVolume, kDiameter, kThickness}, constants);
//   cache.Known(point at 1000 cc, 2 cm, 1 cm, design)
//   -> {"", "1000", "1", "2", "3.1415927", "2", "1.7724539", "10", ""}: the
//      computed frequency's and the Q-Factor's left empty, to be formatted afresh
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/output/design_writer.h"
#include "app/sweep/sweep.h"
#include "calculator/design.h"
#include "calculator/resonator.h"

namespace app {

class NumberTextCache {
 public:
  // A table per input with at most this many values (kept for the whole
  // sweep, at most 2 MB); a longer input keeps its current value's texts only.
  static constexpr std::uint64_t kTableLimit = 1U << 15;
  // Each text in a slot of its own: its length, then its characters (a
  // float's shortest text has at most 15).
  static constexpr std::size_t kSlotBytes = 16;

  NumberTextCache(Format format, calculator::Choice choice, const sweep::Sweep& sweep,
                  const std::vector<calculator::Quantity>& inputs, const calculator::Constants& constants,
                  const DisplayUnits& units = {});

  // The known texts for `design`, at the odometer's current point.
  const KnownNumberTexts& Known(const sweep::Odometer& point, const calculator::Design& design);

 private:
  struct Axis {
    std::vector<std::size_t> columns;
    // Slots for every value, or (`table` false) for the value `held` only.
    bool table = false;
    std::vector<bool> filled;
    std::optional<std::uint64_t> held;
    std::unique_ptr<char[]> slots;
  };

  void Fill(char* slots, const std::vector<std::size_t>& columns, const calculator::Design& design) const;

  Format format_;
  calculator::Constants constants_;
  DisplayUnits units_;  // those of NumberCells
  std::vector<Axis> axes_;
  KnownNumberTexts known_{};
};

}  // namespace app
