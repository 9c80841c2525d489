#include "app/sweep_command/sweep_text_rows.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "app/output/design_writer.h"
#include "app/quantities.h"
#include "numtext/plain_number.h"

namespace app {
namespace {

using calculator::Design;
using calculator::Quantity;

// The widest shortest text of a float, "-1.17549435e-38" and the like.
constexpr std::size_t kNumberWidth = 15;
constexpr std::string_view kColumnGap = "  ";
constexpr std::string_view kSoundSpeedColumn = "sound_speed_m_s";

// A column's name: its stem and the unit its numbers are shown in, if any:
// "volume_l", "q_radiation".
std::string ColumnName(std::string_view stem, std::optional<Dimension> dimension, const DisplayUnits& units) {
  if (!dimension) return std::string(stem);
  return std::string(stem) + "_" + ColumnSuffix(units.Of(*dimension).name);
}

// The width of that column, without making its name (it is asked per row).
std::size_t WidthOf(std::string_view stem, std::optional<Dimension> dimension, const DisplayUnits& units) {
  return std::max(kNumberWidth, stem.size() + (dimension ? 1 + units.Of(*dimension).name.size() : 0));
}

// A value in the screens' unit of `dimension` as `units` show it.
std::optional<float> InUnits(std::optional<float> value, std::optional<Dimension> dimension,
                             const DisplayUnits& units) {
  if (!value || !dimension) return value;
  return InUnit(*value, units.Of(*dimension));
}

// The textbook models' own figures, which a text row shows after the
// computed quantity under the CSV's names; the screens' model has none. The
// bandwidth is f/q, all losses, so q stands beside the radiation's own.
struct ModelFigure {
  std::string_view stem;
  std::optional<Dimension> dimension;
  std::optional<float> calculator::PortSolution::*value;
};
constexpr std::array<ModelFigure, 4> kModelFigures = {
    {{"end_correction", Dimension::kLength, &calculator::PortSolution::endCorrection},
     {"q_radiation", std::nullopt, &calculator::PortSolution::qRadiation},
     {"q", std::nullopt, &calculator::PortSolution::q},
     {"bandwidth", Dimension::kFrequency, &calculator::PortSolution::bandwidth}}};

bool ShowsModelFigures(const calculator::PortModel& model) { return model.ends != calculator::Ends::kScreen; }

// The message column: the design's own, and the lumped model's doubt.
void AppendRowMessage(std::string& out, const ModelDesign& model) {
  std::string message;
  AppendDesignMessage(message, model.design);
  if (model.figures.lumped == false) message += message.empty() ? "Not lumped" : "; Not lumped";
  if (!message.empty()) {
    out += kColumnGap;
    out += message;
  }
}

}  // namespace

std::size_t WidthOf(std::string_view name) { return std::max(kNumberWidth, name.size()); }

std::string ColumnName(Quantity quantity, const DisplayUnits& units) {
  return ColumnName(StemOf(quantity), DimensionOf(quantity), units);
}

void AppendRightAligned(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

void AppendNumberColumn(std::string& out, std::optional<float> value, std::size_t width) {
  std::string number;  // short enough to stay in the string itself
  if (value) numtext::AppendShortestPlain(number, *value);
  AppendRightAligned(out, number, width);
}

std::string SweepTextHeader(calculator::Choice choice, const std::vector<Quantity>& inputs,
                            const calculator::PortModel& model, const AirChoice& air, const DisplayUnits& units,
                            bool soundSpeedColumn) {
  std::string header;
  const auto append = [&header](std::string_view name) {
    if (!header.empty()) header += kColumnGap;
    AppendRightAligned(header, name, WidthOf(name));
  };
  for (const Quantity quantity : inputs) append(ColumnName(quantity, units));
  if (soundSpeedColumn) append(kSoundSpeedColumn);
  append(ColumnName(calculator::SolvedQuantity(choice), units));
  if (ShowsModelFigures(model)) {
    for (const ModelFigure& figure : kModelFigures) {
      header += kColumnGap;
      const std::string name = ColumnName(figure.stem, figure.dimension, units);
      AppendRightAligned(header, name, WidthOf(name));
    }
  }
  // The rows do not show a slot, which is no input.
  const std::string airName = soundSpeedColumn ? "the air as swept" : AirName(model, air);
  return "Model: " + ModelName(model, units) + ", " + airName + "\n" + header + "\n";
}

void AppendSweepTextRow(std::string& out, const ModelDesign& model, const std::vector<Quantity>& inputs,
                        const DisplayUnits& units, std::optional<float> soundSpeed) {
  const Design& design = model.design;
  const auto append = [&](Quantity quantity) {
    AppendNumberColumn(out, InUnits(calculator::Field(design.quantities, quantity), DimensionOf(quantity), units),
                       WidthOf(StemOf(quantity), DimensionOf(quantity), units));
  };
  for (const Quantity quantity : inputs) {
    append(quantity);
    out += kColumnGap;
  }
  if (soundSpeed) {
    AppendNumberColumn(out, *soundSpeed / 100, WidthOf(kSoundSpeedColumn));
    out += kColumnGap;
  }
  append(calculator::SolvedQuantity(design.choice));
  if (ShowsModelFigures(model.model)) {
    for (const ModelFigure& figure : kModelFigures) {
      out += kColumnGap;
      AppendNumberColumn(out, InUnits(model.figures.*figure.value, figure.dimension, units),
                         WidthOf(figure.stem, figure.dimension, units));
    }
  }
  AppendRowMessage(out, model);
  out += '\n';
}

}  // namespace app
