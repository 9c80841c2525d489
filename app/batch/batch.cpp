#include "app/batch/batch.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>
#include <variant>

#include "app/batch/batch_columns.h"
#include "app/batch/csv_reader.h"
#include "app/calculation.h"
#include "app/command_line.h"
#include "app/model_options.h"
#include "app/system_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace app {
namespace {

using calculator::Quantity;

struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file != stdin) std::fclose(file);
  }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The file's bytes for the reader. A read error (a directory, a failing
// disk) ends the input and is kept to be reported: the record it cut short
// is not the file's, so it is not computed.
class FileInput {
 public:
  explicit FileInput(std::FILE* file) : file_(file) {}

  std::size_t Read(char* buffer, std::size_t capacity) {
    if (error_) return 0;
    const std::size_t count = std::fread(buffer, 1, capacity, file_);
    if (count < capacity && std::ferror(file_)) {
      error_ = errno != 0 ? errno : EIO;
      return 0;
    }
    return count;
  }
  // errno of the failed read.
  std::optional<int> error() const { return error_; }

 private:
  std::FILE* file_;
  std::optional<int> error_;
};

// A row's text in `cell`, or nothing when the column is absent or the cell empty.
std::optional<std::string_view> CellOf(const CsvRecord& row, std::optional<std::size_t> cell) {
  if (!cell || row.cells[*cell].empty()) return std::nullopt;
  return row.cells[*cell];
}

// A model cell, or the option's text standing in for an empty one.
std::optional<std::string_view> CellOr(const CsvRecord& row, std::optional<std::size_t> cell,
                                       std::optional<std::string_view> fallback) {
  const std::optional<std::string_view> text = CellOf(row, cell);
  return text ? text : fallback;
}

