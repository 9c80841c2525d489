#include "app/output/design_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cassert>
#include <optional>
#include <span>
#include <string>

#include "app/output/columns.h"
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

// The dimension of a result or check row, by the screens' unit it shows.
Dimension DimensionOfUnit(std::string_view unit) {
  if (unit == calculator::kHertz) return Dimension::kFrequency;
  if (unit == calculator::kCubicCentimetres) return Dimension::kVolume;
  if (unit == calculator::kSquareCentimetres) return Dimension::kSurface;
  return Dimension::kLength;
}

// "Volume          = 60 l": the screen's row with its value in the unit shown
// (in the screens' own unit, the screen's row exactly, a blank the screen
// puts before one unit included).
void AppendLine(std::string& out, const calculator::ResultLine& line, const DisplayUnits& units) {
  const std::size_t blanks = std::min(line.unit.find_first_not_of(' '), line.unit.size());
  const DisplayUnit& unit = units.Of(DimensionOfUnit(line.unit.substr(blanks)));
  out += line.label;
  out += numtext::NumberToText(line.value * unit.fromScreen, calculator::kResultDigits);
  out += line.unit.substr(0, blanks);
  out += UnitText(unit.name);
}

// A value of `dimension` in the screens' unit as `units` show it.
float Shown(float value, std::optional<Dimension> dimension, const DisplayUnits& units) {
  return dimension ? InUnit(value, units.Of(*dimension)) : value;
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

void AppendJsonFloat(std::string& out, float value) {
  if (std::isfinite(value)) {
    AppendFloat(out, value);
  } else {
    out += "null";
  }
}

// One cell of a row: nothing (an empty CSV cell, JSON null), a number, a
// truth value, a text, or text already written for it (a number a sweep has
// formatted before, a whole number), which goes out as it stands.
struct Cell {
  enum class Kind : std::uint8_t { kEmpty, kNumber, kTruth, kText, kWritten };
  Kind kind = Kind::kEmpty;
  float number = 0;
  bool truth = false;
  std::string_view text;
};
using Row = std::array<Cell, kColumnCount>;

Cell NumberCell(float value) { return {Cell::Kind::kNumber, value, false, {}}; }
Cell TruthCell(bool value) { return {Cell::Kind::kTruth, 0, value, {}}; }
Cell TextCell(std::string_view text) { return {Cell::Kind::kText, 0, false, text}; }
Cell WrittenCell(std::string_view text) { return {Cell::Kind::kWritten, 0, false, text}; }
Cell OptionalCell(std::optional<float> value) { return value ? NumberCell(*value) : Cell{}; }

// The columns that hold a design's numbers (NumberCells), in their order.
constexpr std::array<ColumnId, kNumberColumns> kNumberColumnIds = {
    ColumnId::kFrequency,  ColumnId::kVolume,
    ColumnId::kThickness,  ColumnId::kDiameter,
    ColumnId::kSurface,    ColumnId::kEquivalentDiameter,
    ColumnId::kSquareSide, ColumnId::kThicknessMillimetres,
    ColumnId::kQFactor};

// The texts a row's cells point into.
struct RowTexts {
  char calculation = '0';
  std::string message;
  std::array<char, 16> ports{};
  std::string slot;
};

// A slot as --slot and the batch column read it back: its sides in the
// length unit shown, the unit written unless it is the screens' cm.
//   4 x 0.8 cm -> "4x0.8";  in mm -> "40x8mm"
void AppendSlotText(std::string& out, const calculator::Slot& slot, const DisplayUnit& unit) {
  AppendFloat(out, InUnit(slot.width, unit));
  out += 'x';
  AppendFloat(out, InUnit(slot.height, unit));
  if (unit.name != "cm") out += unit.name;
}

// The model's cells of a design computed under `model`, or of the screens'
// model when there is none.
void SetModelCells(Row& row, const ModelDesign* model, const DisplayUnits& units, RowTexts& texts) {
  const calculator::PortModel screens;
  const calculator::PortSolution none;
  const calculator::PortModel& port = model ? model->model : screens;
  const calculator::PortSolution& solution = model ? model->figures : none;
  const std::to_chars_result ports =
      std::to_chars(texts.ports.data(), texts.ports.data() + texts.ports.size(), port.ports);
  row[IndexOf(ColumnId::kEnds)] = TextCell(calculator::EndsName(port.ends));
  row[IndexOf(ColumnId::kPorts)] = WrittenCell(std::string_view(texts.ports.data(), ports.ptr));
  row[IndexOf(ColumnId::kQRadiation)] = OptionalCell(solution.qRadiation);
  const auto shown = [&units](std::optional<float> value, ColumnId id) -> std::optional<float> {
    if (!value) return std::nullopt;
    return Shown(*value, DimensionOfColumn(id), units);
  };
  row[IndexOf(ColumnId::kBandwidth)] = OptionalCell(shown(solution.bandwidth, ColumnId::kBandwidth));
  if (solution.lumped) row[IndexOf(ColumnId::kLumped)] = TruthCell(*solution.lumped);
  row[IndexOf(ColumnId::kEndCorrection)] = OptionalCell(shown(solution.endCorrection, ColumnId::kEndCorrection));
  row[IndexOf(ColumnId::kQ)] = OptionalCell(solution.q);
  row[IndexOf(ColumnId::kQViscous)] = OptionalCell(solution.qViscous);
  row[IndexOf(ColumnId::kPeakAbsorptionArea)] = OptionalCell(solution.peakAbsorptionArea);
  texts.slot.clear();
  if (port.slot) {
    AppendSlotText(texts.slot, *port.slot, units.Of(Dimension::kLength));
    row[IndexOf(ColumnId::kSlot)] = TextCell(texts.slot);
  }
  row[IndexOf(ColumnId::kPitch)] = OptionalCell(shown(port.pitch, ColumnId::kPitch));
}

// A design's row: its numbers (or the texts a sweep already wrote for them),
// and, when the answer has them, the model's cells.
Row RowOf(const Design& design, const calculator::Constants& constants, const ModelDesign* model,
          const KnownNumberTexts* known, bool modelColumns, const DisplayUnits& units, RowTexts& texts) {
  Row row;
  texts.calculation = static_cast<char>('0' + static_cast<int>(design.choice));
  row[IndexOf(ColumnId::kCalculation)] = WrittenCell(std::string_view(&texts.calculation, 1));
  const std::array<float, kNumberColumns> numbers = NumberCells(design, constants, units);
  for (std::size_t i = 0; i < kNumberColumns; ++i) {
    const bool written = known && !(*known)[i].empty();
    row[IndexOf(kNumberColumnIds[i])] = written ? WrittenCell((*known)[i]) : NumberCell(numbers[i]);
  }
  // The any-orifice calculations have no diameter.
  if (!calculator::IsRound(design.choice)) row[IndexOf(ColumnId::kDiameter)] = Cell{};
  row[IndexOf(ColumnId::kPossible)] = TruthCell(design.possible);
  AppendDesignMessage(texts.message, design);
  row[IndexOf(ColumnId::kMessage)] = TextCell(texts.message);
  // CSV and JSON keep the screens' units unless the units are named in the columns.
  if (modelColumns) SetModelCells(row, model, units.named ? units : DisplayUnits{}, texts);
  return row;
}

// Room enough for a cell's text: a float's shortest text is at most 15
// characters, a JSON text at most six per byte and its quotes.
std::size_t CellBound(const Cell& cell) {
  switch (cell.kind) {
    case Cell::Kind::kEmpty:
    case Cell::Kind::kTruth: return 5;
    case Cell::Kind::kNumber: return 32;
    case Cell::Kind::kText: return 6 * cell.text.size() + 2;
    case Cell::Kind::kWritten: return cell.text.size();
  }
  return 0;
}

char* Put(char* at, std::string_view text) {
  std::memcpy(at, text.data(), text.size());
  return at + text.size();
}

char* PutFloat(char* at, float value) {
  if (std::isnan(value)) return Put(at, "nan");
  return std::to_chars(at, at + 32, value).ptr;
}

// CSV quotes a field holding a separator, quote or line end.
char* PutCsvText(char* at, std::string_view text, char separator) {
  const char quoted[] = {separator, '"', '\r', '\n'};
  if (text.find_first_of(std::string_view(quoted, sizeof quoted)) == std::string_view::npos) return Put(at, text);
  *at++ = '"';
  for (const char c : text) {
    if (c == '"') *at++ = '"';
    *at++ = c;
  }
  *at++ = '"';
  return at;
}

// JSON always quotes, and escapes quotes, backslashes and control bytes.
char* PutJsonText(char* at, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  *at++ = '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      *at++ = '\\';
      *at++ = c;
    } else if (byte < 0x20) {
      at = Put(at, "\\u00");
      *at++ = kHex[byte >> 4];
      *at++ = kHex[byte & 0x0F];
    } else {
      *at++ = c;
    }
  }
  *at++ = '"';
  return at;
}

