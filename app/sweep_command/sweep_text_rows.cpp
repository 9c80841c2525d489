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

std::size_t WidthOf(std::string_view name) { return std::max(kNumberWidth, name.size()); }
std::size_t WidthOf(Quantity quantity) { return WidthOf(EntryOf(quantity).column); }

void AppendRightAligned(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

// A number right-aligned in its column, or blanks for none.
void AppendNumberColumn(std::string& out, std::optional<float> value, std::size_t width) {
  std::string number;  // short enough to stay in the string itself
  if (value) numtext::AppendShortestPlain(number, *value);
  AppendRightAligned(out, number, width);
}

// The textbook models' own figures, which a text row shows after the
// computed quantity under the CSV's names; the screens' model has none.
struct ModelFigure {
  std::string_view name;
  std::optional<float> calculator::PortSolution::*value;
};
constexpr std::array<ModelFigure, 3> kModelFigures = {{{"end_correction_cm", &calculator::PortSolution::endCorrection},
                                                       {"q_radiation", &calculator::PortSolution::qRadiation},
                                                       {"bandwidth_hz", &calculator::PortSolution::bandwidth}}};

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

std::string SweepTextHeader(calculator::Choice choice, const std::vector<Quantity>& inputs,
                            const calculator::PortModel& model, const AirChoice& air) {
  std::string header;
  std::vector<Quantity> columns = inputs;
  columns.push_back(calculator::SolvedQuantity(choice));
  for (const Quantity quantity : columns) {
    if (!header.empty()) header += kColumnGap;
    AppendRightAligned(header, EntryOf(quantity).column, WidthOf(quantity));
  }
  if (ShowsModelFigures(model)) {
    for (const ModelFigure& figure : kModelFigures) {
      header += kColumnGap;
      AppendRightAligned(header, figure.name, WidthOf(figure.name));
    }
  }
  // The rows do not show a slot, which is no input.
  return "Model: " + ModelName(model) + ", " + AirName(model, air) + "\n" + header + "\n";
}

void AppendSweepTextRow(std::string& out, const ModelDesign& model, const std::vector<Quantity>& inputs) {
  const Design& design = model.design;
  for (const Quantity quantity : inputs) {
    AppendNumberColumn(out, calculator::Field(design.quantities, quantity), WidthOf(quantity));
    out += kColumnGap;
  }
  const Quantity solved = calculator::SolvedQuantity(design.choice);
  AppendNumberColumn(out, calculator::Field(design.quantities, solved), WidthOf(solved));
  if (ShowsModelFigures(model.model)) {
    for (const ModelFigure& figure : kModelFigures) {
      out += kColumnGap;
      AppendNumberColumn(out, model.figures.*figure.value, WidthOf(figure.name));
    }
  }
  AppendRowMessage(out, model);
  out += '\n';
}

}  // namespace app
