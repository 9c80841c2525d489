// The port-model options of the command line (--ends, --ports, --slot) and
// the batch columns of the same names: their texts read into a
// calculator::PortModel, and one design solved under that model. The
// subcommands, the batch rows and the sweeps all compute each design through
// SolveDesign, so that a model reads the same wherever it is given.
//
//   ParseModel({.ends = "flanged", .ports = "4"}, kModelOptionNames) -> flanged ends, 4 ports
//   ParseSlot("40x8mm")      -> 4 cm x 0.8 cm (a width without a unit takes the height's)
//   ParseSlot("4cm×8mm")     -> 4 cm x 0.8 cm
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "calculator/design.h"
#include "calculator/port_models.h"
#include "calculator/resonator.h"

namespace app {

// The texts given for the model, each nullopt when not given (an empty
// batch cell counts as not given).
struct ModelTexts {
  std::optional<std::string_view> ends;
  std::optional<std::string_view> ports;
  std::optional<std::string_view> slot;
};

// How a refusal names each model text: an option or a batch column.
struct ModelNames {
  std::string_view ends;
  std::string_view ports;
  std::string_view slot;
};
inline constexpr ModelNames kModelOptionNames = {"--ends", "--ports", "--slot"};
inline constexpr ModelNames kModelColumnNames = {"ends", "ports", "slot"};

// A slot "WxH" or "W×H" in cm, each side with an optional length unit; a
// width written without a unit takes the height's ("40x8mm" is 40 mm by
// 8 mm). Refused as "'TEXT' ..." (without the option's name), a slot whose
// surface overflows single precision too ("1e20x1e20").
struct ParsedSlot {
  std::optional<calculator::Slot> slot;
  std::string refusal;
};
ParsedSlot ParseSlot(std::string_view text);

// The model the texts describe, or the first refusal as "NAME: reason".
// Combinations are left to SolveDesign (calculator::SolvePort's refusals).
struct ParsedModel {
  std::optional<calculator::PortModel> model;
  std::string refusal;
};
ParsedModel ParseModel(const ModelTexts& texts, const ModelNames& names);

// Whether answers under `model` carry the model columns: every model but the
// screens' own with one round or typed orifice, whose answers stay as they
// always were.
bool NeedsModelColumns(const calculator::PortModel& model);

// One design as the writer shows it: the screens' Design (for the textbook
// models one built from the model's figures: the result line, the other
// three quantities as used, the plausibility test), and the model's outputs.
struct ModelDesign {
  calculator::Design design;
  calculator::PortModel model;
  calculator::PortSolution solution;
};

// `choice` on `typed` under `model`, or SolvePort's refusal. With the
// screens' model and no slot this is calculator::Solve, bit for bit; a slot
// stands for the surface of the any-orifice choices. With Checks::kSkipped
// the design's cross-check lines stay empty, as calculator::Solve leaves them.
std::variant<ModelDesign, calculator::PortRefusal> SolveDesign(
    calculator::Choice choice, const calculator::Quantities& typed, const calculator::PortModel& model,
    const calculator::Constants& constants, calculator::Checks checks = calculator::Checks::kComputed);

// SolveDesign under the screens' model with one round or typed orifice
// (NeedsModelColumns false), which refuses nothing: calculator::Solve itself.
ModelDesign ScreenDesign(calculator::Choice choice, const calculator::Quantities& typed,
                         const calculator::Constants& constants,
                         calculator::Checks checks = calculator::Checks::kComputed);

// SolvePort's refusal, which names the options, with the model's texts
// named as `names` name them: "ports needs ..." for a batch row.
std::string RefusalText(const calculator::PortRefusal& refusal, const ModelNames& names);

// The model as the text answer names it: "flanged ends, 4 ports (slot 4 x 0.8 cm)".
std::string ModelName(const calculator::PortModel& model);

// The text answer's lines about the model, each ending in '\n': nothing for
// the screens' model; otherwise
//   "Model: flanged ends, 1 port: end correction 1.697653 cm, Q 158.1008, bandwidth 1.168011 Hz"
// and, when the lumped model does not hold, one line saying so.
std::string ModelTextLines(const ModelDesign& design);

}  // namespace app
