// The design quantities as the command line names them, one row each: the
// option that gives one, the CSV column that holds it, the unit a value
// without one takes (the screens'), and the chart's axis title. The options,
// the batch columns, the help, the sweep's text rows and its charts all read
// their names here, so that a quantity is named in one place.
//
//   EntryOf(Quantity::kVolume).option  -> "--volume"
//   EntryOf(Quantity::kVolume).column  -> "volume_cc"
//   EntryOf(Quantity::kVolume).unit    -> "cm3"
//   EntryOf(Quantity::kSurface).chartTitle, .chartUnit -> "Surface", "cm^2"
//   NamesOf(&QuantityEntry::column) -> {"frequency_hz", "volume_cc", ...}
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "calculator/design.h"

namespace app {

struct QuantityEntry {
  calculator::Quantity quantity;
  std::string_view option;
  std::string_view column;
  // As a value is typed (help lists it among the units); the chart writes
  // its own spelling, with the power raised.
  std::string_view unit;
  std::string_view chartTitle;
  std::string_view chartUnit;
};

// Indexed by calculator::Quantity.
inline constexpr std::array<QuantityEntry, 5> kQuantityTable = {{
    {calculator::Quantity::kFrequency, "--frequency", "frequency_hz", "Hz", "Frequency", "Hz"},
    {calculator::Quantity::kVolume, "--volume", "volume_cc", "cm3", "Volume", "cm^3"},
    {calculator::Quantity::kThickness, "--thickness", "thickness_cm", "cm", "Wall thickness", "cm"},
    {calculator::Quantity::kDiameter, "--diameter", "diameter_cm", "cm", "Diameter", "cm"},
    {calculator::Quantity::kSurface, "--surface", "surface_cm2", "cm2", "Surface", "cm^2"},
}};
static_assert(
    [] {
      for (std::size_t i = 0; i < kQuantityTable.size(); ++i) {
        if (static_cast<std::size_t>(kQuantityTable[i].quantity) != i) return false;
      }
      return true;
    }(),
    "each quantity's row stands at its index");

constexpr const QuantityEntry& EntryOf(calculator::Quantity quantity) {
  return kQuantityTable[static_cast<std::size_t>(quantity)];
}

// The name a quantity's columns begin with, whatever their unit:
//   StemOf(Quantity::kVolume) -> "volume" (of volume_cc, volume_l)
constexpr std::string_view StemOf(calculator::Quantity quantity) {
  const std::string_view column = EntryOf(quantity).column;
  return column.substr(0, column.find('_'));
}

// One name of every quantity, in the table's order: a refusal's wording
// names an option or a column by the quantity's index.
constexpr std::array<std::string_view, kQuantityTable.size()> NamesOf(std::string_view QuantityEntry::*name) {
  std::array<std::string_view, kQuantityTable.size()> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = kQuantityTable[i].*name;
  return names;
}

}  // namespace app
