#include "app/batch/batch.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>
#include <variant>

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

// The columns a header may name: the quantities (indexed by Quantity), then the model's.
constexpr std::array<std::string_view, 8> kBatchColumns = {
    kColumnNames[0], kColumnNames[1],        kColumnNames[2],         kColumnNames[3],
    kColumnNames[4], kModelColumnNames.ends, kModelColumnNames.ports, kModelColumnNames.slot};
constexpr std::size_t kEndsColumn = 5;
constexpr std::size_t kPortsColumn = 6;
constexpr std::size_t kSlotColumn = 7;

// Which input column holds each of kBatchColumns.
using ColumnOf = std::array<std::optional<std::size_t>, kBatchColumns.size()>;

// A header with a model column gets the model's columns in its answer.
bool HasModelColumns(const ColumnOf& columns) {
  return columns[kEndsColumn] || columns[kPortsColumn] || columns[kSlotColumn];
}

std::string KnownColumns() {
  std::string list;
  for (const std::string_view name : kBatchColumns) {
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list;
}

// The header's columns, or why it is refused.
Result<ColumnOf> ReadHeader(const CsvRecord& header) {
  if (!header.error.empty()) return Refused(header.error);
  ColumnOf columns;
  for (std::size_t i = 0; i < header.cells.size(); ++i) {
    std::size_t known = 0;
    while (known < kBatchColumns.size() && kBatchColumns[known] != header.cells[i]) ++known;
    if (known == kBatchColumns.size()) {
      return Refused("unknown column '" + Printable(header.cells[i]) + "' (the columns are " + KnownColumns() + ")");
    }
    if (columns[known]) return Refused("column '" + std::string(kBatchColumns[known]) + "' appears twice");
    columns[known] = i;
  }
  return columns;
}

// A row's model cell, or nothing when the column is absent or the cell empty.
std::optional<std::string_view> ModelCell(const CsvRecord& row, const ColumnOf& columns, std::size_t column) {
  if (!columns[column] || row.cells[*columns[column]].empty()) return std::nullopt;
  return row.cells[*columns[column]];
}

// The one quantity a row leaves empty decides the calculation.
Result<ModelDesign> SolveRow(const CsvRecord& row, const ColumnOf& columns, std::size_t width,
                             const calculator::Constants& constants) {
  if (!row.error.empty()) return Refused(row.error);
  if (row.cells.size() != width) {
    return Refused(std::to_string(row.cells.size()) + " cells where the header has " + std::to_string(width));
  }
  QuantityTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (columns[i] && !row.cells[*columns[i]].empty()) texts[i] = row.cells[*columns[i]];
  }
  const bool diameter = texts[IndexOf(Quantity::kDiameter)].has_value();
  const bool surface = texts[IndexOf(Quantity::kSurface)].has_value();
  if (diameter && surface) return Refused("both diameter_cm and surface_cm2 are given");
  const Result<calculator::PortModel> model =
      ParseModel({ModelCell(row, columns, kEndsColumn), ModelCell(row, columns, kPortsColumn),
                  ModelCell(row, columns, kSlotColumn)},
                 kModelColumnNames);
  if (!model.ok()) return model.refusal();
  const bool slot = model.value().slot.has_value();
  if (slot && (diameter || surface)) {
    return Refused(std::string("both slot and ") + (diameter ? "diameter_cm" : "surface_cm2") + " are given");
  }

  const bool diameterColumn = columns[IndexOf(Quantity::kDiameter)].has_value();
  const bool surfaceColumn = columns[IndexOf(Quantity::kSurface)].has_value();
  std::string emptyNames;
  int emptyCount = 0;
  Quantity solved = Quantity::kFrequency;
  const auto noteEmpty = [&](Quantity quantity, std::string_view name) {
    emptyNames += emptyCount++ == 0 ? "" : ", ";
    emptyNames += name;
    solved = quantity;
  };
  for (const Quantity quantity : {Quantity::kFrequency, Quantity::kVolume, Quantity::kThickness}) {
    if (!texts[IndexOf(quantity)]) noteEmpty(quantity, kColumnNames[IndexOf(quantity)]);
  }
  if (!diameter && !surface && !slot) {
    const Quantity orifice = surfaceColumn && !diameterColumn ? Quantity::kSurface : Quantity::kDiameter;
    noteEmpty(orifice, diameterColumn && surfaceColumn ? "diameter_cm/surface_cm2" : kColumnNames[IndexOf(orifice)]);
  }
  if (emptyCount == 0) return Refused("no cell is empty: leave empty the one to compute");
  if (emptyCount > 1) {
    return Refused("more than one cell is empty (" + emptyNames +
                   "): leave exactly one of frequency, volume, thickness and orifice empty");
  }
  if (!diameter && !surface && !slot && diameterColumn && surfaceColumn) {
    return Refused("diameter_cm and surface_cm2 are both empty: keep only the column to compute");
  }
  const calculator::Choice choice = ChoiceFor(solved, surface || slot || solved == Quantity::kSurface);
  const Result<calculator::Quantities> typed =
      ParseTyped(choice, texts, kColumnNames, slot ? std::optional(Quantity::kSurface) : std::nullopt);
  if (!typed.ok()) return typed.refusal();
  auto design = calculator::SolveProblem({choice, typed.value(), model.value(), constants});
  if (auto* fault = std::get_if<calculator::ModelFault>(&design)) return Refused(FaultText(*fault, kModelColumnNames));
  return std::get<ModelDesign>(std::move(design));
}

}  // namespace

int RunBatch(const std::string& path, Format format, const calculator::Constants& constants, Output& out,
             std::ostream& err) {
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
    DesignWriter(format, out).Begin();  // no header, no rows: an empty result
    return FinishOutput(out, 0, err);
  }
  const Result<ColumnOf> columns = ReadHeader(record);
  if (!columns.ok()) {
    err << shownPath << ":" << record.line << ": " << columns.refusal().message << "\n";
    return FinishOutput(out, kExitRowsFailed, err);
  }
  const std::size_t width = record.cells.size();
  DesignWriter writer(format, out, HasModelColumns(columns.value()));
  writer.Begin();
  bool anyFailed = false;
  while (!out.failed() && next()) {
    const Result<ModelDesign> row = SolveRow(record, columns.value(), width, constants);
    if (row.ok()) {
      writer.Write(row.value(), constants);
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