// A value's cell as the value parser reads it: in a file of ';' or TAB, whose
// spreadsheet writes decimal commas, a comma is the decimal point; a bare
// number takes its column's unit. Written into `text`, whose room a long
// file reuses from row to row rather than allocating it for each.
//   "2,5" in volume_l, ';' -> "2.5l";  "60ml" in volume_l -> "60ml"
void ValueText(std::string_view cell, std::string_view unit, bool decimalComma, std::string& text) {
  text.assign(cell);
  if (decimalComma) std::replace(text.begin(), text.end(), ',', '.');
  const std::size_t end = text.find_last_not_of(" \t");
  if (end != std::string::npos && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.')) text += unit;
}

// The menu choice a calculation cell names: "1" to "8", as the program writes it.
Result<calculator::Choice> ChoiceOfCell(std::string_view cell) {
  for (const calculator::Choice choice : calculator::kChoices) {
    if (cell == std::to_string(static_cast<int>(choice))) return choice;
  }
  return Refused("calculation: '" + Printable(cell) + "' is not a calculation (1 to 8, as the program writes them)");
}

// Without a calculation cell, the one quantity a row leaves empty decides
// the calculation. `texts` are the row's, `names` the header's (read once
// for the file); a slot gives the orifice.
Result<calculator::Choice> ChoiceOfEmptyCell(const QuantityTexts& texts, const BatchColumns& columns,
                                             const QuantityNames& names, bool slot) {
  const auto name = [&](Quantity quantity) { return std::string(names[IndexOf(quantity)]); };
  const bool diameter = texts[IndexOf(Quantity::kDiameter)].has_value();
  const bool surface = texts[IndexOf(Quantity::kSurface)].has_value();
  if (diameter && surface)
    return Refused("both " + name(Quantity::kDiameter) + " and " + name(Quantity::kSurface) + " are given");
  if (slot && (diameter || surface)) {
    return Refused("both slot and " + name(diameter ? Quantity::kDiameter : Quantity::kSurface) + " are given");
  }
  const bool diameterColumn = columns.quantities[IndexOf(Quantity::kDiameter)].has_value();
  const bool surfaceColumn = columns.quantities[IndexOf(Quantity::kSurface)].has_value();
  std::string emptyNames;
  int emptyCount = 0;
  Quantity solved = Quantity::kFrequency;
  const auto noteEmpty = [&](Quantity quantity, const std::string& shown) {
    emptyNames += emptyCount++ == 0 ? "" : ", ";
    emptyNames += shown;
    solved = quantity;
  };
  for (const Quantity quantity : {Quantity::kFrequency, Quantity::kVolume, Quantity::kThickness}) {
    if (!texts[IndexOf(quantity)]) noteEmpty(quantity, name(quantity));
  }
  if (!diameter && !surface && !slot) {
    const Quantity orifice = surfaceColumn && !diameterColumn ? Quantity::kSurface : Quantity::kDiameter;
    noteEmpty(orifice, diameterColumn && surfaceColumn ? name(Quantity::kDiameter) + "/" + name(Quantity::kSurface)
                                                       : name(orifice));
  }
  if (emptyCount == 0) return Refused("no cell is empty: leave empty the one to compute");
  if (emptyCount > 1) {
    return Refused("more than one cell is empty (" + emptyNames +
                   "): leave exactly one of frequency, volume, thickness and orifice empty");
  }
  if (!diameter && !surface && !slot && diameterColumn && surfaceColumn) {
    return Refused(name(Quantity::kDiameter) + " and " + name(Quantity::kSurface) +
                   " are both empty: keep only the column to compute");
  }
  return ChoiceFor(solved, surface || slot || solved == Quantity::kSurface);
}

// Reads and solves one row, reusing its texts' room from row to row.
class RowSolver {
 public:
  RowSolver(const BatchColumns& columns, char delimiter, const ModelTexts& defaults, const AirChoice& air)
      : columns_(columns),
        names_(columns.Names()),
        decimalComma_(delimiter != ','),
        defaults_(defaults),
        screenConstants_(app::ConstantsFor({.ends = calculator::Ends::kScreen}, air)),
        textbookConstants_(app::ConstantsFor({.ends = calculator::Ends::kFlanged}, air)),
        // The screens' rows have no losses: every row that has shares this air.
        textbookGas_(AirOf({.ends = calculator::Ends::kFlanged}, air)) {}

  // The constants of a row's model: the air given to the batch, or each
  // model's own when none is.
  const calculator::Constants& ConstantsFor(const calculator::PortModel& model) const {
    return model.ends == calculator::Ends::kScreen ? screenConstants_ : textbookConstants_;
  }

  Result<ModelDesign> Solve(const CsvRecord& row) {
    const Result<bool> shape = CheckShape(row);
    if (!shape.ok()) return shape.refusal();
    QuantityTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const std::optional<QuantityColumn>& column = columns_.quantities[i];
      if (const auto cell = CellOf(row, column ? std::optional(column->cell) : std::nullopt)) {
        ValueText(*cell, column->unit, decimalComma_, texts_[i]);
        texts[i] = texts_[i];
      }
    }
    const std::optional<std::string_view> slotCell = CellOf(row, columns_.slot);
    if (slotCell) ValueText(*slotCell, {}, decimalComma_, slot_);
    const std::optional<std::string_view> pitchCell = CellOf(row, columns_.pitch);
    if (pitchCell) ValueText(*pitchCell, columns_.pitchUnit, decimalComma_, pitch_);
    const Result<calculator::PortModel> model =
        ParseModel({CellOr(row, columns_.ends, defaults_.ends), CellOr(row, columns_.ports, defaults_.ports),
                    slotCell ? std::optional<std::string_view>(slot_) : std::nullopt,
                    pitchCell ? std::optional<std::string_view>(pitch_) : defaults_.pitch},
                   kModelColumnNames);
    if (!model.ok()) return model.refusal();
    const bool slot = model.value().slot.has_value();
    const std::optional<std::string_view> calculation = CellOf(row, columns_.calculation);
    const Result<calculator::Choice> choice =
        calculation ? ChoiceOfCell(*calculation) : ChoiceOfEmptyCell(texts, columns_, names_, slot);
    if (!choice.ok()) return choice.refusal();
    const Result<calculator::Quantities> typed =
        ParseTyped(choice.value(), texts, names_, slot ? std::optional(Quantity::kSurface) : std::nullopt);
    if (!typed.ok()) return typed.refusal();
    auto design = calculator::SolveProblem({choice.value(), typed.value(), model.value(), ConstantsFor(model.value())});
    if (auto* fault = std::get_if<calculator::ModelFault>(&design))
      return Refused(FaultText(*fault, kModelColumnNames));
    AddLosses(std::get<ModelDesign>(design), textbookGas_);
    return std::get<ModelDesign>(std::move(design));
  }

 private:
  // A well-formed record with a cell for each named column; a cell beyond
  // them (a spreadsheet's empty trailing column) must be empty.
  Result<bool> CheckShape(const CsvRecord& row) const {
    if (!row.error.empty()) return Refused(row.error);
    const bool extraEmpty =
        std::all_of(row.cells.begin() + static_cast<std::ptrdiff_t>(std::min(row.cells.size(), columns_.width)),
                    row.cells.end(), [](const std::string& cell) { return cell.empty(); });
    if (row.cells.size() < columns_.width || !extraEmpty) {
      return Refused(std::to_string(row.cells.size()) + " cells where the header has " +
                     std::to_string(columns_.width));
    }
    return true;
  }

  const BatchColumns& columns_;
  QuantityNames names_;
  bool decimalComma_;
  ModelTexts defaults_;
  calculator::Constants screenConstants_;
  calculator::Constants textbookConstants_;
  std::array<std::string, 5> texts_;
  std::string slot_;
  std::string pitch_;
  acoustics::Air textbookGas_;
};

}  // namespace

