// The three answer formats, row by row into an Output:
//   text: the screen's result rows without its left margin, an empty line,
//         the summary panel's two rows (designs apart by an empty line);
//   csv:  a header, then one line per design (the columns of columns.h);
//   json: one object per line with the same names.
// Numbers are single precision as the screens keep them, each written as the
// shortest text that reads back to the same float.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/model_options.h"
#include "app/output/columns.h"
#include "app/output/output.h"
#include "app/units.h"
#include "calculator/design.h"
#include "calculator/resonator.h"

namespace app {

enum class Format { kText, kCsv, kJson };

// How CSV separates its cells and writes a decimal point. With ';' the
// numbers take a decimal comma, as spreadsheets read CSV where the decimal
// separator is a comma (most of Europe): "220,83963;1000;...".
struct CsvStyle {
  char separator = ',';
  bool decimalComma = false;
};
// The style of a separator: ';' with decimal commas, ',' and TAB with points.
constexpr CsvStyle CsvStyleOf(char separator) { return {separator, separator == ';'}; }

// How an answer is written besides its format: the CSV style, the air its
// model line names, and the units it shows (text answers always; CSV and
// JSON only when `units.named`, with the units in the columns' names).
struct AnswerStyle {
  CsvStyle csv;
  AirChoice air;
  DisplayUnits units;
  // Each row ends in its speed of sound (a sweep of the air), behind the
  // model's columns.
  bool soundSpeedColumn = false;
};

// The columns' names in kColumns' order: kColumns' own, or under named units
// each quantity's in its unit and the panel's thickness as panel_thickness_mm:
//   ColumnNamesFor(l, mm named) -> {"calculation", "frequency_hz", "volume_l", "thickness_mm", ...,
//                                   "equivalent_diameter_mm", "square_side_mm", "panel_thickness_mm", ...}
using ColumnNames = std::array<std::string, kColumnCount>;
// The dimension of a column's numbers, if it has one (the panel's thickness,
// always in mm, has none).
std::optional<Dimension> DimensionOfColumn(ColumnId id);
ColumnNames ColumnNamesFor(const DisplayUnits& units);

// The CSV header: the columns' names, with the model's behind them when asked.
//   CsvHeader(false) -> "calculation,frequency_hz,...,q_factor,error"
std::string CsvHeader(bool modelColumns, char separator = ',', const DisplayUnits& units = {},
                      bool soundSpeedColumn = false);

// A row of numbers under `names` (as many), in CSV or JSON Lines, none an
// empty cell (JSON's null), written as the designs' rows are; at most
// kColumnCount of them. NamesHeader is its CSV header.
//   csv:  {"frequency_hz", "absorption_area_m2"}, {23.30118, none} -> "23.30118,\n"
//   json: -> "{\"frequency_hz\":23.30118,\"absorption_area_m2\":null}\n"
void AppendNumbersRow(std::string& out, Format format, CsvStyle csv, std::span<const std::string> names,
                      std::span<const std::optional<float>> values);
std::string NamesHeader(std::span<const std::string> names, char separator);

// The shortest text that reads back to `value`; "inf", "-inf", "nan".
void AppendFloat(std::string& out, float value);

// The screen's rows for `design` as text rows, each ending in '\n': the
// result row, then the cross-check rows or the impossibility message, then
// `modelLines` (ModelTextLines), an empty row and the panel's label and value
// rows. The result and check rows show their values in `units` ("Volume
// = 60 l"); the panel stays the screens'.
void AppendDesignText(std::string& out, const calculator::Design& design, const calculator::Constants& constants,
                      std::string_view modelLines = {}, const DisplayUnits& units = {});

// The number columns of a CSV or JSON row (frequency_hz ... q_factor), and a
// column's text for `value` in `format` (JSON writes null for inf and nan).
inline constexpr std::size_t kNumberColumns = 9;
void AppendNumberCell(std::string& out, Format format, float value);
// The design's numbers in column order, as the rows write them: in the
// screens' units, or in `units` when they are named.
std::array<float, kNumberColumns> NumberCells(const calculator::Design& design, const calculator::Constants& constants,
                                              const DisplayUnits& units = {});
// Texts of number columns that a sweep has already written for the same
// value, by column; an empty one is formatted afresh.
using KnownNumberTexts = std::array<std::string_view, kNumberColumns>;

// The message column: the result's message and the impossibility, trimmed.
void AppendDesignMessage(std::string& out, const calculator::Design& design);

class DesignWriter {
 public:
  // With `modelColumns`, CSV and JSON rows end in the model's columns
  // (ColumnSet::kModel).
  DesignWriter(Format format, Output& output, bool modelColumns = false, AnswerStyle style = {})
      : format_(format),
        output_(output),
        modelColumns_(modelColumns),
        style_(style),
        names_(ColumnNamesFor(style.units)) {}
  // The CSV header; nothing for the other formats.
  void Begin();
  // A design of the screens' model; `known` as KnownNumberTexts says.
  void Write(const calculator::Design& design, const calculator::Constants& constants,
             const KnownNumberTexts* known = nullptr);
  void Write(const ModelDesign& design, const calculator::Constants& constants,
             const KnownNumberTexts* known = nullptr);
  // A row that could not be computed: only `error` is filled.
  void WriteError(std::string_view reason);

 private:
  void Separate();
  void WriteRow(const calculator::Design& design, const calculator::Constants& constants, const ModelDesign* model,
                const KnownNumberTexts* known);
  std::size_t Columns() const { return ColumnCount(modelColumns_, style_.soundSpeedColumn); }
  Format format_;
  Output& output_;
  bool modelColumns_;
  AnswerStyle style_;
  ColumnNames names_;
  bool first_ = true;
};

}  // namespace app
