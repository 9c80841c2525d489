// The port-model options of the command line (--ends, --ports, --slot) and
// the batch columns of the same names: their texts read into a
// calculator::PortModel, and the model's faults and figures in words. Every
// design is solved by calculator::SolveProblem, so that a model reads the same
// wherever it is given.
//
//   ParseModel({.ends = "flanged", .ports = "4"}, kModelOptionNames) -> flanged ends, 4 ports
//   ParseSlot("40x8mm")      -> 4 cm x 0.8 cm (a width without a unit takes the height's)
//   ParseSlot("4cm×8mm")     -> 4 cm x 0.8 cm
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "acoustics/air.h"
#include "acoustics/resonator.h"
#include "app/result.h"
#include "app/units.h"
#include "calculator/design.h"
#include "calculator/port_models.h"
#include "calculator/solve.h"
#include "calculator/resonator.h"

namespace app {

// The texts given for the model, each nullopt when not given (an empty
// batch cell counts as not given).
struct ModelTexts {
  std::optional<std::string_view> ends;
  std::optional<std::string_view> ports;
  std::optional<std::string_view> slot;
  std::optional<std::string_view> pitch;
};

// How a refusal names each model text: an option or a batch column.
struct ModelNames {
  std::string_view ends;
  std::string_view ports;
  std::string_view slot;
  std::string_view pitch;
};
inline constexpr ModelNames kModelOptionNames = {"--ends", "--ports", "--slot", "--pitch"};
inline constexpr ModelNames kModelColumnNames = {"ends", "ports", "slot", "pitch"};

// A slot "WxH" or "W×H" in cm, each side with an optional length unit; a
// width written without a unit takes the height's ("40x8mm" is 40 mm by
// 8 mm). Refused as "'TEXT' ..." (without the option's name), a slot whose
// surface overflows single precision too ("1e20x1e20").
Result<calculator::Slot> ParseSlot(std::string_view text);

// The model the texts describe (flanged ends when they name none), or the
// first refusal as "NAME: reason".
// Combinations are left to calculator::SolveProblem (calculator::FaultOf).
Result<calculator::PortModel> ParseModel(const ModelTexts& texts, const ModelNames& names);

// Whether answers under `model` carry the model columns: every model but the
// screens' own with one round or typed orifice, whose answers stay as they
// always were.
bool NeedsModelColumns(const calculator::PortModel& model);

// The air the options give, each nullopt when not given: a speed of sound
// (cm/s) or a temperature (degrees Celsius), as units.h reads them.
struct AirChoice {
  std::optional<float> soundSpeed;
  std::optional<long double> celsius;
};

// The air of the textbook models when none is given.
inline constexpr long double kDefaultCelsius = 20;

// The constants a design under `model` is computed with: the given speed,
// or that of the given temperature; else the screens' 34000 cm/s for their
// model and air at 20 C (34321.46 cm/s) for the textbook ones.
calculator::Constants ConstantsFor(const calculator::PortModel& model, const AirChoice& air);

// The air as the model line names it:
//   "air at 20 C, c = 343.2146 m/s"      (a textbook model, nothing given)
//   "c = 343 m/s"                        (--sound-speed 343m/s)
//   "the screens' air, c = 340 m/s"      (the screens' model, nothing given)
std::string AirName(const calculator::PortModel& model, const AirChoice& air);

// One design as the writer shows it: calculator::SolveProblem's solution.
using ModelDesign = calculator::Solution;

// The design as the acoustics library takes it, in SI units: the typed or
// solved quantities, the model's ends, ports, slot and pitch; none for the
// screens' model or a design the library cannot take (no orifice, a size not
// above zero).
//   flanged, 1000 cc, t 1 cm, d 2 cm -> 0.001 m^3, 0.01 m, a round port of 0.02 m
std::optional<acoustics::Resonator> ResonatorOf(const ModelDesign& design);

// The air of `air`'s temperature (20 C when none is given) with the sound
// speed the design is computed with: --sound-speed alone sets c, and the
// temperature the density and viscosity.
//   {} -> AirAt(20) with c = 343.2146 m/s;  {.soundSpeed = 34000} -> c = 340 m/s, rho 1.204118
acoustics::Air AirOf(const calculator::PortModel& model, const AirChoice& air);

// Puts the acoustics' losses into a textbook design's figures: the radiation
// and viscous Q at the design's frequency, their total, f over the total and
// the peak absorption area (none for a free outer end); the screens' model
// and a design without an orifice keep none. `gas` is AirOf(the design's
// model, the air given), made once for every design that shares them.
//   1 l, d 2 cm, t 1 cm, flanged, 20 C -> q_radiation 159.0704, q_viscous 56.36818, q 41.61984,
//                                         bandwidth 4.478864 Hz, peak area 0.4186152 m^2
void AddLosses(ModelDesign& design, const acoustics::Air& gas);

// A model's fault worded for the command line, with the model's texts named
// as `names` name them: "--ports needs --ends flanged, free or flanged-free",
// "ports needs ends flanged, ..." for a batch row.
std::string FaultText(calculator::ModelFault fault, const ModelNames& names);

// The model as the text answer names it, lengths in `units`:
//   "flanged ends, 4 ports (slot 4 x 0.8 cm)"
std::string ModelName(const calculator::PortModel& model, const DisplayUnits& units = {});

// The text answer's lines about the model, each ending in '\n': the model
// and the air, with the textbook models' figures,
//   "Model: flanged ends, 1 port, air at 20 C, c = 343.2146 m/s: end correction 1.697653 cm, Q 157.0337,
//    bandwidth 1.181488 Hz"   (one line)
//   "Model: screen ends, 1 port, the screens' air, c = 340 m/s"
// and, when the lumped model does not hold, one line saying so.
// The end correction and the bandwidth are shown in `units`.
std::string ModelTextLines(const ModelDesign& design, const AirChoice& air, const DisplayUnits& units = {});

}  // namespace app