int RunBatch(const std::string& path, BatchFormat format, Output& out, std::ostream& err) {
  const bool standardInput = path == "-";
  File file(standardInput ? stdin : OpenFile(path, "rb"));
  if (!file) {
    err << "helmholtz: batch: cannot open '" << Printable(path, Backslash::kKept) << "': " << std::strerror(errno)
        << "\n";
    return kExitBadArgument;
  }
#ifdef _WIN32
  // The bytes as they are: CR LF is the reader's business, and a Ctrl+Z is no end.
  if (standardInput) _setmode(_fileno(stdin), _O_BINARY);
#endif
  const std::string shownPath = standardInput ? "-" : Printable(path, Backslash::kKept);
  FileInput input(file.get());
  CsvReader reader([&input](char* buffer, std::size_t capacity) { return input.Read(buffer, capacity); });
  CsvRecord record;
  const auto next = [&] { return reader.Next(record) && !input.error(); };
  // Refused as an unopenable file is, whether or not rows were written before.
  const auto readFailed = [&] {
    err << "helmholtz: batch: cannot read '" << shownPath << "': " << std::strerror(*input.error()) << "\n";
    return FinishOutput(out, kExitBadArgument, err);
  };

  if (!next()) {
    if (input.error()) return readFailed();
    DesignWriter(format.format, out, false, format.style).Begin();  // no header, no rows: an empty result
    return FinishOutput(out, 0, err);
  }
  const Result<BatchColumns> columns =
      record.error.empty() ? ReadBatchColumns(record.cells) : Result<BatchColumns>(Refused(record.error));
  if (!columns.ok()) {
    err << shownPath << ":" << record.line << ": " << columns.refusal().message << "\n";
    return FinishOutput(out, kExitRowsFailed, err);
  }
  RowSolver solver(columns.value(), reader.Delimiter(), format.defaults, format.style.air);
  // Rows that name no model take the defaults, refused before the file if at all.
  const Result<calculator::PortModel> defaultModel = ParseModel(format.defaults, kModelOptionNames);
  const bool modelColumns = columns.value().HasModel() || !defaultModel.ok() || NeedsModelColumns(defaultModel.value());
  DesignWriter writer(format.format, out, modelColumns, format.style);
  writer.Begin();
  bool anyFailed = false;
  while (!out.failed() && next()) {
    const Result<ModelDesign> row = solver.Solve(record);
    if (row.ok()) {
      writer.Write(row.value(), solver.ConstantsFor(row.value().model));
    } else {
      anyFailed = true;
      writer.WriteError(row.refusal().message);
      err << shownPath << ":" << record.line << ": " << row.refusal().message << "\n";
    }
  }
  if (input.error()) return readFailed();
  return FinishOutput(out, anyFailed ? kExitRowsFailed : 0, err);
}

}  // namespace app
