// The columns of a batch file's header: which cell of a row holds each
// quantity, in which unit, and the model's cells. A file the program wrote
// reads back: the columns it computes beside the inputs are passed over, and
// its `calculation` column says which quantity each row computes.
//
//   "frequency_hz,volume_l,diameter_in,thickness_cm" -> volume in column 1, read in l
//   "volume_cc;diameter_cm;thickness_cm;;"           -> the empty trailing columns passed over
//   "calculation,frequency_hz,...,q_factor,error"    -> the program's own CSV: possible, q_factor... passed over
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/calculation.h"
#include "app/result.h"

namespace app {

struct QuantityColumn {
  std::size_t cell = 0;
  std::string name;       // as the header names it: "volume_l"
  std::string_view unit;  // the unit its cells are in; empty for the screens' unit
};

struct BatchColumns {
  // Indexed by calculator::Quantity.
  std::array<std::optional<QuantityColumn>, 5> quantities;
  std::optional<std::size_t> ends, ports, slot, pitch, calculation;
  // The unit of a pitch column written pitch_cm, pitch_mm, ... (its bare
  // numbers in it); empty for `pitch`, whose cells name their own.
  std::string_view pitchUnit;
  // The cells a row must have: up to the last column with a name. Cells
  // beyond it (a spreadsheet's empty trailing columns) must be empty.
  std::size_t width = 0;

  bool HasModel() const { return ends || ports || slot || pitch; }
  // The header's name for each quantity (the screens' column name where absent).
  QuantityNames Names() const;
};

// The header's columns, or why it is refused: an unknown column, a column
// without a name before named ones, or one quantity in two columns.
Result<BatchColumns> ReadBatchColumns(const std::vector<std::string>& header);

}  // namespace app
