#include "app/output/design_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "calculator/screen_texts.h"
#include "calculator/panel_figures.h"
#include "numtext/numtext.h"

namespace app {
namespace {

using calculator::Design;

constexpr std::string_view kMessageSeparator = "; ";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

// The screen's messages for the design, in the order the screen writes them.
void AppendDesignMessage(std::string& out, const Design& design) {
  const std::size_t start = out.size();
  if (!design.resultMessage.empty()) out += Trimmed(design.resultMessage);
  if (!design.possible) {
    if (out.size() > start) out += kMessageSeparator;
    out += Trimmed(calculator::kImpossibleValues);
  }
}

namespace {

void AppendLine(std::string& out, const calculator::ResultLine& line) {
  out += line.label;
  out += numtext::NumberToText(line.value, calculator::kResultDigits);
  out += line.unit;
}

// Writes `text` into `row` from 1-based `column` on, over whatever stands
// there, as the screen's cursor writes it (the row grows when needed).
void Overwrite(std::string& row, int column, std::string_view text) {
  const std::size_t start = static_cast<std::size_t>(column - 1);
  if (row.size() < start + text.size()) row.resize(start + text.size(), ' ');
  row.replace(start, text.size(), text);
}

void AppendRowTrimmed(std::string& out, const std::string& row) {
  const std::size_t end = row.find_last_not_of(' ');
  if (end != std::string::npos) out.append(row, 0, end + 1);
  out += '\n';
}

// CSV and JSON share the quoting rules for their few strings: CSV quotes a
// field holding a separator, quote or line end; JSON always quotes and
// escapes.
void AppendCsvText(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendJsonText(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  out += '"';
}

void AppendJsonFloat(std::string& out, float value) {
  if (std::isfinite(value)) {
    AppendFloat(out, value);
  } else {
    out += "null";
  }
}

// The numbers of a design in column order (kNumberNames), whether each has a
// value, and the two columns between them.
struct Cells {
  std::array<float, 9> numbers{};
  std::array<bool, 9> present{};
  bool possible = false;
  std::string message;
};

// Indexes into Cells::numbers.
enum NumberColumn : std::size_t {
  kFrequency,
  kVolume,
  kThickness,
  kDiameter,
  kSurface,
  kEquivalentDiameter,
  kSide,
  kMillimetres,
  kQuality
};

constexpr std::array<std::string_view, 9> kNumberNames = {"frequency_hz",   "volume_cc",    "thickness_cm",
                                                          "diameter_cm",    "surface_cm2",  "equivalent_diameter_cm",
                                                          "square_side_cm", "thickness_mm", "q_factor"};

Cells CellsOf(const Design& design, const calculator::Constants& constants) {
  Cells cells;
  cells.numbers = NumberCells(design, constants);
  cells.present.fill(true);
  // The any-orifice calculations have no diameter.
  cells.present[kDiameter] = calculator::IsRound(design.choice);
  cells.possible = design.possible;
  AppendDesignMessage(cells.message, design);
  return cells;
}

// The model's cells (kModelCsvColumns) of a design computed under `model`,
// or of the screens' model when there is none.
void AppendModelCells(std::string& out, Format format, const ModelDesign* model) {
  const calculator::PortModel screens;
  const calculator::PortSolution none;
  const calculator::PortModel& port = model ? model->model : screens;
  const calculator::PortSolution& solution = model ? model->solution : none;
  const bool json = format == Format::kJson;
  const auto name = [&](std::string_view column) {
    out += json ? ",\"" : ",";
    if (json) {
      out += column;
      out += "\":";
    }
  };
  const auto number = [&](std::string_view column, std::optional<float> value) {
    name(column);
    if (value) {
      AppendNumberCell(out, format, *value);
    } else if (json) {
      out += "null";
    }
  };
  name("ends");
  json ? AppendJsonText(out, calculator::EndsName(port.ends)) : AppendCsvText(out, calculator::EndsName(port.ends));
  name("ports");
  out += std::to_string(port.ports);
  number("q_radiation", solution.qRadiation);
  number("bandwidth_hz", solution.bandwidth);
  name("lumped");
  if (solution.lumped) {
    out += *solution.lumped ? "true" : "false";
  } else if (json) {
    out += "null";
  }
  number("end_correction_cm", solution.endCorrection);
}

}  // namespace

void AppendFloat(std::string& out, float value) {
  if (std::isnan(value)) {
    out += "nan";
    return;
  }
  char digits[32];
  const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void AppendDesignText(std::string& out, const Design& design, const calculator::Constants& constants,
                      std::string_view modelLines) {
  AppendLine(out, design.result);
  out += design.resultMessage;
  out += '\n';
  if (design.possible) {
    for (const calculator::ResultLine& check : design.checks) {
      AppendLine(out, check);
      out += '\n';
    }
  } else {
    out += calculator::kImpossibleValues;
    out += '\n';
  }
  out += modelLines;
  out += '\n';
  std::string labels(calculator::kPanelWidth, ' ');
  std::string values(calculator::kPanelWidth, ' ');
  for (const calculator::PanelField& field : calculator::PanelFields(design.quantities, constants)) {
    Overwrite(labels, field.column, field.label);
    Overwrite(values, field.column, field.value);
  }
  AppendRowTrimmed(out, labels);
  AppendRowTrimmed(out, values);
}

void DesignWriter::Begin() {
  if (format_ != Format::kCsv) return;
  output_.Append(kCsvColumns);
  if (modelColumns_) output_.Append(kModelCsvColumns);
  output_.Append("\n");
  output_.EndRow();
}

void DesignWriter::Separate() {
  if (format_ == Format::kText && !first_) output_.Append("\n");
  first_ = false;
}

std::array<float, kNumberColumns> NumberCells(const Design& design, const calculator::Constants& constants) {
  const calculator::Quantities& q = design.quantities;
  const calculator::PanelFigures figures = calculator::ComputePanelFigures(q, constants);
  return {q.frequency,
          q.volume,
          q.thickness,
          q.diameter,
          q.surface,
          figures.diameter,
          figures.side,
          static_cast<float>(figures.thicknessMillimetres),
          static_cast<float>(figures.quality)};
}

void AppendNumberCell(std::string& out, Format format, float value) {
  if (format == Format::kJson) {
    AppendJsonFloat(out, value);
  } else {
    AppendFloat(out, value);
  }
}

void DesignWriter::Write(const Design& design, const calculator::Constants& constants,
                         const KnownNumberTexts* known) {
  WriteRow(design, constants, nullptr, known);
}

void DesignWriter::Write(const ModelDesign& design, const calculator::Constants& constants,
                         const KnownNumberTexts* known) {
  WriteRow(design.design, constants, &design, known);
}

void DesignWriter::WriteRow(const Design& design, const calculator::Constants& constants, const ModelDesign* model,
                            const KnownNumberTexts* known) {
  if (output_.failed()) return;
  Separate();
  std::string& out = output_.buffer();
  if (format_ == Format::kText) {
    AppendDesignText(out, design, constants, model ? ModelTextLines(*model) : std::string());
    output_.EndRow();
    return;
  }
  const Cells cells = CellsOf(design, constants);
  const char calculation = static_cast<char>('0' + static_cast<int>(design.choice));
  if (format_ == Format::kCsv) {
    out += calculation;
    for (std::size_t i = 0; i < kNumberNames.size(); ++i) {
      if (i == kEquivalentDiameter) {
        out += cells.possible ? ",true," : ",false,";
        AppendCsvText(out, cells.message);
      }
      out += ',';
      if (!cells.present[i]) continue;
      if (known && !(*known)[i].empty()) {
        out += (*known)[i];
      } else {
        AppendFloat(out, cells.numbers[i]);
      }
    }
    if (modelColumns_) {
      out += ',';
      AppendModelCells(out, format_, model);
      out += '\n';
    } else {
      out += ",\n";
    }
  } else {
    out += "{\"calculation\":";
    out += calculation;
    for (std::size_t i = 0; i < kNumberNames.size(); ++i) {
      if (i == kEquivalentDiameter) {
        out += cells.possible ? ",\"possible\":true,\"message\":" : ",\"possible\":false,\"message\":";
        AppendJsonText(out, cells.message);
      }
      out += ",\"";
      out += kNumberNames[i];
      out += "\":";
      if (cells.present[i] && known && !(*known)[i].empty()) {
        out += (*known)[i];
      } else if (cells.present[i]) {
        AppendJsonFloat(out, cells.numbers[i]);
      } else {
        out += "null";
      }
    }
    out += ",\"error\":null";
    if (modelColumns_) AppendModelCells(out, format_, model);
    out += "}\n";
  }
  output_.EndRow();
}

void DesignWriter::WriteError(std::string_view reason) {
  if (output_.failed()) return;
  Separate();
  std::string& out = output_.buffer();
  switch (format_) {
    case Format::kText:
      out += "error: ";
      out += reason;
      out += '\n';
      break;
    case Format::kCsv:
      out += ",,,,,,,,,,,,";
      AppendCsvText(out, reason);
      if (modelColumns_) out += ",,,,,,";
      out += '\n';
      break;
    case Format::kJson:
      out += "{\"calculation\":null";
      for (const std::string_view name :
           {"frequency_hz", "volume_cc", "thickness_cm", "diameter_cm", "surface_cm2", "possible", "message",
            "equivalent_diameter_cm", "square_side_cm", "thickness_mm", "q_factor"}) {
        out += ",\"";
        out += name;
        out += "\":null";
      }
      out += ",\"error\":";
      AppendJsonText(out, reason);
      if (modelColumns_) {
        out += ",\"ends\":null,\"ports\":null,\"q_radiation\":null,\"bandwidth_hz\":null,\"lumped\":null,"
               "\"end_correction_cm\":null";
      }
      out += "}\n";
      break;
  }
  output_.EndRow();
}

}  // namespace app
