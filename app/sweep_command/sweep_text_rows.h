// The header and rows of a sweep in text: the inputs in their order, then the
// computed quantity, each right-aligned in a column as wide as its name or a
// float's longest shortest text, then the message of an impossible design.
// The header follows a line naming the model and the air (a swept air is the
// column sound_speed_m_s after the inputs); under a textbook
// model each row also has the model's
// end_correction_cm, q_radiation and bandwidth_hz (blank where no orifice
// fits), and "Not lumped" in its message when the lumped model does not hold.
//
//   SweepTextHeader(kFrequencyRound, {kVolume, kDiameter, kThickness}, the screens' model, no air given)
//   -> "Model: screen ends, 1 port, the screens' air, c = 340 m/s\n"
//      "      volume_cc      diameter_cm     thickness_cm     frequency_hz\n"
//   AppendSweepTextRow(out, the design of 1000 cc, 2 cm, 1 cm, those inputs)
//   -> "           1000                2                1        220.83963\n"
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/model_options.h"
#include "calculator/design.h"
#include "calculator/port_models.h"

namespace app {

// The columns of text rows, shared with the response's: a column as wide as
// its name or a float's longest shortest text, its number right-aligned.
//   WidthOf("volume_cc") -> 15;  AppendNumberColumn(out, 2.5f, 15) -> "            2.5"
std::size_t WidthOf(std::string_view name);
void AppendRightAligned(std::string& out, std::string_view text, std::size_t width);
// Blanks for none.
void AppendNumberColumn(std::string& out, std::optional<float> value, std::size_t width);
// A quantity's column as CSV names it in `units`: kVolume in l -> "volume_l".
std::string ColumnName(calculator::Quantity quantity, const DisplayUnits& units);

std::string SweepTextHeader(calculator::Choice choice, const std::vector<calculator::Quantity>& inputs,
                            const calculator::PortModel& model, const AirChoice& air, const DisplayUnits& units = {},
                            bool soundSpeedColumn = false);
// `soundSpeed` (cm/s): the design's speed of sound, shown in m/s after the
// inputs when the air is swept.
void AppendSweepTextRow(std::string& out, const ModelDesign& design, const std::vector<calculator::Quantity>& inputs,
                        const DisplayUnits& units = {}, std::optional<float> soundSpeed = std::nullopt);

}  // namespace app
