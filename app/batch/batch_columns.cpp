#include "app/batch/batch_columns.h"

#include <algorithm>
#include <utility>

#include "app/command_line.h"
#include "app/model_options.h"
#include "app/output/columns.h"
#include "app/output/design_writer.h"
#include "app/quantities.h"
#include "app/units.h"

namespace app {
namespace {

using calculator::Quantity;

constexpr std::string_view kCalculationColumn = "calculation";
// The thickness in mm the program writes beside thickness_cm; read only in a
// file without another thickness column.
constexpr std::string_view kThicknessMillimetres = "thickness_mm";

// The quantity a column gives and the unit of its cells: "volume_cc" -> volume
// in the screens' unit, "volume_l" -> volume in l, "diameter_in" -> diameter in in.
std::optional<std::pair<Quantity, std::string_view>> QuantityOfName(std::string_view name) {
  for (const QuantityEntry& entry : kQuantityTable) {
    const Quantity quantity = entry.quantity;
    if (name == entry.column) return std::pair(quantity, std::string_view());
    const std::string_view stem = StemOf(quantity);
    if (!name.starts_with(stem) || name.size() <= stem.size() || name[stem.size()] != '_') continue;
    for (const std::string_view unit : UnitNames(DimensionOf(quantity))) {
      if (name.substr(stem.size() + 1) == ColumnSuffix(unit)) return std::pair(quantity, unit);
    }
  }
  return std::nullopt;
}

// The length unit of a pitch column that names one: "pitch_mm" -> mm.
std::optional<std::string_view> PitchUnitOf(std::string_view name) {
  const std::string stem = std::string(kModelColumnNames.pitch) + "_";
  if (!name.starts_with(stem)) return std::nullopt;
  for (const std::string_view unit : UnitNames(Dimension::kLength)) {
    if (name.substr(stem.size()) == ColumnSuffix(unit)) return unit;
  }
  return std::nullopt;
}

// A column the program computes and writes beside the inputs (possible,
// q_factor, ...), passed over when its file is read back.
// Under --units a computed column's name ends in the unit it holds
// ("square_side_in"), and the panel's thickness is panel_thickness_mm.
bool IsComputedColumn(std::string_view name) {
  if (QuantityOfName(name) || name == kCalculationColumn || name == kModelColumnNames.ends ||
      name == kModelColumnNames.ports || name == kModelColumnNames.slot || PitchUnitOf(name)) {
    return false;
  }
  const auto inAnyUnit = [name](const ColumnEntry& column) {
    const std::optional<Dimension> dimension = DimensionOfColumn(column.id);
    const std::string_view stem = column.name.substr(0, column.name.rfind('_') + 1);
    if (!dimension || !name.starts_with(stem)) return false;
    const std::vector<std::string_view> units = UnitNames(*dimension);
    return std::any_of(units.begin(), units.end(),
                       [&](std::string_view unit) { return name.substr(stem.size()) == ColumnSuffix(unit); });
  };
  return name == "panel_" + std::string(kThicknessMillimetres) ||
         std::any_of(kColumns.begin(), kColumns.end(),
                     [&](const ColumnEntry& column) { return column.name == name || inAnyUnit(column); });
}

std::string KnownColumns() {
  std::string list;
  for (const std::string_view name : kColumnNames) list += std::string(name) + ", ";
  return list +
         "ends, ports, slot, pitch, calculation; a quantity's column, and pitch's, may name a unit: volume_l, "
         "diameter_mm, pitch_mm";
}

// One quantity named by two columns: the program's own thickness_mm gives way.
Result<bool> KeepSecond(const QuantityColumn& first, std::string_view second, Quantity quantity) {
  if (first.name == second) return Refused("column '" + std::string(second) + "' appears twice");
  if (second == kThicknessMillimetres) return false;
  if (first.name == kThicknessMillimetres) return true;
  return Refused("columns '" + first.name + "' and '" + std::string(second) + "' both give the " +
                 std::string(StemOf(quantity)));
}

// A model or calculation column, or nothing when `name` is none of them.
std::optional<std::size_t>* OtherColumn(BatchColumns& columns, std::string_view name) {
  if (const std::optional<std::string_view> unit = PitchUnitOf(name)) {
    columns.pitchUnit = *unit;
    return &columns.pitch;
  }
  if (name == kModelColumnNames.ends) return &columns.ends;
  if (name == kModelColumnNames.ports) return &columns.ports;
  if (name == kModelColumnNames.slot) return &columns.slot;
  if (name == kModelColumnNames.pitch) return &columns.pitch;
  if (name == kCalculationColumn) return &columns.calculation;
  return nullptr;
}

// Reads one named header cell into `columns`.
Result<bool> ReadColumn(BatchColumns& columns, std::size_t cell, std::string_view name) {
  if (const auto quantity = QuantityOfName(name)) {
    std::optional<QuantityColumn>& slot = columns.quantities[IndexOf(quantity->first)];
    if (slot) {
      const Result<bool> second = KeepSecond(*slot, name, quantity->first);
      if (!second.ok() || !second.value()) return second;
    }
    slot = QuantityColumn{cell, std::string(name), quantity->second};
  } else if (std::optional<std::size_t>* other = OtherColumn(columns, name)) {
    if (*other && other == &columns.pitch) {
      return Refused("column '" + std::string(name) + "' gives the pitch a second time");
    }
    if (*other) return Refused("column '" + std::string(name) + "' appears twice");
    *other = cell;
  } else if (!IsComputedColumn(name)) {
    return Refused("unknown column '" + Printable(name) + "' (the columns are " + KnownColumns() + ")");
  }
  return true;
}

}  // namespace

QuantityNames BatchColumns::Names() const {
  QuantityNames names = kColumnNames;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (quantities[i]) names[i] = quantities[i]->name;
  }
  return names;
}

Result<BatchColumns> ReadBatchColumns(const std::vector<std::string>& header) {
  BatchColumns columns;
  const auto lastNamed =
      std::find_if(header.rbegin(), header.rend(), [](const std::string& name) { return !name.empty(); });
  columns.width = static_cast<std::size_t>(header.rend() - lastNamed);
  for (std::size_t cell = 0; cell < columns.width; ++cell) {
    if (header[cell].empty()) {
      return Refused("column " + std::to_string(cell + 1) + " has no name (only trailing columns may be empty)");
    }
    const Result<bool> read = ReadColumn(columns, cell, header[cell]);
    if (!read.ok()) return read.refusal();
  }
  return columns;
}

}  // namespace app