char* PutCell(char* at, const Cell& cell, bool json, char separator) {
  switch (cell.kind) {
    case Cell::Kind::kEmpty: return json ? Put(at, "null") : at;
    case Cell::Kind::kNumber: return json && !std::isfinite(cell.number) ? Put(at, "null") : PutFloat(at, cell.number);
    case Cell::Kind::kTruth: return Put(at, cell.truth ? "true" : "false");
    case Cell::Kind::kText: return json ? PutJsonText(at, cell.text) : PutCsvText(at, cell.text, separator);
    case Cell::Kind::kWritten: return Put(at, cell.text);
  }
  return at;
}

// A number's decimal point as a comma: "220.83963" -> "220,83963".
void DecimalComma(char* first, char* last, const Cell& cell) {
  if (cell.kind == Cell::Kind::kNumber || cell.kind == Cell::Kind::kWritten) std::replace(first, last, '.', ',');
}

// One row in CSV or JSON Lines: the first `count` columns of kColumns,
// written into room made once (millions of rows a second go through here).
// The plain CSV is its own instance, so that its separator is a constant and
// its cells are not looked at again for a decimal comma.
//   csv:  4,40,50000,...,11.315624,
//   json: {"calculation":4,"frequency_hz":40,...,"error":null}
template <bool kPlainCsv>
void AppendRowIn(std::string& out, Format format, const Row& row, std::span<const std::string> names, std::size_t count,
                 CsvStyle csv) {
  const bool json = format == Format::kJson;
  const char separator = kPlainCsv ? ',' : csv.separator;
  std::size_t bound = 2;
  for (std::size_t i = 0; i < count; ++i) bound += CellBound(row[i]) + (json ? names[i].size() + 4 : 1);
  const std::size_t start = out.size();
  out.resize(start + bound);
  char* const first = out.data() + start;
  char* at = first;
  for (std::size_t i = 0; i < count; ++i) {
    if (json) {
      at = Put(at, i == 0 ? "{\"" : ",\"");
      at = Put(at, names[i]);
      at = Put(at, "\":");
    } else if (i > 0) {
      *at++ = separator;
    }
    char* const cell = at;
    at = PutCell(at, row[i], json, separator);
    if (!kPlainCsv && csv.decimalComma && !json) DecimalComma(cell, at, row[i]);
  }
  at = Put(at, json ? "}\n" : "\n");
  out.resize(start + static_cast<std::size_t>(at - first));
}

