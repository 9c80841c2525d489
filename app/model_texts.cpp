// The port model's texts: the options and batch cells read into a model,
// the model as the answers name it, and the air a design is computed in.
#include "app/model_options.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "app/command_line.h"
#include "app/units.h"
#include "calculator/screen_texts.h"
#include "numtext/numtext.h"
#include "numtext/plain_number.h"

namespace app {
namespace {

std::string Quoted(std::string_view text) { return "'" + Printable(text) + "'"; }

// A value with the result lines' 7 significant digits, as the command line's
// own lines write numbers: 0.0870275, not the screens' .0870275.
std::string Shown(long double value) {
  return numtext::RoundedPlain(static_cast<double>(value), calculator::kResultDigits);
}

std::optional<int> ParsePorts(std::string_view text) {
  // Nine digits stay within an int; no panel has a billion holes.
  if (text.empty() || text.size() > 9) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  int ports = 0;
  for (const char c : text) ports = ports * 10 + (c - '0');
  return ports;
}

}  // namespace

Result<calculator::Slot> ParseSlot(std::string_view text) {
  constexpr std::string_view kTimes = "\xC3\x97";  // U+00D7 in UTF-8
  std::size_t at = text.find('x');
  std::size_t separator = 1;
  if (const std::size_t times = text.find(kTimes); times < at) {
    at = times;
    separator = kTimes.size();
  }
  if (at == std::string_view::npos) return Refused(Quoted(text) + " is not WxH (a width, x, a height)");
  const std::string_view widthText = text.substr(0, at);
  const std::string_view heightText = text.substr(at + separator);
  const Result<float> height = ParseValue(heightText, Dimension::kLength);
  if (!height.ok()) return Refused(Quoted(text) + ": " + height.refusal().message);

  // A width that is a bare number takes the height's unit, read as if written behind it.
  std::string width(widthText);
  const numtext::ScannedNumber scanned = numtext::ScanNumber(widthText);
  if (scanned.digits && scanned.length == widthText.size()) {
    width += heightText.substr(numtext::ScanNumber(heightText).length);
    // Hexadecimal digits would run into the unit (&H3 and cm make &H3C m).
    if (numtext::ScanNumber(width).length != widthText.size()) {
      return Refused(Quoted(text) + ": write the width's unit too");
    }
  }
  const Result<float> parsedWidth = ParseValue(width, Dimension::kLength);
  if (!parsedWidth.ok()) return Refused(Quoted(text) + ": " + parsedWidth.refusal().message);
  // The surface is stored in single precision like a typed --surface, which refuses the same overflow.
  if (!std::isfinite(static_cast<float>(static_cast<long double>(parsedWidth.value()) * height.value()))) {
    return Refused(Quoted(text) + ": the surface is not finite in single precision");
  }
  return calculator::Slot{parsedWidth.value(), height.value()};
}

Result<calculator::PortModel> ParseModel(const ModelTexts& texts, const ModelNames& names) {
  // The command line computes with the textbook's orifice in a wall unless
  // told otherwise; the screens' model is one --ends screen away.
  calculator::PortModel model{.ends = calculator::Ends::kFlanged};
  if (texts.ends) {
    const std::optional<calculator::Ends> ends = calculator::ParseEnds(*texts.ends);
    if (!ends) {
      return Refused(std::string(names.ends) + ": " + Quoted(*texts.ends) +
                     " is not one of screen, flanged, free, flanged-free");
    }
    model.ends = *ends;
  }
  if (texts.ports) {
    const std::optional<int> ports = ParsePorts(*texts.ports);
    if (!ports) {
      return Refused(std::string(names.ports) + ": " + Quoted(*texts.ports) + " is not a whole number");
    }
    model.ports = *ports;
  }
  if (texts.slot) {
    const Result<calculator::Slot> slot = ParseSlot(*texts.slot);
    if (!slot.ok()) return Refused(std::string(names.slot) + ": " + slot.refusal().message);
    model.slot = slot.value();
  }
  if (texts.pitch) {
    const Result<float> pitch = ParseValue(*texts.pitch, Dimension::kLength);
    if (!pitch.ok()) return Refused(std::string(names.pitch) + ": " + pitch.refusal().message);
    model.pitch = pitch.value();
  }
  return model;
}

std::string FaultText(calculator::ModelFault fault, const ModelNames& names) {
  const std::string ends(names.ends), ports(names.ports), slot(names.slot), pitch(names.pitch);
  switch (fault) {
    case calculator::ModelFault::kPortsNotWhole: return ports + " needs a whole number of ports, 1 or more";
    case calculator::ModelFault::kPortsNeedTextbookEnds:
      return ports + " needs " + ends + " flanged, free or flanged-free";
    case calculator::ModelFault::kSlotNotPositive: return slot + " needs a width and a height above zero";
    case calculator::ModelFault::kSlotNotFinite: return slot + " needs a surface that is finite in single precision";
    case calculator::ModelFault::kSlotIsSolved: return slot + " gives the orifice, which cannot then be solved for";
    case calculator::ModelFault::kScreenSlotIsRound:
      return slot + " with " + ends + " screen needs the surface calculations: the round ones take a diameter";
    case calculator::ModelFault::kPitchNotPositive: return pitch + " needs a length above zero";
    case calculator::ModelFault::kPitchNeedsTextbookEnds: return pitch + " needs " + ends + " flanged or flanged-free";
    case calculator::ModelFault::kPitchWithFreeOuterEnd:
      return pitch + " needs a panel at the outer end: " + ends + " flanged or flanged-free";
    case calculator::ModelFault::kOpenAreaOverLimit:
      return pitch +
             " leaves an open area over 0.4 (the orifice over the pitch squared); the grid's end correction "
             "holds up to 0.4";
  }
  return {};
}

std::string ModelName(const calculator::PortModel& model, const DisplayUnits& units) {
  std::string name = std::string(calculator::EndsName(model.ends)) + " ends, " + std::to_string(model.ports) +
                     (model.ports == 1 ? " port" : " ports");
  if (model.slot) {
    const DisplayUnit& length = units.Of(Dimension::kLength);
    name += " (slot " + Shown(model.slot->width * length.fromScreen) + " x " +
            Shown(model.slot->height * length.fromScreen) + " " + UnitText(length.name) + ")";
  }
  return name;
}

calculator::Constants ConstantsFor(const calculator::PortModel& model, const AirChoice& air) {
  if (air.soundSpeed) return calculator::MakeConstants(*air.soundSpeed);
  if (air.celsius) return calculator::MakeConstants(SoundSpeedAt(*air.celsius));
  if (model.ends == calculator::Ends::kScreen) return calculator::MakeConstants();
  return calculator::MakeConstants(SoundSpeedAt(kDefaultCelsius));
}

std::string AirName(const calculator::PortModel& model, const AirChoice& air) {
  const std::string speed = "c = " + Shown(ConstantsFor(model, air).soundSpeed / 100) + " m/s";
  if (air.soundSpeed && !air.celsius) return speed;
  if (air.celsius) return "air at " + Shown(static_cast<float>(*air.celsius)) + " C, " + speed;
  if (model.ends == calculator::Ends::kScreen) return "the screens' air, " + speed;
  return "air at " + Shown(static_cast<float>(kDefaultCelsius)) + " C, " + speed;
}

std::string ModelTextLines(const ModelDesign& design, const AirChoice& air, const DisplayUnits& units) {
  const calculator::PortModel& model = design.model;
  const calculator::PortSolution& solution = design.figures;
  std::string lines = "Model: " + ModelName(model, units) + ", " + AirName(model, air);
  if (solution.endCorrection && solution.q && solution.qRadiation && solution.qViscous && solution.bandwidth) {
    const DisplayUnit& length = units.Of(Dimension::kLength);
    const DisplayUnit& frequency = units.Of(Dimension::kFrequency);
    lines += ": end correction " + Shown(*solution.endCorrection * length.fromScreen) + " " + UnitText(length.name) +
             ", Q " + Shown(*solution.q) + " (radiation " + Shown(*solution.qRadiation) + ", viscous " +
             Shown(*solution.qViscous) + "), bandwidth " + Shown(*solution.bandwidth * frequency.fromScreen) + " " +
             UnitText(frequency.name);
    if (solution.peakAbsorptionArea) lines += ", peak absorption area " + Shown(*solution.peakAbsorptionArea) + " m^2";
  }
  lines += '\n';
  if (solution.lumped == false) {
    lines +=
        "Not lumped: the neck or the cavity is not small against the wavelength (k*L' or k*V^(1/3) is 0.5 or "
        "more); the figures are a rough guide\n";
  }
  return lines;
}

}  // namespace app
