// The columns of the CSV and JSON answers, declared once: the CSV header, the
// JSON keys, the rows and the error rows all follow this table, in its order.
// A new column is one entry here and the cell that fills it (RowOf in
// design_writer.cpp).
//
//   screen columns: calculation,frequency_hz,...,q_factor,error
//   model columns behind them: ends,ports,q_radiation,bandwidth_hz,lumped,end_correction_cm,q,q_viscous,
//                              peak_absorption_area_m2,slot,pitch_cm
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace app {

enum class ColumnId : std::uint8_t {
  kCalculation,
  kFrequency,
  kVolume,
  kThickness,
  kDiameter,
  kSurface,
  kPossible,
  kMessage,
  kEquivalentDiameter,
  kSquareSide,
  kThicknessMillimetres,
  kQFactor,
  kError,
  kEnds,
  kPorts,
  kQRadiation,
  kBandwidth,
  kLumped,
  kEndCorrection,
  kQ,
  kQViscous,
  kPeakAbsorptionArea,
  kSlot,
  kPitch,
  kSoundSpeed,
};
inline constexpr std::size_t kColumnCount = static_cast<std::size_t>(ColumnId::kSoundSpeed) + 1;

// When a column is written: on every row, only when the answer is computed
// under a port model (the screens' own answers stay as they were), or only
// in a sweep of the air (behind the model's columns, which it then has).
enum class ColumnSet : std::uint8_t { kAlways, kModel, kSweptAir };

struct ColumnEntry {
  ColumnId id;
  std::string_view name;
  ColumnSet set;
};

inline constexpr std::array<ColumnEntry, kColumnCount> kColumns = {{
    {ColumnId::kCalculation, "calculation", ColumnSet::kAlways},
    {ColumnId::kFrequency, "frequency_hz", ColumnSet::kAlways},
    {ColumnId::kVolume, "volume_cc", ColumnSet::kAlways},
    {ColumnId::kThickness, "thickness_cm", ColumnSet::kAlways},
    {ColumnId::kDiameter, "diameter_cm", ColumnSet::kAlways},
    {ColumnId::kSurface, "surface_cm2", ColumnSet::kAlways},
    {ColumnId::kPossible, "possible", ColumnSet::kAlways},
    {ColumnId::kMessage, "message", ColumnSet::kAlways},
    {ColumnId::kEquivalentDiameter, "equivalent_diameter_cm", ColumnSet::kAlways},
    {ColumnId::kSquareSide, "square_side_cm", ColumnSet::kAlways},
    {ColumnId::kThicknessMillimetres, "thickness_mm", ColumnSet::kAlways},
    {ColumnId::kQFactor, "q_factor", ColumnSet::kAlways},
    {ColumnId::kError, "error", ColumnSet::kAlways},
    {ColumnId::kEnds, "ends", ColumnSet::kModel},
    {ColumnId::kPorts, "ports", ColumnSet::kModel},
    {ColumnId::kQRadiation, "q_radiation", ColumnSet::kModel},
    {ColumnId::kBandwidth, "bandwidth_hz", ColumnSet::kModel},
    {ColumnId::kLumped, "lumped", ColumnSet::kModel},
    {ColumnId::kEndCorrection, "end_correction_cm", ColumnSet::kModel},
    {ColumnId::kQ, "q", ColumnSet::kModel},
    {ColumnId::kQViscous, "q_viscous", ColumnSet::kModel},
    {ColumnId::kPeakAbsorptionArea, "peak_absorption_area_m2", ColumnSet::kModel},
    // The model's slot and grid, so that a row reads back as the design it
    // was: "4x0.8" (cm, or "40x8mm" under named units) and the pitch.
    {ColumnId::kSlot, "slot", ColumnSet::kModel},
    {ColumnId::kPitch, "pitch_cm", ColumnSet::kModel},
    {ColumnId::kSoundSpeed, "sound_speed_m_s", ColumnSet::kSweptAir},
}};

constexpr std::size_t IndexOf(ColumnId id) { return static_cast<std::size_t>(id); }

// How many columns a row has: the first `ColumnCount(false)` always, those
// of the model too with `modelColumns`, and the air's too with `airColumn`
// (which needs the model's).
constexpr std::size_t ColumnCount(bool modelColumns, bool airColumn = false) {
  std::size_t count = 0;
  for (const ColumnEntry& column : kColumns) {
    count += column.set == ColumnSet::kAlways || (modelColumns && column.set == ColumnSet::kModel) ||
                     (airColumn && column.set == ColumnSet::kSweptAir)
                 ? 1
                 : 0;
  }
  return count;
}

}  // namespace app
