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
#include <vector>

#include "app/model_options.h"
#include "calculator/design.h"
#include "calculator/port_models.h"

namespace app {

std::string SweepTextHeader(calculator::Choice choice, const std::vector<calculator::Quantity>& inputs,
                            const calculator::PortModel& model, const AirChoice& air, const DisplayUnits& units = {},
                            bool soundSpeedColumn = false);
// `soundSpeed` (cm/s): the design's speed of sound, shown in m/s after the
// inputs when the air is swept.
void AppendSweepTextRow(std::string& out, const ModelDesign& design, const std::vector<calculator::Quantity>& inputs,
                        const DisplayUnits& units = {}, std::optional<float> soundSpeed = std::nullopt);

}  // namespace app