void AppendRow(std::string& out, Format format, const Row& row, std::span<const std::string> names, std::size_t count,
               CsvStyle csv) {
  if (csv.separator == ',' && !csv.decimalComma) {
    AppendRowIn<true>(out, format, row, names, count, csv);
  } else {
    AppendRowIn<false>(out, format, row, names, count, csv);
  }
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
                      std::string_view modelLines, const DisplayUnits& units) {
  AppendLine(out, design.result, units);
  out += design.resultMessage;
  out += '\n';
  if (design.possible) {
    for (const calculator::ResultLine& check : design.checks) {
      AppendLine(out, check, units);
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

std::optional<Dimension> DimensionOfColumn(ColumnId id) {
  switch (id) {
    case ColumnId::kFrequency:
    case ColumnId::kBandwidth: return Dimension::kFrequency;
    case ColumnId::kVolume: return Dimension::kVolume;
    case ColumnId::kThickness:
    case ColumnId::kDiameter:
    case ColumnId::kEquivalentDiameter:
    case ColumnId::kSquareSide:
    case ColumnId::kEndCorrection:
    case ColumnId::kPitch: return Dimension::kLength;
    case ColumnId::kSurface: return Dimension::kSurface;
    default: return std::nullopt;
  }
}

ColumnNames ColumnNamesFor(const DisplayUnits& units) {
  ColumnNames names;
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    const std::string_view name = kColumns[i].name;
    const std::optional<Dimension> dimension = DimensionOfColumn(kColumns[i].id);
    if (!units.named || !(dimension || kColumns[i].id == ColumnId::kThicknessMillimetres)) {
      names[i] = name;
    } else if (dimension) {
      names[i] = std::string(name.substr(0, name.rfind('_') + 1)) + ColumnSuffix(units.Of(*dimension).name);
    } else {
      names[i] = "panel_" + std::string(name);  // apart from a thickness shown in mm
    }
  }
  return names;
}

std::string CsvHeader(bool modelColumns, char separator, const DisplayUnits& units, bool soundSpeedColumn) {
  const ColumnNames names = ColumnNamesFor(units);
  return NamesHeader(std::span(names).first(ColumnCount(modelColumns, soundSpeedColumn)), separator);
}

std::string NamesHeader(std::span<const std::string> names, char separator) {
  std::string header;
  for (const std::string& name : names) {
    if (!header.empty()) header += separator;
    header += name;
  }
  return header;
}

void AppendNumbersRow(std::string& out, Format format, CsvStyle csv, std::span<const std::string> names,
                      std::span<const std::optional<float>> values) {
  assert(names.size() == values.size() && values.size() <= kColumnCount);
  Row row;
  for (std::size_t i = 0; i < values.size(); ++i) row[i] = OptionalCell(values[i]);
  AppendRow(out, format, row, names, values.size(), csv);
}

void DesignWriter::Begin() {
  if (format_ != Format::kCsv) return;
  output_.Append(CsvHeader(modelColumns_, style_.csv.separator, style_.units, style_.soundSpeedColumn));
  output_.Append("\n");
  output_.EndRow();
}

void DesignWriter::Separate() {
  if (format_ == Format::kText && !first_) output_.Append("\n");
  first_ = false;
}

std::array<float, kNumberColumns> NumberCells(const Design& design, const calculator::Constants& constants,
                                              const DisplayUnits& units) {
  const calculator::Quantities& q = design.quantities;
  const calculator::PanelFigures figures = calculator::ComputePanelFigures(q, constants);
  std::array<float, kNumberColumns> cells = {q.frequency,
                                             q.volume,
                                             q.thickness,
                                             q.diameter,
                                             q.surface,
                                             figures.diameter,
                                             figures.side,
                                             static_cast<float>(figures.thicknessMillimetres),
                                             static_cast<float>(figures.quality)};
  if (units.named) {
    for (std::size_t i = 0; i < kNumberColumns; ++i)
      cells[i] = Shown(cells[i], DimensionOfColumn(kNumberColumnIds[i]), units);
  }
  return cells;
}

void AppendNumberCell(std::string& out, Format format, float value) {
  if (format == Format::kJson) {
    AppendJsonFloat(out, value);
  } else {
    AppendFloat(out, value);
  }
}

void DesignWriter::Write(const Design& design, const calculator::Constants& constants, const KnownNumberTexts* known) {
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
    AppendDesignText(out, design, constants, model ? ModelTextLines(*model, style_.air, style_.units) : std::string(),
                     style_.units);
    output_.EndRow();
    return;
  }
  RowTexts texts;
  Row row = RowOf(design, constants, model, known, modelColumns_, style_.units, texts);
  if (style_.soundSpeedColumn) row[IndexOf(ColumnId::kSoundSpeed)] = NumberCell(constants.soundSpeed / 100);
  AppendRow(out, format_, row, names_, Columns(), style_.csv);
  output_.EndRow();
}

void DesignWriter::WriteError(std::string_view reason) {
  if (output_.failed()) return;
  Separate();
  std::string& out = output_.buffer();
  if (format_ == Format::kText) {
    out += "error: ";
    out += reason;
    out += '\n';
  } else {
    Row row;
    row[IndexOf(ColumnId::kError)] = TextCell(reason);
    AppendRow(out, format_, row, names_, Columns(), style_.csv);
  }
  output_.EndRow();
}

}  // namespace app
